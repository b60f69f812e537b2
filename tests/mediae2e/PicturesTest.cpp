// Pictures end to end: the real KVOmail.exe under Wine, pictures inserted through the file
// dialog, moved, resized and put behind with the real mouse and the picture menu, saved, and
// copied to the real clipboard, where a program outside Wine (xclip) reads the image.
#include <gtest/gtest.h>

#include <map>

#include "Input.h"
#include "MediaNotes.h"
#include "ProgramRunner.h"
#include "kvofunc.h"

namespace {

// A 24-bit bottom-up BMP of cx x cy: each pixel's colour is a function of its place, so that
// every stored byte can be checked.
std::vector<std::uint8_t> PatternBmp(int cx, int cy) {
    const int nStride = (cx * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> d;
    d.push_back('B');
    d.push_back('M');
    PutU32(d, static_cast<std::uint32_t>(54 + nStride * cy));
    PutU32(d, 0);
    PutU32(d, 54);
    for (std::uint32_t n : {40u, static_cast<std::uint32_t>(cx), static_cast<std::uint32_t>(cy)})
        PutU32(d, n);
    PutU16(d, 1);
    PutU16(d, 24);
    for (int i = 0; i < 6; ++i)
        PutU32(d, 0);
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            d.push_back(static_cast<std::uint8_t>(x * 3));
            d.push_back(static_cast<std::uint8_t>(y * 5));
            d.push_back(static_cast<std::uint8_t>(200 - x / 2));
        }
        d.resize(d.size() + static_cast<size_t>(nStride - cx * 3), 0);
    }
    return d;
}

// A JPEG of one flat colour, written by the image library.
bool WriteFlatJpeg(const std::wstring& strPath, int cx, int cy, COLORREF cr) {
    HDC hdc = CreateCompatibleDC(nullptr);
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, cy, 1, 32, BI_RGB};
    void* pv = nullptr;
    HBITMAP hbm = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &pv, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    HBRUSH hBrush = CreateSolidBrush(cr);
    const RECT rc{0, 0, cx, cy};
    FillRect(hdc, &rc, hBrush);
    DeleteObject(hBrush);
    const BOOL bOk = CreateAttachmentW(hdc, hbm, strPath.c_str(), 1, 0, 0);
    SelectObject(hdc, hOld);
    DeleteObject(hbm);
    DeleteDC(hdc);
    return bOk != FALSE;
}

struct CSavedPicture {
    int nWidth, nHeight;
    RECT rc;
    std::vector<std::uint8_t> rows;
};

// The pictures of a note file (after its strokes).
std::vector<CSavedPicture> ReadPictures(const std::vector<std::uint8_t>& b) {
    auto u32 = [&](size_t n) {
        return b[n] | b[n + 1] << 8 | b[n + 2] << 16 | static_cast<std::uint32_t>(b[n + 3]) << 24;
    };
    std::vector<CSavedPicture> pictures;
    size_t n = 28;
    const std::uint32_t nStrokes = u32(n);
    n += 4;
    for (std::uint32_t i = 0; i < nStrokes; ++i)
        n += 32 + 10 * u32(n);
    const std::uint32_t nCount = u32(n);
    n += 4;
    for (std::uint32_t i = 0; i < nCount && n + 28 <= b.size(); ++i) {
        CSavedPicture p;
        p.nHeight = static_cast<int>(u32(n));
        p.nWidth = static_cast<int>(u32(n + 4));
        p.rc = {static_cast<LONG>(u32(n + 8)), static_cast<LONG>(u32(n + 12)),
                static_cast<LONG>(u32(n + 16)), static_cast<LONG>(u32(n + 20))};
        const std::uint32_t nSize = u32(n + 24);
        n += 28;
        p.rows.assign(b.begin() + static_cast<long>(n), b.begin() + static_cast<long>(n + nSize));
        n += nSize;
        pictures.push_back(std::move(p));
    }
    return pictures;
}

class Pictures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InstallProgram(m_folder.Path()));
        const std::wstring strNote = m_folder / L"note.Qzn";
        ASSERT_TRUE(CTestFolder::WriteBytes(strNote, NoteWithStrokes(1024, 2048, {})));
        ASSERT_TRUE(m_program.Start(m_folder.Path(), L"\"" + strNote + L"\""));
        m_hwnd = m_program.WaitForWindow(L"LETTER", kTimeout);
        ASSERT_NE(m_hwnd, nullptr);
        ASSERT_TRUE(
            WaitUntil([&] { return WindowText(m_hwnd) == L"note.Qzn - Quillet"; }, kTimeout));
        m_hwndView = FindViewOf(m_hwnd);
        ASSERT_NE(m_hwndView, nullptr);
        // Without a window manager a maximised window is not quite where it is said to be.
        ShowWindow(m_hwnd, SW_RESTORE);
        SetWindowPos(m_hwnd, nullptr, 20, 20, 1100, 900, SWP_NOZORDER);
        ASSERT_TRUE(WaitForSteadyWindow(m_hwndView));
        BringToFront(m_hwnd);
    }
    // Inserts a picture through the panel's Insert Image button and the program's file dialog.
    void Insert(const std::wstring& strPath) {
        ClickBarPlace(PanelOf(m_hwnd), LetterPanel::kInsertImage);
        HWND hwndDialog = m_program.WaitForWindow(L"#32770", kTimeout);
        ASSERT_NE(hwndDialog, nullptr);
        ASSERT_TRUE(AnswerFileDialog(hwndDialog, strPath));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(hwndDialog); }, kTimeout));
    }
    CTestFolder m_folder;
    CProgram m_program;
    HWND m_hwnd = nullptr;
    HWND m_hwndView = nullptr;
};

} // namespace

TEST_F(Pictures, InsertMoveResizeSendBackBringToFrontAndSave) {
    const std::wstring strBmp = m_folder / L"pattern.bmp", strJpeg = m_folder / L"flat.jpg";
    const std::vector<std::uint8_t> bmp = PatternBmp(60, 40);
    ASSERT_TRUE(CTestFolder::WriteBytes(strBmp, bmp));
    ASSERT_TRUE(WriteFlatJpeg(strJpeg, 80, 50, RGB(30, 160, 40)));
    Insert(strBmp);
    ClickBarPlace(PanelOf(m_hwnd), LetterPanel::kPicture);
    // The BMP lies at (0, 0, 60, 40): drag it by its middle to (300, 200).
    MouseDrag(m_hwndView, {30, 20}, {330, 220});
    Insert(strJpeg);
    // The JPEG at (0, 0, 80, 50), on top: select it, then stretch it by its bottom-right handle
    // so that it reaches over the BMP.
    MouseClick(m_hwndView, {40, 25});
    MouseDrag(m_hwndView, {82, 52}, {320, 210});
    // Right click on the JPEG: the Picture menu; its second item puts the JPEG behind the BMP.
    MouseRightClick(m_hwndView, {100, 100});
    ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"#32768", nullptr) != nullptr; }, kTimeout));
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"#32768", nullptr) == nullptr; }, kTimeout));

    const std::wstring strSaved = m_folder / L"saved.Qzn";
    ASSERT_TRUE(SaveThroughDialog(m_program, m_hwnd, strSaved));
    const auto pictures = ReadPictures(CTestFolder::ReadBytes(strSaved));
    ASSERT_EQ(pictures.size(), 2u);
    // Back to front: the JPEG first now, stretched; the BMP moved, with its exact pixels.
    EXPECT_EQ(pictures[0].nWidth, 80);
    EXPECT_EQ(pictures[0].rc.left, 0);
    EXPECT_EQ(pictures[0].rc.top, 0);
    EXPECT_EQ(pictures[0].rc.right, 320);
    EXPECT_EQ(pictures[0].rc.bottom, 210);
    EXPECT_EQ(pictures[1].nWidth, 60);
    EXPECT_EQ(pictures[1].rc.left, 300);
    EXPECT_EQ(pictures[1].rc.top, 200);
    EXPECT_EQ(pictures[1].rc.right, 360);
    EXPECT_EQ(pictures[1].rc.bottom, 240);
    EXPECT_EQ(pictures[1].rows, std::vector<std::uint8_t>(bmp.begin() + 54, bmp.end()))
        << "the BMP's rows as they were in the file";

    // The menu's first item brings the JPEG to the front again.
    MouseRightClick(m_hwndView, {100, 100});
    ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"#32768", nullptr) != nullptr; }, kTimeout));
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"#32768", nullptr) == nullptr; }, kTimeout));
    const std::wstring strFront = m_folder / L"front.Qzn";
    ASSERT_TRUE(SaveThroughDialog(m_program, m_hwnd, strFront));
    const auto front = ReadPictures(CTestFolder::ReadBytes(strFront));
    ASSERT_EQ(front.size(), 2u);
    EXPECT_EQ(front[0].nWidth, 60) << "the BMP behind";
    EXPECT_EQ(front[1].nWidth, 80) << "the JPEG on top";
}

// Copy with the BMP selected: a program outside Wine reads it from the X11 clipboard.
TEST_F(Pictures, CopiedPictureArrivesOnTheRealClipboardAsAnImage) {
    const std::wstring strBmp = m_folder / L"pattern.bmp";
    const std::vector<std::uint8_t> bmp = PatternBmp(60, 40);
    ASSERT_TRUE(CTestFolder::WriteBytes(strBmp, bmp));
    Insert(strBmp);
    ClickBarPlace(PanelOf(m_hwnd), LetterPanel::kPicture);
    MouseClick(m_hwndView, {30, 20});
    BringToFront(m_hwnd);
    PressCtrlKey('C');
    std::string strTargets;
    ASSERT_TRUE(WaitUntil(
        [&] {
            strTargets = RunUnix("xclip -selection clipboard -t TARGETS -o");
            return strTargets.find("image/bmp") != std::string::npos;
        },
        kTimeout))
        << strTargets;
    const std::string strImage = RunUnix("xclip -selection clipboard -t image/bmp -o");
    const std::vector<std::uint8_t> got(strImage.begin(), strImage.end());
    ASSERT_GE(got.size(), 54u);
    ASSERT_EQ(got[0], 'B');
    auto i32 = [&](size_t n) {
        return static_cast<std::int32_t>(got[n] | got[n + 1] << 8 | got[n + 2] << 16 |
                                         static_cast<std::uint32_t>(got[n + 3]) << 24);
    };
    EXPECT_EQ(i32(18), 60) << "width";
    EXPECT_EQ(std::abs(i32(22)), 40) << "height";
    // The pixel at (10, 5) from the top: blue 30, green 170, red 195.
    const int nBits = got[28] | got[29] << 8;
    const size_t nOffset = static_cast<size_t>(i32(10));
    const int nStride = (60 * nBits / 8 + 3) / 4 * 4;
    const int nRow = i32(22) > 0 ? 40 - 1 - 5 : 5;
    const size_t n = nOffset + static_cast<size_t>(nRow) * nStride + 10 * (nBits / 8);
    ASSERT_LT(n + 2, got.size());
    EXPECT_EQ(got[n], 30);
    EXPECT_EQ(got[n + 1], 170) << "green: the stored row 34 from the bottom";
    EXPECT_EQ(got[n + 2], 195);
}
