// A whole flight typed into the real window: the diagram must show the wind
// triangle where the calculation puts it. The painted results text is read
// back by OCR from the screenshots saved here (ocr_check.sh).
#include <math.h>

#include <algorithm>

#include "e2e_fixture.h"
#include "picture.h"
#include "shell/resource.h"

namespace {

const DWORD kGreen = 0x00FF00;
const DWORD kRed = 0xFF0000;
const DWORD kGrey = 0xB2B2B2; // 0.7 of full intensity

// Share of points along the segment (at 25% to 75% of its length) that
// have the colour within two pixels.
double dColourAlong(const Shot& shot, POINT pt0, POINT pt1, DWORD dwColour)
{
    int nFound = 0;
    const int nSamples = 11;
    for (int i = 0; i < nSamples; i++) {
        double t = 0.25 + 0.5 * i / (nSamples - 1);
        POINT pt = {(LONG)lround(pt0.x + (pt1.x - pt0.x) * t), (LONG)lround(pt0.y + (pt1.y - pt0.y) * t)};
        bool bHit = false;
        for (int dy = -2; dy <= 2 && !bHit; dy++)
            for (int dx = -2; dx <= 2 && !bHit; dx++) {
                int x = pt.x + dx;
                int y = pt.y + dy;
                bHit = x >= 0 && y >= 0 && x < shot.nWidth && y < shot.nHeight && shot.dwAt(x, y) == dwColour;
            }
        nFound += bHit;
    }
    return (double)nFound / nSamples;
}

// For the OCR check: the results block, that is the diagram panel below the
// compass rose.
void vSaveForOcr(const Shot& shot, const char* pszName)
{
    std::string strDir = strProgramPath("KL_E2E_SHOTS");
    Geometry geo;
    if (strDir.empty() || !bGeometry(shot, &geo))
        return;
    bSaveBmp(shotCrop(shot, nFormWidthSeen(shot) + 1, geo.nRoseBottom + 2), strDir + "\\" + pszName);
}

// The menu bar sits between the window's top and its client area.
void vSaveMenuBarForOcr(HWND hWnd)
{
    std::string strDir = strProgramPath("KL_E2E_SHOTS");
    if (strDir.empty())
        return;
    POINT pt = {0, 0};
    ClientToScreen(hWnd, &pt);
    RECT rcWin;
    GetWindowRect(hWnd, &rcWin);
    RECT rc = {rcWin.left, pt.y - GetSystemMetrics(SM_CYMENU), rcWin.left + 200, pt.y};
    bSaveBmp(shotOfScreen(rc), strDir + "\\menubar.bmp");
}

TEST_F(E2eTest, FullFlightDrawsTheWindTriangle)
{
    vStart();
    // The first paint may still be on its way when the window is found.
    Shot shotStart;
    Geometry geoStart;
    ASSERT_TRUE(bWaitFor([&] { return bGeometry(shotStart = shotOf(app.hMain), &geoStart); }))
        << "no compass rose at start";
    vSaveForOcr(shotStart, "start.bmp");
    vSaveMenuBarForOcr(app.hMain);

    vTypeNumbers(kWorkedFlight + kFirstNumber);

    // The last key is in: the one repaint that shows the whole flight follows.
    Shot shot = shotWhenSettled(app.hMain, shotOf(app.hMain));
    vSaveForOcr(shot, "flight.bmp");

    Geometry geo;
    ASSERT_TRUE(bGeometry(shot, &geo)) << "no compass rose found";
    printf("compass centre (%d, %d), longest vector %d pixels\n", geo.nCentreX, geo.nCentreY, geo.nVectorLen);
    // The solver's answer for these inputs: heading 90.986068, ground speed
    // 125.783242 km/h (the longest vector); the wind blows toward 50.
    const double dTh = 90.986068, dGs = 125.783242, dTc = 85, dWt = 50;
    const double L = geo.nVectorLen;
    const double dLenTas = L * 110 / dGs;
    const double dLenWs = L * 20 / dGs;
    const POINT ptC = {geo.nCentreX, geo.nCentreY};
    const POINT ptWind = geo.ptAt(dWt, dLenWs);
    const POINT ptGround = geo.ptAt(dTc, L);
    struct Segment {
        const char* pszName;
        POINT pt0, pt1;
        DWORD dwColour;
        double dNeed; // dotted lines are half gaps
    } kSegments[] = {
        {"blue wind vector", ptC, ptWind, kBlue, 0.8},
        {"blue dotted wind extension", ptWind, geo.ptAt(dWt, L), kBlue, 0.3},
        {"green ground vector", ptC, ptGround, kGreen, 0.8},
        {"red heading vector", ptC, geo.ptAt(dTh, dLenTas), kRed, 0.8},
        {"red dotted heading extension", geo.ptAt(dTh, dLenTas), geo.ptAt(dTh, L), kRed, 0.3},
        {"grey closing side", ptWind, ptGround, kGrey, 0.8},
    };
    for (const Segment& s : kSegments)
        EXPECT_GE(dColourAlong(shot, s.pt0, s.pt1, s.dwColour), s.dNeed) << s.pszName;
    // Nothing red where a heading on the wrong side of the course would be.
    EXPECT_LT(dColourAlong(shot, ptC, geo.ptAt(2 * dTc - dTh - 10, dLenTas), kRed), 0.2);
}

// Values wider than their edits: a west variation of 11.5 and a distance
// with two decimals. The results (read by OCR from the saved picture) must
// use the whole texts: compass heading 91 + 11.5 - 2 = 100, 156.45 km at
// 125.8 km/h take 1:15.
TEST_F(E2eTest, ValuesWiderThanTheirEditsAreTypedInFull)
{
    vStart();
    const char* kTyped[] = {"110", "20", "230", "85", "11.5W", "2", "156.45", "12"};
    vTypeNumbers(kTyped);
    Shot shot = shotWhenSettled(app.hMain, shotOf(app.hMain));
    vSaveForOcr(shot, "west.bmp");
}

// Speeds near the largest double: the course line still points along the
// course (it once came out turned round, at 265 degrees, across the form).
TEST_F(E2eTest, AbsurdSpeedsKeepTheCourseLineOnTheCourse)
{
    vStart();
    const struct {
        int id;
        const char* pszText;
    } kTexts[] = {{2, "4e305"}, {3, "4e305"}, {4, "230"}, {5, "85"}};
    for (const auto& t : kTexts)
        vSetText(app.hEdit(t.id), t.pszText);
    Shot shot = shotWhenSettled(app.hMain, shotOf(app.hMain));
    bSaveBmp(shot, strDir + "\\absurd.bmp");
    Geometry geo;
    ASSERT_TRUE(bGeometry(shot, &geo)) << "no compass rose found";
    const POINT ptC = {geo.nCentreX, geo.nCentreY};
    const double L = geo.nVectorLen;
    EXPECT_GE(dColourAlong(shot, ptC, geo.ptAt(85, L), kGreen), 0.8) << "course line along 85";
    EXPECT_LT(dColourAlong(shot, ptC, geo.ptAt(265, L), kGreen), 0.2) << "course line turned round";
}

} // namespace
