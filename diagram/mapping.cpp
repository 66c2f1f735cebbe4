// The diagram's logical plane (1000 units = half the shorter panel side, y
// up) and, at each paint, the places of title, compass rose and legend.
#include "diagram/mapping.h"

#include <math.h>
#include <string.h>

#include "calc/app_state.h"
#include "calc/navmath.h"
#include "diagram/draw.h"

enum {
    LEGEND_LINE_CHARS = 4,   // a legend sample line is four characters long
    TITLE_BLOCK_LINES = 3,   // title plus "von" and "nach" lines
    LABEL_ROOM_CHARS = 7,    // room beside the circle for "90" and "270"
    LABEL_ROOM_LINES = 3,    // room above and below it for "0" and "180"
    FONT_STEPS = 4,          // steps of a pixel or less allowed after the first try
    PIXEL_PROBE = 10000,     // logical length used to read the scale
    LABEL_GAP = 6            // between the circle and its labels
};

static const char* const kCompassLabels[COMPASS_LABELS] = {"0", "90", "180", "270"};
// The widest value of a flight that can be flown in a day, as the time row
// shows it.
static const char kWidestValue[] = ": 23:59 [h:min]";

static const double kRowLines = 1.5; // legend rows are at most one and a half lines apart
// Where the values have no room beside the captions, each goes on a line of
// its own under its caption: a row is then two lines, and rows are at most
// two and a half lines apart.
static const double kStackedRowLines = 2.5;
enum { STACKED_LINES = 2 };

// Device pixels of a logical height, through the surface's own mapping.
static int nPixelsOf(HDC hdc, int nLogical)
{
    POINT pts[2] = {{0, 0}, {0, nLogical}};
    LPtoDP(hdc, pts, 2);
    return abs(pts[1].y - pts[0].y);
}

static void vReadFontMetrics(HDC hdc)
{
    DiagramState* pD = pApp->pDiagram;
    TEXTMETRICA tm;
    if (GetTextMetricsA(hdc, &tm)) {
        pD->nCharWidth = tm.tmAveCharWidth;
        pD->nCharHeight = tm.tmHeight;
    }
}

// Makes a copy of the diagram font, nRequest logical units high, and
// selects it in place of the font that is selected now.
static int bSelectCopy(HDC hdc, LOGFONTA* pLf, int nRequest)
{
    DiagramState* pD = pApp->pDiagram;
    pLf->lfHeight = pLf->lfHeight < 0 ? -nRequest : nRequest;
    HFONT hFont = CreateFontIndirectA(pLf);
    if (hFont == NULL || SelectObject(hdc, hFont) == NULL) {
        if (hFont)
            DeleteObject(hFont);
        return 0;
    }
    if (pD->hReadableFont)
        DeleteObject(pD->hReadableFont); // deselected by the line above
    pD->hReadableFont = hFont;
    vReadFontMetrics(hdc);
    return 1;
}

// The diagram font is asked for in logical units, so on a small panel a
// scalable font comes out a few pixels high. Where it would be smaller than
// the form font, a copy as high as the form font is selected instead; it is
// made once per panel scale and kept. A font with a minimum size that
// already reaches the form font's height is left alone. Where the request
// comes to less than a pixel, the platform may give a default size instead,
// far larger than asked for (Wine gives 16 pixels): such a font is brought
// down to the form font's height the same way.
static void vMakeReadable(HDC hdc)
{
    DiagramState* pD = pApp->pDiagram;
    int nWant = pApp->pForm->nFormFontHeight;
    int nPerProbe = nPixelsOf(hdc, PIXEL_PROBE);
    LOGFONTA lf;
    if (nWant <= 0 || nPerProbe <= 0 || GetObjectA(pD->hDiagramFont, sizeof(lf), &lf) != (int)sizeof(lf))
        return;
    int nHave = nPixelsOf(hdc, pD->nCharHeight);
    int bLargerThanAsked = nHave > nPixelsOf(hdc, abs(lf.lfHeight)) + 1;
    if (nHave >= nWant && !(nHave > nWant + 1 && bLargerThanAsked))
        return;
    // The scale is known to a ten-thousandth: a copy made for a panel of
    // almost the same scale may still come out a pixel short here, and is
    // then made again.
    if (pD->hReadableFont != NULL && pD->nReadableScale == nPerProbe && pD->nReadableHeight == nWant &&
        SelectObject(hdc, pD->hReadableFont) != NULL) {
        vReadFontMetrics(hdc);
        if (nPixelsOf(hdc, pD->nCharHeight) >= nWant)
            return;
    }

    // Fonts come in whole pixels, and a height asked for may come out a
    // pixel short or be skipped by the font: ask for the form font's pixels
    // and grow by at most one pixel at a time (so that no cell height is
    // jumped over) until the cell reaches them; never further.
    double dUnitsPerPixel = (double)PIXEL_PROBE / nPerProbe;
    int nRequest = (int)ceil(nWant * dUnitsPerPixel);
    int nStep = dUnitsPerPixel > 1.0 ? (int)dUnitsPerPixel : 1;
    for (int nTry = 0; nTry <= FONT_STEPS; nTry++, nRequest += nStep) {
        if (!bSelectCopy(hdc, &lf, nRequest))
            return;
        if (nPixelsOf(hdc, pD->nCharHeight) >= nWant)
            break;
    }
    pD->nReadableScale = nPerProbe;
    pD->nReadableHeight = nWant;
}

void vSetDiagramMapping(HDC hdc)
{
    DiagramState* pD = pApp->pDiagram;
    FormState* pF = pApp->pForm;
    SetMapMode(hdc, MM_ISOTROPIC);
    // The window extent first: the isotropic mode fits the viewport to it.
    SetWindowExtEx(hdc, pD->ptWindowExt.x, pD->ptWindowExt.y, NULL);
    SetViewportExtEx(hdc, pF->ptViewportExt.x, pF->ptViewportExt.y, NULL);
    SetViewportOrgEx(hdc, pF->ptViewportOrg.x, pF->ptViewportOrg.y, NULL);

    pD->hPaintOldFont = SelectObject(hdc, pD->hDiagramFont);
    vReadFontMetrics(hdc);
    if (pD->hPaintOldFont != NULL)
        vMakeReadable(hdc);
    vLayoutDiagram(hdc);
}

void vEndDiagramMapping(HDC hdc)
{
    DiagramState* pD = pApp->pDiagram;
    if (pD->hPaintOldFont != NULL)
        SelectObject(hdc, pD->hPaintOldFont);
    pD->hPaintOldFont = NULL;
}

void vDeleteDiagramFont(void)
{
    DiagramState* pD = pApp->pDiagram;
    DeleteObject(pD->hDiagramFont);
    if (pD->hReadableFont != NULL)
        DeleteObject(pD->hReadableFont);
    pD->hDiagramFont = NULL;
    pD->hReadableFont = NULL;
}

const char* vCompassLabel(int i) { return kCompassLabels[i]; }

void vPlaceCompassLabel(HDC hdc, POINT c, int r, int i, POINT* pPt, SIZE* pSize)
{
    const DiagramState* pD = pApp->pDiagram;
    int w = pD->nCharWidth, h = pD->nCharHeight;
    const char* pszText = kCompassLabels[i];
    if (!vTextExtent(hdc, pszText, pSize))
        pSize->cx = (int)strlen(pszText) * w;
    pSize->cy = h; // the line the placing below allows for
    switch (i) {
    case 0: // above the circle
        pPt->x = c.x - w / 2;
        pPt->y = c.y + r + LABEL_GAP + h;
        break;
    case 1: // right of it
        pPt->x = c.x + r + LABEL_GAP;
        pPt->y = c.y + h / 2;
        break;
    case 2: // below it
        pPt->x = c.x - (3 * w) / 2;
        pPt->y = c.y - r - LABEL_GAP;
        break;
    default: // left of it, its right end LABEL_GAP from the circle
        pPt->x = c.x - r - LABEL_GAP - pSize->cx;
        pPt->y = c.y + h / 2;
        break;
    }
}

// 1 when the four labels of the rose laid out now stand clear of each
// other (they stand outside the circle by their placing): on a small band
// the radius shrinks until they would be printed on top of each other.
static int bCompassLabelsClear(HDC hdc)
{
    const DiagramState* pD = pApp->pDiagram;
    if (pD->nRadius <= 0)
        return 0;
    POINT pt[COMPASS_LABELS];
    SIZE size[COMPASS_LABELS];
    for (int i = 0; i < COMPASS_LABELS; i++)
        vPlaceCompassLabel(hdc, pD->ptCenter, pD->nRadius, i, &pt[i], &size[i]);
    // A box runs right and down (y points up) from its top-left corner.
    for (int i = 0; i < COMPASS_LABELS; i++)
        for (int j = i + 1; j < COMPASS_LABELS; j++)
            if (pt[i].x < pt[j].x + size[j].cx && pt[j].x < pt[i].x + size[i].cx &&
                pt[i].y - size[i].cy < pt[j].y && pt[j].y - size[j].cy < pt[i].y)
                return 0;
    return 1;
}

void vResultsMinSize(HDC hdc, int nNoticeWidth, SIZE* pSize)
{
    const DiagramState* pD = pApp->pDiagram;
    TEXTMETRICA tm;
    memset(&tm, 0, sizeof(tm));
    GetTextMetricsA(hdc, &tm);
    int w = tm.tmAveCharWidth, h = tm.tmHeight;
    int nCaptions = 0;
    for (int nRow = 0; nRow < LEGEND_ROWS; nRow++) {
        SIZE size;
        if (vTextExtent(hdc, pD->pszLegend[nRow], &size) && size.cx > nCaptions)
            nCaptions = size.cx;
    }
    SIZE sizeValue = {0, 0};
    vTextExtent(hdc, kWidestValue, &sizeValue);
    int xValue = w + LEGEND_LINE_CHARS * w + w + nCaptions + w;
    int nBeside = sizeValue.cx > nNoticeWidth ? sizeValue.cx : nNoticeWidth;
    // The prompt's box keeps a character clear of the client's right edge,
    // and one more is spare for a diagram font a pixel larger than this.
    pSize->cx = xValue + nBeside + 2 * w;
    pSize->cy = (LEGEND_ROWS + 1) * h;
}

POINT vClientPoint(POINT ptLogical)
{
    const DiagramState* pD = pApp->pDiagram;
    const FormState* pF = pApp->pForm;
    // The axis with the larger factor is shrunk to the smaller one.
    double dSx = pD->ptWindowExt.x != 0 ? fabs((double)pF->ptViewportExt.x / pD->ptWindowExt.x) : 0.0;
    double dSy = pD->ptWindowExt.y != 0 ? fabs((double)pF->ptViewportExt.y / pD->ptWindowExt.y) : 0.0;
    double dScale = dSx < dSy ? dSx : dSy;
    POINT pt = {pF->ptViewportOrg.x + vRound(ptLogical.x * dScale),
                pF->ptViewportOrg.y - vRound(ptLogical.y * dScale)};
    return pt;
}

int vClientRight(void)
{
    const DiagramState* pD = pApp->pDiagram;
    return 2 * pD->ptWindowExt.x - pD->nFormWidthLog - pD->nHalfWidth;
}

// The widest value the results block shows for the inputs of this paint,
// in the selected font; a value that cannot be measured counts as 0.
static int nWidestValue(HDC hdc)
{
    const ResultTexts* pRes = &pApp->pDiagram->results;
    int nWidest = 0;
    for (int nRow = 0; nRow < LEGEND_ROWS; nRow++) {
        SIZE size;
        if (pRes->szValue[nRow][0] != '\0' && vTextExtent(hdc, pRes->szValue[nRow], &size) && size.cx > nWidest)
            nWidest = size.cx;
    }
    return nWidest;
}

static void vLayoutLegend(int nWidest)
{
    DiagramState* pD = pApp->pDiagram;
    int w = pD->nCharWidth, h = pD->nCharHeight, T = pD->ptWindowExt.y;
    int x0 = w - pD->nHalfWidth;
    int nTitleBlock = pD->bShowTitle ? (TITLE_BLOCK_LINES + 1) * h : 0;
    int nCircleBlock = pD->bShowTriangle ? 2 * pD->nRadius + LABEL_ROOM_LINES * h : 0;
    int nRest = 2 * T - nTitleBlock - nCircleBlock;
    int nPitch = (nRest - h) / LEGEND_ROWS;
    int nMostPitch = vRound((pD->bValuesBelow ? kStackedRowLines : kRowLines) * h);
    if (nMostPitch < nPitch)
        nPitch = nMostPitch;
    int nLeastPitch = pD->bValuesBelow ? STACKED_LINES * h : h;
    if (nLeastPitch > nPitch)
        nPitch = nLeastPitch;

    int xLabel = x0 + pD->nLegendLine + w;
    // Under its caption a value starts where the caption does, or at the
    // row's left edge where even that leaves too little room.
    int xBelow = xLabel + nWidest <= vClientRight() ? xLabel : x0;
    int y = h - T + nPitch;
    for (int nRow = LEGEND_ROWS - 1; nRow >= 0; nRow--, y += nPitch) {
        pD->ptLegendMark[nRow].x = x0;
        pD->ptLegendMark[nRow].y = y - h / 2;
        pD->ptLegendLabel[nRow].x = xLabel;
        pD->ptLegendLabel[nRow].y = y;
        if (pD->bValuesBelow) {
            pD->ptLegendValue[nRow].x = xBelow;
            pD->ptLegendValue[nRow].y = y - h;
        } else {
            pD->ptLegendValue[nRow].x = xLabel + pD->nLegendTextWidth + w;
            pD->ptLegendValue[nRow].y = y;
        }
    }
}

void vLayoutDiagram(HDC hdc)
{
    DiagramState* pD = pApp->pDiagram;
    int w = pD->nCharWidth, h = pD->nCharHeight, T = pD->ptWindowExt.y;

    pD->bShowTitle = 1;
    pD->bShowTriangle = 1;
    pD->bShowResults = 1;

    pD->nLegendLine = LEGEND_LINE_CHARS * w;
    // A caption that cannot be measured counts with the width measured last.
    SIZE size = {0, 0};
    pD->nLegendTextWidth = 0;
    for (int nRow = 0; nRow < LEGEND_ROWS; nRow++) {
        vTextExtent(hdc, pD->pszLegend[nRow], &size);
        if (size.cx > pD->nLegendTextWidth)
            pD->nLegendTextWidth = size.cx;
    }

    // Centred on x = 0, but never left of one character inside the square.
    SIZE sizeTitle = {0, 0};
    vTextExtent(hdc, pD->pszTitle, &sizeTitle);
    pD->ptTitle.x = -sizeTitle.cx / 2;
    if (pD->ptTitle.x < w - pD->nHalfWidth)
        pD->ptTitle.x = w - pD->nHalfWidth;
    pD->ptTitle.y = T - h;

    // The values go under their captions when the widest of them would run
    // past the client's right edge beside them.
    int nWidest = nWidestValue(hdc);
    int xValue = w - pD->nHalfWidth + pD->nLegendLine + w + pD->nLegendTextWidth + w;
    pD->bValuesBelow = nWidest > 0 && xValue + nWidest > vClientRight();
    int nLegendHeight = vRound(LEGEND_ROWS * h * (pD->bValuesBelow ? kStackedRowLines : kRowLines) + h);
    int nBandTop = pD->ptTitle.y - TITLE_BLOCK_LINES * h;
    int nBandBottom = nLegendHeight - T;
    int nTitleBlock = T - nBandTop;
    int nAvail = nBandTop - nBandBottom;
    if (nAvail > 2 * pD->nHalfWidth)
        nAvail = 2 * pD->nHalfWidth;
    if (nAvail > 2 * pD->nHalfHeight)
        nAvail = 2 * pD->nHalfHeight;

    pD->ptCenter = pD->ptCenterInit;
    pD->nRadius = pD->nRadiusInit;
    if (pD->nHalfHeight / 2 > nAvail) {
        pD->bShowTriangle = 0;
        if (2 * pD->nHalfHeight - nTitleBlock < nLegendHeight)
            pD->bShowTitle = 0;
    } else {
        pD->ptCenter.y = nBandTop - (nBandTop - nBandBottom) / 2;
        if (LABEL_ROOM_CHARS * w > LABEL_ROOM_LINES * h)
            pD->nRadius = (nAvail - LABEL_ROOM_CHARS * w) / 2;
        else
            pD->nRadius = (nAvail - LABEL_ROOM_LINES * h) / 2;
        // A rose whose labels would be printed on top of each other is not
        // drawn either; the results block keeps the room.
        if (!bCompassLabelsClear(hdc)) {
            pD->bShowTriangle = 0;
            pD->ptCenter = pD->ptCenterInit;
            pD->nRadius = pD->nRadiusInit;
        }
    }
    pD->nTick = pD->nRadius / TICKS_PER_RADIUS;

    vLayoutLegend(nWidest);
}
