// The flight as lines of "caption<TAB>number<TAB>unit", so that it pastes
// into an editor as a list and into a spreadsheet as three columns whose
// middle one it can compute with.
#include "form/flight_text.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include "calc/app_state.h"
#include "calc/text_buffer.h"
#include "calc/units.h"
#include "form/results_text.h"

static const char kLineEnd[] = "\r\n";
static const char kCellEnd[] = "\t";
static const char kPoint[] = ".";

enum {
    DECIMAL_SIZE = 4, // the platform's longest decimal separator, three characters
    ROUTE_SIZE = 3 * INPUT_TEXT_SIZE
};

// A text under construction: the buffer, its size and the bytes used.
struct TextBuffer {
    char* psz;
    int nSize;
    int nUsed;
    char szDecimal[DECIMAL_SIZE];
};

// Appends nLength bytes of psz, separators as they are; 0 once it no
// longer fits.
static int bAppendSeparator(TextBuffer* pBuf, const char* psz)
{
    int nLength = (int)strlen(psz);
    if (nLength >= pBuf->nSize - pBuf->nUsed)
        return 0;
    memcpy(pBuf->psz + pBuf->nUsed, psz, (size_t)nLength + 1);
    pBuf->nUsed += nLength;
    return 1;
}

// Appends nLength bytes of a cell's text; a tab, a line end or any other
// control character becomes a blank, so that no typed text starts a cell or
// a line of its own. 0 once it no longer fits.
static int bAppendN(TextBuffer* pBuf, const char* psz, int nLength)
{
    if (nLength >= pBuf->nSize - pBuf->nUsed)
        return 0;
    for (int i = 0; i < nLength; i++)
        pBuf->psz[pBuf->nUsed++] = (unsigned char)psz[i] < ' ' ? ' ' : psz[i];
    pBuf->psz[pBuf->nUsed] = '\0';
    return 1;
}

static int bAppend(TextBuffer* pBuf, const char* psz) { return bAppendN(pBuf, psz, (int)strlen(psz)); }

// Appends a number written with a point, the point as the user's regional
// setting writes it.
static int bAppendNumber(TextBuffer* pBuf, const char* pszNumber)
{
    const char* pszPoint = strchr(pszNumber, '.');
    if (pszPoint == NULL)
        return bAppend(pBuf, pszNumber);
    return bAppendN(pBuf, pszNumber, (int)(pszPoint - pszNumber)) && bAppend(pBuf, pBuf->szDecimal) &&
           bAppend(pBuf, pszPoint + 1);
}

// A tab, the line's last cell and the line end: every line has three cells.
static int bEndLine(TextBuffer* pBuf, const char* pszUnit)
{
    return bAppendSeparator(pBuf, kCellEnd) && bAppend(pBuf, pszUnit) && bAppendSeparator(pBuf, kLineEnd);
}

// 1 when the text, blanks around it aside, is a plain decimal number: a
// sign, digits and at most one point, nothing else. *pnStart and *pnLength
// give the number within the text.
static int bPlainNumber(const char* psz, int* pnStart, int* pnLength)
{
    int n = 0;
    while (psz[n] == ' ')
        n++;
    *pnStart = n;
    if (psz[n] == '+' || psz[n] == '-')
        n++;
    int nDigits = 0, nPoints = 0;
    for (; isdigit((unsigned char)psz[n]) || psz[n] == '.'; n++) {
        nDigits += psz[n] != '.';
        nPoints += psz[n] == '.';
    }
    *pnLength = n - *pnStart;
    while (psz[n] == ' ')
        n++;
    return psz[n] == '\0' && nDigits > 0 && nPoints <= 1;
}

// The separator the user's regional settings put before decimals; the
// point when they cannot be read or name none.
static void vReadDecimalSeparator(char* pszDecimal, int nSize)
{
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, pszDecimal, nSize) <= 1)
        snprintf(pszDecimal, (size_t)nSize, "%s", kPoint);
}

int vGetRouteText(char* pszText, int nSize)
{
    DiagramState* pD = pApp->pDiagram;
    FormState* pF = pApp->pForm;
    if (nSize < 1)
        return 0;
    pszText[0] = '\0';
    int n = vAppendText(pszText, nSize, 0, "%s", pD->pszTitle);
    if (pF->bValid[Departure])
        n = vAppendText(pszText, nSize, n, " %s %s", pD->pszFrom, pF->szInput[Departure]);
    if (pF->bValid[Destination])
        n = vAppendText(pszText, nSize, n, " %s %s", pD->pszTo, pF->szInput[Destination]);
    return n >= 0;
}

// An input's line: its label, the text (in the number cell as a number
// where it reads as one) and its unit.
static int bAppendInput(TextBuffer* pBuf, int id)
{
    const char* pszTyped = pApp->pForm->szInput[id];
    int nStart, nLength;
    if (!bAppend(pBuf, vBareLabel(id)) || !bAppendSeparator(pBuf, kCellEnd))
        return 0;
    if (id != Departure && id != Destination && bPlainNumber(pszTyped, &nStart, &nLength)) {
        char szNumber[INPUT_TEXT_SIZE];
        snprintf(szNumber, sizeof(szNumber), "%.*s", nLength, pszTyped + nStart);
        if (!bAppendNumber(pBuf, szNumber))
            return 0;
    } else if (!bAppend(pBuf, pszTyped)) {
        return 0;
    }
    return bEndLine(pBuf, vShownUnit(id));
}

// A result's line: caption, number and unit, or the prompt or notice that
// stands in its row in place of a number.
static int bAppendResult(TextBuffer* pBuf, const ResultTexts* pRes, int nRow)
{
    if (!bAppend(pBuf, vResultCaption(nRow)) || !bAppendSeparator(pBuf, kCellEnd))
        return 0;
    if (nRow == pRes->nNoticeRow) {
        // The notice without the colon and blanks that set it off.
        const char* psz = pRes->szNotice;
        while (*psz == ':' || *psz == ' ')
            psz++;
        return bAppend(pBuf, psz) && bEndLine(pBuf, "");
    }
    return bAppendNumber(pBuf, pRes->szNumber[nRow]) && bEndLine(pBuf, pRes->szUnit[nRow]);
}

int vGetFlightText(char* pszText, int nSize)
{
    if (nSize < 1)
        return 0;
    TextBuffer buf = {pszText, nSize, 0, ""};
    pszText[0] = '\0';
    vReadDecimalSeparator(buf.szDecimal, sizeof(buf.szDecimal));

    char szRoute[ROUTE_SIZE];
    if (!vGetRouteText(szRoute, sizeof(szRoute)) || !bAppend(&buf, szRoute) || !bAppendSeparator(&buf, kCellEnd) ||
        !bEndLine(&buf, ""))
        return 0;
    for (int id = 0; id < INPUT_COUNT; id++)
        if (!bAppendInput(&buf, id))
            return 0;

    // The inputs as they are now: a paint may still be waiting for them.
    vComposeResults();
    const ResultTexts* pRes = &pApp->pDiagram->results;
    for (int nRow = 0; nRow < RESULT_ROWS; nRow++)
        if (!bAppendResult(&buf, pRes, nRow))
            return 0;
    return 1;
}
