// The flight as text: route, inputs with their units, and the results block
// with the prompt or the unflyable note where the window shows them.
#include <string.h>

#include <string>

#include "form/flight_text.h"
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
        {"no places", "", "", 0, 0, 0, "Flugnavigation\r\n1. Startort\t\r\n2. Zielort\t\r\n"},
        {"departure only", "EDFE", "", 0, 0, 0, "Flugnavigation von EDFE\r\n"},
        {"destination only", "", "EDFZ", 0, 0, 0, "Flugnavigation nach EDFZ\r\n"},
        {"knots", "", "", 1, 0, 0, "4. Windgeschwindigkeit (WS)\t20 [kt]\r\n"},
        {"nautical miles", "", "", 0, 1, 0, "9. Distanz (s)\t69 [NM]\r\n"},
        {"litres per minute", "", "", 0, 0, 1, "10. Verbrauch pro Zeit\t12 [l/min]\r\n"},
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
    EXPECT_NE(std::string::npos, str.find("\r\n9. Distanz (s)\t\r\n")) << str;
    EXPECT_NE(std::string::npos, str.find("\r\n7. Ortsmissweisung (VAR)\t\r\n")) << str;
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
        {"airspeed missing", Tas, "",
         "Windvektor\t\r\nBodenkurs\t\r\nFlugkurs (TH)\t#### (3. Fluggeschwindigkeit eingeben)\r\n"
         "Windkorrekturwinkel (WCA)\t\r\nKompasskurs (CH)\t\r\nFlugzeit (t)\t\r\nVerbrauch\t\r\n"},
        {"deviation missing", Deviation, "",
         "Windvektor\t50 [\xB0]\r\nBodenkurs\t85 [\xB0]\r\nFlugkurs (TH)\t91 [\xB0]\r\n"
         "Windkorrekturwinkel (WCA)\t6 [\xB0]\r\n"
         "Kompasskurs (CH)\t#### (8. Kompassablenkung bei 91 [\xB0] eingeben)\r\n"
         "Flugzeit (t)\t\r\nVerbrauch\t\r\n"},
        {"fuel flow missing", FuelFlow, "",
         "Windvektor\t50 [\xB0]\r\nBodenkurs\t85 [\xB0]\r\nFlugkurs (TH)\t91 [\xB0]\r\n"
         "Windkorrekturwinkel (WCA)\t6 [\xB0]\r\nKompasskurs (CH)\t92 [\xB0]\r\nFlugzeit (t)\t0:33 [h:min]\r\n"
         "Verbrauch\t#### (10. Verbrauch eingeben)\r\n"},
        {"wind too strong", WindSpeed, "200",
         "Windvektor\t50 [\xB0]\r\nBodenkurs\t85 [\xB0]\r\n"
         "Flugkurs (TH)\t#### (Kurs bei diesem Wind nicht fliegbar)\r\n"
         "Windkorrekturwinkel (WCA)\t\r\nKompasskurs (CH)\t\r\nFlugzeit (t)\t\r\nVerbrauch\t\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        vTypeFlight();
        vType(row.nInput, row.pszTyped);
        EXPECT_EQ(row.pszResults, from("Windvektor\t"));
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
