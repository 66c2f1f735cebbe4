#include "settings/settings.h"

#include <stdio.h>
#include <string.h>

#include "calc/app_state.h"
#include "calc/text_buffer.h"
#include "settings/file_swap.h"

// No directory part: the file lives in the working directory.
static const char kSettingsFile[] = "flugstat.txt";
static const char kByteOrderMark[] = "\xEF\xBB\xBF";
#ifdef _WIN32
static const char kLineEnd[] = "\r\n";
#else
static const char kLineEnd[] = "\n";
#endif

enum {
    SAVED_COUNT = 4,      // lines that carry a unit choice
    LINE_BUFFER = 256,    // one read takes at most LINE_BUFFER - 1 bytes
    STAT_TEXT_SIZE = 512  // room for the seven lines, whatever the choices
};

// The saved inputs in file order, and the line each one is written with.
static const int kSavedInput[SAVED_COUNT] = {Tas, WindSpeed, Distance, FuelFlow};
static const char* const kSavedFormat[SAVED_COUNT] = {
    "%s    # Einheit Fluggeschwindigkeit",
    "%s    # Einheit Windgeschwindigkeit",
    "%s    # Einheit Distanz",
    "%s    # Einheit Verbrauch pro Zeit",
};
static const char* const kTrailingLines[] = {
    "",
    "# Die obigen Werte wurden beim Beenden des Kurslotses gespeichert.",
    "# Beim Neustart des Kurslotses werden diese Werte voreingestellt.",
};

// Input id's unit string of choice nSel; the first choice should the
// selection ever hold something else, so the writer never follows a bad index.
static const char* pszUnitOf(int id, int nSel)
{
    const FormState* pForm = pApp->pForm;
    if ((nSel == 0 || nSel == 1) && pForm->pszUnit[id][nSel] != NULL)
        return pForm->pszUnit[id][nSel];
    return pForm->pszUnit[id][0] != NULL ? pForm->pszUnit[id][0] : "";
}

// The seven lines with the choices given (bit i: choice of the i-th saved
// input) into pszText of STAT_TEXT_SIZE bytes; their length, or -1 when they
// do not fit.
static int nStatText(unsigned uChoices, char* pszText)
{
    int n = 0;
    for (int i = 0; i < SAVED_COUNT; i++) {
        const char* pszUnit = pszUnitOf(kSavedInput[i], (int)((uChoices >> i) & 1));
        n = vAppendText(pszText, STAT_TEXT_SIZE, n, kSavedFormat[i], pszUnit);
        n = vAppendText(pszText, STAT_TEXT_SIZE, n, "%s", kLineEnd);
    }
    for (size_t i = 0; i < sizeof(kTrailingLines) / sizeof(kTrailingLines[0]); i++) {
        n = vAppendText(pszText, STAT_TEXT_SIZE, n, "%s", kTrailingLines[i]);
        n = vAppendText(pszText, STAT_TEXT_SIZE, n, "%s", kLineEnd);
    }
    return n;
}

// The choices in use, in the bits nStatText takes.
static unsigned uChosen(void)
{
    unsigned u = 0;
    for (int i = 0; i < SAVED_COUNT; i++)
        if (pApp->pForm->nUnitSel[kSavedInput[i]] == 1)
            u |= 1u << i;
    return u;
}

// 1 when all n bytes went to the file.
static int bWriteAll(HANDLE hFile, const char* pszText, int n)
{
    DWORD dwWritten = 0;
    return WriteFile(hFile, pszText, (DWORD)n, &dwWritten, NULL) && dwWritten == (DWORD)n;
}

// The settings file itself written over, for a folder that lets no new
// file be made or no name be replaced. The old bytes are cut off only after
// the new ones are written, so a failed write never leaves an empty file.
static int bWriteInPlace(const char* pszTarget, const char* pszText, int n)
{
    HANDLE hFile = CreateFileA(pszTarget, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return 0;
    int bOk = bWriteAll(hFile, pszText, n) && SetEndOfFile(hFile);
    return CloseHandle(hFile) && bOk;
}

int vPutStat(void)
{
    if (pApp->bSettingsUnread && !pApp->bUnitChanged)
        return 0; // the saved choices are unknown: keep them rather than write defaults over them
    // Where the settings file is a link, the file it leads to is written
    // and the link stays.
    char szTarget[MAX_PATH];
    if (!bSwapTarget(kSettingsFile, szTarget))
        return 0;
    // A file made read-only is kept as it is. Windows refuses to replace it
    // anyway; asking first holds on every platform (Wine replaces it).
    DWORD dwAttributes = GetFileAttributesA(szTarget);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY))
        return 0;
    char szText[STAT_TEXT_SIZE];
    int n = nStatText(uChosen(), szText);
    if (n < 0)
        return 0;
    DWORD dwError = 0;
    HANDLE hNew = hCreateBeside(szTarget, &dwError);
    if (hNew == INVALID_HANDLE_VALUE) {
        // Only a folder that refuses new files is a reason to write the old
        // one in place; a full disk would only lose it.
        return dwError == ERROR_ACCESS_DENIED && bWriteInPlace(szTarget, szText, n);
    }
    // Only a complete file replaces the old one, in one step; until then
    // the old one stays as it was, and the new one goes with its handle.
    // The flush makes a full disk show before the step.
    SwapResult nSwap = SWAP_FAILED;
    if (bWriteAll(hNew, szText, n) && FlushFileBuffers(hNew))
        nSwap = nLinkOver(hNew, szTarget);
    int bClosed = CloseHandle(hNew);
    if (nSwap == SWAP_REFUSED)
        return bWriteInPlace(szTarget, szText, n);
    return nSwap == SWAP_DONE && bClosed;
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
