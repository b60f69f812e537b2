// Capture Screen end to end: the real program's panel button opens the capture dialog above it
// in place of the main window; Cancel, and closing the program, bring the window back; Start
// freezes the screen, the virtual tablet drags the area, and the note's new picture is exactly
// that area of the screen.
#include <gtest/gtest.h>

#include <memory>

#include "ColourWindow.h"
#include "DibCanvas.h"
#include "ModesSession.h"

namespace {
constexpr RECT kArea{420, 250, 580, 330};

// The tablet's drag from the area's top-left to its bottom-right: the first ten packets after
// Start are ignored, the next one starts the area, and one 200 ms later moves its corner.
std::string AreaDrag(const RECT& rc) {
    const std::string strFrom = std::to_string(rc.left) + " " + std::to_string(rc.top);
    const std::string strTo = std::to_string(rc.right) + " " + std::to_string(rc.bottom);
    std::string str = "origin screen\ndown " + strFrom + " 700\n";
    for (int i = 0; i < 10; ++i)
        str += "move " + strFrom + " 700\n";
    return str + "wait 200\nmove " + strTo + " 700\nup " + strTo + "\n";
}

class CaptureE2E : public testing::Test {
protected:
    // The main window and the dialog hide several times: a managed window's every hide would
    // wait two seconds for the window manager that the test display lacks.
    void SetUp() override { SetProgramWindowsManaged(false); }
    void TearDown() override { SetProgramWindowsManaged(true); }

    // Clicks the panel's Capture Screen button and returns the capture dialog once it shows.
    HWND OpenDialog() {
        ClickBarPlace(PanelOf(m_session.m_hFrame), LetterPanel::kCapture);
        HWND hDialog = nullptr;
        WaitUntil([&] { return (hDialog = m_session.m_program.FindWindowOfClass(L"#32770")); },
                  5000);
        return hDialog;
    }
    // A real click in the middle of one of the dialog's buttons.
    static void ClickButton(HWND hDialog, int nID) {
        RECT rc{};
        GetWindowRect(GetDlgItem(hDialog, nID), &rc);
        MouseClick({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    }

    CModesSession m_session;
};
} // namespace

TEST_F(CaptureE2E, TheDialogStandsOverThePanelButtonAndStartMakesTheDraggedAreaThePicture) {
    m_session.AddChapter(AreaDrag(kArea));
    // Three colour windows: the area takes a red half and a green and a blue quarter.
    CColourWindow red({300, 200, 500, 400}, RGB(200, 30, 30));
    CColourWindow green({500, 200, 700, 290}, RGB(40, 200, 90));
    CColourWindow blue({500, 290, 700, 400}, RGB(30, 60, 220));
    ASSERT_TRUE(m_session.Start(kVirtualTabletOrder));
    for (HWND hwnd : {red.m_hWnd, green.m_hWnd, blue.m_hWnd})
        SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_TRUE(WaitUntil([] { return ScreenPixel({450, 380}) == RGB(200, 30, 30); }, 5000));
    const std::unique_ptr<CDibCanvas> pScreen = CDibCanvas::FromScreen(kArea);

    HWND hDialog = OpenDialog();
    ASSERT_NE(hDialog, nullptr) << m_session.InputState();
    EXPECT_FALSE(IsWindowVisible(m_session.m_hFrame)) << "the dialog takes the window's place";
    RECT rcButton{}, rcDialog{};
    GetWindowRect(GetDlgItem(PanelOf(m_session.m_hFrame), 1078), &rcButton);
    GetWindowRect(hDialog, &rcDialog);
    EXPECT_EQ(rcDialog.left, rcButton.left - 63);
    EXPECT_EQ(rcDialog.bottom, rcButton.top);
    EXPECT_EQ(rcDialog.right - rcDialog.left, 192) << "the face's size";
    EXPECT_EQ(rcDialog.bottom - rcDialog.top, 60);
    EXPECT_TRUE(GetWindowLongW(hDialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // Round ends: the corners are cut off, the middle and the ends' middles are not.
    HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(hDialog, hRgn), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(hRgn, 3, 3));
    EXPECT_FALSE(PtInRegion(hRgn, 188, 56));
    EXPECT_TRUE(PtInRegion(hRgn, 96, 30));
    EXPECT_TRUE(PtInRegion(hRgn, 1, 30));
    DeleteObject(hRgn);

    ClickButton(hDialog, IDCANCEL);
    EXPECT_TRUE(WaitUntil(
        [&] { return IsWindowVisible(m_session.m_hFrame) && !IsWindowVisible(hDialog); }, 5000))
        << "Cancel brings the window back in place of the dialog";

    ASSERT_EQ(OpenDialog(), hDialog) << m_session.InputState();
    ClickButton(hDialog, 1119);
    ASSERT_TRUE(m_session.WaitForOverlay(kOverlay, true)) << m_session.InputState();
    EXPECT_FALSE(IsWindowVisible(hDialog));
    ASSERT_TRUE(m_session.RunChapter(0));
    ASSERT_TRUE(m_session.WaitForOverlay(kOverlay, false));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(m_session.m_hFrame) != FALSE; }, 5000));

    // Closing the program while the dialog is up: the window comes back with its question about
    // the note, which Esc answers with Cancel.
    ASSERT_EQ(OpenDialog(), hDialog) << m_session.InputState();
    PostMessageW(m_session.m_hFrame, WM_CLOSE, 0, 0);
    HWND hBox = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            hBox = m_session.m_program.FindWindowOfClass(L"#32770");
            return hBox && hBox != hDialog;
        },
        5000))
        << m_session.InputState();
    EXPECT_TRUE(IsWindowVisible(m_session.m_hFrame)) << "the question's window shows";
    EXPECT_FALSE(IsWindowVisible(hDialog));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(hBox); }, 5000));

    std::vector<SavedStroke> strokes;
    ASSERT_TRUE(m_session.SaveAndRead(strokes));
    std::vector<SavedPicture> pictures;
    ASSERT_TRUE(ReadSavedPictures(m_session.m_savedBytes, pictures));
    ASSERT_EQ(pictures.size(), 1u);
    const SavedPicture& picture = pictures[0];
    const RECT rcExpected{0, 0, kArea.right - kArea.left, kArea.bottom - kArea.top};
    EXPECT_TRUE(EqualRect(&picture.rc, &rcExpected)) << "at the page's top-left corner";
    ASSERT_EQ(picture.cx, rcExpected.right);
    ASSERT_EQ(picture.cy, rcExpected.bottom);
    int nDifferent = 0;
    for (int y = 0; y < picture.cy; ++y)
        for (int x = 0; x < picture.cx; ++x)
            nDifferent += picture.pixels[size_t(y * picture.cx + x)] != pScreen->Pixel(x, y);
    EXPECT_EQ(nDifferent, 0) << "the picture is the screen's area, pixel for pixel";
    EXPECT_EQ(pScreen->Pixel(79, 0), RGB(200, 30, 30)) << "the screen had the three colours";
    EXPECT_EQ(pScreen->Pixel(80, 39), RGB(40, 200, 90));
    EXPECT_EQ(pScreen->Pixel(80, 40), RGB(30, 60, 220));
    m_session.m_program.Kill();
}
