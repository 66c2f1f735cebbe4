#include "support/controls.h"

#include "fakewin.h"

HWND testNewEdit(void) { return hostNewWindow(); }

HWND testNewCombo(const char* pszItem0, const char* pszItem1, int nSel)
{
    HWND hWnd = hostNewWindow();
    SendMessageA(hWnd, CB_INSERTSTRING, 0, (LPARAM)pszItem0);
    SendMessageA(hWnd, CB_INSERTSTRING, 1, (LPARAM)pszItem1);
    hostSetSelection(hWnd, nSel);
    return hWnd;
}

void testSetText(HWND hWnd, const char* pszText) { hostSetWindowText(hWnd, pszText); }
void testClearSelection(HWND hWnd) { hostSetSelection(hWnd, CB_ERR); }
void testSelect(HWND hWnd, int nSel) { hostSetSelection(hWnd, nSel); }
void testDestroyControls(void) { hostResetWindows(); }
