#include "text_boxes.h"

#include <stdlib.h>
#include <string.h>

typedef BOOL(WINAPI* TextOutFn)(HDC, int, int, LPCSTR, int);
typedef int(WINAPI* DrawTextFn)(HDC, LPCSTR, int, LPRECT, UINT);

static TextOutFn s_pfnTextOut = NULL;
static DrawTextFn s_pfnDrawText = NULL;
static std::vector<TextBox> s_vecTexts;

// Device length of a logical length along x or y on hdc's mapping.
static int nDeviceX(HDC hdc, int n)
{
    POINT pts[2] = {{0, 0}, {n, 0}};
    LPtoDP(hdc, pts, 2);
    return abs(pts[1].x - pts[0].x);
}

static int nDeviceY(HDC hdc, int n)
{
    POINT pts[2] = {{0, 0}, {0, n}};
    LPtoDP(hdc, pts, 2);
    return abs(pts[1].y - pts[0].y);
}

// The box of a text whose top-left corner is at the logical point (x, y)
// and whose logical size is cx by cy: it runs right and down on the device
// whichever way the logical y axis points.
static RECT rcDeviceBox(HDC hdc, int x, int y, int cx, int cy)
{
    POINT pt = {x, y};
    LPtoDP(hdc, &pt, 1);
    RECT rc = {pt.x, pt.y, pt.x + nDeviceX(hdc, cx), pt.y + nDeviceY(hdc, cy)};
    return rc;
}

static BOOL WINAPI RecordTextOutA(HDC hdc, int x, int y, LPCSTR psz, int n)
{
    SIZE size;
    if (n > 0 && GetTextAlign(hdc) == (TA_LEFT | TA_TOP | TA_NOUPDATECP) && GetTextExtentPoint32A(hdc, psz, n, &size))
        s_vecTexts.push_back(TextBox{std::string(psz, (size_t)n), rcDeviceBox(hdc, x, y, size.cx, size.cy)});
    return s_pfnTextOut(hdc, x, y, psz, n);
}

// A word-wrapped text takes the box DT_CALCRECT gives from its top-left
// corner. It is drawn clipped to its rectangle, but the box is recorded
// whole: a line or word cut off there is a fault to be seen.
static int WINAPI RecordDrawTextA(HDC hdc, LPCSTR psz, int n, LPRECT prc, UINT uFormat)
{
    if (!(uFormat & DT_CALCRECT) && psz != NULL) {
        RECT rcCalc = *prc;
        if (s_pfnDrawText(hdc, psz, n, &rcCalc, uFormat | DT_CALCRECT) != 0) { // negative where y points up
            RECT rcText = rcDeviceBox(hdc, prc->left, prc->top, rcCalc.right - rcCalc.left,
                                      abs(rcCalc.bottom - rcCalc.top));
            s_vecTexts.push_back(TextBox{n < 0 ? std::string(psz) : std::string(psz, (size_t)n), rcText});
        }
    }
    return s_pfnDrawText(hdc, psz, n, prc, uFormat);
}

// Points this program's import of pszName at pfnNew; the function it
// imported before, or null when the import is not there.
static void* pRedirectImport(const char* pszName, void* pfnNew)
{
    BYTE* pBase = (BYTE*)GetModuleHandleA(NULL);
    const IMAGE_NT_HEADERS* pNt = (const IMAGE_NT_HEADERS*)(pBase + ((const IMAGE_DOS_HEADER*)pBase)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (const IMAGE_IMPORT_DESCRIPTOR* pImp = (const IMAGE_IMPORT_DESCRIPTOR*)(pBase + dir.VirtualAddress);
         pImp->Name != 0; pImp++) {
        const IMAGE_THUNK_DATA* pNames = (const IMAGE_THUNK_DATA*)(pBase + pImp->OriginalFirstThunk);
        IMAGE_THUNK_DATA* pAddresses = (IMAGE_THUNK_DATA*)(pBase + pImp->FirstThunk);
        for (; pNames->u1.AddressOfData != 0; pNames++, pAddresses++) {
            if (IMAGE_SNAP_BY_ORDINAL(pNames->u1.Ordinal))
                continue;
            const IMAGE_IMPORT_BY_NAME* pByName = (const IMAGE_IMPORT_BY_NAME*)(pBase + pNames->u1.AddressOfData);
            if (strcmp((const char*)pByName->Name, pszName) != 0)
                continue;
            void* pfnOld = (void*)pAddresses->u1.Function;
            DWORD dwProtect;
            if (!VirtualProtect(&pAddresses->u1.Function, sizeof(void*), PAGE_READWRITE, &dwProtect))
                return NULL;
            pAddresses->u1.Function = (ULONG_PTR)pfnNew;
            VirtualProtect(&pAddresses->u1.Function, sizeof(void*), dwProtect, &dwProtect);
            return pfnOld;
        }
    }
    return NULL;
}

int bRecordTexts(void)
{
    if (s_pfnTextOut == NULL)
        s_pfnTextOut = (TextOutFn)pRedirectImport("TextOutA", (void*)RecordTextOutA);
    if (s_pfnDrawText == NULL)
        s_pfnDrawText = (DrawTextFn)pRedirectImport("DrawTextA", (void*)RecordDrawTextA);
    s_vecTexts.clear();
    return s_pfnTextOut != NULL && s_pfnDrawText != NULL;
}

std::vector<TextBox> vecTakeTexts(void)
{
    std::vector<TextBox> vec;
    vec.swap(s_vecTexts);
    return vec;
}

int bOverlap(const RECT& a, const RECT& b)
{
    // Positions and heights are rounded to pixels apart: two cells that
    // touch in logical units may share one row or column of pixels.
    RECT rc;
    return IntersectRect(&rc, &a, &b) && rc.right - rc.left > 1 && rc.bottom - rc.top > 1;
}
