// What every fuzz target starts from: the application state with stand-in
// controls, made once per process, and a check that stops the run.
#ifndef KL_FUZZ_FUZZ_SUPPORT_H
#define KL_FUZZ_FUZZ_SUPPORT_H

#include <stdlib.h>

#include "calc/app_state.h"
#include "fakewin.h"

// A broken expectation is a finding: abort() makes libFuzzer keep the input.
static inline void vCheck(int bCondition)
{
    if (!bCondition)
        abort();
}

// 1 the first time, after making the state and the ten edits and unit
// boxes; 0 on every later call.
static inline int bFuzzAppInit(void)
{
    if (pApp != NULL)
        return 0;
    vCheck(vAppInit() == 1);
    for (int i = 0; i < INPUT_COUNT; i++) {
        pApp->pForm->hEdit[i] = hostNewWindow();
        pApp->pForm->hUnit[i] = hostNewWindow();
    }
    return 1;
}

#endif
