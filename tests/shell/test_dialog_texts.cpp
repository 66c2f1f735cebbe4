// Every static text of both dialogs, word-wrapped in the dialog's own font,
// fits the control that shows it: no line is cut off at the bottom and no
// word at the right. The templates come from the program's own resource
// script, linked into this test.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "shell/dialogs.h"
#include "shell/resource.h"

namespace {

struct StaticText {
    int nTemplate;
    int nId;
    const char* pszName;
};

const StaticText kTexts[] = {
    {IDD_INFO, IDC_INFO_TITLE, "title"},
    {IDD_INFO, IDC_INFO_AUTHOR, "author"},
    {IDD_INFO, IDC_INFO_GOAL_HEAD, "goal heading"},
    {IDD_INFO, IDC_INFO_GOAL, "goal"},
    {IDD_INFO, IDC_INFO_WARRANTY_HEAD, "warranty heading"},
    {IDD_INFO, IDC_INFO_WARRANTY, "warranty"},
    {IDD_INFO, IDC_INFO_FEEDBACK_HEAD, "feedback heading"},
    {IDD_INFO, IDC_INFO_FEEDBACK, "feedback line with the address"},
    {IDD_INFO, IDC_INFO_DOWNLOAD_HEAD, "download heading"},
    {IDD_INFO, IDC_INFO_DOWNLOAD, "download"},
    {IDD_INFO, IDC_INFO_URL, "web address"},
    {IDD_INFO, IDC_INFO_DOWNLOAD_END, "download end"},
    {IDD_VERSION, IDC_VERSION_OLD, "version too old"},
    {IDD_VERSION, IDC_VERSION_DOWNLOAD, "download"},
    {IDD_VERSION, IDC_VERSION_URL, "web address"},
    {IDD_VERSION, IDC_VERSION_DOWNLOAD_END, "download end"},
};

TEST(DialogTexts, EveryStaticTextFitsItsControl)
{
    for (const StaticText& t : kTexts) {
        SCOPED_TRACE(testing::Message() << (t.nTemplate == IDD_INFO ? "Info" : "Versions-Info") << ", control "
                                        << t.nId << ", " << t.pszName);
        HWND hDlg = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(t.nTemplate), NULL, WndDiaProc, 0);
        ASSERT_NE(nullptr, hDlg);
        HWND hText = GetDlgItem(hDlg, t.nId);
        ASSERT_NE(nullptr, hText);
        char szText[512];
        GetWindowTextA(hText, szText, sizeof(szText));
        RECT rcClient;
        GetClientRect(hText, &rcClient);

        HDC hdc = GetDC(hText);
        HGDIOBJ hOld = SelectObject(hdc, (HFONT)SendMessageA(hText, WM_GETFONT, 0, 0));
        RECT rcText = {0, 0, rcClient.right, 0};
        int nHeight = DrawTextA(hdc, szText, -1, &rcText, DT_CALCRECT | DT_WORDBREAK);
        SelectObject(hdc, hOld);
        ReleaseDC(hText, hdc);
        DestroyWindow(hDlg);

        EXPECT_GT(nHeight, 0);
        EXPECT_LE(rcText.bottom, rcClient.bottom)
            << "\"" << szText << "\" needs " << rcText.bottom << " pixels, the box is " << rcClient.bottom << " high and "
            << rcClient.right << " wide";
        EXPECT_LE(rcText.right, rcClient.right)
            << "\"" << szText << "\" needs " << rcText.right << " pixels, the box is " << rcClient.right << " wide";
    }
}

std::string strControlText(int nTemplate, int nId)
{
    HWND hDlg = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(nTemplate), NULL, WndDiaProc, 0);
    char szText[512] = "";
    GetDlgItemTextA(hDlg, nId, szText, sizeof(szText));
    DestroyWindow(hDlg);
    return szText;
}

// One web address: the download line of both dialogs, and the feedback line
// without the scheme.
TEST(DialogTexts, BothDialogsNameTheSameAddress)
{
    std::string strUrl = strControlText(IDD_INFO, IDC_INFO_URL);
    const std::string strScheme = "http://";
    ASSERT_EQ(strScheme, strUrl.substr(0, strScheme.size()));
    EXPECT_EQ(strUrl, strControlText(IDD_VERSION, IDC_VERSION_URL));
    std::string strFeedback = strControlText(IDD_INFO, IDC_INFO_FEEDBACK);
    EXPECT_NE(std::string::npos, strFeedback.find("-> " + strUrl.substr(strScheme.size()) + " ->")) << strFeedback;
}

} // namespace
