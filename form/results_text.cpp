// The results block in the diagram's logical units: three coloured sample
// lines, seven captions, and the value of each row, up to the prompt that
// names the first missing input.
#include "form/results_text.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include "calc/app_state.h"
#include "calc/derived.h"
#include "calc/input.h"
#include "calc/solver.h"
#include "diagram/draw.h"

enum {
    // The longest value: a time or fuel amount near the largest double,
    // whose 309 digits are all printed.
    VALUE_TEXT_SIZE = 512,
    SAMPLE_PEN_WIDTH = 1,
    ROW_WIND = 0,
    ROW_COURSE = 1,
    ROW_HEADING = 2,
    ROW_WCA = 3,
    ROW_CH = 4,
    ROW_TIME = 5,
    ROW_FUEL = 6
};

static const char kNoValue[] = ": ####";
static const char kAngleFormat[] = ": %4.0lf [\xB0]";
// Shown in the heading row, and nothing after it, when the wind is too
// strong for the course: no heading, time or fuel amount could be flown.
static const char kNotFlyable[] = ": #### (Kurs bei diesem Wind nicht fliegbar)";
static const double kHalfAngle = 180.0;
static const double kFullAngle = 360.0;
// Minutes below this print as one digit once rounded to whole minutes.
static const double kOneDigitMinutes = 10.0;
static const double kHalfMinute = 0.5;

// Prompt per missing input and the row it stands in; null for inputs that
// never stop the block. The deviation prompt with a heading is separate.
static const struct {
    const char* pszFormat;
    int nRow;
} kPrompts[INPUT_COUNT] = {
    {NULL, 0},
    {NULL, 0},
    {": #### (%d. Fluggeschwindigkeit eingeben)", ROW_HEADING},
    {": #### (%d. Windgeschwindigkeit eingeben)", ROW_HEADING},
    {": #### (%d. Windrichtung eingeben)", ROW_HEADING},
    {": #### (%d. Bodenrichtung eingeben)", ROW_HEADING},
    {": #### (%d. Ortsmissweisung eingeben)", ROW_CH},
    {": #### (%d. Kompassablenkung eingeben)", ROW_CH},
    {": #### (%d. Distanz eingeben)", ROW_TIME},
    {": #### (%d. Verbrauch eingeben)", ROW_FUEL},
};
static const char kDeviationAtHeading[] = ": #### (%d. Kompassablenkung bei %.0lf [\xB0] eingeben)";

// The client's right edge in logical units: the panel's right edge, whatever
// its shape.
static int nClientRight(void)
{
    const DiagramState* pD = pApp->pDiagram;
    return 2 * pD->ptWindowExt.x - pD->nFormWidthLog - pD->nHalfWidth;
}

// A value is drawn whole or not at all: where the panel has no room for it,
// a number cut at the client's edge would be read as another number.
static void vDrawValue(HDC hdc, int nRow, const char* pszText)
{
    const DiagramState* pD = pApp->pDiagram;
    POINT pt = pD->ptLegendValue[nRow];
    SIZE size;
    if (!vTextExtent(hdc, pszText, &size) || pt.x + size.cx > nClientRight() || pt.y > pD->ptWindowExt.y ||
        pt.y - size.cy < -pD->ptWindowExt.y)
        return;
    vDrawText(hdc, pt, pszText);
}

static void vDrawAngle(HDC hdc, int nRow, double dAngle)
{
    char szText[VALUE_TEXT_SIZE];
    snprintf(szText, sizeof(szText), kAngleFormat, dAngle);
    vDrawValue(hdc, nRow, szText);
}

// 1 when the solver runs and says the course cannot be flown in this wind.
static int bNotFlyable(void)
{
    int bFlyable = 1;
    return vGetCourseFlyable(&bFlyable) && !bFlyable;
}

static void vDrawPrompt(HDC hdc, int id)
{
    char szText[VALUE_TEXT_SIZE];
    double dWca, dTh, dGs;
    if (id == Deviation && vGetWindTriangle(&dWca, &dTh, &dGs))
        snprintf(szText, sizeof(szText), kDeviationAtHeading, id + 1, dTh);
    else
        snprintf(szText, sizeof(szText), kPrompts[id].pszFormat, id + 1);
    vDrawWrapped(hdc, pApp->pDiagram->ptLegendValue[kPrompts[id].nRow], szText);
}

static void vDrawWind(HDC hdc)
{
    FormState* pF = pApp->pForm;
    double dWd, dTo;
    if (vGetValue(pF->szInput[WindDir], WindDir, &dWd) && vNormAngle(dWd - kHalfAngle, &dTo))
        vDrawAngle(hdc, ROW_WIND, dTo);
    else
        vDrawValue(hdc, ROW_WIND, kNoValue);
}

// 0 when the course cannot be flown: the heading row then says so and the
// block ends there.
static int vDrawCourseAndHeading(HDC hdc)
{
    FormState* pF = pApp->pForm;
    double dTc, dNorm;
    if (vGetValue(pF->szInput[TrueCourse], TrueCourse, &dTc) && vNormAngle(dTc, &dNorm))
        vDrawAngle(hdc, ROW_COURSE, dNorm);
    else
        vDrawValue(hdc, ROW_COURSE, kNoValue);

    if (bNotFlyable()) {
        vDrawWrapped(hdc, pApp->pDiagram->ptLegendValue[ROW_HEADING], kNotFlyable);
        return 0;
    }
    double dWca, dTh, dGs;
    if (vGetWindTriangle(&dWca, &dTh, &dGs)) {
        vDrawAngle(hdc, ROW_HEADING, dTh);
        // Shown in -180 (exclusive) to 180 (inclusive): left corrections negative.
        if (dWca > kHalfAngle)
            dWca -= kFullAngle;
        vDrawAngle(hdc, ROW_WCA, dWca);
    } else {
        vDrawValue(hdc, ROW_HEADING, kNoValue);
        vDrawValue(hdc, ROW_WCA, kNoValue);
    }
    return 1;
}

static void vDrawCompassHeading(HDC hdc)
{
    double dCh;
    if (vGetCH(&dCh))
        vDrawAngle(hdc, ROW_CH, dCh);
    else
        vDrawValue(hdc, ROW_CH, kNoValue);
}

// Hours, a colon and the minutes, each rounded on its own: the minutes are
// never carried into the hours, so 59.5 minutes or more show as 60 after
// the unchanged hours (0:60 is sixty minutes). Minutes that print as one
// digit get a leading 0; the fallback 99 for a vanishing ground speed
// prints as it is. A negative time (only from a negative distance) gets one
// sign in front of the whole instead of one on each part, and none when it
// prints as 0:00.
static void vFormatTime(char* pszText, size_t nSize, double dHours, double dMinutes)
{
    double dH = fabs(dHours);
    double dM = fabs(dMinutes);
    char szClock[VALUE_TEXT_SIZE];
    if (dM + kHalfMinute < kOneDigitMinutes)
        snprintf(szClock, sizeof(szClock), "%.0lf:0%.0lf", dH, dM);
    else
        snprintf(szClock, sizeof(szClock), "%.0lf:%.0lf", dH, dM);
    bool bNegative = (dHours < 0 || dMinutes < 0) && strpbrk(szClock, "123456789") != NULL;
    snprintf(pszText, nSize, ": %s%s [h:min]", bNegative ? "-" : "", szClock);
}

static void vDrawTime(HDC hdc)
{
    char szText[VALUE_TEXT_SIZE];
    double dHours, dMinutes;
    if (vGetTime(&dHours, &dMinutes))
        vFormatTime(szText, sizeof(szText), dHours, dMinutes);
    else
        snprintf(szText, sizeof(szText), "%s", kNoValue);
    vDrawValue(hdc, ROW_TIME, szText);
}

static void vDrawFuel(HDC hdc)
{
    char szText[VALUE_TEXT_SIZE];
    double dFuel;
    if (vGetFuel(&dFuel))
        snprintf(szText, sizeof(szText), ": %.1lf [l]", dFuel);
    else
        snprintf(szText, sizeof(szText), "%s", kNoValue);
    vDrawValue(hdc, ROW_FUEL, szText);
}

void vPaintResults(HDC hdc)
{
    DiagramState* pD = pApp->pDiagram;
    FormState* pF = pApp->pForm;

    for (int nRow = 0; nRow < LEGEND_COLOURS; nRow++) {
        const float* pfColor = pD->fColor[nRow];
        HGDIOBJ hOldPen = vSelectNewPen(hdc, PS_SOLID, SAMPLE_PEN_WIDTH, vColorFromFloats(pfColor[0], pfColor[1], pfColor[2]));
        POINT ptEnd = {pD->ptLegendMark[nRow].x + pD->nLegendLine, pD->ptLegendMark[nRow].y};
        vDrawLine(hdc, pD->ptLegendMark[nRow], ptEnd);
        vRestorePen(hdc, hOldPen);
    }

    for (int nRow = 0; nRow < LEGEND_ROWS; nRow++)
        vDrawText(hdc, pD->ptLegendLabel[nRow], pD->pszLegend[nRow]);

    for (int id = 0; id < INPUT_COUNT; id++) {
        if (!pF->bValid[id]) {
            if (kPrompts[id].pszFormat == NULL)
                continue; // a missing place name never stops the block
            vDrawPrompt(hdc, id);
            return;
        }
        switch (id) {
        case WindDir: vDrawWind(hdc); break;
        case TrueCourse:
            if (!vDrawCourseAndHeading(hdc))
                return;
            break;
        case Deviation: vDrawCompassHeading(hdc); break;
        case Distance: vDrawTime(hdc); break;
        case FuelFlow: vDrawFuel(hdc); break;
        default: break; // places, speeds and variation show no value of their own
        }
    }
}

void vDrawWrapped(HDC hdc, POINT pt, const char* pszText)
{
    if (pszText == NULL || pszText[0] == '\0')
        return;
    DiagramState* pD = pApp->pDiagram;
    // From pt to one character short of the client's right edge, and down
    // to the client's bottom edge.
    int nWidth = nClientRight() - pD->nCharWidth - pt.x;
    int nBottom = -pD->ptWindowExt.y;
    if (nWidth < 1 || pt.y < nBottom + 1)
        return;
    RECT rc = {pt.x, pt.y, pt.x + nWidth, nBottom};
    DrawTextA(hdc, pszText, -1, &rc, DT_WORDBREAK);
}
