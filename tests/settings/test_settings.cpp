// The settings file: what is written, byte for byte with the platform's
// line end, and what any file, however malformed, does to the choices.
#include <stdio.h>

#include <filesystem>
#include <string>

#include "settings/settings.h"
#include "support/files.h"
#include "support/fixture.h"

#ifdef _WIN32
static const char kEol[] = "\r\n"; // text-mode streams store CR LF
#else
static const char kEol[] = "\n";
#endif

static const char kFile[] = "flugstat.txt";
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
        vGetStat();
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
    vGetStat();
    vExpectChoices(0, 1, 0, 0);
    vChoose(1, 0, 1, 1);
    vPutStat(); // cannot be created: nothing happens
    EXPECT_TRUE(std::filesystem::is_directory("flugstat.txt"));
    EXPECT_EQ(nullptr, pApp->pSettingsFile);
}
