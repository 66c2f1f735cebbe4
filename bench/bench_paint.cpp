// Cost of one full paint (form and diagram, every input valid) on the host's
// recording GDI: layout per paint, about fifty pens, brushes and texts, the
// calculation of every shown value, and the recording itself.
#include <benchmark/benchmark.h>

#include <string.h>

#include "calc/app_state.h"
#include "calc/input.h"
#include "diagram/diagram.h"
#include "diagram/draw.h"
#include "fakegdi.h"
#include "form/form_layout.h"
#include "form/form_paint.h"
#include "worked_flight.h"

// Solver runs and reads of an input's number, counted on their way in from
// other files (the linker's --wrap): what one paint costs besides the GDI.
static long s_nSolved = 0;
static long s_nRead = 0;

extern "C" {
int __real__Z16vGetWindTrianglePdS_S_(double* pdWca, double* pdTh, double* pdGs);
int __real__Z9vGetValuePKciPd(const char* pszText, int id, double* pdValue);

int __wrap__Z16vGetWindTrianglePdS_S_(double* pdWca, double* pdTh, double* pdGs)
{
    s_nSolved++;
    return __real__Z16vGetWindTrianglePdS_S_(pdWca, pdTh, pdGs);
}

int __wrap__Z9vGetValuePKciPd(const char* pszText, int id, double* pdValue)
{
    s_nRead++;
    return __real__Z9vGetValuePKciPd(pszText, id, pdValue);
}
}

// The worked flight with a route, in a 1024 x 700 client.
static void vSetUpPaint(void)
{
    if (!bTypeWorkedFlight())
        return;
    FormState* pF = pApp->pForm;
    if (pF->hFont == NULL) {
        pF->hFont = vCreateTextFont();
        pApp->pDiagram->hDiagramFont = vCreateTextFont();
    }
    pF->nClientWidth = 1024;
    pF->nClientHeight = 700;
    vFormLayout(NULL);
    vDiagramLayout(NULL);
}

static void BM_FullPaint(benchmark::State& state)
{
    vSetUpPaint();
    HDC hdc = hostNewDC();
    PAINTSTRUCT ps;
    memset(&ps, 0, sizeof(ps));
    ps.hdc = hdc;
    for (auto _ : state) {
        // Every paint cycle starts with a fresh context in client pixels.
        hostClearCalls(hdc);
        SetMapMode(hdc, MM_TEXT);
        SetViewportOrgEx(hdc, 0, 0, NULL);
        SetBkMode(hdc, TRANSPARENT);
        vPaintForm(hdc, &ps);
        vPaintDiagram(hdc, &ps);
        benchmark::DoNotOptimize(hostCalls(hdc).size());
    }
    state.counters["calls"] = (double)hostCalls(hdc).size();
    // Per paint, as counted on the last one.
    s_nSolved = s_nRead = 0;
    hostClearCalls(hdc);
    SetMapMode(hdc, MM_TEXT);
    SetViewportOrgEx(hdc, 0, 0, NULL);
    vPaintForm(hdc, &ps);
    vPaintDiagram(hdc, &ps);
    state.counters["solver_runs"] = (double)s_nSolved;
    state.counters["value_reads"] = (double)s_nRead;
    hostDeleteDC(hdc);
}
BENCHMARK(BM_FullPaint);
