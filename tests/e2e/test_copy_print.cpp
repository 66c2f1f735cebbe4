// The flight taken away: copied to the clipboard and printed, worked from
// the menu by its access keys and Ctrl+P, while the fields keep their own
// editing keys. The print dialog tests need the print service that
// tests/windows/print_check.sh starts; the Linux clipboard is read by
// tests/e2e/clipboard_check.sh.
#include <stdlib.h>

#include "e2e_fixture.h"
#include "shell/resource.h"
#include "support/worked_flight.h"

namespace {

// The inputs' places in the form (the program's InputId).
enum { Tas = 2, WindSpeed = 3 };


// The clipboard's text in one format: bytes for CF_TEXT, UTF-16 code units
// for CF_UNICODETEXT; empty when it holds none.
template <class Char> std::basic_string<Char> strClipboardIn(UINT uFormat)
{
    std::basic_string<Char> str;
    if (!OpenClipboard(NULL))
        return str;
    if (HANDLE h = GetClipboardData(uFormat)) {
        const Char* p = (const Char*)GlobalLock(h);
        if (p != NULL)
            str = p;
        GlobalUnlock(h);
    }
    CloseClipboard();
    return str;
}
std::string strClipboardText(void) { return strClipboardIn<char>(CF_TEXT); }
std::wstring wstrClipboardText(void) { return strClipboardIn<wchar_t>(CF_UNICODETEXT); }

// Empties the clipboard, so that whatever is there afterwards is new.
void vEmptyClipboard(void)
{
    if (OpenClipboard(NULL)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

// A visible dialog of the process: the print dialog, a message box.
struct DialogFind {
    DWORD dwPid;
    std::vector<HWND> vecFound;
};
BOOL CALLBACK bDialogProc(HWND hWnd, LPARAM lParam)
{
    DialogFind* p = (DialogFind*)lParam;
    DWORD dwPid = 0;
    char szClass[64] = "";
    GetWindowThreadProcessId(hWnd, &dwPid);
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (dwPid == p->dwPid && strcmp(szClass, "#32770") == 0 && IsWindowVisible(hWnd))
        p->vecFound.push_back(hWnd);
    return TRUE;
}
std::vector<HWND> vecDialogs(const Session& app)
{
    DialogFind find = {app.pi.dwProcessId, {}};
    EnumWindows(bDialogProc, (LPARAM)&find);
    return find.vecFound;
}

// The texts of a dialog's controls, for a failure message.
BOOL CALLBACK bChildTextProc(HWND hWnd, LPARAM lParam)
{
    *(std::string*)lParam += "[" + strTextOf(hWnd) + "] ";
    return TRUE;
}
std::string strChildTexts(HWND hDlg)
{
    std::string str;
    EnumChildWindows(hDlg, bChildTextProc, (LPARAM)&str);
    return str;
}

class TakeAway : public E2eTest {
protected:
    // Chooses a unit as a mouse pick does, with the field still empty.
    void vPickUnit(int id, int nSel)
    {
        HWND hBox = app.hUnitBox(id);
        SendMessageA(hBox, CB_SETCURSEL, (WPARAM)nSel, 0);
        SendMessageA(app.hMain, WM_COMMAND, MAKEWPARAM(IDC_UNIT_BASE + id, CBN_SELCHANGE), (LPARAM)hBox);
    }
    // The worked flight of the README, wind in km/h.
    void vEnterWorkedFlight(void)
    {
        vPickUnit(WindSpeed, 0);
        vFillInputs(kWorkedFlight);
    }
    // "Datei" -> "Flug kopieren" by its access keys; true once the program
    // owns the clipboard and has put both texts on it (it owns it from the
    // moment it empties it, before the texts are there).
    bool bCopyByKeys(void)
    {
        vEmptyClipboard();
        vActivate();
        vPressKeyWith(VK_MENU, 'D');
        vPressKey('K');
        return bWaitFor([&] {
            return GetClipboardOwner() == app.hMain && IsClipboardFormatAvailable(CF_TEXT) &&
                   IsClipboardFormatAvailable(CF_UNICODETEXT) && !strClipboardText().empty();
        });
    }
    // The one dialog the program shows, or null when there is none or more.
    HWND hOnlyDialog(void)
    {
        std::vector<HWND> vec = vecDialogs(app);
        return vec.size() == 1 ? vec[0] : NULL;
    }
    // hDlg is the program's message box saying pszWords; closed by Enter,
    // no other message follows.
    void vExpectOneMessage(HWND hDlg, const char* pszWords)
    {
        char szTitle[64] = "";
        GetWindowTextA(hDlg, szTitle, sizeof(szTitle));
        EXPECT_STREQ("Kurslotse 2007", szTitle) << strChildTexts(hDlg);
        std::string strText = strTextOf(GetDlgItem(hDlg, 0xFFFF));
        EXPECT_NE(std::string::npos, strText.find(pszWords)) << strText;
        vPressKey(VK_RETURN);
        ASSERT_TRUE(bWaitFor([&] { return !IsWindow(hDlg); }));
        Sleep(1000);
        EXPECT_TRUE(vecDialogs(app).empty()) << "more than one message";
    }
};

TEST_F(TakeAway, CopiedFlightIsWhatTheWindowShows)
{
    struct {
        const char* pszName;
        int nChanged; // input typed differently from the worked flight (-1: none)
        const char* pszTyped;
        const char* pszResults; // the text from the first result row on
    } rows[] = {
        {"worked flight", -1, "", strstr(kWorkedFlightText, "Windvektor")},
        {"airspeed missing", Tas, "", kCopiedWithoutAirspeed},
        {"wind too strong", WindSpeed, "200", kCopiedWindTooStrong},
    };
    vStart();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        vEnterWorkedFlight();
        if (row.nChanged >= 0)
            vSetText(app.hEdit(row.nChanged), row.pszTyped);
        ASSERT_TRUE(bCopyByKeys()) << "Alt+D, K put nothing on the clipboard";
        std::string str = strClipboardText();
        size_t nResults = str.find("Windvektor");
        ASSERT_NE(std::string::npos, nResults) << str;
        EXPECT_EQ(row.pszResults, str.substr(nResults));
        if (row.nChanged < 0) {
            EXPECT_EQ(kWorkedFlightText, str);
        }
        // The same text as Unicode, the degree sign as such.
        std::wstring wstr = wstrClipboardText();
        ASSERT_EQ(str.size(), wstr.size());
        for (size_t i = 0; i < str.size(); i++)
            ASSERT_EQ(str[i] == '\xB0' ? L'\u00B0' : (wchar_t)(unsigned char)str[i], wstr[i]) << "at " << i;
    }
    vQuit();
}

// While another program holds the clipboard open, "Flug kopieren" gives up
// after a moment with one message, and the other program's text stays
// there, not this flight; once the clipboard is free, the copy works.
TEST_F(TakeAway, HeldClipboardIsReportedOnce)
{
    static const char kOthers[] = "Notiz eines anderen Programms";
    vStart();
    vEnterWorkedFlight();
    vEmptyClipboard();
    ASSERT_TRUE(OpenClipboard(NULL));
    EmptyClipboard();
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE, sizeof(kOthers));
    memcpy(GlobalLock(hMem), kOthers, sizeof(kOthers));
    GlobalUnlock(hMem);
    ASSERT_NE(nullptr, SetClipboardData(CF_TEXT, hMem));

    vActivate();
    vPressKeyWith(VK_MENU, 'D');
    vPressKey('K');
    HWND hDlg = NULL;
    bool bShown = bWaitFor([&] { return (hDlg = hOnlyDialog()) != NULL; }, 3 * kWaitTimeoutMs);
    CloseClipboard(); // whatever came of it: the program must not wait for it
    ASSERT_TRUE(bShown) << "no message for a copy that could not be made";
    vExpectOneMessage(hDlg, "nicht kopiert");
    EXPECT_EQ(kOthers, strClipboardText());
    EXPECT_NE(app.hMain, GetClipboardOwner());

    ASSERT_TRUE(bCopyByKeys()) << "the free clipboard took nothing";
    EXPECT_EQ(kWorkedFlightText, strClipboardText());
    EXPECT_TRUE(vecDialogs(app).empty()) << "a message after a copy that worked";
    vQuit();
}

// Ctrl+C and Ctrl+V in a field are the field's: the copy takes its selected
// text, the paste puts it into the next field.
TEST_F(TakeAway, FieldsKeepCtrlCAndCtrlV)
{
    vStart();
    vEnterWorkedFlight();
    vActivate();
    ASSERT_TRUE(bWaitFor([&] { return nFocusedEdit() == Tas; }));
    SendMessageA(app.hEdit(Tas), EM_SETSEL, 0, -1);
    vEmptyClipboard();
    vPressKeyWith(VK_CONTROL, 'C');
    ASSERT_TRUE(bWaitFor([&] { return strClipboardText() == "110"; })) << strClipboardText();
    vPressKey(VK_TAB); // to the wind speed, its text selected
    ASSERT_TRUE(bWaitFor([&] { return nFocusedEdit() == WindSpeed; }));
    vPressKeyWith(VK_CONTROL, 'V');
    EXPECT_TRUE(bWaitFor([&] { return strTextOf(app.hEdit(WindSpeed)) == "110"; }))
        << strTextOf(app.hEdit(WindSpeed));
    vQuit();
}

// "Beenden" has B, "Info ..." I; the "?" menu is reached with F10 and the
// arrows.
TEST_F(TakeAway, MenuAccessKeys)
{
    vStart();
    vActivate();
    for (WORD wVk : {VK_F10, VK_RIGHT, VK_RETURN})
        vPressKey(wVk);
    vPressKey('I');
    HWND hDlg = NULL;
    ASSERT_TRUE(bWaitFor([&] { return (hDlg = hFindTopWindow(app.pi.dwProcessId, "#32770", "Info")) != NULL; }));
    SendMessageA(GetDlgItem(hDlg, IDC_INFO_OK), BM_CLICK, 0, 0);
    ASSERT_TRUE(bWaitFor([&] { return !IsWindow(hDlg) && IsWindowEnabled(app.hMain); }));
    vActivate();
    vPressKeyWith(VK_MENU, 'D');
    vPressKey('B');
    EXPECT_EQ(0, app.nWaitExit());
}

// Run by clipboard_check.sh: copies the worked flight and keeps the program
// (the clipboard's owner) running until the script has read the Linux
// clipboard, which it says by making the file KL_CLIP_SYNC\read.
class LinuxClipboard : public TakeAway {};

TEST_F(LinuxClipboard, WorkedFlightCopied)
{
    const char* pszSync = getenv("KL_CLIP_SYNC");
    ASSERT_NE(nullptr, pszSync) << "run by clipboard_check.sh";
    vStart();
    vEnterWorkedFlight();
    ASSERT_TRUE(bCopyByKeys());
    ASSERT_TRUE(bWriteFile(strWindowsPath(pszSync) + "\\copied", ""));
    EXPECT_TRUE(bWaitFor([&] { return bFileExists(strWindowsPath(pszSync) + "\\read"); }, 3 * kWaitTimeoutMs));
    vQuit();
}

// Run by print_check.sh with its print service (KL_PRINT_SPOOLED: the file
// the service's printer writes).
class PrintDialog : public TakeAway {
protected:
    void SetUp() override
    {
        TakeAway::SetUp();
        const char* psz = getenv("KL_PRINT_SPOOLED");
        ASSERT_NE(nullptr, psz) << "run by print_check.sh";
        strSpooled = strWindowsPath(psz);
        DeleteFileA(strSpooled.c_str());
    }
    HWND hWaitDialog(void)
    {
        HWND hDlg = NULL;
        bWaitFor([&] { return (hDlg = hOnlyDialog()) != NULL; });
        return hDlg;
    }
    std::string strSpooled;
};

TEST_F(PrintDialog, CtrlPInAFieldThenCancelPrintsNothing)
{
    vStart();
    vEnterWorkedFlight();
    vActivate();
    ASSERT_TRUE(bWaitFor([&] { return nFocusedEdit() == Tas; }));
    vPressKeyWith(VK_CONTROL, 'P');
    HWND hDlg = hWaitDialog();
    ASSERT_NE(nullptr, hDlg) << "Ctrl+P opened no print dialog";
    EXPECT_EQ("110", strTextOf(app.hEdit(Tas))) << "the key went into the field too";
    vPressKey(VK_ESCAPE);
    ASSERT_TRUE(bWaitFor([&] { return !IsWindow(hDlg); }));
    Sleep(2000); // a job would be spooled by now
    EXPECT_FALSE(bFileExists(strSpooled)) << "printed after Cancel";
    EXPECT_TRUE(vecDialogs(app).empty()) << "a message after Cancel";
    vQuit();
}

TEST_F(PrintDialog, AltDDThenEnterPrintsThePage)
{
    vStart();
    vEnterWorkedFlight();
    vActivate();
    vPressKeyWith(VK_MENU, 'D');
    vPressKey('D');
    HWND hDlg = hWaitDialog();
    ASSERT_NE(nullptr, hDlg) << "Alt+D, D opened no print dialog";
    vPressKey(VK_RETURN);
    ASSERT_TRUE(bWaitFor([&] { return !IsWindow(hDlg); }));
    EXPECT_TRUE(bWaitFor([&] { return strReadFile(strSpooled).size() > 4; }, 6 * kWaitTimeoutMs))
        << "nothing came out of the printer";
    EXPECT_EQ("%!PS", strReadFile(strSpooled).substr(0, 4));
    EXPECT_TRUE(vecDialogs(app).empty()) << "a message after printing";
    vQuit();
}

// Run by print_check.sh with its printer refusing jobs: the dialog comes,
// the print fails.
class FailingPrinter : public TakeAway {};

TEST_F(FailingPrinter, FailureIsReportedOnce)
{
    vStart();
    vEnterWorkedFlight();
    vActivate();
    vPressKeyWith(VK_CONTROL, 'P');
    HWND hDlg = NULL;
    ASSERT_TRUE(bWaitFor([&] { return (hDlg = hOnlyDialog()) != NULL; }));
    vPressKey(VK_RETURN);
    ASSERT_TRUE(bWaitFor([&] { return !IsWindow(hDlg); }));
    ASSERT_TRUE(bWaitFor([&] { return (hDlg = hOnlyDialog()) != NULL; }, 6 * kWaitTimeoutMs));
    vExpectOneMessage(hDlg, "nicht gedruckt");
    vQuit();
}

} // namespace
