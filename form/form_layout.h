// Layout of the form panel and of the diagram panel's mapping numbers.
#ifndef KL_FORM_FORM_LAYOUT_H
#define KL_FORM_FORM_LAYOUT_H

#include <windows.h>

// Lays out the form for nClientHeight; 1 when it computed a new layout,
// 0 when the height is the one it last laid out for.
int vFormLayout(HWND hWnd);

// Places the diagram panel and derives its mapping numbers.
void vDiagramLayout(HWND hWnd);

// A new font as the program draws all its texts with: face "Helv", cell
// height 12 in the units of the context it is used on, scaled by the
// screen's pixels per inch over 96 and rounded, everything else 0. The form
// and the diagram each get one at window creation.
HFONT vCreateTextFont(void);

// Measures pszText in the font selected into hdc; 0 for a null text.
int vTextExtent(HDC hdc, const char* pszText, SIZE* pSize);

#endif
