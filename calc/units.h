// Switching the unit of an input: the typed number is converted and the
// text rewritten so the quantity stays the same.
#ifndef KL_CALC_UNITS_H
#define KL_CALC_UNITS_H

#include <windows.h>

// WM_COMMAND handler of the unit comboboxes (IDC_UNIT_BASE plus the input).
void vMesComUnit(UINT uMsg, WPARAM wParam);

// The platform-free part: input id now has unit choice nNewChoice.
void vApplyUnitChoice(int id, int nNewChoice);

// 1 and the choice input i's unit box starts with, before the settings
// file is read; 0 for an input without a unit choice.
int vDefaultUnit(int i, int* pnSel);

// The unit shown after input id's text: the chosen one, or the only one;
// "" for an empty field or an input without a unit.
const char* vShownUnit(int id);

#endif
