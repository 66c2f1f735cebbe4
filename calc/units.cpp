#include "calc/units.h"

#include <stdio.h>

#include "calc/app_state.h"
#include "calc/input.h"

// CB_GETCURSEL's answer is taken as an unsigned 16-bit index.
static const LRESULT kSelMask = 0xFFFF;

// Selection each unit box starts with, before the settings file is read.
struct DefaultUnit {
    int nInput;
    int nSel;
};
static const DefaultUnit kDefaultUnits[] = {
    {Tas, 0},
    {WindSpeed, 1},
    {Distance, 0},
    {FuelFlow, 0},
};

int vDefaultUnit(int i, int* pnSel)
{
    for (const DefaultUnit& d : kDefaultUnits) {
        if (d.nInput == i) {
            *pnSel = d.nSel;
            return 1;
        }
    }
    return 0;
}

void vMesComUnit(UINT uMsg, WPARAM wParam)
{
    // Identifiers of the hidden list boxes (inputs without a second unit)
    // have nothing to switch to.
    int k = vUnitBoxInput(LOWORD(wParam));
    if (uMsg != WM_COMMAND || k < 0)
        return;

    FormState* pForm = pApp->pForm;
    int nSel = (int)(SendMessageA(pForm->hUnit[k], CB_GETCURSEL, 0, 0) & kSelMask);
    if (nSel != 0 && nSel != 1) {
        // No selection (text typed into the box's field): the unit in use
        // stays, and the box is made to show it again.
        SendMessageA(pForm->hUnit[k], CB_SETCURSEL, (WPARAM)pForm->nUnitSel[k], 0);
        return;
    }
    vApplyUnitChoice(k, nSel);
}

void vApplyUnitChoice(int id, int nNewChoice)
{
    if (id < 0 || id >= INPUT_COUNT || !vHasUnitChoice(id) || (nNewChoice != 0 && nNewChoice != 1))
        return;
    FormState* pForm = pApp->pForm;
    int nOld = pForm->nUnitSel[id];
    if (nNewChoice == nOld)
        return;

    pApp->bUnitChanged = 1;
    pApp->bUnitChangedSinceSave = 1;

    // The value in the base unit, read with the old unit still selected.
    double dValue;
    if (!vGetValue(pForm->szInput[id], id, &dValue)) {
        // Nothing to convert: a number typed later is read in the new unit.
        pForm->nUnitSel[id] = nNewChoice;
        return;
    }
    double dIn, dOut;
    vGetFakIn(id, &dIn);
    vGetFakOut(id, nOld, nNewChoice, &dOut);
    double dNew = dValue / dIn * dOut; // back to the number as typed, then converted

    pForm->nUnitSel[id] = nNewChoice;
    snprintf(pForm->szInput[id], INPUT_TEXT_SIZE, "%g", dNew);
    SetWindowTextA(pForm->hEdit[id], pForm->szInput[id]);
    pForm->bValid[id] = 1;
    pApp->pTimer->bPending = 1;
    pApp->pTimer->nElapsed = 0;
}

const char* vShownUnit(int id)
{
    FormState* pF = pApp->pForm;
    const char* pszUnit = pF->pszUnit[id][vHasUnitChoice(id) ? pF->nUnitSel[id] : 0];
    return pF->szInput[id][0] != '\0' && pszUnit != NULL ? pszUnit : "";
}
