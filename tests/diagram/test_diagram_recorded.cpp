// The diagram as the recording GDI saw it: the per-paint layout with known
// font metrics, the wind triangle's segments and pens in drawing order, the
// partial drawings, title and compass rose, a whole paint's GDI bookkeeping,
// and the readable-text rule with a scaling and a minimum-size font.
#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include "diagram/diagram.h"
#include "diagram/mapping.h"
#include "form/form_paint.h"
#include "support/recording.h"

namespace {

const COLORREF kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0), kRed = RGB(255, 0, 0);
const COLORREF kGrey = RGB(178, 178, 178), kBlack = RGB(0, 0, 0);

using DiagramRecorded = Recorded;

// Metrics w = 20, h = 40 in a 1:1 surface: "Flugnavigation" is 280 wide and
// "Windkorrekturwinkel (WCA)" 500, the widest caption.
TEST_F(DiagramRecorded, LayoutOfTheWorkedExample)
{
    hostSetCreatedFontModel(hostFontModel(40, 20, 0, 0));
    SelectObject(hdc, hHelvFont(40));
    pDiagram->nCharWidth = 20;
    pDiagram->nCharHeight = 40;
    pDiagram->ptWindowExt.y = 1000;
    vLayoutDiagram(hdc);

    EXPECT_EQ(1, pDiagram->bShowTitle);
    EXPECT_EQ(1, pDiagram->bShowTriangle);
    EXPECT_EQ(-140, pDiagram->ptTitle.x);
    EXPECT_EQ(960, pDiagram->ptTitle.y);
    EXPECT_EQ(500, pDiagram->nLegendTextWidth);
    EXPECT_EQ(80, pDiagram->nLegendLine);
    EXPECT_EQ(0, pDiagram->ptCenter.x);
    EXPECT_EQ(150, pDiagram->ptCenter.y);
    EXPECT_EQ(620, pDiagram->nRadius);
    EXPECT_EQ(62, pDiagram->nTick);
    const int nRowY[LEGEND_ROWS] = {-540, -600, -660, -720, -780, -840, -900};
    for (int nRow = 0; nRow < LEGEND_ROWS; nRow++) {
        SCOPED_TRACE(nRow);
        EXPECT_EQ(-980, pDiagram->ptLegendMark[nRow].x);
        EXPECT_EQ(nRowY[nRow] - 20, pDiagram->ptLegendMark[nRow].y);
        EXPECT_EQ(-880, pDiagram->ptLegendLabel[nRow].x);
        EXPECT_EQ(nRowY[nRow], pDiagram->ptLegendLabel[nRow].y);
        EXPECT_EQ(-360, pDiagram->ptLegendValue[nRow].x);
        EXPECT_EQ(nRowY[nRow], pDiagram->ptLegendValue[nRow].y);
    }

    // A title wider than the square starts one character inside it.
    char* pszOld = pDiagram->pszTitle;
    char szLong[101];
    memset(szLong, 'x', 100); // 2000 units wide
    szLong[100] = '\0';
    pDiagram->pszTitle = szLong;
    vLayoutDiagram(hdc);
    pDiagram->pszTitle = pszOld;
    EXPECT_EQ(20 - 1000, pDiagram->ptTitle.x);
}

// One expected segment: pen colour and style, and its two ends.
struct Segment {
    const char* pszName;
    COLORREF color;
    int nStyle;
    POINT ptFrom, ptTo;
};

void vExpectSegments(const std::vector<HostCall>& vecLines, const std::vector<Segment>& vecWant, int nSlack)
{
    ASSERT_EQ(vecWant.size(), vecLines.size());
    for (size_t i = 0; i < vecWant.size(); i++) {
        const Segment& want = vecWant[i];
        const HostCall& got = vecLines[i];
        SCOPED_TRACE(want.pszName);
        EXPECT_EQ(want.color, got.penColor);
        EXPECT_EQ(want.nStyle, got.nPenStyle);
        EXPECT_EQ(1, got.nPenWidth);
        EXPECT_FALSE(got.bNullPen);
        EXPECT_NEAR(want.ptFrom.x, got.ptLog[0].x, nSlack);
        EXPECT_NEAR(want.ptFrom.y, got.ptLog[0].y, nSlack);
        EXPECT_NEAR(want.ptTo.x, got.ptLog[1].x, nSlack);
        EXPECT_NEAR(want.ptTo.y, got.ptLog[1].y, nSlack);
    }
}

TEST_F(DiagramRecorded, WorkedTriangleInDrawingOrder)
{
    vTypeTriangle("110", "20", "230", "85");
    pDiagram->nTick = 62;
    POINT c = {0, 150};
    vDrawTriangle(hdc, c, 620, 1);
    vExpectSegments(calls(HOST_LINE),
                    {
                        {"grey closing side", kGrey, PS_SOLID, {68, 207}, {556, 200}},
                        {"blue dotted extension", kBlue, PS_DOT, {68, 207}, {427, 508}},
                        {"blue wind vector", kBlue, PS_SOLID, {0, 150}, {68, 207}},
                        {"green ground vector, no extension", kGreen, PS_SOLID, {0, 150}, {556, 199}},
                        {"red dotted extension", kRed, PS_DOT, {488, 142}, {558, 142}},
                        {"red heading vector", kRed, PS_SOLID, {0, 150}, {488, 143}},
                    },
                    1);
    EXPECT_EQ(0, hostLiveObjects()) << "every pen deleted after its element";
    EXPECT_EQ(GetStockObject(BLACK_PEN), hostSelectedPen(hdc));
}

TEST_F(DiagramRecorded, PartialTriangles)
{
    const int L = 558; // radius 620 less the tick 62
    struct {
        const char* pszName;
        const char *pszTas, *pszWs, *pszWd, *pszTc;
        std::vector<Segment> vecWant;
    } rows[] = {
        {"only the wind direction", "", "", "230", "", {{"blue, full length", kBlue, PS_SOLID, {0, 0}, {427, 359}}}},
        {"only the course", "", "", "", "85", {{"green, full length", kGreen, PS_SOLID, {0, 0}, {556, 49}}}},
        {"speeds 100 and 50 with wind direction, no course", "100", "50", "230", "",
         {{"blue dotted from half length", kBlue, PS_DOT, {214, 179}, {428, 358}},
          {"blue wind vector, L / 2 rounded", kBlue, PS_SOLID, {0, 0}, {214, 179}}}},
        {"calm wind, all four valid", "100", "0", "230", "85",
         {{"grey along the course", kGrey, PS_SOLID, {0, 0}, {556, 49}},
          {"blue dotted from the centre, full length", kBlue, PS_DOT, {0, 0}, {427, 359}},
          {"blue of zero length", kBlue, PS_SOLID, {0, 0}, {0, 0}},
          {"green ground vector", kGreen, PS_SOLID, {0, 0}, {556, 49}},
          {"red heading vector on the course", kRed, PS_SOLID, {0, 0}, {556, 49}}}},
        {"airspeed of exactly the threshold, calm: still full length", "0.005", "0", "230", "45",
         {{"grey along the course", kGrey, PS_SOLID, {0, 0}, {395, 395}},
          {"blue dotted from the centre, full length", kBlue, PS_DOT, {0, 0}, {427, 359}},
          {"blue of zero length", kBlue, PS_SOLID, {0, 0}, {0, 0}},
          {"green ground vector, full length", kGreen, PS_SOLID, {0, 0}, {395, 395}},
          {"red heading vector, full length", kRed, PS_SOLID, {0, 0}, {395, 395}}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        TearDown();
        SetUp();
        pForm->nUnitSel[Tas] = pForm->nUnitSel[WindSpeed] = 0;
        const char* pszTexts[4] = {row.pszTas, row.pszWs, row.pszWd, row.pszTc};
        const int ids[4] = {Tas, WindSpeed, WindDir, TrueCourse};
        for (int i = 0; i < 4; i++)
            if (pszTexts[i][0])
                vType(ids[i], pszTexts[i]);
        pDiagram->nTick = 62;
        vDrawTriangle(hdc, POINT{0, 0}, 620, 1);
        vExpectSegments(calls(HOST_LINE), row.vecWant, 1);
        for (const HostCall& line : calls(HOST_LINE)) {
            double dLength = hypot(line.ptLog[1].x - line.ptLog[0].x, line.ptLog[1].y - line.ptLog[0].y);
            EXPECT_LE(dLength, L + 1.0) << "nothing reaches past the ticks";
        }
    }
}

// Speeds near the largest double: the lengths must not overflow on their way
// (the product of length and speed did, and its NaN became a negative
// length that turned the course line round). Every line stays inside the
// tick ring, and the course line, where drawn, points along the course.
TEST_F(DiagramRecorded, AbsurdSpeedsNeverBendTheTriangle)
{
    const int L = 558; // radius 620 less the tick 62
    const std::string strNines(300, '9');
    const struct {
        const char* pszName;
        std::string strTas, strWs;
    } rows[] = {
        {"both 4e305", "4e305", "4e305"},
        {"both 1e308", "1e308", "1e308"},
        {"airspeed 1e308, wind 20", "1e308", "20"},
        {"airspeed 110, wind 1e308", "110", "1e308"},
        {"three hundred nines", strNines, strNines},
        {"airspeed 1e-320, wind 4e305", "1e-320", "4e305"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        for (const char* pszCourse : {"85", ""}) {
            SCOPED_TRACE(*pszCourse ? "with course" : "without course");
            TearDown();
            SetUp();
            vTypeTriangle(row.strTas.c_str(), row.strWs.c_str(), "230", pszCourse);
            pDiagram->nTick = 62;
            vDrawTriangle(hdc, POINT{0, 0}, 620, 1);
            for (const HostCall& line : calls(HOST_LINE)) {
                for (int i = 0; i < 2; i++)
                    EXPECT_LE(hypot(line.ptLog[i].x, line.ptLog[i].y), L + 1.0) << "a line leaves the rose";
                if (line.penColor != kGreen || line.nPenStyle != PS_SOLID)
                    continue;
                double dLength = hypot(line.ptLog[1].x, line.ptLog[1].y);
                if (dLength < 1)
                    continue;
                // Course 85: drawn at 90 - 85 degrees from the x axis.
                double dDrawn = atan2(line.ptLog[1].y, line.ptLog[1].x) * 180.0 / M_PI;
                EXPECT_NEAR(5.0, dDrawn, 1.0) << "the course line points elsewhere";
            }
        }
    }
}

// Speeds of a few thousandths: the calculation snaps the heading to east or
// west, the drawing keeps the lengths' ratio, and the grey side would run out
// of the rose (across the form on a real window). No line may leave it; the
// worked flight, drawn in full, shows the check has lines to look at.
TEST_F(DiagramRecorded, SpeedsAtTheZeroThresholdStayInTheRose)
{
    const int L = 558; // radius 620 less the tick 62
    const struct {
        const char *pszTas, *pszWs, *pszWd, *pszTc;
        bool bDrawn;
    } rows[] = {
        {"5e-3", "5e-3", "-4", "0", false},
        {"5e-3", "5e-3", "23", "280", false},
        {"110", "20", "230", "85", true},
        {"50", "150", "90", "45", true}, // wind too strong for the course: drawn as it is
        {"14", "1", "150", "50", true},  // the grey side ends 3 units past the ring: rounding only
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("TAS ") + row.pszTas + " WS " + row.pszWs + " WD " + row.pszWd + " TC " + row.pszTc);
        TearDown();
        SetUp();
        vTypeTriangle(row.pszTas, row.pszWs, row.pszWd, row.pszTc);
        pDiagram->nTick = 62;
        vDrawTriangle(hdc, POINT{0, 0}, 620, 1);
        std::vector<HostCall> vecLines = calls(HOST_LINE);
        for (const HostCall& line : vecLines)
            for (int i = 0; i < 2; i++)
                EXPECT_LE(hypot(line.ptLog[i].x, line.ptLog[i].y), L + 3.0) << "a line leaves the rose";
        EXPECT_EQ(row.bDrawn, !vecLines.empty());
    }
}

// A panel narrower than the rose's labels gives a negative radius (a 300 x
// 200 client did): vectors of negative length would point backwards, so
// none is drawn.
TEST_F(DiagramRecorded, NoTriangleWithoutRoomForTheRose)
{
    for (const char* pszTas : {"110", ""}) {
        SCOPED_TRACE(*pszTas ? "whole triangle" : "partial triangle");
        TearDown();
        SetUp();
        vTypeTriangle(pszTas, "20", "230", "85");
        pDiagram->nTick = -70;
        vDrawTriangle(hdc, POINT{0, 2903}, -707, 1);
        EXPECT_TRUE(calls(HOST_LINE).empty());
    }
}

TEST_F(DiagramRecorded, RoseTicksLabelsAndCross)
{
    hostSetCreatedFontModel(hostFontModel(40, 20, 0, 0));
    SelectObject(hdc, hHelvFont(40));
    pDiagram->nCharWidth = 20;
    pDiagram->nCharHeight = 40;
    pDiagram->nTick = 62;
    POINT c = {10, 150};
    int nLive = hostLiveObjects();
    vDrawCompassCircle(hdc, c, 620, 2);
    vDrawCompassTicks(hdc, c, 620, 1);
    vDrawCentreCross(hdc, c, 1);

    // The circle as two halves of the same box: west to east and back.
    std::vector<HostCall> vecArcs = calls(HOST_ARC);
    ASSERT_EQ(2u, vecArcs.size());
    const POINT ptArcs[2][4] = {{{-610, 770}, {630, -470}, {-610, 150}, {630, 150}},
                                {{-610, 770}, {630, -470}, {630, 150}, {-610, 150}}};
    for (int nHalf = 0; nHalf < 2; nHalf++) {
        const HostCall& arc = vecArcs[nHalf];
        EXPECT_EQ(kBlack, arc.penColor);
        EXPECT_EQ(2, arc.nPenWidth);
        for (int i = 0; i < 4; i++) {
            EXPECT_EQ(ptArcs[nHalf][i].x, arc.ptLog[i].x) << "half " << nHalf << ", arc point " << i;
            EXPECT_EQ(ptArcs[nHalf][i].y, arc.ptLog[i].y) << "half " << nHalf << ", arc point " << i;
        }
    }

    std::vector<HostCall> vecLines = calls(HOST_LINE);
    ASSERT_EQ(36u + 2u, vecLines.size());
    for (int i = 0; i < 36; i++) {
        SCOPED_TRACE(testing::Message() << "tick " << i);
        const HostCall& tick = vecLines[i];
        EXPECT_EQ(kBlack, tick.penColor);
        EXPECT_EQ(PS_SOLID, tick.nPenStyle);
        EXPECT_EQ(1, tick.nPenWidth);
        // Adding 0.5 and truncating is up to 1.5 short on a negative axis; the
        // tick's end rounds once more than its start.
        EXPECT_NEAR(558, hypot(tick.ptLog[0].x - c.x, tick.ptLog[0].y - c.y), 2.2);
        EXPECT_NEAR(620, hypot(tick.ptLog[1].x - c.x, tick.ptLog[1].y - c.y), 4.3);
    }
    EXPECT_EQ(c.x + 558, vecLines[0].ptLog[0].x) << "the first tick points east";
    EXPECT_EQ(c.y + 558, vecLines[9].ptLog[0].y) << "the tenth points north";
    // The cross, drawn last.
    EXPECT_EQ(c.x - 15, vecLines[36].ptLog[0].x);
    EXPECT_EQ(c.x + 15, vecLines[36].ptLog[1].x);
    EXPECT_EQ(c.y - 15, vecLines[37].ptLog[0].y);
    EXPECT_EQ(c.y + 15, vecLines[37].ptLog[1].y);

    // Labels: "0" above, "90" right, "180" below, "270" ending 6 left of the circle.
    EXPECT_EQ("0", textAt(POINT{c.x - 10, c.y + 620 + 6 + 40}));
    EXPECT_EQ("90", textAt(POINT{c.x + 626, c.y + 20}));
    EXPECT_EQ("180", textAt(POINT{c.x - 30, c.y - 626}));
    EXPECT_EQ("270", textAt(POINT{c.x - 626 - 60, c.y + 20}));
    EXPECT_EQ(4u, calls(HOST_TEXTOUT).size()) << "four labels, no fifth over the first";
    EXPECT_EQ(nLive, hostLiveObjects());
}

// "270" ends LABEL_GAP left of the circle: its measured width, or three
// characters where it cannot be measured.
TEST_F(DiagramRecorded, LeftLabelWithoutAMeasuredWidth)
{
    const struct {
        const char* pszName;
        int bFail;
        int nWidth;
    } rows[] = {
        {"measured in the 7-wide system font", 0, 21},
        {"not measurable: three characters of 20", 1, 60},
    };
    POINT c = {10, 150};
    pDiagram->nCharWidth = 20;
    pDiagram->nCharHeight = 40;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        hostClearCalls(hdc);
        hostFailTextExtent(row.bFail);
        vDrawCompassLabels(hdc, c, 620);
        hostFailTextExtent(0);
        EXPECT_EQ("270", textAt(POINT{c.x - 626 - row.nWidth, c.y + 20}));
        EXPECT_EQ("90", textAt(POINT{c.x + 626, c.y + 20}));
        EXPECT_EQ(4u, calls(HOST_TEXTOUT).size());
    }
}

TEST_F(DiagramRecorded, TitleLinesFollowTheValidPlaces)
{
    pDiagram->ptTitle = POINT{-140, 960};
    pDiagram->nCharWidth = 20;
    pDiagram->nCharHeight = 40;
    vType(Departure, "Egelsbach");
    vDrawTitle(hdc);
    EXPECT_EQ("Flugnavigation", textAt(POINT{-140, 960}));
    EXPECT_EQ("von Egelsbach", textAt(POINT{-60, 920}));
    EXPECT_EQ(2u, calls(HOST_TEXTOUT).size()) << "no \"nach\" line without a destination";

    hostClearCalls(hdc);
    vType(Destination, "Mainz");
    vDrawTitle(hdc);
    EXPECT_EQ("nach Mainz", textAt(POINT{-60, 880}));

    hostClearCalls(hdc);
    vType(Departure, "");
    vDrawTitle(hdc);
    EXPECT_EQ("nach Mainz", textAt(POINT{-60, 920})) << "takes the second line's place";
}

TEST_F(DiagramRecorded, WholePaintLeavesNoObjectAndRestoresTheSurface)
{
    vFlightLaidOut(1024, 700);
    ASSERT_EQ(1, pDiagram->bShowDiagram);
    HGDIOBJ hPen = hostSelectedPen(hdc), hBrush = hostSelectedBrush(hdc), hFont = hostSelectedFont(hdc);

    // The first paint at this size makes the larger diagram font and keeps it.
    SetBkMode(hdc, TRANSPARENT);
    vPaintCycle();
    ASSERT_NE(nullptr, pDiagram->hReadableFont);
    int nLive = hostLiveObjects();
    HostGdiStats before = hostGdiStats();

    vPaintCycle();

    HostGdiStats stats = hostGdiStats();
    EXPECT_EQ(nLive, hostLiveObjects());
    EXPECT_EQ(0, stats.nDeleteSelected);
    EXPECT_EQ(0, stats.nBadHandle);
    EXPECT_EQ(0, stats.nDirtyRelease);
    EXPECT_GT(stats.nCreated, before.nCreated);
    EXPECT_EQ(stats.nCreated - before.nCreated, stats.nDeleted - before.nDeleted)
        << "every object a paint makes it deletes again";
    EXPECT_EQ(hPen, hostSelectedPen(hdc));
    EXPECT_EQ(hBrush, hostSelectedBrush(hdc));
    EXPECT_EQ(hFont, hostSelectedFont(hdc));

    // The order of the elements: form background, diagram background (both
    // in pixels), then title, circle, triangle, ticks, cross, results.
    const std::vector<HostCall>& vecAll = hostCalls(hdc);
    ASSERT_GE(vecAll.size(), 2u);
    EXPECT_EQ(HOST_POLYGON, vecAll[0].nKind);
    EXPECT_EQ(RGB(255, 255, 0), vecAll[0].brushColor);
    EXPECT_TRUE(vecAll[0].bNullPen);
    std::vector<HostCall> vecPolygons = calls(HOST_POLYGON);
    ASSERT_EQ(2u, vecPolygons.size());
    EXPECT_EQ(RGB(255, 255, 255), vecPolygons[1].brushColor);
    EXPECT_EQ(MM_TEXT, vecPolygons[1].nMapMode);
    EXPECT_EQ(pForm->rcDiagram.x, vecPolygons[1].ptDev[0].x);
    EXPECT_EQ(pForm->rcDiagram.x + pForm->rcDiagram.cx, vecPolygons[1].ptDev[2].x);
    EXPECT_EQ(pForm->rcDiagram.cy, vecPolygons[1].ptDev[2].y);

    std::string strOrder;
    for (const HostCall& call : vecAll) {
        char c = 0;
        if (call.nKind == HOST_ARC)
            c = 'A';
        else if (call.nKind == HOST_LINE && call.penColor == kGrey)
            c = 'T';
        else if (call.nKind == HOST_TEXTOUT && call.strText == "Flugnavigation")
            c = 'H';
        else if (call.nKind == HOST_TEXTOUT && call.strText == "270")
            c = 'L';
        else if (call.nKind == HOST_TEXTOUT && call.strText == "Verbrauch")
            c = 'R';
        if (c && (strOrder.empty() || strOrder.back() != c))
            strOrder += c;
    }
    EXPECT_EQ("HATLR", strOrder);
    for (const HostCall& call : vecAll) {
        if (call.nKind == HOST_TEXTOUT) {
            EXPECT_EQ(TRANSPARENT, call.nBkMode) << call.strText;
        }
    }
}

// Pens and brushes that cannot be made, from any one of a paint's creations
// on: every element is still drawn, with what the surface holds, and the
// paint neither selects nor deletes a handle it has not got, nor keeps one.
TEST_F(DiagramRecorded, PaintWithoutThePensAndBrushesItAsksFor)
{
    vFlightLaidOut(1024, 700);
    ASSERT_EQ(1, pDiagram->bShowDiagram);
    HGDIOBJ hPen = hostSelectedPen(hdc), hBrush = hostSelectedBrush(hdc), hFont = hostSelectedFont(hdc);
    // The first paint makes the larger diagram font, which is kept.
    vPaintCycle();
    const int nLive = hostLiveObjects();
    const int nMadeBefore = hostGdiStats().nCreated;
    vPaintCycle();
    const int nMade = hostGdiStats().nCreated - nMadeBefore;
    ASSERT_GT(nMade, 3) << "two panel brushes and the pens";
    const size_t nLines = calls(HOST_LINE).size(), nTexts = calls(HOST_TEXTOUT).size();
    const size_t nFills = calls(HOST_POLYGON).size();

    for (int nFirst = 1; nFirst <= nMade; nFirst++) {
        SCOPED_TRACE(testing::Message() << "creations fail from the " << nFirst << ". on");
        HostGdiStats before = hostGdiStats();
        hostFailCreationFrom(nFirst);
        vPaintCycle();
        hostFailCreationFrom(0);
        HostGdiStats stats = hostGdiStats();
        EXPECT_EQ(nFirst - 1, stats.nCreated - before.nCreated);
        EXPECT_EQ(nLive, hostLiveObjects()) << "what was made is deleted";
        EXPECT_EQ(0, stats.nBadHandle) << "a null handle selected or deleted";
        EXPECT_EQ(0, stats.nDeleteSelected);
        EXPECT_EQ(hPen, hostSelectedPen(hdc));
        EXPECT_EQ(hBrush, hostSelectedBrush(hdc));
        EXPECT_EQ(hFont, hostSelectedFont(hdc));
        EXPECT_EQ(nLines, calls(HOST_LINE).size());
        EXPECT_EQ(nTexts, calls(HOST_TEXTOUT).size());
        EXPECT_EQ(nFills, calls(HOST_POLYGON).size());
    }
}

// On a printer's page a line is several units wide: the dotted extensions
// spell out their dots, three line widths on and three off; the legend's
// sample lines widen with every other line; and a dotted pen that cannot be
// made leaves its line undrawn.
TEST_F(DiagramRecorded, PrintedLinesWidenAndSpellOutTheirDots)
{
    vFlightLaidOut(1024, 700);
    pDiagram->nLineWidth = 4;
    vPaintCycle();
    int nDotted = 0, nSamples = 0;
    for (const HostCall& line : calls(HOST_LINE)) {
        if (line.nPenStyle == PS_USERSTYLE) {
            nDotted++;
            EXPECT_EQ(4, line.nPenWidth);
            EXPECT_EQ((std::vector<int>{12, 12}), line.vecPenDashes);
        }
        for (int nRow = 0; nRow < LEGEND_COLOURS; nRow++)
            if (line.ptLog[1].x == pDiagram->ptLegendMark[nRow].x + pDiagram->nLegendLine &&
                line.ptLog[1].y == pDiagram->ptLegendMark[nRow].y) {
                nSamples++;
                EXPECT_EQ(4, line.nPenWidth) << "sample line of row " << nRow;
            }
    }
    EXPECT_GT(nDotted, 0) << "the worked flight's short vectors go on dotted";
    EXPECT_EQ(LEGEND_COLOURS, nSamples);

    const size_t nLines = calls(HOST_LINE).size();
    HDC hdcPen = hostNewDC();
    hostFailCreationFrom(1);
    EXPECT_EQ(nullptr, vSelectNewPen(hdcPen, PS_DOT, 4, RGB(0, 0, 255)));
    hostFailCreationFrom(0);
    hostDeleteDC(hdcPen);
    EXPECT_EQ(nLines, calls(HOST_LINE).size());
}

// A larger diagram font that cannot be made leaves the text in the font
// itself for this paint; the next paint makes it, also where a copy for an
// earlier panel scale is still kept.
TEST_F(DiagramRecorded, ReadableCopyThatCouldNotBeMadeIsMadeAtTheNextPaint)
{
    const struct {
        const char* pszName;
        int bEarlierCopy;
    } rows[] = {
        {"no copy yet", 0},
        {"a copy for another panel scale", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        TearDown();
        SetUp();
        vFlightLaidOut(800, 500);
        if (row.bEarlierCopy) {
            vPaintDiagram(hdc, &ps);
            ASSERT_NE(nullptr, pDiagram->hReadableFont);
        }
        HFONT hEarlier = pDiagram->hReadableFont;
        vLayOut(1024, 768);
        const int nLive = hostLiveObjects();

        hostClearCalls(hdc);
        SetMapMode(hdc, MM_TEXT);
        hostFailCreationFrom(1);
        vPaintDiagram(hdc, &ps);
        hostFailCreationFrom(0);
        EXPECT_EQ(hEarlier, pDiagram->hReadableFont);
        EXPECT_EQ(nLive, hostLiveObjects());
        EXPECT_EQ(0, hostGdiStats().nBadHandle);
        EXPECT_EQ(GetStockObject(SYSTEM_FONT), hostSelectedFont(hdc));
        std::vector<HostCall> vecTexts = calls(HOST_TEXTOUT);
        ASSERT_FALSE(vecTexts.empty());
        EXPECT_EQ((HFONT)pDiagram->hDiagramFont, vecTexts[0].hFont) << "drawn in the font itself";

        hostClearCalls(hdc);
        SetMapMode(hdc, MM_TEXT);
        vPaintDiagram(hdc, &ps);
        ASSERT_NE(nullptr, pDiagram->hReadableFont);
        EXPECT_NE(hEarlier, pDiagram->hReadableFont);
        vecTexts = calls(HOST_TEXTOUT);
        ASSERT_FALSE(vecTexts.empty());
        EXPECT_EQ(pDiagram->hReadableFont, vecTexts[0].hFont);
        EXPECT_GE(vecTexts[0].nFontPixelHeight, pForm->nFormFontHeight);
        EXPECT_EQ(nLive + 1 - row.bEarlierCopy, hostLiveObjects()) << "the copy for the old scale is deleted";
    }
}

// The readable-text rule with two font models: one that scales freely with
// the panel (as under Wine) and one with a minimum pixel size (as the
// raster "Helv" on Windows).
TEST_F(DiagramRecorded, DiagramTextIsAtLeastAsLargeAsTheFormText)
{
    struct {
        const char* pszName;
        int nMinPixels;
        int nFormPixels;  // what the form font comes out at
        int bEnlarged;    // a larger copy is made for the paint
        int nCharHeight;  // diagram metrics in logical units (0.25 pixel per unit)
        int nCharWidth;
    } rows[] = {
        {"scalable font: 3 pixels, enlarged to 12", 0, 12, 1, 48, 20},
        {"minimum size 13: left alone", 13, 13, 0, 52, 20},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        TearDown();
        SetUp();
        hostSetCreatedFontModel(hostFontModel(12, 5, 0, row.nMinPixels));
        vFlightLaidOut(800, 500);
        ASSERT_EQ(row.nFormPixels, pForm->nFormFontHeight);
        ASSERT_EQ(1600, pDiagram->ptWindowExt.x);
        int nLive = hostLiveObjects();

        vPaintDiagram(hdc, &ps);
        EXPECT_EQ(row.nCharHeight, pDiagram->nCharHeight);
        EXPECT_EQ(row.nCharWidth, pDiagram->nCharWidth);
        EXPECT_EQ(1000 - row.nCharHeight, pDiagram->ptTitle.y) << "the layout uses the font actually drawn";
        int nTexts = 0;
        for (const HostCall& call : hostCalls(hdc)) {
            if (call.nKind != HOST_TEXTOUT && call.nKind != HOST_WRAPPED_LINE)
                continue;
            nTexts++;
            EXPECT_GE(call.nFontPixelHeight, row.nFormPixels) << call.strText;
            EXPECT_EQ(row.bEnlarged != 0, call.hFont != pDiagram->hDiagramFont) << call.strText;
            if (row.bEnlarged) {
                EXPECT_EQ(48, call.nFontRequest);
            }
        }
        EXPECT_GT(nTexts, 10);
        EXPECT_EQ(row.bEnlarged != 0, pDiagram->hReadableFont != nullptr);
        EXPECT_EQ(nLive + row.bEnlarged, hostLiveObjects()) << "nothing but the kept larger font is left";
        EXPECT_EQ(GetStockObject(SYSTEM_FONT), hostSelectedFont(hdc));
        HostGdiStats stats = hostGdiStats();
        EXPECT_EQ(0, stats.nDeleteSelected);
        EXPECT_EQ(0, stats.nBadHandle);
    }
}

// The diagram text is the form font's pixel height (a pixel more at most)
// at every panel size, with fonts that come in whole pixels: Wine's outline
// font (cell heights truncated through the mapping, some heights never
// made, a request below one pixel given its default size) and raster fonts
// that scale above a minimum size. Where the minimum already reaches the
// form font, no copy is made.
TEST_F(DiagramRecorded, EnlargedTextMatchesTheFormTextAtEveryPanelSize)
{
    struct {
        const char* pszName;
        HostFontModel model;
        int bCopies; // some size needs the larger copy
    } rows[] = {
        {"Wine's outline font", hostWineOutlineModel(), 1},
        {"raster font, 8 pixels at least", hostFontModel(12, 5, 0, 8), 1},
        {"raster font, 13 pixels at least", hostFontModel(12, 5, 0, 13), 0},
    };
    const int nWidths[] = {300, 320, 340, 380, 400, 420, 460, 520, 580, 600, 640, 700, 800, 1016, 1024, 1280, 1600, 1920};
    const int nHeights[] = {120, 160, 200, 240, 300, 320, 400, 480, 600, 720, 768, 900, 1080, 1200};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        TearDown();
        SetUp();
        hostSetCreatedFontModel(row.model);
        vMakeFonts();
        vTypeFlight();
        int nCopies = 0;
        for (int nWidth : nWidths) {
            for (int nHeight : nHeights) {
                SCOPED_TRACE(testing::Message() << nWidth << " x " << nHeight);
                vLayOut(nWidth, nHeight);
                if (!pDiagram->bShowDiagram)
                    continue;
                const int nForm = pForm->nFormFontHeight;
                hostClearCalls(hdc);
                vPaintDiagram(hdc, &ps);
                // Every text of the paint, in the font it was drawn with.
                int nUnenlarged = hostFontPixelHeight(hdc, pDiagram->hDiagramFont);
                int nLow = 1 << 30, nHigh = 0, nTexts = 0;
                bool bCopy = false;
                for (const HostCall& call : hostCalls(hdc)) {
                    if (call.nKind != HOST_TEXTOUT)
                        continue;
                    nTexts++;
                    bCopy = bCopy || call.hFont != pDiagram->hDiagramFont;
                    nLow = std::min(nLow, call.nFontPixelHeight);
                    nHigh = std::max(nHigh, call.nFontPixelHeight);
                }
                ASSERT_GT(nTexts, 0);
                EXPECT_GE(nLow, nForm) << "diagram text smaller than the form text";
                EXPECT_LE(nHigh, nForm + 1) << "diagram text larger than the form text";
                if (bCopy) {
                    EXPECT_TRUE(nUnenlarged < nForm || nUnenlarged > nForm + 1)
                        << "a copy although the font itself was " << nUnenlarged << " pixels high";
                } else {
                    EXPECT_EQ(nUnenlarged, nHigh) << "the font itself is drawn";
                }
                nCopies += bCopy;
                SetMapMode(hdc, MM_TEXT);
            }
        }
        EXPECT_EQ(row.bCopies != 0, nCopies > 0);
    }
}

TEST_F(DiagramRecorded, BackgroundNeedsAPaintRecord)
{
    vDrawDiagramBackground(hdc, NULL);
    POINT pt = {1, 2};
    SIZE size = {30, 40};
    vFillRect(NULL, pt, size);
    EXPECT_TRUE(hostCalls(hdc).empty());
    EXPECT_EQ(0, hostGdiStats().nCreated);

    vFillRect(&ps, pt, size);
    std::vector<HostCall> vec = calls(HOST_POLYGON);
    ASSERT_EQ(1u, vec.size());
    const POINT ptWant[4] = {{1, 2}, {1, 42}, {31, 42}, {31, 2}};
    ASSERT_EQ(4, vec[0].nPoints);
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(ptWant[i].x, vec[0].ptLog[i].x) << "corner " << i;
        EXPECT_EQ(ptWant[i].y, vec[0].ptLog[i].y) << "corner " << i;
    }
}

// On a screen of more pixels per inch the form font is larger, and the
// diagram text, enlarged to the form font's pixel height where the panel
// makes it smaller, follows it.
TEST_F(DiagramRecorded, DiagramTextFollowsTheFormFontAtEveryDpi)
{
    for (int nDpi : {96, 144, 192}) {
        SCOPED_TRACE(testing::Message() << nDpi << " dpi");
        TearDown();
        SetUp();
        hostSetScreenDpi(nDpi);
        vFlightLaidOut(800, 500);
        ASSERT_EQ(12 * nDpi / 96, pForm->nFormFontHeight);
        vPaintDiagram(hdc, &ps);
        int nTexts = 0;
        for (const HostCall& call : hostCalls(hdc)) {
            if (call.nKind != HOST_TEXTOUT && call.nKind != HOST_WRAPPED_LINE)
                continue;
            nTexts++;
            EXPECT_GE(call.nFontPixelHeight, pForm->nFormFontHeight) << call.strText;
        }
        EXPECT_GT(nTexts, 10);
    }
}

} // namespace
