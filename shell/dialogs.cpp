// The two modal dialogs: "Info" from the menu and the "Versions-Info"
// reminder at start-up.
#include "shell/dialogs.h"

#include "calc/app_state.h"
#include "shell/resource.h"

// The release this version reminds about: 27 March 2013 (years since 1900,
// months from 0).
static const int kRefYear = 113;
static const int kRefMonth = 2;
static const int kRefDay = 27;
static const long kReminderDays = 310;
static const long kSecondsPerDay = 86400;

extern "C" INT_PTR __stdcall WndDiaProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    // OK, Enter, Escape and the close box all arrive as a command.
    if (uMsg == WM_COMMAND) {
        EndDialog(hDlg, 1);
        return 1;
    }
    return 0;
}

int vReminderDue(const struct tm* pNow)
{
    if (pNow == NULL)
        return 0;
    // Both dates keep the current time of day and daylight-saving flag, so
    // the difference is whole days (up to a DST hour, which the truncating
    // division absorbs).
    struct tm tmNow = *pNow;
    struct tm tmRef = *pNow;
    tmRef.tm_year = kRefYear;
    tmRef.tm_mon = kRefMonth;
    tmRef.tm_mday = kRefDay;
    time_t tNow = mktime(&tmNow);
    time_t tRef = mktime(&tmRef);
    if (tNow == (time_t)-1 || tRef == (time_t)-1)
        return 0;
    long nDays = (long)((long long)(tNow - tRef) / kSecondsPerDay);
    if (nDays <= kReminderDays)
        return 0;
    return tmNow.tm_mday % 2 == 1;
}

void vVersionReminder(void)
{
    time_t t = time(NULL);
    // localtime fails for clocks it cannot represent: no reminder then.
    if (!vReminderDue(localtime(&t)))
        return;
    FormState* pForm = pApp->pForm;
    DialogBoxParamA(pForm->hInst, MAKEINTRESOURCEA(IDD_VERSION), pForm->hWndMain, pForm->pfnDialogProc, 0);
}
