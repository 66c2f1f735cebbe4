// The file calls of the host build, on the host's own file system: the same
// answers the platform gives for what the program asks.
#include <windows.h>

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <time.h>
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

UINT GetTempFileNameA(LPCSTR pszDir, LPCSTR pszPrefix, UINT uUnique, LPSTR pszTempFile)
{
    // As the platform names it: the directory, up to three characters of the
    // prefix and a hexadecimal number of at most four digits. With uUnique
    // 0 the numbers are tried from a changing start until a new file of
    // that name could be made (not only named), so that no other process
    // can take it; 0 when every name is taken or no file can be made there.
    enum { NAMES = 0x10000 };
    if (pszDir == NULL || pszPrefix == NULL || pszTempFile == NULL)
        return 0;
    if (uUnique != 0) {
        snprintf(pszTempFile, MAX_PATH, "%s/%.3s%X.tmp", pszDir, pszPrefix, uUnique & 0xFFFF);
        return uUnique & 0xFFFF;
    }
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    UINT uStart = (UINT)(ts.tv_nsec / 1000 + getpid());
    for (UINT i = 0; i < NAMES; i++) {
        UINT u = (uStart + i) % NAMES;
        if (u == 0)
            continue;
        snprintf(pszTempFile, MAX_PATH, "%s/%.3s%X.tmp", pszDir, pszPrefix, u);
        int fd = open(pszTempFile, O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd >= 0) {
            close(fd);
            return u;
        }
        if (errno != EEXIST)
            return 0;
    }
    return 0;
}
