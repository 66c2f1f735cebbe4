// Compass heading, flight time and fuel from the worked flight (TAS 110 km/h,
// wind 20 km/h from 230, course 85: TH 90.986068, GS 125.783242).
#include <math.h>

#include <string>

#include "calc/derived.h"
#include "support/fixture.h"

static const double kUntouched = -12345;

class Derived : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        vTypeTriangle("110", "20", "230", "85");
    }
};

TEST_F(Derived, CompassHeading)
{
    static const struct {
        const char* pszVar;
        const char* pszDev;
        double dCh;
    } kCases[] = {
        {"3W", "2", 91.986068},
        {"2E", "-1", 89.986068},
        {"0", "0", 90.986068},
        {"-3", "2W", 95.986068},
        {"3\xB0W", "2\xB0" "E", 91.986068}, // as charts print them
        {"3\xB0", "1\xB0 w", 88.986068},
        {"90", "1", 359.986068}, // taken below 0 and normalised
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string("VAR ") + c.pszVar + " DEV " + c.pszDev);
        vType(Variation, c.pszVar);
        vType(Deviation, c.pszDev);
        double dCh = kUntouched;
        ASSERT_EQ(1, vGetCH(&dCh));
        EXPECT_NEAR(c.dCh, dCh, kSixDecimals);
    }
}

TEST_F(Derived, CompassHeadingNormalisedNotNegative)
{
    vTypeTriangle("100", "0", "0", "1"); // calm: TH is the course, 1
    vType(Variation, "3");
    vType(Deviation, "0");
    double dCh = kUntouched;
    ASSERT_EQ(1, vGetCH(&dCh));
    EXPECT_NEAR(358, dCh, 1e-9);
}

TEST_F(Derived, TimeAndFuel)
{
    static const struct {
        const char* pszDist;
        int nDistUnit;
        const char* pszFlow;
        int nFlowUnit;
        double dHours;
        double dMinutes;
        double dFuel;
    } kCases[] = {
        {"69", 0, "12", 0, 0, 32.913764, 6.582753},
        {"69", 1, "12", 0, 1, 0.890464, 12.178093}, // 127.65 km
        {"69", 0, "0.2", 1, 0, 32.913764, 6.582753}, // 12 l/h
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string("DIST ") + c.pszDist + " unit " + std::to_string(c.nDistUnit) + " FLOW " +
                     c.pszFlow + " unit " + std::to_string(c.nFlowUnit));
        pForm->nUnitSel[Distance] = c.nDistUnit;
        pForm->nUnitSel[FuelFlow] = c.nFlowUnit;
        vType(Distance, c.pszDist);
        vType(FuelFlow, c.pszFlow);
        double dHours = kUntouched, dMinutes = kUntouched, dFuel = kUntouched;
        ASSERT_EQ(1, vGetTime(&dHours, &dMinutes));
        EXPECT_EQ(c.dHours, dHours);
        EXPECT_NEAR(c.dMinutes, dMinutes, kSixDecimals);
        ASSERT_EQ(1, vGetFuel(&dFuel));
        EXPECT_NEAR(c.dFuel, dFuel, kSixDecimals);
    }
}

TEST_F(Derived, GroundSpeedTooSmallGivesFallbacks)
{
    static const struct {
        const char* pszWs;
        const char* pszWd;
        const char* pszTc;
    } kCases[] = {
        {"0", "0", "85"},  // no airspeed, calm
        {"20", "0", "90"}, // no airspeed, wind straight across the course
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string("WS ") + c.pszWs + " WD " + c.pszWd + " TC " + c.pszTc);
        vTypeTriangle("0", c.pszWs, c.pszWd, c.pszTc);
        vType(Distance, "69");
        vType(FuelFlow, "12");
        double dHours = kUntouched, dMinutes = kUntouched, dFuel = kUntouched;
        ASSERT_EQ(1, vGetTime(&dHours, &dMinutes));
        EXPECT_EQ(999, dHours);
        EXPECT_EQ(99, dMinutes);
        ASSERT_EQ(1, vGetFuel(&dFuel));
        EXPECT_EQ(9999.9, dFuel);
    }

    // A ground speed of exactly the threshold is divided by.
    vTypeTriangle("0.005", "0", "0", "0");
    vType(Distance, "1");
    vType(FuelFlow, "1");
    double dHours = kUntouched, dMinutes = kUntouched, dFuel = kUntouched;
    ASSERT_EQ(1, vGetTime(&dHours, &dMinutes));
    EXPECT_EQ(200, dHours);
    EXPECT_NEAR(0, dMinutes, 1e-6);
    ASSERT_EQ(1, vGetFuel(&dFuel));
    EXPECT_NEAR(200, dFuel, 1e-9);
}

TEST_F(Derived, NegativeDistanceGivesNegativeResults)
{
    vTypeTriangle("100", "0", "0", "0"); // GS 100
    vType(Distance, "-150");
    vType(FuelFlow, "12");
    double dHours = kUntouched, dMinutes = kUntouched, dFuel = kUntouched;
    ASSERT_EQ(1, vGetTime(&dHours, &dMinutes));
    EXPECT_EQ(-1, dHours);
    EXPECT_NEAR(-30, dMinutes, 1e-9);
    ASSERT_EQ(1, vGetFuel(&dFuel));
    EXPECT_NEAR(-18, dFuel, 1e-9);
}

TEST_F(Derived, MinutesKeepTheirFraction)
{
    vTypeTriangle("100", "0", "0", "0");
    vType(Distance, "199.99999"); // 1.9999999 h
    double dHours = kUntouched, dMinutes = kUntouched;
    ASSERT_EQ(1, vGetTime(&dHours, &dMinutes));
    EXPECT_EQ(1, dHours);
    EXPECT_NEAR(59.999994, dMinutes, 1e-6);
}

TEST_F(Derived, MissingInputsLeaveResultsUntouched)
{
    double dCh = kUntouched, dHours = kUntouched, dMinutes = kUntouched, dFuel = kUntouched;
    // Time needs no fuel flow; fuel does.
    vType(Distance, "69");
    EXPECT_EQ(1, vGetTime(&dHours, &dMinutes));
    EXPECT_EQ(0, vGetFuel(&dFuel));
    EXPECT_EQ(kUntouched, dFuel);
    // Compass heading needs both corrections.
    vType(Variation, "3W");
    EXPECT_EQ(0, vGetCH(&dCh));
    vType(Variation, "");
    vType(Deviation, "2");
    EXPECT_EQ(0, vGetCH(&dCh));
    EXPECT_EQ(kUntouched, dCh);
    // Without the triangle nothing follows.
    vType(Variation, "3W");
    vType(FuelFlow, "12");
    vType(WindDir, "x");
    dHours = dMinutes = kUntouched;
    EXPECT_EQ(0, vGetCH(&dCh));
    EXPECT_EQ(0, vGetTime(&dHours, &dMinutes));
    EXPECT_EQ(0, vGetFuel(&dFuel));
    EXPECT_EQ(kUntouched, dCh);
    EXPECT_EQ(kUntouched, dHours);
    EXPECT_EQ(kUntouched, dMinutes);
    EXPECT_EQ(kUntouched, dFuel);
}

TEST_F(Derived, NullResultPointers)
{
    vType(Variation, "3W");
    vType(Deviation, "2");
    vType(Distance, "69");
    vType(FuelFlow, "12");
    double d = kUntouched;
    EXPECT_EQ(0, vGetCH(NULL));
    EXPECT_EQ(0, vGetTime(&d, NULL));
    EXPECT_EQ(0, vGetTime(NULL, &d));
    EXPECT_EQ(0, vGetFuel(NULL));
    EXPECT_EQ(kUntouched, d);
}

TEST_F(Derived, OverflowingResultsFailInsteadOfShowingInfinity)
{
    double dCh = kUntouched, dHours = kUntouched, dMinutes = kUntouched, dFuel = kUntouched;
    vType(Variation, "1.7e308");
    vType(Deviation, "1.7e308");
    EXPECT_EQ(0, vGetCH(&dCh));
    EXPECT_EQ(kUntouched, dCh);

    vTypeTriangle("0.01", "0", "0", "0");
    vType(Distance, "1e308");
    vType(FuelFlow, "12");
    EXPECT_EQ(0, vGetTime(&dHours, &dMinutes));
    EXPECT_EQ(0, vGetFuel(&dFuel));
    EXPECT_EQ(kUntouched, dHours);
    EXPECT_EQ(kUntouched, dFuel);

    vTypeTriangle("100", "0", "0", "0");
    vType(Distance, "1e200");
    vType(FuelFlow, "1e200");
    EXPECT_EQ(1, vGetTime(&dHours, &dMinutes));
    EXPECT_DOUBLE_EQ(1e198, dHours);
    EXPECT_EQ(0, vGetFuel(&dFuel));
    EXPECT_EQ(kUntouched, dFuel);
}
