// Every text the program's code draws, with the box it fills in device
// pixels, recorded as the real GDI draws it: the test program's own imports
// of TextOutA and DrawTextA are pointed at recorders that measure each text
// on its own device context and then draw it unchanged.
#ifndef KL_TESTS_WINDOWS_TEXT_BOXES_H
#define KL_TESTS_WINDOWS_TEXT_BOXES_H

#include <windows.h>

#include <string>
#include <vector>

struct TextBox {
    std::string strText;
    RECT rc; // device pixels, right and bottom exclusive
};

// Starts recording (the recorders stay in place for the rest of the run);
// 1 when both imports were found and redirected.
int bRecordTexts(void);

// The texts drawn since the last call, and forgets them.
std::vector<TextBox> vecTakeTexts(void);

// 1 when the two boxes share more than one row or column of pixels (a
// single one is the rounding of two cells that touch).
int bOverlap(const RECT& a, const RECT& b);

#endif
