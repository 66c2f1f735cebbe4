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

// Shots kStillMs apart from shot on, until two in a row are the same by
// bSame: the last of them.
static const DWORD kStillMs = 300;

template <typename Same>
static Shot shotWhenStill(HWND hWnd, Shot shot, Same bSame)
{
    for (;;) {
        Sleep(kStillMs);
        Shot shotNext = shotOf(hWnd);
        if (bSame(shotNext, shot))
            return shotNext;
        shot = shotNext;
    }
}

Shot shotWhenSettled(HWND hWnd, const Shot& shotBefore)
{
    Shot shot = shotOf(hWnd);
    bWaitFor([&] {
        shot = shotOf(hWnd);
        return !bSameDiagram(shot, shotBefore);
    });
    return shotWhenStill(hWnd, shot, bSameDiagram);
}

Shot shotWhenShown(HWND hWnd)
{
    return shotWhenStill(hWnd, shotOf(hWnd), [](const Shot& a, const Shot& b) {
        return nFormWidthSeen(a) > 1 && a.nWidth == b.nWidth && a.vecPixels == b.vecPixels;
    });
}
