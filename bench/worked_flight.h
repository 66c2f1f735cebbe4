// The worked flight both benchmarks run on: Egelsbach to Mainz, 110 km/h,
// wind 20 km/h from 230, course 85, VAR 3W, DEV 2, 69 km, 12 l/h. Every
// value the panel shows is then available.
#ifndef KL_BENCH_WORKED_FLIGHT_H
#define KL_BENCH_WORKED_FLIGHT_H

#include <string.h>

#include "calc/app_state.h"
#include "calc/input.h"

inline int bTypeWorkedFlight(void)
{
    if (pApp == NULL && !vAppInit())
        return 0;
    static const struct {
        int id;
        const char* pszText;
    } kTexts[] = {
        {Departure, "Egelsbach"}, {Destination, "Mainz"}, {Tas, "110"},     {WindSpeed, "20"}, {WindDir, "230"},
        {TrueCourse, "85"},       {Variation, "3W"},      {Deviation, "2"}, {Distance, "69"},  {FuelFlow, "12"},
    };
    pApp->pForm->nUnitSel[WindSpeed] = 0; // km/h
    for (const auto& t : kTexts)
        vStoreInputText(t.id, t.pszText, (int)strlen(t.pszText));
    return 1;
}

#endif
