// Arbitrary bytes as a whole paint: a client size, the four unit choices and
// the ten input texts, painted through the form and the diagram on the
// host's recording GDI. Besides the sanitizers: the paint leaves no object
// behind, and where the layout puts the compass rose inside the diagram
// panel, every line of the wind triangle stays inside the rose (give or take
// the rounding of the lengths) and the panel.
//
// Input: client width and height (two bytes each, little-endian, as WM_SIZE
// gives them), one byte whose low four bits are the unit choices of
// airspeed, wind speed, distance and fuel flow, then the ten texts in input
// order, each ended by a NUL byte (an edit never holds one).
#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "calc/app_state.h"
#include "calc/input.h"
#include "diagram/diagram.h"
#include "diagram/draw.h"
#include "diagram/mapping.h"
#include "fakegdi.h"
#include "fakewin.h"
#include "fuzz/fuzz_support.h"
#include "form/form_layout.h"
#include "form/form_paint.h"

enum { HEADER_BYTES = 5 };
static const int kSaved[] = {Tas, WindSpeed, Distance, FuelFlow};
// Logical units a triangle point may lie beyond the radius: three rounded
// lengths and two rounded tips.
static const double kRoundingSlack = 3.0;

static void vInitOnce(void)
{
    if (!bFuzzAppInit())
        return;
    pApp->pForm->hFont = vCreateTextFont();
    pApp->pDiagram->hDiagramFont = vCreateTextFont();
}

// The next NUL-ended text, at most INPUT_TEXT_SIZE - 1 bytes of it kept, as
// an edit hands it over; an input cut short is empty.
static void vTakeText(const uint8_t** ppData, const uint8_t* pEnd, char* pszText)
{
    const uint8_t* p = *ppData;
    size_t n = 0;
    while (p < pEnd && *p != 0) {
        if (n < INPUT_TEXT_SIZE - 1)
            pszText[n++] = (char)*p;
        p++;
    }
    pszText[n] = '\0';
    *ppData = p < pEnd ? p + 1 : p;
}

static int bInside(const Box& rc, POINT pt)
{
    // One pixel of slack for the pen's rounding.
    return pt.x >= rc.x - 1 && pt.x <= rc.x + rc.cx + 1 && pt.y >= rc.y - 1 && pt.y <= rc.y + rc.cy + 1;
}

// The triangle alone, under the diagram's mapping.
static void vCheckTriangle(void)
{
    DiagramState* pD = pApp->pDiagram;
    const Box& rc = pApp->pForm->rcDiagram;
    HDC hdc = hostNewDC();
    vSetDiagramMapping(hdc);
    POINT c = pD->ptCenter;
    int r = pD->nRadius;
    // The rose's corners in pixels tell whether the layout put it inside.
    POINT ptCorners[2] = {{c.x - r, c.y - r}, {c.x + r, c.y + r}};
    LPtoDP(hdc, ptCorners, 2);
    int bRoseInside = bInside(rc, ptCorners[0]) && bInside(rc, ptCorners[1]);
    hostClearCalls(hdc);
    vDrawTriangle(hdc, c, r, 1);
    for (const HostCall& call : hostCalls(hdc)) {
        for (int i = 0; i < call.nPoints; i++) {
            vCheck(hypot((double)call.ptLog[i].x - c.x, (double)call.ptLog[i].y - c.y) <= r + kRoundingSlack);
            vCheck(!bRoseInside || bInside(rc, call.ptDev[i]));
        }
    }
    vEndDiagramMapping(hdc);
    hostDeleteDC(hdc);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < HEADER_BYTES)
        return 0;
    vInitOnce();
    FormState* pF = pApp->pForm;
    const uint8_t* pEnd = pData + nSize;
    int nWidth = pData[0] | pData[1] << 8;
    int nHeight = pData[2] | pData[3] << 8;
    for (int i = 0; i < 4; i++)
        pF->nUnitSel[kSaved[i]] = (pData[4] >> i) & 1;
    const uint8_t* p = pData + HEADER_BYTES;
    char szText[INPUT_TEXT_SIZE];
    for (int id = 0; id < INPUT_COUNT; id++) {
        vTakeText(&p, pEnd, szText);
        vStoreInputText(id, szText, (int)strlen(szText));
    }
    pF->nClientWidth = nWidth;
    pF->nClientHeight = nHeight;
    vFormLayout(NULL);
    vDiagramLayout(NULL);

    // One paint cycle as the window procedure runs it.
    int nLive = hostLiveObjects();
    HDC hdc = hostNewDC();
    PAINTSTRUCT ps;
    memset(&ps, 0, sizeof(ps));
    ps.hdc = hdc;
    SetBkMode(hdc, TRANSPARENT);
    if (pF->bFormLaidOut)
        vPaintForm(hdc, &ps);
    if (pApp->pDiagram->bShowDiagram)
        vPaintDiagram(hdc, &ps);
    hostDeleteDC(hdc);
    // The larger diagram font may be kept between paints; nothing else.
    vCheck(hostLiveObjects() <= nLive + 1);

    if (pApp->pDiagram->bShowDiagram && pApp->pDiagram->bShowTriangle)
        vCheckTriangle();
    return 0;
}
