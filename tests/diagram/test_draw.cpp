// Drawing helpers on a real or recording surface: colour conversion and the
// end points of rays (rounding of the offset before the start is added).
#include <gtest/gtest.h>
#include <math.h>

#include "diagram/draw.h"
#include "support/surface_dc.h"

TEST(ColorFromFloats, ClampsScalesAndTruncates)
{
    struct {
        const char* pszName;
        float fRed, fGreen, fBlue;
        int nRed, nGreen, nBlue;
    } rows[] = {
        {"yellow form panel", 1.0f, 1.0f, 0.0f, 255, 255, 0},
        {"grey 0.7 truncates to 178", 0.7f, 0.7f, 0.7f, 178, 178, 178},
        {"blue only", 0.0f, 0.0f, 1.0f, 0, 0, 255},
        {"out of range both ways", 1.5f, -2.0f, 0.5f, 255, 0, 127},
        {"not a number is 0", NAN, 1.0f, NAN, 0, 255, 0},
        {"infinity clamps", INFINITY, -INFINITY, 0.999f, 255, 0, 254},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        COLORREF c = vColorFromFloats(row.fRed, row.fGreen, row.fBlue);
        EXPECT_EQ(RGB(row.nRed, row.nGreen, row.nBlue), c);
        EXPECT_EQ(0u, c >> 24) << "top byte stays 0";
    }
}

TEST(DrawRay, EndPointRoundsTheOffsetOnly)
{
    HDC hdc = hTestDC();
    ASSERT_NE(nullptr, hdc);
    struct {
        const char* pszName;
        POINT ptStart;
        double dAngle;
        int nLength;
        POINT ptEnd;
    } rows[] = {
        {"straight up", {0, 0}, 90, 100, {0, 100}},
        {"left: -100 + 0.5 truncates to -99", {0, 0}, 180, 100, {-99, 0}},
        {"down: one unit short as well", {10, 10}, 270, 50, {10, -39}},
        {"right", {5, -5}, 0, 20, {25, -5}},
        {"length 0 stays on the start", {7, 8}, 33, 0, {7, 8}},
        {"45 degrees", {0, 0}, 45, 100, {71, 71}},
        {"135 degrees: -70.71 + 0.5 is -70", {0, 0}, 135, 100, {-70, 71}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        MoveToEx(hdc, -1000, -1000, NULL);
        vDrawRay(hdc, row.ptStart, row.dAngle, row.nLength);
        POINT pt;
        ASSERT_TRUE(GetCurrentPositionEx(hdc, &pt));
        EXPECT_EQ(row.ptEnd.x, pt.x);
        EXPECT_EQ(row.ptEnd.y, pt.y);
    }
    vFreeTestDC(hdc);
}
