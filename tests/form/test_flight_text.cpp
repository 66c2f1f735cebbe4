// The flight as text: route, inputs with their units, and the results block
// with the prompt or the unflyable note where the window shows them.
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "form/flight_text.h"
#include "form/results_text.h"
#include "host/fakewin.h"
#include "support/fixture.h"
#include "support/worked_flight.h"

namespace {

class FlightText : public AppFixture {
protected:
    std::string text(void)
    {
        char szText[FLIGHT_TEXT_SIZE];
        EXPECT_EQ(1, vGetFlightText(szText, sizeof(szText)));
        return szText;
    }
    // The lines from the first whose caption starts with pszCaption on.
    std::string from(const char* pszCaption)
    {
        std::string str = text();
        size_t n = str.find(std::string("\r\n") + pszCaption);
        return n == std::string::npos ? "" : str.substr(n + 2);
    }
};

// The text from the first result row on.
const char* const kResultsOfTheWorkedFlight = strstr(kWorkedFlightText, "Windvektor");

TEST_F(FlightText, WorkedFlightWhole)
{
    vTypeFlight();
    EXPECT_EQ(kWorkedFlightText, text());
}

TEST_F(FlightText, RouteAndUnitsFollowTheWindow)
{
    struct {
        const char* pszName;
        const char *pszFrom, *pszTo;
        int nWindUnit, nDistanceUnit, nFuelUnit;
        const char* pszExpected; // lines that must be in the text
    } rows[] = {
        {"no places", "", "", 0, 0, 0, "Flugnavigation\t\t\r\n1. Startort\t\t\r\n2. Zielort\t\t\r\n"},
        {"departure only", "EDFE", "", 0, 0, 0, "Flugnavigation von EDFE\t\t\r\n"},
        {"destination only", "", "EDFZ", 0, 0, 0, "Flugnavigation nach EDFZ\t\t\r\n"},
        {"knots", "", "", 1, 0, 0, "4. Windgeschwindigkeit (WS)\t20\t[kt]\r\n"},
        {"nautical miles", "", "", 0, 1, 0, "9. Distanz (s)\t69\t[NM]\r\n"},
        {"litres per minute", "", "", 0, 0, 1, "10. Verbrauch pro Zeit\t12\t[l/min]\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        vTypeFlight();
        vType(Departure, row.pszFrom);
        vType(Destination, row.pszTo);
        pForm->nUnitSel[WindSpeed] = row.nWindUnit;
        pForm->nUnitSel[Distance] = row.nDistanceUnit;
        pForm->nUnitSel[FuelFlow] = row.nFuelUnit;
        std::string str = text();
        EXPECT_NE(std::string::npos, str.find(row.pszExpected)) << str;
    }
}

TEST_F(FlightText, EmptyFieldCarriesNoUnit)
{
    vTypeFlight();
    vType(Distance, "");
    vType(Variation, "");
    std::string str = text();
    EXPECT_NE(std::string::npos, str.find("\r\n9. Distanz (s)\t\t\r\n")) << str;
    EXPECT_NE(std::string::npos, str.find("\r\n7. Ortsmissweisung (VAR)\t\t\r\n")) << str;
}

TEST_F(FlightText, ResultsAsTheBlockShowsThem)
{
    struct {
        const char* pszName;
        int nInput;          // set to pszTyped after the worked flight
        const char* pszTyped;
        const char* pszResults;
    } rows[] = {
        {"worked flight", Departure, "Egelsbach", kResultsOfTheWorkedFlight},
        {"airspeed missing", Tas, "", kCopiedWithoutAirspeed},
        {"deviation missing", Deviation, "",
         "Windvektor\t50\t[\xB0]\r\nBodenkurs\t85\t[\xB0]\r\nFlugkurs (TH)\t91\t[\xB0]\r\n"
         "Windkorrekturwinkel (WCA)\t6\t[\xB0]\r\n"
         "Kompasskurs (CH)\t#### (8. Kompassablenkung bei 91 [\xB0] eingeben)\t\r\n"
         "Flugzeit (t)\t\t\r\nVerbrauch\t\t\r\nGrundgeschwindigkeit (GS)\t126\t[km/h]\r\n"},
        {"fuel flow missing", FuelFlow, "",
         "Windvektor\t50\t[\xB0]\r\nBodenkurs\t85\t[\xB0]\r\nFlugkurs (TH)\t91\t[\xB0]\r\n"
         "Windkorrekturwinkel (WCA)\t6\t[\xB0]\r\nKompasskurs (CH)\t92\t[\xB0]\r\nFlugzeit (t)\t0:33\t[h:min]\r\n"
         "Verbrauch\t#### (10. Verbrauch eingeben)\t\r\nGrundgeschwindigkeit (GS)\t126\t[km/h]\r\n"},
        {"wind too strong", WindSpeed, "200", kCopiedWindTooStrong},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        vTypeFlight();
        vType(row.nInput, row.pszTyped);
        EXPECT_EQ(row.pszResults, from("Windvektor\t"));
    }
}

// The text's lines split at the tabs.
std::vector<std::vector<std::string>> vecCells(const std::string& str)
{
    std::vector<std::vector<std::string>> vecLines;
    size_t nStart = 0, nEnd;
    while ((nEnd = str.find("\r\n", nStart)) != std::string::npos) {
        std::vector<std::string> vecLine;
        std::string strLine = str.substr(nStart, nEnd - nStart);
        size_t nCell = 0, nTab;
        while ((nTab = strLine.find('\t', nCell)) != std::string::npos) {
            vecLine.push_back(strLine.substr(nCell, nTab - nCell));
            nCell = nTab + 1;
        }
        vecLine.push_back(strLine.substr(nCell));
        vecLines.push_back(vecLine);
        nStart = nEnd + 2;
    }
    EXPECT_EQ(str.size(), nStart) << "text after the last line end";
    return vecLines;
}

// A cell a spreadsheet reads as a number: a sign, digits, and the separator
// at most once.
bool bNumberCell(const std::string& str, char cDecimal)
{
    char* pEnd = NULL;
    std::string strC = str;
    for (char& c : strC)
        if (c == cDecimal)
            c = '.';
        else if (c == '.')
            return false;
    strtod(strC.c_str(), &pEnd);
    return !str.empty() && *pEnd == '\0' && strC.find_first_of("eEnNxX") == std::string::npos;
}

TEST_F(FlightText, ThreeCellsToEveryLineWhateverIsTyped)
{
    const struct {
        const char* pszName;
        int nInput;
        const char* pszTyped;
    } rows[] = {
        {"tab and line ends in a place", Departure, "5\t6\r\n7"},
        {"tab and line ends in a number", Tas, "5\t6\r\n7"},
        {"line end alone", Destination, "Mainz\n"},
        {"carriage return alone", Variation, "3\rW"},
        {"other control characters", Distance, "6\x01\x1f" "9"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        vTypeFlight();
        vType(row.nInput, row.pszTyped);
        std::string str = text();
        auto vecLines = vecCells(str);
        EXPECT_EQ(1u + INPUT_COUNT + RESULT_ROWS, vecLines.size()) << str;
        for (size_t n = 0; n < vecLines.size(); n++)
            EXPECT_EQ(3u, vecLines[n].size()) << "line " << n << " of\n" << str;
        for (const auto& vecLine : vecLines)
            for (const std::string& strCell : vecLine)
                for (char c : strCell)
                    EXPECT_FALSE((unsigned char)c < ' ') << "control character in a cell of\n" << str;
    }
}

TEST_F(FlightText, NumbersInTheirOwnCells)
{
    const struct {
        const char* pszName;
        const char* pszDecimal; // the regional setting (null: it cannot be read)
        char cShown;            // the separator the number cells use
    } rows[] = {
        {"point", ".", '.'},
        {"German comma", ",", ','},
        {"regional setting unreadable", NULL, '.'},
        {"setting without a separator", "", '.'},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        hostSetDecimalSeparator(row.pszDecimal);
        vTypeFlight();
        vType(Distance, " 96.5 ");
        auto vecLines = vecCells(text());
        ASSERT_EQ(1u + INPUT_COUNT + RESULT_ROWS, vecLines.size());
        // Every result of the worked flight and every input but the places
        // and the variation ("3W") is a number in the middle cell.
        for (size_t n = 1; n < vecLines.size(); n++) {
            const std::string& strCell = vecLines[n][1];
            bool bText = n == 1 + Departure || n == 1 + Destination || n == 1 + Variation;
            bool bTime = n == 1 + INPUT_COUNT + ROW_TIME;
            if (bTime)
                EXPECT_EQ("0:46", strCell) << "time for 96.5 km, no decimals";
            else
                EXPECT_EQ(!bText, bNumberCell(strCell, row.cShown)) << vecLines[n][0] << ": " << strCell;
        }
        std::string strFuel = std::string("9") + row.cShown + "2";
        EXPECT_EQ(strFuel, vecLines[1 + INPUT_COUNT + ROW_FUEL][1]) << "fuel for 96.5 km";
        EXPECT_EQ(std::string("96") + row.cShown + "5", vecLines[1 + Distance][1]) << "typed, blanks around it off";
        EXPECT_EQ("[km]", vecLines[1 + Distance][2]);
        EXPECT_EQ("3W", vecLines[1 + Variation][1]);
    }
}

TEST_F(FlightText, TextThatIsNoPlainNumberStaysAsTyped)
{
    const struct {
        const char* pszTyped;
        const char* pszCell;
    } rows[] = {
        // Plain numbers take the regional separator.
        {"-.5", "-,5"},
        {"110.", "110,"},
        {"+110", "+110"},
        // Anything else stays as typed.
        {"110 km/h", "110 km/h"},
        {"1.1.0", "1.1.0"},
        {"1e2", "1e2"},
        {"2,5", "2,5"},
        {".", "."},
        {"-", "-"},
    };
    hostSetDecimalSeparator(",");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszTyped);
        vTypeFlight();
        vType(WindDir, row.pszTyped);
        EXPECT_EQ(row.pszCell, vecCells(text())[1 + WindDir][1]);
    }
}

TEST_F(FlightText, GroundSpeedInTheAirspeedsUnit)
{
    const struct {
        const char* pszName;
        int nTasUnit;
        const char* pszTas;
        const char* pszWind;
        const char* pszLine;
    } rows[] = {
        {"km/h", 0, "110", "20", "Grundgeschwindigkeit (GS)\t126\t[km/h]\r\n"},
        {"knots (110 km/h)", 1, "59.459459", "20", "Grundgeschwindigkeit (GS)\t68\t[kt]\r\n"},
        {"calm", 0, "110", "0", "Grundgeschwindigkeit (GS)\t110\t[km/h]\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        vTypeFlight();
        pForm->nUnitSel[Tas] = row.nTasUnit;
        vType(Tas, row.pszTas);
        vType(WindSpeed, row.pszWind);
        std::string str = text();
        EXPECT_NE(std::string::npos, str.find(row.pszLine)) << str;
    }
}

TEST_F(FlightText, TooSmallBufferFailsTerminated)
{
    vTypeFlight();
    char szText[64];
    memset(szText, 'x', sizeof(szText));
    EXPECT_EQ(0, vGetFlightText(szText, sizeof(szText)));
    EXPECT_NE(nullptr, memchr(szText, '\0', sizeof(szText)));
}

TEST_F(FlightText, LongestInputsFit)
{
    std::string strLong(INPUT_TEXT_SIZE - 1, '9');
    for (int id = 0; id < INPUT_COUNT; id++)
        vType(id, strLong.c_str());
    char szText[FLIGHT_TEXT_SIZE];
    EXPECT_EQ(1, vGetFlightText(szText, sizeof(szText)));
}

} // namespace
