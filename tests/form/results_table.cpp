// A seeded table of flights and the texts the results block shows for each,
// written to a file (KL_RESULTS_TABLE, else results_table.txt in the working
// directory). The same program built natively and for Windows must write the
// same bytes: the Windows suites compare their table with the native one
// (compare_results_table.sh), so a build that computes differently in the
// last bits shows wherever that reaches a printed digit.
//
// The flights are made from integers only, so their texts cannot differ
// between the C libraries. Besides plain random flights they aim at the
// places where rounding decides: no airspeed with the wind straight behind,
// a headwind as strong as the airspeed, wind exactly across the course,
// distances and fuel flows near the largest double, and missing inputs.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "form/results_text.h"
#include "support/fixture.h"
#include "support/controls.h"


namespace {

const int kFlights = 2000;
const uint64_t kSeed = 20071211;

// splitmix64: the same numbers from the same seed on every platform.
struct Random {
    uint64_t nState;
    uint64_t next()
    {
        uint64_t z = (nState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return (int)(next() % (uint64_t)n); }
};

// A decimal text from integers: whole part below nMax, up to nDecimals digits.
std::string strNumber(Random& r, int nMax, int nDecimals)
{
    char sz[64];
    int nWhole = r.below(nMax);
    int nPlaces = r.below(nDecimals + 1);
    if (nPlaces == 0) {
        snprintf(sz, sizeof(sz), "%d", nWhole);
    } else {
        int nScale = 1;
        for (int i = 0; i < nPlaces; i++)
            nScale *= 10;
        snprintf(sz, sizeof(sz), "%d.%0*d", nWhole, nPlaces, r.below(nScale));
    }
    return sz;
}

// A number near the largest double: mantissa digits and an exponent 290..308.
std::string strHuge(Random& r)
{
    char sz[64];
    snprintf(sz, sizeof(sz), "%d.%03de%d", 1 + r.below(9), r.below(1000), 290 + r.below(19));
    return sz;
}

std::string strAngle(int nDegrees) { return std::to_string(nDegrees); }

// A variation or deviation as charts and users write it.
std::string strVariation(Random& r)
{
    static const char* const kForms[] = {"", "E", "W", "\xB0W", " w", "\xB0", "\xB0 E"};
    std::string str = strNumber(r, 30, 1);
    if (r.below(6) == 0)
        str = "-" + str;
    return str + kForms[r.below((int)(sizeof(kForms) / sizeof(kForms[0])))];
}

struct Flight {
    std::string strInput[INPUT_COUNT];
    int nUnit[INPUT_COUNT];
};

enum FlightKind {
    KIND_PLAIN,
    KIND_STILL_TAILWIND,   // no airspeed, the wind straight behind
    KIND_EQUAL_HEADWIND,   // a headwind as strong as the airspeed
    KIND_CROSSWIND,        // the wind exactly across the course
    KIND_HUGE_DISTANCE,    // time and fuel near the largest double
    KIND_HUGE_FUEL_FLOW,
    KIND_NEGATIVE_DISTANCE,
    KIND_MISSING_INPUT,
    KIND_COUNT
};

Flight flightFrom(Random& r)
{
    Flight f;
    for (int i = 0; i < INPUT_COUNT; i++)
        f.nUnit[i] = vHasUnitChoice(i) ? r.below(2) : 0;
    int nKind = r.below(KIND_COUNT);
    int nTc = r.below(1080) - 360;
    f.strInput[Departure] = "A";
    f.strInput[Destination] = "B";
    f.strInput[Tas] = strNumber(r, 400, 2);
    f.strInput[WindSpeed] = strNumber(r, 120, 2);
    f.strInput[WindDir] = strNumber(r, 360, 1);
    f.strInput[TrueCourse] = strAngle(nTc);
    f.strInput[Variation] = strVariation(r);
    f.strInput[Deviation] = strVariation(r);
    f.strInput[Distance] = strNumber(r, 2000, 2);
    f.strInput[FuelFlow] = strNumber(r, 100, 2);
    switch (nKind) {
    case KIND_STILL_TAILWIND:
        f.strInput[Tas] = "0";
        f.strInput[WindDir] = strAngle(nTc + 180);
        break;
    case KIND_EQUAL_HEADWIND:
        f.strInput[WindSpeed] = f.strInput[Tas];
        f.nUnit[WindSpeed] = f.nUnit[Tas];
        f.strInput[WindDir] = strAngle(nTc);
        break;
    case KIND_CROSSWIND: f.strInput[WindDir] = strAngle(nTc + (r.below(2) ? 90 : -90)); break;
    case KIND_HUGE_DISTANCE: f.strInput[Distance] = strHuge(r); break;
    case KIND_HUGE_FUEL_FLOW: f.strInput[FuelFlow] = strHuge(r); break;
    case KIND_NEGATIVE_DISTANCE: f.strInput[Distance] = "-" + f.strInput[Distance]; break;
    case KIND_MISSING_INPUT: f.strInput[Tas + r.below(INPUT_COUNT - Tas)] = ""; break;
    default: break;
    }
    return f;
}

class ResultsTable : public AppFixture {
protected:
    // The results block's texts for one flight, as the paint composes them:
    // the values in row order, then the prompt or notice.
    std::vector<std::string> vecResults(const Flight& f)
    {
        for (int i = 0; i < INPUT_COUNT; i++) {
            if (vHasUnitChoice(i)) {
                pForm->nUnitSel[i] = f.nUnit[i];
                testSelect(pForm->hUnit[i], f.nUnit[i]);
            }
            vType(i, f.strInput[i].c_str());
        }
        vComposeResults();
        const ResultTexts& res = pDiagram->results;
        std::vector<std::string> vec;
        for (int nRow = 0; nRow < LEGEND_ROWS; nRow++)
            if (res.szValue[nRow][0] != '\0')
                vec.push_back(res.szValue[nRow]);
        if (res.nNoticeRow != NO_NOTICE)
            vec.push_back(res.szNotice);
        return vec;
    }
};

TEST_F(ResultsTable, WritesTheSeededFlights)
{
    const char* pszPath = getenv("KL_RESULTS_TABLE");
    if (pszPath == NULL || *pszPath == '\0')
        pszPath = "results_table.txt";
    FILE* pFile = fopen(pszPath, "wb");
    ASSERT_NE(nullptr, pFile) << pszPath;
    Random r = {kSeed};
    static const char* const kNames[INPUT_COUNT] = {"from", "to", "tas", "ws", "wd", "tc", "var", "dev", "dist", "ff"};
    for (int n = 0; n < kFlights; n++) {
        Flight f = flightFrom(r);
        fprintf(pFile, "flight %d:", n);
        for (int i = 0; i < INPUT_COUNT; i++)
            fprintf(pFile, " %s=\"%s\"%s", kNames[i], f.strInput[i].c_str(), f.nUnit[i] ? "*" : "");
        fprintf(pFile, "\n");
        for (const std::string& str : vecResults(f))
            fprintf(pFile, "  %s\n", str.c_str());
    }
    ASSERT_EQ(0, fclose(pFile)) << pszPath;
}

} // namespace
