// Fixture for host tests that read what the painting code drew on the
// recording GDI: fresh program state, a fresh recording DC, and helpers to
// lay out form and diagram for a client size and to pick recorded calls.
#ifndef KL_TESTS_SUPPORT_RECORDING_H
#define KL_TESTS_SUPPORT_RECORDING_H

#include <string>
#include <vector>

#include "diagram/diagram.h"
#include "diagram/draw.h"
#include "fakegdi.h"
#include "form/form_layout.h"
#include "form/form_paint.h"
#include "support/fixture.h"
#include "support/surface_dc.h"

class Recorded : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        hostResetGdi();
        hdc = hostNewDC();
        ps.hdc = hdc;
    }
    void TearDown() override
    {
        hostResetGdi();
        AppFixture::TearDown();
    }

    // The two program fonts, "Helv" 12, made under the current font model.
    void vMakeFonts()
    {
        pForm->hFont = vCreateTextFont();
        pDiagram->hDiagramFont = vCreateTextFont();
    }

    // Form and diagram laid out for a client of nWidth x nHeight, whatever
    // height the form layout saw last.
    void vLayOut(int nWidth, int nHeight)
    {
        pForm->nClientWidth = nWidth;
        pForm->nClientHeight = nHeight + 1;
        vFormLayout(NULL);
        pForm->nClientHeight = nHeight;
        ASSERT_EQ(1, vFormLayout(NULL));
        vDiagramLayout(NULL);
    }

    // The worked flight typed in, with the program's fonts, laid out for a
    // client of nWidth x nHeight.
    void vFlightLaidOut(int nWidth, int nHeight)
    {
        vMakeFonts();
        vTypeFlight();
        vLayOut(nWidth, nHeight);
    }

    // One paint cycle as the window's paint handler runs it, on a surface
    // back in client pixels: the form, then the diagram. Only this paint's
    // calls are kept.
    void vPaintCycle()
    {
        hostClearCalls(hdc);
        SetMapMode(hdc, MM_TEXT);
        SetViewportOrgEx(hdc, 0, 0, NULL);
        vPaintForm(hdc, &ps);
        vPaintDiagram(hdc, &ps);
    }

    // The worked flight: every input valid.
    std::vector<HostCall> calls(HostCallKind nKind) const
    {
        std::vector<HostCall> vec;
        for (const HostCall& call : hostCalls(hdc))
            if (call.nKind == nKind)
                vec.push_back(call);
        return vec;
    }

    // Text drawn with TextOutA at exactly pt, or "" when none.
    std::string textAt(POINT pt) const
    {
        for (const HostCall& call : hostCalls(hdc))
            if (call.nKind == HOST_TEXTOUT && call.ptLog[0].x == pt.x && call.ptLog[0].y == pt.y)
                return call.strText;
        return "";
    }

    HDC hdc = nullptr;
    PAINTSTRUCT ps = {};
};

#endif
