// Start-up and shutdown of the real program: window, menu, controls, focus,
// the settings file and the exit code.
#include "e2e_fixture.h"
#include "shell/main.h"
#include "shell/resource.h"

namespace {

const char* const kSettingsDefault =
    "[km/h]    # Einheit Fluggeschwindigkeit\r\n"
    "[kt]    # Einheit Windgeschwindigkeit\r\n"
    "[km]    # Einheit Distanz\r\n"
    "[l/h]    # Einheit Verbrauch pro Zeit\r\n"
    "\r\n"
    "# Die obigen Werte wurden beim Beenden des Kurslotses gespeichert.\r\n"
    "# Beim Neustart des Kurslotses werden diese Werte voreingestellt.\r\n";


TEST_F(E2eTest, StartUpWindowMenuControlsAndFocus)
{
    vStart();
    char szTitle[64] = "";
    GetWindowTextA(app.hMain, szTitle, sizeof(szTitle));
    EXPECT_STREQ("Kurslotse 2007", szTitle);

    // At (0, 0), as wide as the screen, as high as the screen less an icon
    // and two captions.
    RECT rc;
    GetWindowRect(app.hMain, &rc);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(0, rc.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rc.right - rc.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYICON) - 2 * GetSystemMetrics(SM_CYCAPTION),
              rc.bottom - rc.top);
    EXPECT_TRUE(IsWindowVisible(app.hMain));
    EXPECT_FALSE(IsIconic(app.hMain));

    // Ten empty edits; unit boxes only for the inputs with a unit choice.
    for (int i = 0; i < 10; i++) {
        SCOPED_TRACE("input " + std::to_string(i));
        HWND hEdit = app.hEdit(i);
        ASSERT_NE(hEdit, (HWND)NULL);
        char szClass[32] = "";
        GetClassNameA(hEdit, szClass, sizeof(szClass));
        EXPECT_STREQ("Edit", szClass);
        EXPECT_EQ("", strTextOf(hEdit));
        bool bHasBox = (i == 2 || i == 3 || i == 8 || i == 9);
        EXPECT_EQ(bHasBox, app.hUnitBox(i) != NULL);
    }
    struct {
        int id;
        const char* pszShown;
    } kUnits[] = {{2, "[km/h]"}, {3, "[kt]"}, {8, "[km]"}, {9, "[l/h]"}};
    for (auto& u : kUnits) {
        SCOPED_TRACE("unit box of input " + std::to_string(u.id));
        EXPECT_EQ(u.pszShown, strTextOf(app.hUnitBox(u.id)));
        EXPECT_TRUE(IsWindowVisible(app.hUnitBox(u.id)));
    }

    EXPECT_EQ(2, nFocusedEdit()) << "the caret belongs in the airspeed edit";
    EXPECT_FALSE(bFileExists(app.strSettingsPath())) << "the settings file is written only at the end";
}

// Both ways out: the menu's "Beenden" and the caption's close box.
struct CloseCase {
    const char* pszName;
    UINT uMsg;
    WPARAM wParam;
};
class CloseTest : public E2eTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseTest, WritesTheSettingsFileAndExitsWithZero)
{
    vStart();
    ASSERT_FALSE(bFileExists(app.strSettingsPath()));
    PostMessageA(app.hMain, GetParam().uMsg, GetParam().wParam, 0);
    EXPECT_EQ(0, app.nWaitExit());
    EXPECT_EQ(kSettingsDefault, strReadFile(app.strSettingsPath()));
}

// The menu, worked by keyboard as a user without a mouse would (menu
// handles can't be read from another process under Wine; the menu bar's
// texts are read back from a screenshot by the OCR check): F10 opens the
// bar, Enter the first popup ("Datei"), B its item "Beenden";
// F10, Right, Enter, Enter is "?" -> "Info ...".
TEST_F(E2eTest, MenuByKeyboardOpensInfoAndQuits)
{
    vStart();
    vActivate();
    for (WORD wVk : {VK_F10, VK_RIGHT, VK_RETURN, VK_RETURN})
        vPressKey(wVk);
    HWND hDlg = NULL;
    ASSERT_TRUE(bWaitFor([&] { return (hDlg = hFindTopWindow(app.pi.dwProcessId, "#32770", "Info")) != NULL; }));
    SendMessageA(GetDlgItem(hDlg, IDC_INFO_OK), BM_CLICK, 0, 0);
    ASSERT_TRUE(bWaitFor([&] { return !IsWindow(hDlg) && IsWindowEnabled(app.hMain); }));
    vActivate();
    for (WORD wVk : {(WORD)VK_F10, (WORD)VK_RETURN, (WORD)'B'})
        vPressKey(wVk);
    EXPECT_EQ(0, app.nWaitExit());
    EXPECT_EQ(kSettingsDefault, strReadFile(app.strSettingsPath()));
}

INSTANTIATE_TEST_SUITE_P(Close, CloseTest,
                         ::testing::Values(CloseCase{"Beenden", WM_COMMAND, IDM_QUIT},
                                           CloseCase{"CaptionClose", WM_SYSCOMMAND, SC_CLOSE}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) { return info.param.pszName; });

TEST_F(E2eTest, SavedUnitsAreRestoredAtTheNextStart)
{
    const std::string strOther = "[kt]    # Einheit Fluggeschwindigkeit\r\n"
                                 "[km/h]    # Einheit Windgeschwindigkeit\r\n"
                                 "[NM]    # Einheit Distanz\r\n"
                                 "[l/min]    # Einheit Verbrauch pro Zeit\r\n"
                                 "\r\n"
                                 "# Die obigen Werte wurden beim Beenden des Kurslotses gespeichert.\r\n"
                                 "# Beim Neustart des Kurslotses werden diese Werte voreingestellt.\r\n";
    ASSERT_TRUE(bWriteFile(strDir + "\\flugstat.txt", strOther));
    vStart();
    EXPECT_EQ("[kt]", strTextOf(app.hUnitBox(2)));
    EXPECT_EQ("[km/h]", strTextOf(app.hUnitBox(3)));
    EXPECT_EQ("[NM]", strTextOf(app.hUnitBox(8)));
    EXPECT_EQ("[l/min]", strTextOf(app.hUnitBox(9)));
    EXPECT_EQ(1, (int)SendMessageA(app.hUnitBox(2), CB_GETCURSEL, 0, 0));
    vQuit();
    EXPECT_EQ(strOther, strReadFile(app.strSettingsPath())) << "the restored choices are written back unchanged";
}

TEST_F(E2eTest, ReminderAppearsOnlyWhenTodayDemands)
{
    vStart();
    if (!bReminderDueToday()) {
        // Give a reminder that should not come every chance to show up.
        Sleep(1500);
        app.bReminderSeen = hFindTopWindow(app.pi.dwProcessId, "#32770", "Versions-Info") != NULL;
    }
    EXPECT_EQ(bReminderDueToday(), app.bReminderSeen);
    // The test's own date rule, on the dates that matter.
    EXPECT_FALSE(bReminderDueOn(2014, 1, 31));
    EXPECT_TRUE(bReminderDueOn(2014, 2, 1));
    EXPECT_FALSE(bReminderDueOn(2014, 2, 2));
    EXPECT_FALSE(bReminderDueOn(2012, 12, 31));
}

} // namespace
