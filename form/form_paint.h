// Painting of the form panel: background, labels, unit texts, hints.
#ifndef KL_FORM_FORM_PAINT_H
#define KL_FORM_FORM_PAINT_H

#include <windows.h>

void vPaintForm(HDC hdc, PAINTSTRUCT* pPs);
void vPaintFormBack(HDC hdc, PAINTSTRUCT* pPs);

#endif
