// The real window on a screen of more pixels per inch: the program's own
// text grows with the DPI as the system's does, the form keeps its parts
// apart, and the diagram still shows the compass rose and every result row.
// Run by dpi_run.sh in a Wine prefix set to KL_EXPECT_DPI, on a screen of
// 1024 x 768 at 96 DPI scaled by the DPI; skipped otherwise.
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <vector>

#include "e2e_fixture.h"
#include "picture.h"

namespace {

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
    Shot shot = shotWhenShown(app.hMain);
    RECT rcClient;
    GetClientRect(app.hMain, &rcClient);
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
    vTypeWorkedFlight();
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

// What an edit (a field, or a unit box's own edit) shows of its text, read
// from the screen: the ink in its text area, and where its last character
// starts. All in the main window's client pixels.
struct EditInk {
    RECT rcText;       // the text area
    RECT rcInk;        // the ink in it; empty when there is none
    int xLastChar = 0; // left edge of the last character
    // The whole text shows: the last character has ink, and nothing is cut
    // at the text area's right edge.
    bool bWhole() const { return rcInk.right > xLastChar + 1 && rcInk.right < rcText.right; }
};

EditInk inkOf(HWND hMain, HWND hEdit, const std::string& str)
{
    EditInk ink;
    SendMessageA(hEdit, EM_GETRECT, 0, (LPARAM)&ink.rcText);
    MapWindowPoints(hEdit, hMain, (POINT*)&ink.rcText, 2);
    POINT ptLast = {(short)LOWORD(SendMessageA(hEdit, EM_POSFROMCHAR, str.size() - 1, 0)), 0};
    MapWindowPoints(hEdit, hMain, &ptLast, 1);
    ink.xLastChar = ptLast.x;
    Shot shot = shotOf(hMain);
    SetRect(&ink.rcInk, ink.rcText.right, ink.rcText.bottom, ink.rcText.left, ink.rcText.top);
    for (int y = std::max(0L, ink.rcText.top); y < std::min((LONG)shot.nHeight, ink.rcText.bottom); y++)
        for (int x = std::max(0L, ink.rcText.left); x < std::min((LONG)shot.nWidth, ink.rcText.right); x++)
            if (shot.dwAt(x, y) != kWhite) {
                ink.rcInk.left = std::min((LONG)x, ink.rcInk.left);
                ink.rcInk.right = std::max((LONG)x + 1, ink.rcInk.right);
                ink.rcInk.top = std::min((LONG)y, ink.rcInk.top);
                ink.rcInk.bottom = std::max((LONG)y + 1, ink.rcInk.bottom);
            }
    return ink;
}

// Sets an edit's text and waits until the program has drawn it.
void vShowText(HWND hEdit, const std::string& str)
{
    vSetText(hEdit, str);
    DWORD_PTR dw = 0;
    SendMessageTimeoutA(hEdit, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &dw);
    Sleep(100);
}

// Every value field shows a typed distance and the number the program
// itself writes after a unit switch whole, and each unit box both its unit
// texts, at every DPI; the digits keep their proportions (a font that grew
// in height only would squeeze them), and each box stays as tall as its
// field.
TEST_F(DpiWindow, ValueFieldsAndUnitBoxesShowTheirTextsWhole)
{
    vStart();
    // The ink of "156.45" at 96 DPI in the form's font: 32 pixels wide, 7
    // high (the digits' height).
    const double kAspect96 = 32.0 / 7.0;
    const char* const kValues[] = {"156.45", "59.4595"};
    for (int i = kFirstNumber; i < kRows; i++) {
        SCOPED_TRACE("input " + std::to_string(i + 1));
        HWND hEdit = app.hEdit(i);
        for (const char* pszValue : kValues) {
            vShowText(hEdit, pszValue);
            EditInk ink = inkOf(app.hMain, hEdit, pszValue);
            EXPECT_TRUE(ink.bWhole()) << pszValue << ": ink to " << ink.rcInk.right << ", last character at "
                                      << ink.xLastChar << ", text area to " << ink.rcText.right;
            if (pszValue == kValues[0] && i != kFirstNumber) { // the caret blinks in the first
                int nW = ink.rcInk.right - ink.rcInk.left, nH = ink.rcInk.bottom - ink.rcInk.top;
                ASSERT_GT(nH, 0);
                EXPECT_NEAR(kAspect96, (double)nW / nH, 0.15 * kAspect96)
                    << pszValue << " is " << nW << " x " << nH << " pixels of ink";
            }
        }

        HWND hBox = app.hUnitBox(i);
        if (!IsWindowVisible(hBox))
            continue;
        RECT rcEdit = rcChild(hEdit), rcBox = rcChild(hBox);
        EXPECT_LE(abs((rcBox.bottom - rcBox.top) - (rcEdit.bottom - rcEdit.top)), 2)
            << "unit box " << rcBox.bottom - rcBox.top << " high beside a field of " << rcEdit.bottom - rcEdit.top;
        HWND hBoxEdit = GetWindow(hBox, GW_CHILD);
        ASSERT_NE((HWND)NULL, hBoxEdit);
        LRESULT nSel = SendMessageA(hBox, CB_GETCURSEL, 0, 0);
        for (int u = 0; u < 2; u++) {
            SendMessageA(hBox, CB_SETCURSEL, (WPARAM)u, 0); // shown only: no notification
            std::string strUnit = strTextOf(hBox);
            vShowText(hBoxEdit, strUnit);
            EditInk ink = inkOf(app.hMain, hBoxEdit, strUnit);
            EXPECT_TRUE(ink.bWhole()) << strUnit << ": ink to " << ink.rcInk.right << ", last character at "
                                      << ink.xLastChar << ", text area to " << ink.rcText.right;
        }
        SendMessageA(hBox, CB_SETCURSEL, (WPARAM)nSel, 0);
        if (i == kFirstNumber)
            printf("at %d dpi: field %ldx%ld, unit box %ldx%ld\n", nDpi, rcEdit.right - rcEdit.left,
                   rcEdit.bottom - rcEdit.top, rcBox.right - rcBox.left, rcBox.bottom - rcBox.top);
    }
}

// The window does not shrink below the client in which every field and
// unit box lies inside the client and the worked flight's results, rose
// or no rose, stop short of the client's right and bottom edges.
TEST_F(DpiWindow, SmallestWindowKeepsEverythingWhole)
{
    vStart();
    vTypeWorkedFlight();
    Shot shot = shotOf(app.hMain);
    MoveWindow(app.hMain, 0, 0, 60, 60, TRUE);
    RECT rcClient;
    GetClientRect(app.hMain, &rcClient);
    ASSERT_GT(rcClient.right, 60) << "the window shrank below its smallest size";
    shot = shotWhenSettled(app.hMain, shot);
    if (const char* pszDir = getenv("KL_E2E_SHOTS"))
        bSaveBmp(shot, strWindowsPath(pszDir) + "\\smallest" + std::to_string(nDpi) + ".bmp");

    for (int i = 0; i < kRows; i++) {
        SCOPED_TRACE("input " + std::to_string(i + 1));
        RECT rcEdit = rcChild(app.hEdit(i)), rcInside;
        EXPECT_TRUE(IntersectRect(&rcInside, &rcEdit, &rcClient) && EqualRect(&rcInside, &rcEdit)) << "field";
        if (IsWindowVisible(app.hUnitBox(i))) {
            RECT rcBox = rcChild(app.hUnitBox(i));
            EXPECT_LE(rcBox.bottom, rcClient.bottom) << "unit box";
        }
    }
    const int nForm = nFormWidthSeen(shot);
    for (int y = 0; y < shot.nHeight; y++)
        EXPECT_EQ(kWhite, shot.dwAt(shot.nWidth - 1, y)) << "a text reaches the right edge at row " << y;
    for (int x = nForm + 1; x < shot.nWidth; x++)
        EXPECT_EQ(kWhite, shot.dwAt(x, shot.nHeight - 1)) << "a text reaches the bottom edge at column " << x;
    RECT rcWindow;
    GetWindowRect(app.hMain, &rcWindow);
    printf("at %d dpi the smallest client is %ld x %ld, the window %ld x %ld\n", nDpi, rcClient.right,
           rcClient.bottom, rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top);
}

} // namespace
