// The results block: legend samples, captions, values or the prompt for the
// first missing input. Drawn in the diagram's logical units.
#ifndef KL_FORM_RESULTS_TEXT_H
#define KL_FORM_RESULTS_TEXT_H

#include <windows.h>

void vPaintResults(HDC hdc);
void vDrawWrapped(HDC hdc, POINT pt, const char* pszText);

#endif
