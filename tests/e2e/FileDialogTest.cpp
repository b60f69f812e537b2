#include <gtest/gtest.h>

#include "NoteBytes.h"
#include "ProgramRunner.h"
#include "UserInput.h"

namespace {
constexpr DWORD kTimeout = 30000;

class SaveThroughDialog : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InstallProgram(m_folder.Path())); }
    CTestFolder m_folder;
};
} // namespace

TEST_F(SaveThroughDialog, OpenedNoteSavedUnderANewNameKeepsItsBytes) {
    const std::wstring strNote = m_folder / L"original.Qzn";
    std::vector<std::size_t> padding;
    const auto bytes = MakeNoteBytesWithPicture(40, 300, 700, 520, 37, padding);
    ASSERT_TRUE(CTestFolder::WriteBytes(strNote, bytes));

    CProgram program;
    ASSERT_TRUE(program.Start(m_folder.Path(), L"\"" + strNote + L"\""));
    HWND hwnd = program.WaitForWindow(L"LETTER", kTimeout);
    ASSERT_NE(hwnd, nullptr);
    ASSERT_EQ(WindowText(hwnd), L"original.Qzn - Quillet");

    // Ctrl+S through the program's accelerators opens the save dialog.
    SetForegroundWindow(hwnd);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == hwnd; }, 5000));
    PressCtrlKey('S');
    HWND hwndDialog = program.WaitForWindow(L"#32770", kTimeout);
    ASSERT_NE(hwndDialog, nullptr) << "no save dialog";
    HWND hwndEdit = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (hwndEdit = FileNameEdit(hwndDialog)) != nullptr; }, 5000));
    EXPECT_NE(WindowText(hwndEdit).find(L"original.Qzn"), std::wstring::npos)
        << "the dialog starts at the note's own name";

    const std::wstring strCopy = m_folder / L"copy of note.Qzn";
    SendMessageW(hwndEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strCopy.c_str()));
    PostMessageW(hwndDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hwndDialog, IDOK)));
    ASSERT_TRUE(
        WaitUntil([&] { return WindowText(hwnd) == L"copy of note.Qzn - Quillet"; }, kTimeout))
        << "title is " << testing::PrintToString(WindowText(hwnd));
    // The same bytes, except that the padding of the picture's pixel rows carries no meaning.
    auto copy = CTestFolder::ReadBytes(strCopy);
    ASSERT_EQ(copy.size(), bytes.size());
    for (std::size_t n : padding)
        copy[n] = 0xAB;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        ASSERT_EQ(copy[i], bytes[i]) << "byte " << i << " of " << bytes.size();
    EXPECT_EQ(CTestFolder::ReadBytes(strNote), bytes) << "the original stays as it was";

    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(kTimeout), 0) << "an unmodified note closes without asking";
}
