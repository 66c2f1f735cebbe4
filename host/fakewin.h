// Test-side view of the host's fake controls: a window is a record holding
// a text and a combobox selection that tests set and read directly.
#ifndef KL_HOST_FAKEWIN_H
#define KL_HOST_FAKEWIN_H

#include <windows.h>

// A new fake control with an empty text and no selection (CB_ERR).
HWND hostNewWindow(void);

// Text as GetWindowTextA will report it; as SetWindowTextA last wrote it.
void hostSetWindowText(HWND hWnd, const char* pszText);
const char* hostWindowText(HWND hWnd);

// Index that CB_GETCURSEL reports (CB_ERR for none); CB_SETCURSEL sets it.
void hostSetSelection(HWND hWnd, int nSel);
int hostSelection(HWND hWnd);

// How many times SetWindowTextA was called on the window.
int hostSetTextCount(HWND hWnd);

// Screen and control metrics that GetSystemMetrics reports.
void hostSetSystemMetric(int nIndex, int nValue);

// The decimal separator GetLocaleInfoA reports for LOCALE_SDECIMAL (at most
// three characters, as on the platform); null makes the call fail. "."
// until set, and again after hostResetWindows.
void hostSetDecimalSeparator(const char* pszSeparator);

// Frees every fake window and restores the default metrics.
void hostResetWindows(void);

#endif
