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

// For the fields that take Alt+Down and Alt+Up without passing them on:
// lets the default procedure see the key first, so that for the system Alt
// was combined with an arrow and its release does not open the menu bar.
// Any other message is left alone.
void vPassAltArrow(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

#endif
