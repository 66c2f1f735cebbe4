// The main window's creation handler: everything the window holds is made here.
#include "shell/create.h"

#include <stdio.h>
#include <string.h>

#include "calc/app_state.h"
#include "calc/units.h"
#include "diagram/draw.h"
#include "form/form_layout.h"
#include "settings/settings.h"
#include "shell/resource.h"

// Scrolling sideways, so that a value longer than the narrow edit is kept
// whole rather than cut at its right border.
static const DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;

// Screen readers name a control after the static text right before it in the
// window order; the labels are painted, so each field and each unit box gets
// a hidden static of its own that carries its name.
static const char kUnitNamePrefix[] = "Einheit: ";
static const DWORD kNameStyle = WS_CHILD | SS_LEFT;
static const int IDC_NAME = -1; // the names send no commands

// Name statics and unit boxes exist only in the program's own thread: the
// box's field keeps its own procedure, saved here, under the one that
// keeps Alt+arrow from reaching the menu bar.
static WNDPROC s_pfnBoxFieldProc = NULL;

int vCreateFonts(void)
{
    pApp->pForm->hFont = vCreateTextFont();
    if (pApp->pForm->hFont == NULL)
        return 0;
    pApp->pDiagram->hDiagramFont = vCreateTextFont();
    return pApp->pDiagram->hDiagramFont != NULL;
}

static void vCreateName(HWND hWnd, HINSTANCE hInst, const char* pszPrefix, int id)
{
    char szName[INPUT_TEXT_SIZE];
    snprintf(szName, sizeof(szName), "%s%s", pszPrefix, vBareLabel(id));
    CreateWindowExA(0, "static", szName, kNameStyle, 0, 0, 0, 0, hWnd, (HMENU)(INT_PTR)IDC_NAME, hInst, NULL);
}

void vPassAltArrow(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_SYSKEYDOWN && (wParam == VK_DOWN || wParam == VK_UP))
        DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

// Alt+Down and Alt+Up in a box's field open and close the list.
static LRESULT CALLBACK WndBoxFieldProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    vPassAltArrow(hWnd, uMsg, wParam, lParam);
    return CallWindowProcA(s_pfnBoxFieldProc, hWnd, uMsg, wParam, lParam);
}

static void vSubclassBoxField(HWND hBox)
{
    COMBOBOXINFO cbi;
    memset(&cbi, 0, sizeof(cbi));
    cbi.cbSize = sizeof(cbi);
    if (!GetComboBoxInfo(hBox, &cbi) || cbi.hwndItem == NULL)
        return;
    WNDPROC pfnOld = (WNDPROC)SetWindowLongPtrA(cbi.hwndItem, GWLP_WNDPROC, (LONG_PTR)WndBoxFieldProc);
    if (s_pfnBoxFieldProc == NULL)
        s_pfnBoxFieldProc = pfnOld; // the same class procedure for every box
}

static void vCreateUnitBox(HWND hWnd, HINSTANCE hInst, int i)
{
    FormState* pForm = pApp->pForm;
    vCreateName(hWnd, hInst, kUnitNamePrefix, i);
    pForm->hUnit[i] = CreateWindowExA(0, "combobox", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN,
                                      pForm->ptUnit[i].x, pForm->ptUnit[i].y, pForm->sizeUnit[i].cx,
                                      pForm->sizeUnit[i].cy, hWnd, (HMENU)(INT_PTR)(IDC_UNIT_BASE + i), hInst,
                                      NULL);
    SendMessageA(pForm->hUnit[i], WM_SETFONT, (WPARAM)pForm->hFont, FALSE);
    vSubclassBoxField(pForm->hUnit[i]);
    // Fixed positions, not sorted: item 0 must stay choice 0.
    for (int u = 0; u < UNIT_CHOICES; u++)
        SendMessageA(pForm->hUnit[i], CB_INSERTSTRING, (WPARAM)u, (LPARAM)pForm->pszUnit[i][u]);
    int nSel = 0;
    if (!vDefaultUnit(i, &nSel)) {
        fprintf(stderr, "Error: Check vMesCreate (1)!\n");
        return;
    }
    pForm->nUnitSel[i] = nSel;
    SendMessageA(pForm->hUnit[i], CB_SETCURSEL, (WPARAM)nSel, 0);
    vFitUnitBoxHeight(i);
}

// The box's height is its field's plus a frame. The field height a box
// reports need not be the one it was given (Wine reports two more), so the
// second round corrects from the height set, not from the one read back.
void vFitUnitBoxHeight(int i)
{
    FormState* pForm = pApp->pForm;
    if (!vHasUnitChoice(i))
        return;
    LRESULT nField = SendMessageA(pForm->hUnit[i], CB_GETITEMHEIGHT, (WPARAM)-1, 0);
    for (int nRound = 0; nRound < 2; nRound++) {
        RECT rc;
        if (nField == CB_ERR || !GetWindowRect(pForm->hUnit[i], &rc))
            return;
        int nShort = pForm->sizeEdit[i].cy - (rc.bottom - rc.top);
        if (nShort == 0 || nField + nShort <= 0)
            return;
        nField += nShort;
        SendMessageA(pForm->hUnit[i], CB_SETITEMHEIGHT, (WPARAM)-1, (LPARAM)nField);
    }
}

// Inputs without a unit choice get an invisible, disabled list box in the
// unit's place, so every input has a unit control the resize can move.
static void vCreatePlaceholder(HWND hWnd, HINSTANCE hInst, int i)
{
    FormState* pForm = pApp->pForm;
    pForm->hUnit[i] = CreateWindowExA(0, "listbox", "", WS_CHILD | WS_DISABLED | LBS_SORT, pForm->ptUnit[i].x,
                                      pForm->ptUnit[i].y, pForm->sizeUnit[i].cx, pForm->sizeUnit[i].cy, hWnd,
                                      (HMENU)(INT_PTR)i, hInst, NULL);
}

void vMesCreate(HWND hWnd, UINT uMsg, UINT uParam, LPARAM lParam)
{
    (void)uMsg;
    (void)uParam;
    FormState* pForm = pApp->pForm;
    HINSTANCE hInst = ((CREATESTRUCTA*)lParam)->hInstance;

    vCreateFonts();
    // Laid out for the outer window size; the first WM_SIZE corrects it.
    vFormLayout(hWnd);
    for (int i = 0; i < INPUT_COUNT; i++) {
        vCreateName(hWnd, hInst, "", i);
        pForm->hEdit[i] = CreateWindowExA(0, "edit", "", kEditStyle,
                                          pForm->ptEditPos[i].x, pForm->ptEditPos[i].y, pForm->sizeEdit[i].cx,
                                          pForm->sizeEdit[i].cy, hWnd, (HMENU)(INT_PTR)i, hInst, NULL);
        // No longer than the input buffer: the program computes with exactly
        // the text the field shows.
        SendMessageA(pForm->hEdit[i], EM_LIMITTEXT, (WPARAM)(INPUT_TEXT_SIZE - 1), 0);
        // The form's font: it grows with the screen's pixels per inch as the
        // labels do, where the default font grows in height only.
        SendMessageA(pForm->hEdit[i], WM_SETFONT, (WPARAM)pForm->hFont, FALSE);
        pForm->pfnOrigEditProc[i] = (WNDPROC)GetWindowLongPtrA(pForm->hEdit[i], GWLP_WNDPROC);
        SetWindowLongPtrA(pForm->hEdit[i], GWLP_WNDPROC, (LONG_PTR)pForm->pfnEditProc);
        if (vHasUnitChoice(i))
            vCreateUnitBox(hWnd, hInst, i);
        else
            vCreatePlaceholder(hWnd, hInst, i);
    }
    vGetStat();
    SetFocus(pForm->hEdit[Tas]);
    vDiagramLayout(hWnd);
    SetTimer(hWnd, IDT_REDRAW, (UINT)pApp->pTimer->nStep, NULL);
}
