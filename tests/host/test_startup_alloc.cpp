// Start-up when the heap runs out: every allocation vAppInit makes is failed
// in turn. This program is linked with the linker's wrapping of malloc,
// calloc and free, so the program's code calls the counters below unchanged.
#include <stddef.h>
#include <stdio.h>

#include <string>

#include "calc/app_state.h"
#include "support/fixture.h"

extern "C" {
void* __real_malloc(size_t nSize);
void* __real_calloc(size_t nCount, size_t nSize);
void __real_free(void* p);
void* __wrap_malloc(size_t nSize);
void* __wrap_calloc(size_t nCount, size_t nSize);
void __wrap_free(void* p);
}

namespace {

// While armed, allocations are counted and the nFailAt-th (counting from 1;
// 0: none) returns null. The blocks handed out while armed are kept until
// freed, so a test sees at once what a failed start lost (the sanitizer's
// own leak search takes milliseconds per look).
enum { MAX_TRACKED = 64 };
int s_bArmed = 0;
int s_nCalls = 0;
int s_nFailAt = 0;
void* s_pLive[MAX_TRACKED];
int s_nLive = 0;

int bFailsNow(void)
{
    if (!s_bArmed)
        return 0;
    return ++s_nCalls == s_nFailAt;
}

void* pTrack(void* p)
{
    if (p != NULL && s_bArmed && s_nLive < MAX_TRACKED)
        s_pLive[s_nLive++] = p;
    return p;
}

// vAppInit with its nFailAt-th allocation failing; the allocations it made.
int vInitFailingAt(int nFailAt, int* pnCalls)
{
    s_nCalls = 0;
    s_nFailAt = nFailAt;
    s_bArmed = 1;
    int nResult = vAppInit();
    s_bArmed = 0;
    *pnCalls = s_nCalls;
    return nResult;
}

} // namespace

extern "C" void* __wrap_malloc(size_t nSize)
{
    return bFailsNow() ? NULL : pTrack(__real_malloc(nSize));
}

extern "C" void* __wrap_calloc(size_t nCount, size_t nSize)
{
    return bFailsNow() ? NULL : pTrack(__real_calloc(nCount, nSize));
}

extern "C" void __wrap_free(void* p)
{
    for (int i = 0; i < s_nLive; i++) {
        if (s_pLive[i] == p) {
            s_pLive[i] = s_pLive[--s_nLive];
            break;
        }
    }
    __real_free(p);
}

// Four records, then 44 string copies: title, "von", "nach", seven legend
// captions, ten labels, fourteen unit texts and ten hints, each its own.
TEST(StartupAllocation, EveryFailureStopsTheStartWithNothingLost)
{
    testFreeApp();
    int nTotal = 0;
    ASSERT_EQ(1, vInitFailingAt(0, &nTotal));
    EXPECT_EQ(48, nTotal);
    testFreeApp();
    ASSERT_EQ(0, s_nLive) << "the tracking sees every block freed";

    // Which records a failure leaves in place: those allocated before it.
    static const struct {
        const char* pszName;
        int bApp, bDiagram, bTimer, bForm;
    } kRecords[] = {
        {"AppState", 0, 0, 0, 0},
        {"DiagramState", 1, 0, 0, 0},
        {"RedrawTimer", 1, 1, 0, 0},
        {"FormState", 1, 1, 1, 0},
    };
    const int nRecords = (int)(sizeof(kRecords) / sizeof(kRecords[0]));
    for (int n = 1; n <= nTotal; n++) {
        SCOPED_TRACE(n <= nRecords ? std::string(kRecords[n - 1].pszName)
                                   : "string copy " + std::to_string(n - nRecords));
        int nCalls = 0;
        EXPECT_EQ(0, vInitFailingAt(n, &nCalls));
        EXPECT_EQ(n, nCalls) << "nothing more is allocated after a failure";
        if (n <= nRecords) {
            EXPECT_EQ(kRecords[n - 1].bApp, pApp != NULL);
            if (pApp != NULL) {
                EXPECT_EQ(kRecords[n - 1].bDiagram, pApp->pDiagram != NULL);
                EXPECT_EQ(kRecords[n - 1].bTimer, pApp->pTimer != NULL);
                EXPECT_EQ(kRecords[n - 1].bForm, pApp->pForm != NULL);
            }
        } else {
            ASSERT_NE(nullptr, pApp);
            EXPECT_NE(nullptr, pApp->pDiagram);
            EXPECT_NE(nullptr, pApp->pTimer);
            EXPECT_NE(nullptr, pApp->pForm);
        }
        // All the start made is reachable through pApp and freed here.
        testFreeApp();
        EXPECT_EQ(0, s_nLive) << "a failed start lost memory";
        s_nLive = 0;
    }
}
