// A drawing surface for tests that run in both builds: a memory DC under
// Wine, a recording DC on the host. Fonts made here are the program's own
// request, "Helv" at a given height.
#ifndef KL_TESTS_SUPPORT_SURFACE_DC_H
#define KL_TESTS_SUPPORT_SURFACE_DC_H

#include <string.h>
#include <windows.h>

#ifndef _WIN32
#include "fakegdi.h"
#endif

inline HDC hTestDC(void)
{
#ifdef _WIN32
    return CreateCompatibleDC(NULL);
#else
    return hostNewDC();
#endif
}

inline void vFreeTestDC(HDC hdc)
{
#ifdef _WIN32
    DeleteDC(hdc);
#else
    hostDeleteDC(hdc);
#endif
}

inline HFONT hHelvFont(int nHeight)
{
    LOGFONTA lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = nHeight;
    strcpy(lf.lfFaceName, "Helv");
    return CreateFontIndirectA(&lf);
}

#endif
