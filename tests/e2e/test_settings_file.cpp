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
    LPARAM lReason = ENDSESSION_LOGOFF;
    bool bPickAfter = false; // the user picks a unit once more before "Beenden"
};
class SessionEnd : public E2eTest, public ::testing::WithParamInterface<SessionCase> {};

TEST_P(SessionEnd, WritesTheSettingsOnce)
{
    const SessionCase& c = GetParam();
    vStart();
    vPickOtherAirspeedUnit(app);
    const std::string strPicked = strSevenLines("[kt]", "[kt]", "[km]", "[l/h]");
    EXPECT_NE(0, SendMessageA(app.hMain, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF)) << "the program may end";
    SendMessageA(app.hMain, WM_ENDSESSION, (WPARAM)c.bEnds, c.lReason);
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
    if (c.bPickAfter) {
        // Only the application was closed down, and it goes on: the unit
        // picked now must not be lost.
        vPickOtherAirspeedUnit(app);
        PostMessageA(app.hMain, WM_COMMAND, IDM_QUIT, 0);
        EXPECT_EQ(0, app.nWaitExit());
        EXPECT_EQ(strSevenLines("[km/h]", "[kt]", "[km]", "[l/h]"), strReadFile(app.strSettingsPath()));
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
                                           SessionCase{"CalledOff", FALSE, false},
                                           SessionCase{"AppClosedThenUnitPicked", TRUE, false, ENDSESSION_CLOSEAPP,
                                                       true}),
                         [](const ::testing::TestParamInfo<SessionCase>& info) { return info.param.pszName; });

// Two copies of the program in one folder end together, as at log-off: the
// system tells both at the same moment, then ends both processes. Each saves
// its own choices; the file left is one of the two, whole. Run a few times,
// since the two saves need not overlap every time.
struct EndSessionCall {
    HWND hMain;
    HANDLE hGo;
};

DWORD WINAPI dwEndSession(LPVOID pv)
{
    const EndSessionCall* pCall = (const EndSessionCall*)pv;
    WaitForSingleObject(pCall->hGo, kWaitTimeoutMs);
    SendMessageA(pCall->hMain, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    return 0;
}

TEST_F(E2eTest, TwoCopiesEndingTogetherLeaveOneWholeFile)
{
    const int kRounds = 16;
    // The first copy picks the airspeed's other unit, the second the
    // distance's.
    const std::string strFirst = strSevenLines("[kt]", "[kt]", "[km]", "[l/h]");
    const std::string strSecond = strSevenLines("[km/h]", "[kt]", "[NM]", "[l/h]");
    for (int nRound = 0; nRound < kRounds; nRound++) {
        SCOPED_TRACE("round " + std::to_string(nRound));
        DeleteFileA((strDir + "\\flugstat.txt").c_str()); // both start from the same choices
        Session other;
        struct KillOnExit {
            Session& session;
            ~KillOnExit() { session.vKill(); }
        } killOther{other};
        vStart();
        ASSERT_TRUE(other.bStart(strDir)) << "the second copy did not start";
        vPickOtherAirspeedUnit(app);
        HWND hBox = other.hUnitBox(8);
        SendMessageA(hBox, CB_SETCURSEL, 1, 0);
        SendMessageA(other.hMain, WM_COMMAND, MAKEWPARAM(IDC_UNIT_BASE + 8, CBN_SELCHANGE), (LPARAM)hBox);

        // Both are asked first; then both are told at once.
        EXPECT_NE(0, SendMessageA(app.hMain, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
        EXPECT_NE(0, SendMessageA(other.hMain, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
        HANDLE hGo = CreateEventA(NULL, TRUE, FALSE, NULL);
        EndSessionCall calls[2] = {{app.hMain, hGo}, {other.hMain, hGo}};
        HANDLE hThreads[2];
        for (int i = 0; i < 2; i++)
            hThreads[i] = CreateThread(NULL, 0, dwEndSession, &calls[i], 0, NULL);
        SetEvent(hGo);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, hThreads, TRUE, kWaitTimeoutMs));
        for (HANDLE h : hThreads)
            CloseHandle(h);
        CloseHandle(hGo);
        app.vKill();
        other.vKill();

        std::string strAfter = strReadFile(app.strSettingsPath());
        EXPECT_TRUE(strAfter == strFirst || strAfter == strSecond) << "neither copy's file:\n" << strAfter;
        // Nothing but the settings file is left in the folder.
        WIN32_FIND_DATAA fd;
        HANDLE hFind = FindFirstFileA((strDir + "\\*").c_str(), &fd);
        ASSERT_NE(INVALID_HANDLE_VALUE, hFind);
        std::string strOthers;
        do {
            std::string strName = fd.cFileName;
            if (strName != "." && strName != ".." && strName != "flugstat.txt")
                strOthers += strName + " ";
        } while (FindNextFileA(hFind, &fd));
        FindClose(hFind);
        EXPECT_EQ("", strOthers) << "left behind";
        if (HasFailure())
            return;
    }
}

} // namespace
