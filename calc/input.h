// The ten input texts, their validity and their values in base units
// (km/h, km, l/h, degrees), plus the unit factors.
#ifndef KL_CALC_INPUT_H
#define KL_CALC_INPUT_H

#include <windows.h>

// WM_COMMAND handler of the ten edits: takes a changed text into szInput.
void vMesComText(UINT uMsg, WPARAM wParam);

// The platform-free part of vMesComText: stores a text of length n that was
// read from the edit of input id, updates its validity, starts the redraw.
void vStoreInputText(int id, const char* pszText, int n);

// 1 when pszText is a valid entry for input id.
int vCheckInput(int id, const char* pszText);

// Reads the number at the start of pszText, applies the west rule for
// Variation and Deviation and the selected unit; 1 on success.
int vGetValue(const char* pszText, int id, double* pValue);

// Factor from the unit selected for input id to its base unit.
void vGetFakIn(int id, double* pFactor);

// Factor from unit choice nOld to nNew of input id.
void vGetFakOut(int id, int nOld, int nNew, double* pFactor);

#endif
