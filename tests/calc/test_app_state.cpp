#include <string.h>

#include "support/fixture.h"

using AppInit = AppFixture;

TEST_F(AppInit, StartsWithEmptyInvalidInputsAndFirstUnits)
{
    for (int i = 0; i < INPUT_COUNT; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(0, pForm->bValid[i]);
        EXPECT_STREQ("", pForm->szInput[i]);
        ASSERT_NE(nullptr, pForm->pszUnit[i][0]);
        EXPECT_EQ(vHasUnitChoice(i) != 0, pForm->pszUnit[i][1] != nullptr);
        ASSERT_NE(nullptr, pForm->pszLabel[i]);
        ASSERT_NE(nullptr, pForm->pszHint[i]);
    }
    EXPECT_EQ(0, pForm->bShowHints);
    EXPECT_EQ(100, pTimer->nStep);
    EXPECT_EQ(700, pTimer->nLimit);
    EXPECT_EQ(0, pTimer->bPending);
}

TEST_F(AppInit, TextsAreWindows1252AndSeparateCopies)
{
    EXPECT_STREQ("[\xB0]", pForm->pszUnit[WindDir][0]);
    EXPECT_EQ(3u, strlen(pForm->pszUnit[WindDir][0])); // the degree sign is one byte
    EXPECT_NE(pForm->pszUnit[WindDir][0], pForm->pszUnit[TrueCourse][0]);
    EXPECT_NE(pForm->pszHint[Variation], pForm->pszHint[Deviation]);
    EXPECT_STREQ("10. Verbrauch pro Zeit", pForm->pszLabel[FuelFlow]);
    EXPECT_STREQ(" 3. Fluggeschwindigkeit (TAS)", pForm->pszLabel[Tas]);
    EXPECT_STREQ("Windkorrekturwinkel (WCA)", pDiagram->pszLegend[3]);
    EXPECT_STREQ("[l/min]", pForm->pszUnit[FuelFlow][1]);
}

TEST_F(AppInit, ColoursAndDiagramDefaults)
{
    const float fBlue[3] = {0, 0, 1}, fGreen[3] = {0, 1, 0}, fRed[3] = {1, 0, 0};
    EXPECT_EQ(0, memcmp(fBlue, pDiagram->fColor[0], sizeof(fBlue)));
    EXPECT_EQ(0, memcmp(fGreen, pDiagram->fColor[1], sizeof(fGreen)));
    EXPECT_EQ(0, memcmp(fRed, pDiagram->fColor[2], sizeof(fRed)));
    EXPECT_EQ(1.0f, pForm->fFormColor[0]);
    EXPECT_EQ(0.0f, pForm->fFormColor[2]);
    EXPECT_EQ(1000, pDiagram->nHalfWidth);
    EXPECT_EQ(500, pDiagram->nRadiusInit);
    EXPECT_EQ(990, pDiagram->ptTitle.y);
    EXPECT_EQ(0, pDiagram->bShowDiagram);
}
