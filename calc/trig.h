// Sine, cosine, tangent and arc tangent computed by the program itself, in
// plain double arithmetic: every build (native, 32- and 64-bit Windows)
// gets the same bits, where the C libraries' versions differ in the last
// bit now and then (and the 32-bit ones compute in the x87 unit). Within
// about one unit in the last place for angles of a few turns; any finite
// argument gives a finite, reproducible result.
#ifndef KL_CALC_TRIG_H
#define KL_CALC_TRIG_H

double vSin(double dRad);
double vCos(double dRad);
double vTan(double dRad);
double vAtan(double d);

#endif
