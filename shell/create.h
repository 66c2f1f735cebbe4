// Creation of the main window's contents: fonts, child controls, restored
// unit choices, focus, diagram placement and the redraw timer.
#ifndef KL_SHELL_CREATE_H
#define KL_SHELL_CREATE_H

#include <windows.h>

// WM_CREATE handler; lParam is the window creation data.
void vMesCreate(HWND hWnd, UINT uMsg, UINT uParam, LPARAM lParam);

// Creates the form font and the diagram font; 1 when both exist.
int vCreateFonts(void);

// Makes a unit box's closed field as tall as its input's edit. The platform
// sizes that field from the box's font, which at a higher DPI comes out
// shorter than the edit's line and a half.
void vFitUnitBoxHeight(int i);

#endif
