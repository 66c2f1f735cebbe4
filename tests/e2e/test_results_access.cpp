// The results as a screen reader meets them, from another process through
// oleacc: the title and the seven rows with their names, values, places and
// change events, the keyboard's way into the rows (F6) and back, and the
// Info dialog's texts.
#include <oleacc.h>

#include <vector>

#include "e2e_fixture.h"
#include "picture.h"

namespace {

const int kElements = 8; // the title, then the seven rows

std::string strOf(BSTR bstr)
{
    char sz[1024] = "";
    if (bstr != NULL)
        WideCharToMultiByte(1252, 0, bstr, -1, sz, sizeof(sz), NULL, NULL);
    SysFreeString(bstr);
    return sz;
}

VARIANT varChild(LONG nId)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = nId;
    return v;
}

// A value as the results block shows it, less the colon and blanks that
// set it off from its caption.
std::string strBare(const char* psz)
{
    while (*psz == ':' || *psz == ' ')
        psz++;
    return psz;
}

struct Element {
    LONG nId;
    LONG nRole;
    std::string strName, strValue;
    RECT rc; // on the screen
};

// The main window's client object, read as a screen reader reads it.
class ResultsReader {
public:
    explicit ResultsReader(HWND hWnd)
    {
        CoInitialize(NULL);
        hr = AccessibleObjectFromWindow(hWnd, OBJID_CLIENT, __uuidof(IAccessible), (void**)&pAcc);
    }
    ~ResultsReader()
    {
        if (pAcc != NULL)
            pAcc->Release();
        CoUninitialize();
    }

    LONG nChildren() const
    {
        LONG n = 0;
        return pAcc != NULL && SUCCEEDED(pAcc->get_accChildCount(&n)) ? n : -1;
    }

    // The panel's elements: the last eight children, simple elements (no
    // object of their own).
    std::vector<Element> vecPanel() const
    {
        std::vector<Element> vec;
        LONG nCount = nChildren();
        for (LONG nId = nCount - kElements + 1; nId >= 1 && nId <= nCount; nId++) {
            Element e;
            e.nId = nId;
            IDispatch* pChild = NULL;
            if (pAcc->get_accChild(varChild(nId), &pChild) != S_FALSE) {
                if (pChild != NULL)
                    pChild->Release();
                continue;
            }
            VARIANT varRole;
            VariantInit(&varRole);
            pAcc->get_accRole(varChild(nId), &varRole);
            e.nRole = varRole.vt == VT_I4 ? varRole.lVal : -1;
            BSTR bstr = NULL;
            pAcc->get_accName(varChild(nId), &bstr);
            e.strName = strOf(bstr);
            bstr = NULL;
            pAcc->get_accValue(varChild(nId), &bstr);
            e.strValue = strOf(bstr);
            LONG x = 0, y = 0, cx = 0, cy = 0;
            SetRectEmpty(&e.rc);
            if (pAcc->accLocation(&x, &y, &cx, &cy, varChild(nId)) == S_OK)
                SetRect(&e.rc, x, y, x + cx, y + cy);
            vec.push_back(e);
        }
        return vec;
    }

    HRESULT hr = E_FAIL;
    IAccessible* pAcc = NULL;
};

const char* const kCaptions[LEGEND_ROWS] = {"Windvektor",       "Bodenkurs",    "Flugkurs (TH)", "Windkorrekturwinkel (WCA)",
                                            "Kompasskurs (CH)", "Flugzeit (t)", "Verbrauch"};

class ResultsAccess : public E2eTest {
protected:
    // The flight typed and painted: the panel is read once it settled.
    void vFlight(int idEmpty, const char* pszWindSpeed)
    {
        vStart();
        vTypeWorkedFlight();
        if (pszWindSpeed != NULL)
            vSetText(app.hEdit(WindSpeed), pszWindSpeed);
        if (idEmpty >= 0)
            vSetText(app.hEdit(idEmpty), "");
        shotWhenSettled(app.hMain, shotOf(app.hMain));
    }
};

// The title and the seven rows: static texts named by the route and the
// captions, valued by what the rows show, placed inside the window's panel.
TEST_F(ResultsAccess, ReadsTheTitleAndEveryRow)
{
    std::string strWorked[LEGEND_ROWS];
    for (int nRow = 0; nRow < LEGEND_ROWS; nRow++)
        strWorked[nRow] = strBare(kWorkedFlightValues[nRow]);
    const struct {
        const char* pszName;
        int idEmpty;
        const char* pszWindSpeed;
        std::string strValues[LEGEND_ROWS];
    } flights[] = {
        {"worked flight", -1, NULL,
         {strWorked[0], strWorked[1], strWorked[2], strWorked[3], strWorked[4], strWorked[5], strWorked[6]}},
        {"airspeed missing", Tas, NULL, {"", "", "#### (3. Fluggeschwindigkeit eingeben)", "", "", "", ""}},
        {"course not flyable", -1, "300",
         {strWorked[0], strWorked[1], "#### (Kurs bei diesem Wind nicht fliegbar)", "", "", "", ""}},
    };
    for (const auto& flight : flights) {
        SCOPED_TRACE(flight.pszName);
        vFlight(flight.idEmpty, flight.pszWindSpeed);
        ResultsReader reader(app.hMain);
        ASSERT_HRESULT_SUCCEEDED(reader.hr);
        std::vector<Element> vec = reader.vecPanel();
        ASSERT_EQ((size_t)kElements, vec.size()) << "the panel's elements after the controls";
        RECT rcClient;
        GetClientRect(app.hMain, &rcClient);
        MapWindowPoints(app.hMain, NULL, (POINT*)&rcClient, 2);
        EXPECT_EQ("Flugnavigation von Egelsbach nach Mainz", vec[0].strName);
        for (int i = 0; i < kElements; i++) {
            SCOPED_TRACE(vec[i].strName);
            EXPECT_EQ(ROLE_SYSTEM_STATICTEXT, vec[i].nRole);
            RECT rcInside;
            EXPECT_TRUE(IntersectRect(&rcInside, &vec[i].rc, &rcClient) && EqualRect(&rcInside, &vec[i].rc))
                << "placed inside the client, at (" << vec[i].rc.left << ", " << vec[i].rc.top << ")";
            if (i == 0)
                continue;
            EXPECT_EQ(kCaptions[i - 1], vec[i].strName);
            EXPECT_EQ(flight.strValues[i - 1], vec[i].strValue);
            EXPECT_GE(vec[i].rc.top, vec[i - 1].rc.bottom) << "rows one under the other";
        }
        vQuit();
    }
}

// Events reach a hook of another process (out of context) on its own
// message queue; the driver collects them while it waits.
std::vector<std::pair<DWORD, LONG>> g_vecEvents;
HWND g_hEventWindow = NULL;

void CALLBACK vOnEvent(HWINEVENTHOOK, DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild, DWORD, DWORD)
{
    if (hWnd == g_hEventWindow && idObject == OBJID_CLIENT)
        g_vecEvents.push_back(std::make_pair(dwEvent, idChild));
}

bool bEventSeen(DWORD dwEvent, LONG idChild)
{
    return bWaitFor([&] {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        for (const auto& e : g_vecEvents)
            if (e.first == dwEvent && e.second == idChild)
                return true;
        return false;
    });
}

// A new airspeed changes the heading, correction, compass heading, time and
// fuel rows: each is announced once the panel is drawn again, and reads the
// new value.
TEST_F(ResultsAccess, ChangedRowsAreAnnounced)
{
    vFlight(-1, NULL);
    ResultsReader reader(app.hMain);
    ASSERT_HRESULT_SUCCEEDED(reader.hr);
    const LONG nFirstRow = reader.nChildren() - LEGEND_ROWS + 1;
    g_hEventWindow = app.hMain;
    g_vecEvents.clear();
    HWINEVENTHOOK hHook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, NULL, vOnEvent,
                                          app.pi.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE((HWINEVENTHOOK)NULL, hHook);
    vSetText(app.hEdit(Tas), "150");
    for (int nRow = 2; nRow < LEGEND_ROWS; nRow++)
        EXPECT_TRUE(bEventSeen(EVENT_OBJECT_VALUECHANGE, nFirstRow + nRow)) << "row " << nRow << " announced";
    for (const auto& e : g_vecEvents)
        EXPECT_TRUE(e.second >= nFirstRow + 2) << "row " << e.second - nFirstRow << " did not change";
    UnhookWinEvent(hHook);
    std::vector<Element> vec = reader.vecPanel();
    ASSERT_EQ((size_t)kElements, vec.size());
    EXPECT_NE(strBare(kWorkedFlightValues[2]), vec[3].strValue) << "the heading read anew";
    vQuit();
}

// F6 in a field takes the keyboard to the results block, on its first row;
// Down and Up move between the rows, End and Home to the last and first,
// each move told as a focus event; F6 goes back to the field, its text
// selected. The pictures show the focus marks (KL_E2E_SHOTS).
TEST_F(ResultsAccess, F6ToTheRowsAndBack)
{
    vFlight(-1, NULL);
    ResultsReader reader(app.hMain);
    ASSERT_HRESULT_SUCCEEDED(reader.hr);
    const LONG nFirstRow = reader.nChildren() - LEGEND_ROWS + 1;
    const int idField = nFocusedEdit();
    ASSERT_GE(idField, 0);
    g_hEventWindow = app.hMain;
    g_vecEvents.clear();
    HWINEVENTHOOK hHook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, NULL, vOnEvent, app.pi.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE((HWINEVENTHOOK)NULL, hHook);
    Shot shotBefore = shotOf(app.hMain);

    vPressKey(VK_F6);
    EXPECT_TRUE(bWaitFor([&] { return hFocusIn(app.hMain) == app.hMain; })) << "the main window has the keyboard";
    EXPECT_TRUE(bEventSeen(EVENT_OBJECT_FOCUS, nFirstRow));
    Shot shot = shotWhenSettled(app.hMain, shotBefore);
    if (const char* pszDir = getenv("KL_E2E_SHOTS"))
        bSaveBmp(shot, strWindowsPath(pszDir) + "\\results_focus.bmp");
    EXPECT_FALSE(bSameDiagram(shotBefore, shot)) << "the focus marks are drawn";
    const struct {
        WORD wVk;
        int nRow;
        bool bMoves; // false: the last row stays, and nothing is told
    } moves[] = {{VK_DOWN, 1, true}, {VK_DOWN, 2, true}, {VK_UP, 1, true},  {VK_END, 6, true},
                 {VK_DOWN, 6, false}, {VK_HOME, 0, true}, {VK_DOWN, 1, true}};
    for (const auto& move : moves) {
        SCOPED_TRACE(testing::Message() << "key " << move.wVk << " to row " << move.nRow);
        g_vecEvents.clear();
        vPressKey(move.wVk);
        if (move.bMoves) {
            EXPECT_TRUE(bEventSeen(EVENT_OBJECT_FOCUS, nFirstRow + move.nRow));
        }
        VARIANT varFocus;
        VariantInit(&varFocus);
        ASSERT_EQ(S_OK, reader.pAcc->get_accFocus(&varFocus));
        EXPECT_EQ(VT_I4, varFocus.vt);
        EXPECT_EQ(nFirstRow + move.nRow, varFocus.lVal);
    }
    EXPECT_EQ(hFocusIn(app.hMain), app.hMain) << "the arrows keep the keyboard in the rows";

    vPressKey(VK_F6);
    EXPECT_TRUE(bWaitFor([&] { return nFocusedEdit() == idField; })) << "back in the field the pilot came from";
    DWORD dwStart = 0, dwEnd = 0;
    SendMessageA(app.hEdit(idField), EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    EXPECT_EQ(0u, dwStart);
    EXPECT_EQ(strTextOf(app.hEdit(idField)).size(), dwEnd) << "its text selected";
    UnhookWinEvent(hHook);

    // Escape and Tab go back as well; Tab does not move on to the next field.
    for (WORD wVk : {(WORD)VK_ESCAPE, (WORD)VK_TAB}) {
        SCOPED_TRACE(testing::Message() << "back with key " << wVk);
        vPressKey(VK_F6);
        ASSERT_TRUE(bWaitFor([&] { return hFocusIn(app.hMain) == app.hMain; }));
        vPressKey(wVk);
        EXPECT_TRUE(bWaitFor([&] { return nFocusedEdit() == idField; }));
    }
    vQuit();
}

bool bUnderWine(void) { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != NULL; }

// The Info dialog's texts are static controls: a screen reader reads each
// by its role and its text.
TEST_F(ResultsAccess, InfoDialogReadsWhole)
{
    vStart();
    PostMessageA(app.hMain, WM_COMMAND, IDM_INFO, 0);
    HWND hDlg = NULL;
    ASSERT_TRUE(bWaitFor([&] { return (hDlg = hFindTopWindow(app.pi.dwProcessId, "#32770", "Info")) != NULL; }));
    CoInitialize(NULL);
    int nStatics = 0;
    for (HWND h = GetWindow(hDlg, GW_CHILD); h != NULL; h = GetWindow(h, GW_HWNDNEXT)) {
        char szClass[32] = "";
        GetClassNameA(h, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "Static") != 0 || strTextOf(h).empty())
            continue;
        SCOPED_TRACE(strTextOf(h));
        IAccessible* pAcc = NULL;
        ASSERT_HRESULT_SUCCEEDED(AccessibleObjectFromWindow(h, OBJID_CLIENT, __uuidof(IAccessible), (void**)&pAcc));
        VARIANT varRole;
        VariantInit(&varRole);
        pAcc->get_accRole(varChild(CHILDID_SELF), &varRole);
        // Windows' oleacc gives a static control the static text role;
        // Wine 8's gives every window of a class it does not know the
        // client role.
        EXPECT_EQ(bUnderWine() ? ROLE_SYSTEM_CLIENT : ROLE_SYSTEM_STATICTEXT, varRole.lVal);
        BSTR bstr = NULL;
        pAcc->get_accName(varChild(CHILDID_SELF), &bstr);
        std::string strName = strOf(bstr), strText = strTextOf(h);
        // A static's "&" marks an access key and is not read out.
        std::string strShown;
        for (char c : strText)
            if (c != '&')
                strShown += c;
        EXPECT_EQ(strShown, strName);
        pAcc->Release();
        nStatics++;
    }
    CoUninitialize();
    EXPECT_GT(nStatics, 3) << "the dialog's texts";
    PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(bWaitFor([&] { return !IsWindow(hDlg); }));
    vQuit();
}

} // namespace
