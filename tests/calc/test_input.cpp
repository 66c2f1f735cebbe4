// Input texts: the number reader, the west rule, the unit factors and the
// edit-change handler's validity and redraw rules.
#include <math.h>
#include <string.h>

#include <string>

#include "calc/input.h"
#include "support/controls.h"
#include "support/fixture.h"

using InputValue = AppFixture;

struct ValueCase {
    const char* pszText;
    int id;
    int nUnitSel;
    int bOk;
    double dValue;
};

TEST_F(InputValue, NumberSyntax)
{
    static const ValueCase kCases[] = {
        {"110", Tas, 0, 1, 110},
        {"  \t\n\v\f\r7", Tas, 0, 1, 7},
        {"+2", Tas, 0, 1, 2},
        {"-3", Tas, 0, 1, -3},
        {".5", Tas, 0, 1, 0.5},
        {"5.", Tas, 0, 1, 5},
        {"2,5", Tas, 0, 1, 2},
        {"1.2.3", Tas, 0, 1, 1.2},
        {"2E", Tas, 0, 1, 2},
        {"2E-", Tas, 0, 1, 2},
        {"2e+x", Tas, 0, 1, 2},
        {"2E3", Tas, 0, 1, 2000},
        {"2e-3", Tas, 0, 1, 0.002},
        {"110 km/h", Tas, 0, 1, 110},
        {"12abc", Tas, 0, 1, 12},
        {"0x10", Tas, 0, 1, 0}, // the number ends at the "x": no hex form
        {" -0X1p4", Tas, 0, 1, 0},
        {"00x5", Tas, 0, 1, 0},
        {"10x5", Tas, 0, 1, 10},
        {"0.x5", Tas, 0, 1, 0},
        {"230\xB0", WindDir, 0, 1, 230},
        {"1e308", Tas, 0, 1, 1e308},
        {"", Tas, 0, 0, 0},
        {"   ", Tas, 0, 0, 0},
        {".", Tas, 0, 0, 0},
        {"-", Tas, 0, 0, 0},
        {"+", Tas, 0, 0, 0},
        {"-.e5", Tas, 0, 0, 0},
        {"e5", Tas, 0, 0, 0},
        {"abc", Tas, 0, 0, 0},
        {"W3", Deviation, 0, 0, 0},
        {"inf", Tas, 0, 0, 0},
        {"-INF", Tas, 0, 0, 0},
        {"infinity", Tas, 0, 0, 0},
        {"nan", Tas, 0, 0, 0},
        {"NaN(1)", Tas, 0, 0, 0},
        {"1e999", Tas, 0, 0, 0},
        {"-1e999", Distance, 0, 0, 0},
        {"1e308", Tas, 1, 0, 0}, // finite as typed, beyond a double in km/h
        // The selected unit
        {"110", Tas, 1, 1, 203.5},
        {"20", WindSpeed, 1, 1, 37},
        {"69", Distance, 1, 1, 127.65},
        {"0.2", FuelFlow, 1, 1, 12},
        {"12", FuelFlow, 0, 1, 12},
    };
    for (const ValueCase& c : kCases) {
        SCOPED_TRACE(std::string("text \"") + c.pszText + "\" input " + std::to_string(c.id) + " unit " +
                     std::to_string(c.nUnitSel));
        pForm->nUnitSel[c.id] = c.nUnitSel;
        double dValue = 12345;
        EXPECT_EQ(c.bOk, vGetValue(c.pszText, c.id, &dValue));
        EXPECT_NEAR(c.dValue, dValue, fabs(c.dValue) * 1e-15);
        EXPECT_TRUE(isfinite(dValue));
        EXPECT_EQ(c.bOk, vCheckInput(c.id, c.pszText));
        pForm->nUnitSel[c.id] = 0;
    }
}

TEST_F(InputValue, WestRule)
{
    static const ValueCase kCases[] = {
        {"3W", Variation, 0, 1, -3},
        {"3w", Variation, 0, 1, -3},
        {" 3 W", Variation, 0, 1, -3},
        {"-3", Variation, 0, 1, -3},
        {"-3W", Variation, 0, 1, 3},
        {"2E", Variation, 0, 1, 2},
        {"2e", Variation, 0, 1, 2},
        {"+2", Variation, 0, 1, 2},
        {"2", Variation, 0, 1, 2},
        {"3,5W", Variation, 0, 1, -3},
        {"3.5W", Variation, 0, 1, -3.5},
        {"3,,W", Variation, 0, 1, -3},
        {"1 2W", Variation, 0, 1, 1},
        {"3 ,W", Variation, 0, 1, 3},
        {"3E", Variation, 0, 1, 3},
        {"2e5", Variation, 0, 1, 200000},
        {"3\xB0W", Variation, 0, 1, -3}, // as charts print it
        {"3\xB0 W", Variation, 0, 1, -3},
        {"3 \xB0W", Variation, 0, 1, -3},
        {"3.5\xB0w", Variation, 0, 1, -3.5},
        {"3\xB0", Variation, 0, 1, 3},
        {"3\xB0" "E", Variation, 0, 1, 3},
        {"-3\xB0W", Variation, 0, 1, 3},
        {"3,5\xB0W", Variation, 0, 1, -3}, // the comma ends the number, not the scan
        {"3\xB0" "5W", Variation, 0, 1, 3}, // a second number after the gap
        {"3\xB1W", Variation, 0, 1, 3},  // any other byte above 127 still stops the scan
        {"2\xB0W", Deviation, 0, 1, -2},
        {"230\xB0W", WindDir, 0, 1, 230},
        {"3xW", Variation, 0, 1, 3},
        {"2W", Deviation, 0, 1, -2},
        {"3W", WindDir, 0, 1, 3}, // only variation and deviation know west
        {"3W", TrueCourse, 0, 1, 3},
    };
    for (const ValueCase& c : kCases) {
        SCOPED_TRACE(std::string("text \"") + c.pszText + "\" input " + std::to_string(c.id));
        double dValue = 12345;
        EXPECT_EQ(c.bOk, vGetValue(c.pszText, c.id, &dValue));
        EXPECT_EQ(c.dValue, dValue);
    }
}

TEST_F(InputValue, FailedReadingGivesPlainZero)
{
    // "W3" has no number, but the west rule still sees its W.
    double dValue = 5;
    EXPECT_EQ(0, vGetValue("W3", Variation, &dValue));
    EXPECT_EQ(0.0, dValue);
    EXPECT_FALSE(signbit(dValue));
}

TEST_F(InputValue, NullArgumentsWriteNothing)
{
    double dValue = 5;
    EXPECT_EQ(0, vGetValue(NULL, Tas, &dValue));
    EXPECT_EQ(5, dValue);
    EXPECT_EQ(0, vGetValue("1", Tas, NULL));
    EXPECT_EQ(0, vCheckInput(Tas, NULL));
}

TEST_F(InputValue, CheckInputByInput)
{
    EXPECT_EQ(1, vCheckInput(Departure, "   "));
    EXPECT_EQ(1, vCheckInput(Destination, "EDDF"));
    EXPECT_EQ(0, vCheckInput(Tas, "   "));
    EXPECT_EQ(0, vCheckInput(-1, "1"));
    EXPECT_EQ(0, vCheckInput(INPUT_COUNT, "1"));
}

struct FactorCase {
    int id;
    int nOld;
    int nNew;
    double dFactor;
};

TEST_F(InputValue, UnitFactors)
{
    // From the selected unit into the base unit.
    static const FactorCase kIn[] = {
        {Tas, 0, 0, 1},      {Tas, 1, 0, 1.85},      {WindSpeed, 1, 0, 1.85}, {Distance, 1, 0, 1.85},
        {FuelFlow, 1, 0, 60}, {FuelFlow, 0, 0, 1},   {WindDir, 1, 0, 1},      {Variation, 0, 0, 1},
    };
    for (const FactorCase& c : kIn) {
        SCOPED_TRACE("in: input " + std::to_string(c.id) + " unit " + std::to_string(c.nOld));
        pForm->nUnitSel[c.id] = c.nOld;
        double dFactor = 0;
        vGetFakIn(c.id, &dFactor);
        EXPECT_EQ(c.dFactor, dFactor);
        pForm->nUnitSel[c.id] = 0;
    }
    // From one choice into the other.
    static const FactorCase kOut[] = {
        {Tas, 0, 1, 1 / 1.85},      {Tas, 1, 0, 1.85},         {Tas, 1, 1, 1},
        {WindSpeed, 0, 1, 1 / 1.85}, {Distance, 1, 0, 1.85},   {FuelFlow, 0, 1, 1 / 60.0},
        {FuelFlow, 1, 0, 60},       {WindDir, 0, 1, 1},        {Departure, 1, 0, 1},
    };
    for (const FactorCase& c : kOut) {
        SCOPED_TRACE("out: input " + std::to_string(c.id) + " " + std::to_string(c.nOld) + " to " +
                     std::to_string(c.nNew));
        double dFactor = 0;
        vGetFakOut(c.id, c.nOld, c.nNew, &dFactor);
        EXPECT_EQ(c.dFactor, dFactor);
    }
}

TEST_F(InputValue, FactorFromUnknownChoiceReportsAndKeepsOne)
{
    static const struct {
        int id;
        const char* pszMessage;
    } kCases[] = {
        {Tas, "Error: Check vGetFakOut (1)!\n"},
        {WindSpeed, "Error: Check vGetFakOut (2)!\n"},
        {Distance, "Error: Check vGetFakOut (3)!\n"},
        {FuelFlow, "Error: Check vGetFakOut (4)!\n"},
        {WindDir, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.id);
        double dFactor = 0;
        testing::internal::CaptureStderr();
        vGetFakOut(c.id, 2, 0, &dFactor);
        std::string strErr = testing::internal::GetCapturedStderr();
        EXPECT_EQ(1, dFactor);
        EXPECT_EQ(c.pszMessage, strErr);
    }
}

// The edit-change handler: what it stores and when it starts the redraw.
class TextChange : public AppFixture {
protected:
    // A redraw delay half run out, to see whether a change restarts it.
    void vIdleTimer()
    {
        pTimer->bPending = 0;
        pTimer->nElapsed = 300;
    }
};

// A text typed over another: what is stored, and whether the redraw delay
// (half run out before the change) starts again.
TEST_F(TextChange, RedrawFollowsEveryChangeButInvalidToInvalid)
{
    static const struct {
        const char* pszName;
        const char* pszBefore; // null: the input was never touched
        const char* pszAfter;
        int bValid;
        int bRestarts;
    } kCases[] = {
        {"valid text", nullptr, "110", 1, 1},
        {"invalid text", nullptr, "abc", 0, 0},
        {"invalid staying invalid", "abc", "xyz", 0, 0},
        {"clearing a valid text", "110", "", 0, 1},
        {"another valid text", "110", "120", 1, 1},
        {"the same text again", "110", "110", 1, 0},
        {"valid becoming invalid", "110", "W3", 0, 1},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        // Back to the untouched input of a fresh start.
        pForm->szInput[Tas][0] = '\0';
        pForm->bValid[Tas] = 0;
        if (c.pszBefore != nullptr)
            vType(Tas, c.pszBefore);
        vIdleTimer();
        vType(Tas, c.pszAfter);
        EXPECT_STREQ(c.pszAfter, pForm->szInput[Tas]);
        EXPECT_EQ(c.bValid, pForm->bValid[Tas]);
        EXPECT_EQ(c.bRestarts, pTimer->bPending);
        EXPECT_EQ(c.bRestarts ? 0 : 300, pTimer->nElapsed);
    }
}

TEST_F(TextChange, PlaceNamesNeedAnyText)
{
    vType(Departure, "   ");
    EXPECT_EQ(1, pForm->bValid[Departure]);
    vType(Departure, "");
    EXPECT_EQ(0, pForm->bValid[Departure]);
}

TEST_F(TextChange, NotificationCodeIgnoredOtherMessagesAndIdsNot)
{
    testSetText(pForm->hEdit[Tas], "110");
    vMesComText(WM_COMMAND + 1, Tas);
    vMesComText(WM_COMMAND, 50 + Tas); // the unit box of the same input
    EXPECT_STREQ("", pForm->szInput[Tas]);
    EXPECT_EQ(0, pTimer->bPending);
    const WPARAM kChangeCode = 0x0300; // EN_CHANGE in the high word
    vMesComText(WM_COMMAND, (kChangeCode << 16) | Tas);
    EXPECT_STREQ("110", pForm->szInput[Tas]);
    EXPECT_EQ(1, pForm->bValid[Tas]);
}

// The edit holds at most 255 characters; all of them are computed with,
// the 255th included, and nothing beyond the buffer.
TEST_F(TextChange, LongTextKeepsAllTheBufferHolds)
{
    std::string strFull(254, '0');
    strFull += "7";
    vType(Distance, strFull.c_str());
    EXPECT_STREQ(strFull.c_str(), pForm->szInput[Distance]);
    double dKm = 0;
    ASSERT_EQ(1, vGetValue(pForm->szInput[Distance], Distance, &dKm));
    EXPECT_EQ(7.0, dKm) << "the last character counts";

    std::string strLong(300, '7');
    vType(Departure, strLong.c_str());
    EXPECT_EQ(255u, strlen(pForm->szInput[Departure]));
    EXPECT_EQ(1, pForm->bValid[Departure]);
}
