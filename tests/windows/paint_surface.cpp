#include "paint_surface.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "calc/app_state.h"
#include "diagram/diagram.h"
#include "diagram/draw.h"
#include "diagram/mapping.h"
#include "form/form_layout.h"
#include "form/form_paint.h"
#include "support/bitmap_file.h"

static const char kClassName[] = "KurslotsePaintTest";

static void vFreeMappedDC(void);

void vOpenSurface(PaintSurface* pS, int nWidth, int nHeight) { vOpenWideSurface(pS, nWidth, nHeight, 0); }

void vOpenWideSurface(PaintSurface* pS, int nWidth, int nHeight, int nBeyond)
{
    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc); // fails harmlessly when already registered

    memset(pS, 0, sizeof(*pS));
    pS->nWidth = nWidth + nBeyond;
    pS->nHeight = nHeight;
    pS->nClientWidth = nWidth;
    pS->hWnd = CreateWindowExA(0, kClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL, NULL,
                               GetModuleHandleA(NULL), NULL);

    FormState* pForm = pApp->pForm;
    pForm->bFormLaidOut = 0; // a new window with fonts of its own
    pForm->hFont = vCreateTextFont();
    pApp->pDiagram->hDiagramFont = vCreateTextFont();
    // The layout skips a height it saw last, also one from an earlier test.
    pForm->nClientWidth = nWidth;
    pForm->nClientHeight = nHeight + 1;
    vFormLayout(pS->hWnd);
    pForm->nClientHeight = nHeight;
    vFormLayout(pS->hWnd);
    vDiagramLayout(pS->hWnd);

    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = pS->nWidth;
    bmi.bmiHeader.biHeight = -nHeight; // top-down rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC hScreen = GetDC(NULL);
    pS->hdc = CreateCompatibleDC(hScreen);
    ReleaseDC(NULL, hScreen);
    void* pBits = NULL;
    pS->hBitmap = CreateDIBSection(pS->hdc, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    pS->pPixels = (DWORD*)pBits;
    pS->hOldBitmap = SelectObject(pS->hdc, pS->hBitmap);
}

void vPaintSurface(PaintSurface* pS)
{
    // What BeginPaint leaves: default mapping, the class's white background.
    SetMapMode(pS->hdc, MM_TEXT);
    SetWindowOrgEx(pS->hdc, 0, 0, NULL);
    SetViewportOrgEx(pS->hdc, 0, 0, NULL);
    RECT rc = {0, 0, pS->nWidth, pS->nHeight};
    FillRect(pS->hdc, &rc, (HBRUSH)GetStockObject(WHITE_BRUSH));

    PAINTSTRUCT ps;
    memset(&ps, 0, sizeof(ps));
    ps.hdc = pS->hdc;
    ps.rcPaint = rc;
    SetBkMode(pS->hdc, TRANSPARENT);
    if (pApp->pForm->bFormLaidOut)
        vPaintForm(pS->hdc, &ps);
    if (pApp->pDiagram->bShowDiagram)
        vPaintDiagram(pS->hdc, &ps);
    GdiFlush();
}

void vCloseSurface(PaintSurface* pS)
{
    SelectObject(pS->hdc, pS->hOldBitmap);
    DeleteObject(pS->hBitmap);
    DeleteDC(pS->hdc);
    DestroyWindow(pS->hWnd);
    vFreeMappedDC();
    DeleteObject(pApp->pForm->hFont);
    pApp->pForm->hFont = NULL;
    vDeleteDiagramFont();
}

COLORREF vPixel(const PaintSurface* pS, int x, int y)
{
    if (x < 0 || y < 0 || x >= pS->nWidth || y >= pS->nHeight)
        return CLR_INVALID;
    DWORD dw = pS->pPixels[(size_t)y * pS->nWidth + x];
    return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
}

int bColourNear(const PaintSurface* pS, int x, int y, COLORREF c, int nReach)
{
    for (int dy = -nReach; dy <= nReach; dy++)
        for (int dx = -nReach; dx <= nReach; dx++)
            if (vPixel(pS, x + dx, y + dy) == c)
                return 1;
    return 0;
}

// A DC with the platform's own isotropic mapping, set from the layout's
// numbers: independent of what the paint left. It is kept while those
// numbers stay, because every change of a DC's mapping makes Wine realise
// its font anew (about 1.5 ms, thousands of times in a sweep of sizes).
struct MappedDC {
    HDC hdc;
    POINT ptWindowExt, ptViewportExt, ptViewportOrg;
};
static MappedDC mapped;

static bool bSamePoint(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

static HDC hMappedDC(void)
{
    const DiagramState* pD = pApp->pDiagram;
    const FormState* pF = pApp->pForm;
    if (mapped.hdc != NULL && bSamePoint(mapped.ptWindowExt, pD->ptWindowExt) &&
        bSamePoint(mapped.ptViewportExt, pF->ptViewportExt) && bSamePoint(mapped.ptViewportOrg, pF->ptViewportOrg))
        return mapped.hdc;
    if (mapped.hdc == NULL)
        mapped.hdc = CreateCompatibleDC(NULL);
    mapped.ptWindowExt = pD->ptWindowExt;
    mapped.ptViewportExt = pF->ptViewportExt;
    mapped.ptViewportOrg = pF->ptViewportOrg;
    SetMapMode(mapped.hdc, MM_ISOTROPIC);
    SetWindowExtEx(mapped.hdc, pD->ptWindowExt.x, pD->ptWindowExt.y, NULL);
    SetViewportExtEx(mapped.hdc, pF->ptViewportExt.x, pF->ptViewportExt.y, NULL);
    SetViewportOrgEx(mapped.hdc, pF->ptViewportOrg.x, pF->ptViewportOrg.y, NULL);
    return mapped.hdc;
}

static void vFreeMappedDC(void)
{
    if (mapped.hdc != NULL)
        DeleteDC(mapped.hdc);
    mapped.hdc = NULL;
}

int nDiagramPixelHeight(HFONT hFont)
{
    HDC hdc = hMappedDC();
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    TEXTMETRICA tm;
    int nPixels = 0;
    if (hOld != NULL && GetTextMetricsA(hdc, &tm)) {
        POINT pts[2] = {{0, 0}, {0, tm.tmHeight}};
        LPtoDP(hdc, pts, 2);
        nPixels = abs(pts[1].y - pts[0].y);
    }
    SelectObject(hdc, hOld);
    return nPixels;
}

int nDiagramTextPixelWidth(HFONT hFont, const char* pszText)
{
    HDC hdc = hMappedDC();
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    SIZE size;
    int nPixels = 0;
    if (hOld != NULL && GetTextExtentPoint32A(hdc, pszText, (int)strlen(pszText), &size)) {
        POINT pts[2] = {{0, 0}, {size.cx, 0}};
        LPtoDP(hdc, pts, 2);
        nPixels = abs(pts[1].x - pts[0].x);
    }
    SelectObject(hdc, hOld);
    return nPixels;
}

POINT ptToDevice(const PaintSurface* pS, int x, int y)
{
    (void)pS;
    POINT pt = {x, y};
    LPtoDP(hMappedDC(), &pt, 1);
    return pt;
}

int vSaveSurfaceBmp(const PaintSurface* pS, const char* pszPath)
{
    return bWriteBmp(pszPath, pS->pPixels, pS->nWidth, pS->nHeight);
}
