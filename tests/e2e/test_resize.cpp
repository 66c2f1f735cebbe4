// Many window sizes, minimised and restored: the program keeps running, the
// form and the diagram follow the size, and no GDI object is left behind.
#include <stdio.h>

#include "e2e_fixture.h"

namespace {

// Wine's GDI trace reports every handle it makes and frees with the number
// of live handles ("allocated ... 216/65536"); GetGuiResources answers 0
// under Wine, so this count is the honest measure there.
int nLastLiveGdiCount(const std::string& strLog)
{
    int nCount = -1;
    size_t nPos = 0;
    while ((nPos = strLog.find("_gdi_handle ", nPos)) != std::string::npos) {
        size_t nEol = strLog.find('\n', nPos);
        std::string strLine = strLog.substr(nPos, nEol - nPos);
        size_t nSlash = strLine.rfind('/');
        size_t nSpace = strLine.rfind(' ', nSlash);
        if (nSlash != std::string::npos && nSpace != std::string::npos)
            nCount = atoi(strLine.substr(nSpace + 1, nSlash - nSpace - 1).c_str());
        nPos = nEol;
    }
    return nCount;
}

bool bResponds(HWND hWnd)
{
    DWORD_PTR dw = 0;
    return SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &dw) != 0;
}

void vResize(HWND hWnd, int cx, int cy)
{
    SetWindowPos(hWnd, NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(hWnd);
    // UpdateWindow from another process only posts the paint; a sent
    // message returns once the program has handled what came before.
    bResponds(hWnd);
}

TEST_F(E2eTest, ResizingKeepsRunningFollowsTheSizeAndLeaksNoGdiObjects)
{
    // Wine writes its trace to the Unix standard error, which the child
    // shares with this driver: the test command sends it to KL_GDI_LOG.
    std::string strLog = strProgramPath("KL_GDI_LOG");
    if (strLog.empty())
        GTEST_SKIP() << "run through gdi_log.sh, which collects Wine's GDI trace in KL_GDI_LOG";
    ASSERT_TRUE(app.bStart(strDir, "WINEDEBUG=trace+gdi"));
    RECT rcStart;
    GetWindowRect(app.hMain, &rcStart);

    struct Size {
        const char* pszName;
        int cx;
        int cy;
    } kSizes[] = {
        {"normal", 800, 600}, {"very small", 60, 40},   {"one row", 300, 80},     {"very wide and low", 1000, 90},
        {"tall", 400, 700},   {"square", 500, 500},     {"narrow", 120, 700},     {"start size", rcStart.right, rcStart.bottom},
    };
    // One round first, so that everything made once (fonts found, caches)
    // exists before the count is taken.
    for (const Size& s : kSizes)
        vResize(app.hMain, s.cx, s.cy);
    ShowWindow(app.hMain, SW_MINIMIZE);
    ShowWindow(app.hMain, SW_RESTORE);
    ASSERT_TRUE(bResponds(app.hMain));
    int nBefore = nLastLiveGdiCount(strReadFile(strLog));
    ASSERT_GT(nBefore, 0) << "no GDI trace from the program";

    for (int nRound = 0; nRound < 12; nRound++) {
        for (const Size& s : kSizes) {
            SCOPED_TRACE(s.pszName);
            vResize(app.hMain, s.cx, s.cy);
            ASSERT_TRUE(bResponds(app.hMain));
        }
        ShowWindow(app.hMain, SW_MINIMIZE);
        ASSERT_TRUE(bResponds(app.hMain));
        EXPECT_TRUE(IsIconic(app.hMain));
        ShowWindow(app.hMain, SW_RESTORE);
        ASSERT_TRUE(bResponds(app.hMain));
    }
    int nAfter = nLastLiveGdiCount(strReadFile(strLog));
    // Wine may free cached objects of its own meanwhile: fewer is fine, more is a leak.
    EXPECT_LE(nAfter, nBefore) << "live GDI objects after " << 12 * 10 << " size changes";

    // The form follows the height: the last edit sits lower in a taller window.
    vResize(app.hMain, 800, 400);
    RECT rcLow;
    GetWindowRect(app.hEdit(9), &rcLow);
    vResize(app.hMain, 800, 700);
    RECT rcHigh;
    GetWindowRect(app.hEdit(9), &rcHigh);
    EXPECT_GT(rcHigh.top, rcLow.top);
    // And the diagram is painted where it has room: black compass lines
    // right of the yellow form panel.
    Shot shot = shotOf(app.hMain);
    int nBlack = 0;
    for (int y = 0; y < shot.nHeight; y++)
        for (int x = shot.nWidth / 2; x < shot.nWidth; x++)
            nBlack += shot.dwAt(x, y) == 0;
    EXPECT_GT(nBlack, 100) << "no compass rose drawn after the size changes";

    PostMessageA(app.hMain, WM_COMMAND, 102, 0);
    EXPECT_EQ(0, app.nWaitExit());
}

} // namespace
