// Texts put together piece by piece in a buffer of fixed size.
#ifndef KL_CALC_TEXT_BUFFER_H
#define KL_CALC_TEXT_BUFFER_H

// Appends what pszFormat makes of the arguments to pszText (nSize bytes)
// at its length n; the new length, or -1 when the piece does not fit (the
// text is then cut) or n is -1 already, so that a chain of appends needs
// one check at its end.
int vAppendText(char* pszText, int nSize, int n, const char* pszFormat, ...)
    __attribute__((format(printf, 4, 5)));

#endif
