// Fake controls for the host build: enough of an edit and a combobox for the
// program's text and selection calls.
#include "host/fakewin.h"

#include <string.h>

#include <string>
#include <vector>

struct HWND__ {
    std::string strText;
    int nSel = CB_ERR;
    int nSetTextCount = 0;
    std::vector<std::string> vecItems;
};

static std::vector<HWND> g_vecWindows;

static const char kDefaultDecimal[] = ".";
static std::string g_strDecimal = kDefaultDecimal;
static bool g_bLocaleFails = false;

enum { METRIC_COUNT = 100 };
static int g_nMetrics[METRIC_COUNT];
static bool g_bMetricsSet = false;

static void vDefaultMetrics(void)
{
    memset(g_nMetrics, 0, sizeof(g_nMetrics));
    g_nMetrics[SM_CXSCREEN] = 1024;
    g_nMetrics[SM_CYSCREEN] = 768;
    g_nMetrics[SM_CXVSCROLL] = 17;
    g_nMetrics[SM_CYCAPTION] = 18;
    g_nMetrics[SM_CYICON] = 32;
    g_bMetricsSet = true;
}

HWND hostNewWindow(void)
{
    HWND hWnd = new HWND__;
    g_vecWindows.push_back(hWnd);
    return hWnd;
}

void hostSetWindowText(HWND hWnd, const char* pszText) { hWnd->strText = pszText; }
const char* hostWindowText(HWND hWnd) { return hWnd->strText.c_str(); }
void hostSetSelection(HWND hWnd, int nSel) { hWnd->nSel = nSel; }
int hostSelection(HWND hWnd) { return hWnd->nSel; }
int hostSetTextCount(HWND hWnd) { return hWnd->nSetTextCount; }

void hostSetSystemMetric(int nIndex, int nValue)
{
    if (!g_bMetricsSet)
        vDefaultMetrics();
    if (nIndex >= 0 && nIndex < METRIC_COUNT)
        g_nMetrics[nIndex] = nValue;
}

void hostSetDecimalSeparator(const char* pszSeparator)
{
    g_bLocaleFails = pszSeparator == NULL;
    g_strDecimal = pszSeparator ? pszSeparator : "";
}

void hostResetWindows(void)
{
    hostSetDecimalSeparator(kDefaultDecimal);
    for (HWND hWnd : g_vecWindows)
        delete hWnd;
    g_vecWindows.clear();
    vDefaultMetrics();
}

int GetWindowTextA(HWND hWnd, LPSTR pszText, int nMaxCount)
{
    if (hWnd == NULL || pszText == NULL || nMaxCount <= 0)
        return 0;
    // Like the real call: at most nMaxCount - 1 characters and a terminator.
    size_t n = hWnd->strText.size();
    if (n > (size_t)(nMaxCount - 1))
        n = (size_t)(nMaxCount - 1);
    memcpy(pszText, hWnd->strText.data(), n);
    pszText[n] = '\0';
    return (int)n;
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR pszText)
{
    if (hWnd == NULL)
        return FALSE;
    hWnd->strText = pszText ? pszText : "";
    hWnd->nSetTextCount++;
    return TRUE;
}

LRESULT SendMessageA(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == NULL)
        return 0;
    switch (uMsg) {
    case CB_GETCURSEL:
        // The real combobox answers with an index or CB_ERR.
        return hWnd->nSel;
    case CB_SETCURSEL:
        hWnd->nSel = (int)wParam;
        return hWnd->nSel;
    case CB_INSERTSTRING: {
        size_t nAt = (size_t)wParam;
        if (nAt > hWnd->vecItems.size())
            nAt = hWnd->vecItems.size();
        hWnd->vecItems.insert(hWnd->vecItems.begin() + (long)nAt, lParam ? (const char*)lParam : "");
        return (LRESULT)nAt;
    }
    default:
        return 0;
    }
}

int GetSystemMetrics(int nIndex)
{
    if (!g_bMetricsSet)
        vDefaultMetrics();
    return (nIndex >= 0 && nIndex < METRIC_COUNT) ? g_nMetrics[nIndex] : 0;
}

// As the real call: the characters written with their terminator, the size
// needed when cchData is 0, and 0 for a buffer too small, an unknown item
// or a failure.
int GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData)
{
    (void)Locale;
    if (g_bLocaleFails || LCType != LOCALE_SDECIMAL || cchData < 0 || (cchData > 0 && lpLCData == NULL))
        return 0;
    int nNeeded = (int)g_strDecimal.size() + 1;
    if (cchData == 0)
        return nNeeded;
    if (cchData < nNeeded)
        return 0;
    memcpy(lpLCData, g_strDecimal.c_str(), (size_t)nNeeded);
    return nNeeded;
}
