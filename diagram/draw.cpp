// Drawing helpers: colour conversion, filled rectangles, lines, rays, text,
// the pen and brush bookkeeping every painted element shares, and the text
// font of both panels with its measuring.
#include "diagram/draw.h"

#include <math.h>
#include <string.h>

#include "calc/navmath.h"
#include "calc/trig.h"

enum {
    COLOUR_MAX = 255,
    DOT_WIDTHS = 3 // a wide dotted line: dots and gaps this many line widths long
};

// One component: above 1 is 1, below 0 or not a number is 0, then scaled
// and truncated (0.7 held as a float gives 178).
static int nComponent(float f)
{
    if (f > 1.0f)
        f = 1.0f;
    else if (!(f >= 0.0f))
        f = 0.0f;
    return (int)((double)f * COLOUR_MAX);
}

COLORREF vColorFromFloats(float fRed, float fGreen, float fBlue)
{
    return (COLORREF)(nComponent(fRed) + 256 * nComponent(fGreen) + 65536 * nComponent(fBlue));
}

void vFillRect(PAINTSTRUCT* pPs, POINT ptCorner, SIZE size)
{
    if (pPs == NULL)
        return;
    // Top-left, bottom-left, bottom-right, top-right.
    POINT pts[4] = {
        {ptCorner.x, ptCorner.y},
        {ptCorner.x, ptCorner.y + size.cy},
        {ptCorner.x + size.cx, ptCorner.y + size.cy},
        {ptCorner.x + size.cx, ptCorner.y},
    };
    Polygon(pPs->hdc, pts, 4);
}

BOOL vDrawLine(HDC hdc, POINT ptFrom, POINT ptTo)
{
    MoveToEx(hdc, ptFrom.x, ptFrom.y, NULL);
    return LineTo(hdc, ptTo.x, ptTo.y);
}

// The offset is rounded before the start is added, so a whole negative
// offset comes out one unit short (-100 gives -99).
BOOL vDrawRay(HDC hdc, POINT ptStart, double dAngle, int nLength)
{
    double dTheta = vDegToRad(dAngle);
    POINT ptEnd;
    ptEnd.x = ptStart.x + vRound(vCos(dTheta) * nLength);
    ptEnd.y = ptStart.y + vRound(vSin(dTheta) * nLength);
    return vDrawLine(hdc, ptStart, ptEnd);
}

void vFillPanel(PAINTSTRUCT* pPs, POINT ptCorner, SIZE size, COLORREF color)
{
    if (pPs == NULL)
        return;
    HDC hdc = pPs->hdc;
    HBRUSH hBrush = CreateSolidBrush(color);
    HGDIOBJ hOldBrush = hBrush ? SelectObject(hdc, hBrush) : NULL;
    HGDIOBJ hOldPen = SelectObject(hdc, GetStockObject(NULL_PEN));
    vFillRect(pPs, ptCorner, size);
    if (hOldPen)
        SelectObject(hdc, hOldPen);
    if (hOldBrush)
        SelectObject(hdc, hOldBrush);
    if (hBrush)
        DeleteObject(hBrush);
}

HGDIOBJ vSelectNewPen(HDC hdc, int nStyle, int nWidth, COLORREF color)
{
    HPEN hPen;
    if (nStyle == PS_DOT && nWidth > 1) {
        // A dotted pen wider than a pixel draws solid, on the screen and on
        // paper: printed lines are several pixels wide, so their dots are
        // spelt out, dots and gaps each three line widths long.
        DWORD dwDots[2] = {(DWORD)(DOT_WIDTHS * nWidth), (DWORD)(DOT_WIDTHS * nWidth)};
        LOGBRUSH lb = {BS_SOLID, color, 0};
        hPen = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, (DWORD)nWidth, &lb, 2, dwDots);
    } else {
        hPen = CreatePen(nStyle, nWidth, color);
    }
    if (hPen == NULL)
        return NULL;
    HGDIOBJ hOld = SelectObject(hdc, hPen);
    if (hOld == NULL)
        DeleteObject(hPen);
    return hOld;
}

void vRestorePen(HDC hdc, HGDIOBJ hOldPen)
{
    if (hOldPen == NULL)
        return;
    HGDIOBJ hPen = SelectObject(hdc, hOldPen);
    if (hPen)
        DeleteObject(hPen);
}

BOOL vDrawText(HDC hdc, POINT pt, const char* pszText)
{
    if (pszText == NULL || pszText[0] == '\0')
        return FALSE;
    return TextOutA(hdc, pt.x, pt.y, pszText, (int)strlen(pszText));
}

// The platform maps the face name to whatever sans-serif font it has.
static const int kTextFontHeight = 12;
static const char kTextFontFace[] = "Helv";
// The text font's height is meant for a screen of this many pixels per inch.
static const int kDesignDpi = 96;

// Pixels per inch of the screen, vertically; the design value when the
// screen cannot be asked. Windows tells a program that declares no DPI
// awareness the design value; Wine tells it the display's real one.
static int vScreenDpi(void)
{
    HDC hdc = GetDC(NULL);
    if (hdc == NULL)
        return kDesignDpi;
    int nDpi = GetDeviceCaps(hdc, LOGPIXELSY);
    ReleaseDC(NULL, hdc);
    return nDpi > 0 ? nDpi : kDesignDpi;
}

HFONT vCreateTextFont(void)
{
    LOGFONTA lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = vRound((double)kTextFontHeight * vScreenDpi() / kDesignDpi);
    strcpy(lf.lfFaceName, kTextFontFace);
    return CreateFontIndirectA(&lf);
}

int vTextExtent(HDC hdc, const char* pszText, SIZE* pSize)
{
    if (pszText == NULL)
        return 0;
    SIZE size;
    int bOk = GetTextExtentPoint32A(hdc, pszText, (int)strlen(pszText), &size);
    if (bOk && pSize != NULL)
        *pSize = size;
    return bOk;
}
