// Cost of the calculation one paint runs: the solver alone, and the whole
// set of results (solver, compass heading, time, fuel) on the worked flight.
#include <benchmark/benchmark.h>

#include <string.h>

#include "calc/app_state.h"
#include "calc/derived.h"
#include "calc/input.h"
#include "calc/solver.h"
#include "worked_flight.h"


static void BM_WindTriangle(benchmark::State& state)
{
    bTypeWorkedFlight();
    double dWca, dTh, dGs;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vGetWindTriangle(&dWca, &dTh, &dGs));
        benchmark::DoNotOptimize(dGs);
    }
}
BENCHMARK(BM_WindTriangle);

static void BM_PaintResults(benchmark::State& state)
{
    bTypeWorkedFlight();
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
    bTypeWorkedFlight();
    double dValue;
    for (auto _ : state)
        benchmark::DoNotOptimize(vGetValue("3.5W", Variation, &dValue));
}
BENCHMARK(BM_GetValue);
