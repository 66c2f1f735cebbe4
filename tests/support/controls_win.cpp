#include "support/controls.h"

#include <vector>

// All test controls are children of one hidden top-level window, like the
// program's controls are children of its main window.
static HWND g_hParent = NULL;
static std::vector<HWND> g_vecControls;

static HWND hParent(void)
{
    if (g_hParent == NULL)
        g_hParent = CreateWindowExA(0, "static", "", WS_OVERLAPPED, 0, 0, 400, 300, NULL, NULL,
                                    GetModuleHandleA(NULL), NULL);
    return g_hParent;
}

static HWND hChild(const char* pszClass, DWORD dwStyle, int nHeight)
{
    HWND hWnd = CreateWindowExA(0, pszClass, "", WS_CHILD | dwStyle, 0, 0, 300, nHeight, hParent(),
                                NULL, GetModuleHandleA(NULL), NULL);
    g_vecControls.push_back(hWnd);
    return hWnd;
}

HWND testNewEdit(void) { return hChild("edit", ES_AUTOHSCROLL, 24); }

HWND testNewCombo(const char* pszItem0, const char* pszItem1, int nSel)
{
    HWND hWnd = hChild("combobox", WS_VSCROLL | CBS_DROPDOWN, 100);
    SendMessageA(hWnd, CB_INSERTSTRING, 0, (LPARAM)pszItem0);
    SendMessageA(hWnd, CB_INSERTSTRING, 1, (LPARAM)pszItem1);
    SendMessageA(hWnd, CB_SETCURSEL, (WPARAM)nSel, 0);
    return hWnd;
}

void testSetText(HWND hWnd, const char* pszText) { SetWindowTextA(hWnd, pszText); }
void testClearSelection(HWND hWnd) { SendMessageA(hWnd, CB_SETCURSEL, (WPARAM)-1, 0); }
void testSelect(HWND hWnd, int nSel) { SendMessageA(hWnd, CB_SETCURSEL, (WPARAM)nSel, 0); }

void testDestroyControls(void)
{
    for (HWND hWnd : g_vecControls)
        DestroyWindow(hWnd);
    g_vecControls.clear();
}
