// Desktop mode's mail and printing end to end, in one run of the real KVOmail.exe: the virtual
// tablet writes over the frozen desktop, Ctrl+M mails the written area through the stand-in
// MAPI32.DLL, and Ctrl+P prints the frozen desktop with the ink through Wine's PostScript driver,
// once, however many bands the note's page has.
#include <gtest/gtest.h>

#include "ColourWindow.h"
#include "GdiObjects.h"
#include "Input.h"
#include "MailRecords.h"
#include "PenSession.h"
#include "TestPrinter.h"
#include "kvofunc.h"

namespace {
constexpr COLORREF kGreen = RGB(20, 180, 60);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr RECT kGround = {200, 200, 500, 400};
constexpr int kDpi = 100;

// The printer's page in its device units: the printable area's place and size on the sheet.
struct CPrinterPage {
    POINT ptOffset;
    SIZE sizePrintable;
    SIZE sizeSheet;
};

CPrinterPage PrinterPage(const std::wstring& strPrinter) {
    HDC hdc = CreateDCW(L"WINSPOOL", strPrinter.c_str(), nullptr, nullptr);
    CPrinterPage page{{GetDeviceCaps(hdc, PHYSICALOFFSETX), GetDeviceCaps(hdc, PHYSICALOFFSETY)},
                      {GetDeviceCaps(hdc, HORZRES), GetDeviceCaps(hdc, VERTRES)},
                      {GetDeviceCaps(hdc, PHYSICALWIDTH), GetDeviceCaps(hdc, PHYSICALHEIGHT)}};
    DeleteDC(hdc);
    return page;
}

class DesktopMedia : public ::testing::Test {
protected:
    void SetUp() override {
        m_strRecords = m_session.m_folder / L"mail";
        m_strOutput = m_session.m_folder / L"printout.ps";
        ASSERT_TRUE(CreateDirectoryW(m_strRecords.c_str(), nullptr));
        ASSERT_TRUE(InstallTestPrinter(L"Default", m_strOutput, true));
        SetEnvironmentVariableW(L"QUILLET_MAPI_FOLDER", m_strRecords.c_str());
        SetProgramDllOrder(L"mapi32", L"n");
    }
    void TearDown() override {
        SetProgramDllOrder(L"mapi32", nullptr);
        SetEnvironmentVariableW(L"QUILLET_MAPI_FOLDER", nullptr);
    }
    HWND Overlay() const { return m_session.m_program.FindWindowOfClass(L"Plovexa-L"); }
    // The program's strip and overlay are back over the desktop.
    bool DesktopShown() const {
        HWND hFrame = m_session.m_hFrame;
        return !IsIconic(hFrame) && IsWindowVisible(hFrame) && IsWindowVisible(Overlay()) &&
               (GetWindowLongW(hFrame, GWL_EXSTYLE) & WS_EX_TOPMOST);
    }
    void PressKeyOfProgram(char chKey) const {
        BringToFront(m_session.m_hFrame);
        PressCtrlKey(chKey);
    }

    CPenSession m_session{L"desk.Qzn"};
    std::wstring m_strRecords, m_strOutput;
};

} // namespace

TEST_F(DesktopMedia, TheWrittenDesktopIsMailedAndPrintedWithTheFrozenScreenAndTheInk) {
    ASSERT_TRUE(CopyFileW(BinFile(L"mapi32a.dll").c_str(),
                          (m_session.m_folder / L"MAPI32.DLL").c_str(), FALSE));
    m_session.AddChapter("origin screen\n" + HorizontalStroke(250, 450, 300, 20));
    m_session.AddChapter("origin screen\n" + HorizontalStroke(250, 450, 350, 20));
    m_session.m_sizePage = {1280, 6000}; // three bands in letter mode
    ASSERT_TRUE(m_session.Start(kVirtualTabletOrder));
    // Made after the program's window, the ground lies above it on the display too.
    // A titled ground: the mail area grows to the titled windows under the ink, so the
    // attachment is exactly this window.
    // An ordinary window: the mail client's end activates it.
    CColourWindow ground(kGround, kGreen, CColourWindow::kOrdinary, L"Ground");
    ASSERT_TRUE(ground.m_bShown);
    ClickBarPlace(ToolBarOf(m_session.m_hFrame), LetterToolBar::kDesktop);
    ASSERT_TRUE(WaitUntil([&] { return DesktopShown(); }, kTimeout));
    // The desktop is frozen now: what the ground shows later is not what the ink was written on.
    ground.Repaint(kGrey);
    ASSERT_TRUE(m_session.RunChapter(0));

    PressKeyOfProgram('M');
    const std::wstring strRecord = m_strRecords + L"\\call1.txt";
    ASSERT_TRUE(WaitUntil([&] { return !CTestFolder::ReadBytes(strRecord).empty(); }, kTimeout));
    auto record = ReadMailRecord(strRecord);
    EXPECT_EQ(record["name"], "Quillet.jpg");
    EXPECT_EQ(record["result"], "0");
    // While the mail client runs the screen shows the other programs, and the pen is free.
    EXPECT_EQ(record["windows"], "LETTER(minimised)");
    EXPECT_EQ(record["tablet"], "0");
    int cx = 0, cy = 0;
    COwnedBitmap picture(
        CreateBitmapFromFileW((m_strRecords + L"\\call1-attachment1.bin").c_str(), &cx, &cy));
    ASSERT_TRUE(picture);
    EXPECT_EQ(cx, kGround.right - kGround.left) << "the ink's area grown to the window under it";
    EXPECT_EQ(cy, kGround.bottom - kGround.top);
    {
        CMemoryDC dc;
        CSelectScope select(dc.Get(), picture.Get());
        EXPECT_LE(ColorDistance(GetPixel(dc.Get(), 150, 100), kPenColor), 70) << "the ink";
        const COLORREF crGround = GetPixel(dc.Get(), 150, 160);
        EXPECT_LE(ColorDistance(crGround, kGreen), 40)
            << "the frozen screen, not " << std::hex << crGround;
    }

    // Afterwards the strip, the overlay and the pen are back: a second stroke lands.
    // Where the display server files the pen's events under the window on top, the first
    // packet may come only once the mail command has ended.
    ASSERT_TRUE(WaitUntil([&] { return DesktopShown(); }, kTimeout));
    WaitUntilHandled(m_session.m_hFrame);
    ASSERT_TRUE(m_session.RunChapter(1));

    ASSERT_TRUE(PrintThroughDialog(m_session.m_program, m_session.m_hFrame, m_strOutput));
    const auto pages = RenderPrintout(m_strOutput, kDpi);
    ASSERT_EQ(pages.size(), 1u) << "the frozen screen once";
    const CPrintedPage& printed = pages[0];
    // Device units on the sheet to rendered pixels; the desktop spans the printable width, 200
    // units below the printable area's top.
    const CPrinterPage page = PrinterPage(TestPrinterName(L"Default"));
    const double fScale = double(printed.nWidth) / page.sizeSheet.cx;
    const double fScreen = double(page.sizePrintable.cx) / GetSystemMetrics(SM_CXSCREEN);
    const auto At = [&](int xScreen, int yScreen) {
        return printed.At(int((page.ptOffset.x + xScreen * fScreen) * fScale),
                          int((page.ptOffset.y + 200 + yScreen * fScreen) * fScale));
    };
    const int yMarginBottom = int((page.ptOffset.y + 190) * fScale);
    EXPECT_GT(printed.At(printed.nWidth / 2, yMarginBottom), 250) << "the margin above the desktop";
    EXPECT_NEAR(At(350, 380), 156, 20) << "the frozen green window, as PostScript greys it";
    for (int y : {300, 350}) {
        int nDarkest = 255;
        for (int dy = -3; dy <= 3; ++dy)
            nDarkest = std::min<int>(nDarkest, At(350, y + dy));
        EXPECT_LT(nDarkest, 60) << "the stroke at y " << y;
    }
    m_session.m_program.Kill();
}
