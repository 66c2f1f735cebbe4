#include "settings/settings.h"

#include <stdio.h>
#include <string.h>

#include "calc/app_state.h"

// No directory part: the file lives in the working directory.
static const char kSettingsFile[] = "flugstat.txt";
// The new file is written beside it first (a rename never crosses
// directories) and then moved over it. The platform makes that file with a
// name of its own in the working directory, so that two copies of the
// program saving at once, or a file of the user's, never share it.
static const char kTempDir[] = ".";
static const char kTempPrefix[] = "kls";
static const char kByteOrderMark[] = "\xEF\xBB\xBF";

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

// The seven lines; 0 as soon as one write fails.
static int bWriteLines(FILE* pFile)
{
    for (int i = 0; i < SAVED_COUNT; i++)
        if (fprintf(pFile, kSavedFormat[i], pszChosenUnit(kSavedInput[i])) < 0)
            return 0;
    return fputs("\n", pFile) >= 0 &&
           fputs("# Die obigen Werte wurden beim Beenden des Kurslotses gespeichert.\n", pFile) >= 0 &&
           fputs("# Beim Neustart des Kurslotses werden diese Werte voreingestellt.\n", pFile) >= 0;
}

// Writes the seven lines to pszPath; 1 when every write and the close
// succeeded.
static int bWriteFile(const char* pszPath)
{
    FILE* pFile = fopen(pszPath, "w");
    pApp->pSettingsFile = pFile;
    if (pFile == NULL)
        return 0;
    int bOk = bWriteLines(pFile);
    // The close writes out the buffer: a full disk often shows only here.
    bOk = (fclose(pFile) == 0) && bOk;
    pApp->pSettingsFile = NULL; // closed: nothing may use it any more
    return bOk;
}

int vPutStat(void)
{
    if (pApp->bSettingsUnread && !pApp->bUnitChanged)
        return 0; // the saved choices are unknown: keep them rather than write defaults over them
    // A file made read-only is kept as it is. Windows refuses to replace it
    // anyway; asking first holds on every platform (Wine replaces it).
    DWORD dwAttributes = GetFileAttributesA(kSettingsFile);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY))
        return 0;
    char szTemp[MAX_PATH];
    if (GetTempFileNameA(kTempDir, kTempPrefix, 0, szTemp) == 0) {
        // No new file can be made here (a folder that only lets the
        // existing file be changed): write that one in place.
        return bWriteFile(kSettingsFile);
    }
    // Only a complete file replaces the old one, in one step; until then
    // the old one stays as it was.
    if (bWriteFile(szTemp) &&
        MoveFileExA(szTemp, kSettingsFile, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 1;
    DeleteFileA(szTemp);
    return 0;
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

// One line of at most LINE_BUFFER - 1 bytes with its end: a line feed, a
// carriage return alone (old Macintosh files) or the two together. A longer
// line comes in pieces. 0 at the end of the file or on a read error.
static int bReadLine(FILE* pFile, char* pszLine)
{
    int n = 0;
    int c = EOF;
    while (n < LINE_BUFFER - 1 && (c = getc(pFile)) != EOF) {
        pszLine[n++] = (char)c;
        if (c == '\n')
            break;
        if (c == '\r') {
            int cNext = getc(pFile);
            if (cNext != '\n' && cNext != EOF)
                ungetc(cNext, pFile);
            break;
        }
    }
    pszLine[n] = '\0';
    return n > 0;
}

void vGetStat(void)
{
    FILE* pFile = fopen(kSettingsFile, "r");
    pApp->pSettingsFile = pFile;
    if (pFile == NULL) {
        // No file yet: the choices from creation stay. A file that is there
        // but cannot be opened keeps choices that the exit must not lose.
        pApp->bSettingsUnread = GetFileAttributesA(kSettingsFile) != INVALID_FILE_ATTRIBUTES;
        return;
    }
    // A failed read (a directory opened as a file, a read error) ends the
    // loop like the end of the file does.
    char szLine[LINE_BUFFER];
    for (int i = 0; i < SAVED_COUNT && bReadLine(pFile, szLine); i++) {
        // Editors that save UTF-8 may put a byte-order mark first.
        const char* pszLine = szLine;
        if (i == 0 && strncmp(pszLine, kByteOrderMark, sizeof(kByteOrderMark) - 1) == 0)
            pszLine += sizeof(kByteOrderMark) - 1;
        vApplySavedLine(kSavedInput[i], pszLine);
    }
    pApp->bSettingsUnread = ferror(pFile) != 0;
    fclose(pFile);
    pApp->pSettingsFile = NULL;
}
