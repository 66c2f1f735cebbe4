// The worked flight of the README, Egelsbach to Mainz (wind speed in
// km/h): the ten inputs as typed, what the results block shows for it, and
// what "Flug kopieren" puts on the clipboard. Every test that types it or
// reads it back takes it from here.
#ifndef KL_TESTS_SUPPORT_WORKED_FLIGHT_H
#define KL_TESTS_SUPPORT_WORKED_FLIGHT_H

#include "calc/app_state.h"

static const char* const kWorkedFlight[INPUT_COUNT] = {"Egelsbach", "Mainz", "110", "20", "230",
                                                       "85",        "3W",    "2",   "69", "12"};

static const char* const kWorkedFlightValues[LEGEND_ROWS] = {
    ":   50 [\xB0]", ":   85 [\xB0]", ":   91 [\xB0]", ":    6 [\xB0]", ":   92 [\xB0]", ": 0:33 [h:min]", ": 6.6 [l]"};

static const char kWorkedFlightText[] = "Flugnavigation von Egelsbach nach Mainz\r\n"
                                 "1. Startort\tEgelsbach\r\n"
                                 "2. Zielort\tMainz\r\n"
                                 "3. Fluggeschwindigkeit (TAS)\t110 [km/h]\r\n"
                                 "4. Windgeschwindigkeit (WS)\t20 [km/h]\r\n"
                                 "5. Windwinkel (WD)\t230 [\xB0]\r\n"
                                 "6. Bodenkurs (TC)\t85 [\xB0]\r\n"
                                 "7. Ortsmissweisung (VAR)\t3W [\xB0]\r\n"
                                 "8. Kompassablenkung (DEV)\t2 [\xB0]\r\n"
                                 "9. Distanz (s)\t69 [km]\r\n"
                                 "10. Verbrauch pro Zeit\t12 [l/h]\r\n"
                                 "Windvektor\t50 [\xB0]\r\n"
                                 "Bodenkurs\t85 [\xB0]\r\n"
                                 "Flugkurs (TH)\t91 [\xB0]\r\n"
                                 "Windkorrekturwinkel (WCA)\t6 [\xB0]\r\n"
                                 "Kompasskurs (CH)\t92 [\xB0]\r\n"
                                 "Flugzeit (t)\t0:33 [h:min]\r\n"
                                 "Verbrauch\t6.6 [l]\r\n";

#endif
