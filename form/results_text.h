// The results block: legend samples, captions, values or the prompt for the
// first missing input. Drawn in the diagram's logical units.
#ifndef KL_FORM_RESULTS_TEXT_H
#define KL_FORM_RESULTS_TEXT_H

#include <windows.h>

#include "calc/app_state.h"

// The rows of the block, then the ground speed (ROW_GROUND_SPEED).
enum {
    ROW_WIND = 0,
    ROW_COURSE = 1,
    ROW_HEADING = 2,
    ROW_WCA = 3,
    ROW_CH = 4,
    ROW_TIME = 5,
    ROW_FUEL = 6
};

// A result row's caption: the block's legend, or the ground speed's.
const char* vResultCaption(int nRow);

// Composes the block's texts for the current inputs into the diagram
// state's results record, computing every shown value afresh.
void vComposeResults(void);

// The same texts into a record of the caller's (the printed page's), the
// window's left as its last paint composed them.
void vComposeResultsInto(ResultTexts* pRes);

// What row nRow of the results record shows: its value, or the prompt or
// notice standing in it, without the colon and blanks that set it off from
// its caption; "" for a row that shows nothing.
const char* vShownResult(int nRow);

// Draws the block from the results record, at the places the layout gave.
void vPaintResults(HDC hdc);
void vDrawWrapped(HDC hdc, POINT pt, const char* pszText);

// The narrowest box, in pixels of the font selected into hdc, in which every
// prompt and the unflyable notice wraps whole into the lines its row leaves
// down to the bottom edge, rows one line apart.
int vNoticeMinWidth(HDC hdc);

#endif
