// What a pilot without a mouse, or with a screen reader, meets in the real
// window: the name each field and unit box is announced by, and the units
// changed from the keyboard alone.
#include <oleacc.h>

#include "e2e_fixture.h"

namespace {

const int kTas = 2;
const int kWindSpeed = 3;
const int kDistance = 8;

// The accessible name of a window's client object, read through oleacc as
// a screen reader reads it; "(none)" when it cannot be read.
std::string strAccName(HWND hWnd)
{
    IAccessible* pAcc = NULL;
    HRESULT hr = AccessibleObjectFromWindow(hWnd, OBJID_CLIENT, __uuidof(IAccessible), (void**)&pAcc);
    if (FAILED(hr) || pAcc == NULL)
        return "(no object: " + std::to_string((unsigned long)hr) + ")";
    VARIANT varSelf;
    VariantInit(&varSelf);
    varSelf.vt = VT_I4;
    varSelf.lVal = CHILDID_SELF;
    BSTR bstr = NULL;
    std::string str = "(none)";
    hr = pAcc->get_accName(varSelf, &bstr);
    if (hr == S_OK && bstr != NULL) {
        char sz[256] = "";
        WideCharToMultiByte(1252, 0, bstr, -1, sz, sizeof(sz), NULL, NULL);
        str = sz;
        SysFreeString(bstr);
    } else {
        str = "(no name: " + std::to_string((unsigned long)hr) + ")";
    }
    pAcc->Release();
    return str;
}

std::string strClassOf(HWND hWnd)
{
    char sz[64] = "";
    GetClassNameA(hWnd, sz, sizeof(sz));
    return sz;
}

// The names a screen reader announces. Each field is named after its label;
// each unit box after the input whose unit it holds. The boxes are named by
// the platform's rule (the static text right before a control in the window
// order), which Windows applies to comboboxes too; Wine names a combobox by
// its own text, so there that rule is checked directly.
TEST_F(E2eTest, ScreenReaderNamesEveryFieldAndUnitBox)
{
    static const char* const kNames[10] = {
        "1. Startort",          "2. Zielort",       "3. Fluggeschwindigkeit (TAS)",
        "4. Windgeschwindigkeit (WS)", "5. Windwinkel (WD)", "6. Bodenkurs (TC)",
        "7. Ortsmissweisung (VAR)",    "8. Kompassablenkung (DEV)", "9. Distanz (s)",
        "10. Verbrauch pro Zeit",
    };
    vStart();
    ASSERT_HRESULT_SUCCEEDED(CoInitialize(NULL));
    for (int i = 0; i < 10; i++) {
        SCOPED_TRACE("input " + std::to_string(i + 1));
        EXPECT_EQ(kNames[i], strAccName(app.hEdit(i))) << "the field's accessible name";
        HWND hBox = app.hUnitBox(i);
        if (!IsWindowVisible(hBox))
            continue;
        HWND hName = GetWindow(hBox, GW_HWNDPREV);
        EXPECT_EQ("Static", strClassOf(hName));
        EXPECT_EQ(std::string("Einheit: ") + kNames[i], strTextOf(hName)) << "the text that names the unit box";
        EXPECT_FALSE(IsWindowVisible(hName)) << "the name is for screen readers only";
    }
    CoUninitialize();
}

// Whether the program's thread is in menu mode (the menu bar active).
bool bInMenuMode(HWND hWnd)
{
    GUITHREADINFO gti;
    memset(&gti, 0, sizeof(gti));
    gti.cbSize = sizeof(gti);
    return GetGUIThreadInfo(GetWindowThreadProcessId(hWnd, NULL), &gti) && (gti.flags & GUI_INMENUMODE) != 0;
}

void vAltKey(WORD wVk)
{
    INPUT in[4];
    memset(in, 0, sizeof(in));
    const WORD wKeys[4] = {VK_MENU, wVk, wVk, VK_MENU};
    for (int i = 0; i < 4; i++) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = wKeys[i];
        in[i].ki.wScan = (WORD)MapVirtualKeyA(wKeys[i], 0);
        in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, in, sizeof(INPUT));
}

// A key of a row: a plain key, or one pressed with Alt held.
struct Key {
    WORD wVk;
    bool bAlt;
};

void vPress(const Key& key)
{
    if (key.bAlt)
        vAltKey(key.wVk);
    else
        vPressKey(key.wVk);
}

// A unit changed with the keyboard from its input's field: the key opens
// the box's list, the arrows move in it, Enter takes the unit (converting
// the number as a mouse pick does) and Escape keeps the old one; whether
// Alt+Up in the open list takes the unit or not is the platform's choice
// (Wine cancels, as with Escape), but the number always fits the unit the
// box shows. Afterwards
// the keyboard is back in the field with its whole text selected, the box
// shows no highlight, and the menu bar is not active (the Alt release
// included): the next digit typed replaces the value.
TEST_F(E2eTest, UnitsChangeFromTheFieldWithTheKeyboard)
{
    struct {
        const char* pszWay;
        int id;
        const char* pszTyped;
        Key keyOpen;
        Key keyMove;
        Key keyClose;
        const char* pszUnit; // afterwards; null: the one the platform chose
        const char* pszText;
        const char* pszOtherUnit; // with a null unit: the unit and text of the
        const char* pszOtherText; // other choice
    } rows[] = {
        {"F4, Down, Enter", kTas, "110", {VK_F4, false}, {VK_DOWN, false}, {VK_RETURN, false}, "[kt]", "59.4595", NULL, NULL},
        {"Alt+Down, Up, Enter", kWindSpeed, "20", {VK_DOWN, true}, {VK_UP, false}, {VK_RETURN, false}, "[km/h]",
         "37", NULL, NULL},
        {"Alt+Up, Down, Escape", kDistance, "69", {VK_UP, true}, {VK_DOWN, false}, {VK_ESCAPE, false}, "[km]", "69", NULL, NULL},
        {"F4, Up, Alt+Up", kTas, "59.4595", {VK_F4, false}, {VK_UP, false}, {VK_UP, true}, NULL, "59.4595",
         "[km/h]", "110"},
    };
    vStart();
    vActivate();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszWay);
        HWND hEdit = app.hEdit(row.id), hBox = app.hUnitBox(row.id);
        vSetText(hEdit, row.pszTyped);
        RECT rc;
        GetClientRect(hEdit, &rc);
        vClickAt(hEdit, rc.right / 2, rc.bottom / 2);
        ASSERT_TRUE(bWaitFor([&] { return nFocusedEdit() == row.id; })) << "the field has no focus";

        vPress(row.keyOpen);
        ASSERT_TRUE(bWaitFor([&] { return SendMessageA(hBox, CB_GETDROPPEDSTATE, 0, 0) != 0; }))
            << "the list did not open";
        EXPECT_FALSE(bInMenuMode(app.hMain)) << "menu bar active with the list open";
        vPress(row.keyMove);
        vPress(row.keyClose);
        EXPECT_TRUE(bWaitFor([&] { return SendMessageA(hBox, CB_GETDROPPEDSTATE, 0, 0) == 0; }))
            << "the list did not close";
        EXPECT_TRUE(bWaitFor([&] { return nFocusedEdit() == row.id; })) << "focus in " << nFocusedEdit();
        if (row.pszUnit != NULL) {
            EXPECT_TRUE(bWaitFor([&] { return strTextOf(hBox) == row.pszUnit; })) << strTextOf(hBox);
            EXPECT_EQ(row.pszText, strTextOf(hEdit));
        } else if (strTextOf(hBox) == row.pszOtherUnit) {
            EXPECT_EQ(row.pszOtherText, strTextOf(hEdit)) << "unit taken";
        } else {
            EXPECT_EQ(row.pszText, strTextOf(hEdit)) << "unit kept as " << strTextOf(hBox);
        }
        DWORD dwStart = 1, dwEnd = 0;
        SendMessageA(hEdit, EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
        EXPECT_EQ(0u, dwStart);
        EXPECT_EQ(strTextOf(hEdit).size(), dwEnd) << "the field's text is not selected whole";
        DWORD dwBoxStart = 0, dwBoxEnd = 1;
        SendMessageA(hBox, CB_GETEDITSEL, (WPARAM)&dwBoxStart, (LPARAM)&dwBoxEnd);
        EXPECT_EQ(dwBoxStart, dwBoxEnd) << "the box still highlights its text";
        EXPECT_FALSE(bInMenuMode(app.hMain)) << "menu bar active after the list closed";

        vTypeText("7");
        EXPECT_TRUE(bWaitFor([&] { return strTextOf(hEdit) == "7"; }))
            << "the next digit did not replace the value: " << strTextOf(hEdit);
        EXPECT_FALSE(bInMenuMode(app.hMain)) << "menu bar active after typing";
    }
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(app.pi.hProcess, 0)) << "the program ended during the picks";
}

} // namespace
