// What the shell looks like to the user: the about box and the help it opens, the buttons'
// hover, pressed and disabled images, their tool tips, and the alternative look of QznRes.dll.
#include <gtest/gtest.h>

#include "ShellDriver.h"

namespace {
std::wstring TestBin() {
    wchar_t sz[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, sz, MAX_PATH);
    std::wstring str = sz;
    return str.substr(0, str.find_last_of(L'\\'));
}

class ShellLook : public ::testing::Test {
protected:
    // Starts the program; with bAlternative the settings ask for QznRes.dll, which is copied
    // beside the program when bWithLibrary.
    void Start(bool bAlternative = false, bool bWithLibrary = true) {
        if (bAlternative) {
            if (bWithLibrary)
                CopyFileW((TestBin() + L"\\QznRes.dll").c_str(),
                          (m_session.m_folder / L"QznRes.dll").c_str(), FALSE);
            WritePrivateProfileStringW(L"UI", L"New", L"1",
                                       (m_session.m_folder / L"ZLNKVO.ini").c_str());
        }
        CopyFileW((TestBin() + L"\\help.chm").c_str(), (m_session.m_folder / L"help.chm").c_str(),
                  FALSE);
        ASSERT_TRUE(m_session.Start(L"native,builtin"));
        const bool bLook = bAlternative && bWithLibrary;
        m_pDriver = std::make_unique<CShellDriver>(
            m_session, m_session.m_folder / (bLook ? L"QznRes.dll" : L"KVOmail.exe"));
    }
    HWND BarButton(UINT nID) const { return CShellDriver::ButtonOf(m_pDriver->Bar(), nID); }

    CPenSession m_session;
    std::unique_ptr<CShellDriver> m_pDriver;
};
} // namespace

TEST_F(ShellLook, AboutBoxShowsItsPictureAndAClickOpensTheHelpFile) {
    Start();
    m_pDriver->ClickAt(m_pDriver->Bar(), 343 + 10, 2 + 10);
    HWND hwndAbout = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            hwndAbout = FindProcessWindow(m_session.m_program.ProcessId(), [](HWND hwnd) {
                RECT rc{};
                return WindowClass(hwnd) == L"#32770" && IsWindowVisible(hwnd) &&
                       GetClientRect(hwnd, &rc) && rc.right == 320;
            });
            return hwndAbout != nullptr;
        },
        5000))
        << "no about box";
    RECT rc{};
    GetClientRect(hwndAbout, &rc);
    EXPECT_EQ(rc.bottom, 200);
    MouseClick(ClientPoint(hwndAbout, 160, 180));
    EXPECT_TRUE(
        WaitUntil([&] { return !IsWindow(hwndAbout) || !IsWindowVisible(hwndAbout); }, 5000))
        << "the click closes the box";
    HWND hwndHelp = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            hwndHelp = FindProcessWindow(m_session.m_program.ProcessId(), [](HWND hwnd) {
                return IsWindowVisible(hwnd) && WindowText(hwnd) == L"Quillet Help";
            });
            return hwndHelp != nullptr;
        },
        10000))
        << "the help viewer shows help.chm";
    if (hwndHelp)
        PostMessageW(hwndHelp, WM_CLOSE, 0, 0);
}

TEST_F(ShellLook, ButtonsShowHoverPressedAndDisabledImagesAndTheirTips) {
    Start();
    HWND hwndNew = BarButton(57600);
    const POINT ptNew = ClientPoint(m_pDriver->Bar(), 10 + 15, 2 + 15);
    MouseTo(ptNew);
    EXPECT_TRUE(m_pDriver->WaitForImage(hwndNew, 228)) << "hover shows the focused image";
    EXPECT_TRUE(WaitUntil([&] { return m_pDriver->VisibleTip(L"New (Ctrl+N)") != nullptr; }, 4000))
        << "the tool bar's own tip";
    MouseDown(ptNew);
    EXPECT_TRUE(m_pDriver->WaitForImage(hwndNew, 229)) << "pressed image";
    // Let go elsewhere: no command, and the bar's background takes every highlight away.
    MouseTo(ClientPoint(m_pDriver->Bar(), 700, 25));
    MouseUp(ClientPoint(m_pDriver->Bar(), 700, 25));
    MouseTo(ClientPoint(m_pDriver->Bar(), 720, 25));
    EXPECT_TRUE(m_pDriver->WaitForImage(hwndNew, 227)) << "back to the normal image";

    MouseTo(ClientPoint(m_pDriver->Panel(), 530 + 12, 31 + 15));
    EXPECT_TRUE(WaitUntil([&] { return m_pDriver->VisibleTip(L"Undo") != nullptr; }, 4000))
        << "the panel's child tip, after the newline of string 1046";

    // Zoomed in to four times, Zoom In is disabled and shows a faded grey image.
    HWND hwndZoomIn = CShellDriver::ButtonOf(m_pDriver->Panel(), 1081);
    for (int i = 0; i < 2; ++i)
        m_pDriver->ClickAt(m_pDriver->Panel(), 590 + 10, 31 + 10);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(hwndZoomIn); }, 4000));
    const std::vector<COLORREF> normal = m_pDriver->Bitmap(172);
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::vector<COLORREF> shown = WindowPixels(hwndZoomIn);
            bool bGrey = shown.size() == normal.size() && shown != normal;
            for (COLORREF cr : shown)
                bGrey = bGrey && GetRValue(cr) == GetGValue(cr) && GetGValue(cr) == GetBValue(cr);
            return bGrey;
        },
        4000))
        << "disabled image";
    m_pDriver->ClickAt(m_pDriver->Panel(), 622 + 10, 31 + 10);
    EXPECT_TRUE(m_pDriver->WaitForImage(hwndZoomIn, 172)) << "enabled again at zoom 2";
}

TEST_F(ShellLook, AlternativeLookComesFromQznResAndAMissingLibraryIsIgnored) {
    Start(true, true);
    HWND hwndNew = BarButton(57600);
    EXPECT_TRUE(m_pDriver->WaitForImage(hwndNew, 227)) << "the library's New";
    const RECT rcNew = CShellDriver::RectIn(m_pDriver->Bar(), hwndNew);
    EXPECT_EQ(rcNew.left, 14);
    EXPECT_EQ(rcNew.top, 4);
    // The library's width button opens the library's smaller popup.
    m_pDriver->ClickAt(m_pDriver->Panel(), 104 + 8, 14 + 8);
    HWND hwndPopup = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            RECT rc{};
            hwndPopup = m_pDriver->Popup();
            return hwndPopup && IsWindowVisible(hwndPopup) && GetWindowRect(hwndPopup, &rc) &&
                   rc.bottom - rc.top == 64;
        },
        5000))
        << "the popup has the library's height";
    // The capture dialog (made hidden at start) in the library's look: the buttons' places, and
    // its rectangle without round ends.
    HWND hwndCapture = FindProcessWindow(m_session.m_program.ProcessId(), [](HWND hwnd) {
        return WindowClass(hwnd) == L"#32770" && GetDlgItem(hwnd, 1119);
    });
    ASSERT_NE(hwndCapture, nullptr);
    const RECT rcStart = CShellDriver::RectIn(hwndCapture, GetDlgItem(hwndCapture, 1119));
    const RECT rcCancel = CShellDriver::RectIn(hwndCapture, GetDlgItem(hwndCapture, IDCANCEL));
    EXPECT_EQ(rcStart.left, 58);
    EXPECT_EQ(rcStart.top, 18);
    EXPECT_EQ(rcCancel.left, 100);
    EXPECT_EQ(rcCancel.top, 18);
    HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(hwndCapture, hRgn), ERROR);
    DeleteObject(hRgn);
}

TEST_F(ShellLook, MissingResourceLibraryKeepsTheProgramsOwnLookWithoutAWord) {
    Start(true, false);
    EXPECT_TRUE(m_pDriver->WaitForImage(BarButton(57600), 227)) << "the program's own New";
    const RECT rcOpen = CShellDriver::RectIn(m_pDriver->Bar(), BarButton(57601));
    EXPECT_EQ(rcOpen.left, 49);
    EXPECT_EQ(m_session.m_program.FindWindowOfClass(L"#32770"), nullptr) << "no message";
}
