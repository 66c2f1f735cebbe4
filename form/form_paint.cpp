// Painting of the form panel in client pixels: the yellow background, then
// per input its label, its unit text (rows without a unit box) and its hint.
#include "form/form_paint.h"

#include "calc/app_state.h"
#include "diagram/draw.h"

void vPaintFormBack(HDC hdc, PAINTSTRUCT* pPs)
{
    (void)hdc; // the fill goes to the paint record's surface
    if (pPs == NULL)
        return;
    FormState* pF = pApp->pForm;
    POINT ptCorner = {pF->rcForm.x, pF->rcForm.y};
    SIZE size = {pF->rcForm.cx, pF->rcForm.cy};
    vFillPanel(pPs, ptCorner, size, vColorFromFloats(pF->fFormColor[0], pF->fFormColor[1], pF->fFormColor[2]));
}

void vPaintForm(HDC hdc, PAINTSTRUCT* pPs)
{
    FormState* pF = pApp->pForm;
    vPaintFormBack(hdc, pPs);
    HGDIOBJ hOldFont = SelectObject(hdc, pF->hFont);
    for (int i = 0; i < INPUT_COUNT; i++) {
        vDrawText(hdc, pF->ptLabel[i], pF->pszLabel[i]);
        // The unit boxes draw themselves; the other rows get their unit text.
        if (!vHasUnitChoice(i))
            vDrawText(hdc, pF->ptUnit[i], pF->pszUnit[i][0]);
        if (pF->bShowHints)
            vDrawText(hdc, pF->ptHint[i], pF->pszHint[i]);
    }
    if (hOldFont != NULL)
        SelectObject(hdc, hOldFont);
}
