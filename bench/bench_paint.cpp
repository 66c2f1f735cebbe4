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
    hostDeleteDC(hdc);
}
BENCHMARK(BM_FullPaint);
