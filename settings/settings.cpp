#include "settings/settings.h"

#include <stdio.h>
#include <string.h>

#include "calc/app_state.h"

// No directory part: the file lives in the working directory.
static const char kSettingsFile[] = "flugstat.txt";
// A save writes a new file first, beside the old one (a rename never
// crosses directories), and then moves it over the old one. The new file's
// name is the program's own: the settings file's name, the process id and a
// try number, so that two copies saving at once never share one, and a
// start can tell which ones a copy that was ended mid-save left behind.
static const char kTempFormat[] = "flugstat.txt.%lu-%d.tmp";
static const char kTempPattern[] = "flugstat.txt.*.tmp";
static const char kByteOrderMark[] = "\xEF\xBB\xBF";
#ifdef _WIN32
static const char kLineEnd[] = "\r\n";
#else
static const char kLineEnd[] = "\n";
#endif

enum {
    SAVED_COUNT = 4,      // lines that carry a unit choice
    LINE_BUFFER = 256,    // one read takes at most LINE_BUFFER - 1 bytes
    STAT_TEXT_SIZE = 512, // room for the seven lines, whatever the choices
    TEMP_TRIES = 4,       // names tried when one is taken by another file
    UNIT_COMBINATIONS = 1 << SAVED_COUNT
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

// Appends one formatted piece to pszText (STAT_TEXT_SIZE bytes) at its
// length n; the new length, or -1 when it does not fit or n is -1 already.
static int nAppend(char* pszText, int n, const char* pszFormat, const char* pszArg)
{
    if (n < 0)
        return -1;
    int nAdded = snprintf(pszText + n, (size_t)(STAT_TEXT_SIZE - n), pszFormat, pszArg);
    return (nAdded < 0 || nAdded >= STAT_TEXT_SIZE - n) ? -1 : n + nAdded;
}

// The seven lines with the choices given (bit i: choice of the i-th saved
// input) into pszText of STAT_TEXT_SIZE bytes; their length, or -1 when they
// do not fit.
static int nStatText(unsigned uChoices, char* pszText)
{
    int n = 0;
    for (int i = 0; i < SAVED_COUNT; i++) {
        n = nAppend(pszText, n, kSavedFormat[i], pszUnitOf(kSavedInput[i], (int)((uChoices >> i) & 1)));
        n = nAppend(pszText, n, "%s", kLineEnd);
    }
    for (size_t i = 0; i < sizeof(kTrailingLines) / sizeof(kTrailingLines[0]); i++) {
        n = nAppend(pszText, n, "%s", kTrailingLines[i]);
        n = nAppend(pszText, n, "%s", kLineEnd);
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

// A new file of the program's own, made here and now, opened for writing
// and shared with no one until it is closed; its name in pszTemp. Only a
// name no file has yet is taken: a file of that name, whoever's, is not
// touched. INVALID_HANDLE_VALUE with *pdwError when none could be made.
static HANDLE hCreateTemp(char* pszTemp, DWORD* pdwError)
{
    *pdwError = ERROR_FILE_EXISTS;
    for (int nTry = 0; nTry < TEMP_TRIES && *pdwError == ERROR_FILE_EXISTS; nTry++) {
        snprintf(pszTemp, MAX_PATH, kTempFormat, (unsigned long)GetCurrentProcessId(), nTry);
        HANDLE hFile = CreateFileA(pszTemp, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile != INVALID_HANDLE_VALUE)
            return hFile;
        *pdwError = GetLastError();
    }
    return INVALID_HANDLE_VALUE;
}

// The settings file itself written over, for a folder that lets it be
// changed but no file be added. The old bytes are cut off only after the
// new ones are written, so a failed write never leaves an empty file.
static int bWriteInPlace(const char* pszText, int n)
{
    HANDLE hFile = CreateFileA(kSettingsFile, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return 0;
    int bOk = bWriteAll(hFile, pszText, n) && SetEndOfFile(hFile);
    return CloseHandle(hFile) && bOk;
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
    char szText[STAT_TEXT_SIZE];
    int n = nStatText(uChosen(), szText);
    if (n < 0)
        return 0;
    char szTemp[MAX_PATH];
    DWORD dwError = 0;
    HANDLE hTemp = hCreateTemp(szTemp, &dwError);
    if (hTemp == INVALID_HANDLE_VALUE) {
        // Only a folder that refuses new files is a reason to write the old
        // one in place; a full disk would only lose it.
        return dwError == ERROR_ACCESS_DENIED && bWriteInPlace(szText, n);
    }
    // Only a complete file replaces the old one, in one step; until then
    // the old one stays as it was.
    int bOk = bWriteAll(hTemp, szText, n);
    // The close writes out what the system still holds: a full disk may
    // show only here.
    bOk = CloseHandle(hTemp) && bOk;
    if (bOk && MoveFileExA(szTemp, kSettingsFile, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 1;
    DeleteFileA(szTemp);
    return 0;
}

// 1 while process dwPid runs. A process that cannot be asked (another
// user's) counts as running.
static int bProcessRuns(DWORD dwPid)
{
    HANDLE hProcess = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, dwPid);
    if (hProcess == NULL)
        return GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD dwCode = 0;
    int bRuns = !GetExitCodeProcess(hProcess, &dwCode) || dwCode == STILL_ACTIVE;
    CloseHandle(hProcess);
    return bRuns;
}

// 1 when the file holds the start of a save's seven lines: what a save
// leaves when its process is ended before the move. Anything else is some
// other file under a name like ours and stays.
static int bHoldsSaveText(const char* pszPath)
{
    HANDLE hFile = CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                               NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return 0;
    char szHeld[STAT_TEXT_SIZE];
    DWORD dwRead = 0;
    int bRead = ReadFile(hFile, szHeld, sizeof(szHeld), &dwRead, NULL);
    CloseHandle(hFile);
    if (!bRead)
        return 0;
    char szText[STAT_TEXT_SIZE];
    for (unsigned u = 0; u < UNIT_COMBINATIONS; u++) {
        int n = nStatText(u, szText);
        if (n >= (int)dwRead && memcmp(szHeld, szText, dwRead) == 0)
            return 1;
    }
    return 0;
}

// 1 for the name of a save's file whose process has ended: exactly our
// form, and a process id that no running copy has (this process's own id
// counts as ended: it has not saved yet).
static int bLeftover(const WIN32_FIND_DATAA* pFound)
{
    unsigned long ulPid = 0;
    int nTry = 0;
    char szName[MAX_PATH];
    if (pFound->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return 0;
    if (sscanf(pFound->cFileName, kTempFormat, &ulPid, &nTry) != 2)
        return 0;
    snprintf(szName, sizeof(szName), kTempFormat, ulPid, nTry);
    if (nTry < 0 || nTry >= TEMP_TRIES || strcmp(szName, pFound->cFileName) != 0)
        return 0;
    DWORD dwPid = (DWORD)ulPid;
    return (dwPid == GetCurrentProcessId() || !bProcessRuns(dwPid)) && bHoldsSaveText(szName);
}

// Removes what saves of ended copies left beside the settings file.
static void vRemoveLeftovers(void)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA(kTempPattern, &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (bLeftover(&found))
            DeleteFileA(found.cFileName);
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
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
    vRemoveLeftovers();
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
