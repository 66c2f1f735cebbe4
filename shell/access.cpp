// The main window's accessible client object: a table of the interface's
// functions over a small record. Everything the platform's own object knows
// (the controls, the menu) is passed on to it; the panel's title and its
// seven result rows are added after its children as static texts, named by
// the route and the captions, valued by what the rows show.
#define CINTERFACE // the interface as a table of function pointers
#include "shell/access.h"

#include <oleacc.h>
#include <string.h>

#include "calc/app_state.h"
#include "diagram/mapping.h"
#include "form/flight_text.h"
#include "form/results_text.h"

enum {
    ELEMENT_TITLE = 0, // the title with the route; row r is element r + 1
    ELEMENT_COUNT = LEGEND_ROWS + 1,
    FOCUS_INSET = 1 // pixels between the block's focus rectangle and a row's
};

// {618736E0-3C3D-11CF-810C-00AA00389B71}: the interface's own identifier,
// spelt out (a static link's import library gives no usable copy).
static const GUID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
static const GUID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
static const GUID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct PanelAccessible {
    IAccessible iface; // first: the interface pointer is the record's address
    LONG nRefs;
    HWND hWnd;
    IAccessible* pStd; // the platform's object for the client area
    LONG nStdChildren; // its children come first
};

static PanelAccessible* pPanelOf(IAccessible* p) { return (PanelAccessible*)p; }

// The platform's client object of hWnd and how many children it has.
static IAccessible* pStdObject(HWND hWnd, LONG* pnChildren)
{
    IAccessible* pStd = NULL;
    *pnChildren = 0;
    if (FAILED(CreateStdAccessibleObject(hWnd, OBJID_CLIENT, kIidAccessible, (void**)&pStd)) || pStd == NULL)
        return NULL;
    if (FAILED(pStd->lpVtbl->get_accChildCount(pStd, pnChildren)))
        *pnChildren = 0;
    return pStd;
}

static LONG nChildIdOf(LONG nStdChildren, int nElement) { return nStdChildren + 1 + nElement; }

// The panel element a child id names, or -1 for the platform's part.
static int nElementOf(const PanelAccessible* pP, VARIANT varChild)
{
    if (varChild.vt != VT_I4)
        return -1;
    LONG n = varChild.lVal - pP->nStdChildren - 1;
    return n >= 0 && n < ELEMENT_COUNT ? (int)n : -1;
}

// What a screen reader is told of an element: the title's name is the
// route; a row's name is its caption in full, its value what it shows.
static void vElementName(int nElement, char* pszText, int nSize)
{
    if (nElement == ELEMENT_TITLE)
        vGetRouteText(pszText, nSize);
    else
        lstrcpynA(pszText, pApp->pDiagram->pszLegend[nElement - 1], nSize);
}

static void vElementText(int nElement, char* pszText, int nSize)
{
    if (nElement == ELEMENT_TITLE)
        vGetRouteText(pszText, nSize);
    else
        lstrcpynA(pszText, vShownResult(nElement - 1), nSize);
}

static HRESULT hrString(const char* psz, BSTR* pbstr)
{
    int nWide = MultiByteToWideChar(1252, 0, psz, -1, NULL, 0);
    *pbstr = nWide > 0 ? SysAllocStringLen(NULL, (UINT)(nWide - 1)) : NULL;
    if (*pbstr == NULL)
        return E_OUTOFMEMORY;
    MultiByteToWideChar(1252, 0, psz, -1, *pbstr, nWide);
    return S_OK;
}

// An element's box in client pixels: a row from its sample line to the
// client's right edge and down over its value (under the caption where the
// values stand there); the title over its route lines.
static int bElementBox(int nElement, RECT* prc)
{
    const DiagramState* pD = pApp->pDiagram;
    if (!pD->bShowDiagram || !pD->bShowResults || (nElement == ELEMENT_TITLE && !pD->bShowTitle))
        return 0;
    POINT ptTop, ptBottom;
    if (nElement == ELEMENT_TITLE) {
        ptTop = pD->ptTitle;
        ptBottom.y = pD->ptTitle.y - 3 * pD->nCharHeight;
    } else {
        int nRow = nElement - 1;
        ptTop.x = pD->ptLegendMark[nRow].x;
        ptTop.y = pD->ptLegendLabel[nRow].y;
        ptBottom.y = pD->ptLegendValue[nRow].y - pD->nCharHeight;
    }
    ptBottom.x = vClientRight();
    POINT a = vClientPoint(ptTop), b = vClientPoint(ptBottom);
    SetRect(prc, a.x, a.y, b.x, b.y);
    return prc->right > prc->left && prc->bottom > prc->top;
}

static HRESULT STDMETHODCALLTYPE QueryInterface(IAccessible* p, REFIID riid, void** ppv)
{
    if (ppv == NULL)
        return E_POINTER;
    if (IsEqualGUID(riid, kIidAccessible) || IsEqualGUID(riid, kIidDispatch) || IsEqualGUID(riid, kIidUnknown)) {
        *ppv = p;
        p->lpVtbl->AddRef(p);
        return S_OK;
    }
    // The platform's child enumeration would leave the panel's rows out:
    // without it, a reader counts the children and asks for each by number.
    *ppv = NULL;
    return E_NOINTERFACE;
}

static ULONG STDMETHODCALLTYPE AddRef(IAccessible* p) { return (ULONG)InterlockedIncrement(&pPanelOf(p)->nRefs); }

static ULONG STDMETHODCALLTYPE Release(IAccessible* p)
{
    PanelAccessible* pP = pPanelOf(p);
    LONG n = InterlockedDecrement(&pP->nRefs);
    if (n == 0) {
        pP->pStd->lpVtbl->Release(pP->pStd);
        HeapFree(GetProcessHeap(), 0, pP);
    }
    return (ULONG)n;
}

static HRESULT STDMETHODCALLTYPE GetTypeInfoCount(IAccessible* p, UINT* pn)
{
    (void)p;
    *pn = 0;
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE GetTypeInfo(IAccessible* p, UINT n, LCID lcid, ITypeInfo** pp)
{
    (void)p, (void)n, (void)lcid;
    *pp = NULL;
    return E_NOTIMPL;
}

static HRESULT STDMETHODCALLTYPE GetIDsOfNames(IAccessible* p, REFIID riid, LPOLESTR* ppsz, UINT n, LCID lcid,
                                               DISPID* pid)
{
    (void)p, (void)riid, (void)ppsz, (void)n, (void)lcid, (void)pid;
    return E_NOTIMPL;
}

static HRESULT STDMETHODCALLTYPE Invoke(IAccessible* p, DISPID id, REFIID riid, LCID lcid, WORD w, DISPPARAMS* pdp,
                                        VARIANT* pvar, EXCEPINFO* pei, UINT* pn)
{
    (void)p, (void)id, (void)riid, (void)lcid, (void)w, (void)pdp, (void)pvar, (void)pei, (void)pn;
    return E_NOTIMPL;
}

static HRESULT STDMETHODCALLTYPE get_accParent(IAccessible* p, IDispatch** pp)
{
    IAccessible* pStd = pPanelOf(p)->pStd;
    return pStd->lpVtbl->get_accParent(pStd, pp);
}

static HRESULT STDMETHODCALLTYPE get_accChildCount(IAccessible* p, LONG* pn)
{
    *pn = pPanelOf(p)->nStdChildren + ELEMENT_COUNT;
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE get_accChild(IAccessible* p, VARIANT v, IDispatch** pp)
{
    PanelAccessible* pP = pPanelOf(p);
    if (nElementOf(pP, v) >= 0) {
        *pp = NULL;
        return S_FALSE; // a simple element: asked for by its id
    }
    return pP->pStd->lpVtbl->get_accChild(pP->pStd, v, pp);
}

static HRESULT STDMETHODCALLTYPE get_accName(IAccessible* p, VARIANT v, BSTR* pbstr)
{
    PanelAccessible* pP = pPanelOf(p);
    int nElement = nElementOf(pP, v);
    if (nElement < 0)
        return pP->pStd->lpVtbl->get_accName(pP->pStd, v, pbstr);
    char szText[ANNOUNCED_TEXT_SIZE];
    vElementName(nElement, szText, sizeof(szText));
    return hrString(szText, pbstr);
}

static HRESULT STDMETHODCALLTYPE get_accValue(IAccessible* p, VARIANT v, BSTR* pbstr)
{
    PanelAccessible* pP = pPanelOf(p);
    int nElement = nElementOf(pP, v);
    if (nElement < 0)
        return pP->pStd->lpVtbl->get_accValue(pP->pStd, v, pbstr);
    if (nElement == ELEMENT_TITLE) {
        *pbstr = NULL;
        return DISP_E_MEMBERNOTFOUND; // the title is all name
    }
    char szText[ANNOUNCED_TEXT_SIZE];
    vElementText(nElement, szText, sizeof(szText));
    return hrString(szText, pbstr);
}

static HRESULT STDMETHODCALLTYPE get_accDescription(IAccessible* p, VARIANT v, BSTR* pbstr)
{
    PanelAccessible* pP = pPanelOf(p);
    if (nElementOf(pP, v) >= 0) {
        *pbstr = NULL;
        return S_FALSE;
    }
    return pP->pStd->lpVtbl->get_accDescription(pP->pStd, v, pbstr);
}

static HRESULT STDMETHODCALLTYPE get_accRole(IAccessible* p, VARIANT v, VARIANT* pvar)
{
    PanelAccessible* pP = pPanelOf(p);
    if (nElementOf(pP, v) < 0)
        return pP->pStd->lpVtbl->get_accRole(pP->pStd, v, pvar);
    pvar->vt = VT_I4;
    pvar->lVal = ROLE_SYSTEM_STATICTEXT;
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE get_accState(IAccessible* p, VARIANT v, VARIANT* pvar)
{
    PanelAccessible* pP = pPanelOf(p);
    int nElement = nElementOf(pP, v);
    if (nElement < 0)
        return pP->pStd->lpVtbl->get_accState(pP->pStd, v, pvar);
    const FormState* pF = pApp->pForm;
    RECT rc;
    LONG nState = STATE_SYSTEM_READONLY;
    if (!bElementBox(nElement, &rc))
        nState |= STATE_SYSTEM_INVISIBLE;
    if (nElement != ELEMENT_TITLE) {
        nState |= STATE_SYSTEM_FOCUSABLE;
        if (pF->bResultsFocus && pF->nResultRow == nElement - 1 && GetFocus() == pP->hWnd)
            nState |= STATE_SYSTEM_FOCUSED;
    }
    pvar->vt = VT_I4;
    pvar->lVal = nState;
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE get_accHelp(IAccessible* p, VARIANT v, BSTR* pbstr)
{
    PanelAccessible* pP = pPanelOf(p);
    if (nElementOf(pP, v) >= 0) {
        *pbstr = NULL;
        return S_FALSE;
    }
    return pP->pStd->lpVtbl->get_accHelp(pP->pStd, v, pbstr);
}

static HRESULT STDMETHODCALLTYPE get_accHelpTopic(IAccessible* p, BSTR* pbstr, VARIANT v, LONG* pn)
{
    PanelAccessible* pP = pPanelOf(p);
    if (nElementOf(pP, v) >= 0) {
        *pbstr = NULL;
        return S_FALSE;
    }
    return pP->pStd->lpVtbl->get_accHelpTopic(pP->pStd, pbstr, v, pn);
}

static HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(IAccessible* p, VARIANT v, BSTR* pbstr)
{
    PanelAccessible* pP = pPanelOf(p);
    if (nElementOf(pP, v) >= 0) {
        *pbstr = NULL;
        return S_FALSE;
    }
    return pP->pStd->lpVtbl->get_accKeyboardShortcut(pP->pStd, v, pbstr);
}

static HRESULT STDMETHODCALLTYPE get_accFocus(IAccessible* p, VARIANT* pvar)
{
    PanelAccessible* pP = pPanelOf(p);
    const FormState* pF = pApp->pForm;
    if (pF->bResultsFocus && GetFocus() == pP->hWnd) {
        pvar->vt = VT_I4;
        pvar->lVal = nChildIdOf(pP->nStdChildren, pF->nResultRow + 1);
        return S_OK;
    }
    return pP->pStd->lpVtbl->get_accFocus(pP->pStd, pvar);
}

static HRESULT STDMETHODCALLTYPE get_accSelection(IAccessible* p, VARIANT* pvar)
{
    IAccessible* pStd = pPanelOf(p)->pStd;
    return pStd->lpVtbl->get_accSelection(pStd, pvar);
}

static HRESULT STDMETHODCALLTYPE get_accDefaultAction(IAccessible* p, VARIANT v, BSTR* pbstr)
{
    PanelAccessible* pP = pPanelOf(p);
    if (nElementOf(pP, v) >= 0) {
        *pbstr = NULL;
        return S_FALSE;
    }
    return pP->pStd->lpVtbl->get_accDefaultAction(pP->pStd, v, pbstr);
}

static HRESULT STDMETHODCALLTYPE accSelect(IAccessible* p, LONG nFlags, VARIANT v)
{
    PanelAccessible* pP = pPanelOf(p);
    int nElement = nElementOf(pP, v);
    if (nElement < 0)
        return pP->pStd->lpVtbl->accSelect(pP->pStd, nFlags, v);
    if (nElement == ELEMENT_TITLE || !(nFlags & SELFLAG_TAKEFOCUS))
        return E_INVALIDARG;
    vEnterResults(pP->hWnd);
    pApp->pForm->nResultRow = nElement - 1;
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE accLocation(IAccessible* p, LONG* px, LONG* py, LONG* pcx, LONG* pcy, VARIANT v)
{
    PanelAccessible* pP = pPanelOf(p);
    int nElement = nElementOf(pP, v);
    if (nElement < 0)
        return pP->pStd->lpVtbl->accLocation(pP->pStd, px, py, pcx, pcy, v);
    RECT rc;
    if (!bElementBox(nElement, &rc))
        return S_FALSE;
    MapWindowPoints(pP->hWnd, NULL, (POINT*)&rc, 2);
    *px = rc.left;
    *py = rc.top;
    *pcx = rc.right - rc.left;
    *pcy = rc.bottom - rc.top;
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE accNavigate(IAccessible* p, LONG nDir, VARIANT vStart, VARIANT* pvarEnd)
{
    PanelAccessible* pP = pPanelOf(p);
    int nElement = nElementOf(pP, vStart);
    int nTo = -1;
    if (nElement >= 0 && (nDir == NAVDIR_NEXT || nDir == NAVDIR_DOWN))
        nTo = nElement + 1;
    else if (nElement > 0 && (nDir == NAVDIR_PREVIOUS || nDir == NAVDIR_UP))
        nTo = nElement - 1;
    else if (nElement < 0 && nDir == NAVDIR_LASTCHILD)
        nTo = ELEMENT_COUNT - 1;
    else if (nElement < 0)
        return pP->pStd->lpVtbl->accNavigate(pP->pStd, nDir, vStart, pvarEnd);
    if (nTo < 0 || nTo >= ELEMENT_COUNT) {
        pvarEnd->vt = VT_EMPTY;
        return S_FALSE;
    }
    pvarEnd->vt = VT_I4;
    pvarEnd->lVal = nChildIdOf(pP->nStdChildren, nTo);
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE accHitTest(IAccessible* p, LONG x, LONG y, VARIANT* pvar)
{
    PanelAccessible* pP = pPanelOf(p);
    POINT pt = {x, y};
    ScreenToClient(pP->hWnd, &pt);
    for (int nElement = 0; nElement < ELEMENT_COUNT; nElement++) {
        RECT rc;
        if (bElementBox(nElement, &rc) && PtInRect(&rc, pt)) {
            pvar->vt = VT_I4;
            pvar->lVal = nChildIdOf(pP->nStdChildren, nElement);
            return S_OK;
        }
    }
    return pP->pStd->lpVtbl->accHitTest(pP->pStd, x, y, pvar);
}

static HRESULT STDMETHODCALLTYPE accDoDefaultAction(IAccessible* p, VARIANT v)
{
    PanelAccessible* pP = pPanelOf(p);
    if (nElementOf(pP, v) >= 0)
        return DISP_E_MEMBERNOTFOUND;
    return pP->pStd->lpVtbl->accDoDefaultAction(pP->pStd, v);
}

static HRESULT STDMETHODCALLTYPE put_accName(IAccessible* p, VARIANT v, BSTR bstr)
{
    (void)p, (void)v, (void)bstr;
    return E_NOTIMPL;
}

static HRESULT STDMETHODCALLTYPE put_accValue(IAccessible* p, VARIANT v, BSTR bstr)
{
    (void)p, (void)v, (void)bstr;
    return E_NOTIMPL;
}

static IAccessibleVtbl kPanelVtbl = {
    QueryInterface,     AddRef,           Release,
    GetTypeInfoCount,   GetTypeInfo,      GetIDsOfNames,
    Invoke,             get_accParent,    get_accChildCount,
    get_accChild,       get_accName,      get_accValue,
    get_accDescription, get_accRole,      get_accState,
    get_accHelp,        get_accHelpTopic, get_accKeyboardShortcut,
    get_accFocus,       get_accSelection, get_accDefaultAction,
    accSelect,          accLocation,      accNavigate,
    accHitTest,         accDoDefaultAction, put_accName,
    put_accValue,
};

LRESULT lMesGetObject(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    if ((LONG)lParam != OBJID_CLIENT)
        return DefWindowProcA(hWnd, WM_GETOBJECT, wParam, lParam);
    PanelAccessible* pP = (PanelAccessible*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(*pP));
    if (pP == NULL)
        return DefWindowProcA(hWnd, WM_GETOBJECT, wParam, lParam);
    pP->pStd = pStdObject(hWnd, &pP->nStdChildren);
    if (pP->pStd == NULL) {
        HeapFree(GetProcessHeap(), 0, pP);
        return DefWindowProcA(hWnd, WM_GETOBJECT, wParam, lParam);
    }
    pP->iface.lpVtbl = &kPanelVtbl;
    pP->nRefs = 1;
    pP->hWnd = hWnd;
    // The result holds its own reference; ours goes.
    LRESULT lResult = LresultFromObject(kIidAccessible, wParam, (IUnknown*)&pP->iface);
    Release(&pP->iface);
    return lResult;
}

void vAnnounceResults(HWND hWnd)
{
    LONG nStdChildren = -1;
    for (int nElement = 0; nElement < ELEMENT_COUNT; nElement++) {
        char szText[ANNOUNCED_TEXT_SIZE];
        vElementText(nElement, szText, sizeof(szText));
        char* pszHeard = pApp->szAnnounced[nElement];
        if (strcmp(szText, pszHeard) == 0)
            continue;
        lstrcpynA(pszHeard, szText, ANNOUNCED_TEXT_SIZE);
        if (nStdChildren < 0) {
            IAccessible* pStd = pStdObject(hWnd, &nStdChildren);
            if (pStd == NULL)
                return;
            pStd->lpVtbl->Release(pStd);
        }
        NotifyWinEvent(nElement == ELEMENT_TITLE ? EVENT_OBJECT_NAMECHANGE : EVENT_OBJECT_VALUECHANGE, hWnd,
                       OBJID_CLIENT, nChildIdOf(nStdChildren, nElement));
    }
}

// The block's marks are drawn by the paint: the panel is painted again.
static void vRepaintPanel(HWND hWnd)
{
    const Box& rc = pApp->pForm->rcDiagram;
    RECT r = {rc.x, rc.y, rc.x + rc.cx, rc.y + rc.cy};
    InvalidateRect(hWnd, &r, TRUE);
}

// The row now under the keyboard, told to a screen reader.
static void vFocusRow(HWND hWnd, int nRow)
{
    FormState* pF = pApp->pForm;
    pF->nResultRow = nRow;
    vRepaintPanel(hWnd);
    LONG nStdChildren = 0;
    IAccessible* pStd = pStdObject(hWnd, &nStdChildren);
    if (pStd != NULL)
        pStd->lpVtbl->Release(pStd);
    NotifyWinEvent(EVENT_OBJECT_FOCUS, hWnd, OBJID_CLIENT, nChildIdOf(nStdChildren, nRow + 1));
}

void vShowResultsFocus(HWND hWnd)
{
    if (pApp->pForm->bResultsFocus)
        vRepaintPanel(hWnd);
}

void vEnterResults(HWND hWnd)
{
    FormState* pF = pApp->pForm;
    pF->bResultsFocus = 1;
    SetFocus(hWnd);
    vFocusRow(hWnd, 0);
}

void vLeaveResults(HWND hWnd)
{
    FormState* pF = pApp->pForm;
    if (!pF->bResultsFocus)
        return;
    pF->bResultsFocus = 0;
    vRepaintPanel(hWnd);
}

int bMesResultsKey(HWND hWnd, WPARAM wParam)
{
    FormState* pF = pApp->pForm;
    if (!pF->bResultsFocus)
        return 0;
    switch (wParam) {
    case VK_UP:
        if (pF->nResultRow > 0)
            vFocusRow(hWnd, pF->nResultRow - 1);
        return 1;
    case VK_DOWN:
        if (pF->nResultRow < LEGEND_ROWS - 1)
            vFocusRow(hWnd, pF->nResultRow + 1);
        return 1;
    case VK_HOME: vFocusRow(hWnd, 0); return 1;
    case VK_END: vFocusRow(hWnd, LEGEND_ROWS - 1); return 1;
    case VK_F6:
    case VK_TAB:
    case VK_ESCAPE: {
        // Back to the field the pilot came from, its text selected.
        HWND hEdit = pF->hEdit[pF->nFocusInput];
        vLeaveResults(hWnd);
        SetFocus(hEdit);
        SendMessageA(hEdit, EM_SETSEL, 0, -1);
        return 1;
    }
    default: return 0;
    }
}

void vPaintResultsFocus(HWND hWnd, HDC hdc)
{
    const FormState* pF = pApp->pForm;
    RECT rcFirst, rcLast, rcRow;
    if (!pF->bResultsFocus || GetFocus() != hWnd || !bElementBox(1, &rcFirst) ||
        !bElementBox(LEGEND_ROWS, &rcLast) || !bElementBox(pF->nResultRow + 1, &rcRow))
        return;
    RECT rcBlock = {rcFirst.left - 2 * FOCUS_INSET, rcFirst.top - 2 * FOCUS_INSET, rcFirst.right,
                    rcLast.bottom + 2 * FOCUS_INSET};
    DrawFocusRect(hdc, &rcBlock);
    InflateRect(&rcRow, 0, FOCUS_INSET);
    rcRow.right -= 2 * FOCUS_INSET;
    DrawFocusRect(hdc, &rcRow);
}
