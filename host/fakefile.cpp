// The file calls of the host build, on the host's own file system: the same
// answers the platform gives for what the program asks.
#include "host/fakefile.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

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
    case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
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

// An open file of the host layer: its descriptor, and the path it was
// opened by, which delete-on-close removes at the close.
struct HostHandle {
    int fd;
    bool bDeleteOnClose;
    char szPath[PATH_MAX];
};

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

HANDLE CreateFileA(LPCSTR pszPath, DWORD dwAccess, DWORD dwShare, void* pSecurity, DWORD dwDisposition,
                   DWORD dwFlags, HANDLE hTemplate)
{
    // Sharing is not modelled: the host's files have no such locks.
    (void)dwShare;
    (void)pSecurity;
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
    // As the platform: a file that goes at its close must be opened with
    // the right to delete it.
    bool bDeleteOnClose = (dwFlags & FILE_FLAG_DELETE_ON_CLOSE) != 0;
    if (bDeleteOnClose && !(dwAccess & DELETE))
        return bFail(ERROR_INVALID_PARAMETER), INVALID_HANDLE_VALUE;
    if (strlen(pszPath) >= PATH_MAX)
        return bFail(ERROR_FILENAME_EXCED_RANGE), INVALID_HANDLE_VALUE;
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
    HostHandle* p = (HostHandle*)calloc(1, sizeof(HostHandle));
    if (p == NULL)
        return bFail(ERROR_NOT_ENOUGH_MEMORY), INVALID_HANDLE_VALUE;
    p->fd = open(pszPath, nFlags, 0666);
    p->bDeleteOnClose = bDeleteOnClose;
    snprintf(p->szPath, sizeof(p->szPath), "%s", pszPath);
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
    if (p == NULL || h == INVALID_HANDLE_VALUE) {
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

BOOL FlushFileBuffers(HANDLE hFile)
{
    // Waiting until the bytes are on the disk is not modelled: a sync per
    // call would make the settings fuzzer wait on the disk.
    return pFileOf(hFile) != NULL && !bArmedFailure(HOST_FLUSH_FILE);
}

BOOL CloseHandle(HANDLE hObject)
{
    HostHandle* p = pFileOf(hObject);
    if (p == NULL)
        return FALSE;
    int bArmed = bArmedFailure(HOST_CLOSE_HANDLE);
    BOOL bOk = (close(p->fd) == 0 || bFail(dwErrorOf(errno))) && !bArmed;
    // The name it was made under goes, whatever other names it has now; a
    // folder that refuses the removal keeps it, and the close still counts.
    if (p->bDeleteOnClose)
        unlink(p->szPath);
    free(p);
    return bOk;
}

// The platform's answer for a buffer of nSize bytes: the length copied, or
// the size needed with its terminating zero.
static DWORD dwCopyPath(const char* pszFrom, LPSTR pszPath, DWORD nSize)
{
    size_t n = strlen(pszFrom);
    if (n >= nSize)
        return (DWORD)n + 1;
    memcpy(pszPath, pszFrom, n + 1);
    return (DWORD)n;
}

DWORD GetFullPathNameA(LPCSTR pszName, DWORD nSize, LPSTR pszPath, LPSTR* ppszFilePart)
{
    if (pszName == NULL || *pszName == '\0')
        return bFail(ERROR_INVALID_PARAMETER), 0;
    char szCwd[PATH_MAX];
    if (pszName[0] != '/' && getcwd(szCwd, sizeof(szCwd)) == NULL)
        return bFail(dwErrorOf(errno)), 0;
    std::string strFull = pszName[0] == '/' ? std::string(pszName) : std::string(szCwd) + "/" + pszName;
    DWORD n = dwCopyPath(strFull.c_str(), pszPath, nSize);
    if (ppszFilePart != NULL && n < nSize)
        *ppszFilePart = strrchr(pszPath, '/') + 1;
    return n;
}

DWORD GetFinalPathNameByHandleA(HANDLE hFile, LPSTR pszPath, DWORD nSize, DWORD dwFlags)
{
    (void)dwFlags; // the drive's path, normalized: the only form asked for
    HostHandle* p = pFileOf(hFile);
    if (p == NULL)
        return 0;
    // Where the file really is, links followed, in the platform's long form.
    char szProc[64];
    char szReal[PATH_MAX];
    snprintf(szProc, sizeof(szProc), "/proc/self/fd/%d", p->fd);
    ssize_t n = readlink(szProc, szReal, sizeof(szReal) - 1);
    if (n < 0)
        return bFail(dwErrorOf(errno)), 0;
    szReal[n] = '\0';
    return dwCopyPath((std::string("\\\\?\\") + szReal).c_str(), pszPath, nSize);
}

int MultiByteToWideChar(UINT uCodePage, DWORD dwFlags, LPCSTR pszText, int nBytes, WCHAR* pwszOut, int nChars)
{
    (void)dwFlags;
    if (uCodePage != CP_ACP || pszText == NULL)
        return bFail(ERROR_INVALID_PARAMETER), 0;
    int n = nBytes < 0 ? (int)strlen(pszText) + 1 : nBytes;
    if (n > nChars)
        return bFail(ERROR_INSUFFICIENT_BUFFER), 0;
    for (int i = 0; i < n; i++)
        pwszOut[i] = (WCHAR)(unsigned char)pszText[i];
    return n;
}

// The native answers the link call gives.
static const NTSTATUS kStatusAccessDenied = (NTSTATUS)0xC0000022;
static const NTSTATUS kStatusNameCollision = (NTSTATUS)0xC0000035;
static const NTSTATUS kStatusPathSyntaxBad = (NTSTATUS)0xC000003B;
static const NTSTATUS kStatusNotSameDevice = (NTSTATUS)0xC00000D4;
static const NTSTATUS kStatusDiskFull = (NTSTATUS)0xC000007F;
static const NTSTATUS kStatusInvalidInfoClass = (NTSTATUS)0xC0000003;
static const NTSTATUS kStatusInvalidParameter = (NTSTATUS)0xC000000D;
static const NTSTATUS kStatusUnsuccessful = (NTSTATUS)0xC0000001;
static const FILE_INFORMATION_CLASS kFileLinkInformation = 11;

static NTSTATUS statusOf(int nErrno)
{
    switch (nErrno) {
    case EEXIST: return kStatusNameCollision;
    case EPERM:
    case EACCES:
    case EISDIR:
    case EROFS: return kStatusAccessDenied;
    case EXDEV: return kStatusNotSameDevice;
    case ENOSPC:
    case EDQUOT: return kStatusDiskFull;
    default: return kStatusUnsuccessful;
    }
}

// The record of the link call (FILE_LINK_INFORMATION), name in UTF-16.
struct HostLinkInformation {
    BOOLEAN bReplaceIfExists;
    HANDLE hRootDirectory;
    ULONG ulFileNameLength;
    WCHAR wszFileName[1];
};

NTSTATUS NtSetInformationFile(HANDLE hFile, IO_STATUS_BLOCK* pIo, void* pInfo, ULONG ulLength,
                              FILE_INFORMATION_CLASS nClass)
{
    static const char kNtPrefix[] = "\\??\\";
    HostHandle* p = pFileOf(hFile);
    if (p == NULL)
        return (NTSTATUS)0xC0000008; // invalid handle
    if (nClass != kFileLinkInformation)
        return kStatusInvalidInfoClass;
    const HostLinkInformation* pLink = (const HostLinkInformation*)pInfo;
    size_t nName = pLink->ulFileNameLength / sizeof(WCHAR);
    if (ulLength < offsetof(HostLinkInformation, wszFileName) + pLink->ulFileNameLength)
        return kStatusInvalidParameter;
    std::string strName;
    for (size_t i = 0; i < nName; i++) {
        if (pLink->wszFileName[i] > 0xFF)
            return kStatusInvalidParameter;
        strName += (char)pLink->wszFileName[i];
    }
    // Without a folder handle only a full path in the system's form will do
    // (Wine answers a plain name so too).
    if (pLink->hRootDirectory != NULL || strName.compare(0, sizeof(kNtPrefix) - 1, kNtPrefix) != 0)
        return kStatusPathSyntaxBad;
    const char* pszTo = strName.c_str() + sizeof(kNtPrefix) - 1;
    if (bArmedFailure(HOST_LINK_FILE))
        return (NTSTATUS)g_dwLastError;
    // As Wine's server does it: a name there already is removed first, then
    // the link made; the same file under it already is left as it is.
    struct stat stTo, stFile;
    if (lstat(pszTo, &stTo) == 0) {
        if (fstat(p->fd, &stFile) == 0 && stTo.st_ino == stFile.st_ino && stTo.st_dev == stFile.st_dev)
            return pLink->bReplaceIfExists ? 0 : kStatusNameCollision;
        if (!pLink->bReplaceIfExists)
            return kStatusNameCollision;
        // Directories are never replaced, nor (as on the platform) a
        // read-only file.
        if (S_ISDIR(stTo.st_mode) || (S_ISREG(stTo.st_mode) && !(stTo.st_mode & S_IWUSR)))
            return kStatusAccessDenied;
        if (unlink(pszTo) != 0 && errno != ENOENT)
            return statusOf(errno);
    }
    if (link(p->szPath, pszTo) != 0)
        return statusOf(errno);
    if (pIo != NULL) {
        pIo->Status = 0;
        pIo->Information = 0;
    }
    return 0;
}

DWORD GetCurrentProcessId(void)
{
    return (DWORD)getpid();
}
