// Cost of the calculation one paint runs: the solver alone, and the whole
// set of results (solver, compass heading, time, fuel) on the worked flight.
#include <benchmark/benchmark.h>

#include <string.h>

#include "calc/app_state.h"
#include "calc/derived.h"
#include "calc/input.h"
#include "calc/solver.h"

// TAS 110 km/h, wind 20 km/h from 230, course 85, VAR 3W, DEV 2, 69 km,
// 12 l/h: every result the panel shows is available.
static void vWorkedFlight(void)
{
    if (pApp == NULL && !vAppInit())
        return;
    static const struct {
        int id;
        const char* pszText;
    } kTexts[] = {
        {Tas, "110"},      {WindSpeed, "20"}, {WindDir, "230"},  {TrueCourse, "85"},
        {Variation, "3W"}, {Deviation, "2"},  {Distance, "69"}, {FuelFlow, "12"},
    };
    pApp->pForm->nUnitSel[WindSpeed] = 0; // km/h
    for (const auto& t : kTexts)
        vStoreInputText(t.id, t.pszText, (int)strlen(t.pszText));
}

static void BM_WindTriangle(benchmark::State& state)
{
    vWorkedFlight();
    double dWca, dTh, dGs;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vGetWindTriangle(&dWca, &dTh, &dGs));
        benchmark::DoNotOptimize(dGs);
    }
}
BENCHMARK(BM_WindTriangle);

static void BM_PaintResults(benchmark::State& state)
{
    vWorkedFlight();
    double dWca, dTh, dGs, dCh, dHours, dMinutes, dFuel;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vGetWindTriangle(&dWca, &dTh, &dGs));
        benchmark::DoNotOptimize(vGetCH(&dCh));
        benchmark::DoNotOptimize(vGetTime(&dHours, &dMinutes));
        benchmark::DoNotOptimize(vGetFuel(&dFuel));
        benchmark::DoNotOptimize(dFuel);
    }
}
BENCHMARK(BM_PaintResults);

static void BM_GetValue(benchmark::State& state)
{
    vWorkedFlight();
    double dValue;
    for (auto _ : state)
        benchmark::DoNotOptimize(vGetValue("3.5W", Variation, &dValue));
}
BENCHMARK(BM_GetValue);
