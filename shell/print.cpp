// Printing: the print dialog chooses the printer, a device context is made
// for it in portrait, and the page goes out as a document of one page.
#include "shell/print.h"

#include <commdlg.h>
#include <string.h>

#include "shell/print_page.h"
#include "shell/resource.h"

static const char kDocName[] = KL_MAIN_TITLE;
static const char kPrintFailed[] = "Der Flug konnte nicht gedruckt werden. Bitte den Drucker pr\xFC"
                                   "fen.";

int vPrintFlightTo(HDC hdc, const char* pszOutput)
{
    DOCINFOA di;
    memset(&di, 0, sizeof(di));
    di.cbSize = sizeof(di);
    di.lpszDocName = kDocName;
    di.lpszOutput = pszOutput;
    if (StartDocA(hdc, &di) <= 0)
        return 0;
    if (StartPage(hdc) <= 0 || !vPaintPage(hdc) || EndPage(hdc) <= 0) {
        AbortDoc(hdc);
        return 0;
    }
    return EndDoc(hdc) > 0;
}

// The chosen printer's context, its page turned to portrait; null when it
// cannot be made.
static HDC hPortraitDc(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    DEVNAMES* pNames = hDevNames ? (DEVNAMES*)GlobalLock(hDevNames) : NULL;
    if (pNames == NULL)
        return NULL;
    DEVMODEA* pMode = hDevMode ? (DEVMODEA*)GlobalLock(hDevMode) : NULL;
    if (pMode != NULL) {
        pMode->dmFields |= DM_ORIENTATION;
        pMode->dmOrientation = DMORIENT_PORTRAIT;
    }
    const char* pszBase = (const char*)pNames;
    HDC hdc = CreateDCA(pszBase + pNames->wDriverOffset, pszBase + pNames->wDeviceOffset, NULL, pMode);
    if (pMode != NULL)
        GlobalUnlock(hDevMode);
    GlobalUnlock(hDevNames);
    return hdc;
}

int vPrintFlight(HWND hWnd)
{
    PRINTDLGA pd;
    memset(&pd, 0, sizeof(pd));
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = hWnd;
    pd.nCopies = 1;
    // One page, to a printer: no page range, no selection, no file, and no
    // warning of the dialog's own besides the program's one message. The
    // driver makes the copies asked for.
    pd.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_NOWARNING | PD_USEDEVMODECOPIESANDCOLLATE;
    int bChosen = PrintDlgA(&pd);
    int bPrinted = 0;
    if (bChosen) {
        HDC hdc = hPortraitDc(pd.hDevNames, pd.hDevMode);
        if (hdc != NULL) {
            bPrinted = vPrintFlightTo(hdc, NULL);
            DeleteDC(hdc);
        }
    }
    if (pd.hDevMode != NULL)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames != NULL)
        GlobalFree(pd.hDevNames);
    // A dialog closed without a choice and without an error: cancelled.
    if (!bPrinted && (bChosen || CommDlgExtendedError() != 0))
        MessageBoxA(hWnd, kPrintFailed, kDocName, MB_OK | MB_ICONEXCLAMATION);
    return bPrinted;
}
