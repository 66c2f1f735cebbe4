// Driving the real kurslotse.exe from a separate Win32 process: start it in
// a fresh working directory, find its windows, send it real input, read back
// control texts, focus and pixels, and end it.
#ifndef KL_TESTS_E2E_SESSION_H
#define KL_TESTS_E2E_SESSION_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "calc/app_state.h"
#include "support/files.h"

// Generous: Wine can be slow to start a process on a loaded machine.
const DWORD kStartTimeoutMs = 30000;
const DWORD kWaitTimeoutMs = 10000;

// Polls until bDone() holds or nTimeoutMs pass; returns the last result.
bool bWaitFor(const std::function<bool()>& bDone, DWORD nTimeoutMs = kWaitTimeoutMs);

// The program under test (environment KL_KURSLOTSE_EXE, a Unix or Windows path).
std::string strProgramPath(const char* pszEnvName = "KL_KURSLOTSE_EXE");
// A Unix path as Wine's drive Z: shows it; other paths unchanged.
std::string strWindowsPath(const std::string& strPath);

// A new empty directory under the temporary folder.
std::string strNewTempDir(void);
void vRemoveTree(const std::string& strDir);
bool bFileExists(const std::string& strPath);

// 1 when the program must show its version reminder on the local date
// given: more than 310 days after 27 March 2013 and an odd day of the month.
// Worked out here independently of the program's own code.
bool bReminderDueOn(int nYear, int nMonth, int nDay);
bool bReminderDueToday(void);

// A top-level window of process dwPid with the class and title given.
HWND hFindTopWindow(DWORD dwPid, const char* pszClass, const char* pszTitle);
// The window that has the keyboard focus in hWnd's thread.
HWND hFocusIn(HWND hWnd);
// The active window of hWnd's thread.
HWND hActiveIn(HWND hWnd);
std::string strTextOf(HWND hWnd);
void vSetText(HWND hWnd, const std::string& str);

// Real keyboard input through the system's input queue (SendInput): key
// state, TranslateMessage and the focused window all take part.
void vPressKey(WORD wVk, bool bShift = false);
// A key pressed while a modifier (VK_MENU, VK_CONTROL) is held.
void vPressKeyWith(WORD wModifier, WORD wVk);
void vTypeText(const std::string& str);
// Real mouse input (SendInput) at a point in a window's client pixels: the
// pointer moved there, or moved there and the left button clicked; and the
// left button pressed or released where the pointer is.
void vMoveMouseTo(HWND hWnd, int x, int y);
void vClickAt(HWND hWnd, int x, int y);
void vLeftButton(bool bDown);
// The window that has captured the mouse in hWnd's thread.
HWND hCaptureIn(HWND hWnd);

// The eight numbers of a flight, airspeed to fuel flow.
const int kFirstNumber = 2;
const int kTypedNumbers = 8;
struct Session;
// Types them with real keys and Tab between them, starting in the airspeed
// edit, which must have the focus. "" when every edit then holds exactly
// what was typed, else which do not.
std::string strTypeNumbers(const Session& app, const char* const* pszTyped);

// The client area's pixels, captured with GetDC + BitBlt.
struct Shot {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<DWORD> vecPixels; // 0x00RRGGBB, top row first
    DWORD dwAt(int x, int y) const { return vecPixels[(size_t)y * nWidth + x]; }
};
Shot shotOf(HWND hWnd);
// A rectangle of the screen (for the menu bar, outside the client area).
Shot shotOfScreen(const RECT& rc);
// The part of a shot from (x0, y0) to its right and bottom edges.
Shot shotCrop(const Shot& shot, int x0, int y0);
bool bSaveBmp(const Shot& shot, const std::string& strPath);

// One run of the program in its own working directory.
struct Session {
    std::string strDir;
    PROCESS_INFORMATION pi = {};
    HWND hMain = NULL;
    bool bReminderSeen = false;

    // Starts the program in strDir, waits for its main window and its first
    // paint, and closes the reminder when it is due (noting it was seen).
    // pszEnvExtra ("NAME=value") goes into the child's environment only.
    bool bStart(const std::string& strWorkDir, const char* pszEnvExtra = NULL);
    // Waits for the process to end; its exit code, or -1 on timeout.
    long nWaitExit(DWORD nTimeoutMs = kWaitTimeoutMs);
    // Chooses "Beenden" (the menu's command) and waits for the exit code.
    long nQuit(DWORD nTimeoutMs = kWaitTimeoutMs);
    void vKill(void);
    HWND hEdit(int id) const { return GetDlgItem(hMain, id); }
    HWND hUnitBox(int id) const;
    std::string strSettingsPath(void) const { return strDir + "\\flugstat.txt"; }
};

#endif
