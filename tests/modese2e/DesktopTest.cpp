// Desktop mode end to end: the real program switched from its letter window to the strip keeps
// the screen as it was, the virtual tablet writes over it, undo and redo take the stroke off and
// put it back, the saved note holds the stroke in screen pixels, and the mail picture (through
// the stand-in mail library) is the frozen screen with the ink.
#include <gtest/gtest.h>

#include <memory>

#include "ColourWindow.h"
#include "ModesSession.h"
#include "kvofunc.h"

namespace {
constexpr COLORREF kGreen = RGB(40, 200, 90);
constexpr RECT kGreenRect{300, 200, 700, 500};
constexpr POINT kFrom{350, 300}, kTo{650, 300};

bool WaitForScreen(POINT pt, COLORREF cr, int nTolerance) {
    return WaitUntil([&] { return ColorDistance(ScreenPixel(pt), cr) <= nTolerance; }, 5000);
}

// The colour of a picture file's pixel, as the image library reads it back.
COLORREF FilePixel(const std::wstring& strPath, int x, int y) {
    int cx = 0, cy = 0;
    HBITMAP hbm = CreateBitmapFromFileW(strPath.c_str(), &cx, &cy);
    if (!hbm)
        return CLR_INVALID;
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    const COLORREF cr = GetPixel(hdc, x, y);
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    DeleteObject(hbm);
    return cr;
}

class Desktop : public testing::Test {
protected:
    void SetUp() override {
        m_strMail = m_session.m_folder / L"mail";
        ASSERT_TRUE(CreateDirectoryW(m_strMail.c_str(), nullptr));
        ASSERT_TRUE(CopyFileW((BinaryFolder() + L"\\mapi32a.dll").c_str(),
                              (m_session.m_folder / L"MAPI32.DLL").c_str(), FALSE));
        SetEnvironmentVariableW(L"QUILLET_MAPI_FOLDER", m_strMail.c_str());
        SetProgramDllOrder(L"mapi32", L"n");
    }
    void TearDown() override {
        SetProgramDllOrder(L"mapi32", nullptr);
        SetEnvironmentVariableW(L"QUILLET_MAPI_FOLDER", nullptr);
    }

    CModesSession m_session;
    std::wstring m_strMail;
};
} // namespace

TEST_F(Desktop, TheFrozenScreenTakesTheInkItsUndoRedoTheSavedNoteAndTheMailPicture) {
    m_session.AddChapter(ScreenStroke(kFrom, kTo, 10));
    auto pGreen = std::make_unique<CColourWindow>(kGreenRect, kGreen);
    ASSERT_TRUE(m_session.Start(kVirtualTabletOrder));
    SetWindowPos(pGreen->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_TRUE(WaitForScreen({500, 350}, kGreen, 0));

    m_session.ClickToolBar(LetterToolBar::kDesktop);
    ASSERT_TRUE(m_session.WaitForOverlay(kOverlay, true));
    // The green window goes; the frozen screen keeps it.
    pGreen.reset();
    EXPECT_TRUE(WaitForScreen({500, 350}, kGreen, 0));
    EXPECT_TRUE(WaitForScreen({kGreenRect.left + 2, kGreenRect.bottom - 2}, kGreen, 0));

    ASSERT_TRUE(m_session.RunChapter(0));
    EXPECT_TRUE(WaitForScreen({500, 300}, kPenColor, 60)) << "the stroke on the frozen screen";
    EXPECT_TRUE(WaitForScreen({500, 330}, kGreen, 0));
    m_session.ClickStripPanel(StripPanel::kUndo);
    EXPECT_TRUE(WaitForScreen({500, 300}, kGreen, 0)) << "undo gives back the frozen screen";
    m_session.ClickStripPanel(StripPanel::kRedo);
    EXPECT_TRUE(WaitForScreen({500, 300}, kPenColor, 60)) << "redo draws the stroke again";

    std::vector<SavedStroke> strokes;
    ASSERT_TRUE(m_session.SaveAndRead(strokes, DesktopToolBar::kSave));
    ASSERT_EQ(strokes.size(), 1u);
    ASSERT_EQ(strokes[0].points.size(), 11u);
    EXPECT_EQ(strokes[0].points.front().x, kFrom.x) << "screen pixels";
    EXPECT_EQ(strokes[0].points.front().y, kFrom.y);
    EXPECT_EQ(strokes[0].points.back().x, kTo.x);
    EXPECT_TRUE(WaitForScreen({500, 300}, kPenColor, 60)) << "the overlay is back after saving";

    // The mail picture: the frozen screen around the ink (its bounds and 5 pixels), the ink on it.
    m_session.ClickToolBar(DesktopToolBar::kMail);
    const std::wstring strJpeg = m_strMail + L"\\call1-attachment1.bin";
    ASSERT_TRUE(WaitUntil([&] { return !CTestFolder::ReadBytes(strJpeg).empty(); }, 15000));
    const POINT ptInk{500 - (kFrom.x - 5), 5}, ptGround{500 - (kFrom.x - 5), 0};
    EXPECT_LE(ColorDistance(FilePixel(strJpeg, ptInk.x, ptInk.y), kPenColor), 60);
    EXPECT_LE(ColorDistance(FilePixel(strJpeg, ptGround.x, ptGround.y), kGreen), 40);
    m_session.m_program.Kill();
}
