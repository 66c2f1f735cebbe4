// The results block: legend samples, captions, values or the prompt for the
// first missing input. Drawn in the diagram's logical units.
#ifndef KL_FORM_RESULTS_TEXT_H
#define KL_FORM_RESULTS_TEXT_H

#include <windows.h>

#include "calc/app_state.h"

enum {
    // The longest value: a time or fuel amount near the largest double,
    // whose 309 digits are all printed.
    RESULT_TEXT_SIZE = 512,
    NO_NOTICE = -1
};

// What the block shows for the current inputs, computed afresh: the value
// text of each row ("" for a row that shows none), and the prompt for the
// first missing input or the notice that the course cannot be flown, with
// the row it stands in (NO_NOTICE when there is none). Rows after a prompt
// or the notice show nothing.
typedef struct {
    char szValue[LEGEND_ROWS][RESULT_TEXT_SIZE];
    char szNotice[RESULT_TEXT_SIZE];
    int nNoticeRow;
} ResultTexts;

void vGetResultTexts(ResultTexts* pRes);

void vPaintResults(HDC hdc);
void vDrawWrapped(HDC hdc, POINT pt, const char* pszText);

#endif
