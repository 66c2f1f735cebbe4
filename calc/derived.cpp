#include "calc/derived.h"

#include <math.h>

#include "calc/app_state.h"
#include "calc/input.h"
#include "calc/navmath.h"
#include "calc/solver.h"

// Shown when the ground speed is too small to divide by.
static const double kNoHours = 999.0;
static const double kNoMinutes = 99.0;
static const double kNoFuel = 9999.9;
static const double kMinutesPerHour = 60.0;

// Reads a further input that a result needs; 1 when valid and readable.
static int vReadFurther(int id, double* pdValue)
{
    const FormState* pForm = pApp->pForm;
    if (!pForm->bValid[id])
        return 0;
    return vGetValue(pForm->szInput[id], id, pdValue);
}

int vGetCH(double* pdCh)
{
    if (pdCh == NULL)
        return 0;
    double dWca, dTh, dGs;
    if (!vGetWindTriangle(&dWca, &dTh, &dGs))
        return 0;
    double dVar, dDev;
    if (!vReadFurther(Variation, &dVar) || !vReadFurther(Deviation, &dDev))
        return 0;
    // East counts positive, and both corrections are taken off the heading.
    double dCh;
    vNormAngle(dTh - dVar - dDev, &dCh);
    if (!isfinite(dCh))
        return 0; // corrections near the largest double overflow
    *pdCh = dCh;
    return 1;
}

int vGetTime(double* pdHours, double* pdMinutes)
{
    if (pdHours == NULL || pdMinutes == NULL)
        return 0;
    double dWca, dTh, dGs;
    if (!vGetWindTriangle(&dWca, &dTh, &dGs))
        return 0;
    double dDist;
    if (!vReadFurther(Distance, &dDist))
        return 0;
    if (fabs(dGs) < kSmall) {
        *pdHours = kNoHours;
        *pdMinutes = kNoMinutes;
        return 1;
    }
    double dTime = dDist / dGs;
    if (!isfinite(dTime))
        return 0; // a distance near the largest double over a slow speed
    double dHours = trunc(dTime);
    *pdHours = dHours;
    *pdMinutes = (dTime - dHours) * kMinutesPerHour;
    return 1;
}

int vGetFuel(double* pdFuel)
{
    if (pdFuel == NULL)
        return 0;
    double dWca, dTh, dGs;
    if (!vGetWindTriangle(&dWca, &dTh, &dGs))
        return 0;
    double dDist, dFlow;
    if (!vReadFurther(Distance, &dDist) || !vReadFurther(FuelFlow, &dFlow))
        return 0;
    if (fabs(dGs) < kSmall) {
        *pdFuel = kNoFuel;
        return 1;
    }
    double dFuel = dFlow * dDist / dGs;
    if (!isfinite(dFuel))
        return 0; // flow times distance beyond the range of a double
    *pdFuel = dFuel;
    return 1;
}
