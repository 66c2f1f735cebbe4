// One paint of the worked flight composes the results block's texts once:
// the layout measures them and the block draws them from the same record.
// The composition is counted through the linker's --wrap.
#include "support/recording.h"

static int s_nComposed = 0;

extern "C" {
void __real__Z15vComposeResultsv(void);

void __wrap__Z15vComposeResultsv(void)
{
    s_nComposed++;
    __real__Z15vComposeResultsv();
}
}

namespace {

class PaintOnce : public Recorded {};

TEST_F(PaintOnce, ResultsComposedOncePerPaint)
{
    vFlightLaidOut(1024, 700);
    vPaintCycle(); // the first paint also makes the readable font copy
    s_nComposed = 0;
    vPaintCycle();
    EXPECT_EQ(1, s_nComposed);
    EXPECT_EQ(": 6.6 [l]", textAt(pDiagram->ptLegendValue[LEGEND_ROWS - 1])) << "the record's fuel drawn";
}

} // namespace
