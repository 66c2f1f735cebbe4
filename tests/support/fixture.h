// Fresh program state for every test: vAppInit, edits and unit boxes for all
// ten inputs (with the selections that window creation gives them), and a
// scratch working directory so that settings files never meet.
#ifndef KL_TESTS_SUPPORT_FIXTURE_H
#define KL_TESTS_SUPPORT_FIXTURE_H

#include <gtest/gtest.h>

#include "calc/app_state.h"

// Computed results are checked to six decimals.
const double kSixDecimals = 5.0000001e-7;

// The program never frees its state; tests do, so that every test starts
// from vAppInit and the leak checker sees only real leaks. Frees whatever
// pApp holds, also after a start that stopped half way, and clears pApp.
void testFreeApp(void);

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Sets input id's text as if the user typed it (stores it, validity and
    // redraw state follow).
    void vType(int id, const char* pszText);

    // Types the four solver inputs, speeds in km/h.
    void vTypeTriangle(const char* pszTas, const char* pszWs, const char* pszWd, const char* pszTc);

    // Types all ten inputs of the worked flight: Egelsbach to Mainz, 110 km/h,
    // wind 20 km/h from 230, course 85, VAR 3W, DEV 2, 69 km, 12 l/h.
    void vTypeFlight();

    FormState* pForm = nullptr;
    RedrawTimer* pTimer = nullptr;
    DiagramState* pDiagram = nullptr;
};

// Runs the test body inside a fresh empty directory, removed afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const char* pszPath() const { return szPath; }

private:
    char szPath[512];
    char szOld[512];
};

#endif
