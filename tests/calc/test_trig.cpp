// The program's own sine, cosine, tangent and arc tangent: within a unit in
// the last place or two of the C library's over the angles a flight uses,
// exact where the value is known exactly, and defined for every argument.
#include <float.h>
#include <math.h>
#include <stdint.h>
#include <string.h>

#include <gtest/gtest.h>

#include "calc/navmath.h"
#include "calc/trig.h"

namespace {

// Distance of two doubles in units in the last place.
int64_t nUlps(double a, double b)
{
    int64_t ia, ib;
    memcpy(&ia, &a, sizeof(a));
    memcpy(&ib, &b, sizeof(b));
    if (ia < 0)
        ia = INT64_MIN - ia;
    if (ib < 0)
        ib = INT64_MIN - ib;
    return ia > ib ? ia - ib : ib - ia;
}

struct Function {
    const char* pszName;
    double (*pfnOwn)(double);
    double (*pfnLibrary)(double);
    double dFrom, dTo; // range swept, in the function's own argument
};

double dLibSin(double d) { return sin(d); }
double dLibCos(double d) { return cos(d); }
double dLibTan(double d) { return tan(d); }
double dLibAtan(double d) { return atan(d); }

TEST(Trig, CloseToTheLibraryOverTwoTurnsEachWay)
{
    // The C libraries are within a unit of the true value; ours too, so two
    // apart at most. Tangent is sine over cosine: one more.
    const Function functions[] = {
        {"sin", vSin, dLibSin, vDegToRad(-720), vDegToRad(720)},
        {"cos", vCos, dLibCos, vDegToRad(-720), vDegToRad(720)},
        {"tan", vTan, dLibTan, vDegToRad(-720), vDegToRad(720)},
        {"atan", vAtan, dLibAtan, -40, 40},
    };
    const int64_t nAllowed[] = {2, 2, 3, 2};
    const int kSteps = 200000;
    for (size_t f = 0; f < sizeof(functions) / sizeof(functions[0]); f++) {
        const Function& fn = functions[f];
        int64_t nWorst = 0;
        double dWorstAt = 0;
        for (int i = 0; i <= kSteps; i++) {
            double x = fn.dFrom + (fn.dTo - fn.dFrom) * i / kSteps;
            double dLib = fn.pfnLibrary(x);
            // Near a zero of the function a unit means nothing: compare there
            // against the size of the argument's rounding instead.
            if (fabs(dLib) < 1e-3)
                continue;
            int64_t n = nUlps(fn.pfnOwn(x), dLib);
            if (n > nWorst) {
                nWorst = n;
                dWorstAt = x;
            }
        }
        EXPECT_LE(nWorst, nAllowed[f]) << fn.pszName << " is furthest from the library at " << dWorstAt;
    }
}

TEST(Trig, KnownValues)
{
    const double kInf = HUGE_VAL;
    const struct {
        const char* pszName;
        double dGot, dWant;
    } rows[] = {
        {"sin 0", vSin(0.0), 0.0},
        {"sin 90 deg", vSin(vDegToRad(90)), 1.0},
        {"sin -90 deg", vSin(vDegToRad(-90)), -1.0},
        {"cos 0", vCos(0.0), 1.0},
        {"cos 180 deg", vCos(vDegToRad(180)), -1.0},
        {"cos 360 deg", vCos(vDegToRad(360)), 1.0},
        {"tan 0", vTan(0.0), 0.0},
        {"atan 0", vAtan(0.0), 0.0},
        {"atan 1", vAtan(1.0), 0x1.921fb54442d18p-1},
        {"atan -1", vAtan(-1.0), -0x1.921fb54442d18p-1},
        {"atan +inf", vAtan(kInf), 0x1.921fb54442d18p+0},
        {"atan -inf", vAtan(-kInf), -0x1.921fb54442d18p+0},
        {"atan of the largest double", vAtan(DBL_MAX), 0x1.921fb54442d18p+0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.dWant, row.dGot) << row.pszName;
    EXPECT_TRUE(signbit(vAtan(-0.0))) << "atan keeps the sign of -0";
}

TEST(Trig, EveryArgumentHasAnAnswer)
{
    const double kInf = HUGE_VAL;
    const double rows[] = {1e300, -1e300, DBL_MAX, -DBL_MAX, 1e17, 123456789.0};
    for (double d : rows) {
        EXPECT_TRUE(isfinite(vSin(d))) << "sin " << d;
        EXPECT_TRUE(isfinite(vCos(d))) << "cos " << d;
        EXPECT_LE(fabs(vSin(d)), 1.0) << "sin " << d;
        EXPECT_LE(fabs(vCos(d)), 1.0) << "cos " << d;
    }
    EXPECT_TRUE(isnan(vSin(kInf)));
    EXPECT_TRUE(isnan(vCos(-kInf)));
    EXPECT_TRUE(isnan(vTan(NAN)));
    EXPECT_TRUE(isnan(vAtan(NAN)));
}

} // namespace
