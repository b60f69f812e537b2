#include <gtest/gtest.h>

#include "CommandLineInfo.h"
#include "Document.h"
#include "FileDialog.h"
#include "RecentFileList.h"
#include "ShellRegistration.h"
#include "StartKind.h"

namespace {
CCommandLineInfo Parse(const wchar_t* pszLine) {
    CCommandLineInfo info;
    info.ParseArgs(CCommandLineInfo::SplitCommandLine(pszLine));
    return info;
}

std::wstring RegValue(const std::wstring& strKey, const wchar_t* pszValue) {
    wchar_t sz[1024] = {};
    DWORD cb = sizeof(sz);
    if (RegGetValueW(HKEY_CURRENT_USER, strKey.c_str(), pszValue, RRF_RT_REG_SZ, nullptr, sz,
                     &cb) != ERROR_SUCCESS)
        return L"<missing>";
    return sz;
}
} // namespace

namespace {
EStartKind Kind(const wchar_t* pszLine, const wchar_t* pszProgram = L"") {
    return ClassifyStart(CCommandLineInfo::SplitCommandLine(pszLine, pszProgram));
}
} // namespace

TEST(StartKinds, TheWordsCountInTheArgumentsInAnyCaseNeverInTheProgramsPath) {
    EXPECT_EQ(Kind(L"KVOmail.exe"), EStartKind::Plain);
    EXPECT_EQ(Kind(L"KVOmail.exe LETTER"), EStartKind::Letter);
    EXPECT_EQ(Kind(L"KVOmail.exe letter"), EStartKind::Letter);
    EXPECT_EQ(Kind(L"C:\\Quillet\\KVOmail.exe Inking"), EStartKind::Inking);
    EXPECT_EQ(Kind(L"KVOmail.exe C:\\Temp\\jxm12.tmp.qzn"), EStartKind::Jxm);
    EXPECT_EQ(Kind(L"KVOmail.exe C:\\plain\\note.qzn"), EStartKind::Plain);
    // Letter and inking are whole arguments: a note in a folder named so is a plain start.
    EXPECT_EQ(Kind(L"KVOmail.exe C:\\notes\\myletters\\a.qzn"), EStartKind::Plain);
    EXPECT_EQ(Kind(L"KVOmail.exe \"C:\\Letter\\Inking\\a.qzn\""), EStartKind::Plain);
    EXPECT_EQ(Kind(L"\"C:\\Letters\\Inking Jxm\\KVOmail.exe\" C:\\a.qzn"), EStartKind::Plain);
    // A program path with blanks given without quotes is still the program's path.
    const wchar_t* pszProgram = L"C:\\Program Files\\Letter jxm\\KVOmail.exe";
    EXPECT_EQ(Kind(L"C:\\Program Files\\Letter jxm\\KVOmail.exe", pszProgram), EStartKind::Plain);
    EXPECT_EQ(Kind(L"c:\\program files\\letter jxm\\kvomail.exe Inking", pszProgram),
              EStartKind::Inking);
}

TEST(StartKinds, JxmComesBeforeLetterAndLetterBeforeInking) {
    EXPECT_EQ(Kind(L"x LETTER INKING"), EStartKind::Letter);
    EXPECT_EQ(Kind(L"x INKING LETTER"), EStartKind::Letter);
    EXPECT_EQ(Kind(L"x Inking Jxm Letter"), EStartKind::Jxm);
}

TEST(CommandLine, AProgramPathWithBlanksWithoutQuotesIsNotTakenForArguments) {
    const wchar_t* pszProgram = L"C:\\My Notes\\KVOmail.exe";
    CCommandLineInfo info;
    info.ParseArgs(CCommandLineInfo::SplitCommandLine(
        L"C:\\My Notes\\KVOmail.exe \"C:\\My Notes\\a.Qzn\"", pszProgram));
    EXPECT_EQ(info.m_strFileName, L"C:\\My Notes\\a.Qzn");
    EXPECT_TRUE(
        CCommandLineInfo::SplitCommandLine(L"C:\\My Notes\\KVOmail.exe", pszProgram).empty());
    // Another program whose path begins the same is not ours.
    EXPECT_EQ(CCommandLineInfo::SplitCommandLine(L"C:\\My Notes\\KVOmail.exe2 a", pszProgram),
              (std::vector<std::wstring>{L"Notes\\KVOmail.exe2", L"a"}));
}

TEST(CommandLine, PlainArgumentIsTheFileToOpen) {
    CCommandLineInfo info = Parse(L"KVOmail.exe \"C:\\My Notes\\a.Qzn\"");
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(info.m_strFileName, L"C:\\My Notes\\a.Qzn");
    EXPECT_EQ(Parse(L"KVOmail.exe").m_nShellCommand, CCommandLineInfo::FileNew);
}

TEST(CommandLine, PrintFlagsTakeTheFileAndThePrinter) {
    CCommandLineInfo p = Parse(L"KVOmail.exe /p a.Qzn");
    EXPECT_EQ(p.m_nShellCommand, CCommandLineInfo::FilePrint);
    EXPECT_EQ(p.m_strFileName, L"a.Qzn");
    CCommandLineInfo pt = Parse(L"KVOmail.exe /pt a.Qzn \"HP 1\" winspool LPT1:");
    EXPECT_EQ(pt.m_nShellCommand, CCommandLineInfo::FilePrintTo);
    EXPECT_EQ(pt.m_strFileName, L"a.Qzn");
    EXPECT_EQ(pt.m_strPrinterName, L"HP 1");
    EXPECT_EQ(pt.m_strDriverName, L"winspool");
    EXPECT_EQ(pt.m_strPortName, L"LPT1:");
}

TEST(CommandLine, DdeAndEmbeddingFlagsAreRecognised) {
    EXPECT_EQ(Parse(L"KVOmail.exe /dde").m_nShellCommand, CCommandLineInfo::FileDDE);
    CCommandLineInfo e = Parse(L"KVOmail.exe -Embedding");
    EXPECT_TRUE(e.m_bRunEmbedded);
    EXPECT_EQ(e.m_nShellCommand, CCommandLineInfo::FileNew);
    EXPECT_TRUE(Parse(L"KVOmail.exe /Automation").m_bRunAutomated);
}

TEST(FileDialogFilter, BarsBecomeTheSystemsNullSeparators) {
    std::wstring str = CFileDialog::FilterToSystem(L"Quillet(*.Qzn)|*.Qzn||");
    std::wstring expected(L"Quillet(*.Qzn)\0*.Qzn\0\0", 23);
    EXPECT_EQ(str.substr(0, expected.size()), expected);
    std::wstring two =
        CFileDialog::FilterToSystem(L"Quillet(*.Qzn)|*.Qzn|JPG File (*.jpg)|*.jpg||");
    EXPECT_EQ(two.substr(0, 45),
              std::wstring(L"Quillet(*.Qzn)\0*.Qzn\0JPG File (*.jpg)\0*.jpg\0\0", 45));
}

TEST(FileErrors, EachErrorHasTheFrameworksText) {
    using E = CDocument::EFileError;
    EXPECT_EQ(CDocument::FileErrorText(E::OpenFailed, L"a"), L"Failed to open document.");
    EXPECT_EQ(CDocument::FileErrorText(E::SaveFailed, L"a"), L"Failed to save document.");
    EXPECT_EQ(CDocument::FileErrorText(E::BadFormat, L"a"), L"Unexpected file format.");
    EXPECT_EQ(CDocument::FileErrorText(E::ReadError, L"C:\\n.Qzn"),
              L"Encountered an unexpected error while reading C:\\n.Qzn.");
    EXPECT_EQ(CDocument::FileErrorText(E::DiskFull, L"a"), L"Destination disk drive is full.");
}

TEST(RecentFiles, KeepsFourNewestFirstWithoutDuplicates) {
    const std::wstring strKey =
        L"Software\\QuilletTest\\Mru" + std::to_wstring(GetCurrentProcessId());
    {
        CRecentFileList list(strKey, 4);
        for (const wchar_t* psz :
             {L"C:\\a.Qzn", L"C:\\b.Qzn", L"C:\\c.Qzn", L"C:\\d.Qzn", L"C:\\e.Qzn", L"c:\\C.QZN"})
            list.Add(psz);
        ASSERT_EQ(list.GetSize(), 4);
        EXPECT_EQ(list[0], L"c:\\C.QZN");
        EXPECT_EQ(list[1], L"C:\\e.Qzn");
        EXPECT_EQ(list[2], L"C:\\d.Qzn");
        EXPECT_EQ(list[3], L"C:\\b.Qzn");
    }
    CRecentFileList again(strKey, 4);
    again.ReadList();
    ASSERT_EQ(again.GetSize(), 4);
    EXPECT_EQ(again[0], L"c:\\C.QZN");
    EXPECT_EQ(RegValue(strKey + L"\\Recent File List", L"File1"), L"c:\\C.QZN");
    EXPECT_EQ(RegValue(strKey + L"\\Recent File List", L"File4"), L"C:\\b.Qzn");
    EXPECT_EQ(RegValue(strKey + L"\\Recent File List", L"File5"), L"<missing>");
    RegDeleteTreeW(HKEY_CURRENT_USER, strKey.c_str());
}

TEST(ShellRegistration, NoteTypeGetsOpenPrintAndPrintToVerbs) {
    CShellFileType type{L".QznTest", L"QznTest.Document", L"Quillet  Document"};
    ASSERT_TRUE(RegisterShellFileType(type, L"C:\\Quillet\\KVOmail.exe"));
    const std::wstring c = L"Software\\Classes\\";
    auto Default = [&](const std::wstring& k) {
        wchar_t sz[1024] = {};
        DWORD cb = sizeof(sz);
        if (RegGetValueW(HKEY_CURRENT_USER, (c + k).c_str(), L"", RRF_RT_REG_SZ, nullptr, sz,
                         &cb) != ERROR_SUCCESS)
            return std::wstring(L"<missing>");
        return std::wstring(sz);
    };
    EXPECT_EQ(Default(L".QznTest"), L"QznTest.Document");
    EXPECT_EQ(Default(L"QznTest.Document"), L"Quillet  Document");
    EXPECT_EQ(Default(L"QznTest.Document\\shell\\open\\command"),
              L"\"C:\\Quillet\\KVOmail.exe\" \"%1\"");
    EXPECT_EQ(Default(L"QznTest.Document\\shell\\print\\command"),
              L"\"C:\\Quillet\\KVOmail.exe\" /p \"%1\"");
    EXPECT_EQ(Default(L"QznTest.Document\\shell\\printto\\command"),
              L"\"C:\\Quillet\\KVOmail.exe\" /pt \"%1\" \"%2\" \"%3\" \"%4\"");
    EXPECT_EQ(Default(L"QznTest.Document\\DefaultIcon"), L"C:\\Quillet\\KVOmail.exe,0");
    RegDeleteTreeW(HKEY_CURRENT_USER, (c + L".QznTest").c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, (c + L"QznTest.Document").c_str());
}
