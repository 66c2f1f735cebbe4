// The flight as lines of "caption<TAB>value", so that it pastes into an
// editor as a list and into a spreadsheet as two columns.
#include "form/flight_text.h"

#include <stdio.h>
#include <string.h>

#include "calc/app_state.h"
#include "calc/units.h"
#include "form/results_text.h"

static const char kLineEnd[] = "\r\n";

// Appends to a text of nSize bytes, keeping count in *pnUsed; 0 once it no
// longer fits.
static int bAppend(char* pszText, int nSize, int* pnUsed, const char* pszFormat, const char* pszA,
                   const char* pszB)
{
    int nLeft = nSize - *pnUsed;
    int n = snprintf(pszText + *pnUsed, (size_t)nLeft, pszFormat, pszA, pszB);
    if (n < 0 || n >= nLeft)
        return 0;
    *pnUsed += n;
    return 1;
}

// A value without the colon and blanks that set it off from its caption.
static const char* pszBare(const char* psz)
{
    if (*psz == ':')
        psz++;
    while (*psz == ' ')
        psz++;
    return psz;
}

int vGetRouteText(char* pszText, int nSize)
{
    DiagramState* pD = pApp->pDiagram;
    FormState* pF = pApp->pForm;
    int nUsed = 0;
    if (nSize < 1)
        return 0;
    pszText[0] = '\0';
    int bOk = bAppend(pszText, nSize, &nUsed, "%s%s", pD->pszTitle, "");
    if (bOk && pF->bValid[Departure])
        bOk = bAppend(pszText, nSize, &nUsed, " %s %s", pD->pszFrom, pF->szInput[Departure]);
    if (bOk && pF->bValid[Destination])
        bOk = bAppend(pszText, nSize, &nUsed, " %s %s", pD->pszTo, pF->szInput[Destination]);
    return bOk;
}

int vGetFlightText(char* pszText, int nSize)
{
    FormState* pF = pApp->pForm;
    DiagramState* pD = pApp->pDiagram;
    if (!vGetRouteText(pszText, nSize))
        return 0;
    int nUsed = (int)strlen(pszText);
    if (!bAppend(pszText, nSize, &nUsed, "%s%s", kLineEnd, ""))
        return 0;

    for (int i = 0; i < INPUT_COUNT; i++) {
        const char* pszUnit = vShownUnit(i);
        if (!bAppend(pszText, nSize, &nUsed, "%s\t%s", vBareLabel(i), pF->szInput[i]))
            return 0;
        if (pszUnit[0] != '\0' && !bAppend(pszText, nSize, &nUsed, " %s%s", pszUnit, ""))
            return 0;
        if (!bAppend(pszText, nSize, &nUsed, "%s%s", kLineEnd, ""))
            return 0;
    }

    // The inputs as they are now: a paint may still be waiting for them.
    vComposeResults();
    const ResultTexts* pRes = &pD->results;
    for (int nRow = 0; nRow < LEGEND_ROWS; nRow++) {
        const char* pszValue = nRow == pRes->nNoticeRow ? pRes->szNotice : pRes->szValue[nRow];
        if (!bAppend(pszText, nSize, &nUsed, "%s\t%s", pD->pszLegend[nRow], pszBare(pszValue)) ||
            !bAppend(pszText, nSize, &nUsed, "%s%s", kLineEnd, ""))
            return 0;
    }
    return 1;
}
