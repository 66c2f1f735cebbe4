// Arbitrary bytes as the settings file: reading it must leave every unit
// choice at 0 or 1 with the boxes showing it, and what is then written must
// read back to the same choices.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "calc/app_state.h"
#include "fakewin.h"
#include "settings/settings.h"

static const int kSaved[] = {Tas, WindSpeed, Distance, FuelFlow};
static char g_szDir[] = "/tmp/kl-fuzz-settings-XXXXXX";

static void vCheck(int bCondition)
{
    if (!bCondition)
        abort();
}

static void vCleanUp(void)
{
    unlink("flugstat.txt");
    rmdir(g_szDir);
}

static void vInitOnce(void)
{
    if (pApp != NULL)
        return;
    vCheck(vAppInit() == 1);
    for (int i = 0; i < INPUT_COUNT; i++)
        pApp->pForm->hUnit[i] = hostNewWindow();
    // The file is read from the working directory: give it one of its own,
    // away from the corpus directory.
    vCheck(mkdtemp(g_szDir) != NULL);
    vCheck(chdir(g_szDir) == 0);
    atexit(vCleanUp);
}

// The selections that window creation gives the unit boxes.
static void vCreationChoices(void)
{
    FormState* pForm = pApp->pForm;
    for (int i = 0; i < INPUT_COUNT; i++) {
        pForm->nUnitSel[i] = (i == WindSpeed) ? 1 : 0;
        hostSetSelection(pForm->hUnit[i], pForm->nUnitSel[i]);
    }
}

static void vCheckChoices(const int* pnExpected)
{
    const FormState* pForm = pApp->pForm;
    for (int i = 0; i < INPUT_COUNT; i++) {
        vCheck(pForm->nUnitSel[i] == 0 || pForm->nUnitSel[i] == 1);
        vCheck(vHasUnitChoice(i) || pForm->nUnitSel[i] == 0);
        vCheck(hostSelection(pForm->hUnit[i]) == pForm->nUnitSel[i]);
    }
    for (int i = 0; pnExpected != NULL && i < 4; i++)
        vCheck(pForm->nUnitSel[kSaved[i]] == pnExpected[i]);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    vInitOnce();
    FILE* pFile = fopen("flugstat.txt", "wb");
    vCheck(pFile != NULL);
    vCheck(fwrite(pData, 1, nSize, pFile) == nSize);
    fclose(pFile);

    vCreationChoices();
    vGetStat();
    vCheckChoices(NULL);

    int nRead[4];
    for (int i = 0; i < 4; i++)
        nRead[i] = pApp->pForm->nUnitSel[kSaved[i]];
    vPutStat();
    // Start from the other choices so that a line read wrongly shows.
    for (int i = 0; i < 4; i++) {
        pApp->pForm->nUnitSel[kSaved[i]] = 1 - nRead[i];
        hostSetSelection(pApp->pForm->hUnit[kSaved[i]], 1 - nRead[i]);
    }
    vGetStat();
    vCheckChoices(nRead);
    return 0;
}
