// The main window's creation handler: everything the window holds is made here.
#include "shell/create.h"

#include <stdio.h>

#include "calc/app_state.h"
#include "calc/units.h"
#include "diagram/draw.h"
#include "form/form_layout.h"
#include "settings/settings.h"
#include "shell/resource.h"

// Scrolling sideways, so that a value longer than the narrow edit is kept
// whole rather than cut at its right border.
static const DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;

int vCreateFonts(void)
{
    pApp->pForm->hFont = vCreateTextFont();
    if (pApp->pForm->hFont == NULL)
        return 0;
    pApp->pDiagram->hDiagramFont = vCreateTextFont();
    return pApp->pDiagram->hDiagramFont != NULL;
}

static void vCreateUnitBox(HWND hWnd, HINSTANCE hInst, int i)
{
    FormState* pForm = pApp->pForm;
    pForm->hUnit[i] = CreateWindowExA(0, "combobox", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN,
                                      pForm->ptUnit[i].x, pForm->ptUnit[i].y, pForm->sizeUnit[i].cx,
                                      pForm->sizeUnit[i].cy, hWnd, (HMENU)(INT_PTR)(IDC_UNIT_BASE + i), hInst,
                                      NULL);
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
        pForm->hEdit[i] = CreateWindowExA(0, "edit", "", kEditStyle,
                                          pForm->ptEditPos[i].x, pForm->ptEditPos[i].y, pForm->sizeEdit[i].cx,
                                          pForm->sizeEdit[i].cy, hWnd, (HMENU)(INT_PTR)i, hInst, NULL);
        // No longer than the input buffer: the program computes with exactly
        // the text the field shows.
        SendMessageA(pForm->hEdit[i], EM_LIMITTEXT, (WPARAM)(INPUT_TEXT_SIZE - 1), 0);
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
