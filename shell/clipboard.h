// "Flug kopieren": the flight as text on the clipboard.
#ifndef KL_SHELL_CLIPBOARD_H
#define KL_SHELL_CLIPBOARD_H

#include <windows.h>

// Puts the flight's text (see vGetFlightText) on the clipboard as Unicode
// and as ANSI text, owned by hWnd, asking again for a moment while another
// program holds the clipboard. 1 on success; 0 when not both could be put
// there, after one message box saying that the flight was not copied.
int vCopyFlight(HWND hWnd);

#endif
