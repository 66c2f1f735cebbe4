// The form panel as painted: yellow background without outline, labels,
// unit texts only where there is no unit box, hints only when switched on.
#include "form/form_paint.h"
#include "support/recording.h"

namespace {

using FormPaint = Recorded;

TEST_F(FormPaint, BackgroundLabelsAndUnitTexts)
{
    vMakeFonts();
    vLayOut(1024, 600);
    HGDIOBJ hFont = hostSelectedFont(hdc);
    vPaintForm(hdc, &ps);

    std::vector<HostCall> vecPolygons = calls(HOST_POLYGON);
    ASSERT_EQ(1u, vecPolygons.size());
    const HostCall& back = vecPolygons[0];
    EXPECT_EQ(RGB(255, 255, 0), back.brushColor);
    EXPECT_TRUE(back.bNullPen);
    const Box& rc = pForm->rcForm;
    const POINT ptWant[4] = {{rc.x, rc.y}, {rc.x, rc.y + rc.cy}, {rc.x + rc.cx, rc.y + rc.cy}, {rc.x + rc.cx, rc.y}};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(ptWant[i].x, back.ptDev[i].x) << "corner " << i;
        EXPECT_EQ(ptWant[i].y, back.ptDev[i].y) << "corner " << i;
    }

    for (int i = 0; i < INPUT_COUNT; i++) {
        SCOPED_TRACE(pForm->pszLabel[i]);
        EXPECT_EQ(pForm->pszLabel[i], textAt(pForm->ptLabel[i]));
        bool bDegrees = i >= WindDir && i <= Deviation;
        EXPECT_EQ(bDegrees ? "[\xB0]" : "", textAt(pForm->ptUnit[i]));
        EXPECT_EQ("", textAt(pForm->ptHint[i])) << "hints are off";
    }
    for (const HostCall& call : calls(HOST_TEXTOUT))
        EXPECT_EQ(pForm->hFont, call.hFont) << call.strText;
    EXPECT_EQ(hFont, hostSelectedFont(hdc)) << "the surface's own font is back";
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), hostSelectedBrush(hdc));
    EXPECT_EQ(GetStockObject(BLACK_PEN), hostSelectedPen(hdc));
    EXPECT_EQ(0, hostGdiStats().nDeleteSelected);
    EXPECT_EQ(2, hostLiveObjects()) << "only the two program fonts";
}

TEST_F(FormPaint, HintsUnderTheirEditsWhenSwitchedOn)
{
    vMakeFonts();
    vLayOut(1024, 600);
    pForm->bShowHints = 1;
    vPaintForm(hdc, &ps);
    for (int i = Tas; i < INPUT_COUNT; i++) {
        SCOPED_TRACE(pForm->pszHint[i]);
        EXPECT_EQ(pForm->pszHint[i], textAt(pForm->ptHint[i]));
        EXPECT_EQ(pForm->ptEditPos[i].x, pForm->ptHint[i].x);
    }
}

TEST_F(FormPaint, NoBackgroundWithoutAPaintRecord)
{
    vMakeFonts();
    vLayOut(1024, 600);
    vPaintFormBack(hdc, NULL);
    EXPECT_TRUE(hostCalls(hdc).empty());
}

} // namespace
