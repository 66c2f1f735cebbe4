// Message dispatch of the main window and of the ten input edits.
#include "shell/wndproc.h"

#include <string.h>

#include "calc/app_state.h"
#include "calc/input.h"
#include "calc/units.h"
#include "diagram/diagram.h"
#include "diagram/mapping.h"
#include "form/form_layout.h"
#include "form/form_paint.h"
#include "settings/settings.h"
#include "shell/access.h"
#include "shell/clipboard.h"
#include "shell/create.h"
#include "shell/print.h"
#include "shell/resource.h"

void vDeleteFonts(void)
{
    DeleteObject(pApp->pForm->hFont);
    vDeleteDiagramFont();
}

// The settings are written as the session ends or else as the window is
// destroyed, and once more only for a unit changed after a save that
// succeeded: a save that failed (the file held by another program) is tried
// again at the next occasion.
static void vSaveSettings(void)
{
    if (pApp->bSettingsSaved && !pApp->bUnitChangedSinceSave)
        return;
    pApp->bUnitChangedSinceSave = 0;
    pApp->bSettingsSaved = vPutStat();
}

static void vMesDestroy(HWND hWnd)
{
    vDeleteFonts();
    KillTimer(hWnd, IDT_REDRAW);
    vSaveSettings();
    PostQuitMessage(0);
}

// Logging off or shutting down: the process may be ended without its window
// ever being destroyed, so the settings are written now. A session end that
// was called off (wParam 0) changes nothing.
static void vMesEndSession(WPARAM wParam)
{
    if (wParam)
        vSaveSettings();
}

void vMesSize(HWND hWnd, UINT uMsg, UINT uParam, LPARAM lParam)
{
    (void)uMsg;
    (void)uParam;
    FormState* pForm = pApp->pForm;
    pForm->nClientWidth = LOWORD(lParam);
    pForm->nClientHeight = HIWORD(lParam);
    // The form depends on the height only; a new width leaves it alone.
    if (vFormLayout(hWnd)) {
        for (int i = 0; i < INPUT_COUNT; i++) {
            MoveWindow(pForm->hEdit[i], pForm->ptEditPos[i].x, pForm->ptEditPos[i].y, pForm->sizeEdit[i].cx,
                       pForm->sizeEdit[i].cy, TRUE);
            MoveWindow(pForm->hUnit[i], pForm->ptUnit[i].x, pForm->ptUnit[i].y, pForm->sizeUnit[i].cx,
                       pForm->sizeUnit[i].cy, TRUE);
            vFitUnitBoxHeight(i);
        }
    }
    vDiagramLayout(hWnd);
}

// The window is never made smaller than the client in which every field,
// caption and result is whole, at this screen's DPI; its frame and menu
// bar are added to that client.
static void vMesGetMinMaxInfo(HWND hWnd, LPARAM lParam)
{
    SIZE size;
    if (!vMinClientSize(&size))
        return; // not laid out yet: the window is being created
    RECT rc = {0, 0, size.cx, size.cy};
    AdjustWindowRectEx(&rc, (DWORD)GetWindowLongPtrA(hWnd, GWL_STYLE), GetMenu(hWnd) != NULL,
                       (DWORD)GetWindowLongPtrA(hWnd, GWL_EXSTYLE));
    MINMAXINFO* pInfo = (MINMAXINFO*)lParam;
    pInfo->ptMinTrackSize.x = rc.right - rc.left;
    pInfo->ptMinTrackSize.y = rc.bottom - rc.top;
}

void vMesPaint(HWND hWnd, UINT uMsg, UINT uParam, LPARAM lParam)
{
    (void)uMsg;
    (void)uParam;
    (void)lParam;
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hWnd, &ps);
    SetBkMode(hdc, TRANSPARENT);
    if (pApp->pForm->bFormLaidOut)
        vPaintForm(hdc, &ps);
    if (pApp->pDiagram->bShowDiagram) {
        int nSaved = SaveDC(hdc);
        vPaintDiagram(hdc, &ps);
        RestoreDC(hdc, nSaved); // back in client pixels for the focus marks
        vPaintResultsFocus(hWnd, hdc);
    }
    EndPaint(hWnd, &ps);
    if (pApp->pDiagram->bShowDiagram)
        vAnnounceResults(hWnd);
}

void vMesCommand(HWND hWnd, UINT uMsg, UINT uParam, LPARAM lParam)
{
    (void)lParam;
    FormState* pForm = pApp->pForm;
    if (uParam == IDM_QUIT) {
        DestroyWindow(hWnd);
    } else if (uParam == IDM_COPY) {
        vCopyFlight(hWnd);
    } else if (uParam == IDM_PRINT) {
        vPrintFlight(hWnd);
    } else if (uParam == IDM_INFO) {
        DialogBoxParamA(pForm->hInst, MAKEINTRESOURCEA(IDD_INFO), hWnd, pForm->pfnDialogProc, 0);
    } else if (uParam < INPUT_COUNT) {
        // Every edit notification; the handler itself sees whether the text changed.
        vMesComText(uMsg, (WPARAM)uParam);
    } else if (vUnitBoxInput(uParam) >= 0) {
        vMesComUnit(uMsg, (WPARAM)uParam);
    }
}

// The keyboard in a field, its whole text selected so that typing replaces it.
static void vSelectField(int id)
{
    HWND hEdit = pApp->pForm->hEdit[id];
    SetFocus(hEdit);
    SendMessageA(hEdit, EM_SETSEL, 0, -1);
}

// A box's field keeps its text highlighted also without the focus; only one
// place at a time should look selected.
static void vHideBoxSelection(HWND hBox)
{
    SendMessageA(hBox, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
}

// WM_COMMAND with its notification code. A unit box's list, open, shows the
// choices without taking one: the arrow keys only move through it. The
// choice is taken once the list has closed (a pick with Enter or the
// mouse), and an Escape or a click elsewhere leaves the unit in use. Once
// the list is shut the box hands the keyboard back to its input's field,
// since the boxes are outside the Tab order; the box finishes its own mouse
// and focus handling first, so that is posted, not done at once.
static void vMesComNotify(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    UINT uId = LOWORD(wParam);
    UINT uCode = HIWORD(wParam);
    int id = vUnitBoxInput(uId);
    if (id < 0) {
        vMesCommand(hWnd, WM_COMMAND, uId, lParam);
        return;
    }
    HWND hBox = pApp->pForm->hUnit[id];
    switch (uCode) {
    case CBN_SELENDCANCEL:
        SendMessageA(hBox, CB_SETCURSEL, (WPARAM)pApp->pForm->nUnitSel[id], 0);
        return;
    case CBN_CLOSEUP:
        PostMessageA(hWnd, WM_UNIT_CLOSED, (WPARAM)id, 0);
        return;
    case CBN_KILLFOCUS:
        vHideBoxSelection(hBox);
        break;
    default:
        if (SendMessageA(hBox, CB_GETDROPPEDSTATE, 0, 0))
            return;
        break;
    }
    vMesCommand(hWnd, WM_COMMAND, uId, lParam);
}

// The list has closed: its choice is taken, and the keyboard goes back to
// the field with its text selected, as Tab leaves it. Only while the focus
// is still in that box: a click elsewhere in the meantime has chosen its
// own place.
static void vMesUnitClosed(HWND hWnd, WPARAM wParam)
{
    FormState* pForm = pApp->pForm;
    if (wParam >= INPUT_COUNT || !vHasUnitChoice((int)wParam))
        return; // not a unit box's input
    HWND hBox = pForm->hUnit[wParam];
    if (SendMessageA(hBox, CB_GETDROPPEDSTATE, 0, 0))
        return; // opened again since
    vMesCommand(hWnd, WM_COMMAND, (UINT)(IDC_UNIT_BASE + wParam), (LPARAM)hBox);
    HWND hFocus = GetFocus();
    if (hFocus == NULL || (hFocus != hBox && !IsChild(hBox, hFocus)))
        return;
    vSelectField((int)wParam);
    vHideBoxSelection(hBox);
}

// F4, Alt+Down and Alt+Up in a field open its unit box's list, as they
// would in the box itself; 1 when the key was one of them.
static int bMesUnitKey(int id, UINT uMsg, WPARAM wParam)
{
    int bKey = (uMsg == WM_KEYDOWN && wParam == VK_F4) ||
               (uMsg == WM_SYSKEYDOWN && (wParam == VK_DOWN || wParam == VK_UP));
    if (!bKey || !vHasUnitChoice(id))
        return 0;
    HWND hBox = pApp->pForm->hUnit[id];
    SetFocus(hBox);
    SendMessageA(hBox, CB_SHOWDROPDOWN, TRUE, 0);
    return 1;
}

// The delayed redraw: the diagram panel is invalidated only once the inputs
// have stayed unchanged for nLimit milliseconds.
void vMesTimer(HWND hWnd, UINT uMsg, UINT uParam, LPARAM lParam)
{
    (void)uMsg;
    (void)uParam;
    (void)lParam;
    RedrawTimer* pTimer = pApp->pTimer;
    if (!pTimer->bPending) {
        pTimer->nElapsed = 0;
        return;
    }
    pTimer->nElapsed += pTimer->nStep;
    if (pTimer->nElapsed < pTimer->nLimit)
        return;
    pTimer->bPending = 0;
    const Box& rc = pApp->pForm->rcDiagram;
    RECT r = {rc.x, rc.y, rc.x + rc.cx, rc.y + rc.cy};
    InvalidateRect(hWnd, &r, TRUE);
}

// The main window itself takes no keys: when it gets the focus back (after a
// dialog closed, or on activation), the edit that had it before gets it.
static void vMesSetFocus(HWND hWnd)
{
    FormState* pForm = pApp->pForm;
    if (pForm->bResultsFocus)
        vShowResultsFocus(hWnd); // the keyboard stays in the results block
    else
        SetFocus(pForm->hEdit[pForm->nFocusInput]);
}

extern "C" LRESULT __stdcall WndMaiProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    UINT uLow = LOWORD(wParam);
    switch (uMsg) {
    case WM_CREATE: vMesCreate(hWnd, uMsg, uLow, lParam); return 0;
    case WM_DESTROY: vMesDestroy(hWnd); return 0;
    case WM_ENDSESSION: vMesEndSession(wParam); return 0;
    case WM_SIZE: vMesSize(hWnd, uMsg, uLow, lParam); return 0;
    case WM_GETMINMAXINFO: vMesGetMinMaxInfo(hWnd, lParam); return 0;
    case WM_PAINT: vMesPaint(hWnd, uMsg, uLow, lParam); return 0;
    case WM_COMMAND: vMesComNotify(hWnd, wParam, lParam); return 0;
    case WM_UNIT_CLOSED: vMesUnitClosed(hWnd, wParam); return 0;
    case WM_TIMER: vMesTimer(hWnd, uMsg, uLow, lParam); return 0;
    case WM_SETFOCUS: vMesSetFocus(hWnd); return 0;
    case WM_KILLFOCUS: vShowResultsFocus(hWnd); return 0;
    case WM_KEYDOWN:
        if (bMesResultsKey(hWnd, wParam))
            return 0;
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    case WM_GETOBJECT: return lMesGetObject(hWnd, wParam, lParam);
    case WM_QUERYNEWPALETTE: return 0;
    case WM_PALETTECHANGED: return 0;
    default: return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    }
}

// Tab and Shift+Tab move the focus over the ten edits in input order, with
// wrap-around, and select the text there as dialog navigation does, so that
// typing replaces the value; everything else is the plain edit's behaviour.
static void vMesTabKey(int id)
{
    vSelectField((GetKeyState(VK_SHIFT) < 0) ? (id + INPUT_COUNT - 1) % INPUT_COUNT : (id + 1) % INPUT_COUNT);
}

// The edit's length limit holds for typing and pasting only: a text set
// from outside (another program, an automation tool) is cut to what the
// program reads, so that the field never shows more than is computed.
static LRESULT lMesSetText(HWND hWnd, int id, LPARAM lParam)
{
    const char* pszText = (const char*)lParam;
    char szFitted[INPUT_TEXT_SIZE];
    if (pszText != NULL && strnlen(pszText, INPUT_TEXT_SIZE) == INPUT_TEXT_SIZE) {
        memcpy(szFitted, pszText, INPUT_TEXT_SIZE - 1);
        szFitted[INPUT_TEXT_SIZE - 1] = '\0';
        pszText = szFitted;
    }
    return CallWindowProcA(pApp->pForm->pfnOrigEditProc[id], hWnd, WM_SETTEXT, 0, (LPARAM)pszText);
}

extern "C" LRESULT __stdcall WndTexProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    FormState* pForm = pApp->pForm;
    int id = GetDlgCtrlID(hWnd);
    // Only the ten input edits carry this procedure; anything else has no
    // saved procedure to pass on to.
    if (id < 0 || id >= INPUT_COUNT || pForm->pfnOrigEditProc[id] == NULL)
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    if (uMsg == WM_SETFOCUS) {
        pForm->nFocusInput = id;
        vLeaveResults(pForm->hWndMain);
    }
    if (uMsg == WM_KEYDOWN && wParam == VK_F6) {
        vEnterResults(pForm->hWndMain); // the next pane
        return 0;
    }
    if (uMsg == WM_KEYDOWN && LOWORD(wParam) == VK_TAB)
        vMesTabKey(id);
    if (bMesUnitKey(id, uMsg, wParam)) {
        vPassAltArrow(hWnd, uMsg, wParam, lParam); // taken here, not typed
        return 0;
    }
    if (uMsg == WM_SETTEXT)
        return lMesSetText(hWnd, id, lParam);
    return CallWindowProcA(pForm->pfnOrigEditProc[id], hWnd, uMsg, wParam, lParam);
}
