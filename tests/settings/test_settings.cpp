// The settings file: what is written, byte for byte with the platform's
// line end, and what any file, however malformed, does to the choices.
#include <stdio.h>

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#ifndef _WIN32
#include "host/fakefile.h"
#endif
#include "calc/units.h"
#include "settings/settings.h"
#include "shell/resource.h"
#include "support/files.h"
#include "support/fixture.h"

#ifdef _WIN32
static const char kEol[] = "\r\n"; // text-mode streams store CR LF
#else
static const char kEol[] = "\n";
#endif

static const char kFile[] = "flugstat.txt";

// Files the process has open; the same -1 before and after on Windows,
// where the C runtime gives no list. A settings file left open after
// reading would make the save at exit fail there: an open file is not
// replaced.
static int nOpenFiles(void)
{
#ifdef _WIN32
    return -1;
#else
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        (void)entry;
        n++;
    }
    return n;
#endif
}

static const int kSaved[] = {Tas, WindSpeed, Distance, FuelFlow};

class SettingsFile : public AppFixture {
protected:
    void vChoose(int nTas, int nWs, int nDist, int nFlow)
    {
        const int nSel[] = {nTas, nWs, nDist, nFlow};
        for (int i = 0; i < 4; i++)
            pForm->nUnitSel[kSaved[i]] = nSel[i];
    }
    // The four choices and the boxes' selections both equal these.
    void vExpectChoices(int nTas, int nWs, int nDist, int nFlow)
    {
        const int nSel[] = {nTas, nWs, nDist, nFlow};
        for (int i = 0; i < 4; i++) {
            SCOPED_TRACE("input " + std::to_string(kSaved[i]));
            EXPECT_EQ(nSel[i], pForm->nUnitSel[kSaved[i]]);
            EXPECT_EQ(nSel[i], (int)SendMessageA(pForm->hUnit[kSaved[i]], CB_GETCURSEL, 0, 0));
        }
    }
    static std::string strFile(const char* pszTas, const char* pszWs, const char* pszDist, const char* pszFlow)
    {
        return std::string(pszTas) + "    # Einheit Fluggeschwindigkeit" + kEol + pszWs +
               "    # Einheit Windgeschwindigkeit" + kEol + pszDist + "    # Einheit Distanz" + kEol + pszFlow +
               "    # Einheit Verbrauch pro Zeit" + kEol + kEol +
               "# Die obigen Werte wurden beim Beenden des Kurslotses gespeichert." + kEol +
               "# Beim Neustart des Kurslotses werden diese Werte voreingestellt." + kEol;
    }

    ScratchDir scratch;
};

TEST_F(SettingsFile, WritesTheSevenLines)
{
    vPutStat();
    EXPECT_EQ(strFile("[km/h]", "[kt]", "[km]", "[l/h]"), strReadFile(kFile));
    vChoose(1, 0, 1, 1);
    vPutStat();
    EXPECT_EQ(strFile("[kt]", "[km/h]", "[NM]", "[l/min]"), strReadFile(kFile));
    EXPECT_EQ(nullptr, pApp->pSettingsFile); // closed, not left dangling
}

TEST_F(SettingsFile, RoundTrip)
{
    vChoose(1, 0, 1, 1);
    vPutStat();
    vChoose(0, 1, 0, 0);
    vGetStat();
    vExpectChoices(1, 0, 1, 1);
    EXPECT_EQ(nullptr, pApp->pSettingsFile);
}

TEST_F(SettingsFile, NoFileKeepsChoices)
{
    vGetStat();
    vExpectChoices(0, 1, 0, 0);
}

TEST_F(SettingsFile, MalformedFiles)
{
    static const struct {
        const char* pszName;
        std::string strBytes;
        int nSel[4];
    } kCases[] = {
        {"unit alone", "[kt]\n", {1, 1, 0, 0}},
        {"upper case", "[KT]\n", {0, 1, 0, 0}},
        {"indented", " [kt]\n", {0, 1, 0, 0}},
        {"CR LF lines", "[kt]\r\n[km/h]\r\n[NM]\r\n[l/min]\r\n", {1, 0, 1, 1}},
        {"speed unit as distance", "x\nx\n[km/h]\n", {0, 1, 0, 0}},
        {"second choices", "[kt]\n[km/h]\n[NM]\n[l/min]\n", {1, 0, 1, 1}},
        {"fuel per minute", "x\nx\nx\n[l/min]\n", {0, 1, 0, 1}},
        {"empty", "", {0, 1, 0, 0}},
        {"comments only", "# a\n# b\n\n# c\n", {0, 1, 0, 0}},
        {"fifth line on never read", "x\nx\nx\nx\n[kt]\n[kt]\n[NM]\n", {0, 1, 0, 0}},
        {"fewer lines", "[kt]\n[km/h]", {1, 0, 0, 0}},
        {"NUL before unit", std::string("\0[kt]\n[km/h]\n", 13), {0, 0, 0, 0}},
        {"NUL after unit", std::string("[kt]\0junk\n", 10), {1, 1, 0, 0}},
        {"overlong line is read in pieces", std::string(255, 'x') + "[km/h]\n[NM]\n", {0, 0, 1, 0}},
        {"line of 254 bytes", std::string(254, 'x') + "\n[km/h]\n", {0, 0, 0, 0}},
        {"binary", std::string("\xff\xfe\x01\x1a[kt]\n\x80\x90\r\r\n\xb0[NM]", 19), {0, 1, 0, 0}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        vChoose(0, 1, 0, 0);
        for (int id : kSaved)
            SendMessageA(pForm->hUnit[id], CB_SETCURSEL, (WPARAM)pForm->nUnitSel[id], 0);
        ASSERT_TRUE(bWriteFile(kFile, c.strBytes));
        int nOpen = nOpenFiles();
        vGetStat();
        EXPECT_EQ(nOpen, nOpenFiles()) << "the file is closed after reading";
        vExpectChoices(c.nSel[0], c.nSel[1], c.nSel[2], c.nSel[3]);
    }
}

TEST_F(SettingsFile, HugeFileReadsOnlyItsStart)
{
    std::string strBytes = "[kt]\n[km/h]\n[NM]\n[l/min]\n";
    strBytes += std::string(1 << 20, '[');
    ASSERT_TRUE(bWriteFile(kFile, strBytes));
    vGetStat();
    vExpectChoices(1, 0, 1, 1);
}

TEST_F(SettingsFile, DirectoryInTheFilesPlace)
{
    std::filesystem::create_directory("flugstat.txt");
    int nOpen = nOpenFiles();
    vGetStat();
    EXPECT_EQ(nOpen, nOpenFiles()) << "what was opened is closed again";
    vExpectChoices(0, 1, 0, 0);
    vChoose(1, 0, 1, 1);
    vPutStat(); // cannot be created: nothing happens
    EXPECT_TRUE(std::filesystem::is_directory("flugstat.txt"));
    EXPECT_EQ(nullptr, pApp->pSettingsFile);
}

// What the directory holds under a name: a directory, a link, or the
// file's bytes.
static std::string strEntry(const char* pszPath)
{
    std::error_code ec;
    if (std::filesystem::is_symlink(pszPath, ec))
        return "link to " + std::filesystem::read_symlink(pszPath, ec).string();
    if (std::filesystem::is_directory(pszPath, ec))
        return "directory";
    return strReadFile(pszPath);
}

// The user's way of keeping a file as it is (tests may run as root, whom
// the mode does not stop; the program asks for it).
static void vSetReadOnly(const char* pszPath, bool bReadOnly)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(pszPath, ec))
        return;
#ifdef _WIN32
    SetFileAttributesA(pszPath, bReadOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
#else
    chmod(pszPath, bReadOnly ? 0444 : 0644);
#endif
}

// Every name in the working directory but the settings file's.
static std::string strOtherEntries(void)
{
    std::string str;
    for (const auto& entry : std::filesystem::directory_iterator("."))
        if (entry.path().filename() != kFile)
            str += entry.path().filename().string() + " ";
    return str;
}

// A file that is there but cannot be opened while held: another program has
// it open without sharing on Windows; on the host (the tests may run as
// root, whom no file mode stops) a link that leads to itself.
class Unopenable {
public:
    Unopenable(const char* pszPath, bool bHold)
    {
        if (!bHold)
            return;
#ifdef _WIN32
        hFile = CreateFileA(pszPath, GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        EXPECT_NE(INVALID_HANDLE_VALUE, hFile);
#else
        std::filesystem::remove(pszPath);
        EXPECT_EQ(0, symlink(pszPath, pszPath));
#endif
    }
    void vRelease()
    {
#ifdef _WIN32
        if (hFile != INVALID_HANDLE_VALUE)
            CloseHandle(hFile);
        hFile = INVALID_HANDLE_VALUE;
#endif
    }
    ~Unopenable() { vRelease(); }

private:
#ifdef _WIN32
    HANDLE hFile = INVALID_HANDLE_VALUE;
#endif
};

// Room left on the disk while the settings are written, as a limit on the
// size of any file the process writes (-1: no limit).
class DiskRoom {
public:
    explicit DiskRoom(long nBytes)
    {
#ifndef _WIN32
        if (nBytes < 0)
            return;
        getrlimit(RLIMIT_FSIZE, &rlOld);
        signal(SIGXFSZ, SIG_IGN); // the write fails instead of ending the process
        struct rlimit rl = {(rlim_t)nBytes, rlOld.rlim_max};
        EXPECT_EQ(0, setrlimit(RLIMIT_FSIZE, &rl));
        bSet = true;
#else
        EXPECT_LT(nBytes, 0) << "no disk room limit on Windows";
#endif
    }
    ~DiskRoom()
    {
#ifndef _WIN32
        if (bSet)
            setrlimit(RLIMIT_FSIZE, &rlOld);
#endif
    }

private:
#ifndef _WIN32
    struct rlimit rlOld = {};
    bool bSet = false;
#endif
};

#ifndef _WIN32
// vPutStat in a folder that lets the settings file be changed but no file be
// added (a shared folder, say), run in a child process without the owner's
// rights where the tests run as root, whom no mode stops. Its result, or
// -1 when the child could not run it.
static int nPutStatWithoutNewFiles(void)
{
    const uid_t kNobody = 65534;
    chmod(kFile, 0666);
    chmod(".", 0555);
    fflush(NULL);
    pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(99);
        _exit(vPutStat());
    }
    int nStatus = 0;
    bool bWaited = pid > 0 && waitpid(pid, &nStatus, 0) == pid;
    chmod(".", 0755);
    return bWaited && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) <= 1 ? WEXITSTATUS(nStatus) : -1;
}
#endif

// One run from start to exit: the file as it lies there at start, how it is
// held, whether the user picks another airspeed unit, the room on the disk
// when the exit writes, what lies beside the file under the name
// "flugstat.tmp", and whether the folder lets a new file be made.
// Afterwards the file holds either the old bytes or the complete new ones,
// what lay beside it is untouched, and no temporary file is left behind.
TEST_F(SettingsFile, EveryWayARunEndsKeepsAWholeFile)
{
    const std::string strSaved = strFile("[kt]", "[km/h]", "[NM]", "[l/min]");
    const std::string strPicked = strFile("[km/h]", "[km/h]", "[NM]", "[l/min]"); // airspeed back to km/h
    const std::string strPickedOverDefaults = strFile("[kt]", "[kt]", "[km]", "[l/h]");
    static const char kUserTmp[] = "flugstat.tmp";
    const std::string strUserBytes = "the user's own notes\n";
#ifdef _WIN32
    const std::string strUnopenable = strSaved; // the locked file's own bytes
    const std::string strUnopenableTmp = strUserBytes;
    // Released before the exit: the pick is saved.
    const std::string strUnopenablePicked = strPickedOverDefaults;
    const int nUnopenableWritten = 1;
#else
    const std::string strUnopenable = std::string("link to ") + kFile;
    const std::string strUnopenableTmp = std::string("link to ") + kUserTmp;
    // A link whose end cannot be found stays as it is.
    const std::string strUnopenablePicked = strUnopenable;
    const int nUnopenableWritten = 0;
#endif
    enum { AS_IS, LOCKED_AT_START, READ_ONLY };
    enum { NO_TMP, TMP_FILE, TMP_DIRECTORY, TMP_READ_ONLY, TMP_LOCKED };
    static const long kNoLimit = -1;
    const struct {
        const char* pszName;
        std::string strAtStart;
        int nHold;
        bool bPick;
        long nDiskRoom;
        int nRead[4];   // choices after reading
        int nWritten;   // what vPutStat reports
        std::string strAfter;
        int nTmp = NO_TMP;         // what lies under the name "flugstat.tmp"
        bool bNoNewFiles = false;  // the folder lets no file be added
    } kCases[] = {
        {"saved choices, user picks", strSaved, AS_IS, true, kNoLimit, {1, 0, 1, 1}, 1, strPicked},
        {"byte-order mark before the first line", "\xEF\xBB\xBF" + strSaved, AS_IS, false, kNoLimit,
         {1, 0, 1, 1}, 1, strSaved},
        {"lines ended by CR alone", "[kt]\r[km/h]\r[NM]\r[l/min]\r\r# x\r", AS_IS, false, kNoLimit,
         {1, 0, 1, 1}, 1, strSaved},
        {"locked at start, no pick", strSaved, LOCKED_AT_START, false, kNoLimit, {0, 1, 0, 0}, 0, strUnopenable},
        {"locked at start, user picks", strSaved, LOCKED_AT_START, true, kNoLimit, {0, 1, 0, 0},
         nUnopenableWritten, strUnopenablePicked},
        {"read-only file", strSaved, READ_ONLY, true, kNoLimit, {1, 0, 1, 1}, 0, strSaved},
        {"a file of the user's named flugstat.tmp", strSaved, AS_IS, true, kNoLimit, {1, 0, 1, 1}, 1, strPicked,
         TMP_FILE},
        {"a directory named flugstat.tmp", strSaved, AS_IS, true, kNoLimit, {1, 0, 1, 1}, 1, strPicked,
         TMP_DIRECTORY},
        {"a read-only flugstat.tmp", strSaved, AS_IS, true, kNoLimit, {1, 0, 1, 1}, 1, strPicked, TMP_READ_ONLY},
        {"a locked flugstat.tmp", strSaved, AS_IS, true, kNoLimit, {1, 0, 1, 1}, 1, strPicked, TMP_LOCKED},
#ifndef _WIN32
        {"disk full: not a byte fits", strSaved, AS_IS, true, 0, {1, 0, 1, 1}, 0, strSaved},
        {"disk full after 100 bytes", strSaved, AS_IS, true, 100, {1, 0, 1, 1}, 0, strSaved},
        {"room for the whole file", strSaved, AS_IS, true, 4096, {1, 0, 1, 1}, 1, strPicked},
        {"no new file can be made: written in place", strSaved, AS_IS, true, kNoLimit, {1, 0, 1, 1}, 1,
         strPicked, NO_TMP, true},
        {"no new file can be made, user's flugstat.tmp", strSaved, AS_IS, true, kNoLimit, {1, 0, 1, 1}, 1,
         strPicked, TMP_FILE, true},
        {"no new file can be made, the old file longer than the new", strSaved + "# a note of the user's\n", AS_IS,
         true, kNoLimit, {1, 0, 1, 1}, 1, strPicked, NO_TMP, true},
#endif
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        // A fresh run: the creation choices, nothing read or picked yet.
        pApp->bSettingsUnread = 0;
        pApp->bUnitChanged = 0;
        vChoose(0, 1, 0, 0);
        for (int id : kSaved)
            SendMessageA(pForm->hUnit[id], CB_SETCURSEL, (WPARAM)pForm->nUnitSel[id], 0);
        ASSERT_TRUE(bWriteFile(kFile, c.strAtStart));
        vSetReadOnly(kFile, c.nHold == READ_ONLY);
        if (c.nTmp == TMP_DIRECTORY) {
            ASSERT_TRUE(std::filesystem::create_directory(kUserTmp));
        } else if (c.nTmp != NO_TMP) {
            ASSERT_TRUE(bWriteFile(kUserTmp, strUserBytes));
        }
        vSetReadOnly(kUserTmp, c.nTmp == TMP_READ_ONLY);
        Unopenable hold(kFile, c.nHold == LOCKED_AT_START);
        vGetStat();
        hold.vRelease();
        vExpectChoices(c.nRead[0], c.nRead[1], c.nRead[2], c.nRead[3]);
        if (c.bPick) {
            // The user picks the other airspeed unit in the box.
            SendMessageA(pForm->hUnit[Tas], CB_SETCURSEL, (WPARAM)(1 - pForm->nUnitSel[Tas]), 0);
            vMesComUnit(WM_COMMAND, (WPARAM)(IDC_UNIT_BASE + Tas));
        }
        {
            Unopenable holdTmp(kUserTmp, c.nTmp == TMP_LOCKED);
            DiskRoom room(c.nDiskRoom);
#ifndef _WIN32
            if (c.bNoNewFiles) {
                EXPECT_EQ(c.nWritten, nPutStatWithoutNewFiles());
            } else
#endif
            {
                EXPECT_EQ(c.nWritten, vPutStat());
            }
        }
        EXPECT_EQ(c.strAfter, strEntry(kFile));
        const char* const kTmpAfter[] = {"", strUserBytes.c_str(), "directory", strUserBytes.c_str(),
                                         strUnopenableTmp.c_str()};
        if (c.nTmp != NO_TMP) {
            EXPECT_EQ(kTmpAfter[c.nTmp], strEntry(kUserTmp)) << "the user's flugstat.tmp is touched";
            EXPECT_EQ(std::string(kUserTmp) + " ", strOtherEntries()) << "a temporary file is left behind";
        } else {
            EXPECT_EQ("", strOtherEntries()) << "a temporary file is left behind";
        }
        vSetReadOnly(kFile, false);
        vSetReadOnly(kUserTmp, false);
        std::error_code ec;
        std::filesystem::remove(kFile, ec);
        std::filesystem::remove_all(kUserTmp, ec);
    }
}

// The name of this process's save file at try nTry, as the save makes it.
static std::string strSaveName(unsigned long ulPid, int nTry)
{
    return "flugstat.txt." + std::to_string(ulPid) + "-" + std::to_string(nTry) + ".tmp";
}
static std::string strOwnSaveName(int nTry)
{
    return strSaveName((unsigned long)GetCurrentProcessId(), nTry);
}

// Files of the user's under the names the save tries are never touched: the
// save takes the next free name, and with none left it keeps the old file.
TEST_F(SettingsFile, FilesUnderTheSavesNamesAreNotTouched)
{
    const std::string strSaved = strFile("[kt]", "[km/h]", "[NM]", "[l/min]");
    const std::string strPicked = strFile("[km/h]", "[km/h]", "[NM]", "[l/min]");
    const std::string strUser = "the user's own notes\n";
    const struct {
        const char* pszName;
        int nTaken;      // names taken, from the first on
        bool bDirectory; // taken by directories, not files
        int nWritten;
        std::string strAfter;
    } kCases[] = {
        {"first name a user's file", 1, false, 1, strPicked},
        {"first name a directory", 1, true, 1, strPicked},
        {"every name a user's file", 4, false, 0, strSaved},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        ASSERT_TRUE(bWriteFile(kFile, strSaved));
        vChoose(0, 0, 1, 1);
        pApp->bUnitChanged = 1;
        std::string strTaken;
        for (int i = 0; i < c.nTaken; i++) {
            if (c.bDirectory)
                ASSERT_TRUE(std::filesystem::create_directory(strOwnSaveName(i)));
            else
                ASSERT_TRUE(bWriteFile(strOwnSaveName(i), strUser));
            strTaken += strOwnSaveName(i) + " ";
        }
        EXPECT_EQ(c.nWritten, vPutStat());
        EXPECT_EQ(c.strAfter, strReadFile(kFile));
        std::string strOthers;
        for (int i = 0; i < c.nTaken; i++) {
            EXPECT_EQ(c.bDirectory ? "directory" : strUser, strEntry(strOwnSaveName(i).c_str()));
            std::error_code ec;
            std::filesystem::remove(strOwnSaveName(i), ec);
        }
        EXPECT_EQ("", strOtherEntries()) << "left behind";
        std::filesystem::remove(kFile);
    }
}

// Files under names like those of a save's own file, whoever made them
// (the user, a copy on another machine, a copy killed long ago), survive a
// start and a save byte for byte: the program opens for writing, renames
// or removes no file it did not make in this run.
TEST_F(SettingsFile, OthersFilesUnderTheSavesNamesSurvive)
{
    const std::string strSaved = strFile("[kt]", "[km/h]", "[NM]", "[l/min]");
    const std::string strPicked = strFile("[km/h]", "[km/h]", "[NM]", "[l/min]");
    // No process has this id: ids of both platforms stay far below it.
    const unsigned long kOtherPid = 0x7FFFFFF0;
    const unsigned long ulOwn = (unsigned long)GetCurrentProcessId();
    const struct {
        const char* pszName;
        std::string strFileName;
        std::string strBytes;
        bool bDirectory = false;
    } kCases[] = {
        {"a whole save", strSaveName(kOtherPid, 0), strSaved},
        {"a save cut off", strSaveName(kOtherPid, 1), strSaved.substr(0, 45)},
        {"empty", strSaveName(123, 1), ""},
        {"two bytes", strSaveName(125, 1), "[k"},
        {"this process's id, a save's text", strSaveName(ulOwn, 0), strSaved},
        {"this process's id, empty", strSaveName(ulOwn, 1), ""},
        {"a user's notes", strSaveName(kOtherPid, 0), "the user's own notes\n"},
        {"a directory", strSaveName(kOtherPid, 0), "", true},
        {"name in capitals", "FLUGSTAT.TXT." + std::to_string(kOtherPid) + "-0.TMP", strSaved},
#ifndef _WIN32
        {"a running copy's", strSaveName((unsigned long)getppid(), 0), strSaved},
#endif
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        if (c.bDirectory)
            ASSERT_TRUE(std::filesystem::create_directory(c.strFileName));
        else
            ASSERT_TRUE(bWriteFile(c.strFileName, c.strBytes));
        ASSERT_TRUE(bWriteFile(kFile, strSaved));
        vChoose(0, 1, 0, 0);
        vGetStat();
        vExpectChoices(1, 0, 1, 1);
        EXPECT_EQ(c.strFileName + " ", strOtherEntries()) << "after the start";
        vChoose(0, 0, 1, 1);
        EXPECT_EQ(1, vPutStat());
        EXPECT_EQ(strPicked, strReadFile(kFile));
        EXPECT_EQ(c.strFileName + " ", strOtherEntries()) << "after the save";
        EXPECT_EQ(c.bDirectory ? "directory" : c.strBytes, strEntry(c.strFileName.c_str()));
        std::error_code ec;
        std::filesystem::remove(c.strFileName, ec);
    }
}

#ifndef _WIN32
// A settings file that is a link (kept elsewhere by the user): the file it
// leads to gets the choices, written beside it as any save, and the link
// stays. A link that leads nowhere, or to itself, is left as it is.
TEST_F(SettingsFile, ALinkStaysALink)
{
    const std::string strSaved = strFile("[kt]", "[km/h]", "[NM]", "[l/min]");
    const std::string strPicked = strFile("[km/h]", "[km/h]", "[NM]", "[l/min]");
    std::filesystem::create_directory("elsewhere");
    const struct {
        const char* pszName;
        const char* pszLeadsTo;
        bool bTargetThere;
        int nWritten;
        std::string strTargetAfter;
    } kCases[] = {
        {"to a file in another folder", "elsewhere/mine.txt", true, 1, strPicked},
        {"to a file beside it", "mine.txt", true, 1, strPicked},
        {"to nothing", "elsewhere/gone.txt", false, 0, ""},
        {"to itself", kFile, false, 0, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        if (c.bTargetThere) {
            ASSERT_TRUE(bWriteFile(c.pszLeadsTo, strSaved));
        }
        ASSERT_EQ(0, symlink(c.pszLeadsTo, kFile));
        vChoose(0, 0, 1, 1);
        pApp->bUnitChanged = 1;
        EXPECT_EQ(c.nWritten, vPutStat());
        EXPECT_EQ(std::string("link to ") + c.pszLeadsTo, strEntry(kFile));
        if (c.bTargetThere) {
            EXPECT_EQ(c.strTargetAfter, strEntry(c.pszLeadsTo));
        }
        std::error_code ec;
        std::filesystem::remove(kFile, ec);
        if (c.bTargetThere) {
            std::filesystem::remove(c.pszLeadsTo, ec);
        }
        EXPECT_EQ("elsewhere ", strOtherEntries()) << "left behind";
        EXPECT_TRUE(std::filesystem::is_empty("elsewhere")) << "left behind elsewhere";
    }
}
#endif

#ifndef _WIN32
// Each call of a save failing in turn: the old file keeps its bytes (or,
// written in place, the failure is reported), and no new file is left.
TEST_F(SettingsFile, EachFailedCallOfASave)
{
    const std::string strSaved = strFile("[kt]", "[km/h]", "[NM]", "[l/min]");
    const std::string strPicked = strFile("[km/h]", "[km/h]", "[NM]", "[l/min]");
    const struct {
        const char* pszName;
        int nCall;
        int nNth;
        DWORD dwError;
        bool bInPlace; // the folder refuses new files: the save writes in place
        std::string strAfter;
    } kCases[] = {
        {"making the new file: disk full", HOST_CREATE_FILE, 2, ERROR_DISK_FULL, false, strSaved},
        {"writing the new file", HOST_WRITE_FILE, 1, ERROR_DISK_FULL, false, strSaved},
        {"flushing the new file", HOST_FLUSH_FILE, 1, ERROR_DISK_FULL, false, strSaved},
        {"linking it over the old one: held", HOST_LINK_FILE, 1, 0xC0000043 /* sharing violation */, false,
         strSaved},
        {"closing the new file", HOST_CLOSE_HANDLE, 2, ERROR_DISK_FULL, false, strPicked},
        {"looking where the old one is", HOST_CREATE_FILE, 1, ERROR_ACCESS_DENIED, false, strSaved},
        {"writing in place", HOST_WRITE_FILE, 1, ERROR_DISK_FULL, true, strSaved},
        {"cutting off the old tail in place", HOST_SET_END_OF_FILE, 1, ERROR_DISK_FULL, true, strPicked},
        {"closing in place", HOST_CLOSE_HANDLE, 2, ERROR_DISK_FULL, true, strPicked},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        ASSERT_TRUE(bWriteFile(kFile, strSaved));
        vChoose(0, 0, 1, 1);
        pApp->bUnitChanged = 1;
        // The second call to make a file is the new one's.
        if (c.bInPlace)
            hostFailFileCall(HOST_CREATE_FILE, 2, ERROR_ACCESS_DENIED);
        hostFailFileCall(c.nCall, c.nNth, c.dwError);
        EXPECT_EQ(0, vPutStat()) << "a failed save counts as saved";
        hostResetFileCalls();
        EXPECT_EQ(c.strAfter, strReadFile(kFile));
        EXPECT_EQ("", strOtherEntries()) << "left behind";
        // Each failure is one of this save's: without it, the save succeeds.
        EXPECT_EQ(1, vPutStat());
        EXPECT_EQ(strPicked, strReadFile(kFile));
    }
}
#endif

#ifndef _WIN32
// A folder that lets files be made but refuses to replace a name (on
// Windows an access list without delete, on Linux an append-only or a
// sticky folder with another's file): the choices are written in place, and
// a failure there is reported, so that the exit tries again.
TEST_F(SettingsFile, FolderThatReplacesNoNameSavesInPlace)
{
    const std::string strSaved = strFile("[kt]", "[km/h]", "[NM]", "[l/min]");
    const std::string strPicked = strFile("[km/h]", "[km/h]", "[NM]", "[l/min]");
    const NTSTATUS kAccessDenied = (NTSTATUS)0xC0000022;
    const struct {
        const char* pszName;
        int nCall; // what fails besides the link
        int nNth;
        DWORD dwError;
        int nWritten;
        std::string strAfter;
    } kCases[] = {
        {"written in place", HOST_FILE_CALLS, 0, 0, 1, strPicked},
        {"held while written in place", HOST_CREATE_FILE, 3, ERROR_SHARING_VIOLATION, 0, strSaved},
        {"no room in place", HOST_WRITE_FILE, 2, ERROR_DISK_FULL, 0, strSaved},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        ASSERT_TRUE(bWriteFile(kFile, strSaved));
        vChoose(0, 0, 1, 1);
        pApp->bUnitChanged = 1;
        hostFailFileCall(HOST_LINK_FILE, 1, (DWORD)kAccessDenied);
        if (c.nCall != HOST_FILE_CALLS)
            hostFailFileCall(c.nCall, c.nNth, c.dwError);
        EXPECT_EQ(c.nWritten, vPutStat());
        hostResetFileCalls();
        EXPECT_EQ(c.strAfter, strReadFile(kFile));
        EXPECT_EQ("", strOtherEntries()) << "left behind";
    }
}
#endif
