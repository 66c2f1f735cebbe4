#include "settings/settings.h"

#include <stdio.h>
#include <string.h>

#include "calc/app_state.h"

// No directory part: the file lives in the working directory.
static const char kSettingsFile[] = "flugstat.txt";

enum {
    SAVED_COUNT = 4,     // lines that carry a unit choice
    LINE_BUFFER = 256    // one read takes at most LINE_BUFFER - 1 bytes
};

// The saved inputs in file order, and the line each one is written with.
static const int kSavedInput[SAVED_COUNT] = {Tas, WindSpeed, Distance, FuelFlow};
static const char* const kSavedFormat[SAVED_COUNT] = {
    "%s    # Einheit Fluggeschwindigkeit\n",
    "%s    # Einheit Windgeschwindigkeit\n",
    "%s    # Einheit Distanz\n",
    "%s    # Einheit Verbrauch pro Zeit\n",
};

// The unit string of the choice in use; the first choice should the
// selection ever hold something else, so the writer never follows a bad index.
static const char* pszChosenUnit(int id)
{
    const FormState* pForm = pApp->pForm;
    int nSel = pForm->nUnitSel[id];
    if ((nSel == 0 || nSel == 1) && pForm->pszUnit[id][nSel] != NULL)
        return pForm->pszUnit[id][nSel];
    return pForm->pszUnit[id][0] != NULL ? pForm->pszUnit[id][0] : "";
}

void vPutStat(void)
{
    FILE* pFile = fopen(kSettingsFile, "w");
    pApp->pSettingsFile = pFile;
    if (pFile == NULL)
        return; // e.g. a read-only directory: the choices are simply not kept
    for (int i = 0; i < SAVED_COUNT; i++)
        fprintf(pFile, kSavedFormat[i], pszChosenUnit(kSavedInput[i]));
    fputs("\n", pFile);
    fputs("# Die obigen Werte wurden beim Beenden des Kurslotses gespeichert.\n", pFile);
    fputs("# Beim Neustart des Kurslotses werden diese Werte voreingestellt.\n", pFile);
    fclose(pFile);
    pApp->pSettingsFile = NULL; // closed: nothing may use it any more
}

// Applies one line (or a piece of an overlong line) to input id: the first
// unit string it begins with becomes the choice.
static void vApplySavedLine(int id, const char* pszLine)
{
    FormState* pForm = pApp->pForm;
    for (int u = 0; u < UNIT_CHOICES; u++) {
        const char* pszUnit = pForm->pszUnit[id][u];
        if (pszUnit == NULL || strncmp(pszLine, pszUnit, strlen(pszUnit)) != 0)
            continue;
        pForm->nUnitSel[id] = u;
        SendMessageA(pForm->hUnit[id], CB_SETCURSEL, (WPARAM)u, 0);
        return;
    }
}

void vGetStat(void)
{
    FILE* pFile = fopen(kSettingsFile, "r");
    pApp->pSettingsFile = pFile;
    if (pFile == NULL)
        return; // no file yet: the choices from creation stay
    // A failed read (a directory opened as a file, a read error) ends the
    // loop like the end of the file does.
    char szLine[LINE_BUFFER];
    for (int i = 0; i < SAVED_COUNT && fgets(szLine, LINE_BUFFER, pFile) != NULL; i++)
        vApplySavedLine(kSavedInput[i], szLine);
    fclose(pFile);
    pApp->pSettingsFile = NULL;
}
