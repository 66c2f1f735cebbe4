#include "picture.h"

#include <algorithm>
#include <vector>

int nFormWidthSeen(const Shot& shot)
{
    int y = shot.nHeight - 3; // below the last input row
    int x = 1;
    while (x < shot.nWidth && shot.dwAt(x, y) == kYellow)
        x++;
    return x;
}

bool bGeometry(const Shot& shot, Geometry* pGeo)
{
    int nForm = nFormWidthSeen(shot);
    if (shot.nWidth - nForm < shot.nHeight) // a landscape panel is assumed
        return false;
    int x = nForm + shot.nHeight / 2;
    // The pen may fall on either neighbouring column.
    std::vector<Band> vecRuns = vecBands(shot, x - 1, x + 2, 0, shot.nHeight - 1, [](DWORD dw) { return dw == 0; });
    int nLongest = 0;
    for (const Band& r : vecRuns)
        nLongest = std::max(nLongest, r.nHeight());
    const Band* pTop = NULL;
    const Band* pBottom = NULL;
    for (const Band& r : vecRuns) {
        if (r.nHeight() * 10 < nLongest * 7)
            continue;
        if (pTop == NULL)
            pTop = &r;
        pBottom = &r;
    }
    if (pTop == NULL || pTop == pBottom)
        return false;
    pGeo->nCentreX = x;
    pGeo->nCentreY = (pTop->y0 + pBottom->y1) / 2;
    int nRadius = (pBottom->y1 - pTop->y0) / 2;
    int nTick = ((pTop->y1 - pTop->y0) + (pBottom->y1 - pBottom->y0)) / 2;
    pGeo->nVectorLen = nRadius - nTick;
    pGeo->nRoseBottom = pBottom->y1;
    return pGeo->nVectorLen > 20;
}

bool bSameDiagram(const Shot& a, const Shot& b)
{
    if (a.nWidth != b.nWidth || a.nHeight != b.nHeight)
        return false;
    int x0 = nFormWidthSeen(a);
    for (int y = 0; y < a.nHeight; y++)
        for (int x = x0; x < a.nWidth; x++)
            if (a.dwAt(x, y) != b.dwAt(x, y))
                return false;
    return true;
}

// A painted picture has stayed still this long.
static const DWORD kStillMs = 300;

Shot shotWhenSettled(HWND hWnd, const Shot& shotBefore)
{
    Shot shot = shotOf(hWnd);
    bWaitFor([&] {
        shot = shotOf(hWnd);
        return !bSameDiagram(shot, shotBefore);
    });
    for (;;) {
        Sleep(kStillMs);
        Shot shotNext = shotOf(hWnd);
        if (bSameDiagram(shotNext, shot))
            return shotNext;
        shot = shotNext;
    }
}

Shot shotWhenShown(HWND hWnd)
{
    Shot shot = shotOf(hWnd);
    bWaitFor([&] {
        Sleep(kStillMs);
        Shot shotNext = shotOf(hWnd);
        bool bStill = nFormWidthSeen(shotNext) > 1 && shotNext.nWidth == shot.nWidth &&
                      shotNext.vecPixels == shot.vecPixels;
        shot = shotNext;
        return bStill;
    });
    return shot;
}
