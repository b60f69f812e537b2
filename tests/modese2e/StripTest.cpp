// The strip over the overlay end to end: after the pen has written on the frozen screen, the
// strip still shows in front of it, and the first click on its buttons acts, with the pointer
// brought onto the button and resting there as a hand does, whoever holds the mouse; back over
// the frozen screen, the pointer shows the tool again.
#include <gtest/gtest.h>

#include <memory>

#include "DibCanvas.h"
#include "ModesSession.h"

namespace {
constexpr POINT kFirst[2] = {{200, 300}, {500, 300}};
constexpr POINT kSecond[2] = {{200, 400}, {500, 400}};

std::string TwoStrokes() {
    return ScreenStroke(kFirst[0], kFirst[1], 10) + ScreenStroke(kSecond[0], kSecond[1], 10);
}

// The screen's pixels over a window.
std::unique_ptr<CDibCanvas> ScreenOf(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return CDibCanvas::FromScreen(rc);
}

int DifferentPixels(const CDibCanvas& a, const CDibCanvas& b) {
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            n += a.Pixel(x, y) != b.Pixel(x, y);
    return n;
}

// The pointer onto a bar's button at a place of the layout tables, resting there.
void RestOn(HWND hwndBar, POINT ptPlace) {
    MouseTo(ClientPoint(hwndBar, ptPlace.x + 10, ptPlace.y + 10));
    WaitUntil([] { return false; }, 700);
}

// A press and release of the mouse on the frozen screen, away from the ink, as the system makes
// of the pen's touch on a real tablet. A press raises the window it lands on before the window
// hears of it; the test display has no window manager to do that, so the overlay is raised here
// first, as the system would.
void PressOnTheScreen(HWND hwndOverlay) {
    SetWindowPos(hwndOverlay, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    MouseClick({700, 200});
}

// One press and release where the pointer rests, and the time for the program to handle it.
void PressHere(HWND hwndBar) {
    POINT pt{};
    GetCursorPos(&pt);
    MouseDown(pt);
    MouseUp(pt);
    WaitUntilHandled(hwndBar);
}
// The first chapter's strokes and a press on the frozen screen, with the pointer resting on the
// button at ptPlace of hwndRest before and after: the strip's tool bar shows as it did, and the
// button is pressed once.
void WriteThenPress(CModesSession& session, const wchar_t* pszOverlay, HWND hwndRest,
                    POINT ptPlace) {
    const HWND hwndBar = ToolBarOf(session.m_hFrame);
    RestOn(hwndRest, ptPlace);
    const std::unique_ptr<CDibCanvas> pBefore = ScreenOf(hwndBar);
    ASSERT_TRUE(session.RunChapter(0));
    PressOnTheScreen(session.Overlay(pszOverlay));
    RestOn(hwndRest, ptPlace);
    EXPECT_EQ(DifferentPixels(*pBefore, *ScreenOf(hwndBar)), 0)
        << "the strip's tool bar shows, not the overlay: " << session.InputState();
    PressHere(hwndRest);
}

// The cursor that the program's thread shows now (its thread holds the foreground).
HCURSOR ShownCursor() {
    CURSORINFO ci{sizeof ci};
    return GetCursorInfo(&ci) ? ci.hCursor : nullptr;
}
} // namespace

TEST(Strip, OnTheDesktopTheStripStaysInFrontOfTheInkAndOneClickChoosesTheBrush) {
    CModesSession session;
    session.AddChapter(TwoStrokes());
    session.AddChapter(ScreenStroke({200, 500}, {500, 500}, 10));
    ASSERT_TRUE(session.Start(kVirtualTabletOrder));
    session.ClickToolBar(LetterToolBar::kDesktop);
    ASSERT_TRUE(session.WaitForOverlay(L"Plovexa-L", true));
    WriteThenPress(session, L"Plovexa-L", PanelOf(session.m_hFrame), StripPanel::kBrush);
    ASSERT_TRUE(session.RunChapter(1));
    std::vector<SavedStroke> strokes;
    ASSERT_TRUE(session.SaveAndRead(strokes, DesktopToolBar::kSave));
    ASSERT_EQ(strokes.size(), 3u);
    EXPECT_EQ(strokes[1].nTool, 2);
    EXPECT_EQ(strokes[2].nTool, 3) << "the first click chose the brush";
    session.m_program.Kill();
}

TEST(Strip, InAnInkingRunTheStripStaysInFrontOfTheInkAndOneClickOnCancelEndsTheRun) {
    CModesSession session;
    session.AddChapter(TwoStrokes());
    ASSERT_TRUE(session.StartProgram(L"Inking", L"INKING", L"Scribola"));
    session.ClickToolBar(InkingToolBar::kStartWriting);
    ASSERT_TRUE(session.WaitForOverlay(L"Plovexa-I", true));
    WriteThenPress(session, L"Plovexa-I", ToolBarOf(session.m_hFrame), InkingToolBar::kCancel);
    EXPECT_TRUE(session.WaitForOverlay(L"Plovexa-I", false)) << session.InputState();
    session.m_program.Kill();
}

TEST(Strip, BackOverTheFrozenScreenFromTheStripThePointerShowsTheToolAgain) {
    CModesSession session;
    ASSERT_TRUE(session.Start(kVirtualTabletOrder));
    session.ClickToolBar(LetterToolBar::kDesktop);
    ASSERT_TRUE(session.WaitForOverlay(L"Plovexa-L", true));
    const HWND hwndOverlay = session.Overlay(L"Plovexa-L");
    MouseTo({700, 200});
    WaitUntilHandled(hwndOverlay);
    const HCURSOR hTool = ShownCursor();
    RestOn(PanelOf(session.m_hFrame), StripPanel::kBrush);
    ASSERT_NE(ShownCursor(), hTool) << "the strip shows its own cursor";
    MouseTo({700, 200});
    WaitUntilHandled(hwndOverlay);
    EXPECT_EQ(ShownCursor(), hTool) << session.InputState();
    session.m_program.Kill();
}
