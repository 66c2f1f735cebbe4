// The settings file of the real program in the ways a run can end besides a
// plain "Beenden": the file locked by another program at start, the session
// ending (logging off, shutting down) with the window still open.
#include <algorithm>
#include <vector>

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
// kSaved after the user picked the airspeed's other unit.
const std::string kSavedThenPicked = strSevenLines("[km/h]", "[km/h]", "[NM]", "[l/min]");

// The names in a folder other than the settings file's and those given.
std::string strOthersIn(const std::string& strFolder, const std::vector<std::string>& vecKnown = {})
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((strFolder + "\\*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return "(the folder cannot be read)";
    std::string strOthers;
    do {
        std::string strName = fd.cFileName;
        if (strName != "." && strName != ".." && strName != "flugstat.txt" &&
            std::find(vecKnown.begin(), vecKnown.end(), strName) == vecKnown.end())
            strOthers += strName + " ";
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    return strOthers;
}

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
    vQuit();
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
        vQuit();
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
        vQuit();
        EXPECT_EQ(strSevenLines("[km/h]", "[kt]", "[km]", "[l/h]"), strReadFile(app.strSettingsPath()));
        return;
    }
    // A second write would show over this mark.
    const std::string strMark = "written once\r\n";
    ASSERT_TRUE(bWriteFile(app.strSettingsPath(), strMark));
    vQuit();
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
        EXPECT_EQ("", strOthersIn(strDir)) << "left behind";
        if (HasFailure())
            return;
    }
}

// Another program holds the file while the session ends for this one
// application (say, an installer closing it): that save fails, so the
// "Beenden" that follows must save.
struct HeldCase {
    const char* pszName;
    DWORD dwShare; // what the holder lets others do with the file
};
class HeldAtSessionEnd : public E2eTest, public ::testing::WithParamInterface<HeldCase> {};

TEST_P(HeldAtSessionEnd, TheNextEndSaves)
{
    ASSERT_TRUE(bWriteFile(strDir + "\\flugstat.txt", kSaved));
    vStart();
    vPickOtherAirspeedUnit(app);
    HANDLE hHold = CreateFileA((strDir + "\\flugstat.txt").c_str(), GENERIC_READ, GetParam().dwShare, NULL,
                               OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHold);
    EXPECT_NE(0, SendMessageA(app.hMain, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP));
    SendMessageA(app.hMain, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    CloseHandle(hHold);
    vQuit();
    EXPECT_EQ(kSavedThenPicked, strReadFile(app.strSettingsPath()));
    EXPECT_EQ("", strOthersIn(strDir)) << "left behind";
}

INSTANTIATE_TEST_SUITE_P(Settings, HeldAtSessionEnd,
                         ::testing::Values(HeldCase{"NotShared", 0}, HeldCase{"SharedForReading", FILE_SHARE_READ},
                                           HeldCase{"SharedForReadingAndWriting",
                                                    FILE_SHARE_READ | FILE_SHARE_WRITE}),
                         [](const ::testing::TestParamInfo<HeldCase>& info) { return info.param.pszName; });

// The folder that tests/e2e/settings_folders.sh names in the variable, as
// the program sees it; empty when the driver runs on its own.
std::string strScriptFolder(const char* pszVariable)
{
    const char* pszFolder = getenv(pszVariable);
    return pszFolder == NULL ? std::string() : strWindowsPath(pszFolder);
}
const char kFromScript[] = "runs from tests/e2e/settings_folders.sh";

// "Beenden" in the program started in strFolder: it ends well and the
// settings file there holds kSaved with the pick made.
void vQuitSavingThePick(Session& session, const std::string& strFolder)
{
    EXPECT_EQ(0, session.nQuit());
    EXPECT_EQ(kSavedThenPicked, strReadFile(strFolder + "\\flugstat.txt"));
}

// The name of a save's own new file, as the README gives it: the settings
// file's name, the process id and the try number.
std::string strSaveName(DWORD dwPid, int nTry)
{
    return "flugstat.txt." + std::to_string(dwPid) + "-" + std::to_string(nTry) + ".tmp";
}

// The folder is full of files of the user's under the names a temporary
// file gets: every name the platform's temporary-name call can give
// (tests/e2e/settings_folders.sh lays them down in the folder it names in
// KL_TAKEN_NAMES_DIR: Wine would take minutes to make them), and the first
// name of the program's own. The save takes none of them, also when
// another program holds the settings file so that the save fails.
TEST_F(E2eTest, FilesUnderTemporaryNamesAreNeverTouched)
{
    const std::string strFolder = strScriptFolder("KL_TAKEN_NAMES_DIR");
    if (strFolder.empty())
        GTEST_SKIP() << kFromScript;
    const UINT kPlatformNames = 0xFFFF;
    // The user's files there, untouched: there and empty still.
    auto nPlatformNamesLeft = [&] {
        WIN32_FIND_DATAA fd;
        HANDLE hFind = FindFirstFileA((strFolder + "\\kls*.tmp").c_str(), &fd);
        UINT n = 0;
        for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = FindNextFileA(hFind, &fd))
            n += fd.nFileSizeLow == 0 ? 1 : 0;
        if (hFind != INVALID_HANDLE_VALUE)
            FindClose(hFind);
        return n;
    };
    ASSERT_EQ(kPlatformNames, nPlatformNamesLeft()) << "the script lays down every name";
    const std::string strUser = "the user's own notes\r\n";
    const struct {
        const char* pszName;
        bool bHeld;
        std::string strAfter;
    } kRuns[] = {
        {"settings file held by another program", true, kSaved},
        {"settings file free", false, kSavedThenPicked},
    };
    for (const auto& r : kRuns) {
        SCOPED_TRACE(r.pszName);
        ASSERT_TRUE(bWriteFile(strFolder + "\\flugstat.txt", kSaved));
        ASSERT_TRUE(app.bStart(strFolder));
        const std::string strOwn = strFolder + "\\" + strSaveName(app.pi.dwProcessId, 0);
        ASSERT_TRUE(bWriteFile(strOwn, strUser));
        vPickOtherAirspeedUnit(app);
        HANDLE hHold = r.bHeld ? CreateFileA(app.strSettingsPath().c_str(), GENERIC_READ, FILE_SHARE_READ, NULL,
                                             OPEN_EXISTING, 0, NULL)
                               : INVALID_HANDLE_VALUE;
        vQuit();
        if (hHold != INVALID_HANDLE_VALUE)
            CloseHandle(hHold);
        app.vKill();
        std::string strAfter = strReadFile(app.strSettingsPath());
        EXPECT_TRUE(strAfter == kSaved || strAfter == r.strAfter) << strAfter;
        EXPECT_EQ(kPlatformNames, nPlatformNamesLeft()) << "a user's file was taken";
        EXPECT_EQ(strUser, strReadFile(strOwn));
        DeleteFileA(strOwn.c_str());
    }
}

// Files under names like those of a save's own file, whoever's they are (a
// user's, a copy's on another machine that is saving right now), survive a
// start and a save byte for byte.
TEST_F(E2eTest, OthersFilesUnderTheSavesNamesSurvive)
{
    // No process of this prefix has this id.
    const DWORD kForeignPid = 0x7FF0;
    const struct {
        std::string strName;
        std::string strBytes;
    } kFiles[] = {
        {"flugstat.txt.123-1.tmp", ""},
        {"flugstat.txt.124-1.tmp", kSaved},
        {strSaveName(kForeignPid, 0), kSaved.substr(0, 50)},
    };
    std::vector<std::string> vecNames;
    for (const auto& f : kFiles) {
        ASSERT_TRUE(bWriteFile(strDir + "\\" + f.strName, f.strBytes));
        vecNames.push_back(f.strName);
    }
    ASSERT_TRUE(bWriteFile(strDir + "\\flugstat.txt", kSaved));
    vStart();
    EXPECT_EQ("[kt]", strTextOf(app.hUnitBox(2))) << "the settings file was not read";
    vPickOtherAirspeedUnit(app);
    vQuitSavingThePick(app, strDir);
    for (const auto& f : kFiles) {
        EXPECT_TRUE(bFileExists(strDir + "\\" + f.strName)) << f.strName;
        EXPECT_EQ(f.strBytes, strReadFile(strDir + "\\" + f.strName)) << f.strName;
    }
    EXPECT_EQ("", strOthersIn(strDir, vecNames)) << "left behind";
}

// Stops the program's save between making its new file and linking it
// over the settings file: "Beenden", then the main thread suspended the
// moment a new file shows in the folder. True when it was caught there (the
// file still there with the thread held); else the run ended or went past.
bool bHoldSaveMidway(Session& session, const std::vector<std::string>& vecKnown = {})
{
    PostMessageA(session.hMain, WM_COMMAND, IDM_QUIT, 0);
    while (strOthersIn(session.strDir, vecKnown).empty() &&
           WaitForSingleObject(session.pi.hProcess, 0) == WAIT_TIMEOUT) {
    }
    if (SuspendThread(session.pi.hThread) == (DWORD)-1)
        return false;
    if (!strOthersIn(session.strDir, vecKnown).empty())
        return true;
    ResumeThread(session.pi.hThread);
    return false;
}

// The program is ended at any step of a save (killed, or the system went
// down): the settings file is whole, old or new, and once the process is
// gone no new file is left, with no start needed to clean up. First held
// midway and killed there, then killed after a growing wait from "Beenden".
TEST_F(E2eTest, AKilledSaveLeavesNothingBehind)
{
    const std::string& strPicked = kSavedThenPicked;
    const int kMidwayTries = 20;
    const int kTimedKills = 12;
    auto vStartAndPick = [&] {
        ASSERT_TRUE(bWriteFile(strDir + "\\flugstat.txt", kSaved));
        vStart();
        vPickOtherAirspeedUnit(app);
    };
    auto vKillAndCheck = [&] {
        app.vKill();
        std::string strAfter = strReadFile(strDir + "\\flugstat.txt");
        EXPECT_TRUE(strAfter == kSaved || strAfter == strPicked) << strAfter;
        EXPECT_EQ("", strOthersIn(strDir)) << "left once the process is gone";
    };
    bool bHeld = false;
    for (int nTry = 0; nTry < kMidwayTries && !bHeld && !HasFailure(); nTry++) {
        SCOPED_TRACE("held midway, try " + std::to_string(nTry));
        vStartAndPick();
        bHeld = bHoldSaveMidway(app);
        vKillAndCheck();
    }
    EXPECT_TRUE(bHeld) << "no save was caught between its steps";
    for (int nKill = 0; nKill < kTimedKills && !HasFailure(); nKill++) {
        SCOPED_TRACE("killed " + std::to_string(nKill) + " ms after Beenden");
        vStartAndPick();
        PostMessageA(app.hMain, WM_COMMAND, IDM_QUIT, 0);
        Sleep((DWORD)nKill);
        vKillAndCheck();
    }
}

// A copy that cannot see this one's process (in another Wine prefix here;
// on Windows, on another PC using the same network folder) starts in the
// same folder while this copy's save is between its steps: this copy's pick
// is saved all the same. tests/e2e/settings_folders.sh names the folder in
// KL_SHARED_DIR and starts the other copy when the file "go" appears in
// KL_SIGNAL_DIR, writing "done" there once that copy has started.
TEST_F(E2eTest, ACopyInAnotherPrefixLeavesTheSaveAlone)
{
    const std::string strFolder = strScriptFolder("KL_SHARED_DIR");
    const std::string strSignal = strScriptFolder("KL_SIGNAL_DIR");
    if (strFolder.empty() || strSignal.empty())
        GTEST_SKIP() << kFromScript;
    const int kTries = 20;
    bool bHeld = false;
    for (int nTry = 0; nTry < kTries && !bHeld; nTry++) {
        ASSERT_TRUE(bWriteFile(strFolder + "\\flugstat.txt", kSaved));
        ASSERT_TRUE(app.bStart(strFolder));
        vPickOtherAirspeedUnit(app);
        bHeld = bHoldSaveMidway(app);
        if (!bHeld)
            app.vKill();
    }
    ASSERT_TRUE(bHeld) << "no save was caught between its steps";
    ASSERT_TRUE(bWriteFile(strSignal + "\\go", ""));
    const DWORD kOtherCopyMs = 60000;
    EXPECT_TRUE(bWaitFor([&] { return bFileExists(strSignal + "\\done"); }, kOtherCopyMs))
        << "the other copy was not started";
    ResumeThread(app.pi.hThread);
    EXPECT_EQ(0, app.nWaitExit());
    EXPECT_EQ(kSavedThenPicked, strReadFile(strFolder + "\\flugstat.txt"));
    EXPECT_EQ("", strOthersIn(strFolder));
}

// The settings file is a link to a file kept elsewhere (the script lays it
// down in KL_LINKED_DIR and checks afterwards that the link is still one):
// the file it leads to gets the pick.
TEST_F(E2eTest, ALinkedSettingsFileGetsThePick)
{
    const std::string strFolder = strScriptFolder("KL_LINKED_DIR");
    if (strFolder.empty())
        GTEST_SKIP() << kFromScript;
    ASSERT_TRUE(app.bStart(strFolder));
    EXPECT_EQ("[kt]", strTextOf(app.hUnitBox(2))) << "the linked file was not read";
    vPickOtherAirspeedUnit(app);
    vQuitSavingThePick(app, strFolder);
    EXPECT_EQ("", strOthersIn(strFolder));
}

// A folder that lets files be made and written but no name be removed or
// replaced (Linux append-only, named in KL_APPEND_ONLY_DIR by the script):
// the pick is written in place. The first end's save finds the file held by
// another program and fails; the "Beenden" after it saves.
TEST_F(E2eTest, AppendOnlyFolderSavesInPlace)
{
    const std::string strFolder = strScriptFolder("KL_APPEND_ONLY_DIR");
    if (strFolder.empty())
        GTEST_SKIP() << kFromScript;
    ASSERT_EQ(kSaved, strReadFile(strFolder + "\\flugstat.txt")) << "the script lays the file down";
    ASSERT_TRUE(app.bStart(strFolder));
    vPickOtherAirspeedUnit(app);
    HANDLE hHold = CreateFileA((strFolder + "\\flugstat.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, NULL,
                               OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHold);
    EXPECT_NE(0, SendMessageA(app.hMain, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP));
    SendMessageA(app.hMain, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    CloseHandle(hHold);
    EXPECT_EQ(kSaved, strReadFile(strFolder + "\\flugstat.txt")) << "written while held";
    vQuitSavingThePick(app, strFolder);
    // Wine cannot know that the folder keeps every name made in it, so the
    // new files of the two saves stay there (Windows refuses such a file
    // before making it); the script prints what is left.
}

// A folder that lets the settings file be changed but no file be added
// (tests/e2e/settings_folders.sh makes it, names it in KL_NO_NEW_FILES_DIR
// and runs this as a user without that right): the pick is written into the
// file in place.
TEST_F(E2eTest, FolderWithoutNewFilesSavesInPlace)
{
    const std::string strFolder = strScriptFolder("KL_NO_NEW_FILES_DIR");
    if (strFolder.empty())
        GTEST_SKIP() << kFromScript;
    ASSERT_TRUE(bWriteFile(strFolder + "\\flugstat.txt", kSaved)) << "the file cannot be written";
    HANDLE hProbe = CreateFileA((strFolder + "\\probe").c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
    ASSERT_EQ(INVALID_HANDLE_VALUE, hProbe) << "the folder lets a file be made";
    ASSERT_TRUE(app.bStart(strFolder));
    vPickOtherAirspeedUnit(app);
    vQuitSavingThePick(app, strFolder);
    EXPECT_EQ("", strOthersIn(strFolder));
}

} // namespace
