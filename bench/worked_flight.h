// The worked flight both benchmarks run on (tests/support/worked_flight.h):
// every value the panel shows is then available.
#ifndef KL_BENCH_WORKED_FLIGHT_H
#define KL_BENCH_WORKED_FLIGHT_H

#include <string.h>

#include "calc/app_state.h"
#include "calc/input.h"
#include "support/worked_flight.h"

inline int bTypeWorkedFlight(void)
{
    if (pApp == NULL && !vAppInit())
        return 0;
    pApp->pForm->nUnitSel[WindSpeed] = 0; // km/h
    for (int id = 0; id < INPUT_COUNT; id++)
        vStoreInputText(id, kWorkedFlight[id], (int)strlen(kWorkedFlight[id]));
    return 1;
}

#endif
