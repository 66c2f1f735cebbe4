// The kneeboard page, laid out for the paper it goes on, in the printer's
// pixels. From the top: the route and the day it was printed; the four
// numbers a pilot flies by, large and bold, with the ground speed beside
// them; the compass rose with the wind triangle, as large as the page
// leaves room for; its legend; and the ten inputs.
#include "shell/print_page.h"

#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

#include "calc/app_state.h"
#include "calc/navmath.h"
#include "calc/units.h"
#include "diagram/diagram.h"
#include "diagram/draw.h"
#include "diagram/mapping.h"
#include "form/flight_text.h"
#include "form/results_text.h"
#include "shell/resource.h"

enum {
    TENTHS_MM_PER_INCH = 254,
    TENTHS_PER_MM = 10,
    POINTS_PER_INCH = 72,
    MARGIN_TENTHS_MM = 120, // from the paper's edge, and within the printable area
    GAP_TENTHS_MM = 30,     // between the parts of the page
    SAMPLE_TENTHS_MM = 80,  // a legend's sample line
    TEXT_POINTS = 10,       // the page's text, also on A5
    ROUTE_POINTS = 12,
    NUMBER_POINTS = 20, // the numbers flown by
    NUMBER_CELLS = 5,   // four numbers flown by and the ground speed
    EMPHASISED_CELLS = 4,
    CAPTION_LINES = 2, // a cell's caption wraps into two lines at most
    LEGEND_LINES = ROW_WCA + 1, // the block's rows down to the correction angle
    // The rose is drawn in tenths of a millimetre: ten inches are this many.
    ROSE_UNITS_PER_10_INCHES = TENTHS_MM_PER_INCH * TENTHS_PER_MM,
    CIRCLE_UNITS = 5, // the compass circle half a millimetre wide
    THIN_UNITS = 3,   // ticks and centre cross
    ROW_TEXT_SIZE = 2 * INPUT_TEXT_SIZE,
    LINE_TEXT_SIZE = RESULT_TEXT_SIZE + INPUT_TEXT_SIZE,
    ROUTE_SIZE = 3 * INPUT_TEXT_SIZE
};

// The triangle's lines in tenths of a millimetre, wind, course, heading and
// the closing side: each a width of its own, so that a print in grey tells
// them apart as colour does.
static const TrianglePens kPagePens = {{5, 12, 8, 3}};
static const int kCells[NUMBER_CELLS] = {ROW_CH, ROW_HEADING, ROW_TIME, ROW_FUEL, ROW_GROUND_SPEED};
static const double kRowSpace = 0.1; // input rows a tenth of a line apart
static const UINT kWrapFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;
static const char kPrintedFormat[] = "Gedruckt am %02d.%02d.%04d mit " KL_MAIN_TITLE;

struct PageFonts {
    HFONT hText;
    HFONT hRoute;
    HFONT hNumber;
};

// Where everything goes, in device pixels (y down) apart from the rose.
struct KneeboardLayout {
    int nDpiX, nDpiY;
    RECT rcPage; // the paper less its margins
    int nLine;   // a line of the page's text
    int nGap;
    int yDate;
    int yCells;
    int nColumns, nCellWidth, nCaptionHeight, nCellHeight;
    int bShort;        // the cells' captions are their abbreviations
    int nBaselineDrop; // from the top of a large number to the top of the ground speed's
    int yNotice;
    RECT rcRose;    // the room between the numbers and the legend
    POINT ptRose;   // centre, pixels
    int nRoseRadius; // pixels; 0: no room for it
    int yLegend;
    int xValue, yTable;
    int nRowTop[INPUT_COUNT];
};

static int nFromTenthsMm(int nTenths, int nDpi) { return MulDiv(nTenths, nDpi, TENTHS_MM_PER_INCH); }

// The form font's face at nPoints, bold or not, for a height of nPerInch
// units to the inch.
static HFONT hPageFont(int nPoints, int bBold, int nPerInch)
{
    LOGFONTA lf;
    if (GetObjectA(pApp->pForm->hFont, sizeof(lf), &lf) != (int)sizeof(lf))
        return NULL;
    lf.lfHeight = -MulDiv(nPoints, nPerInch, POINTS_PER_INCH);
    lf.lfWidth = 0;
    lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    return CreateFontIndirectA(&lf);
}

static void vMetricsOf(HDC hdc, HFONT hFont, TEXTMETRICA* pTm)
{
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    memset(pTm, 0, sizeof(*pTm));
    GetTextMetricsA(hdc, pTm);
    SelectObject(hdc, hOld);
}

// Height of pszText wrapped into nWidth pixels in hFont.
static int nWrappedHeight(HDC hdc, HFONT hFont, const char* pszText, int nWidth)
{
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    RECT rc = {0, 0, nWidth, 0};
    int nHeight = DrawTextA(hdc, pszText, -1, &rc, kWrapFormat | DT_CALCRECT);
    SelectObject(hdc, hOld);
    return nHeight;
}

static int nDrawWrapped(HDC hdc, HFONT hFont, const char* pszText, int x, int y, int nWidth)
{
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    RECT rc = {x, y, x + nWidth, y};
    int nHeight = DrawTextA(hdc, pszText, -1, &rc, kWrapFormat | DT_NOCLIP);
    SelectObject(hdc, hOld);
    return nHeight;
}

// The paper less a margin from each edge, in the printable area's pixels
// (their origin is the printable area's corner, not the paper's).
static void vPageRect(HDC hdc, const KneeboardLayout* pL, RECT* prc)
{
    int nResX = GetDeviceCaps(hdc, HORZRES), nResY = GetDeviceCaps(hdc, VERTRES);
    int nPaperX = GetDeviceCaps(hdc, PHYSICALWIDTH), nPaperY = GetDeviceCaps(hdc, PHYSICALHEIGHT);
    int nOffX = GetDeviceCaps(hdc, PHYSICALOFFSETX), nOffY = GetDeviceCaps(hdc, PHYSICALOFFSETY);
    if (nPaperX < nResX || nPaperY < nResY) { // not a printer: the whole surface is the paper
        nPaperX = nResX, nPaperY = nResY, nOffX = nOffY = 0;
    }
    int nMarginX = nFromTenthsMm(MARGIN_TENTHS_MM, pL->nDpiX), nMarginY = nFromTenthsMm(MARGIN_TENTHS_MM, pL->nDpiY);
    prc->left = nMarginX - nOffX > 0 ? nMarginX - nOffX : 0;
    prc->top = nMarginY - nOffY > 0 ? nMarginY - nOffY : 0;
    prc->right = nPaperX - nOffX - nMarginX < nResX ? nPaperX - nOffX - nMarginX : nResX;
    prc->bottom = nPaperY - nOffY - nMarginY < nResY ? nPaperY - nOffY - nMarginY : nResY;
}

// A cell's caption with the unit of its number: the whole caption, or where
// bShort its abbreviation alone (the part in parentheses, "CH").
static void vCellCaption(const ResultTexts* pRes, int nCell, int bShort, char* pszText, size_t nSize)
{
    int nRow = kCells[nCell];
    const char* pszCaption = vResultCaption(nRow);
    const char* pszOpen = strrchr(pszCaption, '(');
    const char* pszClose = pszOpen != NULL ? strchr(pszOpen, ')') : NULL;
    int nLength = (int)strlen(pszCaption);
    if (bShort && pszClose != NULL) {
        pszCaption = pszOpen + 1;
        nLength = (int)(pszClose - pszCaption);
    }
    snprintf(pszText, nSize, "%.*s%s%s", nLength, pszCaption, pRes->szUnit[nRow][0] ? " " : "", pRes->szUnit[nRow]);
}

// 1 when pszText wraps into nWidth pixels in hFont with no word cut and in
// no more than nLines lines.
static int bWrapsInto(HDC hdc, HFONT hFont, const char* pszText, int nWidth, int nLines, int nLine)
{
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    RECT rc = {0, 0, nWidth, 0};
    int nHeight = DrawTextA(hdc, pszText, -1, &rc, (kWrapFormat & ~DT_EDITCONTROL) | DT_CALCRECT);
    SelectObject(hdc, hOld);
    return rc.right <= nWidth && nHeight <= nLines * nLine;
}

static HFONT hCellFont(const PageFonts* pFonts, int nCell)
{
    return nCell < EMPHASISED_CELLS ? pFonts->hNumber : pFonts->hRoute;
}

// Whether cell i of nCell pixels takes its caption short: where the whole
// one would cut a word or need more than two lines.
static int bShortCaption(HDC hdc, const PageFonts* pFonts, const ResultTexts* pRes, int i, int nCell, int nLine)
{
    char szCaption[LINE_TEXT_SIZE];
    vCellCaption(pRes, i, 0, szCaption, sizeof(szCaption));
    return !bWrapsInto(hdc, pFonts->hText, szCaption, nCell, CAPTION_LINES, nLine);
}

// The most columns (five in one row at most) in which every cell's number
// stands on one line and every caption fits, whole or short; then the
// cells' height.
static void vLayoutCells(HDC hdc, const PageFonts* pFonts, const ResultTexts* pRes, KneeboardLayout* pL)
{
    int nWidth = pL->rcPage.right - pL->rcPage.left;
    int nCellGap = pL->nGap / 2;
    for (pL->nColumns = NUMBER_CELLS; pL->nColumns > 1; pL->nColumns--) {
        int nCell = (nWidth - (pL->nColumns - 1) * nCellGap) / pL->nColumns;
        int bFits = 1;
        for (int i = 0; i < NUMBER_CELLS && bFits; i++) {
            char szCaption[LINE_TEXT_SIZE];
            vCellCaption(pRes, i, 1, szCaption, sizeof(szCaption));
            bFits = bWrapsInto(hdc, pFonts->hText, szCaption, nCell, CAPTION_LINES, pL->nLine) &&
                    bWrapsInto(hdc, hCellFont(pFonts, i), pRes->szNumber[kCells[i]], nCell, 1, INT_MAX);
        }
        if (bFits)
            break;
    }
    pL->nCellWidth = (nWidth - (pL->nColumns - 1) * nCellGap) / pL->nColumns;
    // One short caption makes them all short: the row reads alike.
    pL->bShort = 0;
    for (int i = 0; i < NUMBER_CELLS; i++)
        pL->bShort |= bShortCaption(hdc, pFonts, pRes, i, pL->nCellWidth, pL->nLine);
    pL->nCaptionHeight = 0;
    int nNumber = 0;
    for (int i = 0; i < NUMBER_CELLS; i++) {
        char szCaption[LINE_TEXT_SIZE];
        vCellCaption(pRes, i, pL->bShort, szCaption, sizeof(szCaption));
        int n = nWrappedHeight(hdc, pFonts->hText, szCaption, pL->nCellWidth);
        if (n > pL->nCaptionHeight)
            pL->nCaptionHeight = n;
        n = nWrappedHeight(hdc, hCellFont(pFonts, i), pRes->szNumber[kCells[i]], pL->nCellWidth);
        if (n > nNumber)
            nNumber = n;
    }
    pL->nCellHeight = pL->nCaptionHeight + nNumber;
}

// The inputs table's rows: a value too long for one line wraps within the
// page and its row grows. Placed below the top of the page, with the
// table's height in *pnTable.
static void vLayoutTable(HDC hdc, KneeboardLayout* pL, int* pnTable)
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
        snprintf(szText, sizeof(szText), "%s %s", pF->szInput[i], vShownUnit(i));
        RECT rc = {pL->xValue, 0, pL->rcPage.right, 0};
        int nHeight = DrawTextA(hdc, szText, -1, &rc, kWrapFormat | DT_CALCRECT);
        nPitch[i] = nHeight + vRound(kRowSpace * pL->nLine);
        nTable += nPitch[i];
    }
    int y = 0;
    pL->yTable = 0;
    for (int i = 0; i < INPUT_COUNT; i++) {
        pL->nRowTop[i] = y;
        y += nPitch[i];
    }
    *pnTable = nTable;
}

static void vMoveTable(KneeboardLayout* pL, int yTop)
{
    for (int i = 0; i < INPUT_COUNT; i++)
        pL->nRowTop[i] += yTop - pL->yTable;
    pL->yTable = yTop;
}

// The rose fills the room left between the numbers and the legend, less
// a line and a label's width for its labels on each side.
static void vLayoutRose(HDC hdc, KneeboardLayout* pL)
{
    SIZE sizeLabel = {0, 0};
    vTextExtent(hdc, vCompassLabel(3), &sizeLabel); // "270", the widest
    int nLabelGap = pL->nGap / 2;
    int nWide = (pL->rcRose.right - pL->rcRose.left) / 2 - sizeLabel.cx - nLabelGap;
    int nHigh = (pL->rcRose.bottom - pL->rcRose.top) / 2 - pL->nLine - nLabelGap;
    pL->nRoseRadius = nWide < nHigh ? nWide : nHigh;
    if (pL->nRoseRadius < 0)
        pL->nRoseRadius = 0;
    pL->ptRose.x = (pL->rcRose.left + pL->rcRose.right) / 2;
    pL->ptRose.y = (pL->rcRose.top + pL->rcRose.bottom) / 2;
}

static void vLayoutPage(HDC hdc, const PageFonts* pFonts, const ResultTexts* pRes, const char* pszRoute,
                        KneeboardLayout* pL)
{
    TEXTMETRICA tmText, tmNumber, tmRoute;
    vMetricsOf(hdc, pFonts->hText, &tmText);
    vMetricsOf(hdc, pFonts->hNumber, &tmNumber);
    vMetricsOf(hdc, pFonts->hRoute, &tmRoute);
    pL->nLine = tmText.tmHeight + tmText.tmExternalLeading;
    pL->nBaselineDrop = tmNumber.tmAscent - tmRoute.tmAscent;
    pL->nGap = nFromTenthsMm(GAP_TENTHS_MM, pL->nDpiY);
    int nWidth = pL->rcPage.right - pL->rcPage.left;
    pL->yDate = pL->rcPage.top + nWrappedHeight(hdc, pFonts->hRoute, pszRoute, nWidth);
    pL->yCells = pL->yDate + pL->nLine + pL->nGap;
    vLayoutCells(hdc, pFonts, pRes, pL);
    int nRows = (NUMBER_CELLS + pL->nColumns - 1) / pL->nColumns;
    pL->yNotice = pL->yCells + nRows * pL->nCellHeight + (nRows - 1) * pL->nGap / 2;
    int yAfter = pL->yNotice;
    if (pRes->nNoticeRow != NO_NOTICE) {
        char szText[LINE_TEXT_SIZE];
        snprintf(szText, sizeof(szText), "%s%s", vResultCaption(pRes->nNoticeRow), pRes->szNotice);
        yAfter += pL->nGap / 2 + nWrappedHeight(hdc, pFonts->hText, szText, nWidth);
    }

    // The table at the bottom, the legend above it, the rose in the room
    // between. Inputs too long to leave room for a rose follow the numbers
    // without one, as far down as the page goes.
    int nTable;
    vLayoutTable(hdc, pL, &nTable);
    vMoveTable(pL, pL->rcPage.bottom - nTable);
    pL->yLegend = pL->yTable - pL->nGap - LEGEND_LINES * pL->nLine;
    SetRect(&pL->rcRose, pL->rcPage.left, yAfter + pL->nGap, pL->rcPage.right, pL->yLegend - pL->nGap);
    vLayoutRose(hdc, pL);
    if (pL->nRoseRadius == 0) {
        pL->yLegend = yAfter + pL->nGap;
        vMoveTable(pL, pL->yLegend + LEGEND_LINES * pL->nLine + pL->nGap);
    }
}

static void vPaintHeader(HDC hdc, const PageFonts* pFonts, const KneeboardLayout* pL, const char* pszRoute)
{
    nDrawWrapped(hdc, pFonts->hRoute, pszRoute, pL->rcPage.left, pL->rcPage.top,
                 pL->rcPage.right - pL->rcPage.left);
    time_t t = time(NULL);
    const struct tm* pTm = localtime(&t);
    char szPrinted[sizeof(kPrintedFormat) + 16] = "";
    if (pTm != NULL)
        snprintf(szPrinted, sizeof(szPrinted), kPrintedFormat, pTm->tm_mday, pTm->tm_mon + 1, pTm->tm_year + 1900);
    POINT pt = {pL->rcPage.left, pL->yDate};
    vDrawText(hdc, pt, szPrinted);
}

static void vPaintCells(HDC hdc, const PageFonts* pFonts, const KneeboardLayout* pL, const ResultTexts* pRes)
{
    for (int i = 0; i < NUMBER_CELLS; i++) {
        int x = pL->rcPage.left + (i % pL->nColumns) * (pL->nCellWidth + pL->nGap / 2);
        int y = pL->yCells + (i / pL->nColumns) * (pL->nCellHeight + pL->nGap / 2);
        char szCaption[LINE_TEXT_SIZE];
        vCellCaption(pRes, i, pL->bShort, szCaption, sizeof(szCaption));
        nDrawWrapped(hdc, pFonts->hText, szCaption, x, y, pL->nCellWidth);
        // The ground speed's smaller number stands on the line of the large ones.
        int yNumber = y + pL->nCaptionHeight + (i < EMPHASISED_CELLS ? 0 : pL->nBaselineDrop);
        nDrawWrapped(hdc, hCellFont(pFonts, i), pRes->szNumber[kCells[i]], x, yNumber, pL->nCellWidth);
    }
    if (pRes->nNoticeRow != NO_NOTICE) {
        char szText[LINE_TEXT_SIZE];
        snprintf(szText, sizeof(szText), "%s%s", vResultCaption(pRes->nNoticeRow), pRes->szNotice);
        nDrawWrapped(hdc, pFonts->hText, szText, pL->rcPage.left, pL->yNotice + pL->nGap / 2,
                     pL->rcPage.right - pL->rcPage.left);
    }
}

// A width in the rose's tenths of a millimetre as the page's pixels.
static int nRosePixels(int nUnits, int nDpi) { return MulDiv(nUnits, TENTHS_PER_MM * nDpi, ROSE_UNITS_PER_10_INCHES); }

// The rose on a mapping of its own: tenths of a millimetre, y up, the origin
// at its centre, so that the diagram's drawing helpers draw it as in the
// window. They read the tick length and the label font's size from the
// diagram state: lent for the drawing, and given back.
static void vPaintRose(HDC hdc, const KneeboardLayout* pL)
{
    DiagramState* pD = pApp->pDiagram;
    HFONT hFont = hPageFont(TEXT_POINTS, 0, ROSE_UNITS_PER_10_INCHES / TENTHS_PER_MM);
    if (hFont == NULL || pL->nRoseRadius <= 0) {
        if (hFont != NULL)
            DeleteObject(hFont);
        return;
    }
    int nSaved = SaveDC(hdc);
    SetMapMode(hdc, MM_ANISOTROPIC);
    SetWindowExtEx(hdc, ROSE_UNITS_PER_10_INCHES, ROSE_UNITS_PER_10_INCHES, NULL);
    SetViewportExtEx(hdc, TENTHS_PER_MM * pL->nDpiX, -TENTHS_PER_MM * pL->nDpiY, NULL);
    SetViewportOrgEx(hdc, pL->ptRose.x, pL->ptRose.y, NULL);
    HGDIOBJ hOldFont = SelectObject(hdc, hFont);
    TEXTMETRICA tm;
    memset(&tm, 0, sizeof(tm));
    GetTextMetricsA(hdc, &tm);

    int nTick = pD->nTick, nCharWidth = pD->nCharWidth, nCharHeight = pD->nCharHeight;
    int r = MulDiv(pL->nRoseRadius, ROSE_UNITS_PER_10_INCHES, TENTHS_PER_MM * pL->nDpiX);
    pD->nTick = r / TICKS_PER_RADIUS;
    pD->nCharWidth = tm.tmAveCharWidth;
    pD->nCharHeight = tm.tmHeight;
    POINT c = {0, 0};
    vDrawCompassCircle(hdc, c, r, CIRCLE_UNITS);
    vDrawTriangleWith(hdc, c, r, &kPagePens);
    vDrawCompassTicks(hdc, c, r, THIN_UNITS);
    vDrawCentreCross(hdc, c, THIN_UNITS);
    pD->nTick = nTick;
    pD->nCharWidth = nCharWidth;
    pD->nCharHeight = nCharHeight;

    SelectObject(hdc, hOldFont);
    RestoreDC(hdc, nSaved);
    DeleteObject(hFont);
}

// The block's rows down to the correction angle, the three vectors' with
// a sample of their line as the rose draws it.
static void vPaintLegend(HDC hdc, const KneeboardLayout* pL, const ResultTexts* pRes)
{
    DiagramState* pD = pApp->pDiagram;
    int nSample = nFromTenthsMm(SAMPLE_TENTHS_MM, pL->nDpiX);
    for (int nRow = 0; nRow < LEGEND_LINES; nRow++) {
        int y = pL->yLegend + nRow * pL->nLine;
        if (nRow < LEGEND_COLOURS) {
            const float* pf = pD->fColor[nRow];
            HGDIOBJ hOldPen = vSelectNewPen(hdc, PS_SOLID, nRosePixels(kPagePens.nWidth[nRow], pL->nDpiX),
                                            vColorFromFloats(pf[0], pf[1], pf[2]));
            POINT ptFrom = {pL->rcPage.left, y + pL->nLine / 2}, ptTo = {pL->rcPage.left + nSample, y + pL->nLine / 2};
            vDrawLine(hdc, ptFrom, ptTo);
            vRestorePen(hdc, hOldPen);
        }
        char szText[LINE_TEXT_SIZE];
        const char* pszNumber = nRow == pRes->nNoticeRow ? "" : pRes->szNumber[nRow];
        snprintf(szText, sizeof(szText), "%s%s%s %s", vResultCaption(nRow), pszNumber[0] ? ": " : "", pszNumber,
                 pRes->szUnit[nRow]);
        POINT pt = {pL->rcPage.left + nSample + pL->nLine, y};
        vDrawText(hdc, pt, szText);
    }
}

static void vPaintTable(HDC hdc, const KneeboardLayout* pL)
{
    FormState* pF = pApp->pForm;
    for (int i = 0; i < INPUT_COUNT; i++) {
        POINT pt = {pL->rcPage.left, pL->nRowTop[i]};
        vDrawText(hdc, pt, pF->pszLabel[i]);
        char szText[ROW_TEXT_SIZE];
        snprintf(szText, sizeof(szText), "%s %s", pF->szInput[i], vShownUnit(i));
        RECT rc = {pL->xValue, pL->nRowTop[i], pL->rcPage.right, pL->rcPage.bottom};
        DrawTextA(hdc, szText, -1, &rc, kWrapFormat);
    }
}

static void vDeleteFonts(PageFonts* pFonts)
{
    HFONT h[] = {pFonts->hText, pFonts->hRoute, pFonts->hNumber};
    for (HFONT hFont : h)
        if (hFont != NULL)
            DeleteObject(hFont);
}

int vPaintPage(HDC hdc)
{
    static ResultTexts results; // the window's record stays as its last paint left it
    KneeboardLayout layout;
    memset(&layout, 0, sizeof(layout));
    layout.nDpiX = GetDeviceCaps(hdc, LOGPIXELSX);
    layout.nDpiY = GetDeviceCaps(hdc, LOGPIXELSY);
    PageFonts fonts = {hPageFont(TEXT_POINTS, 0, layout.nDpiY), hPageFont(ROUTE_POINTS, 1, layout.nDpiY),
                       hPageFont(NUMBER_POINTS, 1, layout.nDpiY)};
    if (fonts.hText == NULL || fonts.hRoute == NULL || fonts.hNumber == NULL) {
        vDeleteFonts(&fonts);
        return 0;
    }
    vComposeResultsInto(&results);
    char szRoute[ROUTE_SIZE] = "";
    vGetRouteText(szRoute, sizeof(szRoute));

    int nSaved = SaveDC(hdc);
    SetMapMode(hdc, MM_TEXT);
    SetBkMode(hdc, TRANSPARENT);
    HGDIOBJ hOldFont = SelectObject(hdc, fonts.hText);
    vPageRect(hdc, &layout, &layout.rcPage);
    vLayoutPage(hdc, &fonts, &results, szRoute, &layout);
    // Whatever the inputs, nothing runs past the margins.
    IntersectClipRect(hdc, layout.rcPage.left, layout.rcPage.top, layout.rcPage.right, layout.rcPage.bottom);

    vPaintHeader(hdc, &fonts, &layout, szRoute);
    vPaintCells(hdc, &fonts, &layout, &results);
    vPaintRose(hdc, &layout);
    vPaintLegend(hdc, &layout, &results);
    vPaintTable(hdc, &layout);

    SelectObject(hdc, hOldFont);
    RestoreDC(hdc, nSaved);
    vDeleteFonts(&fonts);
    return 1;
}
