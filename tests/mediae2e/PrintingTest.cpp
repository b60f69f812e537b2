// Printing end to end: the real KVOmail.exe prints through Wine's print system to its PostScript
// driver, into a file that Ghostscript renders; the pages are checked for their count, their
// bands and the ink where it was written.
#include <gtest/gtest.h>

#include "MediaNotes.h"
#include "Input.h"
#include "ProgramRunner.h"
#include "TestPrinter.h"

namespace {
constexpr DWORD kTimeout = 30000;
constexpr int kDpi = 20; // a letter page of 170 x 220 pixels
// Grey levels of the rendered pages: the printer's white paper, the note's paper colour
// (229, 226, 204 with its ruled lines), and ink.
constexpr double kWhite = 250, kNotePaperMin = 195, kInkMax = 120;

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
            !WaitUntil([&] { return WindowText(hwnd) == L"note.Qzn - Quillet"; }, kTimeout))
            return {};
        SetForegroundWindow(hwnd);
        WaitUntil([&] { return GetForegroundWindow() == hwnd; }, 5000);
        PressCtrlKey('P');
        HWND hwndDialog = program.WaitForWindow(L"#32770", kTimeout);
        if (!hwndDialog)
            return {};
        PostMessageW(hwndDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hwndDialog, IDOK)));
        if (!WaitForPrintout(m_strOutput, kTimeout))
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
    EXPECT_LT(pages[0].Mean(0.2, 0.47, 0.8, 0.5), kInkMax) << "the stroke across the middle";
    EXPECT_GT(pages[0].Mean(0.2, 0.1, 0.8, 0.3), kNotePaperMin) << "paper above it";
}

TEST_F(Printing, AFourTimesTallPageGivesTwoPagesTheUpperHalfFirst) {
    const auto pages =
        PrintWithDialog(WriteNote(1024, 4096, {{100, 200, 400, 200}, {600, 3900, 900, 3900}}));
    ASSERT_EQ(pages.size(), 2u);
    // Page 1 holds rows 0 to 2047 of the note: the upper stroke near its top left.
    EXPECT_LT(pages[0].Mean(0.15, 0.085, 0.35, 0.11), kInkMax);
    EXPECT_GT(pages[0].Mean(0.62, 0.88, 0.85, 0.92), kNotePaperMin);
    // Page 2 holds rows 2048 to 4095: the lower stroke near its bottom right.
    EXPECT_LT(pages[1].Mean(0.62, 0.89, 0.85, 0.915), kInkMax);
    EXPECT_GT(pages[1].Mean(0.15, 0.085, 0.35, 0.11), kNotePaperMin);
}

// 768 x 3840 with bands of 1536 rows: three pages. The bands are counted from the page's bottom,
// so the first band reaches 768 rows above the page's top: that half of page 1 holds no row of
// the note and stays white, and its lower half shows the note's top 768 rows.
TEST_F(Printing, APageThatIsNotAWholeNumberOfBandsLeavesTheTopOfPageOneBlank) {
    const auto pages =
        PrintWithDialog(WriteNote(768, 3840, {{100, 300, 600, 300}, {100, 3700, 600, 3700}}));
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_GT(pages[0].Mean(0.05, 0.02, 0.95, 0.48), kWhite) << "nothing above the page";
    EXPECT_GT(pages[0].Mean(0.05, 0.52, 0.95, 0.65), kNotePaperMin);
    EXPECT_LT(pages[0].Mean(0.05, 0.52, 0.95, 0.65), kWhite) << "the note's paper";
    // Row 300 lies 300 of 1536 rows below the middle of page 1.
    EXPECT_LT(pages[0].Mean(0.2, 0.685, 0.7, 0.705), kInkMax);
    // Rows 768 to 2303 on page 2, 2304 to 3839 on page 3 with row 3700 near its bottom.
    EXPECT_GT(pages[1].Mean(0.05, 0.02, 0.95, 0.98), kNotePaperMin);
    EXPECT_LT(pages[2].Mean(0.2, 0.9, 0.7, 0.915), kInkMax);
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
    EXPECT_LT(pages[0].Mean(0.15, 0.085, 0.35, 0.11), kInkMax);
    EXPECT_EQ(GetFileAttributesW(m_strOutput.c_str()), INVALID_FILE_ATTRIBUTES)
        << "nothing went to the default printer";
}
