// The flight on one printed page for the kneeboard: route and date, the
// four numbers flown by and the ground speed, the compass rose with the
// wind triangle (each line a width of its own), its legend, the inputs.
#ifndef KL_SHELL_PRINT_PAGE_H
#define KL_SHELL_PRINT_PAGE_H

#include <windows.h>

// Paints the page on a printer's device context between StartPage and
// EndPage, in the context's own pixels, laid out for its paper within the
// printable area and a margin from each edge; fonts and line widths are
// made for its resolution. The window's state is left as it was.
// 1, or 0 when the page's fonts could not be made (nothing is drawn then).
int vPaintPage(HDC hdc);

#endif
