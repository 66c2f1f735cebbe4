#include "calc/text_buffer.h"

#include <stdarg.h>
#include <stdio.h>

int vAppendText(char* pszText, int nSize, int n, const char* pszFormat, ...)
{
    if (n < 0 || n >= nSize)
        return -1;
    va_list args;
    va_start(args, pszFormat);
    int nAdded = vsnprintf(pszText + n, (size_t)(nSize - n), pszFormat, args);
    va_end(args);
    return (nAdded < 0 || nAdded >= nSize - n) ? -1 : n + nAdded;
}
