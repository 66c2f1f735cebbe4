// Every end-to-end test runs the program in its own fresh working directory.
#ifndef KL_TESTS_E2E_FIXTURE_H
#define KL_TESTS_E2E_FIXTURE_H

#include <gtest/gtest.h>

#include "session.h"
#include "shell/resource.h"
#include "support/worked_flight.h"

class E2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(strProgramPath().empty()) << "KL_KURSLOTSE_EXE names the program under test";
        strDir = strNewTempDir();
    }
    void TearDown() override
    {
        app.vKill();
        vRemoveTree(strDir);
    }
    // Starts the program; fails the test when no main window appears.
    void vStart(void) { ASSERT_TRUE(app.bStart(strDir)) << "kurslotse.exe did not start"; }
    // Focus in the program's thread, as an input id (-1: none of the edits).
    int nFocusedEdit(void)
    {
        HWND h = hFocusIn(app.hMain);
        for (int i = 0; i < 10; i++)
            if (h != NULL && h == app.hEdit(i))
                return i;
        return -1;
    }
    // Puts a text into each of the ten edits, in input order.
    void vFillInputs(const char* const (&pszTexts)[10])
    {
        for (int i = 0; i < 10; i++)
            vSetText(app.hEdit(i), pszTexts[i]);
    }
    // Brings the window to the front, and waits until its own thread has
    // made it the active window: Wine activates it there when that thread
    // gets round to it, and keys sent before may find no focus to go to.
    void vActivate(void)
    {
        SetForegroundWindow(app.hMain);
        EXPECT_TRUE(bWaitFor([&] { return GetForegroundWindow() == app.hMain && hActiveIn(app.hMain) == app.hMain; }))
            << "the window did not become the active one";
    }

    // The wind speed in km/h, picked as a user's mouse pick does; then the
    // eight numbers typed with real keys, Tab between them, from the
    // airspeed field. Each edit holds exactly what was typed.
    void vTypeNumbers(const char* const* pszTyped)
    {
        HWND hBox = app.hUnitBox(WindSpeed);
        SendMessageA(hBox, CB_SETCURSEL, 0, 0);
        SendMessageA(app.hMain, WM_COMMAND, MAKEWPARAM(IDC_UNIT_BASE + WindSpeed, CBN_SELCHANGE), (LPARAM)hBox);
        EXPECT_EQ("[km/h]", strTextOf(hBox));
        vActivate();
        ASSERT_TRUE(bWaitFor([&] { return nFocusedEdit() == kFirstNumber; }));
        EXPECT_EQ("", strTypeNumbers(app, pszTyped));
    }

    // The worked flight: the two places set, the numbers typed.
    void vTypeWorkedFlight(void)
    {
        vSetText(app.hEdit(Departure), kWorkedFlight[Departure]);
        vSetText(app.hEdit(Destination), kWorkedFlight[Destination]);
        vTypeNumbers(kWorkedFlight + kFirstNumber);
    }

    // Ends the program through "Beenden", as the menu does, and expects it
    // to exit with code 0.
    void vQuit(void) { EXPECT_EQ(0, app.nQuit()); }

    std::string strDir;
    Session app;
};

#endif
