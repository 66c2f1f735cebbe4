#include "calc/input.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "calc/app_state.h"

// One knot is taken as 1.85 km/h and one nautical mile as 1.85 km; one litre
// per minute is 60 l/h. The reciprocals are stored, not divided each time,
// so a value converted there and back can move in its last bits.
static const double kKnot = 1.85;
static const double kPerKnot = 1 / 1.85;
static const double kPerHour = 60.0;
static const double kPerMinute = 1 / 60.0;

static int bIsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

static int bIsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the number at the start of pszText: blanks, a sign, digits with at
// most one point (at least one digit), and an exponent whose digits may be
// missing ("2E" is 2). Nothing else is a number: no "inf", "nan" or hex form
// as the C library would take them, and no value beyond the range of a double.
static int bReadNumber(const char* pszText, double* pValue)
{
    const char* p = pszText;
    while (bIsSpace(*p))
        p++;
    const char* pNumber = p;
    if (*p == '+' || *p == '-')
        p++;
    const char* pMantissa = p;
    int nDigits = 0;
    int bPoint = 0;
    for (;; p++) {
        if (bIsDigit(*p))
            nDigits++;
        else if (*p == '.' && !bPoint)
            bPoint = 1;
        else
            break;
    }
    if (nDigits == 0)
        return 0;

    // From a digit or point on, the C library reads exactly this syntax (an
    // exponent without digits is not part of the number there either), but
    // for one form: it would go on to read "0x1A" as hexadecimal, where here
    // the number ends at the x.
    double d;
    if ((*p == 'x' || *p == 'X') && p - pMantissa == 1 && *pMantissa == '0')
        d = (*pNumber == '-') ? -0.0 : 0.0;
    else
        d = strtod(pNumber, NULL);
    if (!isfinite(d))
        return 0; // beyond the range of a double
    *pValue = d;
    return 1;
}

// Charts print a variation as "3\xB0W": the degree sign is passed over
// like a blank, so it neither hides the W nor counts as a letter.
static const char kDegreeSign = '\xB0';

// East is positive, west negative: a "W" right after the number (blanks,
// a degree sign and the number's own characters aside) negates it.
static void vApplyWestRule(const char* pszText, double* pValue)
{
    enum { GAP_NONE, GAP_BEFORE_DIGITS, GAP_AFTER_DIGITS };
    int bDigitSeen = 0;
    int nGap = GAP_NONE;
    for (const char* p = pszText; *p != '\0'; p++) {
        char c = *p;
        if (bIsSpace(c) || c == kDegreeSign) {
            nGap = bDigitSeen ? GAP_AFTER_DIGITS : GAP_BEFORE_DIGITS;
        } else if (bIsDigit(c)) {
            if (nGap == GAP_AFTER_DIGITS)
                return;
            bDigitSeen = 1;
        } else if (c == '.' || c == ',' || c == '+' || c == '-') {
            if (nGap == GAP_AFTER_DIGITS)
                return;
        } else {
            if (c == 'W' || c == 'w')
                *pValue = -*pValue;
            return;
        }
    }
}

int vGetValue(const char* pszText, int id, double* pValue)
{
    if (pszText == NULL || pValue == NULL)
        return 0;
    *pValue = 0;
    if (pszText[0] == '\0')
        return 0;

    int bRead = bReadNumber(pszText, pValue);
    if (id == Variation || id == Deviation)
        vApplyWestRule(pszText, pValue);

    double dFactor;
    vGetFakIn(id, &dFactor);
    *pValue *= dFactor;

    // A huge typed value can still overflow in its unit conversion; the
    // calculation relies on every value being finite. A failed reading leaves
    // a plain 0 (the west rule may have turned it into -0).
    if (!bRead || !isfinite(*pValue)) {
        *pValue = 0;
        return 0;
    }
    return 1;
}

int vCheckInput(int id, const char* pszText)
{
    if (id < 0 || id >= INPUT_COUNT)
        return 0;
    if (id == Departure || id == Destination)
        return 1;
    double dValue;
    return vGetValue(pszText, id, &dValue);
}

void vGetFakIn(int id, double* pFactor)
{
    *pFactor = 1;
    if (id < 0 || id >= INPUT_COUNT || pApp->pForm->nUnitSel[id] != 1)
        return;
    if (id == Tas || id == WindSpeed || id == Distance)
        *pFactor = kKnot;
    else if (id == FuelFlow)
        *pFactor = kPerHour;
}

void vGetFakOut(int id, int nOld, int nNew, double* pFactor)
{
    *pFactor = 1;
    if (nOld == nNew)
        return;

    int nCheck; // number in the consistency message
    double dToOne, dToZero;
    switch (id) {
    case Tas: nCheck = 1; dToOne = kPerKnot; dToZero = kKnot; break;
    case WindSpeed: nCheck = 2; dToOne = kPerKnot; dToZero = kKnot; break;
    case Distance: nCheck = 3; dToOne = kPerKnot; dToZero = kKnot; break;
    case FuelFlow: nCheck = 4; dToOne = kPerMinute; dToZero = kPerHour; break;
    default: return;
    }
    if (nOld == 0)
        *pFactor = dToOne;
    else if (nOld == 1)
        *pFactor = dToZero;
    else
        fprintf(stderr, "Error: Check vGetFakOut (%d)!\n", nCheck);
}

void vStoreInputText(int id, const char* pszText, int n)
{
    FormState* pForm = pApp->pForm;
    if (strcmp(pszText, pForm->szInput[id]) == 0)
        return;
    snprintf(pForm->szInput[id], INPUT_TEXT_SIZE, "%s", pszText);

    int bNewValid = n >= 1 && vCheckInput(id, pForm->szInput[id]);
    if (!pForm->bValid[id] && !bNewValid)
        return; // was and stays invalid: nothing to redraw

    pForm->bValid[id] = bNewValid;
    pApp->pTimer->bPending = 1;
    pApp->pTimer->nElapsed = 0;
}

void vMesComText(UINT uMsg, WPARAM wParam)
{
    int id = LOWORD(wParam);
    if (uMsg != WM_COMMAND || id >= INPUT_COUNT)
        return;
    // The whole buffer: the edit takes no more than it holds, so the text
    // computed with is always the text in the field.
    // Empty to start with: a failed read need not write the buffer.
    char szText[INPUT_TEXT_SIZE] = "";
    int n = GetWindowTextA(pApp->pForm->hEdit[id], szText, INPUT_TEXT_SIZE);
    if (n <= 0) {
        n = 0;
        szText[0] = '\0';
    }
    vStoreInputText(id, szText, n);
}
