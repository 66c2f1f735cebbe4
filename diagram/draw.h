// Small drawing helpers shared by all painting.
#ifndef KL_DIAGRAM_DRAW_H
#define KL_DIAGRAM_DRAW_H

#include <windows.h>

// Clamps each component to 0..1 (NaN to 0) and scales it to 0..255.
COLORREF vColorFromFloats(float fRed, float fGreen, float fBlue);

// Fills a rectangle with the selected brush and pen (callers select the
// null pen); nothing without a paint record.
void vFillRect(PAINTSTRUCT* pPs, POINT ptCorner, SIZE size);

BOOL vDrawLine(HDC hdc, POINT ptFrom, POINT ptTo);

// Line from ptStart, dAngle degrees counter-clockwise from the x axis.
BOOL vDrawRay(HDC hdc, POINT ptStart, double dAngle, int nLength);

#endif
