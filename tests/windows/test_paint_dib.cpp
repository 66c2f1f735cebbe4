// The form and the diagram painted by the real GDI into a DIB section, and
// the pixels checked against where the layout and the solver put things.
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calc/solver.h"
#include "diagram/mapping.h"
#include "form/form_layout.h"
#include "paint_surface.h"
#include "text_boxes.h"
#include "support/fixture.h"
#include "support/surface_dc.h"
#include "support/worked_flight.h"

static const COLORREF kYellow = RGB(255, 255, 0);
static const COLORREF kWhite = RGB(255, 255, 255);
static const COLORREF kBlack = RGB(0, 0, 0);
static const COLORREF kBlue = RGB(0, 0, 255);
static const COLORREF kGreen = RGB(0, 255, 0);
static const COLORREF kRed = RGB(255, 0, 0);
static const COLORREF kGrey = RGB(178, 178, 178);

// How many pens the process can still create before GDI refuses: the free
// room in its object table. All of them are deleted again.
static int nGdiRoom(void)
{
    std::vector<HPEN> vecPens;
    for (HPEN hPen; (hPen = CreatePen(PS_SOLID, 1, 0)) != NULL;)
        vecPens.push_back(hPen);
    for (HPEN hPen : vecPens)
        DeleteObject(hPen);
    return (int)vecPens.size();
}

// A recorded text and its box, for failure messages.
static std::string strBox(const TextBox& text)
{
    return "\"" + text.strText + "\" at (" + std::to_string(text.rc.left) + ", " + std::to_string(text.rc.top) +
           ")-(" + std::to_string(text.rc.right) + ", " + std::to_string(text.rc.bottom) + ")";
}

class PaintDib : public AppFixture {
protected:
    void TearDown() override
    {
        if (bOpen)
            vCloseSurface(&surface);
        AppFixture::TearDown();
    }

    void vOpen(int nWidth, int nHeight)
    {
        vOpenSurface(&surface, nWidth, nHeight);
        bOpen = true;
    }

    // A logical point at compass direction dDeg, nLength from ptFrom.
    static POINT ptAlong(POINT ptFrom, double dDeg, double dLength)
    {
        double dRad = dDeg * 3.141592654 / 180.0;
        POINT pt = {(LONG)lround(ptFrom.x + sin(dRad) * dLength), (LONG)lround(ptFrom.y + cos(dRad) * dLength)};
        return pt;
    }

    // Expects colour c along the segment a-b (logical units), away from its
    // ends where other lines cross.
    void vExpectSegment(const char* pszName, POINT a, POINT b, COLORREF c)
    {
        for (double f : {0.35, 0.5, 0.65, 0.8}) {
            int x = (int)lround(a.x + (b.x - a.x) * f);
            int y = (int)lround(a.y + (b.y - a.y) * f);
            POINT pt = ptToDevice(&surface, x, y);
            EXPECT_TRUE(bColourNear(&surface, pt.x, pt.y, c, 2))
                << pszName << " at " << f << " of its length, pixel (" << pt.x << ", " << pt.y << ")";
        }
    }

    // The form font's cell height in client pixels, measured apart from
    // the layout.
    int nFormPixels() const
    {
        HDC hdc = CreateCompatibleDC(NULL);
        HGDIOBJ hOld = SelectObject(hdc, pForm->hFont);
        TEXTMETRICA tm;
        GetTextMetricsA(hdc, &tm);
        SelectObject(hdc, hOld);
        DeleteDC(hdc);
        return tm.tmHeight;
    }

    // Pixel height of a logical length on the diagram's mapping.
    int nDevicePixels(int nLogical) const
    {
        return ptToDevice(&surface, 0, -nLogical).y - ptToDevice(&surface, 0, 0).y;
    }

    // Right-most pixel that is not white in the band of rows y0 .. y0 + n - 1
    // at or right of x0; x0 - 1 when there is none.
    int nInkRight(int x0, int y0, int n) const
    {
        for (int x = surface.nWidth - 1; x >= x0; x--)
            for (int y = y0; y < y0 + n; y++)
                if (vPixel(&surface, x, y) != kWhite && vPixel(&surface, x, y) != CLR_INVALID)
                    return x;
        return x0 - 1;
    }

    // Device width of a value text in the font the paint drew the diagram
    // text with: the larger copy where one was made for this panel.
    int nValuePixels(const char* pszText) const
    {
        HFONT hFont = pDiagram->hReadableFont != NULL ? pDiagram->hReadableFont : pDiagram->hDiagramFont;
        return nDiagramTextPixelWidth(hFont, pszText);
    }

    void vClose()
    {
        vCloseSurface(&surface);
        bOpen = false;
    }

    PaintSurface surface;
    bool bOpen = false;
};

TEST_F(PaintDib, PanelsCircleAndLegendSamples)
{
    vTypeFlight();
    vOpen(1024, 768);
    vPaintSurface(&surface);

    const Box& rcForm = pForm->rcForm;
    EXPECT_EQ(kYellow, vPixel(&surface, rcForm.x + 1, rcForm.y + 1)) << "form panel, top-left";
    EXPECT_EQ(kYellow, vPixel(&surface, rcForm.x + rcForm.cx - 2, rcForm.y + rcForm.cy - 2))
        << "form panel, bottom-right";
    EXPECT_EQ(kWhite, vPixel(&surface, 1023, 2)) << "diagram panel, top-right";
    EXPECT_EQ(kWhite, vPixel(&surface, pForm->rcDiagram.x + 2, 384)) << "diagram panel, left edge";

    const POINT c = pDiagram->ptCenter;
    const int r = pDiagram->nRadius;
    ASSERT_EQ(1, pDiagram->bShowTriangle);
    for (int nDeg : {45, 135, 225, 315}) {
        POINT pt = ptAlong(c, nDeg, r);
        POINT d = ptToDevice(&surface, pt.x, pt.y);
        EXPECT_TRUE(bColourNear(&surface, d.x, d.y, kBlack, 2)) << "circle at " << nDeg << " degrees";
    }
    POINT ptTick = ptAlong(c, 90, r - pDiagram->nTick / 2);
    POINT d = ptToDevice(&surface, ptTick.x, ptTick.y);
    EXPECT_TRUE(bColourNear(&surface, d.x, d.y, kBlack, 1)) << "tick at 90 degrees";

    const COLORREF cLegend[3] = {kBlue, kGreen, kRed};
    for (int row = 0; row < 3; row++) {
        POINT pt = pDiagram->ptLegendMark[row];
        POINT dMid = ptToDevice(&surface, pt.x + pDiagram->nLegendLine / 2, pt.y);
        EXPECT_TRUE(bColourNear(&surface, dMid.x, dMid.y, cLegend[row], 1)) << "legend sample row " << row;
    }
}

TEST_F(PaintDib, TriangleSidesWhereTheSolverPutsThem)
{
    vTypeFlight();
    vOpen(1024, 768);
    vPaintSurface(&surface);

    double dWca, dTh, dGs;
    ASSERT_EQ(1, vGetWindTriangle(&dWca, &dTh, &dGs));
    const double dTas = 110, dWs = 20, dWindTo = 50, dTc = 85;
    const POINT c = pDiagram->ptCenter;
    const double L = pDiagram->nRadius - pDiagram->nTick;
    const double M = std::max({dTas, dWs, dGs});

    POINT ptWind = ptAlong(c, dWindTo, L * dWs / M);
    POINT ptGround = ptAlong(c, dTc, L * dGs / M);
    POINT ptAir = ptAlong(c, dTh, L * dTas / M);
    vExpectSegment("blue wind vector", c, ptWind, kBlue);
    vExpectSegment("green ground vector", c, ptGround, kGreen);
    vExpectSegment("red heading vector", c, ptAir, kRed);
    vExpectSegment("grey closing side", ptWind, ptGround, kGrey);
}

TEST_F(PaintDib, RepeatedPaintsLeakNothingAndRestoreTheContext)
{
    vTypeFlight();
    vOpen(1024, 768);
    HGDIOBJ hFont0 = GetCurrentObject(surface.hdc, OBJ_FONT);
    HGDIOBJ hPen0 = GetCurrentObject(surface.hdc, OBJ_PEN);
    HGDIOBJ hBrush0 = GetCurrentObject(surface.hdc, OBJ_BRUSH);
    vPaintSurface(&surface);
    EXPECT_EQ(hFont0, GetCurrentObject(surface.hdc, OBJ_FONT));
    EXPECT_EQ(hPen0, GetCurrentObject(surface.hdc, OBJ_PEN));
    EXPECT_EQ(hBrush0, GetCurrentObject(surface.hdc, OBJ_BRUSH));

    // GetGuiResources counts nothing under Wine, so count what is left:
    // how many more objects the process can still make. A paint that
    // leaks even one pen per paint takes 200 from that.
    int nRoomBefore = nGdiRoom();
    for (int i = 0; i < 200; i++)
        vPaintSurface(&surface);
    EXPECT_EQ(nRoomBefore, nGdiRoom()) << "GDI objects left behind by 200 paints";
}

// The diagram text must never come out smaller on screen than the form text,
// whatever the platform makes of a 12-unit font on a scaled mapping.
TEST_F(PaintDib, DiagramTextAtLeastAsTallAsFormText)
{
    vTypeFlight();
    const SIZE sizes[] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1600, 900}, {1920, 1200}};
    for (const SIZE& size : sizes) {
        vOpen(size.cx, size.cy);
        vPaintSurface(&surface);
        int nForm = nFormPixels();
        ASSERT_EQ(1, pDiagram->bShowDiagram) << size.cx << " x " << size.cy;
        EXPECT_GE(nDevicePixels(pDiagram->nCharHeight), nForm)
            << size.cx << " x " << size.cy << ": diagram font " << pDiagram->nCharHeight << " units";
        vClose();
    }
}

// Client sizes from small to large, down to narrow and low windows: the
// diagram text is as high as the form text (a pixel more at most), also
// where the mapping makes the font's own request smaller than a pixel and
// the platform substitutes a default size; the rose is drawn wherever the
// layout shows it; and each value of the results block is either drawn
// whole inside the client or, where the panel has no room for it, not at
// all. The white strip right of the client shows what runs past its edge.
TEST_F(PaintDib, ReadableTextRoseAndValuesAtEverySize)
{
    vTypeFlight();
    const char* const* pszValues = kWorkedFlightValues;
    const int nWidths[] = {300, 340, 380, 400, 420, 460, 500, 540, 580, 620, 660, 700, 800, 1016, 1280, 1600, 1920};
    const int nHeights[] = {120, 160, 200, 240, 300, 360, 420, 480, 540, 600, 660, 720, 900, 1200};
    const int kBeyond = 1200;
    int nSizes = 0, nRoseHidden = 0, nValuesLeftOut = 0;
    std::string strRoseHidden;
    for (int nWidth : nWidths) {
        for (int nHeight : nHeights) {
            SCOPED_TRACE(testing::Message() << nWidth << " x " << nHeight);
            vOpenWideSurface(&surface, nWidth, nHeight, kBeyond);
            bOpen = true;
            vPaintSurface(&surface);
            if (!pDiagram->bShowDiagram) {
                vClose();
                continue;
            }
            nSizes++;
            const int nForm = nFormPixels();
            const int nOwn = nDiagramPixelHeight(pDiagram->hDiagramFont);
            const int nDrawn = nDevicePixels(pDiagram->nCharHeight);
            EXPECT_GE(nDrawn, nForm) << "diagram text smaller than the form text; the font itself: " << nOwn;
            EXPECT_LE(nDrawn, nForm + 1) << "diagram text larger than the form text; the font itself: " << nOwn;
            if (nOwn >= nForm && nOwn <= nForm + 1) {
                EXPECT_EQ(nOwn, nDrawn) << "the font itself";
            }

            if (pDiagram->bShowTriangle) {
                for (int nDeg : {45, 135, 225, 315}) {
                    POINT pt = ptAlong(pDiagram->ptCenter, nDeg, pDiagram->nRadius);
                    POINT d = ptToDevice(&surface, pt.x, pt.y);
                    EXPECT_TRUE(bColourNear(&surface, d.x, d.y, kBlack, 2)) << "circle at " << nDeg << " degrees";
                }
            } else {
                nRoseHidden++;
                strRoseHidden += " " + std::to_string(nWidth) + "x" + std::to_string(nHeight);
            }

            for (int nRow = 0; nRow < LEGEND_ROWS; nRow++) {
                SCOPED_TRACE(testing::Message() << "row " << nRow << " \"" << pszValues[nRow] << "\"");
                POINT v = ptToDevice(&surface, pDiagram->ptLegendValue[nRow].x, pDiagram->ptLegendValue[nRow].y);
                if (v.y >= nHeight || v.y + nDrawn <= 0)
                    continue; // wholly outside the client: nothing to see
                int nTop = std::max(0, (int)v.y), nBottom = std::min(nHeight, (int)v.y + nDrawn);
                int nRight = nInkRight(v.x, nTop, nBottom - nTop);
                // The program decides in logical units, the check in pixels:
                // within a pixel of an edge either answer is right.
                auto bFitsWith = [&](int nSlack) {
                    return v.x >= nSlack && v.y >= nSlack && v.y + nDrawn <= nHeight - nSlack &&
                           v.x + nValuePixels(pszValues[nRow]) <= nWidth - nSlack;
                };
                if (bFitsWith(1)) {
                    EXPECT_GE(nRight, v.x) << "no value drawn where it fits";
                } else if (!bFitsWith(-1)) {
                    EXPECT_LT(nRight, v.x) << "a value drawn where it is cut";
                }
                EXPECT_LT(nRight, nWidth) << "the value runs off the client";
                nValuesLeftOut += nRight < v.x;
            }
            vClose();
        }
    }
    printf("%d sizes with the diagram: rose hidden at %d (%s); values left out for want of room: %d\n", nSizes,
           nRoseHidden, strRoseHidden.c_str(), nValuesLeftOut);
}

// At the window sizes pilots use, small to large, every value of the worked
// flight is drawn whole inside the client: beside its caption where there
// is room, else under it. Rows for other DPIs than the screen's are passed
// over (the suite runs at 96, 144 and 192).
TEST_F(PaintDib, EveryValueWholeAtSmallAndLargeSizes)
{
    HDC hScreen = GetDC(NULL);
    const int nDpi = GetDeviceCaps(hScreen, LOGPIXELSY);
    ReleaseDC(NULL, hScreen);
    vTypeFlight();
    const char* const* pszValues = kWorkedFlightValues;
    const struct {
        int nDpi, cx, cy;
    } rows[] = {
        {96, 400, 300}, {96, 460, 600}, {96, 640, 480},  {96, 1024, 768},  {144, 600, 450},
        {144, 1024, 768}, {192, 800, 600}, {192, 1024, 768}, {192, 1600, 1200},
    };
    const int kBeyond = 600;
    int nRows = 0;
    for (const auto& row : rows) {
        if (row.nDpi != nDpi)
            continue;
        nRows++;
        SCOPED_TRACE(testing::Message() << row.nDpi << " dpi, " << row.cx << " x " << row.cy);
        vOpenWideSurface(&surface, row.cx, row.cy, kBeyond);
        bOpen = true;
        vPaintSurface(&surface);
        ASSERT_EQ(1, pDiagram->bShowDiagram);
        const int nDrawn = nDevicePixels(pDiagram->nCharHeight);
        for (int nRow = 0; nRow < LEGEND_ROWS; nRow++) {
            SCOPED_TRACE(testing::Message() << "row " << nRow << " \"" << pszValues[nRow] << "\"");
            POINT v = ptToDevice(&surface, pDiagram->ptLegendValue[nRow].x, pDiagram->ptLegendValue[nRow].y);
            ASSERT_GE(v.x, 0);
            ASSERT_GE(v.y, 0);
            ASSERT_LE(v.y + nDrawn, row.cy) << "the value's line leaves the client";
            EXPECT_LE(v.x + nValuePixels(pszValues[nRow]), row.cx) << "no room for the value";
            int nRight = nInkRight(v.x, v.y, nDrawn);
            EXPECT_GT(nRight, v.x) << "no value drawn";
            EXPECT_LT(nRight, row.cx) << "the value runs off the client";
        }
        if (const char* pszDir = getenv("KL_E2E_SHOTS")) {
            char szPath[MAX_PATH];
            snprintf(szPath, sizeof(szPath), "%s\\paint%d_%dx%d.bmp", pszDir, row.nDpi, row.cx, row.cy);
            vSaveSurfaceBmp(&surface, szPath);
        }
        vClose();
    }
    if (nRows == 0)
        GTEST_SKIP() << "no sizes for " << nDpi << " dpi";
}

// The smallest client the window allows at this screen's DPI.
static SIZE sizeSmallest(void)
{
    PaintSurface surface;
    vOpenSurface(&surface, 1024, 768);
    SIZE size = {0, 0};
    EXPECT_EQ(1, vMinClientSize(&size));
    vCloseSurface(&surface);
    return size;
}

// The smallest value and those of pnSteps above it.
static std::vector<int> vecFrom(int nSmallest, const std::vector<int>& vecSteps)
{
    std::vector<int> vec = {nSmallest};
    for (int n : vecSteps)
        if (n > nSmallest)
            vec.push_back(n);
    return vec;
}

// From the smallest window up to a full-HD one, for a whole flight, two
// prompts and an unflyable course: no two texts the diagram panel draws
// share a pixel. The rose goes where its labels would run into each other.
TEST_F(PaintDib, NoTwoTextsOfThePanelOverlap)
{
    ASSERT_EQ(1, bRecordTexts());
    const struct {
        const char* pszName;
        int id;            // input left empty after the worked flight, or -1
        const char* pszWs; // wind speed typed instead of the worked flight's, or null
    } flights[] = {
        {"worked flight", -1, NULL},
        {"airspeed missing", Tas, NULL},
        {"deviation missing", Deviation, NULL},
        {"course not flyable", -1, "300"},
    };
    const SIZE sizeMin = sizeSmallest();
    const std::vector<int> vecWidths =
        vecFrom(sizeMin.cx, {360, 400, 440, 500, 560, 600, 640, 700, 800, 900, 1024, 1280, 1600, 1920});
    const std::vector<int> vecHeights =
        vecFrom(sizeMin.cy, {240, 280, 300, 340, 400, 450, 480, 540, 600, 700, 768, 900, 1080});
    std::vector<SIZE> vecSizes;
    for (int nWidth : vecWidths)
        for (int nHeight : vecHeights)
            vecSizes.push_back(SIZE{nWidth, nHeight});
    // Clients below the smallest window: the panel is painted there all the
    // same (a window of an older build, a page), and before the rose gave
    // way to its labels it printed them on top of each other at these
    // sizes, at 96, 144 and 192 DPI in turn.
    for (SIZE size : {SIZE{400, 280}, SIZE{600, 450}, SIZE{800, 600}})
        vecSizes.push_back(size);
    int nPainted = 0;
    for (const auto& flight : flights) {
        vTypeFlight();
        if (flight.id >= 0)
            vType(flight.id, "");
        if (flight.pszWs != NULL)
            vType(WindSpeed, flight.pszWs);
        for (SIZE size : vecSizes) {
            SCOPED_TRACE(testing::Message() << flight.pszName << ", " << size.cx << " x " << size.cy);
            vOpen(size.cx, size.cy);
            vecTakeTexts();
            vPaintSurface(&surface);
            std::vector<TextBox> vecPanel;
            for (const TextBox& text : vecTakeTexts())
                if (text.rc.left >= pForm->nFormWidth)
                    vecPanel.push_back(text);
            nPainted += pDiagram->bShowDiagram;
            for (size_t i = 0; i < vecPanel.size(); i++)
                for (size_t j = i + 1; j < vecPanel.size(); j++)
                    EXPECT_FALSE(bOverlap(vecPanel[i].rc, vecPanel[j].rc))
                        << strBox(vecPanel[i]) << " and " << strBox(vecPanel[j]);
            vClose();
        }
    }
    EXPECT_GT(nPainted, 0) << "no size showed the diagram";
}

// In the smallest window, every field and unit box lies inside the client,
// and the worked flight's title, seven captions (in full) and seven values
// are drawn whole inside it; so are the prompt and the unflyable notice.
TEST_F(PaintDib, SmallestWindowShowsEverythingWhole)
{
    ASSERT_EQ(1, bRecordTexts());
    const SIZE sizeMin = sizeSmallest();
    const struct {
        const char* pszName;
        int id;
        const char* pszWs;
        int nValues; // values, and the prompt or notice, drawn
    } flights[] = {
        {"worked flight", -1, NULL, LEGEND_ROWS},
        {"airspeed missing: the prompt", Tas, NULL, 1},
        {"deviation missing: four values, the prompt", Deviation, NULL, 5},
        {"fuel flow missing: six values, the prompt", FuelFlow, NULL, 7},
        {"course not flyable: wind, course, notice", -1, "300", 3},
    };
    for (const auto& flight : flights) {
        SCOPED_TRACE(testing::Message() << flight.pszName << ", " << sizeMin.cx << " x " << sizeMin.cy);
        vTypeFlight();
        if (flight.id >= 0)
            vType(flight.id, "");
        if (flight.pszWs != NULL)
            vType(WindSpeed, flight.pszWs);
        vOpen(sizeMin.cx, sizeMin.cy);
        vecTakeTexts();
        vPaintSurface(&surface);
        ASSERT_EQ(1, pDiagram->bShowDiagram);
        for (int i = 0; i < INPUT_COUNT; i++) {
            SCOPED_TRACE(testing::Message() << "input " << i);
            EXPECT_LE(pForm->ptEditPos[i].y + pForm->sizeEdit[i].cy, sizeMin.cy) << "field";
            if (vHasUnitChoice(i)) {
                EXPECT_LE(pForm->ptUnit[i].x + pForm->sizeUnit[i].cx, pForm->nFormWidth) << "unit box";
            }
            if (i > 0) {
                EXPECT_GE(pForm->ptEditPos[i].y, pForm->ptEditPos[i - 1].y + pForm->sizeEdit[i - 1].cy)
                    << "fields on each other";
            }
        }
        int nCaptions = 0, nValues = 0;
        RECT rcClient = {0, 0, sizeMin.cx, sizeMin.cy};
        std::string strDrawn;
        for (const TextBox& text : vecTakeTexts()) {
            strDrawn += "\n  " + strBox(text);
            RECT rcInside;
            EXPECT_TRUE(IntersectRect(&rcInside, &text.rc, &rcClient) && EqualRect(&rcInside, &text.rc))
                << strBox(text) << " is not whole inside the client";
            if (text.rc.left < pForm->nFormWidth)
                continue;
            for (int nRow = 0; nRow < LEGEND_ROWS; nRow++)
                nCaptions += text.strText == pDiagram->pszLegend[nRow];
            nValues += text.strText[0] == ':'; // values, prompts and the notice
        }
        EXPECT_EQ(LEGEND_ROWS, nCaptions) << "captions drawn in full";
        EXPECT_EQ(flight.nValues, nValues) << "values drawn:" << strDrawn;
        if (const char* pszDir = getenv("KL_E2E_SHOTS")) {
            char szPath[MAX_PATH];
            snprintf(szPath, sizeof(szPath), "%s\\smallest_%d_%s.bmp", pszDir, (int)sizeMin.cy,
                     std::string(flight.pszName).substr(0, 8).c_str());
            vSaveSurfaceBmp(&surface, szPath);
        }
    }
}

// The program's fonts are made for the screen's pixels per inch. At 96, the
// size they were designed for, the paint must be byte for byte the one of
// the fixed request ("Helv", 12, nothing else), which is painted here as the
// reference; at any other DPI the fonts and so the paint differ from it.
TEST_F(PaintDib, FontsFollowTheScreenDpiAndPaintAsBeforeAt96)
{
    HDC hScreen = GetDC(NULL);
    const int nDpi = GetDeviceCaps(hScreen, LOGPIXELSY);
    ReleaseDC(NULL, hScreen);
    if (const char* pszExpect = getenv("KL_EXPECT_DPI")) {
        ASSERT_EQ(atoi(pszExpect), nDpi) << "the Wine prefix does not give the DPI it was set to";
    }
    const int nHeight = (int)(12 * nDpi / 96.0 + 0.5);
    vTypeFlight();

    const SIZE sizes[] = {{640, 480}, {1024, 768}, {1600, 900}};
    for (const SIZE& size : sizes) {
        SCOPED_TRACE(testing::Message() << nDpi << " dpi, " << size.cx << " x " << size.cy);
        vOpen(size.cx, size.cy);
        for (HFONT hFont : {pForm->hFont, pDiagram->hDiagramFont}) {
            LOGFONTA lf;
            ASSERT_EQ((int)sizeof(lf), GetObjectA(hFont, sizeof(lf), &lf));
            EXPECT_EQ(nHeight, lf.lfHeight);
        }
        vPaintSurface(&surface);
        std::vector<DWORD> vecProgram(surface.pPixels, surface.pPixels + size.cx * size.cy);
        vClose();

        vOpen(size.cx, size.cy);
        DeleteObject(pForm->hFont);
        vDeleteDiagramFont();
        pForm->hFont = hHelvFont(12);
        pDiagram->hDiagramFont = hHelvFont(12);
        pForm->nClientHeight = size.cy + 1; // lay out again with these fonts
        vFormLayout(surface.hWnd);
        pForm->nClientHeight = size.cy;
        vFormLayout(surface.hWnd);
        vDiagramLayout(surface.hWnd);
        vPaintSurface(&surface);
        std::vector<DWORD> vecReference(surface.pPixels, surface.pPixels + size.cx * size.cy);
        vClose();

        size_t nDiffer = 0;
        for (size_t i = 0; i < vecProgram.size(); i++)
            nDiffer += vecProgram[i] != vecReference[i];
        if (nDpi == 96)
            EXPECT_EQ(0u, nDiffer) << "pixels that differ from the reference paint";
        else
            EXPECT_GT(nDiffer, 0u) << "the paint must show the larger fonts";
    }
}

// A figure, not a pass/fail test: the median time of one full paint. Run it
// with --gtest_also_run_disabled_tests --gtest_filter=*FullPaintTiming.
TEST_F(PaintDib, DISABLED_FullPaintTiming)
{
    vTypeFlight();
    vOpen(1024, 768);
    LARGE_INTEGER liFreq;
    QueryPerformanceFrequency(&liFreq);
    std::vector<double> vecMicros;
    for (int i = 0; i < 300; i++) {
        LARGE_INTEGER li0, li1;
        QueryPerformanceCounter(&li0);
        vPaintSurface(&surface);
        QueryPerformanceCounter(&li1);
        vecMicros.push_back((li1.QuadPart - li0.QuadPart) * 1e6 / liFreq.QuadPart);
    }
    std::sort(vecMicros.begin(), vecMicros.end());
    printf("full paint into a 1024 x 768 DIB section: median %.0f us (min %.0f, max %.0f) over %zu paints\n",
           vecMicros[vecMicros.size() / 2], vecMicros.front(), vecMicros.back(), vecMicros.size());
}
