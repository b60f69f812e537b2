// Printing end to end: the real KVOmail.exe prints through Wine's print system to its PostScript
// driver, into a file that Ghostscript renders; the pages are checked for their count, their
// bands, the ink where it was written and the shape of handwriting on paper.
#include <gtest/gtest.h>

#include <cmath>

#include "Input.h"
#include "MediaNotes.h"
#include "PenSession.h"
#include "ProgramRunner.h"
#include "TestPrinter.h"

namespace {
constexpr int kDpi = 20; // a letter page of 170 x 220 pixels
// Grey levels of the rendered pages: the printer's white paper, the note's paper colour
// (229, 226, 204 with its ruled lines), and ink.
constexpr double kWhite = 250, kNotePaperMin = 195, kInkMax = 120;

// The test printer's sheet is US Letter, 8.5 x 11 inches, all of it printable. A band of twice
// the page's width fills its height and half that across, in the middle: the fraction of the
// sheet's width where column x of a page nPageWidth pixels wide is printed.
double Across(int nPageWidth, int x) {
    constexpr double kBandAcross = 0.5 * 11 / 8.5;
    return 0.5 + (double(x) / nPageWidth - 0.5) * kBandAcross;
}

// Script lines of a pen stroke once round a circle, in nSteps moves at pressure 700.
std::string CircleStroke(POINT ptCentre, int nRadius, int nSteps) {
    const auto At = [&](int i) {
        const double fAngle = 2 * 3.14159265358979 * i / nSteps;
        return std::to_string(std::lround(ptCentre.x + nRadius * std::cos(fAngle))) + " " +
               std::to_string(std::lround(ptCentre.y + nRadius * std::sin(fAngle)));
    };
    std::string str = "down " + At(0) + " 700";
    for (int i = 1; i <= nSteps; ++i)
        str += "\nmove " + At(i) + " 700";
    return str + "\nup " + At(nSteps);
}

class Printing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InstallProgram(m_folder.Path()));
        m_strOutput = m_folder / L"printout.ps";
        ASSERT_TRUE(InstallTestPrinter(L"Default", m_strOutput, true));
    }
    std::wstring WriteNote(int w, int h, const std::vector<CLineSpec>& lines) {
        const std::wstring strNote = m_folder / L"note.Qzn";
        EXPECT_TRUE(CTestFolder::WriteBytes(strNote, NoteWithStrokes(w, h, lines)));
        return strNote;
    }
    // Opens the note, prints it with Ctrl+P and OK in the print dialog, and renders the pages.
    std::vector<CPrintedPage> PrintWithDialog(const std::wstring& strNote) {
        CProgram program;
        if (!program.Start(m_folder.Path(), L"\"" + strNote + L"\""))
            return {};
        HWND hwnd = program.WaitForWindow(L"LETTER", kTimeout);
        if (!hwnd ||
            !WaitUntil([&] { return WindowText(hwnd) == L"note.Qzn - Quillet"; }, kTimeout) ||
            !PrintThroughDialog(program, hwnd, m_strOutput))
            return {};
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
        program.WaitForExit(kTimeout);
        return RenderPrintout(m_strOutput, kDpi);
    }

    CTestFolder m_folder;
    std::wstring m_strOutput;
};

} // namespace

TEST_F(Printing, APageOfTwiceItsWidthPrintsOnOnePage) {
    const auto pages = PrintWithDialog(WriteNote(1024, 2048, {{100, 1000, 900, 1000}}));
    ASSERT_EQ(pages.size(), 1u);
    const double fLeft = Across(1024, 0), fRight = Across(1024, 1024);
    EXPECT_LT(pages[0].Mean(Across(1024, 200), 0.47, Across(1024, 800), 0.5), kInkMax)
        << "the stroke across the middle";
    EXPECT_GT(pages[0].Mean(fLeft + 0.01, 0.1, fRight - 0.01, 0.3), kNotePaperMin)
        << "paper above it";
    EXPECT_LT(pages[0].Mean(fLeft + 0.01, 0.1, fRight - 0.01, 0.3), kWhite) << "the note's paper";
    EXPECT_GT(pages[0].Mean(0, 0, fLeft - 0.01, 1), kWhite) << "the sheet left of the band";
    EXPECT_GT(pages[0].Mean(fRight + 0.01, 0, 1, 1), kWhite) << "the sheet right of the band";
}

TEST_F(Printing, AFourTimesTallPageGivesTwoPagesTheUpperHalfFirst) {
    const auto pages =
        PrintWithDialog(WriteNote(1024, 4096, {{100, 200, 400, 200}, {600, 3900, 900, 3900}}));
    ASSERT_EQ(pages.size(), 2u);
    // Page 1 holds rows 0 to 2047 of the note: the upper stroke near its top left.
    const double fUpperLeft = Across(1024, 150), fUpperRight = Across(1024, 350);
    const double fLowerLeft = Across(1024, 640), fLowerRight = Across(1024, 870);
    EXPECT_LT(pages[0].Mean(fUpperLeft, 0.085, fUpperRight, 0.11), kInkMax);
    EXPECT_GT(pages[0].Mean(fLowerLeft, 0.88, fLowerRight, 0.92), kNotePaperMin);
    // Page 2 holds rows 2048 to 4095: the lower stroke near its bottom right.
    EXPECT_LT(pages[1].Mean(fLowerLeft, 0.89, fLowerRight, 0.915), kInkMax);
    EXPECT_GT(pages[1].Mean(fUpperLeft, 0.085, fUpperRight, 0.11), kNotePaperMin);
}

// 768 x 3840 with bands of 1536 rows: three pages. The bands are counted from the page's bottom,
// so the first band reaches 768 rows above the page's top: that half of page 1 holds no row of
// the note and stays white, and its lower half shows the note's top 768 rows.
TEST_F(Printing, APageThatIsNotAWholeNumberOfBandsLeavesTheTopOfPageOneBlank) {
    const auto pages =
        PrintWithDialog(WriteNote(768, 3840, {{100, 300, 600, 300}, {100, 3700, 600, 3700}}));
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_GT(pages[0].Mean(0.05, 0.02, 0.95, 0.48), kWhite) << "nothing above the page";
    const double fLeft = Across(768, 40), fRight = Across(768, 728);
    const double fInkLeft = Across(768, 150), fInkRight = Across(768, 540);
    EXPECT_GT(pages[0].Mean(fLeft, 0.52, fRight, 0.65), kNotePaperMin);
    EXPECT_LT(pages[0].Mean(fLeft, 0.52, fRight, 0.65), kWhite) << "the note's paper";
    // Row 300 lies 300 of 1536 rows below the middle of page 1.
    EXPECT_LT(pages[0].Mean(fInkLeft, 0.685, fInkRight, 0.705), kInkMax);
    // Rows 768 to 2303 on page 2, 2304 to 3839 on page 3 with row 3700 near its bottom.
    EXPECT_GT(pages[1].Mean(fLeft, 0.02, fRight, 0.98), kNotePaperMin);
    EXPECT_LT(pages[2].Mean(fInkLeft, 0.9, fInkRight, 0.915), kInkMax);
}

// The shell's print verbs: /p prints the named note on the default printer, /pt on the printer
// named after it; then the program ends.
TEST_F(Printing, ThePrintVerbsPrintTheNamedNoteAndEnd) {
    const std::wstring strNote = WriteNote(1024, 4096, {{100, 200, 400, 200}});
    {
        CProgram program;
        ASSERT_TRUE(program.Start(m_folder.Path(), L"/p \"" + strNote + L"\""));
        EXPECT_EQ(program.WaitForExit(kTimeout), 0);
    }
    ASSERT_TRUE(WaitForPrintout(m_strOutput, kTimeout));
    EXPECT_EQ(RenderPrintout(m_strOutput, kDpi).size(), 2u);

    const std::wstring strOther = m_folder / L"other.ps";
    ASSERT_TRUE(InstallTestPrinter(L"Other", strOther, false));
    DeleteFileW(m_strOutput.c_str());
    {
        CProgram program;
        ASSERT_TRUE(program.Start(m_folder.Path(),
                                  L"/pt \"" + strNote + L"\" \"" + TestPrinterName(L"Other") +
                                      L"\" \"Wine PostScript Driver\" \"" + strOther + L"\""));
        EXPECT_EQ(program.WaitForExit(kTimeout), 0);
    }
    ASSERT_TRUE(WaitForPrintout(strOther, kTimeout));
    const auto pages = RenderPrintout(strOther, kDpi);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_LT(pages[0].Mean(Across(1024, 150), 0.085, Across(1024, 350), 0.11), kInkMax);
    EXPECT_EQ(GetFileAttributesW(m_strOutput.c_str()), INVALID_FILE_ATTRIBUTES)
        << "nothing went to the default printer";
}

// A circle written with the pen prints round: the band is scaled by one factor, and centred.
TEST(PrintingHandwriting, ACircleWrittenWithThePenPrintsRound) {
    CPenSession session(L"circle.Qzn");
    const std::wstring strOutput = session.m_folder / L"printout.ps";
    ASSERT_TRUE(InstallTestPrinter(L"Default", strOutput, true));
    constexpr POINT kCentre{400, 300};
    constexpr int kRadius = 150;
    session.AddChapter(CircleStroke(kCentre, kRadius, 90));
    ASSERT_TRUE(session.Start(kVirtualTabletOrder));
    ASSERT_TRUE(session.RunChapter(0));
    ASSERT_TRUE(PrintThroughDialog(session.m_program, session.m_hFrame, strOutput));
    constexpr int kCircleDpi = 150;
    const auto pages = RenderPrintout(strOutput, kCircleDpi);
    ASSERT_EQ(pages.size(), 1u) << "the session's page is twice as tall as wide";
    const RECT rcInk = pages[0].DarkerThan(kInkMax);
    const double fWide = rcInk.right - rcInk.left, fTall = rcInk.bottom - rcInk.top;
    // The page's 1280 columns span 11 / 2 inches of the sheet.
    EXPECT_NEAR(fWide, 2 * kRadius * 5.5 * kCircleDpi / 1280, 0.1 * fWide) << "the circle's size";
    EXPECT_NEAR(fWide / fTall, 1, 0.02) << fWide << " x " << fTall << " dots";
    EXPECT_NEAR((rcInk.left + rcInk.right) / 2.0 / pages[0].nWidth, Across(1280, kCentre.x), 0.01)
        << "where the circle lies across the sheet";
    session.m_program.Kill();
}
