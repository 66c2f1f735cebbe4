#include "settings/file_swap.h"

#include <stdio.h>
#include <string.h>
#ifdef _WIN32
#include <winternl.h>
#endif

// The new file's name: the target's, the process id and a try number, so
// that copies saving at once on one machine seldom share one; copies on
// other machines (or in other Wine prefixes) may, and then take the next.
static const char kBesideFormat[] = "%s.%lu-%d.tmp";
static const int kBesideTries = 4;
// Prefixes of the system's long paths: the same path for the Win32 calls,
// and in the form the native call takes.
static const char kLongPrefix[] = "\\\\?\\";
static const char kLongUncPrefix[] = "\\\\?\\UNC\\";
static const char kUncPrefix[] = "\\\\";
static const char kNtPrefix[] = "\\??\\";
static const char kNtUncPrefix[] = "\\??\\UNC\\";

// The native call's class and record for a new name of an open file.
static const FILE_INFORMATION_CLASS kFileLinkInformation = (FILE_INFORMATION_CLASS)11;
struct LinkInformation {
    BOOLEAN bReplaceIfExists;
    HANDLE hRootDirectory;
    ULONG ulFileNameLength; // in bytes
    WCHAR wszFileName[MAX_PATH + sizeof(kNtUncPrefix)];
};

// Answers of the native call that mean the name cannot be replaced here at
// all: the folder refuses it, or the file system knows no links.
static const NTSTATUS kRefusals[] = {
    (NTSTATUS)0xC0000022, // access denied
    (NTSTATUS)0xC0000121, // cannot delete
    (NTSTATUS)0xC00000BB, // not supported
    (NTSTATUS)0xC0000010, // invalid device request
    (NTSTATUS)0xC00000D4, // not the same device
};

// pszPath with its prefix pszFrom (if it has it) swapped for pszTo, into
// pszOut of nOut bytes; 0 when it does not fit.
static int bSwapPrefix(const char* pszPath, const char* pszFrom, const char* pszTo, char* pszOut, size_t nOut)
{
    size_t nFrom = strlen(pszFrom);
    if (strncmp(pszPath, pszFrom, nFrom) != 0)
        return 0;
    int n = snprintf(pszOut, nOut, "%s%s", pszTo, pszPath + nFrom);
    return n > 0 && (size_t)n < nOut;
}

int bSwapTarget(const char* pszName, char* pszTarget)
{
    // Opened only to ask where it is: no data access, so another program's
    // hold on the file does not stand in the way.
    HANDLE hFile = CreateFileA(pszName, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        // A name that is there but leads nowhere is a link whose end is
        // not known: it is left as it is.
        if (GetLastError() != ERROR_FILE_NOT_FOUND || GetFileAttributesA(pszName) != INVALID_FILE_ATTRIBUTES)
            return 0;
        // No file yet: the name itself, in the working directory.
        DWORD n = GetFullPathNameA(pszName, MAX_PATH, pszTarget, NULL);
        return n > 0 && n < MAX_PATH;
    }
    char szFinal[MAX_PATH + sizeof(kLongUncPrefix)];
    DWORD n = GetFinalPathNameByHandleA(hFile, szFinal, sizeof(szFinal), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(hFile);
    if (n == 0 || n >= sizeof(szFinal))
        return 0;
    // The path as the Win32 calls take it: a drive's, or a share's.
    return bSwapPrefix(szFinal, kLongUncPrefix, kUncPrefix, pszTarget, MAX_PATH) ||
           bSwapPrefix(szFinal, kLongPrefix, "", pszTarget, MAX_PATH);
}

HANDLE hCreateBeside(const char* pszTarget, DWORD* pdwError)
{
    char szName[MAX_PATH];
    *pdwError = ERROR_FILE_EXISTS;
    for (int nTry = 0; nTry < kBesideTries && *pdwError == ERROR_FILE_EXISTS; nTry++) {
        int n = snprintf(szName, sizeof(szName), kBesideFormat, pszTarget, (unsigned long)GetCurrentProcessId(),
                         nTry);
        if (n <= 0 || (size_t)n >= sizeof(szName)) {
            *pdwError = ERROR_FILENAME_EXCED_RANGE;
            break;
        }
        // Delete-on-close asks for the right to delete it: on Windows a
        // folder that lets files be made but not removed refuses it here,
        // before anything is made.
        HANDLE hFile = CreateFileA(szName, GENERIC_WRITE | DELETE, 0, NULL, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, NULL);
        if (hFile != INVALID_HANDLE_VALUE)
            return hFile;
        *pdwError = GetLastError();
    }
    return INVALID_HANDLE_VALUE;
}

SwapResult nLinkOver(HANDLE hFile, const char* pszTarget)
{
    // The native call takes the full path in the system's own form.
    char szNt[MAX_PATH + sizeof(kNtUncPrefix)];
    if (!bSwapPrefix(pszTarget, kUncPrefix, kNtUncPrefix, szNt, sizeof(szNt)) &&
        !bSwapPrefix(pszTarget, "", kNtPrefix, szNt, sizeof(szNt)))
        return SWAP_FAILED;
    LinkInformation link;
    memset(&link, 0, sizeof(link));
    link.bReplaceIfExists = TRUE;
    int nChars = MultiByteToWideChar(CP_ACP, 0, szNt, -1, link.wszFileName,
                                     (int)(sizeof(link.wszFileName) / sizeof(WCHAR)));
    if (nChars <= 1)
        return SWAP_FAILED;
    link.ulFileNameLength = (ULONG)((nChars - 1) * sizeof(WCHAR));
    IO_STATUS_BLOCK io;
    NTSTATUS status = NtSetInformationFile(hFile, &io, &link, sizeof(link), kFileLinkInformation);
    if (status == 0)
        return SWAP_DONE;
    for (NTSTATUS refusal : kRefusals)
        if (status == refusal)
            return SWAP_REFUSED;
    return SWAP_FAILED;
}
