// The flight's text goes on the clipboard in the program's own code page
// (Windows-1252) and as Unicode, so that the degree sign arrives as such
// whatever code page the pasting program assumes.
#include "shell/clipboard.h"

#include <string.h>

#include "form/flight_text.h"
#include "shell/resource.h"

static const UINT kTextCodePage = 1252;
static const char kCopyTitle[] = KL_MAIN_TITLE;
static const char kCopyFailed[] = "Der Flug wurde nicht kopiert: die Zwischenablage ist belegt. Was sie "
                                  "jetzt enth\xE4lt, ist nicht dieser Flug.";

enum {
    // Another program may hold the clipboard for a moment (a clipboard
    // manager reading what was just put there): asked again for about
    // half a second before the copy gives up.
    OPEN_TRIES = 10,
    OPEN_PAUSE_MS = 50
};

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

static int bOpenClipboard(HWND hWnd)
{
    for (int i = 0; i < OPEN_TRIES; i++) {
        if (i > 0)
            Sleep(OPEN_PAUSE_MS);
        if (OpenClipboard(hWnd))
            return 1;
    }
    return 0;
}

// Both forms or neither: a half-done copy is emptied again, so that no
// program pastes one form of this flight while the other is missing.
static int bPutText(const char* pszText, const WCHAR* pwszText, int nChars)
{
    int bOk = EmptyClipboard() && bHandOver(CF_UNICODETEXT, hGlobalCopy(pwszText, nChars * sizeof(WCHAR))) &&
              bHandOver(CF_TEXT, hGlobalCopy(pszText, strlen(pszText) + 1));
    if (!bOk)
        EmptyClipboard();
    return bOk;
}

int vCopyFlight(HWND hWnd)
{
    static char szText[FLIGHT_TEXT_SIZE];
    static WCHAR wszText[FLIGHT_TEXT_SIZE];
    int bOk = 0;
    if (vGetFlightText(szText, sizeof(szText))) {
        int nChars = MultiByteToWideChar(kTextCodePage, 0, szText, -1, wszText, FLIGHT_TEXT_SIZE);
        if (nChars > 0 && bOpenClipboard(hWnd)) {
            bOk = bPutText(szText, wszText, nChars);
            CloseClipboard();
        }
    }
    // A clipboard held by another program cannot be emptied either: what
    // it holds stays, so the user has to be told it is not this flight.
    if (!bOk)
        MessageBoxA(hWnd, kCopyFailed, kCopyTitle, MB_OK | MB_ICONEXCLAMATION);
    return bOk;
}
