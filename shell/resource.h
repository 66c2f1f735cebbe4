// Resource and control identifiers of the program, grouped by kind. The
// resource script includes this file too, so it holds only #defines.
#ifndef KL_SHELL_RESOURCE_H
#define KL_SHELL_RESOURCE_H

// Class name and title of the main window (the test driver finds it by
// this), also the name of a printed document
#define KL_MAIN_TITLE "Kurslotse 2007"

// Icon (a group icon, also the class icon of the main window)
#define IDI_KURSLOTSE 5

// Dialog templates
#define IDD_INFO 1
#define IDD_VERSION 3

// Controls of the Info dialog
#define IDC_INFO_OK 10
#define IDC_INFO_TITLE 12
#define IDC_INFO_AUTHOR 13
#define IDC_INFO_GOAL_HEAD 14
#define IDC_INFO_GOAL 15
#define IDC_INFO_WARRANTY_HEAD 16
#define IDC_INFO_WARRANTY 17
#define IDC_INFO_FEEDBACK_HEAD 18
#define IDC_INFO_FEEDBACK 19
#define IDC_INFO_DOWNLOAD_HEAD 20
#define IDC_INFO_DOWNLOAD 21
#define IDC_INFO_URL 22
#define IDC_INFO_DOWNLOAD_END 23

// Controls of the version reminder
#define IDC_VERSION_OK 30
#define IDC_VERSION_OLD 31
#define IDC_VERSION_DOWNLOAD 32
#define IDC_VERSION_URL 33
#define IDC_VERSION_DOWNLOAD_END 34

// Menu commands
#define IDM_QUIT 102
#define IDM_COPY 103
#define IDM_PRINT 104
#define IDM_INFO 121

// Private window messages: a unit box closed its list (wParam: its InputId)
#define WM_UNIT_CLOSED (WM_APP + 1)

// The one timer: the delayed redraw of the diagram panel
#define IDT_REDRAW 101

#endif
