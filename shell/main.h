// Program entry and start-up: window metrics, the main window class, the
// menu, the main window and the message loop.
#ifndef KL_SHELL_MAIN_H
#define KL_SHELL_MAIN_H

#include <windows.h>

// Runs the start-up sequence and the message loop; 0 on any start-up
// failure, else the quit message's code.
int vAppRun(HINSTANCE hInst);

// Initial window place and size from the screen metrics; always 1.
int vInitWindowMetrics(void);

int vRegisterMainClass(HINSTANCE hInst);
int vCreateMainMenu(void);
void vCreateAccelerators(void);
int vCreateMainWindow(HINSTANCE hInst);

// Runs until the quit message; returns the low 16 bits of its code.
int vMessageLoop(void);

#endif
