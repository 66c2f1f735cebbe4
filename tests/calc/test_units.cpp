// Switching units through the unit boxes: the text is converted and
// rewritten, the box and the stored choice stay in step.
#include <string>

#include "calc/input.h"
#include "calc/units.h"
#include "shell/resource.h"
#include "support/controls.h"
#include "support/fixture.h"

class UnitSwitch : public AppFixture {
protected:
    // Picks item nSel in the input's unit box and lets the handler see it.
    void vPick(int id, int nSel)
    {
        testSelect(pForm->hUnit[id], nSel);
        vMesComUnit(WM_COMMAND, (WPARAM)(IDC_UNIT_BASE + id));
    }
    std::string strEdit(int id)
    {
        char sz[INPUT_TEXT_SIZE] = "";
        GetWindowTextA(pForm->hEdit[id], sz, sizeof(sz));
        return sz;
    }
    int nBoxSel(int id) { return (int)SendMessageA(pForm->hUnit[id], CB_GETCURSEL, 0, 0); }
    void vIdleTimer()
    {
        pTimer->bPending = 0;
        pTimer->nElapsed = 300;
    }
};

TEST_F(UnitSwitch, RoundTrips)
{
    static const struct {
        int id;
        const char* pszText;
        const char* pszThere;
        const char* pszBack;
    } kCases[] = {
        {Tas, "110", "59.4595", "110"},
        {Distance, "100", "54.0541", "100"},
        {FuelFlow, "12", "0.2", "12"},
        {WindSpeed, "20", "37", "20"}, // starts in knots
        {Distance, "1000000", "540541", "1e+06"},
        {FuelFlow, "0.0003", "5e-06", "0.0003"},
        {Tas, "-110", "-59.4595", "-110"},
        {Tas, "110 km/h", "59.4595", "110"}, // the trailing text is lost
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string("input ") + std::to_string(c.id) + " text " + c.pszText);
        // Each row starts from the choice window creation gives.
        int nStart = 0;
        vDefaultUnit(c.id, &nStart);
        pForm->nUnitSel[c.id] = nStart;
        testSelect(pForm->hUnit[c.id], nStart);
        vType(c.id, c.pszText);
        vIdleTimer();

        vPick(c.id, 1 - nStart);
        EXPECT_STREQ(c.pszThere, pForm->szInput[c.id]);
        EXPECT_EQ(c.pszThere, strEdit(c.id));
        EXPECT_EQ(1 - nStart, pForm->nUnitSel[c.id]);
        EXPECT_EQ(1, pForm->bValid[c.id]);
        EXPECT_EQ(1, pTimer->bPending);
        EXPECT_EQ(0, pTimer->nElapsed);

        vPick(c.id, nStart);
        EXPECT_STREQ(c.pszBack, pForm->szInput[c.id]);
        EXPECT_EQ(c.pszBack, strEdit(c.id));
        EXPECT_EQ(nStart, pForm->nUnitSel[c.id]);
    }
}

TEST_F(UnitSwitch, UnreadableTextChangesTheChoiceOnly)
{
    for (const char* pszText : {"", "abc"}) {
        SCOPED_TRACE(std::string("text \"") + pszText + "\"");
        vType(Tas, pszText);
        vIdleTimer();
        int nOld = pForm->nUnitSel[Tas];
        vPick(Tas, 1 - nOld);
        EXPECT_EQ(1 - nOld, pForm->nUnitSel[Tas]);
        EXPECT_STREQ(pszText, pForm->szInput[Tas]);
        EXPECT_EQ(pszText, strEdit(Tas));
        EXPECT_EQ(0, pForm->bValid[Tas]);
        EXPECT_EQ(0, pTimer->bPending);
        EXPECT_EQ(300, pTimer->nElapsed);
    }
    // A number typed afterwards is read in the new unit.
    vType(Tas, "");
    pForm->nUnitSel[Tas] = 0;
    vPick(Tas, 1);
    vType(Tas, "110");
    double dValue = 0;
    ASSERT_EQ(1, vGetValue(pForm->szInput[Tas], Tas, &dValue));
    EXPECT_DOUBLE_EQ(203.5, dValue);
}

TEST_F(UnitSwitch, SameChoiceChangesNothing)
{
    vType(Tas, "110 km/h");
    vIdleTimer();
    vPick(Tas, 0);
    EXPECT_STREQ("110 km/h", pForm->szInput[Tas]);
    EXPECT_EQ("110 km/h", strEdit(Tas));
    EXPECT_EQ(0, pTimer->bPending);
}

TEST_F(UnitSwitch, NoSelectionKeepsChoiceAndRestoresBox)
{
    for (int id : {Tas, WindSpeed, Distance, FuelFlow}) {
        SCOPED_TRACE("input " + std::to_string(id));
        vType(id, "12");
        vIdleTimer();
        int nOld = pForm->nUnitSel[id];
        testClearSelection(pForm->hUnit[id]);
        ASSERT_EQ(CB_ERR, nBoxSel(id));
        vMesComUnit(WM_COMMAND, (WPARAM)(IDC_UNIT_BASE + id));
        EXPECT_EQ(nOld, pForm->nUnitSel[id]);
        EXPECT_EQ(nOld, nBoxSel(id));
        EXPECT_STREQ("12", pForm->szInput[id]);
        EXPECT_EQ(0, pTimer->bPending);
    }
}

TEST_F(UnitSwitch, OtherMessagesAndControlsIgnored)
{
    vType(Tas, "110");
    vIdleTimer();
    testSelect(pForm->hUnit[Tas], 1);
    vMesComUnit(WM_COMMAND + 1, (WPARAM)(IDC_UNIT_BASE + Tas));
    vMesComUnit(WM_COMMAND, (WPARAM)Tas); // the edit, not the box
    vMesComUnit(WM_COMMAND, (WPARAM)(IDC_UNIT_BASE + INPUT_COUNT + Tas));
    EXPECT_EQ(0, pForm->nUnitSel[Tas]);
    EXPECT_STREQ("110", pForm->szInput[Tas]);
    // The notification code in the high word does not matter.
    const WPARAM kSelChange = 1; // CBN_SELCHANGE
    vMesComUnit(WM_COMMAND, (kSelChange << 16) | (WPARAM)(IDC_UNIT_BASE + Tas));
    EXPECT_EQ(1, pForm->nUnitSel[Tas]);
    EXPECT_STREQ("59.4595", pForm->szInput[Tas]);
}

TEST_F(UnitSwitch, OnlyTheTwoChoicesOfUnitInputs)
{
    // Inputs without a second unit, and choices other than 0 and 1, are
    // never stored: the unit strings and factors index with the choice.
    vType(WindDir, "230");
    vType(Tas, "110");
    vApplyUnitChoice(WindDir, 1);
    vApplyUnitChoice(Tas, 2);
    vApplyUnitChoice(Tas, -1);
    vApplyUnitChoice(-1, 1);
    vApplyUnitChoice(INPUT_COUNT, 1);
    EXPECT_EQ(0, pForm->nUnitSel[WindDir]);
    EXPECT_EQ(0, pForm->nUnitSel[Tas]);
    EXPECT_STREQ("230", pForm->szInput[WindDir]);
    EXPECT_STREQ("110", pForm->szInput[Tas]);
    vMesComUnit(WM_COMMAND, (WPARAM)(IDC_UNIT_BASE + WindDir));
    EXPECT_EQ(0, pForm->nUnitSel[WindDir]);
}

// Window creation asks each input for its starting choice; an input without
// a unit box gets none and its choice is left alone.
TEST(DefaultUnit, OnlyUnitInputsHaveAStartingChoice)
{
    static const struct {
        const char* pszName;
        int id;
        int bHasChoice;
        int nSel; // 7: left alone
    } kRows[] = {
        {"departure", Departure, 0, 7},   {"destination", Destination, 0, 7}, {"airspeed", Tas, 1, 0},
        {"wind speed in knots", WindSpeed, 1, 1}, {"wind direction", WindDir, 0, 7}, {"course", TrueCourse, 0, 7},
        {"variation", Variation, 0, 7},   {"deviation", Deviation, 0, 7},     {"distance", Distance, 1, 0},
        {"fuel flow", FuelFlow, 1, 0},    {"below the inputs", -1, 0, 7},     {"past the inputs", INPUT_COUNT, 0, 7},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.pszName);
        int nSel = 7;
        EXPECT_EQ(row.bHasChoice, vDefaultUnit(row.id, &nSel));
        EXPECT_EQ(row.nSel, nSel);
    }
}
