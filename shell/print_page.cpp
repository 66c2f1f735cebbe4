// The printed page, laid out in the printer's pixels: a margin all round,
// the inputs as a table at the bottom, and the diagram panel in the rest,
// painted by the window's own diagram code on a mapping made for the page.
#include "shell/print_page.h"

#include <stdio.h>
#include <string.h>

#include "calc/app_state.h"
#include "calc/navmath.h"
#include "calc/units.h"
#include "diagram/diagram.h"
#include "diagram/draw.h"
#include "form/form_layout.h"

enum {
    TENTHS_MM_PER_INCH = 254,
    POINTS_PER_INCH = 72,
    MARGIN_TENTHS_MM = 120, // inside the printable area
    LINE_TENTHS_MM = 3,     // the thinnest line on paper
    // 10 points: still 9 or more when an A4 page is laid out for A5, and
    // the page is laid out for the paper it goes on in any case.
    TEXT_POINTS = 10,
    ROW_TEXT_SIZE = 2 * INPUT_TEXT_SIZE
};

static const double kRowLines = 1.5; // input rows are one and a half lines apart
static const UINT kValueFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

struct PageLayout {
    RECT rcPage;     // the page less its margins
    int nLine;       // text line height
    int xValue;      // left edge of the input values
    int yTable;      // top of the inputs table
    int nRowTop[INPUT_COUNT];
};

static int nFromTenthsMm(int nTenths, int nDpi) { return MulDiv(nTenths, nDpi, TENTHS_MM_PER_INCH); }

// The form font's face at TEXT_POINTS on this device.
static HFONT hCreatePageFont(HDC hdc)
{
    LOGFONTA lf;
    if (GetObjectA(pApp->pForm->hFont, sizeof(lf), &lf) != (int)sizeof(lf))
        return NULL;
    lf.lfHeight = -MulDiv(TEXT_POINTS, GetDeviceCaps(hdc, LOGPIXELSY), POINTS_PER_INCH);
    lf.lfWidth = 0;
    return CreateFontIndirectA(&lf);
}

// An input's text with its unit, as the table shows it.
static void vInputRowText(int i, char* pszText, size_t nSize)
{
    const char* pszUnit = vShownUnit(i);
    snprintf(pszText, nSize, "%s%s%s", pApp->pForm->szInput[i], pszUnit[0] != '\0' ? " " : "", pszUnit);
}

// The table from the bottom margin up: a value too long for one line wraps
// within the page and its row grows.
static void vLayoutTable(HDC hdc, PageLayout* pL)
{
    FormState* pF = pApp->pForm;
    int nLabels = 0;
    SIZE size;
    for (int i = 0; i < INPUT_COUNT; i++)
        if (vTextExtent(hdc, pF->pszLabel[i], &size) && size.cx > nLabels)
            nLabels = size.cx;
    pL->xValue = pL->rcPage.left + nLabels + pL->nLine;

    int nPitch[INPUT_COUNT];
    int nTable = 0;
    for (int i = 0; i < INPUT_COUNT; i++) {
        char szText[ROW_TEXT_SIZE];
        vInputRowText(i, szText, sizeof(szText));
        RECT rc = {pL->xValue, 0, pL->rcPage.right, 0};
        int nHeight = DrawTextA(hdc, szText, -1, &rc, kValueFormat | DT_CALCRECT);
        nPitch[i] = vRound(kRowLines * pL->nLine);
        if (nHeight + pL->nLine / 2 > nPitch[i])
            nPitch[i] = nHeight + pL->nLine / 2;
        nTable += nPitch[i];
    }
    pL->yTable = pL->rcPage.bottom - nTable;
    int y = pL->yTable;
    for (int i = 0; i < INPUT_COUNT; i++) {
        pL->nRowTop[i] = y;
        y += nPitch[i];
    }
}

static void vPaintTable(HDC hdc, const PageLayout* pL)
{
    FormState* pF = pApp->pForm;
    for (int i = 0; i < INPUT_COUNT; i++) {
        POINT pt = {pL->rcPage.left, pL->nRowTop[i]};
        vDrawText(hdc, pt, pF->pszLabel[i]);
        char szText[ROW_TEXT_SIZE];
        vInputRowText(i, szText, sizeof(szText));
        RECT rc = {pL->xValue, pL->nRowTop[i], pL->rcPage.right, pL->rcPage.bottom};
        DrawTextA(hdc, szText, -1, &rc, kValueFormat);
    }
}

// The diagram panel as the window paints it, on a client the size of rc
// with no form beside it: the window's two layout records are laid out for
// it and put back whole afterwards, and its text is never smaller than the
// page's.
static void vPaintDiagramIn(HDC hdc, const RECT* prc, int nTextHeight, int nLinePixels)
{
    FormState* pF = pApp->pForm;
    DiagramState* pD = pApp->pDiagram;
    DiagramState diagramSaved = *pD;
    FormState formSaved = *pF;

    pF->nClientWidth = prc->right - prc->left;
    pF->nClientHeight = prc->bottom - prc->top;
    pF->nFormWidth = 0;
    pF->nFormFontHeight = nTextHeight;
    pD->hReadableFont = NULL; // the window's copy is for the screen's scale
    vDiagramLayout(pF->hWndMain);
    pF->ptViewportOrg.x += prc->left;
    pF->ptViewportOrg.y += prc->top;
    if (pD->bShowDiagram && pF->ptViewportExt.x > 0) {
        double dUnitsPerPixel = (double)pD->ptWindowExt.x / pF->ptViewportExt.x;
        pD->nLineWidth = vRound(nLinePixels * dUnitsPerPixel);
        if (pD->nLineWidth < 1)
            pD->nLineWidth = 1;
        vPaintDiagram(hdc, NULL); // no paint record: the paper stays unfilled
    }
    if (pD->hReadableFont != NULL)
        DeleteObject(pD->hReadableFont);

    *pD = diagramSaved;
    *pF = formSaved;
}

int vPaintPage(HDC hdc)
{
    int nDpiX = GetDeviceCaps(hdc, LOGPIXELSX), nDpiY = GetDeviceCaps(hdc, LOGPIXELSY);
    HFONT hFont = hCreatePageFont(hdc);
    if (hFont == NULL)
        return 0;
    int nSaved = SaveDC(hdc);
    SetMapMode(hdc, MM_TEXT);
    SetBkMode(hdc, TRANSPARENT);
    HGDIOBJ hOldFont = SelectObject(hdc, hFont);

    PageLayout layout;
    int nMarginX = nFromTenthsMm(MARGIN_TENTHS_MM, nDpiX), nMarginY = nFromTenthsMm(MARGIN_TENTHS_MM, nDpiY);
    SetRect(&layout.rcPage, nMarginX, nMarginY, GetDeviceCaps(hdc, HORZRES) - nMarginX,
            GetDeviceCaps(hdc, VERTRES) - nMarginY);
    TEXTMETRICA tm;
    memset(&tm, 0, sizeof(tm));
    GetTextMetricsA(hdc, &tm);
    layout.nLine = tm.tmHeight + tm.tmExternalLeading;
    vLayoutTable(hdc, &layout);
    vPaintTable(hdc, &layout);

    // The panel ends a line above the table.
    RECT rcDiagram = layout.rcPage;
    rcDiagram.bottom = layout.yTable - layout.nLine;
    if (rcDiagram.bottom > rcDiagram.top)
        vPaintDiagramIn(hdc, &rcDiagram, tm.tmHeight, nFromTenthsMm(LINE_TENTHS_MM, nDpiX));

    if (hOldFont != NULL)
        SelectObject(hdc, hOldFont);
    RestoreDC(hdc, nSaved);
    DeleteObject(hFont);
    return 1;
}
