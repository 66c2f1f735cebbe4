// The diagram panel for screen readers: the main window's accessible client
// object is the platform's own (fields, unit boxes, menu) with the panel's
// title and seven result rows added as static texts; their changes are
// announced; F6 takes the keyboard to the result rows and back.
#ifndef KL_SHELL_ACCESS_H
#define KL_SHELL_ACCESS_H

#include <windows.h>

// WM_GETOBJECT of the main window.
LRESULT lMesGetObject(HWND hWnd, WPARAM wParam, LPARAM lParam);

// After a paint of the panel: raises a change event for each of the title
// and the result rows whose text differs from what was last announced.
void vAnnounceResults(HWND hWnd);

// F6 in a field: the keyboard goes to the results block, on its first row.
void vEnterResults(HWND hWnd);

// A key for the main window while the results block has the keyboard: Up,
// Down, Home and End move between the rows; F6, Shift+F6, Tab and Escape go
// back to the field the pilot came from. 1 when the key was taken.
int bMesResultsKey(HWND hWnd, WPARAM wParam);

// The results block gives the keyboard up (a field took it): its marks go.
void vLeaveResults(HWND hWnd);

// The main window got or lost the focus: while the results block has the
// keyboard, its marks are painted again to show it.
void vShowResultsFocus(HWND hWnd);

// Draws the focus rectangle around the block and around the current row,
// in client pixels, while the block has the keyboard.
void vPaintResultsFocus(HWND hWnd, HDC hdc);

#endif
