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
#include "calc/navmath.h"
#include "calc/solver.h"
#include "calc/units.h"
#include "diagram/draw.h"
#include "diagram/mapping.h"

enum {
    SAMPLE_PEN_WIDTH = 1,
    NOTICE_MARGIN_CHARS = 1, // a prompt's box ends a character short of the client's right edge
    ANGLE_WIDTH = 4          // angles stand right-aligned in four characters after the colon
};

static const char kNoNumber[] = "####";
static const char kAngleUnit[] = "[\xB0]";
static const char kTimeUnit[] = "[h:min]";
static const char kFuelUnit[] = "[l]";
static const char kGroundSpeedCaption[] = "Grundgeschwindigkeit (GS)";
// Shown in the heading row, and nothing after it, when the wind is too
// strong for the course: no heading, time or fuel amount could be flown.
static const char kNotFlyable[] = ": #### (Kurs bei diesem Wind nicht fliegbar)";
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

// 1 when the solver runs and says the course cannot be flown in this wind.
static int bNotFlyable(void)
{
    int bFlyable = 1;
    return vGetCourseFlyable(&bFlyable) && !bFlyable;
}

// A row's number and unit, and, for a row of the block, the value it shows
// made of them: the number after a colon, right-aligned in nWidth
// characters, then the unit.
static void vSetValue(ResultTexts* pRes, int nRow, int nWidth, const char* pszNumber, const char* pszUnit)
{
    snprintf(pRes->szNumber[nRow], NUMBER_TEXT_SIZE, "%s", pszNumber);
    snprintf(pRes->szUnit[nRow], UNIT_TEXT_SIZE, "%s", pszUnit);
    if (nRow < LEGEND_ROWS)
        snprintf(pRes->szValue[nRow], RESULT_TEXT_SIZE, ": %*s%s%s", nWidth, pszNumber,
                 pszUnit[0] != '\0' ? " " : "", pszUnit);
}

static void vSetAngle(ResultTexts* pRes, int nRow, double dAngle)
{
    char szNumber[NUMBER_TEXT_SIZE];
    snprintf(szNumber, sizeof(szNumber), "%.0lf", dAngle);
    vSetValue(pRes, nRow, ANGLE_WIDTH, szNumber, kAngleUnit);
}

static void vSetNoValue(ResultTexts* pRes, int nRow) { vSetValue(pRes, nRow, 0, kNoNumber, ""); }

// The ground speed in the airspeed's unit, whole.
static void vSetGroundSpeed(ResultTexts* pRes, double dGs)
{
    double dFactor = 1.0;
    vGetFakIn(Tas, &dFactor);
    char szNumber[NUMBER_TEXT_SIZE];
    snprintf(szNumber, sizeof(szNumber), "%.0lf", dGs / dFactor);
    vSetValue(pRes, ROW_GROUND_SPEED, 0, szNumber, vShownUnit(Tas));
}

static void vSetNotice(ResultTexts* pRes, int nRow, const char* pszText)
{
    snprintf(pRes->szNotice, RESULT_TEXT_SIZE, "%s", pszText);
    pRes->nNoticeRow = nRow;
}

static void vSetPrompt(ResultTexts* pRes, int id)
{
    char szText[RESULT_TEXT_SIZE];
    double dWca, dTh, dGs;
    if (id == Deviation && vGetWindTriangle(&dWca, &dTh, &dGs))
        snprintf(szText, sizeof(szText), kDeviationAtHeading, id + 1, dTh);
    else
        snprintf(szText, sizeof(szText), kPrompts[id].pszFormat, id + 1);
    vSetNotice(pRes, kPrompts[id].nRow, szText);
}

static void vSetWind(ResultTexts* pRes)
{
    FormState* pF = pApp->pForm;
    double dWd, dTo;
    if (vGetValue(pF->szInput[WindDir], WindDir, &dWd) && vNormAngle(dWd - kHalfCircle, &dTo))
        vSetAngle(pRes, ROW_WIND, dTo);
    else
        vSetNoValue(pRes, ROW_WIND);
}

// 0 when the course cannot be flown: the heading row then says so and the
// block ends there.
static int vSetCourseAndHeading(ResultTexts* pRes)
{
    FormState* pF = pApp->pForm;
    double dTc, dNorm;
    if (vGetValue(pF->szInput[TrueCourse], TrueCourse, &dTc) && vNormAngle(dTc, &dNorm))
        vSetAngle(pRes, ROW_COURSE, dNorm);
    else
        vSetNoValue(pRes, ROW_COURSE);

    if (bNotFlyable()) {
        vSetNotice(pRes, ROW_HEADING, kNotFlyable);
        return 0;
    }
    double dWca, dTh, dGs;
    if (vGetWindTriangle(&dWca, &dTh, &dGs)) {
        vSetAngle(pRes, ROW_HEADING, dTh);
        // Shown in -180 (exclusive) to 180 (inclusive): left corrections negative.
        if (dWca > kHalfCircle)
            dWca -= kFullCircle;
        vSetAngle(pRes, ROW_WCA, dWca);
        vSetGroundSpeed(pRes, dGs);
    } else {
        vSetNoValue(pRes, ROW_HEADING);
        vSetNoValue(pRes, ROW_WCA);
        vSetNoValue(pRes, ROW_GROUND_SPEED);
    }
    return 1;
}

static void vSetCompassHeading(ResultTexts* pRes)
{
    double dCh;
    if (vGetCH(&dCh))
        vSetAngle(pRes, ROW_CH, dCh);
    else
        vSetNoValue(pRes, ROW_CH);
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
    char szClock[NUMBER_TEXT_SIZE - 1]; // room for the sign
    if (dM + kHalfMinute < kOneDigitMinutes)
        snprintf(szClock, sizeof(szClock), "%.0lf:0%.0lf", dH, dM);
    else
        snprintf(szClock, sizeof(szClock), "%.0lf:%.0lf", dH, dM);
    bool bNegative = (dHours < 0 || dMinutes < 0) && strpbrk(szClock, "123456789") != NULL;
    snprintf(pszText, nSize, "%s%s", bNegative ? "-" : "", szClock);
}

static void vSetTime(ResultTexts* pRes)
{
    double dHours, dMinutes;
    char szNumber[NUMBER_TEXT_SIZE];
    if (vGetTime(&dHours, &dMinutes)) {
        vFormatTime(szNumber, sizeof(szNumber), dHours, dMinutes);
        vSetValue(pRes, ROW_TIME, 0, szNumber, kTimeUnit);
    } else {
        vSetNoValue(pRes, ROW_TIME);
    }
}

static void vSetFuel(ResultTexts* pRes)
{
    double dFuel;
    char szNumber[NUMBER_TEXT_SIZE];
    if (vGetFuel(&dFuel)) {
        snprintf(szNumber, sizeof(szNumber), "%.1lf", dFuel);
        vSetValue(pRes, ROW_FUEL, 0, szNumber, kFuelUnit);
    } else {
        vSetNoValue(pRes, ROW_FUEL);
    }
}

const char* vResultCaption(int nRow)
{
    return nRow == ROW_GROUND_SPEED ? kGroundSpeedCaption : pApp->pDiagram->pszLegend[nRow];
}

void vComposeResults(void) { vComposeResultsInto(&pApp->pDiagram->results); }

void vComposeResultsInto(ResultTexts* pRes)
{
    FormState* pF = pApp->pForm;
    memset(pRes, 0, sizeof(*pRes));
    pRes->nNoticeRow = NO_NOTICE;
    for (int id = 0; id < INPUT_COUNT; id++) {
        if (!pF->bValid[id]) {
            if (kPrompts[id].pszFormat == NULL)
                continue; // a missing place name never stops the block
            vSetPrompt(pRes, id);
            return;
        }
        switch (id) {
        case WindDir: vSetWind(pRes); break;
        case TrueCourse:
            if (!vSetCourseAndHeading(pRes))
                return;
            break;
        case Deviation: vSetCompassHeading(pRes); break;
        case Distance: vSetTime(pRes); break;
        case FuelFlow: vSetFuel(pRes); break;
        default: break; // places, speeds and variation show no value of their own
        }
    }
}

const char* vShownResult(int nRow)
{
    const ResultTexts* pRes = &pApp->pDiagram->results;
    const char* psz = nRow == pRes->nNoticeRow ? pRes->szNotice : pRes->szValue[nRow];
    if (*psz == ':')
        psz++;
    while (*psz == ' ')
        psz++;
    return psz;
}

// A value is drawn whole or not at all: where the panel has no room for it,
// a number cut at the client's edge would be read as another number.
static void vDrawValue(HDC hdc, int nRow, const char* pszText)
{
    const DiagramState* pD = pApp->pDiagram;
    POINT pt = pD->ptLegendValue[nRow];
    SIZE size;
    if (pszText[0] == '\0' || !vTextExtent(hdc, pszText, &size) || pt.x + size.cx > vClientRight() ||
        pt.y > pD->ptWindowExt.y || pt.y - size.cy < -pD->ptWindowExt.y)
        return;
    vDrawText(hdc, pt, pszText);
}

// A caption too wide for the panel gives way to its short form, the
// abbreviation in its parentheses ("(WCA)"), where it has one.
static const char* pszCaptionThatFits(HDC hdc, int nRow)
{
    const DiagramState* pD = pApp->pDiagram;
    const char* pszCaption = pD->pszLegend[nRow];
    SIZE size;
    const char* pszShort = pszCaption != NULL ? strrchr(pszCaption, '(') : NULL;
    if (pszShort != NULL && vTextExtent(hdc, pszCaption, &size) &&
        pD->ptLegendLabel[nRow].x + size.cx > vClientRight())
        return pszShort;
    return pszCaption;
}

// Under its caption (values below), a prompt's lines run down into the
// rows that follow, which show their captions alone: it is drawn only where
// it ends above the next caption, whole or not at all, like a value.
// Beside the captions it wraps in a column of its own.
static int bNoticeClearOfCaptions(HDC hdc, int nRow, const char* pszText)
{
    const DiagramState* pD = pApp->pDiagram;
    if (!pD->bValuesBelow || nRow == LEGEND_ROWS - 1)
        return 1;
    POINT pt = pD->ptLegendValue[nRow];
    RECT rc = {pt.x, pt.y, vClientRight() - NOTICE_MARGIN_CHARS * pD->nCharWidth, pt.y};
    if (rc.right - rc.left < 1)
        return 1; // not drawn anyway
    int nHeight = abs(DrawTextA(hdc, pszText, -1, &rc, DT_WORDBREAK | DT_CALCRECT));
    return pt.y - nHeight >= pD->ptLegendLabel[nRow + 1].y;
}

void vPaintResults(HDC hdc)
{
    DiagramState* pD = pApp->pDiagram;

    for (int nRow = 0; nRow < LEGEND_COLOURS; nRow++) {
        const float* pfColor = pD->fColor[nRow];
        HGDIOBJ hOldPen = vSelectNewPen(hdc, PS_SOLID, SAMPLE_PEN_WIDTH * pD->nLineWidth,
                                        vColorFromFloats(pfColor[0], pfColor[1], pfColor[2]));
        POINT ptEnd = {pD->ptLegendMark[nRow].x + pD->nLegendLine, pD->ptLegendMark[nRow].y};
        vDrawLine(hdc, pD->ptLegendMark[nRow], ptEnd);
        vRestorePen(hdc, hOldPen);
    }

    for (int nRow = 0; nRow < LEGEND_ROWS; nRow++)
        vDrawText(hdc, pD->ptLegendLabel[nRow], pszCaptionThatFits(hdc, nRow));

    const ResultTexts* pRes = &pD->results;
    for (int nRow = 0; nRow < LEGEND_ROWS; nRow++)
        vDrawValue(hdc, nRow, pRes->szValue[nRow]);
    if (pRes->nNoticeRow != NO_NOTICE && bNoticeClearOfCaptions(hdc, pRes->nNoticeRow, pRes->szNotice))
        vDrawWrapped(hdc, pD->ptLegendValue[pRes->nNoticeRow], pRes->szNotice);
}

// The prompt of input id, or the unflyable notice for id -1, as long as it
// can be (the deviation prompt with a three-digit heading).
static void vLongestNotice(int id, char* pszText, size_t nSize)
{
    if (id < 0)
        snprintf(pszText, nSize, "%s", kNotFlyable);
    else if (id == Deviation)
        snprintf(pszText, nSize, kDeviationAtHeading, id + 1, kFullCircle - 1.0);
    else
        snprintf(pszText, nSize, kPrompts[id].pszFormat, id + 1);
}

// 1 when every prompt and the notice, wrapped into a box nWidth wide,
// needs no more lines than its row has down to the bottom edge with rows
// a line apart, and no word is wider than the box.
static int bNoticesFit(HDC hdc, int nWidth, int nLine)
{
    for (int id = -1; id < INPUT_COUNT; id++) {
        if (id >= 0 && kPrompts[id].pszFormat == NULL)
            continue;
        char szText[RESULT_TEXT_SIZE];
        vLongestNotice(id, szText, sizeof(szText));
        int nRow = id < 0 ? ROW_HEADING : kPrompts[id].nRow;
        RECT rc = {0, 0, nWidth, 0};
        int nHeight = DrawTextA(hdc, szText, -1, &rc, DT_WORDBREAK | DT_CALCRECT);
        if (rc.right > nWidth || nHeight > (LEGEND_ROWS - nRow + 1) * nLine)
            return 0;
    }
    return 1;
}

int vNoticeMinWidth(HDC hdc)
{
    TEXTMETRICA tm;
    memset(&tm, 0, sizeof(tm));
    GetTextMetricsA(hdc, &tm);
    SIZE size = {0, 0};
    char szText[RESULT_TEXT_SIZE];
    vLongestNotice(Deviation, szText, sizeof(szText));
    vTextExtent(hdc, szText, &size);
    // The whole prompt on one line fits; halve the range down to the
    // narrowest width that still does.
    int nFits = size.cx, nTooNarrow = 0;
    if (tm.tmHeight <= 0 || !bNoticesFit(hdc, nFits, tm.tmHeight))
        return nFits;
    while (nFits - nTooNarrow > 1) {
        int nMid = (nFits + nTooNarrow) / 2;
        if (bNoticesFit(hdc, nMid, tm.tmHeight))
            nFits = nMid;
        else
            nTooNarrow = nMid;
    }
    return nFits;
}

void vDrawWrapped(HDC hdc, POINT pt, const char* pszText)
{
    if (pszText == NULL || pszText[0] == '\0')
        return;
    DiagramState* pD = pApp->pDiagram;
    // From pt to one character short of the client's right edge, and down
    // to the client's bottom edge.
    int nWidth = vClientRight() - NOTICE_MARGIN_CHARS * pD->nCharWidth - pt.x;
    int nBottom = -pD->ptWindowExt.y;
    if (nWidth < 1 || pt.y < nBottom + 1)
        return;
    RECT rc = {pt.x, pt.y, pt.x + nWidth, nBottom};
    DrawTextA(hdc, pszText, -1, &rc, DT_WORDBREAK);
}
