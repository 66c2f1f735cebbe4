// The results block: sample lines, captions, value formats, the prompt for
// the first missing input, and the rows of a course that cannot be flown.
#include <ctype.h>
#include <string.h>

#include "form/results_text.h"
#include "support/recording.h"

namespace {

class Results : public Recorded {
protected:
    void SetUp() override
    {
        Recorded::SetUp();
        // One unit per pixel with y up, as in the diagram; rows 100 units
        // apart, values from x = 300.
        SetMapMode(hdc, MM_ISOTROPIC);
        SetWindowExtEx(hdc, 1000, 1000, NULL);
        SetViewportExtEx(hdc, 1000, -1000, NULL);
        SetViewportOrgEx(hdc, 0, 1000, NULL);
        for (int nRow = 0; nRow < LEGEND_ROWS; nRow++) {
            pDiagram->ptLegendMark[nRow] = POINT{10, 1000 - 100 * nRow - 20};
            pDiagram->ptLegendLabel[nRow] = POINT{100, 1000 - 100 * nRow};
            pDiagram->ptLegendValue[nRow] = POINT{300, 1000 - 100 * nRow};
        }
        pDiagram->nLegendLine = 80;
        pDiagram->nCharWidth = 5;
        pDiagram->nCharHeight = 12;
        pDiagram->ptWindowExt = POINT{1600, 1000};
        pDiagram->nFormWidthLog = 1200;
    }

    std::string value(int nRow) const { return textAt(pDiagram->ptLegendValue[nRow]); }

    // The prompt drawn in a word-wrapped box, all its lines joined.
    std::string prompt(int* pnRow) const
    {
        std::string str;
        for (const HostCall& call : hostCalls(hdc)) {
            if (call.nKind == HOST_DRAWTEXT) {
                str = call.strText;
                for (int nRow = 0; nRow < LEGEND_ROWS; nRow++)
                    if (call.ptLog[0].x == pDiagram->ptLegendValue[nRow].x &&
                        call.ptLog[0].y == pDiagram->ptLegendValue[nRow].y)
                        *pnRow = nRow;
            }
        }
        return str;
    }

    void vTypeRest(const char* pszVar, const char* pszDev, const char* pszDist, const char* pszFuel)
    {
        vType(Variation, pszVar);
        vType(Deviation, pszDev);
        vType(Distance, pszDist);
        vType(FuelFlow, pszFuel);
    }

    // As the diagram's paint does: the texts composed, then drawn.
    void vPaint()
    {
        hostClearCalls(hdc);
        vComposeResults();
        vPaintResults(hdc);
    }

    // A named flight: the eight numbers typed, airspeed to fuel flow.
    struct Flight {
        const char* pszName;
        const char *pszTas, *pszWs, *pszWd, *pszTc;
        const char *pszVar, *pszDev, *pszDist, *pszFuel;
    };

    // Types the flight and paints the block.
    void vFly(const Flight& flight)
    {
        vTypeTriangle(flight.pszTas, flight.pszWs, flight.pszWd, flight.pszTc);
        vTypeRest(flight.pszVar, flight.pszDev, flight.pszDist, flight.pszFuel);
        vPaint();
    }
};

TEST_F(Results, NothingEnteredShowsSamplesCaptionsAndTheFirstPrompt)
{
    vPaint();
    std::vector<HostCall> vecLines = calls(HOST_LINE);
    ASSERT_EQ(3u, vecLines.size());
    const COLORREF colours[3] = {RGB(0, 0, 255), RGB(0, 255, 0), RGB(255, 0, 0)};
    for (int nRow = 0; nRow < 3; nRow++) {
        SCOPED_TRACE(nRow);
        EXPECT_EQ(colours[nRow], vecLines[nRow].penColor);
        EXPECT_EQ(PS_SOLID, vecLines[nRow].nPenStyle);
        EXPECT_EQ(1, vecLines[nRow].nPenWidth);
        EXPECT_EQ(pDiagram->ptLegendMark[nRow].x, vecLines[nRow].ptLog[0].x);
        EXPECT_EQ(pDiagram->ptLegendMark[nRow].x + 80, vecLines[nRow].ptLog[1].x);
        EXPECT_EQ(pDiagram->ptLegendMark[nRow].y, vecLines[nRow].ptLog[1].y);
    }
    for (int nRow = 0; nRow < LEGEND_ROWS; nRow++)
        EXPECT_EQ(pDiagram->pszLegend[nRow], textAt(pDiagram->ptLegendLabel[nRow]));
    for (int nRow = 0; nRow < LEGEND_ROWS; nRow++)
        EXPECT_EQ("", value(nRow)) << "no value in row " << nRow;
    int nRow = -1;
    EXPECT_EQ(": #### (3. Fluggeschwindigkeit eingeben)", prompt(&nRow));
    EXPECT_EQ(2, nRow);
    EXPECT_EQ(0, hostLiveObjects());
    EXPECT_EQ(0, hostGdiStats().nDeleteSelected);
}

TEST_F(Results, PromptNamesTheFirstMissingInput)
{
    struct {
        int nMissing;
        const char* pszPrompt;
        int nRow;
    } rows[] = {
        {Tas, ": #### (3. Fluggeschwindigkeit eingeben)", 2},
        {WindSpeed, ": #### (4. Windgeschwindigkeit eingeben)", 2},
        {WindDir, ": #### (5. Windrichtung eingeben)", 2},
        {TrueCourse, ": #### (6. Bodenrichtung eingeben)", 2},
        {Variation, ": #### (7. Ortsmissweisung eingeben)", 4},
        {Deviation, ": #### (8. Kompassablenkung bei 91 [\xB0] eingeben)", 4},
        {Distance, ": #### (9. Distanz eingeben)", 5},
        {FuelFlow, ": #### (10. Verbrauch eingeben)", 6},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszPrompt);
        vTypeTriangle("110", "20", "230", "85");
        vTypeRest("3W", "2", "69", "12");
        vType(row.nMissing, "");
        // Everything after the missing input stays valid, yet nothing of it shows.
        vPaint();
        int nRow = -1;
        EXPECT_EQ(row.pszPrompt, prompt(&nRow));
        EXPECT_EQ(row.nRow, nRow);
        EXPECT_EQ(row.nMissing > Distance, value(5) != "") << "time row";
        EXPECT_EQ("", value(6));
    }
}

TEST_F(Results, ValuesOfTheWorkedFlight)
{
    vTypeTriangle("110", "20", "230", "85");
    vTypeRest("3W", "2", "69", "12");
    vPaint();
    EXPECT_EQ(":   50 [\xB0]", value(0)) << "the wind blows toward 50";
    EXPECT_EQ(":   85 [\xB0]", value(1));
    EXPECT_EQ(":   91 [\xB0]", value(2));
    EXPECT_EQ(":    6 [\xB0]", value(3));
    EXPECT_EQ(":   92 [\xB0]", value(4));
    EXPECT_EQ(": 0:33 [h:min]", value(5));
    EXPECT_EQ(": 6.6 [l]", value(6));
    EXPECT_TRUE(calls(HOST_DRAWTEXT).empty()) << "no prompt; places need not be valid";
}

TEST_F(Results, AnglesAreFoldedForShow)
{
    struct {
        const char *pszWd, *pszTc;
        const char *pszWind, *pszCourse, *pszWca;
    } rows[] = {
        {"90", "0", ":  270 [\xB0]", ":    0 [\xB0]", ":    6 [\xB0]"},
        {"270", "0", ":   90 [\xB0]", ":    0 [\xB0]", ":   -6 [\xB0]"},
        {"-90", "-360", ":   90 [\xB0]", ":    0 [\xB0]", ":   -6 [\xB0]"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszWd);
        vTypeTriangle("100", "10", row.pszWd, row.pszTc);
        vPaint();
        EXPECT_EQ(row.pszWind, value(0));
        EXPECT_EQ(row.pszCourse, value(1));
        EXPECT_EQ(row.pszWca, value(3));
    }
}

// Whether a value text holds what the C library prints for an infinity or
// a NaN, in any case.
static bool bShowsNonFinite(const std::string& str)
{
    std::string strLower;
    for (char c : str)
        strLower += (char)tolower((unsigned char)c);
    return strLower.find("inf") != std::string::npos || strLower.find("nan") != std::string::npos;
}

TEST_F(Results, TimeFormats)
{
    // Hours and minutes are rounded each on its own: minutes are never
    // carried into the hours.
    const std::string strDigits1e307 =
        "99999999999999998603105976025645777170026418381263638752496607358835658526727438490648464142289606667"
        "86379280392654615393353172850252103336275952370615397010730691664689375178569039851073146339641623266"
        "071126720011020169553304018596457812688561947201171488461172921822139066929851282122002676667750021070848";
    struct {
        const char* pszTas;      // km/h, calm wind
        const char* pszDistance; // km
        std::string strTime;
    } rows[] = {
        {"60", "9.4", ": 0:09 [h:min]"},   // a single-digit minute gets its zero
        {"60", "9.6", ": 0:10 [h:min]"},
        {"60", "9.5", ": 0:10 [h:min]"},   // exactly 9.5 minutes: two digits, no zero in front
        {"60", "0.4", ": 0:00 [h:min]"},
        {"60", "59.4", ": 0:59 [h:min]"},
        {"60", "59.6", ": 0:60 [h:min]"},  // sixty minutes, not carried
        {"60", "119.7", ": 1:60 [h:min]"},
        {"120", "119", ": 0:60 [h:min]"},  // 59.5 minutes
        {"120", "121", ": 1:00 [h:min]"},  // 1 h and 0.49999... minutes
        {"60", "63", ": 1:03 [h:min]"},    // 1.05 hours
        {"60", "600", ": 10:00 [h:min]"},
        {"60", "-70", ": -1:10 [h:min]"},  // one sign for the whole time
        {"60", "-3.2", ": -0:03 [h:min]"},
        {"60", "-0.2", ": 0:00 [h:min]"},  // a negative time that prints as nothing has no sign
        {"60", "-0", ": 0:00 [h:min]"},    // minus zero is no negative time
        {"1", "1e307", ": " + strDigits1e307 + ":00 [h:min]"}, // every digit, not inf:nan
        {"1", "-1e307", ": -" + strDigits1e307 + ":00 [h:min]"},
    };
    // A panel wide enough for all digits of the longest time: a value that
    // does not fit is not drawn at all.
    pDiagram->ptWindowExt.x = 20000;
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.pszTas) + " km/h, " + row.pszDistance + " km");
        vTypeTriangle(row.pszTas, "0", "0", "0");
        vTypeRest("0", "0", row.pszDistance, "6");
        vPaint();
        EXPECT_EQ(row.strTime, value(5));
    }
}

TEST_F(Results, NoRowShowsInfinityOrNan)
{
    const Flight rows[] = {
        {"time of 1e307 hours", "1", "0", "0", "0", "0", "0", "1e307", "1"},
        {"time beyond the largest double", "0.01", "0", "0", "0", "0", "0", "1e308", "1"},
        {"fuel beyond the largest double", "100", "0", "0", "0", "0", "0", "1e308", "1e308"},
        {"fuel near the largest double", "1", "0", "0", "0", "0", "0", "1e308", "1.7"},
        {"negative time near the largest double", "1", "0", "0", "0", "0", "0", "-1.7e308", "1"},
        {"speeds that overflow the triangle", "1e300", "1e300", "90", "45", "0", "0", "100", "12"},
        {"corrections that overflow the compass heading", "110", "20", "230", "85", "1.7e308", "1.7e308", "69",
         "12"},
        {"largest angles", "110", "20", "1.7e308", "-1.7e308", "0", "0", "69", "12"},
        {"airspeed below the zero threshold", "1e-300", "0", "0", "0", "0", "0", "1e308", "1e308"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        vFly(row);
        for (const HostCall& call : hostCalls(hdc))
            EXPECT_FALSE(bShowsNonFinite(call.strText)) << call.strText;
        // Every value is whole, up to its unit, however many digits it has.
        for (int nRow = 0; nRow < LEGEND_ROWS; nRow++) {
            std::string str = value(nRow);
            EXPECT_TRUE(str.empty() || str == ": ####" || str.back() == ']') << "row " << nRow << ": " << str;
        }
    }
    // Corrections that overflow give no compass heading: its row says so
    // and is not left blank.
    vFly(rows[6]);
    EXPECT_EQ(": ####", value(4)) << rows[6].pszName;
}

TEST_F(Results, StandingStillShowsTheFallbacks)
{
    vTypeTriangle("50", "50", "0", "0"); // headwind as strong as the airspeed
    vTypeRest("0", "0", "100", "12");
    vPaint();
    EXPECT_EQ(": 999:99 [h:min]", value(5));
    EXPECT_EQ(": 9999.9 [l]", value(6));
}

TEST_F(Results, CourseNotFlyableInThisWind)
{
    const char* pszNot = ": #### (Kurs bei diesem Wind nicht fliegbar)";
    const Flight rows[] = {
        {"headwind twice the airspeed", "50", "100", "0", "0", "0", "0", "100", "12"},
        {"crosswind too strong", "100", "150", "90", "45", "0", "0", "100", "12"},
        {"crosswind too strong, exactly across from the east", "50", "80", "90", "0", "0", "0", "100", "12"},
        {"crosswind too strong, exactly across from the west", "50", "80", "270", "0", "0", "0", "100", "12"},
        {"crosswind too strong, exactly across an east course", "50", "80", "180", "90", "0", "0", "100", "12"},
        {"crosswind too strong, a hundredth off across", "50", "80", "89.99", "0", "0", "0", "100", "12"},
        {"later inputs missing", "50", "100", "0", "0", "", "", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        vFly(row);
        int nRow = -1;
        EXPECT_EQ(pszNot, prompt(&nRow)) << "wrapped like a prompt";
        EXPECT_EQ(2, nRow);
        EXPECT_NE("", value(0)) << "the wind row stays";
        EXPECT_NE("", value(1)) << "the course row stays";
        for (int nLater = 2; nLater < LEGEND_ROWS; nLater++)
            EXPECT_EQ("", value(nLater)) << "row " << nLater << " shows nothing";
        EXPECT_EQ(1u, calls(HOST_DRAWTEXT).size()) << "no prompt for a later input";
    }

    // An ordinary flight shows its values.
    vTypeTriangle("110", "20", "230", "85");
    vTypeRest("0", "0", "69", "12");
    vPaint();
    EXPECT_EQ(":   91 [\xB0]", value(2));
    EXPECT_EQ(": 0:33 [h:min]", value(5));
    EXPECT_EQ(": 6.6 [l]", value(6));
}

// A value is drawn whole inside the client or not at all: the client's
// edges are at x = 1000 (2 x 1600 - 1200 - 1000), y = 1000 and y = -1000,
// and ":   91 [\xB0]" is ten characters of the DC's own font, 7 units wide
// and 14 high.
TEST_F(Results, ValuesAreDrawnWholeOrNotAtAll)
{
    vTypeFlight();
    const struct {
        const char* pszName;
        POINT pt;
        bool bDrawn;
    } rows[] = {
        {"ends on the right edge", {930, 500}, true},
        {"one unit past the right edge", {931, 500}, false},
        {"on the top edge", {400, 1000}, true},
        {"one unit above the top edge", {400, 1001}, false},
        {"ends on the bottom edge", {400, -986}, true},
        {"one unit below the bottom edge", {400, -987}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        pDiagram->ptLegendValue[2] = row.pt;
        vPaint();
        EXPECT_EQ(row.bDrawn ? ":   91 [\xB0]" : "", value(2));
        EXPECT_EQ(": 0:33 [h:min]", value(5)) << "the other rows stay";
    }
}

// A caption that would run past the client's right edge (1000 here, 7 units
// a character) gives way to the abbreviation in its parentheses; one without
// an abbreviation stays as it is.
TEST_F(Results, CaptionsWithoutRoomGiveWayToTheirShortForm)
{
    const struct {
        const char* pszName;
        int nRow;
        int x;
        const char* pszShown;
    } rows[] = {
        {"WCA caption ends on the right edge", 3, 825, "Windkorrekturwinkel (WCA)"},
        {"WCA caption one unit past it", 3, 826, "(WCA)"},
        {"heading caption past it", 2, 950, "(TH)"},
        {"wind caption has no short form", 0, 950, "Windvektor"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        pDiagram->ptLegendLabel[row.nRow].x = row.x;
        vPaint();
        EXPECT_EQ(row.pszShown, textAt(pDiagram->ptLegendLabel[row.nRow]));
    }
}

TEST_F(Results, WrappedPromptStaysInsideItsBox)
{
    // Right edge of the client: 2 x 1600 - 1200 - 1000 = 1000; one character less.
    POINT pt = {300, 800};
    const char* psz = ": #### (8. Kompassablenkung bei 91 [\xB0] eingeben)";
    vDrawWrapped(hdc, pt, psz);
    std::vector<HostCall> vecBox = calls(HOST_DRAWTEXT);
    ASSERT_EQ(1u, vecBox.size());
    EXPECT_EQ(300, vecBox[0].ptLog[0].x);
    EXPECT_EQ(800, vecBox[0].ptLog[0].y);
    EXPECT_EQ(995, vecBox[0].ptLog[1].x);
    EXPECT_EQ(-1000, vecBox[0].ptLog[1].y);
    EXPECT_TRUE(vecBox[0].uFormat & DT_WORDBREAK);

    // A narrow box breaks between words: every word fits, the prompt does not.
    hostClearCalls(hdc);
    pDiagram->ptWindowExt.x = 1230; // right edge at 260: box 155 wide from x = 100
    vDrawWrapped(hdc, POINT{100, 800}, psz);
    std::vector<HostCall> vecLines = calls(HOST_WRAPPED_LINE);
    ASSERT_GT(vecLines.size(), 1u);
    std::string strJoined;
    int nLine = 0;
    for (const HostCall& line : vecLines) {
        SIZE size;
        ASSERT_TRUE(GetTextExtentPoint32A(hdc, line.strText.data(), (int)line.strText.size(), &size));
        EXPECT_LE(size.cx, 155) << line.strText;
        EXPECT_EQ(100, line.ptLog[0].x);
        EXPECT_EQ(800 - size.cy * nLine++, line.ptLog[0].y) << "lines run downward";
        strJoined += (strJoined.empty() ? "" : " ") + line.strText;
    }
    EXPECT_EQ(psz, strJoined);

    struct {
        const char* pszName;
        int nExtX, nFormLog;
        POINT pt;
    } rows[] = {
        {"on the bottom edge", 1600, 1200, {300, -1000}},
        {"below the bottom edge", 1600, 1200, {300, -1200}},
        {"no width left", 1600, 1200, {995, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        hostClearCalls(hdc);
        pDiagram->ptWindowExt.x = row.nExtX;
        pDiagram->nFormWidthLog = row.nFormLog;
        vDrawWrapped(hdc, row.pt, psz);
        EXPECT_TRUE(hostCalls(hdc).empty());
    }
    hostClearCalls(hdc);
    vDrawWrapped(hdc, POINT{300, -999}, psz);
    EXPECT_EQ(1u, calls(HOST_DRAWTEXT).size()) << "one unit above the bottom edge is enough";
    vDrawWrapped(hdc, POINT{994, 0}, psz);
    EXPECT_EQ(2u, calls(HOST_DRAWTEXT).size()) << "a box one unit wide is enough";
    vDrawWrapped(hdc, POINT{300, 0}, "");
    vDrawWrapped(hdc, POINT{300, 0}, NULL);
    EXPECT_EQ(2u, calls(HOST_DRAWTEXT).size());
}

// Under its caption (values below), a prompt runs down into the rows that
// follow: drawn whole where it ends above the next caption, else not at all.
// Beside the captions it has a column of its own. The fixture's prompt box
// is wide enough for one line.
TEST_F(Results, PromptUnderItsCaptionStopsAboveTheNextCaption)
{
    const struct {
        const char* pszName;
        int bBelow;
        int nNextCaptionY; // row 3's caption; the prompt stands at y = 780
        int bDrawn;
    } rows[] = {
        {"under its caption, a line clear of the next", 1, 700, 1},
        {"under its caption, running into the next", 1, 775, 0},
        {"beside the captions", 0, 775, 1},
    };
    vTypeTriangle("", "20", "230", "85"); // airspeed missing: the prompt in row 2
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        pDiagram->bValuesBelow = row.bBelow;
        pDiagram->ptLegendValue[2].y = 780;
        pDiagram->ptLegendLabel[3].y = row.nNextCaptionY;
        vPaint();
        EXPECT_EQ(row.bDrawn ? 1u : 0u, calls(HOST_DRAWTEXT).size());
    }
}

} // namespace
