// The program without a usable tablet: no tablet library at all, and Wine's own library on a
// machine without a tablet. The mouse then writes, unless the settings turn that off.
#include <gtest/gtest.h>

#include "PenSession.h"

#include <vector>

namespace {
bool HasDialog(const CProgram& program) {
    return program.FindWindowOfClass(L"#32770") != nullptr;
}

// An icon drawn at 32 x 32 on a background colour.
std::vector<COLORREF> IconPixels(HICON hIcon, COLORREF crBack) {
    HDC hdcScreen = GetDC(nullptr);
    HDC hdc = CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = CreateCompatibleBitmap(hdcScreen, 32, 32);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    const RECT rc{0, 0, 32, 32};
    HBRUSH hBrush = CreateSolidBrush(crBack);
    FillRect(hdc, &rc, hBrush);
    DeleteObject(hBrush);
    DrawIconEx(hdc, 0, 0, hIcon, 32, 32, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            pixels.push_back(GetPixel(hdc, x, y));
    SelectObject(hdc, hOld);
    DeleteObject(hbm);
    DeleteDC(hdc);
    ReleaseDC(nullptr, hdcScreen);
    return pixels;
}

// 32 x 32 pixels of the screen from a top-left point.
std::vector<COLORREF> ScreenPixels(POINT pt) {
    HDC hdc = GetDC(nullptr);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            pixels.push_back(GetPixel(hdc, pt.x + x, pt.y + y));
    ReleaseDC(nullptr, hdc);
    return pixels;
}

int Differences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        n += a[i] != b[i];
    return n;
}

void SendMouse(DWORD dwFlags, POINT ptScreen) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(ptScreen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(ptScreen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    WaitUntil(
        [&] {
            POINT pt{};
            GetCursorPos(&pt);
            return pt.x == ptScreen.x && pt.y == ptScreen.y;
        },
        2000);
    // Each move reaches the program before the next, as a hand's moves do.
    Sleep(40);
}

// The writing the mouse does: press at (100, 100) of the view, drag right in steps of 10 to
// (300, 100), release; with the real mouse.
void DragWithMouse(HWND hView) {
    const auto screen = [hView](int x, int y) {
        POINT pt{x, y};
        ClientToScreen(hView, &pt);
        return pt;
    };
    SendMouse(0, screen(100, 100));
    SendMouse(MOUSEEVENTF_LEFTDOWN, screen(100, 100));
    for (int x = 110; x <= 300; x += 10)
        SendMouse(0, screen(x, 100));
    SendMouse(MOUSEEVENTF_LEFTUP, screen(300, 100));
}

void WriteMousePenSetting(const CPenSession& session, int nValue) {
    const std::string str = "[SETTING]\r\nMOUSEPEN=" + std::to_string(nValue) + "\r\n";
    ASSERT_TRUE(CTestFolder::WriteBytes(session.m_folder / L"ZLNKVO.ini",
                                        std::vector<std::uint8_t>(str.begin(), str.end())));
}
// The box about the tablet: its text, caption and stop icon; answered with OK.
void AnswerTabletBox(const CPenSession& session) {
    HWND hBox = session.m_program.WaitForWindow(L"#32770", 30000);
    ASSERT_NE(hBox, nullptr) << "no message box";
    EXPECT_EQ(WindowText(hBox), L"WinTab");
    EXPECT_EQ(WindowText(GetDlgItem(hBox, 0xFFFF)), L" Could Not Open Tablet Context.");
    HWND hIcon = nullptr;
    for (HWND h = GetWindow(hBox, GW_CHILD); h && !hIcon; h = GetWindow(h, GW_HWNDNEXT))
        if ((GetWindowLongW(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            hIcon = h;
    ASSERT_NE(hIcon, nullptr) << "the box has an icon";
    // The icon as the box shows it, against the stop and the warning icon drawn here.
    POINT ptIcon{0, 0};
    ClientToScreen(hIcon, &ptIcon);
    const auto shown = ScreenPixels(ptIcon);
    const COLORREF crBack = shown[0];
    EXPECT_LT(Differences(shown, IconPixels(LoadIconW(nullptr, IDI_HAND), crBack)), 20)
        << "the stop icon";
    EXPECT_GT(Differences(shown, IconPixels(LoadIconW(nullptr, IDI_EXCLAMATION), crBack)), 100);
    PostMessageW(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}
} // namespace

// No tablet library at all (""), and Wine's own library on this machine without a tablet; the
// mouse pen turned off.
TEST(NoTablet, WithoutATabletTheProgramSaysSoOnceAndWorksWithoutInk) {
    for (const wchar_t* pszOrder : {L"", L"builtin"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(pszOrder)));
        CPenSession session;
        WriteMousePenSetting(session, 0);
        ASSERT_TRUE(session.Launch(pszOrder));
        AnswerTabletBox(session);
        ASSERT_TRUE(session.WaitForFrame());
        session.ClickPanel(LetterPanel::kZoomIn);
        EXPECT_FALSE(WaitUntil([&] { return HasDialog(session.m_program); }, 1500))
            << "the message is shown once";
        DragWithMouse(session.m_hView);
        RedrawWindow(session.m_hView, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(session.WaitForPixel(200, 100, kPaperColor, 8)) << "no ink from the mouse";
        std::vector<SavedStroke> strokes;
        ASSERT_TRUE(session.SaveAndRead(strokes));
        EXPECT_TRUE(strokes.empty());
    }
}

TEST(NoTablet, WithoutATabletLibraryAMouseDragWritesAPencilStroke) {
    CPenSession session;
    ASSERT_TRUE(session.Launch(L""));
    AnswerTabletBox(session);
    ASSERT_TRUE(session.WaitForFrame());
    DragWithMouse(session.m_hView);
    EXPECT_TRUE(session.WaitForPixel(200, 100, kPenColor, 60)) << "pencil ink on the screen";
    std::vector<SavedStroke> strokes;
    ASSERT_TRUE(session.SaveAndRead(strokes));
    ASSERT_EQ(strokes.size(), 1u);
    const SavedStroke& s = strokes[0];
    EXPECT_EQ(s.nTool, 2);
    EXPECT_EQ(s.crColor, kPenColor);
    EXPECT_EQ(s.nSmooth, 1);
    // One sample per position of the drag, at the pencil's level-2 weight.
    ASSERT_EQ(s.points.size(), 21u);
    for (size_t i = 0; i < s.points.size(); ++i) {
        EXPECT_EQ(s.points[i].x, 100 + 10 * int(i)) << "sample " << i;
        EXPECT_EQ(s.points[i].y, 100) << "sample " << i;
        EXPECT_EQ(s.weights[i], 160) << "sample " << i;
    }
}
