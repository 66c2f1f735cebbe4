// The diagram panel's mapping numbers, the isotropic mapping they give on a
// real or recording surface, the per-paint layout switches, and the rule
// that diagram text is never smaller in pixels than the form text.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include "diagram/draw.h"
#include "diagram/mapping.h"
#include "form/form_layout.h"
#include "support/fixture.h"
#include "support/surface_dc.h"

namespace {

class DiagramMapping : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        hdc = hTestDC();
        ASSERT_NE(nullptr, hdc);
        pDiagram->hDiagramFont = hHelvFont(12);
        pForm->hFont = hHelvFont(12);
        hOriginalFont = SelectObject(hdc, GetStockObject(SYSTEM_FONT));
        SelectObject(hdc, hOriginalFont);
    }
    void TearDown() override
    {
        vFreeTestDC(hdc);
        vDeleteDiagramFont();
        DeleteObject(pForm->hFont);
        AppFixture::TearDown();
    }

    void vPanel(int nWidth, int nHeight, int nFormWidth)
    {
        pForm->nClientWidth = nWidth;
        pForm->nClientHeight = nHeight;
        pForm->nFormWidth = nFormWidth;
        vDiagramLayout(NULL);
    }

    POINT ptDevice(int x, int y)
    {
        POINT pt = {x, y};
        LPtoDP(hdc, &pt, 1);
        return pt;
    }

    int nPixels(int nLogical)
    {
        POINT pts[2] = {{0, 0}, {0, nLogical}};
        LPtoDP(hdc, pts, 2);
        return abs(pts[1].y - pts[0].y);
    }

    // Lays the form out (measuring the form font) whatever height it saw last.
    void vLayOutForm()
    {
        pForm->nClientHeight = 601;
        vFormLayout(NULL);
        pForm->nClientHeight = 600;
        ASSERT_EQ(1, vFormLayout(NULL));
    }

    HDC hdc = nullptr;
    HGDIOBJ hOriginalFont = nullptr;
};

TEST_F(DiagramMapping, WorkedPanelsMapCornersToPixels)
{
    struct Corner {
        int x, y, nDevX, nDevY;
    };
    struct {
        const char* pszName;
        int nWidth, nHeight;
        POINT ptWindowExt, ptViewportExt, ptViewportOrg;
        int nFormWidthLog;
        Corner corners[4];
    } rows[] = {
        {"800 x 500, landscape", 800, 500, {1600, 1000}, {400, -250}, {550, 250}, 1200,
         {{-1000, 1000, 300, 0}, {1000, -1000, 800, 500}, {0, 0, 550, 250}, {-2200, 1000, 0, 0}}},
        {"600 x 900, portrait", 600, 900, {2000, 3000}, {300, -450}, {450, 450}, 2000,
         {{-1000, 3000, 300, 0}, {0, 1000, 450, 300}, {0, -1000, 450, 600}, {1000, -3000, 600, 900}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        vPanel(row.nWidth, row.nHeight, 300);
        EXPECT_EQ(1, pDiagram->bShowDiagram);
        EXPECT_EQ(row.ptWindowExt.x, pDiagram->ptWindowExt.x);
        EXPECT_EQ(row.ptWindowExt.y, pDiagram->ptWindowExt.y);
        EXPECT_EQ(row.ptViewportExt.x, pForm->ptViewportExt.x);
        EXPECT_EQ(row.ptViewportExt.y, pForm->ptViewportExt.y);
        EXPECT_EQ(row.ptViewportOrg.x, pForm->ptViewportOrg.x);
        EXPECT_EQ(row.ptViewportOrg.y, pForm->ptViewportOrg.y);
        EXPECT_EQ(row.nFormWidthLog, pDiagram->nFormWidthLog);
        EXPECT_EQ(300, pForm->rcDiagram.x);
        EXPECT_EQ(row.nWidth - 300, pForm->rcDiagram.cx);

        vSetDiagramMapping(hdc);
        for (const Corner& c : row.corners) {
            POINT pt = ptDevice(c.x, c.y);
            EXPECT_EQ(c.nDevX, pt.x) << "logical (" << c.x << ", " << c.y << ")";
            EXPECT_EQ(c.nDevY, pt.y) << "logical (" << c.x << ", " << c.y << ")";
        }
        vEndDiagramMapping(hdc);
        SetMapMode(hdc, MM_TEXT);
    }
}

TEST_F(DiagramMapping, PanelsTooSmallOrExtentsOutOfRangeSwitchTheDiagramOff)
{
    struct {
        const char* pszName;
        int nWidth, nHeight, nFormWidth;
        int bShow;
    } rows[] = {
        {"minimised, 0 x 0", 0, 0, 300, 0},
        {"panel width 0", 300, 400, 300, 0},
        {"panel width 1", 301, 400, 300, 0},
        {"panel width 2", 12, 20, 10, 1},
        {"height 1", 800, 1, 300, 0},
        {"height 20, width 655: extent 32750", 655, 20, 300, 1},
        {"height 20, width 656: extent 32800", 656, 20, 300, 0},
        {"height 500, width 16383: extent 32766, the largest", 16383, 500, 300, 1},
        {"narrow and tall: y extent beyond 32766", 310, 400, 300, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        pDiagram->ptWindowExt.x = 4711;
        vPanel(row.nWidth, row.nHeight, row.nFormWidth);
        EXPECT_EQ(row.bShow, pDiagram->bShowDiagram);
        EXPECT_EQ(1, pDiagram->bShowTriangle);
        EXPECT_EQ(1, pDiagram->bShowResults);
        if (row.nWidth - row.nFormWidth <= 1 || row.nHeight <= 1) {
            EXPECT_EQ(4711, pDiagram->ptWindowExt.x) << "no quotient for an unusable panel";
        }
    }
    vPanel(655, 20, 300);
    EXPECT_EQ(32750, pDiagram->ptWindowExt.x);
}

// What fits, and where, follows from the character height (and the width
// where the labels beside the rose need more room than those above and
// below it); a panel taller than wide (T above 1000) widens the band, but
// the rose stays in the square.
TEST_F(DiagramMapping, CharacterHeightDecidesWhatFits)
{
    struct {
        const char* pszName;
        int T, h, w;
        int bTitle, bTriangle;
        int nRadius, nCentreY;
        int nPitch; // legend rows apart
    } rows[] = {
        {"h 40: pitch 62 capped at one and a half lines", 1000, 40, 20, 1, 1, 620, 150, 60},
        {"h 23, w 10: labels need 7 w, 244 / 7 = 34 below the cap of 35", 1000, 23, 10, 1, 1, 786, 87, 34},
        {"h 96: band 512, the rose just fits", 1000, 96, 20, 1, 1, 112, 360, 144},
        {"h 97: band 496, no rose", 1000, 97, 20, 1, 0, 500, 0, 146},
        {"h 96, w 70: band 512, but a radius of 11 puts the labels on each other", 1000, 96, 70, 1, 0, 500, 0, 144},
        {"h 96, w 60: band 512, radius 46, labels clear", 1000, 96, 60, 1, 1, 46, 360, 144},
        {"h 129: crowded, 1355 / 7 = 193 below the cap of 194", 1000, 129, 20, 1, 0, 500, 0, 193},
        {"taller than wide: band 5380 lowered to the square's 2000", 3000, 40, 20, 1, 1, 930, 150, 60},
        {"h 130: no title either", 1000, 130, 20, 0, 0, 500, 0, 195},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        pDiagram->ptWindowExt.y = row.T;
        pDiagram->nCharWidth = row.w;
        pDiagram->nCharHeight = row.h;
        vLayoutDiagram(hdc);
        EXPECT_EQ(row.bTitle, pDiagram->bShowTitle);
        EXPECT_EQ(row.bTriangle, pDiagram->bShowTriangle);
        EXPECT_EQ(1, pDiagram->bShowResults);
        EXPECT_EQ(row.nRadius, pDiagram->nRadius);
        EXPECT_EQ(row.nRadius / 10, pDiagram->nTick);
        EXPECT_EQ(0, pDiagram->ptCenter.x);
        EXPECT_EQ(row.nCentreY, pDiagram->ptCenter.y);
        EXPECT_EQ(row.T - row.h, pDiagram->ptTitle.y);
        // The bottom row a line and a pitch above the client's bottom edge,
        // the top row six pitches above the bottom row.
        EXPECT_EQ(row.h - row.T + row.nPitch, pDiagram->ptLegendLabel[LEGEND_ROWS - 1].y);
        EXPECT_EQ(row.h - row.T + LEGEND_ROWS * row.nPitch, pDiagram->ptLegendLabel[0].y);
    }
    // The last row, h = 130: both off, the legend pitch is one and a half lines.
    for (int nRow = 0; nRow < LEGEND_ROWS; nRow++) {
        SCOPED_TRACE(nRow);
        EXPECT_EQ(495 - 195 * nRow, pDiagram->ptLegendLabel[nRow].y);
        EXPECT_EQ(pDiagram->ptLegendLabel[nRow].y - 65, pDiagram->ptLegendMark[nRow].y);
        EXPECT_EQ(20 - 1000, pDiagram->ptLegendMark[nRow].x);
        EXPECT_EQ(20 - 1000 + 80 + 20, pDiagram->ptLegendLabel[nRow].x);
    }
}

// A value with no room beside its caption puts every value on the line
// under its caption: rows are then at least two lines apart and at most two
// and a half, and each value stands a line under its caption's top.
TEST_F(DiagramMapping, ValuesUnderTheirCaptionsTakeTwoLinesARow)
{
    struct {
        const char* pszName;
        int h;
        int nPitch;
    } rows[] = {
        {"h 40: (760 - 40) / 7 = 102, capped at two and a half lines", 40, 100},
        {"h 130: rose and title off, (2000 - 130) / 7 = 267 between the bounds", 130, 267},
        {"h 140: (2000 - 140) / 7 = 265, raised to two lines", 140, 280},
    };
    pDiagram->ptWindowExt = POINT{1000, 1000};
    pDiagram->nFormWidthLog = 0; // the client's right edge at x = 1000
    snprintf(pDiagram->results.szValue[0], RESULT_TEXT_SIZE, ": %0400d [l]", 6);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        pDiagram->nCharWidth = 20;
        pDiagram->nCharHeight = row.h;
        vLayoutDiagram(hdc);
        ASSERT_EQ(1, pDiagram->bValuesBelow);
        for (int nRow = 0; nRow < LEGEND_ROWS; nRow++) {
            SCOPED_TRACE(nRow);
            EXPECT_EQ(row.h - 1000 + (LEGEND_ROWS - nRow) * row.nPitch, pDiagram->ptLegendLabel[nRow].y);
            EXPECT_EQ(pDiagram->ptLegendLabel[nRow].y - row.h, pDiagram->ptLegendValue[nRow].y);
        }
    }
}

TEST_F(DiagramMapping, DiagramTextIsNeverSmallerThanTheFormText)
{
    vLayOutForm();
    ASSERT_GT(pForm->nFormFontHeight, 0);

    struct {
        const char* pszName;
        int nWidth, nHeight;
    } rows[] = {
        {"small panel, 0.25 pixel per unit", 800, 500},
        {"tiny panel, 0.05 pixel per unit", 400, 100},
        {"large panel, 1.2 pixels per unit", 3300, 2400},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        vPanel(row.nWidth, row.nHeight, 300);
        ASSERT_EQ(1, pDiagram->bShowDiagram);
        vSetDiagramMapping(hdc);
        EXPECT_GE(nPixels(pDiagram->nCharHeight), pForm->nFormFontHeight);
        SIZE size = {0, 0};
        ASSERT_TRUE(vTextExtent(hdc, "Flugnavigation", &size));
        EXPECT_GE(nPixels(size.cy), pForm->nFormFontHeight);
        vEndDiagramMapping(hdc);
        // The surface holds its own font again.
        EXPECT_EQ(hOriginalFont, SelectObject(hdc, hOriginalFont));
        SetMapMode(hdc, MM_TEXT);
    }
}

// The larger copy is made once for a panel scale and kept between paints
// (so the platform keeps its rendered glyphs); a new scale replaces it.
TEST_F(DiagramMapping, ReadableCopyKeptUntilTheScaleChanges)
{
    vLayOutForm();
    vPanel(800, 500, 300);
    vSetDiagramMapping(hdc);
    vEndDiagramMapping(hdc);
    HFONT hFirst = pDiagram->hReadableFont;
    ASSERT_NE(nullptr, hFirst) << "12 units are 3 pixels here";

    vSetDiagramMapping(hdc);
    EXPECT_EQ(hFirst, SelectObject(hdc, hOriginalFont)) << "the kept copy is what the second paint draws with";
    SelectObject(hdc, hFirst);
    vEndDiagramMapping(hdc);
    EXPECT_EQ(hFirst, pDiagram->hReadableFont);

    vPanel(1024, 768, 300);
    vSetDiagramMapping(hdc);
    vEndDiagramMapping(hdc);
    ASSERT_NE(nullptr, pDiagram->hReadableFont);
    EXPECT_NE(hFirst, pDiagram->hReadableFont);
    LOGFONTA lf;
    EXPECT_EQ(0, GetObjectA(hFirst, sizeof(lf), &lf)) << "the copy for the old scale is deleted";
    EXPECT_GE(nPixels(pDiagram->nCharHeight), pForm->nFormFontHeight);
}

// What the platform makes of a "Helv" height on a scaled surface, measured
// under Wine: whole-pixel cells, the request through the mapping truncated,
// some cell heights skipped (12) and some made twice (24). The host's model
// of that font must give the same cells.
TEST_F(DiagramMapping, FontCellsComeInTheWholePixelsOfThePlatform)
{
#ifndef _WIN32
    hostSetCreatedFontModel(hostWineOutlineModel());
#endif
    struct {
        int nViewport; // pixels per 1000 units; 0: MM_TEXT
        int nRequest;
        int nPixels;
    } rows[] = {
        {0, 11, 10}, {0, 12, 11}, {0, 13, 13}, {0, 17, 18}, {0, 24, 24}, {0, 25, 24},
        {700, 18, 11},  // 12.6 pixels asked for: 12, which comes out 11
        {700, 19, 13},  // 13.3: 13
        {137, 14, 1},   // 1.9: 1
        {137, 22, 4},   // 3.01: 3, which comes out 4
        {200, 54, 10},  // 10.8: 10
        {200, 68, 13},  // 13.6: 13
        {555, 22, 11},  // 12.2: 12, which comes out 11
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.nViewport << " pixels per 1000 units, height " << row.nRequest);
        if (row.nViewport > 0) {
            SetMapMode(hdc, MM_ISOTROPIC);
            SetWindowExtEx(hdc, 1000, 1000, NULL);
            SetViewportExtEx(hdc, row.nViewport, -row.nViewport, NULL);
        }
        HFONT hFont = hHelvFont(row.nRequest);
        HGDIOBJ hOld = SelectObject(hdc, hFont);
        TEXTMETRICA tm;
        ASSERT_TRUE(GetTextMetricsA(hdc, &tm));
        EXPECT_EQ(row.nPixels, nPixels(tm.tmHeight));
        SelectObject(hdc, hOld);
        DeleteObject(hFont);
        SetMapMode(hdc, MM_TEXT);
    }
#ifndef _WIN32
    hostSetCreatedFontModel(hostFontModel(12, 5, 0, 0));
#endif
}

TEST_F(DiagramMapping, LargePanelKeepsTheRequestedFont)
{
    vLayOutForm();
    vPanel(3300, 2400, 300);
    vSetDiagramMapping(hdc);
    EXPECT_EQ(nullptr, pDiagram->hReadableFont) << "12 units are 14 pixels here: no larger copy needed";
    EXPECT_EQ(pDiagram->hDiagramFont, SelectObject(hdc, hOriginalFont));
    SelectObject(hdc, pDiagram->hDiagramFont);
    vEndDiagramMapping(hdc);
}

} // namespace
