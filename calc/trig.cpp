#include "calc/trig.h"

#include <math.h>

// Pi/2 in three parts: the first has 33 significant bits, so a multiple of
// it by a whole number below 2^20 is exact; the other two carry the rest.
static const double kPio2Part1 = 0x1.921fb544p+0;
static const double kPio2Part2 = 0x1.0b4611a626331p-34;
static const double kPio2Part3 = 0x1.1701b839a2520p-88;
static const double kTwoOverPi = 0x1.45f306dc9c883p-1;
// Pi/2 as the nearest double and what it leaves out.
static const double kPio2Hi = 0x1.921fb54442d18p+0;
static const double kPio2Lo = 0x1.1a62633145c07p-54;
static const double kExactReduction = 0x1p19;

// Taylor coefficients: sine's from -1/3! to 1/19!, cosine's from 1/4! to
// 1/20!; on |r| <= pi/4 the first term left out is below 2^-60 of the sum.
static const double kSinCoef[] = {
    -1.0 / 6, 1.0 / 120, -1.0 / 5040, 1.0 / 362880, -1.0 / 39916800, 1.0 / 6227020800.0,
    -1.0 / 1307674368000.0, 1.0 / 355687428096000.0, -1.0 / 121645100408832000.0};
static const double kCosCoef[] = {
    1.0 / 24, -1.0 / 720, 1.0 / 40320, -1.0 / 3628800, 1.0 / 479001600, -1.0 / 87178291200.0,
    1.0 / 20922789888000.0, -1.0 / 6402373705728000.0, 1.0 / 2432902008176640000.0};
enum { SIN_TERMS = sizeof(kSinCoef) / sizeof(kSinCoef[0]), COS_TERMS = sizeof(kCosCoef) / sizeof(kCosCoef[0]) };

// atan(k/8) for k = 0..8, each as the nearest double and the remainder.
static const double kAtanHi[] = {
    0.0, 0x1.fd5ba9aac2f6ep-4, 0x1.f5b75f92c80ddp-3, 0x1.6f61941e4def1p-2, 0x1.dac670561bb4fp-2,
    0x1.1e00babdefeb4p-1, 0x1.4978fa3269ee1p-1, 0x1.700a7c5784634p-1, 0x1.921fb54442d18p-1};
static const double kAtanLo[] = {
    0.0, -0x1.cd37686760c17p-59, 0x1.8ab6e3cf7afbdp-57, -0x1.c63aae6f6e918p-56, 0x1.a2b7f222f65e2p-56,
    -0x1.928df287a668fp-58, 0x1.2419a87f2a458p-56, -0x1.8c34d25aadef6p-56, 0x1.1a62633145c07p-55};
static const double kAtanSteps = 8.0;
// atan(u) = u - u^3/3 + u^5/5 ...: for |u| <= 1/16 the terms up to u^17
// leave out less than 2^-70.
enum { ATAN_TERMS = 8 };

// Sine and cosine of r in -pi/4..pi/4.
static double dSinNear(double r)
{
    double z = r * r;
    double p = kSinCoef[SIN_TERMS - 1];
    for (int i = SIN_TERMS - 2; i >= 0; i--)
        p = kSinCoef[i] + z * p;
    return r + r * (z * p);
}

static double dCosNear(double r)
{
    double z = r * r;
    double p = kCosCoef[COS_TERMS - 1];
    for (int i = COS_TERMS - 2; i >= 0; i--)
        p = kCosCoef[i] + z * p;
    // 1 - z/2 with its rounding error carried into the small terms.
    double dHalf = 0.5 * z;
    double w = 1.0 - dHalf;
    return w + (((1.0 - w) - dHalf) + z * z * p);
}

// x = n * pi/2 + r with r in about -pi/4..pi/4; returns n mod 4. Exact
// for n below 2^20; larger arguments are first brought within a few turns
// by the exact remainder of a division by the double nearest 2 pi, which
// keeps them reproducible though no longer meaningful.
static int nReduce(double x, double* pr)
{
    if (fabs(x) > kExactReduction)
        x = fmod(x, 4.0 * kPio2Hi);
    double n = floor(x * kTwoOverPi + 0.5);
    *pr = ((x - n * kPio2Part1) - n * kPio2Part2) - n * kPio2Part3;
    double q = fmod(n, 4.0);
    return (int)(q < 0 ? q + 4.0 : q);
}

double vSin(double dRad)
{
    if (!isfinite(dRad))
        return dRad - dRad; // NaN
    double r;
    switch (nReduce(dRad, &r)) {
    case 0: return dSinNear(r);
    case 1: return dCosNear(r);
    case 2: return -dSinNear(r);
    default: return -dCosNear(r);
    }
}

double vCos(double dRad)
{
    if (!isfinite(dRad))
        return dRad - dRad;
    double r;
    switch (nReduce(dRad, &r)) {
    case 0: return dCosNear(r);
    case 1: return -dSinNear(r);
    case 2: return -dCosNear(r);
    default: return dSinNear(r);
    }
}

double vTan(double dRad)
{
    if (!isfinite(dRad))
        return dRad - dRad;
    double r;
    int q = nReduce(dRad, &r);
    return (q % 2 == 0) ? dSinNear(r) / dCosNear(r) : -dCosNear(r) / dSinNear(r);
}

// atan of t in 0..1: from the nearest k/8, atan(t) = atan(k/8) + atan(u)
// with u = (t - k/8) / (1 + t k/8), at most 1/16.
static double dAtanUnit(double t)
{
    int k = (int)floor(t * kAtanSteps + 0.5);
    double c = k / kAtanSteps;
    double u = (t - c) / (1.0 + t * c);
    double z = u * u;
    double p = 0.0;
    for (int i = ATAN_TERMS; i >= 1; i--)
        p = ((i % 2) ? -1.0 : 1.0) / (2 * i + 1) + z * p;
    return kAtanHi[k] + (kAtanLo[k] + (u + u * (z * p)));
}

double vAtan(double d)
{
    if (isnan(d))
        return d;
    double a = fabs(d);
    double dResult = (a <= 1.0) ? dAtanUnit(a) : kPio2Hi - (dAtanUnit(1.0 / a) - kPio2Lo);
    return copysign(dResult, d);
}
