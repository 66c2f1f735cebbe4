// The form layout with known metrics: a default font 7 wide with a line of
// 16, a scroll bar of 17, and form texts 6 pixels per character and 12 high.
#include <string.h>

#include <algorithm>

#include "diagram/draw.h"
#include "form/form_layout.h"
#include "support/recording.h"

namespace {

class FormLayout : public Recorded {
protected:
    void SetUp() override
    {
        Recorded::SetUp();
        hostSetDefaultFont(hostFontModel(14, 7, 2, 0));
        hostSetCreatedFontModel(hostFontModel(12, 6, 0, 0));
        vMakeFonts();
    }
};

// Widths in the 6-pixel form font: the longest label " 3. Fluggeschwindigkeit
// (TAS)" is 174, the place labels 72 and 66, the variation hint 126. In a
// font that wide a value field is wider than six default characters (42):
// "-000.000" (48) and a character on either side; a unit box holds "[l/min]"
// (42) the same way, beside a scroll bar of 17; the other boxes keep seven
// default characters (66).
const int kAll = 174, kPlace = 72, kGap = 4, kValueEdit = 48 + 2 * 6, kFuelUnitBox = 17 + 42 + 2 * 6;

TEST_F(FormLayout, SizesAndColumnsOfTheWorkedExample)
{
    vLayOut(1024, 600);
    EXPECT_EQ(7, pForm->nSysCharWidth);
    EXPECT_EQ(16, pForm->nSysLineHeight);
    EXPECT_EQ(12, pForm->nFormFontHeight);
    EXPECT_EQ(1, pForm->bFormLaidOut);
    // The widest rows are those with a unit box.
    EXPECT_EQ(kAll + 4 * kGap + kValueEdit + kFuelUnitBox, pForm->nFormWidth);
    EXPECT_EQ(1, pForm->rcForm.x);
    EXPECT_EQ(1, pForm->rcForm.y);
    EXPECT_EQ(pForm->nFormWidth, pForm->rcForm.cx);
    EXPECT_EQ(598, pForm->rcForm.cy);

    for (int i = 0; i < INPUT_COUNT; i++) {
        SCOPED_TRACE(pForm->pszLabel[i]);
        bool bPlace = i == Departure || i == Destination;
        int nLabels = bPlace ? kPlace : kAll;
        EXPECT_EQ(24, pForm->sizeEdit[i].cy);
        if (bPlace) {
            // Stretched to one gap short of the panel's right edge.
            EXPECT_EQ(pForm->nFormWidth - (kPlace + 3 * kGap), pForm->sizeEdit[i].cx);
            EXPECT_EQ(1 + pForm->nFormWidth - kGap, pForm->ptEditPos[i].x + pForm->sizeEdit[i].cx);
        } else {
            EXPECT_EQ(kValueEdit, pForm->sizeEdit[i].cx);
        }
        if (vHasUnitChoice(i)) {
            EXPECT_EQ(i == FuelFlow ? kFuelUnitBox : 66, pForm->sizeUnit[i].cx);
            EXPECT_EQ(72, pForm->sizeUnit[i].cy);
            EXPECT_EQ(pForm->ptEditPos[i].y, pForm->ptUnit[i].y);
        } else {
            EXPECT_EQ(pForm->ptEditPos[i].y + 6, pForm->ptUnit[i].y) << "unit text centred";
        }
        EXPECT_EQ(1 + kGap, pForm->ptLabel[i].x);
        EXPECT_EQ(1 + 2 * kGap + nLabels, pForm->ptEditPos[i].x);
        EXPECT_EQ(pForm->ptEditPos[i].x, pForm->ptHint[i].x);
        EXPECT_EQ(1 + 3 * kGap + nLabels + pForm->sizeEdit[i].cx, pForm->ptUnit[i].x);
        EXPECT_EQ(pForm->ptEditPos[i].y + 6, pForm->ptLabel[i].y) << "label centred on the edit";
        EXPECT_EQ(pForm->ptEditPos[i].y + 24, pForm->ptHint[i].y);
    }
    EXPECT_EQ(174, pForm->sizeLabel[Tas].cx);
    EXPECT_EQ(18, pForm->sizeUnit[WindDir].cx);
}

TEST_F(FormLayout, RowsShareTheHeight)
{
    struct {
        int nHeight;
        int nFirst, nPitch;
    } rows[] = {
        {600, 37, 53}, // T 36
        {242, 1, 24},  // T 0 stays 0: the edits touch
        {200, 2, 20},  // T -3 becomes 1: edits overlap by 4
        {0, 2, 0},     // minimised: all rows stacked
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "client height " << row.nHeight);
        vLayOut(row.nHeight ? 1024 : 0, row.nHeight);
        for (int i = 0; i < INPUT_COUNT; i++)
            EXPECT_EQ(row.nFirst + i * row.nPitch, pForm->ptEditPos[i].y) << "row " << i;
        EXPECT_EQ(row.nHeight - 2, pForm->rcForm.cy);
    }
    EXPECT_EQ(0, pDiagram->bShowDiagram) << "0 x 0 switches the diagram off";
}

TEST_F(FormLayout, SameHeightAgainChangesNothing)
{
    vLayOut(1024, 600);
    FormState before;
    memcpy(&before, pForm, sizeof(before));
    pForm->nClientWidth = 500;
    EXPECT_EQ(0, vFormLayout(NULL));
    pForm->nClientWidth = 1024;
    EXPECT_EQ(0, memcmp(&before, pForm, sizeof(before)));
    pForm->nClientHeight = 601;
    EXPECT_EQ(1, vFormLayout(NULL));
}

TEST_F(FormLayout, MeasuringLeavesNoObjectSelectedOrMade)
{
    int nLive = hostLiveObjects();
    vLayOut(1024, 600);
    HostGdiStats stats = hostGdiStats();
    EXPECT_EQ(0, stats.nDirtyRelease) << "the form font is deselected before the DC goes back";
    EXPECT_EQ(0, stats.nBadHandle);
    EXPECT_EQ(nLive, hostLiveObjects());
}

TEST_F(FormLayout, LabelTallerThanItsEditSitsAboveIt)
{
    hostSetCreatedFontModel(hostFontModel(30, 6, 0, 0));
    pForm->hFont = hHelvFont(30);
    vLayOut(1024, 600);
    // (24 - 30) x 0.5 = -3, plus 0.5 truncated toward zero: -2.
    EXPECT_EQ(pForm->ptEditPos[Tas].y - 2, pForm->ptLabel[Tas].y);
}

// The program's fonts are made for the screen's pixels per inch (96 is the
// size they were designed at); a screen that gives no answer counts as 96.
// The form measures what it got, so its label column widens with the font.
TEST_F(FormLayout, TextFontsFollowTheScreenDpi)
{
    struct {
        int nDpi;
        int nHeight; // 12 x dpi / 96, rounded
    } rows[] = {
        {96, 12}, {120, 15}, {144, 18}, {192, 24}, {100, 13} /* 12.5 */, {0, 12},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.nDpi << " dpi");
        TearDown();
        SetUp();
        hostSetScreenDpi(row.nDpi);
        DeleteObject(pForm->hFont);
        DeleteObject(pDiagram->hDiagramFont);
        vMakeFonts();
        // Everything but the height and the face is left 0 (the platform's
        // defaults: normal weight, default character set and quality).
        LOGFONTA lfWant;
        memset(&lfWant, 0, sizeof(lfWant));
        lfWant.lfHeight = row.nHeight;
        strcpy(lfWant.lfFaceName, "Helv");
        for (HFONT hFont : {pForm->hFont, pDiagram->hDiagramFont}) {
            LOGFONTA lf;
            ASSERT_EQ((int)sizeof(lf), GetObjectA(hFont, sizeof(lf), &lf));
            EXPECT_EQ(row.nHeight, lf.lfHeight);
            EXPECT_STREQ("Helv", lf.lfFaceName);
            EXPECT_EQ(0, memcmp(&lfWant, &lf, sizeof(lf))) << "a field besides height and face is set";
        }
        vLayOut(1024, 600);
        EXPECT_EQ(row.nHeight, pForm->nFormFontHeight);
        EXPECT_EQ((int)(kAll * row.nHeight / 12.0 + 0.5), pForm->sizeLabel[Tas].cx);
        for (int i = 0; i < INPUT_COUNT; i++)
            EXPECT_LT(pForm->ptLabel[i].x + pForm->sizeLabel[i].cx, pForm->ptEditPos[i].x) << "row " << i;
    }
}

// At a higher DPI Wine's default font grows in height but reports the same
// average width; the fields, unit boxes and gaps grow with the line instead.
TEST_F(FormLayout, SpacingGrowsWithTheDefaultFontsHeight)
{
    struct {
        const char* pszWhat;
        int nHeight, nAveWidth, nLeading;
        int nCharWidth; // what the layout takes as the default character width
        int nFormWidth; // the widest row: the fuel flow's, whose field and box hold their texts
    } rows[] = {
        {"96 dpi: the fuel-flow row, 174 + 4 x 4 + 60 + 71", 14, 7, 2, 7, 321},
        {"144 dpi, line 24: 10.5 rounds up; unit row 174 + 4 x 6 + 66 + 17 + 77", 21, 7, 3, 11, 358},
        {"192 dpi, line 32: unit row 174 + 4 x 7 + 84 + 17 + 98", 28, 7, 4, 14, 401},
        {"a font wider than its line share keeps its width: 174 + 4 x 5 + 60 + 80", 14, 9, 2, 9, 334},
        {"line 15 gives 6.56, below the font's own 7", 13, 7, 2, 7, 321},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszWhat);
        hostSetDefaultFont(hostFontModel(row.nHeight, row.nAveWidth, row.nLeading, 0));
        vLayOut(1024, 600);
        const int w = row.nCharWidth;
        EXPECT_EQ(w, pForm->nSysCharWidth);
        const int g = (w + 1) / 2;
        const int nEdit = std::max(6 * w, kValueEdit); // never narrower than the number template
        EXPECT_EQ(nEdit, pForm->sizeEdit[Distance].cx);
        EXPECT_EQ(17 + 7 * w, pForm->sizeUnit[Distance].cx);
        EXPECT_EQ(1 + 2 * g + kAll, pForm->ptEditPos[Distance].x);
        EXPECT_EQ(pForm->ptEditPos[Distance].x + nEdit + g, pForm->ptUnit[Distance].x);
        EXPECT_EQ(row.nFormWidth, pForm->nFormWidth);
    }
}

TEST(TextExtent, NullTextAndFailureKeepTheOldExtent)
{
    HDC hdc = hostNewDC();
    SIZE size = {11, 22};
    EXPECT_EQ(0, vTextExtent(hdc, NULL, &size));
    EXPECT_EQ(11, size.cx);
    EXPECT_EQ(22, size.cy);
    EXPECT_NE(0, vTextExtent(hdc, "abc", &size));
    EXPECT_EQ(21, size.cx) << "three characters of the 7-wide default font";
    EXPECT_EQ(0, vTextExtent(NULL, "abc", &size));
    EXPECT_EQ(21, size.cx);
    hostDeleteDC(hdc);
}

} // namespace
