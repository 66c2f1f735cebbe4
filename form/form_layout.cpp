// Layout of the form panel (labels, edits, unit elements, hints) in client
// pixels, and of the diagram panel with the numbers of its isotropic mapping.
#include "form/form_layout.h"

#include <string.h>

#include "calc/app_state.h"
#include "calc/navmath.h"
#include "diagram/draw.h"
#include "diagram/mapping.h"
#include "form/results_text.h"

enum {
    PLACE_EDIT_CHARS = 15, // edit width of the two place rows, in default-font characters
    VALUE_EDIT_CHARS = 6,  // edit width of every other row
    COMBO_EXTRA_CHARS = 7, // a unit combobox: scroll bar plus this many characters
    MAX_LOGICAL_EXTENT = 32766 // largest window extent the mapping accepts
};

static const double kEditLines = 1.5;   // an edit is one and a half default lines high
static const double kComboEdits = 3.0;  // closed combobox plus its list: three edit heights
static const double kGapFactor = 0.5;   // the gap is half a default character
static const double kTenth = 0.1;      // top gap and row pitch: a tenth of the panel
// The fields and unit boxes draw in the form font. A value field is never
// narrower than the widest number a unit switch writes into it for a
// three-digit value, and a unit box never narrower than its longer unit,
// each with a form-font character on either side for the frame and margins.
static const char kNumberTemplate[] = "-000.000";
enum { FIELD_FRAME_CHARS = 2 };
// Character width per line of the default font at 96 DPI (7 of 16). Wine
// reports the same average width at every DPI while the line grows, so the
// width is never taken below this share of the line: the fields widen with
// the text they hold.
static const double kCharPerLine = 7.0 / 16.0;

// The client height the form was last laid out for; the first call always
// lays out because no client is 0 high before the window exists.
static int s_nLaidOutHeight = 0;

static int bIsPlaceRow(int i) { return i == Departure || i == Destination; }

static int nMax(int a, int b) { return a > b ? a : b; }

// Width of the longer unit text of input i in the selected font.
static int nWidestUnit(HDC hdc, int i)
{
    int nWidest = 0;
    for (int u = 0; u < UNIT_CHOICES; u++) {
        SIZE size = {0, 0};
        vTextExtent(hdc, pApp->pForm->pszUnit[i][u], &size);
        nWidest = nMax(nWidest, size.cx);
    }
    return nWidest;
}

// The smallest client for this form, in the form font selected into hdc:
// the window asks for it at every step of a resize. It depends on the fonts
// alone, which live as long as the window, so the first layout measures it.
// The rows are a tenth of the form apart: ten fields one above the other
// without a gap, inside the form's one-pixel border.
static void vMeasureMinClient(HDC hdc)
{
    FormState* pF = pApp->pForm;
    int nFields = 0;
    for (int i = 0; i < INPUT_COUNT; i++)
        nFields += pF->sizeEdit[i].cy;
    SIZE sizeResults = {0, 0};
    vResultsMinSize(hdc, vNoticeMinWidth(hdc), &sizeResults);
    pF->sizeMinClient.cx = pF->nFormWidth + sizeResults.cx;
    pF->sizeMinClient.cy = nMax(nFields + 2 * pF->rcForm.y, sizeResults.cy);
}

int vFormLayout(HWND hWnd)
{
    FormState* pF = pApp->pForm;
    if (pF->nClientHeight == s_nLaidOutHeight)
        return 0;
    int bFirst = !pF->bFormLaidOut;
    pF->bFormLaidOut = 1;
    s_nLaidOutHeight = pF->nClientHeight;

    HDC hdc = GetDC(hWnd);
    TEXTMETRICA tm;
    memset(&tm, 0, sizeof(tm));
    GetTextMetricsA(hdc, &tm);
    pF->nSysLineHeight = tm.tmHeight + tm.tmExternalLeading;
    pF->nSysCharWidth = nMax(tm.tmAveCharWidth, vRound(pF->nSysLineHeight * kCharPerLine));

    // Texts are measured in the form font; spacing comes from the default font.
    HGDIOBJ hOldFont = SelectObject(hdc, pF->hFont);
    TEXTMETRICA tmForm;
    int nFrame = 0;
    if (hOldFont != NULL && GetTextMetricsA(hdc, &tmForm)) {
        pF->nFormFontHeight = tmForm.tmHeight;
        nFrame = FIELD_FRAME_CHARS * tmForm.tmAveCharWidth;
    }
    SIZE sizeNumber = {0, 0};
    vTextExtent(hdc, kNumberTemplate, &sizeNumber);

    int g = vRound(pF->nSysCharWidth * kGapFactor);
    for (int i = 0; i < INPUT_COUNT; i++) {
        vTextExtent(hdc, pF->pszLabel[i], &pF->sizeLabel[i]);
        if (vHasUnitChoice(i)) {
            pF->sizeUnit[i].cx = GetSystemMetrics(SM_CXVSCROLL) + nMax(COMBO_EXTRA_CHARS * pF->nSysCharWidth,
                                                                        nWidestUnit(hdc, i) + nFrame);
            pF->sizeUnit[i].cy = (int)(pF->nSysLineHeight * kEditLines * kComboEdits);
        } else {
            vTextExtent(hdc, pF->pszUnit[i][0], &pF->sizeUnit[i]);
        }
        vTextExtent(hdc, pF->pszHint[i], &pF->sizeHint[i]);
        pF->sizeEdit[i].cy = (int)(pF->nSysLineHeight * kEditLines);
        if (bIsPlaceRow(i))
            pF->sizeEdit[i].cx = PLACE_EDIT_CHARS * pF->nSysCharWidth;
        else
            pF->sizeEdit[i].cx = nMax(VALUE_EDIT_CHARS * pF->nSysCharWidth, sizeNumber.cx + nFrame);
    }

    int nAll = 0, nPlace = 0;
    for (int i = 0; i < INPUT_COUNT; i++) {
        nAll = nMax(nAll, pF->sizeLabel[i].cx);
        if (bIsPlaceRow(i))
            nPlace = nMax(nPlace, pF->sizeLabel[i].cx);
    }

    // The hints widen the form even while they are not drawn.
    pF->nFormWidth = 0;
    for (int i = 0; i < INPUT_COUNT; i++) {
        if (bIsPlaceRow(i)) {
            pF->nFormWidth = nMax(pF->nFormWidth, nPlace + 3 * g + pF->sizeEdit[i].cx);
            pF->nFormWidth = nMax(pF->nFormWidth, nPlace + 3 * g + pF->sizeHint[i].cx);
        } else {
            pF->nFormWidth = nMax(pF->nFormWidth, nAll + 4 * g + pF->sizeEdit[i].cx + pF->sizeUnit[i].cx);
            pF->nFormWidth = nMax(pF->nFormWidth, nAll + 3 * g + pF->sizeHint[i].cx);
        }
    }

    // The place edits grow to the panel's right edge (less one gap).
    for (int i = Departure; i <= Destination; i++) {
        int nRoom = pF->nFormWidth - (nPlace + 3 * g);
        if (nRoom > pF->sizeEdit[i].cx)
            pF->sizeEdit[i].cx = nRoom;
    }

    pF->rcForm.x = 1;
    pF->rcForm.y = 1;
    pF->rcForm.cx = pF->nFormWidth;
    pF->rcForm.cy = pF->nClientHeight - 2;

    int nEdits = 0;
    for (int i = 0; i < INPUT_COUNT; i++)
        nEdits += pF->sizeEdit[i].cy;
    int nTop = vRound((pF->rcForm.cy - nEdits) * kTenth);
    if (nTop < 0)
        nTop = 1;
    int nPitch = vRound((pF->rcForm.cy - 2 * nTop) * kTenth);

    int x0 = pF->rcForm.x;
    int y = pF->rcForm.y + nTop;
    for (int i = 0; i < INPUT_COUNT; i++, y += nPitch) {
        int nLabels = bIsPlaceRow(i) ? nPlace : nAll;
        int nEditH = pF->sizeEdit[i].cy;
        pF->ptLabel[i].x = x0 + g;
        pF->ptEditPos[i].x = x0 + 2 * g + nLabels;
        pF->ptHint[i].x = pF->ptEditPos[i].x;
        pF->ptUnit[i].x = x0 + 3 * g + nLabels + pF->sizeEdit[i].cx;
        pF->ptEditPos[i].y = y;
        pF->ptLabel[i].y = y + vRound((nEditH - pF->sizeLabel[i].cy) * kGapFactor);
        if (vHasUnitChoice(i))
            pF->ptUnit[i].y = y;
        else
            pF->ptUnit[i].y = y + vRound((nEditH - pF->sizeUnit[i].cy) * kGapFactor);
        pF->ptHint[i].y = y + nEditH;
    }

    if (bFirst)
        vMeasureMinClient(hdc);
    if (hOldFont != NULL)
        SelectObject(hdc, hOldFont);
    ReleaseDC(hWnd, hdc);
    return 1;
}

int vMinClientSize(SIZE* pSize)
{
    const FormState* pF = pApp->pForm;
    if (!pF->bFormLaidOut)
        return 0;
    *pSize = pF->sizeMinClient;
    return 1;
}

void vDiagramLayout(HWND hWnd)
{
    (void)hWnd; // the layout works from the state alone
    FormState* pF = pApp->pForm;
    DiagramState* pD = pApp->pDiagram;

    Box* pBox = &pF->rcDiagram;
    pBox->x = pF->nFormWidth;
    pBox->y = 0;
    pBox->cx = pF->nClientWidth - pF->nFormWidth;
    pBox->cy = pF->nClientHeight;

    // A negative y extent turns the logical y axis upward.
    pF->ptViewportExt.x = pF->nClientWidth / 2;
    pF->ptViewportExt.y = -(pF->nClientHeight / 2);
    pF->ptViewportOrg.y = pBox->cy / 2;
    pF->ptViewportOrg.x = pF->nFormWidth + (pBox->cx < pBox->cy ? pBox->cx : pBox->cy) / 2;

    pD->bShowDiagram = 1;
    pD->bShowTriangle = 1;
    pD->bShowResults = 1;

    if (pBox->cx <= 1 || pBox->cy <= 1) {
        pD->bShowDiagram = 0;
        return;
    }

    if (pBox->cx >= pBox->cy) {
        pD->ptWindowExt.x = vRound((double)(pD->nHalfWidth * pF->nClientWidth) / pF->nClientHeight);
        pD->ptWindowExt.y = pD->nHalfHeight;
        pD->nFormWidthLog = vRound((double)(2 * pD->nHalfWidth * pF->nFormWidth) / pF->nClientHeight);
    } else {
        pD->ptWindowExt.x = vRound((double)(pD->nHalfWidth * pF->nFormWidth) / pBox->cx) + pD->nHalfWidth;
        pD->ptWindowExt.y = vRound((double)(pD->nHalfHeight * pBox->cy) / pBox->cx);
        pD->nFormWidthLog = vRound((double)(2 * pD->nHalfWidth * pF->nFormWidth) / pBox->cx);
    }

    if (pD->ptWindowExt.x > MAX_LOGICAL_EXTENT || pD->ptWindowExt.x < 0 || pD->ptWindowExt.y > MAX_LOGICAL_EXTENT ||
        pD->ptWindowExt.y < 0)
        pD->bShowDiagram = 0;
}
