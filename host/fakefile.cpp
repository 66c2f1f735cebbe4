// The file calls of the host build, on the host's own file system: the same
// answers the platform gives for what the program asks.
#include <windows.h>

#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

DWORD GetFileAttributesA(LPCSTR pszPath)
{
    // The name itself: a link that leads nowhere still exists.
    struct stat st;
    if (pszPath == NULL || lstat(pszPath, &st) != 0)
        return INVALID_FILE_ATTRIBUTES;
    if (S_ISDIR(st.st_mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    // As Wine shows a file without write permission to Windows programs.
    return (st.st_mode & S_IWUSR) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

BOOL MoveFileExA(LPCSTR pszFrom, LPCSTR pszTo, DWORD dwFlags)
{
    if (pszFrom == NULL || pszTo == NULL)
        return FALSE;
    // rename replaces silently; without the flag the platform refuses to.
    if (!(dwFlags & MOVEFILE_REPLACE_EXISTING) && GetFileAttributesA(pszTo) != INVALID_FILE_ATTRIBUTES)
        return FALSE;
    // One step, as on the platform. MOVEFILE_WRITE_THROUGH (wait until the
    // move is on the disk) is not modelled: a sync per call would make the
    // settings fuzzer wait on the disk.
    return rename(pszFrom, pszTo) == 0;
}

BOOL DeleteFileA(LPCSTR pszPath)
{
    // Like the platform: a directory is not a file to delete.
    DWORD dw = GetFileAttributesA(pszPath);
    return dw != INVALID_FILE_ATTRIBUTES && !(dw & FILE_ATTRIBUTE_DIRECTORY) && unlink(pszPath) == 0;
}
