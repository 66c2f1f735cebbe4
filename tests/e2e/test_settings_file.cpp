// The settings file of the real program in the ways a run can end besides a
// plain "Beenden": the file locked by another program at start, the session
// ending (logging off, shutting down) with the window still open.
#include "e2e_fixture.h"
#include "shell/resource.h"

namespace {

std::string strSevenLines(const char* pszTas, const char* pszWs, const char* pszDist, const char* pszFlow)
{
    return std::string(pszTas) + "    # Einheit Fluggeschwindigkeit\r\n" + pszWs +
           "    # Einheit Windgeschwindigkeit\r\n" + pszDist + "    # Einheit Distanz\r\n" + pszFlow +
           "    # Einheit Verbrauch pro Zeit\r\n\r\n"
           "# Die obigen Werte wurden beim Beenden des Kurslotses gespeichert.\r\n"
           "# Beim Neustart des Kurslotses werden diese Werte voreingestellt.\r\n";
}

const std::string kSaved = strSevenLines("[kt]", "[km/h]", "[NM]", "[l/min]");

// A user's pick of the airspeed's other unit (the box tells its parent).
void vPickOtherAirspeedUnit(const Session& app)
{
    HWND hBox = app.hUnitBox(2);
    int nOther = 1 - (int)SendMessageA(hBox, CB_GETCURSEL, 0, 0);
    SendMessageA(hBox, CB_SETCURSEL, (WPARAM)nOther, 0);
    SendMessageA(app.hMain, WM_COMMAND, MAKEWPARAM(IDC_UNIT_BASE + 2, CBN_SELCHANGE), (LPARAM)hBox);
}

// Another program has the file open without sharing while the program starts.
struct LockCase {
    const char* pszName;
    bool bPick;
};
class LockedAtStart : public E2eTest, public ::testing::WithParamInterface<LockCase> {};

TEST_P(LockedAtStart, KeepsTheSavedChoicesUnlessTheUserPicks)
{
    ASSERT_TRUE(bWriteFile(strDir + "\\flugstat.txt", kSaved));
    HANDLE hLock = CreateFileA((strDir + "\\flugstat.txt").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLock);
    vStart();
    CloseHandle(hLock);
    EXPECT_EQ("[km/h]", strTextOf(app.hUnitBox(2))) << "the locked file could not be read";
    if (GetParam().bPick)
        vPickOtherAirspeedUnit(app);
    PostMessageA(app.hMain, WM_COMMAND, IDM_QUIT, 0);
    EXPECT_EQ(0, app.nWaitExit());
    std::string strAfter = GetParam().bPick ? strSevenLines("[kt]", "[kt]", "[km]", "[l/h]") : kSaved;
    EXPECT_EQ(strAfter, strReadFile(app.strSettingsPath()));
}

INSTANTIATE_TEST_SUITE_P(Settings, LockedAtStart,
                         ::testing::Values(LockCase{"NoPick", false}, LockCase{"UserPicks", true}),
                         [](const ::testing::TestParamInfo<LockCase>& info) { return info.param.pszName; });

// The session ends: the system asks, then tells the window whether it really
// ends; after a real end it may end the process at once, or the window may
// still be destroyed (a later "Beenden").
struct SessionCase {
    const char* pszName;
    BOOL bEnds;             // WM_ENDSESSION's wParam
    bool bSystemEndsProcess; // else the user chooses "Beenden" afterwards
};
class SessionEnd : public E2eTest, public ::testing::WithParamInterface<SessionCase> {};

TEST_P(SessionEnd, WritesTheSettingsOnce)
{
    const SessionCase& c = GetParam();
    vStart();
    vPickOtherAirspeedUnit(app);
    const std::string strPicked = strSevenLines("[kt]", "[kt]", "[km]", "[l/h]");
    EXPECT_NE(0, SendMessageA(app.hMain, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF)) << "the program may end";
    SendMessageA(app.hMain, WM_ENDSESSION, (WPARAM)c.bEnds, ENDSESSION_LOGOFF);
    if (!c.bEnds) {
        EXPECT_FALSE(bFileExists(app.strSettingsPath())) << "a session end called off writes nothing";
        PostMessageA(app.hMain, WM_COMMAND, IDM_QUIT, 0);
        EXPECT_EQ(0, app.nWaitExit());
        EXPECT_EQ(strPicked, strReadFile(app.strSettingsPath()));
        return;
    }
    EXPECT_EQ(strPicked, strReadFile(app.strSettingsPath())) << "written before the session ends";
    if (c.bSystemEndsProcess) {
        app.vKill();
        EXPECT_EQ(strPicked, strReadFile(app.strSettingsPath()));
        return;
    }
    // A second write would show over this mark.
    const std::string strMark = "written once\r\n";
    ASSERT_TRUE(bWriteFile(app.strSettingsPath(), strMark));
    PostMessageA(app.hMain, WM_COMMAND, IDM_QUIT, 0);
    EXPECT_EQ(0, app.nWaitExit());
    EXPECT_EQ(strMark, strReadFile(app.strSettingsPath())) << "the destroyed window wrote the settings again";
}

INSTANTIATE_TEST_SUITE_P(Settings, SessionEnd,
                         ::testing::Values(SessionCase{"ProcessEndedBySystem", TRUE, true},
                                           SessionCase{"WindowDestroyedAfter", TRUE, false},
                                           SessionCase{"CalledOff", FALSE, false}),
                         [](const ::testing::TestParamInfo<SessionCase>& info) { return info.param.pszName; });

} // namespace
