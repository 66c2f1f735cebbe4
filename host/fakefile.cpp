// The file calls of the host build, on the host's own file system: the same
// answers the platform gives for what the program asks.
#include "host/fakefile.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

// The error the last failed call left, per thread as on the platform.
static thread_local DWORD g_dwLastError = 0;

static BOOL bFail(DWORD dwError)
{
    g_dwLastError = dwError;
    return FALSE;
}

// The platform's error for what the host's file system said.
static DWORD dwErrorOf(int nErrno)
{
    switch (nErrno) {
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return ERROR_DISK_FULL;
    case EROFS: return ERROR_WRITE_PROTECT;
    default: return ERROR_WRITE_FAULT;
    }
}

// The failures a test armed, per call: how many calls until it, the error.
static int g_nFailIn[HOST_FILE_CALLS];
static DWORD g_dwFailError[HOST_FILE_CALLS];

void hostFailFileCall(int nCall, int nNth, DWORD dwError)
{
    g_nFailIn[nCall] = nNth;
    g_dwFailError[nCall] = dwError;
}

void hostResetFileCalls(void)
{
    for (int i = 0; i < HOST_FILE_CALLS; i++)
        g_nFailIn[i] = 0;
}

// 1 when this call is the one to fail (its error is then set).
static int bArmedFailure(int nCall)
{
    if (g_nFailIn[nCall] <= 0 || --g_nFailIn[nCall] > 0)
        return 0;
    g_dwLastError = g_dwFailError[nCall];
    return 1;
}

// What a HANDLE of the host layer stands for.
enum { KIND_FILE, KIND_PROCESS, KIND_FIND };
struct HostHandle {
    int nKind;
    int fd;           // KIND_FILE
    pid_t pid;        // KIND_PROCESS
    DIR* pDir;        // KIND_FIND: the folder searched, the name pattern
    char szDir[MAX_PATH];
    char szPattern[MAX_PATH];
};

static HostHandle* pNewHandle(int nKind)
{
    HostHandle* p = (HostHandle*)calloc(1, sizeof(HostHandle));
    if (p != NULL)
        p->nKind = nKind;
    return p;
}

DWORD GetLastError(void)
{
    return g_dwLastError;
}

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
        return bFail(ERROR_INVALID_PARAMETER);
    if (bArmedFailure(HOST_MOVE_FILE))
        return FALSE;
    // rename replaces silently; without the flag the platform refuses to.
    if (!(dwFlags & MOVEFILE_REPLACE_EXISTING) && GetFileAttributesA(pszTo) != INVALID_FILE_ATTRIBUTES)
        return bFail(ERROR_ALREADY_EXISTS);
    // One step, as on the platform. MOVEFILE_WRITE_THROUGH (wait until the
    // move is on the disk) is not modelled: a sync per call would make the
    // settings fuzzer wait on the disk.
    return rename(pszFrom, pszTo) == 0 || bFail(dwErrorOf(errno));
}

BOOL DeleteFileA(LPCSTR pszPath)
{
    // Like the platform: a directory is not a file to delete.
    DWORD dw = GetFileAttributesA(pszPath);
    return dw != INVALID_FILE_ATTRIBUTES && !(dw & FILE_ATTRIBUTE_DIRECTORY) && unlink(pszPath) == 0;
}

HANDLE CreateFileA(LPCSTR pszPath, DWORD dwAccess, DWORD dwShare, void* pSecurity, DWORD dwDisposition,
                   DWORD dwFlags, HANDLE hTemplate)
{
    // Sharing is not modelled: the host's files have no such locks.
    (void)dwShare;
    (void)pSecurity;
    (void)dwFlags;
    (void)hTemplate;
    int nFlags = O_CLOEXEC;
    if ((dwAccess & GENERIC_READ) && (dwAccess & GENERIC_WRITE))
        nFlags |= O_RDWR;
    else if (dwAccess & GENERIC_WRITE)
        nFlags |= O_WRONLY;
    else
        nFlags |= O_RDONLY;
    if (dwDisposition == CREATE_NEW)
        nFlags |= O_CREAT | O_EXCL;
    else if (dwDisposition != OPEN_EXISTING || pszPath == NULL)
        return bFail(ERROR_INVALID_PARAMETER), INVALID_HANDLE_VALUE;
    if (bArmedFailure(HOST_CREATE_FILE))
        return INVALID_HANDLE_VALUE;
    // As the platform: a directory is no file to open, and a file without
    // write permission is not opened for writing (the tests may run as
    // root, whom the mode does not stop).
    DWORD dwAttributes = GetFileAttributesA(pszPath);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && dwDisposition == OPEN_EXISTING &&
        ((dwAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
         ((dwAccess & GENERIC_WRITE) && (dwAttributes & FILE_ATTRIBUTE_READONLY))))
        return bFail(ERROR_ACCESS_DENIED), INVALID_HANDLE_VALUE;
    HostHandle* p = pNewHandle(KIND_FILE);
    if (p == NULL)
        return bFail(ERROR_NOT_ENOUGH_MEMORY), INVALID_HANDLE_VALUE;
    p->fd = open(pszPath, nFlags, 0666);
    if (p->fd < 0) {
        g_dwLastError = dwErrorOf(errno);
        free(p);
        return INVALID_HANDLE_VALUE;
    }
    g_dwLastError = 0;
    return p;
}

// The file behind a handle, or NULL (with the platform's error) for any
// other handle.
static HostHandle* pFileOf(HANDLE h)
{
    HostHandle* p = (HostHandle*)h;
    if (p == NULL || h == INVALID_HANDLE_VALUE || p->nKind != KIND_FILE) {
        g_dwLastError = ERROR_INVALID_HANDLE;
        return NULL;
    }
    return p;
}

BOOL WriteFile(HANDLE hFile, const void* pBuffer, DWORD dwCount, DWORD* pdwWritten, void* pOverlapped)
{
    (void)pOverlapped;
    HostHandle* p = pFileOf(hFile);
    *pdwWritten = 0;
    if (p == NULL || bArmedFailure(HOST_WRITE_FILE))
        return FALSE;
    // Whatever fits: a full disk fails the call after a part was written.
    while (*pdwWritten < dwCount) {
        ssize_t n = write(p->fd, (const char*)pBuffer + *pdwWritten, dwCount - *pdwWritten);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return bFail(n < 0 ? dwErrorOf(errno) : ERROR_DISK_FULL);
        *pdwWritten += (DWORD)n;
    }
    return TRUE;
}

BOOL ReadFile(HANDLE hFile, void* pBuffer, DWORD dwCount, DWORD* pdwRead, void* pOverlapped)
{
    (void)pOverlapped;
    HostHandle* p = pFileOf(hFile);
    *pdwRead = 0;
    if (p == NULL)
        return FALSE;
    // As much as asked for, short only at the end of the file.
    while (*pdwRead < dwCount) {
        ssize_t n = read(p->fd, (char*)pBuffer + *pdwRead, dwCount - *pdwRead);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return bFail(dwErrorOf(errno));
        if (n == 0)
            break;
        *pdwRead += (DWORD)n;
    }
    return TRUE;
}

BOOL SetEndOfFile(HANDLE hFile)
{
    HostHandle* p = pFileOf(hFile);
    if (p == NULL || bArmedFailure(HOST_SET_END_OF_FILE))
        return FALSE;
    off_t nAt = lseek(p->fd, 0, SEEK_CUR);
    return (nAt >= 0 && ftruncate(p->fd, nAt) == 0) || bFail(dwErrorOf(errno));
}

BOOL CloseHandle(HANDLE hObject)
{
    HostHandle* p = (HostHandle*)hObject;
    if (p == NULL || hObject == INVALID_HANDLE_VALUE || p->nKind == KIND_FIND)
        return bFail(ERROR_INVALID_HANDLE);
    BOOL bOk = TRUE;
    if (p->nKind == KIND_FILE) {
        int bArmed = bArmedFailure(HOST_CLOSE_HANDLE);
        bOk = (close(p->fd) == 0 || bFail(dwErrorOf(errno))) && !bArmed;
    }
    free(p);
    return bOk;
}

// The next name in the search that matches its pattern, as the platform
// matches it (without regard to case).
static BOOL bFindNext(HostHandle* p, WIN32_FIND_DATAA* pFound)
{
    struct dirent* pEntry;
    while ((pEntry = readdir(p->pDir)) != NULL) {
        if (fnmatch(p->szPattern, pEntry->d_name, FNM_CASEFOLD | FNM_NOESCAPE) != 0)
            continue;
        char szPath[2 * MAX_PATH];
        snprintf(szPath, sizeof(szPath), "%s/%s", p->szDir, pEntry->d_name);
        pFound->dwFileAttributes = GetFileAttributesA(szPath);
        snprintf(pFound->cFileName, sizeof(pFound->cFileName), "%s", pEntry->d_name);
        return TRUE;
    }
    return bFail(ERROR_NO_MORE_FILES);
}

HANDLE FindFirstFileA(LPCSTR pszPattern, WIN32_FIND_DATAA* pFound)
{
    if (pszPattern == NULL)
        return bFail(ERROR_INVALID_PARAMETER), INVALID_HANDLE_VALUE;
    HostHandle* p = pNewHandle(KIND_FIND);
    if (p == NULL)
        return bFail(ERROR_NOT_ENOUGH_MEMORY), INVALID_HANDLE_VALUE;
    const char* pszName = strrchr(pszPattern, '/');
    if (pszName == NULL)
        snprintf(p->szDir, sizeof(p->szDir), ".");
    else
        snprintf(p->szDir, sizeof(p->szDir), "%.*s", (int)(pszName - pszPattern), pszPattern);
    snprintf(p->szPattern, sizeof(p->szPattern), "%s", pszName == NULL ? pszPattern : pszName + 1);
    p->pDir = opendir(p->szDir);
    if (p->pDir == NULL) {
        g_dwLastError = dwErrorOf(errno);
        free(p);
        return INVALID_HANDLE_VALUE;
    }
    if (!bFindNext(p, pFound)) {
        FindClose(p);
        return bFail(ERROR_FILE_NOT_FOUND), INVALID_HANDLE_VALUE;
    }
    return p;
}

BOOL FindNextFileA(HANDLE hFind, WIN32_FIND_DATAA* pFound)
{
    HostHandle* p = (HostHandle*)hFind;
    if (p == NULL || hFind == INVALID_HANDLE_VALUE || p->nKind != KIND_FIND)
        return bFail(ERROR_INVALID_HANDLE);
    return bFindNext(p, pFound);
}

BOOL FindClose(HANDLE hFind)
{
    HostHandle* p = (HostHandle*)hFind;
    if (p == NULL || hFind == INVALID_HANDLE_VALUE || p->nKind != KIND_FIND)
        return bFail(ERROR_INVALID_HANDLE);
    closedir(p->pDir);
    free(p);
    return TRUE;
}

DWORD GetCurrentProcessId(void)
{
    return (DWORD)getpid();
}

HANDLE OpenProcess(DWORD dwAccess, BOOL bInherit, DWORD dwPid)
{
    (void)dwAccess;
    (void)bInherit;
    // The platform's answers: no such process, or one of another user's.
    if (dwPid == 0 || dwPid > (DWORD)INT_MAX || (kill((pid_t)dwPid, 0) != 0 && errno == ESRCH))
        return bFail(ERROR_INVALID_PARAMETER), (HANDLE)NULL;
    if (kill((pid_t)dwPid, 0) != 0)
        return bFail(ERROR_ACCESS_DENIED), (HANDLE)NULL;
    HostHandle* p = pNewHandle(KIND_PROCESS);
    if (p == NULL)
        return bFail(ERROR_NOT_ENOUGH_MEMORY), (HANDLE)NULL;
    p->pid = (pid_t)dwPid;
    return p;
}

BOOL GetExitCodeProcess(HANDLE hProcess, DWORD* pdwCode)
{
    HostHandle* p = (HostHandle*)hProcess;
    if (p == NULL || hProcess == INVALID_HANDLE_VALUE || p->nKind != KIND_PROCESS)
        return bFail(ERROR_INVALID_HANDLE);
    // Its real exit code is not known to any other process here.
    *pdwCode = (kill(p->pid, 0) == 0 || errno == EPERM) ? STILL_ACTIVE : 0;
    return TRUE;
}
