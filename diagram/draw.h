// Small drawing helpers shared by all painting, and the text font of both
// panels.
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

// Fills a panel in colour without an outline: a solid brush and the null
// pen for this one fill, both deselected again afterwards.
void vFillPanel(PAINTSTRUCT* pPs, POINT ptCorner, SIZE size, COLORREF color);

// Makes a pen and selects it; returns the pen it replaced, or null when the
// pen could not be made (the selected pen then stays).
HGDIOBJ vSelectNewPen(HDC hdc, int nStyle, int nWidth, COLORREF color);

// Puts back the pen vSelectNewPen replaced and deletes the one it made.
void vRestorePen(HDC hdc, HGDIOBJ hOldPen);

// Text with its top-left corner at pt, its full length on one line; nothing
// for a null or empty text.
BOOL vDrawText(HDC hdc, POINT pt, const char* pszText);

// A new font as the program draws all its texts with: face "Helv", cell
// height 12 in the units of the context it is used on, scaled by the
// screen's pixels per inch over 96 and rounded, everything else 0. The form
// and the diagram each get one at window creation.
HFONT vCreateTextFont(void);

// Measures pszText in the font selected into hdc; 0 for a null text.
int vTextExtent(HDC hdc, const char* pszText, SIZE* pSize);

#endif
