// The flight's text goes on the clipboard in the program's own code page
// (Windows-1252) and as Unicode, so that the degree sign arrives as such
// whatever code page the pasting program assumes.
#include "shell/clipboard.h"

#include <string.h>

#include "form/flight_text.h"

static const UINT kTextCodePage = 1252;

// A movable block holding nBytes copied from pData, or null.
static HGLOBAL hGlobalCopy(const void* pData, size_t nBytes)
{
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE, nBytes);
    if (hMem == NULL)
        return NULL;
    void* p = GlobalLock(hMem);
    if (p == NULL) {
        GlobalFree(hMem);
        return NULL;
    }
    memcpy(p, pData, nBytes);
    GlobalUnlock(hMem);
    return hMem;
}

// The clipboard owns a block once SetClipboardData took it; else it is ours.
static int bHandOver(UINT uFormat, HGLOBAL hMem)
{
    if (hMem == NULL)
        return 0;
    if (SetClipboardData(uFormat, hMem) == NULL) {
        GlobalFree(hMem);
        return 0;
    }
    return 1;
}

int vCopyFlight(HWND hWnd)
{
    static char szText[FLIGHT_TEXT_SIZE];
    static WCHAR wszText[FLIGHT_TEXT_SIZE];
    if (!vGetFlightText(szText, sizeof(szText)))
        return 0;
    int nChars = MultiByteToWideChar(kTextCodePage, 0, szText, -1, wszText, FLIGHT_TEXT_SIZE);
    if (nChars == 0)
        return 0;
    if (!OpenClipboard(hWnd))
        return 0;
    int bOk = EmptyClipboard() && bHandOver(CF_UNICODETEXT, hGlobalCopy(wszText, nChars * sizeof(WCHAR))) &&
              bHandOver(CF_TEXT, hGlobalCopy(szText, strlen(szText) + 1));
    CloseClipboard();
    return bOk;
}
