// A very long paste into each edit: the window must answer at once, and the
// edit and the calculation both keep the same beginning of the text.
#include <algorithm>

#include "e2e_fixture.h"
#include "shell/resource.h"

namespace {

const size_t kPasteBytes = 100 * 1024;
const DWORD kPasteLimitMs = 1000;
const size_t kMostKept = 255; // an input's text buffer less its terminator

// A one and zeros: every cut gives another number, 10 to the power of the
// characters kept less one.
std::string strLongDigits(void)
{
    std::string str(kPasteBytes, '0');
    str[0] = '1';
    return str;
}

bool bPutOnClipboard(const std::string& str)
{
    if (!OpenClipboard(NULL))
        return false;
    EmptyClipboard();
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE, str.size() + 1);
    memcpy(GlobalLock(hMem), str.c_str(), str.size() + 1);
    GlobalUnlock(hMem);
    bool bOk = SetClipboardData(CF_TEXT, hMem) != NULL;
    CloseClipboard();
    return bOk;
}

// The text after switching input id to its other unit and back: the
// program converts the number it took from the edit, so this shows what the
// calculation holds.
std::string strConvertedThere(const Session& app, int id)
{
    HWND hBox = app.hUnitBox(id);
    int nSel = (int)SendMessageA(hBox, CB_GETCURSEL, 0, 0);
    SendMessageA(hBox, CB_SETCURSEL, (WPARAM)(1 - nSel), 0);
    SendMessageA(app.hMain, WM_COMMAND, MAKEWPARAM(IDC_UNIT_BASE + id, CBN_SELCHANGE), (LPARAM)hBox);
    std::string strThere = strTextOf(app.hEdit(id));
    SendMessageA(hBox, CB_SETCURSEL, (WPARAM)nSel, 0);
    SendMessageA(app.hMain, WM_COMMAND, MAKEWPARAM(IDC_UNIT_BASE + id, CBN_SELCHANGE), (LPARAM)hBox);
    return strThere;
}

TEST_F(E2eTest, HundredKilobytePasteReturnsAtOnceInEveryEdit)
{
    vStart();
    const std::string strPaste = strLongDigits();
    ASSERT_TRUE(bPutOnClipboard(strPaste));
    for (int id = 0; id < 10; id++) {
        SCOPED_TRACE("input " + std::to_string(id));
        HWND hEdit = app.hEdit(id);
        DWORD dwStart = GetTickCount();
        DWORD_PTR dwResult = 0;
        LRESULT lSent = SendMessageTimeoutA(hEdit, WM_PASTE, 0, 0, SMTO_NORMAL, 5 * kPasteLimitMs, &dwResult);
        DWORD dwTook = GetTickCount() - dwStart;
        ASSERT_NE(0, lSent) << "the paste did not return within " << 5 * kPasteLimitMs << " ms";
        EXPECT_LE(dwTook, kPasteLimitMs);

        std::string strKept = strTextOf(hEdit);
        ASSERT_FALSE(strKept.empty());
        EXPECT_LE(strKept.size(), kMostKept);
        EXPECT_EQ(strPaste.substr(0, strKept.size()), strKept);
        if (app.hUnitBox(id) != NULL) {
            // The calculation holds the same characters as the edit: the
            // same number as written with an exponent.
            std::string strFromPaste = strConvertedThere(app, id);
            vSetText(hEdit, "1e" + std::to_string(strKept.size() - 1));
            EXPECT_EQ(strConvertedThere(app, id), strFromPaste) << strKept.size() << " characters in the edit";
        }
    }
    // Alive and ends as usual.
    vQuit();
}

// A text put into an edit from outside the keyboard (another program's
// WM_SETTEXT, an automation tool) is cut as a typed one is: the edit never
// shows more than the calculation holds.
TEST_F(E2eTest, TextSetFromOutsideIsCutToWhatIsComputed)
{
    const struct {
        const char* pszName;
        size_t nSet;
    } kCases[] = {
        {"exactly what fits", kMostKept},
        {"one character more", kMostKept + 1},
        {"far more", 2 * kMostKept},
    };
    vStart();
    const std::string strDigits = strLongDigits();
    for (const auto& c : kCases) {
        for (int id = 0; id < 10; id++) {
            SCOPED_TRACE(std::string(c.pszName) + ", input " + std::to_string(id));
            vSetText(app.hEdit(id), strDigits.substr(0, c.nSet));
            EXPECT_EQ(strDigits.substr(0, std::min(c.nSet, kMostKept)), strTextOf(app.hEdit(id)));
            if (app.hUnitBox(id) != NULL) {
                std::string strFromSet = strConvertedThere(app, id);
                vSetText(app.hEdit(id), "1e" + std::to_string(std::min(c.nSet, kMostKept) - 1));
                EXPECT_EQ(strConvertedThere(app, id), strFromSet);
            }
        }
    }
    vQuit();
}

} // namespace
