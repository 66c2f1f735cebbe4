// Recording GDI for the host build: device contexts with a mapping, selected
// objects and a list of drawing calls; pens, brushes and fonts counted from
// creation to deletion. Fonts are test-set models realised at the DC's scale.
#include "host/fakegdi.h"

#include <math.h>
#include <string.h>

#include <algorithm>
#include <unordered_set>

namespace {

enum ObjKind { OBJ_PEN_KIND, OBJ_BRUSH_KIND, OBJ_FONT_KIND };

struct GdiObject {
    ObjKind nKind;
    bool bStock;
    bool bNull;        // the stock null pen or null brush
    int nStyle;        // pen
    int nWidth;        // pen, logical units
    std::vector<int> vecDashes; // pen of PS_USERSTYLE: the on and off lengths
    COLORREF color;    // pen, brush
    LOGFONTA lf;       // font
    HostFontModel model;
};

// Extents and origin start like a fresh MM_TEXT DC: one unit is one pixel.
struct Mapping {
    int nMode = MM_TEXT;
    SIZE sizeWindow = {1, 1};
    SIZE sizeViewport = {1, 1};
    POINT ptOrg = {0, 0};
};

} // namespace

struct HDC__ {
    Mapping map;
    POINT ptCurrent = {0, 0};
    GdiObject* pPen = nullptr;
    GdiObject* pBrush = nullptr;
    GdiObject* pFont = nullptr;
    int nBkMode = OPAQUE;
    std::vector<HostCall> vecCalls;
};

static GdiObject g_stockWhiteBrush, g_stockBlackBrush, g_stockNullBrush;
static GdiObject g_stockWhitePen, g_stockBlackPen, g_stockNullPen;
static GdiObject g_stockSystemFont;
static bool g_bStockReady = false;

static HostFontModel g_createdModel;
static const int kDefaultDpi = 96;
static int g_nScreenDpi = kDefaultDpi;
static std::unordered_set<GdiObject*> g_setLive;
static std::vector<HDC__*> g_vecDcs;
static HostGdiStats g_stats;
// Failure switches: creations left before the first that fails (0: none
// fails), and whether text extents fail.
static int g_nCreationsLeft = 0;
static bool g_bFailCreation = false;
static bool g_bFailTextExtent = false;

HostFontModel hostFontModel(int nHeight, int nAveCharWidth, int nExternalLeading, int nMinPixelHeight)
{
    HostFontModel model;
    memset(&model, 0, sizeof(model));
    model.nHeight = nHeight;
    model.nAveCharWidth = nAveCharWidth;
    model.nExternalLeading = nExternalLeading;
    model.nMinPixelHeight = nMinPixelHeight;
    return model;
}

// DejaVu Sans: 2048 units per em, ascent 1901, descent 483.
HostFontModel hostWineOutlineModel(void)
{
    HostFontModel model = hostFontModel(12, 5, 0, 0);
    model.nUnitsPerEm = 2048;
    model.nAscentUnits = 1901;
    model.nDescentUnits = 483;
    model.nNoPixelHeight = 16;
    return model;
}

static void vStockPen(GdiObject* p, int nStyle, COLORREF color, bool bNull)
{
    *p = GdiObject();
    p->nKind = OBJ_PEN_KIND;
    p->bStock = true;
    p->bNull = bNull;
    p->nStyle = nStyle;
    p->nWidth = 1;
    p->color = color;
}

static void vStockBrush(GdiObject* p, COLORREF color, bool bNull)
{
    *p = GdiObject();
    p->nKind = OBJ_BRUSH_KIND;
    p->bStock = true;
    p->bNull = bNull;
    p->color = color;
}

// The defaults: a 14-pixel system font 7 wide with 2 pixels of leading (a
// line height of 16), and made fonts of 12 pixels, 5 wide, freely scalable.
static void vDefaultFonts(void)
{
    g_stockSystemFont = GdiObject();
    g_stockSystemFont.nKind = OBJ_FONT_KIND;
    g_stockSystemFont.bStock = true;
    g_stockSystemFont.model = hostFontModel(14, 7, 2, 0);
    strcpy(g_stockSystemFont.lf.lfFaceName, "System");
    g_stockSystemFont.lf.lfHeight = 14;
    g_createdModel = hostFontModel(12, 5, 0, 0);
}

static void vEnsureStock(void)
{
    if (g_bStockReady)
        return;
    vStockBrush(&g_stockWhiteBrush, RGB(255, 255, 255), false);
    vStockBrush(&g_stockBlackBrush, RGB(0, 0, 0), false);
    vStockBrush(&g_stockNullBrush, 0, true);
    vStockPen(&g_stockWhitePen, PS_SOLID, RGB(255, 255, 255), false);
    vStockPen(&g_stockBlackPen, PS_SOLID, RGB(0, 0, 0), false);
    vStockPen(&g_stockNullPen, PS_SOLID, 0, true);
    vDefaultFonts();
    g_bStockReady = true;
}

void hostSetDefaultFont(const HostFontModel& model)
{
    vEnsureStock();
    g_stockSystemFont.model = model;
    g_stockSystemFont.lf.lfHeight = model.nHeight;
}

void hostSetCreatedFontModel(const HostFontModel& model)
{
    vEnsureStock();
    g_createdModel = model;
}

// ---- mapping -------------------------------------------------------------

// Device pixels per logical unit on each axis. Isotropic: the axis with the
// larger absolute factor is shrunk to the smaller one, signs kept.
static void vScale(const Mapping& map, double* pSx, double* pSy)
{
    if (map.nMode != MM_ISOTROPIC) {
        *pSx = 1.0;
        *pSy = 1.0;
        return;
    }
    double dFx = (double)map.sizeViewport.cx / map.sizeWindow.cx;
    double dFy = (double)map.sizeViewport.cy / map.sizeWindow.cy;
    double dAbs = std::min(fabs(dFx), fabs(dFy));
    *pSx = copysign(dAbs, dFx);
    *pSy = copysign(dAbs, dFy);
}

static POINT ptToDevice(const Mapping& map, POINT pt)
{
    double dSx, dSy;
    vScale(map, &dSx, &dSy);
    POINT ptDev;
    ptDev.x = (LONG)floor(map.ptOrg.x + pt.x * dSx + 0.5);
    ptDev.y = (LONG)floor(map.ptOrg.y + pt.y * dSy + 0.5);
    return ptDev;
}

// A length in pixels as logical units (the isotropic scale is the same on
// both axes).
static int nToLogical(const Mapping& map, double dPixels)
{
    double dSx, dSy;
    vScale(map, &dSx, &dSy);
    return (int)floor(dPixels / fabs(dSy) + 0.5);
}

// ---- fonts ---------------------------------------------------------------

static int nRoundDiv(long nNum, long nDen) { return (int)floor((double)nNum / nDen + 0.5); }

// Cell height of an outline font asked for nCell whole pixels.
static int nOutlineCell(const HostFontModel& model, int nCell)
{
    int nEm = nRoundDiv((long)nCell * model.nUnitsPerEm, model.nAscentUnits + model.nDescentUnits);
    return nRoundDiv((long)nEm * model.nAscentUnits, model.nUnitsPerEm) +
           nRoundDiv((long)nEm * model.nDescentUnits, model.nUnitsPerEm);
}

static int nPixelHeight(const Mapping& map, const GdiObject* pFont)
{
    const HostFontModel& model = pFont->model;
    if (pFont->bStock)
        return model.nHeight;
    double dSx, dSy;
    vScale(map, &dSx, &dSy);
    int nRequest = pFont->lf.lfHeight < 0 ? -pFont->lf.lfHeight : pFont->lf.lfHeight;
    double dCell = nRequest * fabs(dSy);
    int nPixels;
    if (nRequest == 0)
        nPixels = model.nHeight;
    else if (model.nUnitsPerEm > 0 && (int)dCell == 0 && model.nNoPixelHeight > 0)
        nPixels = model.nNoPixelHeight;
    else if (model.nUnitsPerEm > 0)
        nPixels = nOutlineCell(model, (int)dCell);
    else
        nPixels = (int)floor(dCell + 0.5);
    nPixels = std::max(nPixels, model.nMinPixelHeight);
    return std::max(nPixels, 1);
}

// A reference-size metric at the realised pixel height.
static double dAtSize(const GdiObject* pFont, int nPixelHeight, double dMetric)
{
    return dMetric * nPixelHeight / pFont->model.nHeight;
}

static double dTextPixels(const GdiObject* pFont, int nPixelHeight, const char* psz, int n)
{
    long nSum = 0;
    for (int i = 0; i < n; i++) {
        int nWidth = pFont->model.nCharWidth[(unsigned char)psz[i]];
        nSum += nWidth ? nWidth : pFont->model.nAveCharWidth;
    }
    return dAtSize(pFont, nPixelHeight, (double)nSum);
}

static int nTextLogicalWidth(HDC hdc, const char* psz, int n)
{
    int nPixels = nPixelHeight(hdc->map, hdc->pFont);
    return nToLogical(hdc->map, floor(dTextPixels(hdc->pFont, nPixels, psz, n) + 0.5));
}

// ---- objects -------------------------------------------------------------

static bool bIsStock(const GdiObject* p)
{
    return p == &g_stockWhiteBrush || p == &g_stockBlackBrush || p == &g_stockNullBrush ||
           p == &g_stockWhitePen || p == &g_stockBlackPen || p == &g_stockNullPen || p == &g_stockSystemFont;
}

static GdiObject* pLookUp(HGDIOBJ h)
{
    GdiObject* p = (GdiObject*)h;
    if (p == nullptr)
        return nullptr;
    if (bIsStock(p) || g_setLive.count(p))
        return p;
    return nullptr;
}

void hostFailCreationFrom(int nFirst)
{
    g_bFailCreation = nFirst > 0;
    g_nCreationsLeft = nFirst > 0 ? nFirst - 1 : 0;
}

void hostFailTextExtent(int bFail) { g_bFailTextExtent = bFail != 0; }

// Null when the failure switch says this creation fails.
static GdiObject* pMake(ObjKind nKind)
{
    vEnsureStock();
    if (g_bFailCreation) {
        if (g_nCreationsLeft == 0)
            return nullptr;
        g_nCreationsLeft--;
    }
    GdiObject* p = new GdiObject();
    p->nKind = nKind;
    g_setLive.insert(p);
    g_stats.nCreated++;
    return p;
}

static bool bSelectedAnywhere(const GdiObject* p)
{
    for (HDC__* pDc : g_vecDcs)
        if (pDc->pPen == p || pDc->pBrush == p || pDc->pFont == p)
            return true;
    return false;
}

HGDIOBJ GetStockObject(int nIndex)
{
    vEnsureStock();
    switch (nIndex) {
    case WHITE_BRUSH: return &g_stockWhiteBrush;
    case BLACK_BRUSH: return &g_stockBlackBrush;
    case NULL_BRUSH: return &g_stockNullBrush;
    case WHITE_PEN: return &g_stockWhitePen;
    case BLACK_PEN: return &g_stockBlackPen;
    case NULL_PEN: return &g_stockNullPen;
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT: return &g_stockSystemFont;
    default: return nullptr;
    }
}

HPEN CreatePen(int nStyle, int nWidth, COLORREF color)
{
    GdiObject* p = pMake(OBJ_PEN_KIND);
    if (p == nullptr)
        return nullptr;
    p->nStyle = nStyle;
    p->nWidth = nWidth;
    p->color = color;
    return (HPEN)p;
}

HPEN ExtCreatePen(DWORD dwPenStyle, DWORD dwWidth, const LOGBRUSH* pBrush, DWORD dwStyleCount,
                  const DWORD* pStyle)
{
    // Only what the program asks for is modelled; the rest fails as the
    // real call does with arguments it cannot take.
    bool bUser = (dwPenStyle & PS_STYLE_MASK) == PS_USERSTYLE;
    bool bStyleOk = bUser ? (dwStyleCount >= 1 && dwStyleCount <= 16 && pStyle != nullptr)
                          : (dwStyleCount == 0 && pStyle == nullptr);
    if (pBrush == nullptr || pBrush->lbStyle != BS_SOLID || !bStyleOk || (dwPenStyle & PS_GEOMETRIC) == 0)
        return nullptr;
    GdiObject* p = pMake(OBJ_PEN_KIND);
    if (p == nullptr)
        return nullptr; // creation switched to fail
    p->nStyle = (int)(dwPenStyle & PS_STYLE_MASK);
    p->nWidth = (int)dwWidth;
    p->color = pBrush->lbColor;
    if (bUser)
        p->vecDashes.assign(pStyle, pStyle + dwStyleCount);
    return (HPEN)p;
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    GdiObject* p = pMake(OBJ_BRUSH_KIND);
    if (p == nullptr)
        return nullptr;
    p->color = color;
    return (HBRUSH)p;
}

HFONT CreateFontIndirectA(const LOGFONTA* pLogFont)
{
    if (pLogFont == nullptr)
        return nullptr;
    GdiObject* p = pMake(OBJ_FONT_KIND);
    if (p == nullptr)
        return nullptr;
    p->lf = *pLogFont;
    p->model = g_createdModel;
    return (HFONT)p;
}

int GetObjectA(HGDIOBJ h, int nSize, void* pv)
{
    GdiObject* p = pLookUp(h);
    if (p == nullptr || p->nKind != OBJ_FONT_KIND || pv == nullptr || nSize < (int)sizeof(LOGFONTA))
        return 0;
    memcpy(pv, &p->lf, sizeof(LOGFONTA));
    return (int)sizeof(LOGFONTA);
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ hObject)
{
    GdiObject* p = pLookUp(hObject);
    if (hdc == nullptr || p == nullptr) {
        g_stats.nBadHandle++;
        return nullptr;
    }
    GdiObject** ppSlot = p->nKind == OBJ_PEN_KIND ? &hdc->pPen : p->nKind == OBJ_BRUSH_KIND ? &hdc->pBrush : &hdc->pFont;
    GdiObject* pOld = *ppSlot;
    *ppSlot = p;
    return pOld;
}

BOOL DeleteObject(HGDIOBJ hObject)
{
    GdiObject* p = (GdiObject*)hObject;
    if (p != nullptr && bIsStock(p))
        return TRUE;
    if (p == nullptr || !g_setLive.count(p)) {
        g_stats.nBadHandle++;
        return FALSE;
    }
    // Like the real call: an object selected into a DC is not deleted.
    if (bSelectedAnywhere(p)) {
        g_stats.nDeleteSelected++;
        return FALSE;
    }
    g_setLive.erase(p);
    delete p;
    g_stats.nDeleted++;
    return TRUE;
}

// ---- device contexts -----------------------------------------------------

HDC hostNewDC(void)
{
    vEnsureStock();
    HDC__* pDc = new HDC__;
    pDc->pPen = &g_stockBlackPen;
    pDc->pBrush = &g_stockWhiteBrush;
    pDc->pFont = &g_stockSystemFont;
    pDc->vecCalls.reserve(256);
    g_vecDcs.push_back(pDc);
    return pDc;
}

void hostDeleteDC(HDC hdc)
{
    auto it = std::find(g_vecDcs.begin(), g_vecDcs.end(), hdc);
    if (it == g_vecDcs.end())
        return;
    if (!bIsStock(hdc->pPen) || !bIsStock(hdc->pBrush) || !bIsStock(hdc->pFont))
        g_stats.nDirtyRelease++;
    g_vecDcs.erase(it);
    delete hdc;
}

HDC GetDC(HWND) { return hostNewDC(); }

int ReleaseDC(HWND, HDC hdc)
{
    if (std::find(g_vecDcs.begin(), g_vecDcs.end(), hdc) == g_vecDcs.end())
        return 0;
    hostDeleteDC(hdc);
    return 1;
}

const std::vector<HostCall>& hostCalls(HDC hdc) { return hdc->vecCalls; }
void hostClearCalls(HDC hdc) { hdc->vecCalls.clear(); }
HGDIOBJ hostSelectedPen(HDC hdc) { return hdc->pPen; }
HGDIOBJ hostSelectedBrush(HDC hdc) { return hdc->pBrush; }
HGDIOBJ hostSelectedFont(HDC hdc) { return hdc->pFont; }
int hostBkMode(HDC hdc) { return hdc->nBkMode; }

int hostFontPixelHeight(HDC hdc, HFONT hFont)
{
    GdiObject* p = pLookUp(hFont);
    return p ? nPixelHeight(hdc->map, p) : 0;
}

HostGdiStats hostGdiStats(void) { return g_stats; }
int hostLiveObjects(void) { return (int)g_setLive.size(); }

void hostResetGdi(void)
{
    for (HDC__* pDc : g_vecDcs)
        delete pDc;
    g_vecDcs.clear();
    for (GdiObject* p : g_setLive)
        delete p;
    g_setLive.clear();
    g_stats = HostGdiStats();
    g_nScreenDpi = kDefaultDpi;
    hostFailCreationFrom(0);
    hostFailTextExtent(0);
    g_bStockReady = false;
    vEnsureStock();
}

int SetMapMode(HDC hdc, int nMode)
{
    if (hdc == nullptr || (nMode != MM_TEXT && nMode != MM_ISOTROPIC))
        return 0;
    int nOld = hdc->map.nMode;
    if (nMode != nOld) {
        hdc->map.sizeWindow = {1, 1};
        hdc->map.sizeViewport = {1, 1};
    }
    hdc->map.nMode = nMode;
    return nOld;
}

int GetMapMode(HDC hdc) { return hdc ? hdc->map.nMode : 0; }

void hostSetScreenDpi(int nDpi) { g_nScreenDpi = nDpi; }

int GetDeviceCaps(HDC hdc, int nIndex)
{
    if (hdc == nullptr)
        return 0;
    return nIndex == LOGPIXELSX || nIndex == LOGPIXELSY ? g_nScreenDpi : 0;
}

// Extents only count in MM_ISOTROPIC; a zero extent is refused and the old
// one kept, as the real call does.
static BOOL bSetExtent(HDC hdc, SIZE* pExtent, int x, int y, SIZE* pOld)
{
    if (hdc == nullptr)
        return FALSE;
    if (pOld)
        *pOld = *pExtent;
    if (hdc->map.nMode != MM_ISOTROPIC)
        return TRUE;
    if (x == 0 || y == 0)
        return FALSE;
    pExtent->cx = x;
    pExtent->cy = y;
    return TRUE;
}

BOOL SetWindowExtEx(HDC hdc, int x, int y, SIZE* pOld)
{
    return hdc ? bSetExtent(hdc, &hdc->map.sizeWindow, x, y, pOld) : FALSE;
}

BOOL SetViewportExtEx(HDC hdc, int x, int y, SIZE* pOld)
{
    return hdc ? bSetExtent(hdc, &hdc->map.sizeViewport, x, y, pOld) : FALSE;
}

BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* pOld)
{
    if (hdc == nullptr)
        return FALSE;
    if (pOld)
        *pOld = hdc->map.ptOrg;
    hdc->map.ptOrg.x = x;
    hdc->map.ptOrg.y = y;
    return TRUE;
}

BOOL LPtoDP(HDC hdc, POINT* pPoints, int nCount)
{
    if (hdc == nullptr || pPoints == nullptr)
        return FALSE;
    for (int i = 0; i < nCount; i++)
        pPoints[i] = ptToDevice(hdc->map, pPoints[i]);
    return TRUE;
}

int SetBkMode(HDC hdc, int nMode)
{
    if (hdc == nullptr)
        return 0;
    int nOld = hdc->nBkMode;
    hdc->nBkMode = nMode;
    return nOld;
}

// ---- text metrics --------------------------------------------------------

BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* pTm)
{
    if (hdc == nullptr || pTm == nullptr)
        return FALSE;
    const GdiObject* pFont = hdc->pFont;
    int nPixels = nPixelHeight(hdc->map, pFont);
    memset(pTm, 0, sizeof(*pTm));
    pTm->tmHeight = nToLogical(hdc->map, nPixels);
    pTm->tmAscent = nToLogical(hdc->map, floor(nPixels * 0.8 + 0.5));
    pTm->tmDescent = pTm->tmHeight - pTm->tmAscent;
    pTm->tmExternalLeading = nToLogical(hdc->map, floor(dAtSize(pFont, nPixels, pFont->model.nExternalLeading) + 0.5));
    pTm->tmAveCharWidth = nToLogical(hdc->map, floor(dAtSize(pFont, nPixels, pFont->model.nAveCharWidth) + 0.5));
    pTm->tmMaxCharWidth = pTm->tmAveCharWidth * 2;
    pTm->tmWeight = 400;
    pTm->tmFirstChar = 0x20;
    pTm->tmLastChar = 0xFF;
    pTm->tmDefaultChar = '?';
    pTm->tmBreakChar = ' ';
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR pszText, int nCount, SIZE* pSize)
{
    if (hdc == nullptr || pszText == nullptr || pSize == nullptr || nCount < 0 || g_bFailTextExtent)
        return FALSE;
    pSize->cx = nTextLogicalWidth(hdc, pszText, nCount);
    pSize->cy = nToLogical(hdc->map, nPixelHeight(hdc->map, hdc->pFont));
    return TRUE;
}

// ---- drawing -------------------------------------------------------------

static HostCall& callNew(HDC hdc, HostCallKind nKind, const POINT* pPoints, int nPoints)
{
    hdc->vecCalls.emplace_back();
    HostCall& call = hdc->vecCalls.back();
    call.nKind = nKind;
    call.nPoints = std::min(nPoints, 4);
    for (int i = 0; i < call.nPoints; i++) {
        call.ptLog[i] = pPoints[i];
        call.ptDev[i] = ptToDevice(hdc->map, pPoints[i]);
    }
    call.uFormat = 0;
    call.bClipped = 0;
    call.nMapMode = hdc->map.nMode;
    call.bNullPen = hdc->pPen->bNull;
    call.nPenStyle = hdc->pPen->nStyle;
    call.nPenWidth = hdc->pPen->nWidth;
    call.penColor = hdc->pPen->color;
    call.vecPenDashes = hdc->pPen->vecDashes;
    call.bNullBrush = hdc->pBrush->bNull;
    call.brushColor = hdc->pBrush->color;
    call.hFont = (HFONT)hdc->pFont;
    call.nFontRequest = hdc->pFont->bStock ? 0 : hdc->pFont->lf.lfHeight;
    call.nFontPixelHeight = nPixelHeight(hdc->map, hdc->pFont);
    call.nFontLogHeight = nToLogical(hdc->map, call.nFontPixelHeight);
    call.nBkMode = hdc->nBkMode;
    return call;
}

BOOL Polygon(HDC hdc, const POINT* pPoints, int nCount)
{
    if (hdc == nullptr || pPoints == nullptr || nCount < 2)
        return FALSE;
    callNew(hdc, HOST_POLYGON, pPoints, nCount);
    return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, POINT* pOld)
{
    if (hdc == nullptr)
        return FALSE;
    if (pOld)
        *pOld = hdc->ptCurrent;
    hdc->ptCurrent.x = x;
    hdc->ptCurrent.y = y;
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, POINT* pPoint)
{
    if (hdc == nullptr || pPoint == nullptr)
        return FALSE;
    *pPoint = hdc->ptCurrent;
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y)
{
    if (hdc == nullptr)
        return FALSE;
    POINT pts[2] = {hdc->ptCurrent, {x, y}};
    callNew(hdc, HOST_LINE, pts, 2);
    hdc->ptCurrent = pts[1];
    return TRUE;
}

BOOL Arc(HDC hdc, int nLeft, int nTop, int nRight, int nBottom, int nXStart, int nYStart, int nXEnd, int nYEnd)
{
    if (hdc == nullptr)
        return FALSE;
    POINT pts[4] = {{nLeft, nTop}, {nRight, nBottom}, {nXStart, nYStart}, {nXEnd, nYEnd}};
    callNew(hdc, HOST_ARC, pts, 4);
    return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR pszText, int nCount)
{
    if (hdc == nullptr || pszText == nullptr || nCount < 0)
        return FALSE;
    POINT pt = {x, y};
    callNew(hdc, HOST_TEXTOUT, &pt, 1).strText.assign(pszText, (size_t)nCount);
    return TRUE;
}

// Word breaking: words go on a line while the line stays within the box's
// width; a word wider than the box stands alone on its line. Lines follow
// each other downward on the device; a line that does not fit entirely
// above the box's bottom edge is clipped away, and so is everything after it.
int DrawTextA(HDC hdc, LPCSTR pszText, int nCount, RECT* pRect, UINT uFormat)
{
    if (hdc == nullptr || pszText == nullptr || pRect == nullptr)
        return 0;
    std::string strText = nCount < 0 ? std::string(pszText) : std::string(pszText, (size_t)nCount);
    int nWidth = pRect->right - pRect->left;

    std::vector<std::string> vecLines;
    if (uFormat & DT_WORDBREAK) {
        std::string strLine;
        size_t nPos = 0;
        while (nPos < strText.size()) {
            size_t nEnd = strText.find(' ', nPos);
            if (nEnd == std::string::npos)
                nEnd = strText.size();
            std::string strWord = strText.substr(nPos, nEnd - nPos);
            nPos = nEnd + 1;
            if (strWord.empty())
                continue;
            std::string strTry = strLine.empty() ? strWord : strLine + " " + strWord;
            if (strLine.empty() || nTextLogicalWidth(hdc, strTry.data(), (int)strTry.size()) <= nWidth) {
                strLine = strTry;
            } else {
                vecLines.push_back(strLine);
                strLine = strWord;
            }
        }
        if (!strLine.empty())
            vecLines.push_back(strLine);
    } else {
        vecLines.push_back(strText);
    }

    // Downward on the device is the sign of the y scale in logical units.
    double dSx, dSy;
    vScale(hdc->map, &dSx, &dSy);
    int nLineLog = nToLogical(hdc->map, nPixelHeight(hdc->map, hdc->pFont));
    int nDown = dSy < 0 ? -1 : 1;

    // Measuring only: the box grows to hold every line, from its top-left
    // corner down and to the widest line; nothing is drawn.
    if (uFormat & DT_CALCRECT) {
        int nWidest = 0;
        for (const std::string& strLine : vecLines)
            nWidest = std::max(nWidest, nTextLogicalWidth(hdc, strLine.data(), (int)strLine.size()));
        pRect->right = pRect->left + nWidest;
        pRect->bottom = pRect->top + nDown * (int)vecLines.size() * nLineLog;
        return (int)vecLines.size() * nLineLog;
    }

    POINT ptBox[2] = {{pRect->left, pRect->top}, {pRect->right, pRect->bottom}};
    size_t nBoxCall = hdc->vecCalls.size();
    int nDevTop, nDevBottom;
    {
        HostCall& box = callNew(hdc, HOST_DRAWTEXT, ptBox, 2);
        box.strText = strText;
        box.uFormat = uFormat;
        nDevTop = box.ptDev[0].y;
        nDevBottom = box.ptDev[1].y;
    }
    int nLinePixels = nPixelHeight(hdc->map, hdc->pFont);
    int nDrawn = 0;
    bool bClipped = false;
    for (size_t i = 0; i < vecLines.size(); i++) {
        if (nDevTop + (int)(i + 1) * nLinePixels > nDevBottom) {
            bClipped = true;
            break;
        }
        if (nTextLogicalWidth(hdc, vecLines[i].data(), (int)vecLines[i].size()) > nWidth)
            bClipped = true; // a word wider than the box is cut at its right edge
        POINT pt = {pRect->left, pRect->top + nDown * (int)i * nLineLog};
        callNew(hdc, HOST_WRAPPED_LINE, &pt, 1).strText = vecLines[i];
        nDrawn++;
    }
    hdc->vecCalls[nBoxCall].bClipped = bClipped;
    return nDrawn * nLineLog;
}
