// Results that follow from the wind triangle: compass heading, flight time
// and fuel. Each runs the solver itself and reads its further inputs.
#ifndef KL_CALC_DERIVED_H
#define KL_CALC_DERIVED_H

int vGetCH(double* pdCh);
int vGetTime(double* pdHours, double* pdMinutes);
int vGetFuel(double* pdFuel);

#endif
