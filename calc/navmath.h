// Numbers and rounding rules shared by the calculation and the drawing.
#ifndef KL_CALC_NAVMATH_H
#define KL_CALC_NAVMATH_H

// A speed, course offset or vector component below this counts as zero.
const double kSmall = 0.005;

// Pi to ten significant digits: every degree/radian conversion uses this
// value, so results match the hand-checked tables to the last printed digit.
const double kPi = 3.141592654;

// Degrees of a half and of a whole turn.
const double kHalfCircle = 180.0;
const double kFullCircle = 360.0;

inline double vDegToRad(double dDeg) { return dDeg * (1.0 / kHalfCircle) * kPi; }
inline double vRadToDeg(double dRad) { return dRad * kHalfCircle * (1.0 / kPi); }

// "Rounded": add 0.5, then truncate toward zero (-1.5 gives -1, -100 gives -99).
inline int vRound(double d) { return (int)(d + 0.5); }

#endif
