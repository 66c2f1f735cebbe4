// The worked flight of the README as "Flug kopieren" puts it on the
// clipboard (wind speed in km/h), for the tests that read it back.
#ifndef KL_TESTS_SUPPORT_WORKED_FLIGHT_H
#define KL_TESTS_SUPPORT_WORKED_FLIGHT_H

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
