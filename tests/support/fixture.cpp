#include "support/fixture.h"
#include "support/worked_flight.h"

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "calc/input.h"
#include "calc/units.h"
#include "support/controls.h"

void testFreeApp(void)
{
    if (pApp == NULL)
        return;
    if (DiagramState* pD = pApp->pDiagram) {
        free(pD->pszTitle);
        free(pD->pszFrom);
        free(pD->pszTo);
        for (char* psz : pD->pszLegend)
            free(psz);
        free(pD);
    }
    if (FormState* pF = pApp->pForm) {
        for (int i = 0; i < INPUT_COUNT; i++) {
            free(pF->pszLabel[i]);
            free(pF->pszHint[i]);
            free(pF->pszUnit[i][0]);
            free(pF->pszUnit[i][1]);
        }
        free(pF);
    }
    free(pApp->pTimer);
    free(pApp);
    pApp = NULL;
}

void AppFixture::SetUp()
{
    testFreeApp();
    ASSERT_EQ(1, vAppInit());
    pForm = pApp->pForm;
    pTimer = pApp->pTimer;
    pDiagram = pApp->pDiagram;
    for (int i = 0; i < INPUT_COUNT; i++) {
        pForm->hEdit[i] = testNewEdit();
        if (vHasUnitChoice(i)) {
            // The selections that window creation gives the unit boxes.
            vDefaultUnit(i, &pForm->nUnitSel[i]);
            pForm->hUnit[i] = testNewCombo(pForm->pszUnit[i][0], pForm->pszUnit[i][1], pForm->nUnitSel[i]);
        } else {
            pForm->hUnit[i] = testNewEdit();
        }
    }
}

void AppFixture::TearDown()
{
    testDestroyControls();
    testFreeApp();
}

void AppFixture::vType(int id, const char* pszText)
{
    testSetText(pForm->hEdit[id], pszText);
    vMesComText(WM_COMMAND, (WPARAM)id);
}

void AppFixture::vTypeTriangle(const char* pszTas, const char* pszWs, const char* pszWd, const char* pszTc)
{
    pForm->nUnitSel[Tas] = 0;
    pForm->nUnitSel[WindSpeed] = 0;
    vType(Tas, pszTas);
    vType(WindSpeed, pszWs);
    vType(WindDir, pszWd);
    vType(TrueCourse, pszTc);
}

void AppFixture::vTypeFlight()
{
    pForm->nUnitSel[Tas] = 0;
    pForm->nUnitSel[WindSpeed] = 0;
    for (int id = 0; id < INPUT_COUNT; id++)
        vType(id, kWorkedFlight[id]);
}

ScratchDir::ScratchDir()
{
    namespace fs = std::filesystem;
    std::string strOld = fs::current_path().string();
    snprintf(szOld, sizeof(szOld), "%s", strOld.c_str());
    static int nSerial = 0;
    fs::path path;
    do {
        path = fs::temp_directory_path() /
               ("kurslotse-test-" + std::to_string(rand()) + "-" + std::to_string(++nSerial));
    } while (fs::exists(path));
    fs::create_directories(path);
    fs::current_path(path);
    snprintf(szPath, sizeof(szPath), "%s", path.string().c_str());
}

ScratchDir::~ScratchDir()
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::current_path(szOld, ec);
    fs::remove_all(szPath, ec);
}
