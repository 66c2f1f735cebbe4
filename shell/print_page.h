// The flight on one printed page: the diagram panel as the window paints
// it (title with the route, compass rose with the wind triangle, results
// block), and below it the ten inputs with their units.
#ifndef KL_SHELL_PRINT_PAGE_H
#define KL_SHELL_PRINT_PAGE_H

#include <windows.h>

// Paints the page on a printer's device context between StartPage and
// EndPage, in the context's own pixels; fonts and line widths are made for
// its resolution. The window's layout and fonts are left as they were.
// 1, or 0 when the page's fonts could not be made (nothing is drawn then).
int vPaintPage(HDC hdc);

#endif
