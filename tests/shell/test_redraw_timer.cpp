// The delayed redraw: ticks of nStep milliseconds count up while a change is
// pending; at nLimit the diagram panel, and only it, is invalidated.
#include <gtest/gtest.h>

#include "shell/wndproc.h"
#include "support/fixture.h"

namespace {

class RedrawTimerTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        hWnd = CreateWindowExA(0, "static", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL, GetModuleHandleA(NULL),
                               NULL);
        ASSERT_NE(hWnd, (HWND)NULL);
        // Visible, so that invalidation collects an update region; the
        // first paint is done away with.
        UpdateWindow(hWnd);
        ValidateRect(hWnd, NULL);
        pForm->rcDiagram = Box{150, 0, 250, 300};
    }
    void TearDown() override
    {
        DestroyWindow(hWnd);
        AppFixture::TearDown();
    }
    void vTick(int n)
    {
        for (int i = 0; i < n; i++)
            vMesTimer(hWnd, WM_TIMER, 101, 0);
    }
    // The pending update region's bounds; empty when nothing is invalid.
    RECT rcUpdate()
    {
        RECT rc = {0, 0, 0, 0};
        GetUpdateRect(hWnd, &rc, FALSE);
        return rc;
    }
    HWND hWnd = NULL;
};

TEST_F(RedrawTimerTest, IdleTicksHoldElapsedAtZero)
{
    pTimer->nElapsed = 300;
    vTick(10);
    EXPECT_EQ(0, pTimer->nElapsed);
    EXPECT_FALSE(GetUpdateRect(hWnd, NULL, FALSE));
}

TEST_F(RedrawTimerTest, SeventhTickInvalidatesTheDiagramPanel)
{
    pTimer->bPending = 1;
    pTimer->nElapsed = 0;
    vTick(6);
    EXPECT_EQ(600, pTimer->nElapsed);
    EXPECT_EQ(1, pTimer->bPending);
    EXPECT_FALSE(GetUpdateRect(hWnd, NULL, FALSE)) << "redrawn before the limit";

    vTick(1);
    EXPECT_EQ(0, pTimer->bPending);
    RECT rc = rcUpdate();
    EXPECT_EQ(150, rc.left);
    EXPECT_EQ(0, rc.top);
    EXPECT_EQ(400, rc.right);
    EXPECT_EQ(300, rc.bottom);

    // Back to idle: further ticks invalidate nothing more.
    ValidateRect(hWnd, NULL);
    vTick(10);
    EXPECT_FALSE(GetUpdateRect(hWnd, NULL, FALSE));
}

TEST_F(RedrawTimerTest, ChangeWhilePendingRestartsTheCount)
{
    pTimer->bPending = 1;
    vTick(5);
    // A further keystroke: what the input handler does on a change.
    vType(Tas, "11");
    EXPECT_EQ(1, pTimer->bPending);
    EXPECT_EQ(0, pTimer->nElapsed);
    vTick(6);
    EXPECT_FALSE(GetUpdateRect(hWnd, NULL, FALSE)) << "the count did not restart";
    vTick(1);
    EXPECT_TRUE(GetUpdateRect(hWnd, NULL, FALSE));
}

} // namespace
