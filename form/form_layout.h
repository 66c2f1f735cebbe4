// Layout of the form panel and of the diagram panel's mapping numbers.
#ifndef KL_FORM_FORM_LAYOUT_H
#define KL_FORM_FORM_LAYOUT_H

#include <windows.h>

// Lays out the form for nClientHeight; 1 when it computed a new layout,
// 0 when the height is the one it last laid out for.
int vFormLayout(HWND hWnd);

// Places the diagram panel and derives its mapping numbers.
void vDiagramLayout(HWND hWnd);

// The smallest client in which every field, caption and result is whole,
// as the window's first layout measured it; 0 before that layout.
int vMinClientSize(SIZE* pSize);

#endif
