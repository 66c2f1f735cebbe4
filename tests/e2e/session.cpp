#include "session.h"

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include "shell/resource.h"
#include "support/bitmap_file.h"

bool bWaitFor(const std::function<bool()>& bDone, DWORD nTimeoutMs)
{
    DWORD dwStart = GetTickCount();
    while (!bDone()) {
        if (GetTickCount() - dwStart > nTimeoutMs)
            return bDone();
        Sleep(10);
    }
    return true;
}

std::string strProgramPath(const char* pszEnvName)
{
    const char* psz = getenv(pszEnvName);
    return strWindowsPath(psz ? psz : "");
}

std::string strWindowsPath(const std::string& strPath)
{
    std::string str = strPath;
    // A Unix path reaches Windows through Wine's drive Z:.
    if (!str.empty() && str[0] == '/') {
        str = "Z:" + str;
        for (char& c : str)
            if (c == '/')
                c = '\\';
    }
    return str;
}

std::string strNewTempDir(void)
{
    char szBase[MAX_PATH];
    char szFile[MAX_PATH];
    GetTempPathA(MAX_PATH, szBase);
    GetTempFileNameA(szBase, "kle", 0, szFile);
    DeleteFileA(szFile);
    CreateDirectoryA(szFile, NULL);
    return szFile;
}

void vRemoveTree(const std::string& strDir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((strDir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string strName = fd.cFileName;
            if (strName != "." && strName != "..")
                DeleteFileA((strDir + "\\" + strName).c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(strDir.c_str());
}

bool bFileExists(const std::string& strPath) { return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Days from 1 January of year 0 (proleptic Gregorian) to the date given.
static long nDayNumber(int y, int m, int d)
{
    if (m <= 2) {
        y -= 1;
        m += 12;
    }
    return 365L * y + y / 4 - y / 100 + y / 400 + (153 * (m - 3) + 2) / 5 + d;
}

bool bReminderDueOn(int nYear, int nMonth, int nDay)
{
    long nDays = nDayNumber(nYear, nMonth, nDay) - nDayNumber(2013, 3, 27);
    return nDays > 310 && nDay % 2 == 1;
}

bool bReminderDueToday(void)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return bReminderDueOn(st.wYear, st.wMonth, st.wDay);
}

struct FindData {
    DWORD dwPid;
    const char* pszClass;
    const char* pszTitle;
    HWND hFound;
};

static BOOL CALLBACK bFindProc(HWND hWnd, LPARAM lParam)
{
    FindData* p = (FindData*)lParam;
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    char szClass[256] = "";
    char szTitle[256] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    if (dwPid == p->dwPid && strcmp(szClass, p->pszClass) == 0 && strcmp(szTitle, p->pszTitle) == 0 &&
        IsWindowVisible(hWnd)) {
        p->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND hFindTopWindow(DWORD dwPid, const char* pszClass, const char* pszTitle)
{
    FindData d = {dwPid, pszClass, pszTitle, NULL};
    EnumWindows(bFindProc, (LPARAM)&d);
    return d.hFound;
}

// The focus and capture of hWnd's thread; all zero when it cannot be read.
static GUITHREADINFO guiThreadOf(HWND hWnd)
{
    GUITHREADINFO gti;
    memset(&gti, 0, sizeof(gti));
    gti.cbSize = sizeof(gti);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hWnd, NULL), &gti))
        memset(&gti, 0, sizeof(gti));
    return gti;
}

HWND hFocusIn(HWND hWnd) { return guiThreadOf(hWnd).hwndFocus; }

HWND hActiveIn(HWND hWnd) { return guiThreadOf(hWnd).hwndActive; }

HWND hCaptureIn(HWND hWnd) { return guiThreadOf(hWnd).hwndCapture; }

std::string strTextOf(HWND hWnd)
{
    char sz[1024] = "";
    SendMessageA(hWnd, WM_GETTEXT, sizeof(sz), (LPARAM)sz);
    return sz;
}

void vSetText(HWND hWnd, const std::string& str) { SendMessageA(hWnd, WM_SETTEXT, 0, (LPARAM)str.c_str()); }

static void vKeyEvent(WORD wVk, bool bUp)
{
    INPUT in;
    memset(&in, 0, sizeof(in));
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = wVk;
    in.ki.wScan = (WORD)MapVirtualKeyA(wVk, 0);
    in.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof(in));
}

void vPressKey(WORD wVk, bool bShift)
{
    if (bShift)
        vKeyEvent(VK_SHIFT, false);
    vKeyEvent(wVk, false);
    vKeyEvent(wVk, true);
    if (bShift)
        vKeyEvent(VK_SHIFT, true);
}

void vPressKeyWith(WORD wModifier, WORD wVk)
{
    vKeyEvent(wModifier, false);
    vKeyEvent(wVk, false);
    vKeyEvent(wVk, true);
    vKeyEvent(wModifier, true);
}

void vTypeText(const std::string& str)
{
    for (char c : str) {
        SHORT s = VkKeyScanA(c);
        vPressKey(LOBYTE(s), (HIBYTE(s) & 1) != 0);
    }
}

// Mouse input at a point in a window's client pixels; absolute positions run
// from 0 to 65535 over the primary screen.
static void vMouseEvents(HWND hWnd, int x, int y, const DWORD* pdwFlags, int nEvents)
{
    POINT pt = {x, y};
    ClientToScreen(hWnd, &pt);
    int nScreenW = GetSystemMetrics(SM_CXSCREEN), nScreenH = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3];
    memset(in, 0, sizeof(in));
    for (int i = 0; i < nEvents; i++) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + nScreenW / 2) / nScreenW);
        in[i].mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + nScreenH / 2) / nScreenH);
        in[i].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | pdwFlags[i];
    }
    SendInput((UINT)nEvents, in, sizeof(INPUT));
}

void vMoveMouseTo(HWND hWnd, int x, int y)
{
    const DWORD dwFlags[] = {MOUSEEVENTF_MOVE};
    vMouseEvents(hWnd, x, y, dwFlags, 1);
}

void vLeftButton(bool bDown)
{
    INPUT in;
    memset(&in, 0, sizeof(in));
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof(in));
}

void vClickAt(HWND hWnd, int x, int y)
{
    const DWORD dwFlags[] = {MOUSEEVENTF_MOVE, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    vMouseEvents(hWnd, x, y, dwFlags, 3);
}

std::string strTypeNumbers(const Session& app, const char* const* pszTyped)
{
    for (int i = 0; i < kTypedNumbers; i++) {
        vTypeText(pszTyped[i]);
        if (i < kTypedNumbers - 1)
            vPressKey(VK_TAB);
    }
    std::string strWrong;
    for (int i = 0; i < kTypedNumbers; i++) {
        HWND hEdit = app.hEdit(kFirstNumber + i);
        if (!bWaitFor([&] { return strTextOf(hEdit) == pszTyped[i]; }))
            strWrong += "edit " + std::to_string(kFirstNumber + i) + " holds «" + strTextOf(hEdit) + "»; ";
    }
    return strWrong;
}

static Shot shotFromDc(HWND hWnd, int x0, int y0, int cx, int cy)
{
    Shot shot;
    shot.nWidth = cx;
    shot.nHeight = cy;
    if (shot.nWidth <= 0 || shot.nHeight <= 0)
        return shot;
    HDC hdcWin = GetDC(hWnd);
    HDC hdcMem = CreateCompatibleDC(hdcWin);
    BITMAPINFO bi;
    memset(&bi, 0, sizeof(bi));
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = shot.nWidth;
    bi.bmiHeader.biHeight = -shot.nHeight; // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hbm = CreateDIBSection(hdcMem, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = SelectObject(hdcMem, hbm);
    BitBlt(hdcMem, 0, 0, shot.nWidth, shot.nHeight, hdcWin, x0, y0, SRCCOPY);
    GdiFlush();
    const DWORD* p = (const DWORD*)pBits;
    shot.vecPixels.assign(p, p + (size_t)shot.nWidth * shot.nHeight);
    for (DWORD& dw : shot.vecPixels)
        dw &= 0xFFFFFF;
    SelectObject(hdcMem, hOld);
    DeleteObject(hbm);
    DeleteDC(hdcMem);
    ReleaseDC(hWnd, hdcWin);
    return shot;
}

Shot shotOf(HWND hWnd)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    return shotFromDc(hWnd, 0, 0, rc.right, rc.bottom);
}

Shot shotOfScreen(const RECT& rc) { return shotFromDc(NULL, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top); }

Shot shotCrop(const Shot& shot, int x0, int y0)
{
    Shot part;
    if (x0 < 0 || y0 < 0 || x0 >= shot.nWidth || y0 >= shot.nHeight)
        return part;
    part.nWidth = shot.nWidth - x0;
    part.nHeight = shot.nHeight - y0;
    for (int y = y0; y < shot.nHeight; y++)
        for (int x = x0; x < shot.nWidth; x++)
            part.vecPixels.push_back(shot.dwAt(x, y));
    return part;
}

bool bSaveBmp(const Shot& shot, const std::string& strPath)
{
    return bWriteBmp(strPath, shot.vecPixels.data(), shot.nWidth, shot.nHeight);
}

HWND Session::hUnitBox(int id) const { return GetDlgItem(hMain, IDC_UNIT_BASE + id); }

bool Session::bStart(const std::string& strWorkDir, const char* pszEnvExtra)
{
    strDir = strWorkDir;
    std::string strExe = strProgramPath();
    STARTUPINFOA si;
    memset(&si, 0, sizeof(si));
    si.cb = sizeof(si);
    std::string strCmd = "\"" + strExe + "\"";
    // An extra environment entry ("NAME=value") for this child only.
    if (pszEnvExtra != NULL)
        putenv(pszEnvExtra);
    BOOL bOk = CreateProcessA(strExe.c_str(), &strCmd[0], NULL, NULL, FALSE, 0, NULL, strDir.c_str(), &si, &pi);
    if (pszEnvExtra != NULL) {
        std::string strUnset = std::string(pszEnvExtra).substr(0, std::string(pszEnvExtra).find('=') + 1);
        putenv(strUnset.c_str());
    }
    if (!bOk)
        return false;
    WaitForInputIdle(pi.hProcess, kStartTimeoutMs);
    bWaitFor([&] { return (hMain = hFindTopWindow(pi.dwProcessId, KL_MAIN_TITLE, KL_MAIN_TITLE)) != NULL; },
             kStartTimeoutMs);
    if (hMain == NULL)
        return false;
    // When due, the reminder comes up right after the first paint; it must be
    // closed before anything else can be done.
    HWND hDlg = NULL;
    auto bDialog = [&] { return (hDlg = hFindTopWindow(pi.dwProcessId, "#32770", "Versions-Info")) != NULL; };
    bReminderSeen = bReminderDueToday() ? bWaitFor(bDialog) : bDialog();
    if (hDlg != NULL) {
        {
            SendMessageA(GetDlgItem(hDlg, IDC_VERSION_OK), BM_CLICK, 0, 0);
            bWaitFor([&] { return !IsWindow(hDlg); });
        }
    }
    return true;
}

long Session::nQuit(DWORD nTimeoutMs)
{
    PostMessageA(hMain, WM_COMMAND, IDM_QUIT, 0);
    return nWaitExit(nTimeoutMs);
}

long Session::nWaitExit(DWORD nTimeoutMs)
{
    if (pi.hProcess == NULL)
        return -1;
    if (WaitForSingleObject(pi.hProcess, nTimeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD dwCode = 0;
    GetExitCodeProcess(pi.hProcess, &dwCode);
    return (long)dwCode;
}

void Session::vKill(void)
{
    if (pi.hProcess == NULL)
        return;
    if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, kWaitTimeoutMs);
    }
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    pi = PROCESS_INFORMATION();
}
