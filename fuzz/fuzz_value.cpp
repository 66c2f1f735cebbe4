// Arbitrary bytes as an input text: the number reader with the west rule
// and both unit choices must give a finite value, agree with the validity
// check, and the solver must finish on whatever it reads.
#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "calc/app_state.h"
#include "calc/input.h"
#include "calc/solver.h"
#include "fuzz/fuzz_support.h"

// The text as the edit would hand it over: at most 255 bytes, up to a NUL.
static void vTakeText(const uint8_t* pData, size_t nSize, char* pszText)
{
    size_t n = nSize < INPUT_TEXT_SIZE - 1 ? nSize : INPUT_TEXT_SIZE - 1;
    memcpy(pszText, pData, n);
    pszText[n] = '\0';
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    bFuzzAppInit();
    FormState* pForm = pApp->pForm;
    char szText[INPUT_TEXT_SIZE];
    vTakeText(pData, nSize, szText);

    static const int kIds[] = {Variation, Tas};
    for (int id : kIds) {
        for (int nSel = 0; nSel < UNIT_CHOICES; nSel++) {
            pForm->nUnitSel[id] = nSel;
            double dValue = 1;
            int bOk = vGetValue(szText, id, &dValue);
            vCheck(bOk == 0 || bOk == 1);
            vCheck(isfinite(dValue));
            vCheck(bOk || dValue == 0);
            vCheck(vCheckInput(id, szText) == bOk);
        }
        pForm->nUnitSel[id] = 0;
    }

    // The same text as airspeed and as course of an otherwise ordinary
    // flight: the solver ends, and what it reports is finite and in range.
    for (int id = 0; id < INPUT_COUNT; id++)
        vStoreInputText(id, "", 0);
    vStoreInputText(Tas, szText, (int)strlen(szText));
    vStoreInputText(WindSpeed, "20", 2);
    vStoreInputText(WindDir, "230", 3);
    vStoreInputText(TrueCourse, szText, (int)strlen(szText));
    double dWca, dTh, dGs;
    if (vGetWindTriangle(&dWca, &dTh, &dGs)) {
        vCheck(dWca >= 0 && dWca <= 360);
        vCheck(dTh >= 0 && dTh <= 360);
        vCheck(isfinite(dGs) && dGs >= 0);
        int bFlyable = -1;
        vCheck(vGetCourseFlyable(&bFlyable) == 1);
        vCheck(bFlyable == 0 || bFlyable == 1);
    }
    return 0;
}
