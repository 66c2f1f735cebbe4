// "Drucken ...": the platform's print dialog, then the flight on one page.
#ifndef KL_SHELL_PRINT_H
#define KL_SHELL_PRINT_H

#include <windows.h>

// Asks for the printer and prints one portrait page on it. Cancelling the
// dialog prints nothing and says nothing; where no printer can be had or
// printing fails, one message box owned by hWnd says so. 1 when printed.
int vPrintFlight(HWND hWnd);

// Prints the page as a document of its own on the printer's context; with
// pszOutput, into that file instead of to the printer. 1 on success; on a
// failure the document is abandoned and 0 returned.
int vPrintFlightTo(HDC hdc, const char* pszOutput);

#endif
