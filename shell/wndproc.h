// The main window procedure, the edits' subclass procedure and the message
// handlers they dispatch to.
#ifndef KL_SHELL_WNDPROC_H
#define KL_SHELL_WNDPROC_H

#include <windows.h>

// Exported from the program under these plain names.
extern "C" {
LRESULT __stdcall WndMaiProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
LRESULT __stdcall WndTexProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
}

// Each handler gets the main window, the message, the low 16 bits of its
// first parameter and its second parameter.
void vMesCommand(HWND hWnd, UINT uMsg, UINT uParam, LPARAM lParam);
void vMesPaint(HWND hWnd, UINT uMsg, UINT uParam, LPARAM lParam);
void vMesSize(HWND hWnd, UINT uMsg, UINT uParam, LPARAM lParam);
void vMesTimer(HWND hWnd, UINT uMsg, UINT uParam, LPARAM lParam);

void vDeleteFonts(void);

#endif
