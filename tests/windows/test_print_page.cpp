// The printed page on Wine's own printer driver: the worked flight, an
// incomplete one and the A5 paper printed into PostScript files (run by
// print_check.sh with a print service of its own), and those pages, turned
// into pixels by Ghostscript, checked: the rose round, the triangle's lines
// inside it, nothing at the page's edges.
#include <ctype.h>
#include <limits.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include <windows.h>
#include <winspool.h>

#include "shell/create.h"
#include "shell/print.h"
#include "support/files.h"
#include "support/fixture.h"

namespace {

// Where print_check.sh wants the pages and later finds their pixels.
std::string strDir(void)
{
    const char* psz = getenv("KL_PRINT_DIR");
    return psz ? psz : "";
}

// A Unix path as Wine's drive Z: shows it.
std::string strOnZ(const std::string& strUnix)
{
    std::string str = "Z:" + strUnix;
    for (char& c : str)
        if (c == '/')
            c = '\\';
    return str;
}

// The default printer's context for a portrait sheet of that paper.
HDC hPrinterDc(short nPaper)
{
    char szName[256];
    DWORD n = sizeof(szName);
    if (!GetDefaultPrinterA(szName, &n))
        return NULL;
    DEVMODEA dm;
    memset(&dm, 0, sizeof(dm));
    dm.dmSize = sizeof(dm);
    dm.dmFields = DM_PAPERSIZE | DM_ORIENTATION;
    dm.dmPaperSize = nPaper;
    dm.dmOrientation = DMORIENT_PORTRAIT;
    return CreateDCA(NULL, szName, NULL, &dm);
}

class PrintPage : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_FALSE(strDir().empty()) << "KL_PRINT_DIR names the folder for the pages (print_check.sh)";
        ASSERT_EQ(1, vCreateFonts());
    }
    void TearDown() override
    {
        vDeleteFonts();
        AppFixture::TearDown();
    }
    // Prints the flight typed so far; 1 when the printer took it.
    int nPrint(short nPaper, const std::string& strFile)
    {
        HDC hdc = hPrinterDc(nPaper);
        EXPECT_NE(nullptr, hdc) << "no default printer";
        if (hdc == NULL)
            return 0;
        EXPECT_GT(GetDeviceCaps(hdc, VERTRES), GetDeviceCaps(hdc, HORZRES)) << "portrait";
        int bOk = vPrintFlightTo(hdc, strOnZ(strFile).c_str());
        DeleteDC(hdc);
        return bOk;
    }
    static void vDeleteFonts(void)
    {
        DeleteObject(pApp->pForm->hFont);
        DeleteObject(pApp->pDiagram->hDiagramFont);
    }
};

TEST_F(PrintPage, FlightsPrintedToFiles)
{
    struct {
        const char* pszName; // the file's name without .ps
        short nPaper;
        int nEmptied;        // input left empty (-1: none)
        bool bLongest;       // every field as full as it gets, with digits
    } rows[] = {
        {"a4", DMPAPER_A4, -1, false},
        {"a5", DMPAPER_A5, -1, false},
        {"letter", DMPAPER_LETTER, -1, false},
        {"no_airspeed", DMPAPER_A4, Tas, false},
        {"longest", DMPAPER_A5, -1, true},
    };
    const std::string strLongest(INPUT_TEXT_SIZE - 1, '9');
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        vTypeFlight();
        ASSERT_STREQ("Egelsbach", pForm->szInput[Departure]) << "the fields need a display";
        if (row.nEmptied >= 0)
            vType(row.nEmptied, "");
        for (int id = 0; id < INPUT_COUNT && row.bLongest; id++)
            vType(id, strLongest.c_str());
        std::string strFile = strDir() + "/" + row.pszName + ".ps";
        ASSERT_EQ(1, nPrint(row.nPaper, strFile));
        EXPECT_EQ("%!PS", strReadFile(strFile).substr(0, 4));
    }
}

TEST_F(PrintPage, PrintingLeavesTheWindowLayoutAlone)
{
    vTypeFlight();
    pForm->nClientWidth = 640;
    pForm->nClientHeight = 480;
    pForm->nFormWidth = 250;
    pDiagram->nCharHeight = 13;
    pDiagram->ptCenter = POINT{12, 34};
    FormState formBefore = *pForm;
    DiagramState diagramBefore = *pDiagram;
    ASSERT_EQ(1, nPrint(DMPAPER_A4, strDir() + "/again.ps"));
    EXPECT_EQ(0, memcmp(&formBefore, pForm, sizeof(formBefore)));
    EXPECT_EQ(0, memcmp(&diagramBefore, pDiagram, sizeof(diagramBefore)));
}

TEST_F(PrintPage, FileThatCannotBeMadeFailsThePrint)
{
    vTypeFlight();
    std::string strFile = strDir() + "/no/such/folder/page.ps";
    EXPECT_EQ(0, nPrint(DMPAPER_A4, strFile));
    EXPECT_TRUE(strReadFile(strFile).empty());
}

// A page's pixels from a binary PPM (P6) or PGM (P5), maxval 255, as
// Ghostscript writes it; grey pixels are kept as three equal components.
struct Page {
    int nWidth = 0, nHeight = 0;
    std::vector<unsigned char> vecRgb;
    bool bLoad(const std::string& strPath)
    {
        std::string str = strReadFile(strPath);
        // Three numbers after "P6" or "P5", comments between them; one
        // blank before the pixels.
        size_t n = 2;
        int nNumbers[3];
        bool bGrey = str.compare(0, 2, "P5") == 0;
        if (str.compare(0, 2, "P6") != 0 && !bGrey)
            return false;
        for (int i = 0; i < 3; i++) {
            while (n < str.size() && (isspace((unsigned char)str[n]) || str[n] == '#'))
                n = str[n] == '#' ? str.find('\n', n) : n + 1;
            if (n >= str.size())
                return false;
            size_t nEnd = n;
            while (nEnd < str.size() && isdigit((unsigned char)str[nEnd]))
                nEnd++;
            if (nEnd == n)
                return false;
            nNumbers[i] = atoi(str.substr(n, nEnd - n).c_str());
            n = nEnd;
        }
        nWidth = nNumbers[0];
        nHeight = nNumbers[1];
        size_t nPixels = (size_t)nWidth * nHeight, nBytes = nPixels * (bGrey ? 1 : 3);
        if (nNumbers[2] != 255 || str.size() < n + 1 + nBytes)
            return false;
        if (!bGrey) {
            vecRgb.assign(str.begin() + n + 1, str.begin() + n + 1 + nBytes);
            return true;
        }
        vecRgb.resize(nPixels * 3);
        for (size_t i = 0; i < nPixels; i++)
            vecRgb[3 * i] = vecRgb[3 * i + 1] = vecRgb[3 * i + 2] = (unsigned char)str[n + 1 + i];
        return true;
    }
    COLORREF at(int x, int y) const
    {
        const unsigned char* p = &vecRgb[((size_t)y * nWidth + x) * 3];
        return RGB(p[0], p[1], p[2]);
    }
    bool bBlack(int x, int y) const
    {
        COLORREF c = at(x, y);
        return GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64;
    }
};

// Ghostscript may round a colour component by one.
bool bNear(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) <= 1 && abs(GetGValue(a) - GetGValue(b)) <= 1 &&
           abs(GetBValue(a) - GetBValue(b)) <= 1;
}

// The largest 8-connected set of black pixels: the compass circle with its
// ticks (text, centre cross and labels stand apart from it).
std::vector<POINT> vecLargestBlack(const Page& page)
{
    std::vector<int> vecSeen((size_t)page.nWidth * page.nHeight, 0);
    std::vector<POINT> vecBest, vecPart, vecStack;
    for (int y = 0; y < page.nHeight; y++)
        for (int x = 0; x < page.nWidth; x++) {
            if (vecSeen[(size_t)y * page.nWidth + x] || !page.bBlack(x, y))
                continue;
            vecPart.clear();
            vecStack.assign(1, POINT{x, y});
            vecSeen[(size_t)y * page.nWidth + x] = 1;
            while (!vecStack.empty()) {
                POINT pt = vecStack.back();
                vecStack.pop_back();
                vecPart.push_back(pt);
                for (int dy = -1; dy <= 1; dy++)
                    for (int dx = -1; dx <= 1; dx++) {
                        int nx = pt.x + dx, ny = pt.y + dy;
                        if (nx < 0 || ny < 0 || nx >= page.nWidth || ny >= page.nHeight)
                            continue;
                        size_t n = (size_t)ny * page.nWidth + nx;
                        if (!vecSeen[n] && page.bBlack(nx, ny)) {
                            vecSeen[n] = 1;
                            vecStack.push_back(POINT{nx, ny});
                        }
                    }
            }
            if (vecPart.size() > vecBest.size())
                vecBest = vecPart;
        }
    return vecBest;
}

// The rose of a page: its box's centre and half its width.
struct Rose {
    double dCx = 0, dCy = 0, dRadius = 0;
};
Rose roseOf(const std::vector<POINT>& vecRose)
{
    long nLeft = LONG_MAX, nTop = LONG_MAX, nRight = 0, nBottom = 0;
    for (const POINT& pt : vecRose) {
        nLeft = std::min(nLeft, pt.x), nRight = std::max(nRight, pt.x);
        nTop = std::min(nTop, pt.y), nBottom = std::max(nBottom, pt.y);
    }
    Rose rose;
    rose.dCx = (nLeft + nRight) / 2.0;
    rose.dCy = (nTop + nBottom) / 2.0;
    rose.dRadius = (nRight - nLeft) / 2.0;
    return rose;
}

const double kMmPerInch = 25.4;
const double kPi = 3.141592653589793;

TEST(PrintedPage, RoseRoundTriangleInsideNothingAtTheEdges)
{
    // Pages rendered at this many pixels per inch by print_check.sh.
    const double kDpi = 100.0;
    const double kEdgeMm = 10.0; // the band along each edge that stays white
    const struct {
        const char* pszName;
        bool bWholeTriangle;
        double dMinDiameterMm; // a rose for the kneeboard (0: none looked for)
    } rows[] = {{"a4", true, 120.0},
                {"a5", true, 70.0},
                {"letter", true, 120.0},
                {"no_airspeed", false, 120.0},
                {"longest", false, 0.0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        Page page;
        ASSERT_TRUE(page.bLoad(strDir() + "/" + row.pszName + ".ppm")) << "no pixels of the page";

        int nEdge = (int)lround(kEdgeMm / 25.4 * kDpi);
        int nMarked = 0;
        for (int y = 0; y < page.nHeight; y++)
            for (int x = 0; x < page.nWidth; x++)
                if ((x < nEdge || y < nEdge || x >= page.nWidth - nEdge || y >= page.nHeight - nEdge) &&
                    page.at(x, y) != RGB(255, 255, 255))
                    nMarked++;
        EXPECT_EQ(0, nMarked) << "pixels drawn within " << kEdgeMm << " mm of the page's edge";
        if (row.dMinDiameterMm == 0.0)
            continue;

        std::vector<POINT> vecRose = vecLargestBlack(page);
        ASSERT_FALSE(vecRose.empty());
        Rose rose = roseOf(vecRose);
        double dCx = rose.dCx, dCy = rose.dCy, dRadius = rose.dRadius;
        double dDiameterMm = 2 * dRadius / kDpi * kMmPerInch;
        printf("%s: rose %.1f mm across\n", row.pszName, dDiameterMm);
        EXPECT_GE(dDiameterMm, row.dMinDiameterMm);
        long nTop = LONG_MAX, nBottom = 0;
        for (const POINT& pt : vecRose)
            nTop = std::min(nTop, pt.y), nBottom = std::max(nBottom, pt.y);
        EXPECT_NEAR(2 * dRadius, nBottom - nTop, 2) << "as high as wide";
        // Outward from the centre in every direction, the rose's outermost
        // pixel lies on one circle.
        const int kDirections = 72;
        std::vector<double> vecReach(kDirections, 0.0);
        for (const POINT& pt : vecRose) {
            double dx = pt.x - dCx, dy = pt.y - dCy;
            const double kTurn = 2 * 3.141592653589793;
            int nDir = (int)lround((atan2(dy, dx) / kTurn + 0.5) * kDirections) % kDirections;
            vecReach[nDir] = std::max(vecReach[nDir], hypot(dx, dy));
        }
        for (int i = 0; i < kDirections; i++)
            EXPECT_NEAR(dRadius, vecReach[i], 2.0) << "direction " << i * 360 / kDirections;

        // The triangle's colours, each a line of some length within the rose.
        // Wind and course are drawn from their own inputs; heading and the
        // closing side need the whole triangle.
        const struct {
            const char* pszName;
            COLORREF c;
            bool bAlways;
        } colours[] = {{"blue", RGB(0, 0, 255), true},
                       {"green", RGB(0, 255, 0), true},
                       {"red", RGB(255, 0, 0), false},
                       {"grey", RGB(178, 178, 178), false}};
        for (const auto& colour : colours) {
            int nInside = 0;
            for (int y = 0; y < page.nHeight; y++)
                for (int x = 0; x < page.nWidth; x++)
                    if (bNear(page.at(x, y), colour.c) && hypot(x - dCx, y - dCy) < dRadius)
                        nInside++;
            if (colour.bAlways || row.bWholeTriangle)
                EXPECT_GT(nInside, dRadius / 4) << colour.pszName << " line in the rose";
            else
                EXPECT_EQ(0, nInside) << colour.pszName << " without the airspeed";
        }

        // The wind blows toward 50 degrees: its short vector goes on dotted
        // out to the ticks, blue and white in turns.
        if (row.bWholeTriangle) {
            const double kToward = 50.0 * 3.141592653589793 / 180.0;
            int nBlue = 0, nSteps = 0, nChanges = 0;
            bool bLast = false;
            for (double d = 0.4 * dRadius; d < 0.85 * dRadius; d += 1.0, nSteps++) {
                bool bHit = false;
                for (int nAcross = -1; nAcross <= 1 && !bHit; nAcross++) {
                    int x = (int)lround(dCx + sin(kToward) * d + cos(kToward) * nAcross);
                    int y = (int)lround(dCy - cos(kToward) * d + sin(kToward) * nAcross);
                    bHit = bNear(page.at(x, y), RGB(0, 0, 255));
                }
                nBlue += bHit;
                nChanges += nSteps > 0 && bHit != bLast;
                bLast = bHit;
            }
            EXPECT_GT(nBlue, nSteps / 5) << "the wind's continuation is drawn";
            EXPECT_LT(nBlue, nSteps * 4 / 5) << "with gaps";
            EXPECT_GT(nChanges, 4) << "dots, not one or two long pieces";
        }
    }
}

// The ink across a line at (x, y), along the unit normal (dNx, dNy): the
// run of pixels darker than the paper through the inked pixel nearest the
// point, in pixels.
int nInkAcross(const Page& page, double x, double y, double dNx, double dNy)
{
    const int kReach = 60, kPaper = 230;
    auto bInk = [&](int k) {
        long px = lround(x + dNx * k), py = lround(y + dNy * k);
        return px >= 0 && py >= 0 && px < page.nWidth && py < page.nHeight && GetRValue(page.at(px, py)) < kPaper;
    };
    int nAt = INT_MAX;
    for (int k = 0; k <= kReach && nAt == INT_MAX; k++)
        nAt = bInk(k) ? k : bInk(-k) ? -k : INT_MAX;
    if (nAt == INT_MAX)
        return 0;
    int nLow = nAt, nHigh = nAt;
    while (nLow > -2 * kReach && bInk(nLow - 1))
        nLow--;
    while (nHigh < 2 * kReach && bInk(nHigh + 1))
        nHigh++;
    return nHigh - nLow + 1;
}

// The median ink across a segment from (x, y) in compass direction dCompass
// (image y down), sampled between fractions dFrom and dTo of its length.
int nLineWidth(const Page& page, double x, double y, double dCompass, double dLength, double dFrom, double dTo)
{
    double dUx = sin(dCompass * kPi / 180.0), dUy = -cos(dCompass * kPi / 180.0);
    std::vector<int> vec;
    const int kSamples = 15;
    for (int i = 0; i < kSamples; i++) {
        double d = dLength * (dFrom + (dTo - dFrom) * i / (kSamples - 1));
        vec.push_back(nInkAcross(page, x + dUx * d, y + dUy * d, -dUy, dUx));
    }
    std::sort(vec.begin(), vec.end());
    return vec[kSamples / 2];
}

// Printed in grey (as most kneeboard pages are), the triangle's four lines
// still tell apart: each is drawn a width of its own, and the legend's
// samples are drawn as wide as their vectors.
TEST(PrintedPage, LinesToldApartWithoutColour)
{
    const double kDpi = 300.0; // the grey pages print_check.sh renders
    // The worked flight: wind toward 50 degrees at 20 km/h, airspeed 110 on
    // heading 91, ground speed 125.8 on course 85.
    const double kWindTo = 50, kHeading = 91, kCourse = 85;
    const double kWind = 20 / 125.8, kAir = 110 / 125.8; // of the longest, the ground vector
    const double kCircleHalfMm = 0.25, kTickPart = 0.1;
    for (const char* pszName : {"a4", "a5"}) {
        SCOPED_TRACE(pszName);
        Page page;
        ASSERT_TRUE(page.bLoad(strDir() + "/" + pszName + "-300.pgm")) << "no grey pixels of the page";
        Rose rose = roseOf(vecLargestBlack(page));
        ASSERT_GT(rose.dRadius, 0);
        double r = rose.dRadius - kCircleHalfMm / kMmPerInch * kDpi;
        double dFull = r * (1 - kTickPart);
        double dUx = sin(kWindTo * kPi / 180.0), dUy = -cos(kWindTo * kPi / 180.0);
        double xWindTip = rose.dCx + dUx * kWind * dFull, yWindTip = rose.dCy + dUy * kWind * dFull;
        const struct {
            const char* pszName;
            int nWidth;
        } lines[] = {
            {"closing side", nLineWidth(page, xWindTip, yWindTip, kHeading, kAir * dFull, 0.2, 0.5)},
            {"wind", nLineWidth(page, rose.dCx, rose.dCy, kWindTo, kWind * dFull, 0.5, 0.9)},
            {"heading", nLineWidth(page, rose.dCx, rose.dCy, kHeading, kAir * dFull, 0.75, 0.95)},
            {"course", nLineWidth(page, rose.dCx, rose.dCy, kCourse, dFull, 0.55, 0.75)},
        };
        for (const auto& line : lines)
            printf("%s: %s %.2f mm wide\n", pszName, line.pszName, line.nWidth / kDpi * kMmPerInch);
        // 2 pixels at 300 DPI: a sixth of a millimetre, plain to the eye.
        for (size_t i = 1; i < sizeof(lines) / sizeof(lines[0]); i++)
            EXPECT_GE(lines[i].nWidth, lines[i - 1].nWidth + 2)
                << lines[i].pszName << " is not wider than the " << lines[i - 1].pszName;

        // The legend's samples: the first three strokes below the rose in
        // a column half a sample into the page's left text edge.
        int xLeft = page.nWidth;
        for (int y = 0; y < page.nHeight; y++)
            for (int x = 0; x < xLeft; x++)
                if (GetRValue(page.at(x, y)) < 128)
                    xLeft = x;
        int x = xLeft + (int)lround(4.0 / kMmPerInch * kDpi);
        std::vector<int> vecRuns;
        int nRun = 0;
        for (int y = (int)(rose.dCy + rose.dRadius); y < page.nHeight && vecRuns.size() < 3; y++) {
            bool bInk = GetRValue(page.at(x, y)) < 230;
            if (bInk)
                nRun++;
            else if (nRun > 0)
                vecRuns.push_back(nRun), nRun = 0;
        }
        ASSERT_EQ(3u, vecRuns.size()) << "three samples in the legend";
        EXPECT_NEAR(lines[1].nWidth, vecRuns[0], 2) << "wind sample";
        EXPECT_NEAR(lines[3].nWidth, vecRuns[1], 2) << "course sample";
        EXPECT_NEAR(lines[2].nWidth, vecRuns[2], 2) << "heading sample";
    }
}

} // namespace
