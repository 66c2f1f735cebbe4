// Start-up figures, side by side in one run: time from CreateProcess to the
// first painted pixels of the main window, the .exe's size and the peak
// working set after start, for kurslotse.exe and for the floor program.
// Usage: figures.exe <floor.exe> <kurslotse.exe> [runs]
#include <windows.h>
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "session.h"

namespace {

struct Figures {
    double dStartMs = 0;
    SIZE_T nPeakWorkingSet = 0;
};

// One start: until the window's client shows the yellow of its first paint.
bool bMeasure(const std::string& strExe, const char* pszTitle, Figures* pFig)
{
    std::string strDir = strNewTempDir();
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::string strCmd = "\"" + strExe + "\"";
    LARGE_INTEGER nFreq, n0, n1;
    QueryPerformanceFrequency(&nFreq);
    QueryPerformanceCounter(&n0);
    if (!CreateProcessA(strExe.c_str(), &strCmd[0], NULL, NULL, FALSE, 0, NULL, strDir.c_str(), &si, &pi))
        return false;
    HWND hWnd = NULL;
    bool bPainted = false;
    DWORD dwStart = GetTickCount();
    while (!bPainted && GetTickCount() - dwStart < kStartTimeoutMs) {
        if (hWnd == NULL)
            hWnd = hFindTopWindow(pi.dwProcessId, pszTitle, pszTitle);
        if (hWnd != NULL) {
            HDC hdc = GetDC(hWnd);
            bPainted = GetPixel(hdc, 6, 120) == RGB(255, 255, 0);
            ReleaseDC(hWnd, hdc);
        }
        if (!bPainted)
            Sleep(1);
    }
    QueryPerformanceCounter(&n1);
    pFig->dStartMs = 1000.0 * (n1.QuadPart - n0.QuadPart) / nFreq.QuadPart;
    // Settled after start (and past the reminder, if it is up).
    Sleep(500);
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof(pmc));
    pFig->nPeakWorkingSet = pmc.PeakWorkingSetSize;
    HWND hDlg = hFindTopWindow(pi.dwProcessId, "#32770", "Versions-Info");
    if (hDlg != NULL)
        PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
    bWaitFor([&] { return hFindTopWindow(pi.dwProcessId, "#32770", "Versions-Info") == NULL; });
    PostMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(pi.hProcess, kWaitTimeoutMs) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    vRemoveTree(strDir);
    return bPainted;
}

long nFileSize(const std::string& strPath)
{
    WIN32_FILE_ATTRIBUTE_DATA fad;
    if (!GetFileAttributesExA(strPath.c_str(), GetFileExInfoStandard, &fad))
        return -1;
    return (long)fad.nFileSizeLow;
}

double dMedian(std::vector<double> vec)
{
    std::sort(vec.begin(), vec.end());
    return vec[vec.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: figures.exe <floor.exe> <kurslotse.exe> [runs]\n");
        return 2;
    }
    std::string strFloor = strWindowsPath(argv[1]);
    std::string strApp = strWindowsPath(argv[2]);
    int nRuns = argc > 3 ? atoi(argv[3]) : 7;
    std::vector<double> vecFloorMs, vecAppMs, vecFloorWs, vecAppWs;
    // Alternating runs, so that both meet the same machine state.
    for (int i = 0; i < nRuns; i++) {
        Figures f;
        if (!bMeasure(strFloor, "Floor", &f))
            return fprintf(stderr, "floor program did not paint\n"), 1;
        vecFloorMs.push_back(f.dStartMs);
        vecFloorWs.push_back((double)f.nPeakWorkingSet);
        if (!bMeasure(strApp, "Kurslotse 2007", &f))
            return fprintf(stderr, "kurslotse.exe did not paint\n"), 1;
        vecAppMs.push_back(f.dStartMs);
        vecAppWs.push_back((double)f.nPeakWorkingSet);
    }
    double dFloorMs = dMedian(vecFloorMs), dAppMs = dMedian(vecAppMs);
    double dFloorWs = dMedian(vecFloorWs) / 1024, dAppWs = dMedian(vecAppWs) / 1024;
    long nFloorSize = nFileSize(strFloor), nAppSize = nFileSize(strApp);
    printf("median of %d alternating runs under Wine\n", nRuns);
    printf("%-28s %12s %12s %8s\n", "", "kurslotse", "floor", "ratio");
    printf("%-28s %12.0f %12.0f %8.2f\n", "start to first paint [ms]", dAppMs, dFloorMs, dAppMs / dFloorMs);
    printf("%-28s %12ld %12ld %8.2f\n", ".exe size [bytes]", nAppSize, nFloorSize, (double)nAppSize / nFloorSize);
    printf("%-28s %12.0f %12.0f %8.2f\n", "peak working set [KiB]", dAppWs, dFloorWs, dAppWs / dFloorWs);
    return 0;
}
