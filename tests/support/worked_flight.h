// The worked flight of the README, Egelsbach to Mainz (wind speed in
// km/h): the ten inputs as typed, what the results block shows for it, and
// what "Flug kopieren" puts on the clipboard (decimal point as the regional
// setting of the tests' machine gives it). Every test that types it or
// reads it back takes it from here.
#ifndef KL_TESTS_SUPPORT_WORKED_FLIGHT_H
#define KL_TESTS_SUPPORT_WORKED_FLIGHT_H

#include "calc/app_state.h"

static const char* const kWorkedFlight[INPUT_COUNT] = {"Egelsbach", "Mainz", "110", "20", "230",
                                                       "85",        "3W",    "2",   "69", "12"};

static const char* const kWorkedFlightValues[LEGEND_ROWS] = {
    ":   50 [\xB0]", ":   85 [\xB0]", ":   91 [\xB0]", ":    6 [\xB0]", ":   92 [\xB0]", ": 0:33 [h:min]", ": 6.6 [l]"};

static const char kWorkedFlightText[] = "Flugnavigation von Egelsbach nach Mainz\t\t\r\n"
                                        "1. Startort\tEgelsbach\t\r\n"
                                        "2. Zielort\tMainz\t\r\n"
                                        "3. Fluggeschwindigkeit (TAS)\t110\t[km/h]\r\n"
                                        "4. Windgeschwindigkeit (WS)\t20\t[km/h]\r\n"
                                        "5. Windwinkel (WD)\t230\t[\xB0]\r\n"
                                        "6. Bodenkurs (TC)\t85\t[\xB0]\r\n"
                                        "7. Ortsmissweisung (VAR)\t3W\t[\xB0]\r\n"
                                        "8. Kompassablenkung (DEV)\t2\t[\xB0]\r\n"
                                        "9. Distanz (s)\t69\t[km]\r\n"
                                        "10. Verbrauch pro Zeit\t12\t[l/h]\r\n"
                                        "Windvektor\t50\t[\xB0]\r\n"
                                        "Bodenkurs\t85\t[\xB0]\r\n"
                                        "Flugkurs (TH)\t91\t[\xB0]\r\n"
                                        "Windkorrekturwinkel (WCA)\t6\t[\xB0]\r\n"
                                        "Kompasskurs (CH)\t92\t[\xB0]\r\n"
                                        "Flugzeit (t)\t0:33\t[h:min]\r\n"
                                        "Verbrauch\t6.6\t[l]\r\n"
                                        "Grundgeschwindigkeit (GS)\t126\t[km/h]\r\n";

// The copied results, from the first row on, of the worked flight without
// the airspeed, and with a wind of 200 km/h.
static const char kCopiedWithoutAirspeed[] =
    "Windvektor\t\t\r\nBodenkurs\t\t\r\nFlugkurs (TH)\t#### (3. Fluggeschwindigkeit eingeben)\t\r\n"
    "Windkorrekturwinkel (WCA)\t\t\r\nKompasskurs (CH)\t\t\r\nFlugzeit (t)\t\t\r\nVerbrauch\t\t\r\n"
    "Grundgeschwindigkeit (GS)\t\t\r\n";
static const char kCopiedWindTooStrong[] =
    "Windvektor\t50\t[\xB0]\r\nBodenkurs\t85\t[\xB0]\r\n"
    "Flugkurs (TH)\t#### (Kurs bei diesem Wind nicht fliegbar)\t\r\n"
    "Windkorrekturwinkel (WCA)\t\t\r\nKompasskurs (CH)\t\t\r\nFlugzeit (t)\t\t\r\nVerbrauch\t\t\r\n"
    "Grundgeschwindigkeit (GS)\t\t\r\n";

#endif
