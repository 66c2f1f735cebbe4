// The real window on a screen of more pixels per inch: the program's own
// text grows with the DPI as the system's does, the form keeps its parts
// apart, and the diagram still shows the compass rose and every result row.
// Run by dpi_run.sh in a Wine prefix set to KL_EXPECT_DPI, on a screen of
// 1024 x 768 at 96 DPI scaled by the DPI; skipped otherwise.
#include <stdlib.h>

#include <algorithm>
#include <vector>

#include "e2e_fixture.h"
#include "picture.h"

namespace {

const DWORD kWhite = 0xFFFFFF;
const DWORD kBlue = 0x0000FF;

// Ink heights at 96 DPI, measured in the painted window (Wine's DejaVu Sans
// for "Helv" 12): the tallest form label, with its parentheses, and the
// tallest result row.
const int kLabelInk96 = 10;
const int kResultInk96 = 10;

const int kDesignDpi = 96;
const int kRows = 10;
const int kLegendRows = 7;

// The 96-DPI height scaled to this DPI, within one pixel.
void vExpectScaled(const char* pszWhat, int nSeen, int n96, int nDpi)
{
    double dWant = (double)n96 * nDpi / kDesignDpi;
    EXPECT_LE(abs(nSeen - (int)(dWant + 0.5)), 1)
        << pszWhat << ": " << nSeen << " pixels high, " << dWant << " expected at " << nDpi << " dpi";
}

class DpiWindow : public E2eTest {
protected:
    void SetUp() override
    {
        E2eTest::SetUp();
        const char* psz = getenv("KL_EXPECT_DPI");
        if (psz == NULL)
            GTEST_SKIP() << "run through dpi_run.sh, which sets the prefix's DPI";
        HDC hdc = GetDC(NULL);
        nDpi = GetDeviceCaps(hdc, LOGPIXELSY);
        ReleaseDC(NULL, hdc);
        ASSERT_EQ(atoi(psz), nDpi) << "the Wine prefix does not give the DPI it was set to";
    }

    // A child control's rectangle in the main window's client pixels.
    RECT rcChild(HWND hChild) const
    {
        RECT rc;
        GetWindowRect(hChild, &rc);
        MapWindowPoints(NULL, app.hMain, (POINT*)&rc, 2);
        return rc;
    }

    int nDpi = 0;
};

TEST_F(DpiWindow, TextGrowsWithTheDpiAndStaysInItsPlace)
{
    vStart();
    RECT rcClient;
    GetClientRect(app.hMain, &rcClient);
    Shot shot = shotOf(app.hMain);
    const int nForm = nFormWidthSeen(shot);

    // The form: every label ends before its edit starts, with a clear
    // column between; no two controls overlap; all stay in the panel.
    std::vector<RECT> vecControls;
    int nLabelInk = 0;
    for (int i = 0; i < kRows; i++) {
        SCOPED_TRACE("input " + std::to_string(i));
        RECT rcEdit = rcChild(app.hEdit(i));
        vecControls.push_back(rcEdit);
        if (IsWindowVisible(app.hUnitBox(i)))
            vecControls.push_back(rcChild(app.hUnitBox(i)));
        auto bInk = [](DWORD dw) { return dw != kYellow; };
        std::vector<Band> vec = vecBands(shot, 1, rcEdit.left - 1, rcEdit.top, rcEdit.bottom - 1, bInk);
        ASSERT_EQ(1u, vec.size()) << "one label beside the edit";
        nLabelInk = std::max(nLabelInk, vec[0].nHeight());
        for (int y = rcEdit.top; y < rcEdit.bottom; y++)
            EXPECT_EQ(kYellow, shot.dwAt(rcEdit.left - 1, y)) << "label reaches the edit at row " << y;
    }
    vExpectScaled("form labels", nLabelInk, kLabelInk96, nDpi);
    for (size_t a = 0; a < vecControls.size(); a++) {
        RECT rcA = vecControls[a], rcOverlap;
        EXPECT_LE(rcA.right, nForm) << "control " << a << " sticks out of the form panel";
        EXPECT_LE(rcA.bottom, rcClient.bottom) << "control " << a << " below the client area";
        for (size_t b = a + 1; b < vecControls.size(); b++)
            EXPECT_FALSE(IntersectRect(&rcOverlap, &rcA, &vecControls[b])) << "controls " << a << " and " << b;
    }

    // The whole flight, typed: the rose is drawn and all seven result rows,
    // values included, lie in the client area, one line each.
    vSetText(app.hEdit(0), "Egelsbach");
    vSetText(app.hEdit(1), "Mainz");
    vActivate();
    ASSERT_TRUE(bWaitFor([&] { return nFocusedEdit() == kFirstNumber; }));
    const char* kTyped[] = {"110", "20", "230", "85", "3W", "2", "69", "12"};
    EXPECT_EQ("", strTypeNumbers(app, kTyped));
    shot = shotWhenSettled(app.hMain, shot);
    if (const char* pszDir = getenv("KL_E2E_SHOTS"))
        bSaveBmp(shot, strWindowsPath(pszDir) + "\\dpi" + std::to_string(nDpi) + ".bmp");

    Geometry geo;
    ASSERT_TRUE(bGeometry(shot, &geo)) << "no compass rose found";
    auto bInk = [](DWORD dw) { return dw != kWhite; };
    std::vector<Band> vec = vecBands(shot, nForm + 1, shot.nWidth, geo.nRoseBottom + 2, shot.nHeight - 1, bInk);
    // The first row is the one with the blue sample line; "180" lies above.
    size_t nFirst = 0;
    auto bBlueIn = [&](const Band& band) {
        for (int y = band.y0; y <= band.y1; y++)
            for (int x = nForm + 1; x < shot.nWidth; x++)
                if (shot.dwAt(x, y) == kBlue)
                    return true;
        return false;
    };
    while (nFirst < vec.size() && !bBlueIn(vec[nFirst]))
        nFirst++;
    ASSERT_EQ((size_t)kLegendRows, vec.size() - nFirst) << "result rows below the rose";
    int nResultInk = 0;
    for (size_t i = nFirst; i < vec.size(); i++)
        nResultInk = std::max(nResultInk, vec[i].nHeight());
    vExpectScaled("result rows", nResultInk, kResultInk96, nDpi);
    EXPECT_LT(vec.back().y1, shot.nHeight - 1) << "the last result row reaches the client's bottom edge";
    for (int y = vec[nFirst].y0; y < shot.nHeight; y++)
        EXPECT_EQ(kWhite, shot.dwAt(shot.nWidth - 1, y)) << "a result row reaches the right edge at row " << y;
    printf("at %d dpi: form %d wide, label ink %d, result ink %d, rose radius less a tick %d\n", nDpi, nForm,
           nLabelInk, nResultInk, geo.nVectorLen);
}

// How many leading characters of str fit an edit's text area, measured in
// the edit's own font.
int nCharsThatFit(HWND hEdit, const std::string& str)
{
    RECT rcText;
    SendMessageA(hEdit, EM_GETRECT, 0, (LPARAM)&rcText);
    HDC hdc = GetDC(hEdit);
    HFONT hFont = (HFONT)SendMessageA(hEdit, WM_GETFONT, 0, 0);
    HGDIOBJ hOld = SelectObject(hdc, hFont != NULL ? (HGDIOBJ)hFont : GetStockObject(SYSTEM_FONT));
    int nFit = 0;
    SIZE size;
    while (nFit < (int)str.size() && GetTextExtentPoint32A(hdc, str.c_str(), nFit + 1, &size) &&
           size.cx <= rcText.right - rcText.left)
        nFit++;
    SelectObject(hdc, hOld);
    ReleaseDC(hEdit, hdc);
    return nFit;
}

// The value fields and unit boxes take their width from the default font,
// whose reported average width does not grow with the DPI under Wine: they
// must still widen with the text, hold as much of a typed number as at 96
// DPI, and each unit box stays as tall as its field.
TEST_F(DpiWindow, ValueFieldsAndUnitBoxesGrowWithTheText)
{
    vStart();
    // Sizes at 96 DPI: a field of six default characters, a unit box of a
    // scroll bar and seven; and how many characters of the distance below
    // a field shows there.
    const int kField96 = 42, kUnitBox96 = 66, kFit96 = 4;
    const double dGrowth = 0.9 * nDpi / kDesignDpi; // at 192 dpi at least 1.8 times
    const std::string strDistance = "156.45";
    for (int i = kFirstNumber; i < kRows; i++) {
        SCOPED_TRACE("input " + std::to_string(i));
        RECT rcEdit = rcChild(app.hEdit(i));
        const int nEditH = rcEdit.bottom - rcEdit.top;
        EXPECT_GE(rcEdit.right - rcEdit.left, kField96 * dGrowth);
        RECT rcBox = rcChild(app.hUnitBox(i));
        const int nBoxH = rcBox.bottom - rcBox.top;
        if (IsWindowVisible(app.hUnitBox(i))) {
            EXPECT_GE(rcBox.right - rcBox.left, kUnitBox96 * dGrowth);
            EXPECT_LE(abs(nBoxH - nEditH), 2) << "unit box " << nBoxH << " high beside a field of " << nEditH;
        }
        const int nFit = nCharsThatFit(app.hEdit(i), strDistance);
        EXPECT_GE(nFit, kFit96) << "characters of " << strDistance << " in the field";
        if (i == kFirstNumber)
            printf("at %d dpi: field %ldx%d, unit box %ldx%d, %d characters of %s fit\n", nDpi,
                   rcEdit.right - rcEdit.left, nEditH, rcBox.right - rcBox.left, nBoxH, nFit, strDistance.c_str());
    }
}

} // namespace
