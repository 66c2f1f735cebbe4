// The wind triangle: heading, wind correction angle and ground speed from
// the current texts of airspeed, wind and course.
#ifndef KL_CALC_SOLVER_H
#define KL_CALC_SOLVER_H

// Brings an angle into 0..360 degrees; 0 only when pResult is null.
int vNormAngle(double dAngle, double* pResult);

// Solves the triangle from the current inputs; 1 on success. pdWca and pdTh
// are normalised degrees, pdGs is km/h and never negative.
int vGetWindTriangle(double* pdWca, double* pdTh, double* pdGs);

// Runs the solver and tells whether the course can be flown at all in this
// wind: *pbFlyable is 0 when the wind is too strong across the course, or
// when the ground vector points backwards along the course while the ground
// speed is not negligible. 1 when the solver succeeded, else 0 (then
// *pbFlyable is not written).
int vGetCourseFlyable(int* pbFlyable);

#endif
