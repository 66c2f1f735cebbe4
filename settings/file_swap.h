// A file replaced in one step by a new one of the program's own: the new
// file is removed by the system when its last handle closes (also when the
// process is ended or killed), unless it was first linked under the old
// file's name. A start never has anything to clean up.
#ifndef KL_SETTINGS_FILE_SWAP_H
#define KL_SETTINGS_FILE_SWAP_H

#include <windows.h>

// What linking the new file over the old one came to.
enum SwapResult {
    SWAP_DONE,    // the name now holds the new file
    SWAP_REFUSED, // the folder or its file system replaces no name: write in place
    SWAP_FAILED   // the old file is held, or the disk failed: try again later
};

// The full path a save writes for pszName (relative to the working
// directory) into pszTarget of MAX_PATH bytes: where a link leads, else the
// name itself. 0 when that cannot be known (the file is there but cannot
// be looked at, or the path is too long).
int bSwapTarget(const char* pszName, char* pszTarget);

// A new file beside pszTarget, made now under a name no file has yet (a
// file of that name, whoever's, is not touched), open for writing and
// shared with no one. It goes when its handle closes unless
// nLinkOver made it the target. INVALID_HANDLE_VALUE with *pdwError when
// none could be made.
HANDLE hCreateBeside(const char* pszTarget, DWORD* pdwError);

// Puts the file of hFile (from hCreateBeside, written and flushed) under
// the name pszTarget, replacing what is there in one step.
SwapResult nLinkOver(HANDLE hFile, const char* pszTarget);

#endif
