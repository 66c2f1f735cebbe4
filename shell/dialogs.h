// The Info dialog's and the version reminder's procedure, and the reminder.
#ifndef KL_SHELL_DIALOGS_H
#define KL_SHELL_DIALOGS_H

#include <windows.h>
#include <time.h>

// Any command closes the dialog; everything else is the default handling.
extern "C" INT_PTR __stdcall WndDiaProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

// 1 when the reminder is due on the local date *pNow: more than 310 whole
// days after 27 March 2013 and an odd day of the month.
int vReminderDue(const struct tm* pNow);

// Shows the "Versions-Info" dialog at start-up when it is due today.
void vVersionReminder(void);

#endif
