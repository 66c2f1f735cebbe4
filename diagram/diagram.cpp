// The diagram panel: white background, title with the route, compass rose
// with ticks, labels and centre cross, the wind triangle to scale (or what
// the valid inputs allow of it), and last the results block.
#include "diagram/diagram.h"

#include <math.h>
#include <stdio.h>

#include "calc/app_state.h"
#include "calc/input.h"
#include "calc/navmath.h"
#include "calc/solver.h"
#include "calc/trig.h"
#include "diagram/draw.h"
#include "diagram/mapping.h"
#include "form/results_text.h"

enum {
    CIRCLE_PEN_WIDTH = 2,
    LINE_PEN_WIDTH = 1,
    TICK_COUNT = 36,        // one every ten degrees
    CROSS_HALF_ARM = 15,
    ROUTE_INDENT_CHARS = 4, // the route lines start four characters right of the title
    ROUTE_TEXT_SIZE = 2 * INPUT_TEXT_SIZE,
    CLOSING_SLACK = 3 // logical units: three rounded lengths and two rounded tips
};

static const float kBlack[3] = {0.0f, 0.0f, 0.0f};
static const float kGrey[3] = {0.7f, 0.7f, 0.7f}; // the side that closes the triangle
static const double kNorthUp = 90.0; // compass direction d is drawn at 90 - d


static COLORREF colour(const float* pf) { return vColorFromFloats(pf[0], pf[1], pf[2]); }
static COLORREF colourOf(int nColour) { return colour(pApp->pDiagram->fColor[nColour]); }

// One line element with a pen of its own.
static void vPenRay(HDC hdc, int nStyle, int nWidth, COLORREF color, POINT ptStart, double dCompass, int nLength)
{
    HGDIOBJ hOldPen = vSelectNewPen(hdc, nStyle, nWidth, color);
    vDrawRay(hdc, ptStart, kNorthUp - dCompass, nLength);
    vRestorePen(hdc, hOldPen);
}

// Tip of a vector of length n in compass direction d; the centre is added
// before rounding (a ray's end rounds the offset alone).
static POINT ptTip(POINT c, double dCompass, int nLength)
{
    double dTheta = vDegToRad(kNorthUp - dCompass);
    POINT pt;
    pt.x = vRound(c.x + vCos(dTheta) * nLength);
    pt.y = vRound(c.y + vSin(dTheta) * nLength);
    return pt;
}

// A vector from the centre, preceded by its dotted continuation out to the
// tick ring when it is shorter than the full length.
static void vVector(HDC hdc, POINT c, int nColour, double dCompass, int nLength, int nFull, const TrianglePens* pPens)
{
    int nWidth = pPens->nWidth[nColour];
    if (nLength < nFull)
        vPenRay(hdc, PS_DOT, nWidth, colourOf(nColour), ptTip(c, dCompass, nLength), dCompass, nFull - nLength);
    vPenRay(hdc, PS_SOLID, nWidth, colourOf(nColour), c, dCompass, nLength);
}

static int bRead(int id, double* pd)
{
    FormState* pF = pApp->pForm;
    return pF->bValid[id] && vGetValue(pF->szInput[id], id, pd);
}

void vDrawDiagramBackground(HDC hdc, PAINTSTRUCT* pPs)
{
    (void)hdc; // the fill goes to the paint record's surface
    FormState* pF = pApp->pForm;
    POINT ptCorner = {pF->rcDiagram.x, pF->rcDiagram.y};
    SIZE size = {pF->rcDiagram.cx, pF->rcDiagram.cy};
    vFillPanel(pPs, ptCorner, size, colour(pF->fDiagramColor));
}

void vDrawTitle(HDC hdc)
{
    DiagramState* pD = pApp->pDiagram;
    FormState* pF = pApp->pForm;
    char szLine[ROUTE_TEXT_SIZE];
    POINT pt = pD->ptTitle;
    vDrawText(hdc, pt, pD->pszTitle);
    pt.x += ROUTE_INDENT_CHARS * pD->nCharWidth;
    if (pF->bValid[Departure]) {
        pt.y -= pD->nCharHeight;
        snprintf(szLine, sizeof(szLine), "%s %s", pD->pszFrom ? pD->pszFrom : "", pF->szInput[Departure]);
        vDrawText(hdc, pt, szLine);
    }
    if (pF->bValid[Destination]) {
        pt.y -= pD->nCharHeight;
        snprintf(szLine, sizeof(szLine), "%s %s", pD->pszTo ? pD->pszTo : "", pF->szInput[Destination]);
        vDrawText(hdc, pt, szLine);
    }
}

void vDrawCompassCircle(HDC hdc, POINT c, int r, int nWidth)
{
    HGDIOBJ hOldPen = vSelectNewPen(hdc, PS_SOLID, nWidth, colour(kBlack));
    // Two halves, from the west point to the east point and back: an arc
    // that starts where it ends is the full circle on the screen, but Wine's
    // printer driver draws it as nothing.
    Arc(hdc, c.x - r, c.y + r, c.x + r, c.y - r, c.x - r, c.y, c.x + r, c.y);
    Arc(hdc, c.x - r, c.y + r, c.x + r, c.y - r, c.x + r, c.y, c.x - r, c.y);
    vRestorePen(hdc, hOldPen);
}

void vDrawCompassTicks(HDC hdc, POINT c, int r, int nWidth)
{
    int nTick = pApp->pDiagram->nTick;
    int nInner = r - nTick;
    HGDIOBJ hOldPen = vSelectNewPen(hdc, PS_SOLID, nWidth, colour(kBlack));
    for (int i = 0; i < TICK_COUNT; i++) {
        double dAngle = i * (kFullCircle / TICK_COUNT);
        double dTheta = vDegToRad(dAngle);
        POINT ptStart = {c.x + vRound(vCos(dTheta) * nInner), c.y + vRound(vSin(dTheta) * nInner)};
        vDrawRay(hdc, ptStart, dAngle, nTick);
    }
    vDrawCompassLabels(hdc, c, r);
    vRestorePen(hdc, hOldPen);
}

void vDrawCompassLabels(HDC hdc, POINT c, int r)
{
    for (int i = 0; i < COMPASS_LABELS; i++) {
        POINT pt;
        SIZE size;
        vPlaceCompassLabel(hdc, c, r, i, &pt, &size);
        vDrawText(hdc, pt, vCompassLabel(i));
    }
}

void vDrawCentreCross(HDC hdc, POINT c, int nWidth)
{
    HGDIOBJ hOldPen = vSelectNewPen(hdc, PS_SOLID, nWidth, colour(kBlack));
    POINT ptLeft = {c.x - CROSS_HALF_ARM, c.y}, ptRight = {c.x + CROSS_HALF_ARM, c.y};
    POINT ptBottom = {c.x, c.y - CROSS_HALF_ARM}, ptTop = {c.x, c.y + CROSS_HALF_ARM};
    vDrawLine(hdc, ptLeft, ptRight);
    vDrawLine(hdc, ptBottom, ptTop);
    vRestorePen(hdc, hOldPen);
}

// Length of a vector whose speed is dSpeed when the largest is dMax: the
// full length for the largest, nothing for a speed below the threshold. The
// ratio is taken first, so no speed however large can overflow on the way,
// and only a length known to lie within 0 to nFull becomes an int. 0 when
// the speeds give no finite ratio: that triangle cannot be drawn to scale.
static int bScaled(int nFull, double dSpeed, double dMax, int* pnLength)
{
    if (!(dSpeed >= kSmall)) {
        *pnLength = 0;
        return 1;
    }
    if (!(dMax > kSmall)) {
        *pnLength = nFull;
        return 1;
    }
    double dRatio = dSpeed / dMax;
    if (!isfinite(dMax) || !(dRatio >= 0.0 && dRatio <= 1.0))
        return 0;
    *pnLength = vRound(nFull * dRatio);
    return 1;
}

// The window's pens: every line nWidth wide.
static TrianglePens pensAlike(int nWidth)
{
    TrianglePens pens;
    for (int i = 0; i < TRIANGLE_LINES; i++)
        pens.nWidth[i] = nWidth;
    return pens;
}

static void vDrawPartialWith(HDC hdc, POINT c, int r, const TrianglePens* pPens);

void vDrawTriangle(HDC hdc, POINT c, int r, int nWidth)
{
    TrianglePens pens = pensAlike(nWidth);
    vDrawTriangleWith(hdc, c, r, &pens);
}

void vDrawPartialTriangle(HDC hdc, POINT c, int r, int nWidth)
{
    TrianglePens pens = pensAlike(nWidth);
    vDrawPartialWith(hdc, c, r, &pens);
}

void vDrawTriangleWith(HDC hdc, POINT c, int r, const TrianglePens* pPens)
{
    FormState* pF = pApp->pForm;
    int nFull = r - pApp->pDiagram->nTick; // the longest vector reaches the ticks
    if (nFull < 0)
        return; // a panel too small for the rose's labels leaves no length to draw to
    double dWca, dTh, dGs, dWs, dTas, dWd, dTc;
    if (!pF->bValid[WindSpeed] || !pF->bValid[Tas] || !pF->bValid[WindDir] || !pF->bValid[TrueCourse] ||
        !vGetWindTriangle(&dWca, &dTh, &dGs) || !bRead(WindSpeed, &dWs) || !bRead(Tas, &dTas) ||
        !bRead(WindDir, &dWd) || !bRead(TrueCourse, &dTc)) {
        vDrawPartialWith(hdc, c, r, pPens);
        return;
    }
    dGs = fabs(dGs);
    dTas = fabs(dTas);
    dWs = fabs(dWs);
    double dWindTo;
    vNormAngle(dWd - kHalfCircle, &dWindTo);
    vNormAngle(dTc, &dTc);

    double dMax = dTas;
    if (dWs > dMax)
        dMax = dWs;
    if (dGs > dMax)
        dMax = dGs;
    int nWs, nGs, nTas;
    if (!bScaled(nFull, dWs, dMax, &nWs) || !bScaled(nFull, dGs, dMax, &nGs) || !bScaled(nFull, dTas, dMax, &nTas))
        return; // not drawn rather than drawn wrong

    // Ground = air + wind: the grey side runs from the wind's tip parallel
    // to the heading and ends at the ground vector's tip.
    POINT ptWindTip = ptTip(c, dWindTo, nWs);
    // Near the calculation's zero threshold (speeds of a few thousandths)
    // the heading is snapped to east or west while the lengths keep their
    // ratio: the grey side then misses the ground vector's tip and may run
    // out of the rose, across the form. Such a triangle cannot be drawn to
    // scale and is not drawn. Where the wind is too strong for the course
    // the grey side ends between the wind's tip and the ground vector's,
    // inside the rose, and is drawn as it is.
    POINT ptGreyEnd = ptTip(ptWindTip, dTh, nTas);
    if (hypot(ptGreyEnd.x - c.x, ptGreyEnd.y - c.y) > nFull + CLOSING_SLACK)
        return;
    vPenRay(hdc, PS_SOLID, pPens->nWidth[LINE_CLOSING], colour(kGrey), ptWindTip, dTh, nTas);
    vVector(hdc, c, LINE_WIND, dWindTo, nWs, nFull, pPens);
    vVector(hdc, c, LINE_COURSE, dTc, nGs, nFull, pPens);
    vVector(hdc, c, LINE_HEADING, dTh, nTas, nFull, pPens);
}

static void vDrawPartialWith(HDC hdc, POINT c, int r, const TrianglePens* pPens)
{
    int nFull = r - pApp->pDiagram->nTick;
    if (nFull < 0)
        return; // as for the whole triangle
    int nWs = nFull, nTas = nFull;
    double dWs, dTas;
    if (bRead(WindSpeed, &dWs) && bRead(Tas, &dTas)) {
        dWs = fabs(dWs);
        dTas = fabs(dTas);
        double dMax = dTas > dWs ? dTas : dWs;
        if (!bScaled(nFull, dWs, dMax, &nWs) || !bScaled(nFull, dTas, dMax, &nTas))
            return;
    }

    FormState* pF = pApp->pForm;
    if (pF->bValid[WindDir]) {
        double dWd, dWindTo;
        if (!vGetValue(pF->szInput[WindDir], WindDir, &dWd))
            return;
        vNormAngle(dWd - kHalfCircle, &dWindTo);
        vVector(hdc, c, LINE_WIND, dWindTo, nWs, nFull, pPens);
    }
    // Without a ground speed the course line takes the airspeed's length.
    if (pF->bValid[TrueCourse]) {
        double dTc;
        if (!vGetValue(pF->szInput[TrueCourse], TrueCourse, &dTc))
            return;
        vNormAngle(dTc, &dTc);
        vVector(hdc, c, LINE_COURSE, dTc, nTas, nFull, pPens);
    }
}

void vPaintDiagram(HDC hdc, PAINTSTRUCT* pPs)
{
    DiagramState* pD = pApp->pDiagram;
    vDrawDiagramBackground(hdc, pPs);
    vComposeResults(); // once: the layout measures them, the block draws them
    vSetDiagramMapping(hdc); // from here on, logical units
    if (pD->bShowTitle)
        vDrawTitle(hdc);
    if (pD->bShowTriangle) {
        int nLine = LINE_PEN_WIDTH * pD->nLineWidth;
        vDrawCompassCircle(hdc, pD->ptCenter, pD->nRadius, CIRCLE_PEN_WIDTH * pD->nLineWidth);
        vDrawTriangle(hdc, pD->ptCenter, pD->nRadius, nLine);
        vDrawCompassTicks(hdc, pD->ptCenter, pD->nRadius, nLine);
        vDrawCentreCross(hdc, pD->ptCenter, nLine);
    }
    if (pD->bShowResults)
        vPaintResults(hdc);
    vEndDiagramMapping(hdc);
}
