// Arbitrary bytes as the settings file: reading it must leave every unit
// choice at 0 or 1 with the boxes showing it, and what is then written must
// read back to the same choices.
#include <dirent.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "calc/app_state.h"
#include "calc/units.h"
#include "fakewin.h"
#include "fuzz/fuzz_support.h"
#include "settings/settings.h"

static const int kSaved[] = {Tas, WindSpeed, Distance, FuelFlow};
static char g_szDir[64];
static int g_nStartDir = -1; // where the fuzzer was started: relative corpus paths lead from there

// The names in the settings directory besides the file itself.
static int nOtherFiles(void)
{
    DIR* pDir = opendir(".");
    vCheck(pDir != NULL);
    int n = 0;
    for (struct dirent* pEntry; (pEntry = readdir(pDir)) != NULL;)
        if (strcmp(pEntry->d_name, ".") != 0 && strcmp(pEntry->d_name, "..") != 0 &&
            strcmp(pEntry->d_name, "flugstat.txt") != 0)
            n++;
    closedir(pDir);
    return n;
}

static void vCleanUp(void)
{
    char szFile[sizeof(g_szDir) + 16];
    snprintf(szFile, sizeof(szFile), "%s/flugstat.txt", g_szDir);
    unlink(szFile);
    rmdir(g_szDir);
}

static void vInitOnce(void)
{
    if (!bFuzzAppInit())
        return;
    // The file is read from the working directory: give it one of its own,
    // away from the corpus directory, in memory where the system has such a
    // place (every run writes, renames and reads the file: on a disk that
    // is most of the time). Each input is run there, and the fuzzer goes
    // back to where it was started for its own files after each.
    struct stat st;
    const char* pszBase = (stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode)) ? "/dev/shm" : "/tmp";
    snprintf(g_szDir, sizeof(g_szDir), "%s/kl-fuzz-settings-XXXXXX", pszBase);
    vCheck(mkdtemp(g_szDir) != NULL);
    g_nStartDir = open(".", O_RDONLY | O_DIRECTORY);
    vCheck(g_nStartDir >= 0);
    atexit(vCleanUp);
}

// The selections that window creation gives the unit boxes.
static void vCreationChoices(void)
{
    FormState* pForm = pApp->pForm;
    for (int i = 0; i < INPUT_COUNT; i++) {
        pForm->nUnitSel[i] = 0;
        vDefaultUnit(i, &pForm->nUnitSel[i]);
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

// Reads the bytes as the settings file, writes it and reads it back.
static void vRunInput(const uint8_t* pData, size_t nSize)
{
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
    vCheck(vPutStat() == 1); // a file just read is always replaced
    vCheck(nOtherFiles() == 0); // no temporary file left behind
    // Start from the other choices so that a line read wrongly shows.
    for (int i = 0; i < 4; i++) {
        pApp->pForm->nUnitSel[kSaved[i]] = 1 - nRead[i];
        hostSetSelection(pApp->pForm->hUnit[kSaved[i]], 1 - nRead[i]);
    }
    vGetStat();
    vCheckChoices(nRead);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    vInitOnce();
    vCheck(chdir(g_szDir) == 0);
    vRunInput(pData, nSize);
    vCheck(fchdir(g_nStartDir) == 0);
    return 0;
}
