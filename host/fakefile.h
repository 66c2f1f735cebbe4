// Test-side switch of the host's file calls: makes one call of a save fail
// as the platform's would, to reach what the program does then.
#ifndef KL_HOST_FAKEFILE_H
#define KL_HOST_FAKEFILE_H

#include <windows.h>

enum HostFileCall {
    HOST_CREATE_FILE,
    HOST_WRITE_FILE,
    HOST_SET_END_OF_FILE,
    HOST_CLOSE_HANDLE,
    HOST_FLUSH_FILE,
    HOST_LINK_FILE, // NtSetInformationFile: its error is the NTSTATUS it returns
    HOST_FILE_CALLS
};

// The nNth call from now (1: the next one) of the call given fails with
// dwError and changes nothing on the disk; a failing close still releases
// its handle, as on the platform. Once per arming; each call is armed on
// its own.
void hostFailFileCall(int nCall, int nNth, DWORD dwError);

// No call fails any more.
void hostResetFileCalls(void);

#endif
