// Controls for tests that run in both builds: fake ones on the host, real
// "edit" and "combobox" windows under Wine.
#ifndef KL_TESTS_SUPPORT_CONTROLS_H
#define KL_TESTS_SUPPORT_CONTROLS_H

#include <windows.h>

// A single-line edit with an empty text.
HWND testNewEdit(void);

// A drop-down combobox holding two items, item nSel selected.
HWND testNewCombo(const char* pszItem0, const char* pszItem1, int nSel);

// Puts text into an edit or a combobox's field as the user would leave it.
void testSetText(HWND hWnd, const char* pszText);

// Makes the combobox report no selection (CB_ERR), as after typing into it.
void testClearSelection(HWND hWnd);

// Selects an item without any notification, as a mouse pick would leave it.
void testSelect(HWND hWnd, int nSel);

// Destroys every control made by the functions above.
void testDestroyControls(void);

#endif
