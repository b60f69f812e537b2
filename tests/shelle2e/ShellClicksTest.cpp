// The tool bar, the colour panel and the pen-width popup of the real KVOmail.exe, clicked with
// the mouse where the layout tables put their buttons; what the clicks chose shows in the
// strokes the virtual pen writes afterwards and in the saved note.
#include <gtest/gtest.h>

#include "ShellDriver.h"

namespace {
constexpr UINT kPencil = 1040, kBrush = 1039, kMarker = 1041, kEraser = 1093;
constexpr UINT kPencilWidth = 1132, kFirstWidth = 32799;

std::string Row(int x0, int x1, int y) {
    const std::string strY = std::to_string(y);
    return "down " + std::to_string(x0) + " " + strY + " 700\nline " + std::to_string(x0) + " " +
           strY + " " + std::to_string(x1) + " " + strY + " 20 700\nup " + std::to_string(x1) +
           " " + strY;
}

// A loop around the row at y, for the eraser.
std::string Around(int x0, int x1, int y) {
    const std::string t = std::to_string(y - 20), b = std::to_string(y + 20);
    const std::string l = std::to_string(x0), r = std::to_string(x1);
    return "down " + l + " " + t + " 700\nline " + l + " " + t + " " + r + " " + t +
           " 20 700\nline " + r + " " + t + " " + r + " " + b + " 4 700\nline " + r + " " + b +
           " " + l + " " + b + " 20 700\nline " + l + " " + b + " " + l + " " + t + " 4 700\nup " +
           l + " " + t;
}

class ShellClicks : public ::testing::Test {
protected:
    // Starts the program with the chapters given so far.
    void Start() {
        ASSERT_TRUE(m_session.Start(L"native,builtin"));
        m_pDriver = std::make_unique<CShellDriver>(m_session, m_session.m_folder / L"KVOmail.exe");
    }
    // A click at a place of the layout tables (a button's top-left corner, from its bar's), a
    // little inside the button.
    void ClickPanel(int x, int y) { m_pDriver->ClickAt(m_pDriver->Panel(), x + 10, y + 10); }
    void ClickBar(int x, int y) { m_pDriver->ClickAt(m_pDriver->Bar(), x + 10, y + 10); }
    // The pointer rests on the paper again, where the pen will write.
    void Rest() { MouseTo(ClientPoint(m_session.m_hView, 700, 500)); }
    HWND PanelButton(UINT nID) const { return CShellDriver::ButtonOf(m_pDriver->Panel(), nID); }
    // The pen-width popup once it has slid out to its full height and stopped, or null.
    HWND OpenedPopup() const {
        HWND hwndPopup = nullptr;
        RECT rc{}, rcLast{};
        const bool bOpen = WaitUntil(
            [&] {
                rcLast = rc;
                hwndPopup = m_pDriver->Popup();
                return hwndPopup && IsWindowVisible(hwndPopup) && GetWindowRect(hwndPopup, &rc) &&
                       rc.bottom - rc.top == 98 && EqualRect(&rc, &rcLast);
            },
            5000);
        return bOpen ? hwndPopup : nullptr;
    }

    CPenSession m_session;
    std::unique_ptr<CShellDriver> m_pDriver;
};
} // namespace

TEST_F(ShellClicks, ToolsWidthsAndColourBlocksShapeTheNextStrokes) {
    m_session.AddChapter(Row(100, 300, 60));
    m_session.AddChapter(Row(100, 300, 120));
    m_session.AddChapter(Row(100, 300, 180));
    m_session.AddChapter(Row(100, 300, 240));
    m_session.AddChapter(Around(80, 320, 120));
    Start();

    ClickPanel(176, 26);
    EXPECT_TRUE(m_pDriver->WaitForImage(PanelButton(kBrush), 206)) << "brush in its chosen look";
    Rest();
    ASSERT_TRUE(m_session.RunChapter(0));
    ClickPanel(225, 26);
    EXPECT_TRUE(m_pDriver->WaitForImage(PanelButton(kMarker), 201));
    Rest();
    ASSERT_TRUE(m_session.RunChapter(1));

    // The pencil's width button slides the popup up out of its top edge, without width 2.
    ClickPanel(121, 0);
    HWND hwndPopup = OpenedPopup();
    ASSERT_NE(hwndPopup, nullptr) << "the popup did not open to its full height";
    RECT rcPopup{}, rcAnchor{};
    GetWindowRect(hwndPopup, &rcPopup);
    GetWindowRect(PanelButton(kPencilWidth), &rcAnchor);
    EXPECT_EQ(rcPopup.left, rcAnchor.left);
    EXPECT_EQ(rcPopup.bottom, rcAnchor.top);
    EXPECT_EQ(rcPopup.right - rcPopup.left, 52);
    HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(hwndPopup, hRgn), ERROR) << "the popup has the shape of bitmap 384";
    DeleteObject(hRgn);
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(IsWindowVisible(GetDlgItem(hwndPopup, kFirstWidth + n - 1)) != FALSE, n != 2)
            << "width " << n;
    m_pDriver->ClickAt(hwndPopup, 6 + 10, 62 + 5);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(hwndPopup); }, 5000))
        << "choosing a width closes the popup";
    EXPECT_TRUE(m_pDriver->WaitForImage(PanelButton(kPencil), 204)) << "the width chose the pencil";
    Rest();
    ASSERT_TRUE(m_session.RunChapter(2));

    // A colour block makes the next stroke blue and shows in the pen colour swatch.
    ClickPanel(364 + 28 * 2, 33 - 5);
    EXPECT_TRUE(WaitUntil(
        [&] { return CShellDriver::PixelAt(m_pDriver->Panel(), 331, 49) == RGB(0, 0, 255); }, 5000))
        << "pen colour swatch";
    Rest();
    ASSERT_TRUE(m_session.RunChapter(3));

    ClickPanel(64, 14);
    EXPECT_TRUE(m_pDriver->WaitForImage(PanelButton(kEraser), 203));
    EXPECT_TRUE(m_pDriver->WaitForImage(PanelButton(kPencil), 159)) << "the pencil's usual look";
    Rest();
    ASSERT_TRUE(m_session.RunChapter(4));

    std::vector<SavedStroke> strokes;
    ASSERT_TRUE(m_session.SaveAndRead(strokes));
    ASSERT_EQ(strokes.size(), 3u) << "the eraser took the marker stroke";
    EXPECT_EQ(strokes[0].nTool, 3);
    EXPECT_EQ(strokes[0].weights.front(), 140) << "brush at width 2, pressure 700 of 1023";
    EXPECT_EQ(strokes[1].nTool, 2);
    EXPECT_EQ(strokes[1].weights.front(), 320) << "pencil at width 4";
    EXPECT_EQ(strokes[1].crColor, 0x800000u);
    EXPECT_EQ(strokes[2].nTool, 2);
    EXPECT_EQ(strokes[2].crColor, 0xFF0000u) << "colour block 2";
    EXPECT_EQ(strokes[2].points.front().y, 240);
}

namespace {
std::int32_t HeaderInt(const std::vector<std::uint8_t>& b, size_t nIndex) {
    std::uint32_t n = 0;
    for (size_t i = 0; i < 4 && 4 * nIndex + i < b.size(); ++i)
        n |= std::uint32_t(b[4 * nIndex + i]) << (8 * i);
    return static_cast<std::int32_t>(n);
}

constexpr COLORREF kLineColor = 11321541;

} // namespace

TEST_F(ShellClicks, SpacingZoomUndoRedoAndAddLineButtonsAct) {
    m_session.AddChapter(Row(100, 300, 300));
    m_session.AddChapter(Row(100, 300, 300));
    Start();
    auto lineAt = [&](int y) {
        return WaitUntil(
            [&] { return ColorDistance(m_session.ViewPixel(500, y), kLineColor) <= 12; }, 3000);
    };
    ASSERT_TRUE(lineAt(90)) << "ruled every 90 pixels at first";

    // Down arrow of the spacing bar: 90 to 40 in five steps, and no further.
    const POINT ptDown = ClientPoint(m_pDriver->Panel(), 303 + 7, 43 + 33 - 5);
    const POINT ptUp = ClientPoint(m_pDriver->Panel(), 303 + 7, 43 + 5);
    for (int i = 0; i < 6; ++i)
        MouseClick(ptDown);
    Rest();
    EXPECT_TRUE(lineAt(40)) << "ruled every 40 pixels";
    EXPECT_TRUE(lineAt(80));

    ASSERT_TRUE(m_session.RunChapter(0));
    // Once the note has ink the arrows do nothing.
    HWND hwndSpacing = GetDlgItem(m_pDriver->Panel(), 1056);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(hwndSpacing); }, 3000));
    MouseClick(ptUp);
    Rest();
    EXPECT_TRUE(lineAt(40)) << "the spacing of a written note stays";
    EXPECT_GT(ColorDistance(m_session.ViewPixel(500, 50), kLineColor), 12);

    ClickPanel(590, 31);
    Rest();
    ASSERT_TRUE(m_session.RunChapter(1));
    ClickPanel(622, 31);
    Rest();
    // Undo takes the stroke written at zoom 2 (page row 150) away, Redo brings it back.
    ASSERT_TRUE(m_session.WaitForPixel(100, 150, 0x800000, 60));
    ClickPanel(530, 31);
    Rest();
    EXPECT_TRUE(WaitUntil(
        [&] { return ColorDistance(m_session.ViewPixel(100, 150), kPaperColor) <= 8; }, 3000))
        << "undone";
    ClickPanel(560, 31);
    Rest();
    EXPECT_TRUE(m_session.WaitForPixel(100, 150, 0x800000, 60)) << "redone";
    ClickPanel(746, 31);
    Rest();

    std::vector<SavedStroke> strokes;
    ASSERT_TRUE(m_session.SaveAndRead(strokes));
    const std::vector<std::uint8_t>& b = m_session.m_savedBytes;
    EXPECT_EQ(HeaderInt(b, 2), 40) << "line height";
    EXPECT_EQ(HeaderInt(b, 6), 2560 + 2 * 1280) << "Add Line made the page longer";
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_EQ(strokes[0].points.front().y, 300);
    EXPECT_EQ(strokes[1].points.front().x, 50) << "written at zoom 2";
    EXPECT_EQ(strokes[1].points.front().y, 150);
}

TEST_F(ShellClicks, DoubleClickedBlockTakesTheChosenColourAndKeepsItAfterTheProgramEnds) {
    m_session.AddChapter(Row(100, 300, 60));
    Start();
    // Black, block 5, becomes RGB 12, 34, 56 in the colour dialog.
    const RECT rcBlock = {364 + 28 * 5, 33, 364 + 28 * 5 + 15, 33 + 15};
    MouseDoubleClick(ClientPoint(m_pDriver->Panel(), rcBlock.left + 7, rcBlock.top + 7));
    HWND hwndColor = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            hwndColor = m_pDriver->DialogWithChild(706);
            return hwndColor && IsWindowVisible(hwndColor);
        },
        5000))
        << "the colour dialog";
    const wchar_t* values[3] = {L"12", L"34", L"56"};
    for (int i = 0; i < 3; ++i)
        SendMessageW(GetDlgItem(hwndColor, 706 + i), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(values[i]));
    HWND hwndOk = GetDlgItem(hwndColor, IDOK);
    RECT rcOk{};
    GetWindowRect(hwndOk, &rcOk);
    MouseClick({(rcOk.left + rcOk.right) / 2, (rcOk.top + rcOk.bottom) / 2});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(hwndColor); }, 5000));
    const COLORREF crChosen = RGB(12, 34, 56);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return CShellDriver::PixelAt(m_pDriver->Panel(), rcBlock.left + 7, rcBlock.top + 7) ==
                   crChosen;
        },
        3000))
        << "the block shows its new colour";
    EXPECT_EQ(CShellDriver::PixelAt(m_pDriver->Panel(), 331, 49), crChosen) << "pen swatch";
    Rest();
    ASSERT_TRUE(m_session.RunChapter(0));
    std::vector<SavedStroke> strokes;
    ASSERT_TRUE(m_session.SaveAndRead(strokes));
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0].crColor, crChosen);

    PostMessageW(m_session.m_hFrame, WM_CLOSE, 0, 0);
    ASSERT_EQ(m_session.m_program.WaitForExit(20000), 0);
    const std::wstring strIni = m_session.m_folder / L"ZLNKVO.ini";
    EXPECT_EQ(GetPrivateProfileIntW(L"COLOR", L"COLORBLOCK5", -1, strIni.c_str()), 3678732)
        << "RGB 12, 34, 56 as decimal";
    EXPECT_EQ(GetPrivateProfileIntW(L"COLOR", L"PENCOLOR", -1, strIni.c_str()), 3678732);
    EXPECT_EQ(GetPrivateProfileIntW(L"COLOR", L"COLORBLOCK4", -1, strIni.c_str()), 16711935);
}

namespace {
// The pixels of a part of a window's client area.
std::vector<COLORREF> PixelsOf(HWND hwnd, const RECT& rc) {
    RECT rcClient{};
    GetClientRect(hwnd, &rcClient);
    const std::vector<COLORREF> all = WindowPixels(hwnd);
    std::vector<COLORREF> part;
    for (LONG y = rc.top; y < rc.bottom; ++y)
        for (LONG x = rc.left; x < rc.right; ++x)
            part.push_back(all.at(static_cast<size_t>(y * rcClient.right + x)));
    return part;
}
} // namespace

// The Desktop button turns the window into the strip at the bottom-right corner; the strip's own
// buttons choose a tool and a width, and its Letter button brings the letter window back.
TEST_F(ShellClicks, DesktopStripButtonsChooseToolAndWidthAndLetterButtonReturns) {
    Start();
    HWND hwndFrame = m_session.m_hFrame;
    ClickBar(286, 2);
    ASSERT_TRUE(WaitUntil(
        [&] {
            RECT rc{};
            return GetWindowRect(hwndFrame, &rc) && rc.right - rc.left == 629 &&
                   rc.bottom - rc.top == 116 && IsWindowVisible(hwndFrame);
        },
        15000))
        << "the desktop strip, 629 x 116";
    RECT rcWork{}, rcStrip{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    GetWindowRect(hwndFrame, &rcStrip);
    EXPECT_EQ(rcStrip.right, rcWork.right);
    EXPECT_EQ(rcStrip.bottom, rcWork.bottom);
    EXPECT_FALSE(GetWindowLongW(hwndFrame, GWL_STYLE) & WS_CAPTION);
    ASSERT_TRUE(WaitUntil(
        [&] { return CShellDriver::RectIn(m_pDriver->Panel(), PanelButton(kBrush)).left == 132; },
        5000))
        << "the panel in its desktop layout, left "
        << CShellDriver::RectIn(m_pDriver->Panel(), PanelButton(kBrush)).left;

    // The brush's width on the tool bar, "2 " at 145, 11 until a width is chosen (read with the
    // pointer away from the buttons, so that no hover image or tip is in the picture).
    const RECT rcBrushWidth = {145, 11, 175, 31};
    Rest();
    const std::vector<COLORREF> widthBefore = PixelsOf(m_pDriver->Bar(), rcBrushWidth);
    ClickPanel(132, 2);
    EXPECT_TRUE(m_pDriver->WaitForImage(PanelButton(kBrush), 206)) << "brush chosen";
    ClickBar(125, 31);
    HWND hwndPopup = OpenedPopup();
    ASSERT_NE(hwndPopup, nullptr) << "the tool bar's width button opens the popup";
    RECT rcWidth4{};
    GetWindowRect(GetDlgItem(hwndPopup, kFirstWidth + 3), &rcWidth4);
    MouseClick({(rcWidth4.left + rcWidth4.right) / 2, (rcWidth4.top + rcWidth4.bottom) / 2});
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(hwndPopup); }, 5000));
    Rest();
    EXPECT_TRUE(
        WaitUntil([&] { return PixelsOf(m_pDriver->Bar(), rcBrushWidth) != widthBefore; }, 5000))
        << "the tool bar shows the new width";

    ClickBar(527, 5);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return (GetWindowLongW(hwndFrame, GWL_STYLE) & WS_CAPTION) == WS_CAPTION &&
                   IsZoomed(hwndFrame);
        },
        15000))
        << "the letter window again";
    EXPECT_TRUE(WaitUntil(
        [&] { return CShellDriver::RectIn(m_pDriver->Panel(), PanelButton(kBrush)).left == 176; },
        5000))
        << "the panel in its letter layout";
}
