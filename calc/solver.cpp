#include "calc/solver.h"

#include <math.h>

#include "calc/app_state.h"
#include "calc/input.h"
#include "calc/navmath.h"
#include "calc/trig.h"

static const double kEast = 90.0;
static const double kWest = 270.0;
// A discriminant this far below zero, relative to the squared speeds, is a
// rounding error of a circle that just touches the course line.
static const double kTouchTolerance = 1e-9;

// Everything one solution of the triangle yields.
struct Triangle {
    double dWca;
    double dTh;
    double dGs;
    int bFlyable;
};

int vNormAngle(double dAngle, double* pdResult)
{
    if (pdResult == NULL)
        return 0;
    // Infinity or NaN has no place on the circle; hand it back as it is
    // rather than subtract 360 from it for ever.
    if (!isfinite(dAngle)) {
        *pdResult = dAngle;
        return 1;
    }
    // The whole turns are dropped at full width, so any finite angle lands
    // strictly inside -360..360 before the two corrections.
    double dTurns = dAngle * (1.0 / kFullCircle);
    double dAngleIn = (dTurns - trunc(dTurns)) * kFullCircle;
    while (dAngleIn >= kFullCircle)
        dAngleIn -= kFullCircle;
    while (dAngleIn < 0)
        dAngleIn += kFullCircle;
    *pdResult = dAngleIn;
    return 1;
}

// Reads the four solver inputs, in the order wind speed, airspeed, wind
// direction, course; 1 when all are valid and readable.
static int vReadTriangleInputs(double* pdWs, double* pdTas, double* pdWd, double* pdTc)
{
    const FormState* pForm = pApp->pForm;
    if (!pForm->bValid[WindSpeed] || !pForm->bValid[Tas] || !pForm->bValid[WindDir] ||
        !pForm->bValid[TrueCourse])
        return 0;
    if (!vGetValue(pForm->szInput[WindSpeed], WindSpeed, pdWs))
        return 0;
    if (!vGetValue(pForm->szInput[Tas], Tas, pdTas))
        return 0;
    if (!vGetValue(pForm->szInput[WindDir], WindDir, pdWd))
        return 0;
    if (!vGetValue(pForm->szInput[TrueCourse], TrueCourse, pdTc))
        return 0;
    return 1;
}

// The solver proper, shared by the triangle results and the flyability
// test. The ground vector (n, e) is where the course line meets the circle
// of radius TAS around the wind vector's tip; where they do not meet, the
// line's nearest point is taken and the course cannot be flown.
static int vSolveTriangle(Triangle* pTri)
{
    pTri->dWca = 0;
    pTri->dTh = 0;
    pTri->dGs = 0;
    pTri->bFlyable = 0;

    double dWs, dTas, dWd, dTc;
    if (!vReadTriangleInputs(&dWs, &dTas, &dWd, &dTc))
        return 0;
    dTas = fabs(dTas);
    dWs = fabs(dWs);
    vNormAngle(dWd - kHalfCircle, &dWd); // the wind blows to the opposite side
    vNormAngle(dTc, &dTc);

    if (!(dWs >= kSmall)) {
        pTri->dTh = dTc;
        pTri->dGs = dTas;
        pTri->bFlyable = 1;
        return 1;
    }

    double dWn = vCos(vDegToRad(dWd)) * dWs;
    double dWe = vSin(vDegToRad(dWd)) * dWs;

    double dN, dE, dD;
    int bMissed; // the circle does not reach the course line
    double dTouch = kTouchTolerance * (dTas * dTas + dWs * dWs);
    if (fabs(dTc - kEast) < kSmall || fabs(dTc - kWest) < kSmall) {
        // tan() is useless near east and west: take the exact east-west line.
        double dP = -2 * dWe;
        double dQ = dWs * dWs - dTas * dTas;
        dD = dP * dP * 0.25 - dQ;
        bMissed = dD < -dTouch;
        if (!(dD >= 0))
            dD = 0;
        dN = 0;
        if (fabs(dTc - kEast) < kSmall)
            dE = -dP / 2 + sqrt(dD);
        else
            dE = -dP / 2 - sqrt(dD);
    } else {
        double dK = vTan(vDegToRad(dTc));
        double dP = -(2 * dWn + 2 * dWe * dK) / (dK * dK + 1);
        double dQ = (dWs * dWs - dTas * dTas) / (dK * dK + 1);
        dD = dP * dP * 0.25 - dQ;
        // Both terms are squared speeds over k^2 + 1, and so is their rounding.
        bMissed = dD < -dTouch / (dK * dK + 1);
        if (!(dD >= 0))
            dD = 0;
        // The root on the course's own side of the east-west line.
        if (dTc <= kEast || dTc > kWest)
            dN = -dP / 2 + sqrt(dD);
        else
            dN = -dP / 2 - sqrt(dD);
        dE = vTan(vDegToRad(dTc)) * dN;
    }

    double dAn = dN - dWn;
    double dAe = dE - dWe;
    double dTh;
    if (fabs(dAn) >= kSmall) {
        dTh = vRadToDeg(vAtan(dAe / dAn));
        if (dAn < 0)
            dTh += kHalfCircle;
    } else {
        dTh = (dAe >= 0) ? kEast : kWest;
    }

    vNormAngle(dTh, &dTh);
    double dWca;
    vNormAngle(dTh - dTc, &dWca);
    double dGs = sqrt(dN * dN + dE * dE);
    // Speeds near the limit of a double overflow on the way; such a
    // triangle has no result to show.
    if (!isfinite(dWca) || !isfinite(dTh) || !isfinite(dGs))
        return 0;

    // Flown backwards along the course (a headwind stronger than the
    // airspeed) is no flight either. An aircraft that merely stands keeps
    // the time and fuel fallbacks for a vanishing ground speed, but only
    // where the circle reaches the course line: a crosswind stronger than
    // the airspeed exactly across the course also leaves the ground speed
    // near 0, and is as unflyable as at any other angle.
    double dAlong = dN * vCos(vDegToRad(dTc)) + dE * vSin(vDegToRad(dTc));
    pTri->bFlyable = !bMissed && (fabs(dGs) < kSmall || dAlong >= kSmall);
    pTri->dWca = dWca;
    pTri->dTh = dTh;
    pTri->dGs = dGs;
    return 1;
}

int vGetWindTriangle(double* pdWca, double* pdTh, double* pdGs)
{
    if (pdWca == NULL || pdTh == NULL || pdGs == NULL)
        return 0;
    Triangle tri;
    int bOk = vSolveTriangle(&tri);
    *pdWca = tri.dWca;
    *pdTh = tri.dTh;
    *pdGs = tri.dGs;
    return bOk;
}

int vGetCourseFlyable(int* pbFlyable)
{
    if (pbFlyable == NULL)
        return 0;
    Triangle tri;
    if (!vSolveTriangle(&tri))
        return 0;
    *pbFlyable = tri.bFlyable;
    return 1;
}
