// Where things land in a shot of the real window: the form panel's width,
// the compass rose, and a diagram that has stopped changing.
#ifndef KL_TESTS_E2E_PICTURE_H
#define KL_TESTS_E2E_PICTURE_H

#include <math.h>

#include <vector>

#include "session.h"

// Pixels of a shot as 0xRRGGBB.
const DWORD kYellow = 0xFFFF00;
const DWORD kWhite = 0xFFFFFF;
const DWORD kBlue = 0x0000FF;

// Where the compass rose lands on screen. Its centre column follows from
// the mapping alone: the logical origin sits half the client height right of
// the form panel (whose width is seen in the pixels). Along that column the
// north and south ticks are the two long black runs; they give the centre
// row, the radius and the tick length, whatever size the fonts came out.
struct Geometry {
    int nCentreX = 0;
    int nCentreY = 0;
    int nVectorLen = 0; // pixels: radius less one tick, the longest vector
    int nRoseBottom = 0; // lowest row of the circle
    POINT ptAt(double dDir, double dLen) const
    {
        POINT pt = {(LONG)lround(nCentreX + cos(dRad(90 - dDir)) * dLen),
                    (LONG)lround(nCentreY - sin(dRad(90 - dDir)) * dLen)};
        return pt;
    }
    static double dRad(double dDeg) { return dDeg * 3.141592654 / 180.0; }
};

struct Band {
    int y0, y1; // first and last row with ink
    int nHeight() const { return y1 - y0 + 1; }
};

// Rows y0..y1 and columns x0..x1-1 of the shot: bands of consecutive rows
// that hold a pixel for which bInk is true.
template <typename Ink>
std::vector<Band> vecBands(const Shot& shot, int x0, int x1, int y0, int y1, Ink bInk)
{
    std::vector<Band> vec;
    for (int y = y0; y <= y1; y++) {
        bool bAny = false;
        for (int x = x0; x < x1 && !bAny; x++)
            bAny = bInk(shot.dwAt(x, y));
        if (!bAny)
            continue;
        if (!vec.empty() && vec.back().y1 == y - 1)
            vec.back().y1 = y;
        else
            vec.push_back({y, y});
    }
    return vec;
}

// Width of the yellow form panel, seen along a row below the last input.
int nFormWidthSeen(const Shot& shot);

// Finds the compass rose in a shot with a landscape diagram panel.
bool bGeometry(const Shot& shot, Geometry* pGeo);

// Same size and the same pixels right of the form panel.
bool bSameDiagram(const Shot& a, const Shot& b);

// Waits until the diagram panel has changed and then stayed still.
Shot shotWhenSettled(HWND hWnd, const Shot& shotBefore);

// Waits until a window just started shows its form panel and has stayed
// still: the window is found before its first paint reaches the screen.
Shot shotWhenShown(HWND hWnd);

#endif
