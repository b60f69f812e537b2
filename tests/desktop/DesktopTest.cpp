// The Linux desktop: scripts/install-desktop.sh and its launcher, and the Simple MAPI library
// that hands mail to xdg-email. The stand-in xdg-email of fakebin/ is first on the PATH.
#include <gtest/gtest.h>

#include <windows.h>

#include <mapi.h>

#include "MailCommand.h"
#include "NoteBytes.h"
#include "ProgramFiles.h"
#include "ProgramRunner.h"
#include "UnixPath.h"
#include "UserInput.h"

namespace {
constexpr DWORD kTimeout = 30000;

std::wstring Wide(const std::string& str) {
    return std::wstring(str.begin(), str.end());
}

// Runs a Linux program to its end; its exit code, or -1. A Linux program started from Windows
// cannot be waited for as a process: the shell writes its exit code into a file of strFolder.
int RunLinux(const std::vector<std::string>& args, const std::wstring& strFolder) {
    const std::wstring strDone = strFolder + L"\\exit-code";
    DeleteFileW(strDone.c_str());
    std::vector<std::wstring> line = {L"/bin/sh", L"-c",
                                      L"\"$@\"; echo $? >\"$0.part\" && mv \"$0.part\" \"$0\"",
                                      Wide(UnixPath(strFolder) + "/exit-code")};
    for (const std::string& str : args)
        line.push_back(Wide(str));
    std::wstring strCommand = CommandLineOf(line);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, strCommand.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi)) {
        ADD_FAILURE() << "CreateProcess: " << GetLastError();
        return -1;
    }
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    std::vector<std::uint8_t> code;
    WaitUntil([&] { return !(code = CTestFolder::ReadBytes(strDone)).empty(); }, 60000);
    return code.empty() ? -1 : std::atoi(std::string(code.begin(), code.end()).c_str());
}

std::string Text(const std::wstring& strPath) {
    const auto bytes = CTestFolder::ReadBytes(strPath);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> Lines(const std::string& str) {
    std::vector<std::string> lines;
    std::size_t nStart = 0;
    for (std::size_t n; (n = str.find('\n', nStart)) != std::string::npos; nStart = n + 1)
        lines.push_back(str.substr(nStart, n - nStart));
    return lines;
}

// The Windows path of a Linux path (drive Z: is the root).
std::wstring FromUnix(const std::string& str) {
    std::wstring strPath = L"Z:" + Wide(str);
    for (wchar_t& ch : strPath)
        if (ch == L'/')
            ch = L'\\';
    return strPath;
}

// Closes the program's window; a program that does not end (a message box still open) is ended,
// so that no process outlives the test and holds its output open.
void CloseProgram(HWND hwnd) {
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hwnd, &dwProcess);
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    if (WaitUntil([&] { return !IsWindow(hwnd); }, kTimeout))
        return;
    ADD_FAILURE() << "the program did not end";
    if (HANDLE hProcess = OpenProcess(PROCESS_TERMINATE, FALSE, dwProcess)) {
        TerminateProcess(hProcess, 1);
        CloseHandle(hProcess);
    }
}

class XdgMail : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryW(m_strRecord.c_str(), nullptr);
        SetEnvironmentVariableW(L"XDG_EMAIL_RECORD", Wide(UnixPath(m_strRecord)).c_str());
        SetEnvironmentVariableW(L"LOCALAPPDATA", (m_folder / L"LocalAppData").c_str());
        // Under a name of its own: Wine would take its built-in mapi32 for the library's name.
        const std::wstring strCopy = m_folder / L"xdgmapi.dll";
        ASSERT_TRUE(CopyFileW((BinaryFolder() + L"\\..\\desktop\\mapi32.dll").c_str(),
                              strCopy.c_str(), FALSE));
        m_hLibrary = LoadLibraryW(strCopy.c_str());
        ASSERT_NE(m_hLibrary, nullptr);
        m_pfnSend = reinterpret_cast<LPMAPISENDMAIL>(GetProcAddress(m_hLibrary, "MAPISendMail"));
        ASSERT_NE(m_pfnSend, nullptr);
    }
    void TearDown() override {
        if (m_hLibrary)
            FreeLibrary(m_hLibrary);
        SetEnvironmentVariableW(L"XDG_EMAIL_STANDIN_EXIT", nullptr);
    }
    CTestFolder m_folder;
    std::wstring m_strRecord = m_folder / L"received";
    HMODULE m_hLibrary = nullptr;
    LPMAPISENDMAIL m_pfnSend = nullptr;
};
} // namespace

TEST_F(XdgMail, TheMailProgramGetsSubjectBodyRecipientsAndAKeptCopyOfTheAttachment) {
    const std::wstring strFile = m_folder / L"JXM1F.TMP";
    const std::vector<std::uint8_t> picture = {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3, 0xFF, 0xD9};
    ASSERT_TRUE(CTestFolder::WriteBytes(strFile, picture));
    std::string strPath(strFile.begin(), strFile.end());
    char szName[] = "Quillet.jpg", szSubject[] = "Quillet", szBody[] = "Dear \"Ann\", see C:\\x\\";
    char szAnn[] = "SMTP:ann@example.org", szBob[] = "bob@example.org";
    MapiFileDesc file{0, 0, 0xFFFFFFFF, strPath.data(), szName, nullptr};
    MapiRecipDesc recips[2] = {{0, MAPI_TO, nullptr, szAnn, 0, nullptr},
                               {0, MAPI_CC, szBob, nullptr, 0, nullptr}};
    MapiMessage msg{};
    msg.lpszSubject = szSubject;
    msg.lpszNoteText = szBody;
    msg.nRecipCount = 2;
    msg.lpRecips = recips;
    msg.nFileCount = 1;
    msg.lpFiles = &file;
    ASSERT_EQ(m_pfnSend(0, 0, &msg, MAPI_LOGON_UI | MAPI_DIALOG, 0), ULONG(SUCCESS_SUCCESS));
    // The caller deletes its file as soon as the call returns.
    DeleteFileW(strFile.c_str());

    const auto args = Lines(Text(m_strRecord + L"\\args"));
    ASSERT_EQ(args.size(), 10u) << testing::PrintToString(args);
    const std::vector<std::string> head = {
        "--utf8", "--subject",       "Quillet", "--body", "Dear \"Ann\", see C:\\x\\",
        "--cc",   "bob@example.org", "--attach"};
    EXPECT_EQ(std::vector<std::string>(args.begin(), args.begin() + 8), head);
    EXPECT_EQ(args[9], "ann@example.org");
    // Handed over as a copy named as the recipient sees it, kept after the call.
    const std::string& strAttached = args[8];
    EXPECT_EQ(strAttached.substr(strAttached.rfind('/') + 1), "Quillet.jpg");
    EXPECT_EQ(CTestFolder::ReadBytes(FromUnix(strAttached)), picture);
    EXPECT_EQ(CTestFolder::ReadBytes(m_strRecord + L"\\Quillet.jpg"), picture);
    EXPECT_NE(strAttached.find(UnixPath(m_folder / L"LocalAppData") + "/Quillet/Mail/"),
              std::string::npos)
        << strAttached;
}

TEST_F(XdgMail, AMissingAttachmentOrAFailingMailProgramIsAFailure) {
    char szMissing[] = "C:\\no such folder\\jxm2.tmp";
    MapiFileDesc file{0, 0, 0xFFFFFFFF, szMissing, nullptr, nullptr};
    MapiMessage msg{};
    msg.nFileCount = 1;
    msg.lpFiles = &file;
    EXPECT_EQ(m_pfnSend(0, 0, &msg, MAPI_DIALOG, 0), ULONG(MAPI_E_ATTACHMENT_NOT_FOUND));
    EXPECT_TRUE(CTestFolder::ReadBytes(m_strRecord + L"\\args").empty()) << "nothing sent";

    const std::wstring strFile = m_folder / L"jxm3.tmp";
    ASSERT_TRUE(CTestFolder::WriteBytes(strFile, {1, 2, 3}));
    std::string strPath(strFile.begin(), strFile.end());
    file.lpszPathName = strPath.data();
    SetEnvironmentVariableW(L"XDG_EMAIL_STANDIN_EXIT", L"3");
    EXPECT_EQ(m_pfnSend(0, 0, &msg, MAPI_DIALOG, 0), ULONG(MAPI_E_FAILURE));
    EXPECT_EQ(Lines(Text(m_strRecord + L"\\args")).size(), 3u) << "--utf8 --attach <file>";
}

TEST_F(XdgMail, TheUnicodeCallKeepsNamesTheAnsiCodePageCannotSpell) {
    using SendMailW = ULONG(WINAPI*)(LHANDLE, ULONG_PTR, void*, FLAGS, ULONG);
    const auto pfnSendW = reinterpret_cast<SendMailW>(GetProcAddress(m_hLibrary, "MAPISendMailW"));
    ASSERT_NE(pfnSendW, nullptr);
    std::wstring strFile = m_folder / L"\x03A9mega.tmp";
    ASSERT_TRUE(CTestFolder::WriteBytes(strFile, {7, 8, 9}));
    std::wstring strName = L"Note \x03A9.jpg", strSubject = L"\x03A9";
    // MapiFileDescW and MapiMessageW: the records of MAPISendMail with wide strings.
    struct {
        ULONG ulReserved, flFlags, nPosition;
        PWSTR lpszPathName, lpszFileName;
        PVOID lpFileType;
    } file{0, 0, 0xFFFFFFFF, strFile.data(), strName.data(), nullptr};
    struct {
        ULONG ulReserved;
        PWSTR lpszSubject, lpszNoteText, lpszMessageType, lpszDateReceived, lpszConversationID;
        FLAGS flFlags;
        void* lpOriginator;
        ULONG nRecipCount;
        void* lpRecips;
        ULONG nFileCount;
        void* lpFiles;
    } msg{0, strSubject.data(), nullptr, nullptr, nullptr, nullptr,
          0, nullptr,           0,       nullptr, 1,       &file};
    ASSERT_EQ(pfnSendW(0, 0, &msg, MAPI_DIALOG, 0), ULONG(SUCCESS_SUCCESS));
    const auto args = Lines(Text(m_strRecord + L"\\args"));
    ASSERT_EQ(args.size(), 5u) << testing::PrintToString(args);
    EXPECT_EQ(args[2], "\xCE\xA9") << "the subject in UTF-8";
    EXPECT_EQ(args[4].substr(args[4].rfind('/') + 1), "Note \xCE\xA9.jpg");
    EXPECT_EQ(CTestFolder::ReadBytes(m_strRecord + L"\\Note \x03A9.jpg"),
              (std::vector<std::uint8_t>{7, 8, 9}));
}

TEST(DesktopInstall, TheInstalledLauncherOpensANoteFromTheFileManagerAndMailsItThroughXdgEmail) {
    CTestFolder folder;
    const std::string strPrefix = UnixPath(folder.Path()) + "/prefix";
    const std::vector<std::string> install = {
        "/bin/bash", QUILLET_SOURCE_UNIX "/scripts/install-desktop.sh",
        "--prefix",  strPrefix,
        "--build",   QUILLET_BUILD_UNIX};
    ASSERT_EQ(RunLinux(install, folder.Path()), 0);
    const std::wstring strShare = FromUnix(strPrefix + "/share");
    for (const wchar_t* pszFile :
         {L"KVOmail.exe", L"KVOStart.exe", L"Brevix.dll", L"kvofunc.dll", L"mapi32.dll"})
        EXPECT_FALSE(CTestFolder::ReadBytes(strShare + L"\\quillet\\program\\" + pszFile).empty())
            << testing::PrintToString(std::wstring(pszFile));
    const std::string strLauncher = Text(FromUnix(strPrefix + "/bin/quillet"));
    EXPECT_EQ(strLauncher.rfind("#!/bin/sh\n", 0), 0u);
    EXPECT_NE(strLauncher.find("WINEDLLOVERRIDES=\"mapi32=n,b;wintab32=b;"), std::string::npos);

    const auto entry = Lines(Text(strShare + L"\\applications\\quillet.desktop"));
    for (const std::string& strLine :
         {std::string("[Desktop Entry]"), std::string("Type=Application"),
          std::string("Name=Quillet"), "Exec=\"" + strPrefix + "/bin/quillet\" %f",
          std::string("Icon=quillet"), std::string("MimeType=application/x-quillet-note;")})
        EXPECT_NE(std::find(entry.begin(), entry.end(), strLine), entry.end()) << strLine;
    const auto png =
        CTestFolder::ReadBytes(strShare + L"\\icons\\hicolor\\48x48\\apps\\quillet.png");
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    EXPECT_EQ(png[19], 48) << "width";
    EXPECT_EQ(png[23], 48) << "height";
    const std::string strMime = Text(strShare + L"\\mime\\packages\\quillet.xml");
    EXPECT_NE(strMime.find("<mime-type type=\"application/x-quillet-note\">"), std::string::npos);
    EXPECT_NE(strMime.find("<glob pattern=\"*.qzn\" case-sensitive=\"false\"/>"),
              std::string::npos);

    const std::wstring strRecord = folder / L"received";
    CreateDirectoryW(strRecord.c_str(), nullptr);
    SetEnvironmentVariableW(L"XDG_EMAIL_RECORD", Wide(UnixPath(strRecord)).c_str());
    // The file manager runs the entry's command with the note's path for %f.
    const std::wstring strNote = folder / L"Notes of Monday.Qzn";
    std::vector<std::uint8_t> note;
    for (std::uint32_t n : {13427429u, 11321541u, 90u, 0u, 0u, 1280u, 2560u, 0u, 0u})
        PutU32(note, n);
    ASSERT_TRUE(CTestFolder::WriteBytes(strNote, note));
    std::wstring strOpen = Wide("\"" + strPrefix + "/bin/quillet\" \"" + UnixPath(strNote) + "\"");
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, strOpen.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    HWND hBox = nullptr;
    WaitUntil([&] { return (hBox = FindWindowW(L"#32770", L"WinTab")) != nullptr; }, kTimeout);
    if (hBox)
        PostMessageW(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    HWND hwnd = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            return (hwnd = FindWindowW(L"LETTER", L"Notes of Monday.Qzn - Quillet")) != nullptr;
        },
        kTimeout))
        << "the note opened through the launcher";
    if (hwnd) {
        // Send to Mail Recipient (Ctrl+M): the launcher's Simple MAPI library hands the note's
        // picture to xdg-email.
        SetForegroundWindow(hwnd);
        WaitUntil([&] { return GetForegroundWindow() == hwnd; }, 5000);
        PressCtrlKey('M');
        std::vector<std::string> args;
        EXPECT_TRUE(WaitUntil(
            [&] { return (args = Lines(Text(strRecord + L"\\args"))).size() == 5; }, kTimeout))
            << testing::PrintToString(args);
        if (args.size() == 5) {
            EXPECT_EQ(args[1], "--subject");
            EXPECT_EQ(args[2], "Quillet");
            EXPECT_EQ(args[3], "--attach");
            EXPECT_EQ(args[4].substr(args[4].rfind('/') + 1), "Quillet.jpg");
        }
        const auto jpeg = CTestFolder::ReadBytes(strRecord + L"\\Quillet.jpg");
        EXPECT_GE(jpeg.size(), 2u) << "the attachment reached the mail program";
        if (jpeg.size() >= 2) {
            EXPECT_EQ(jpeg[0], 0xFF);
            EXPECT_EQ(jpeg[1], 0xD8);
        }
        CloseProgram(hwnd);
    }

    std::vector<std::string> uninstall = install;
    uninstall.push_back("--uninstall");
    ASSERT_EQ(RunLinux(uninstall, folder.Path()), 0);
    EXPECT_EQ(folder.List(), (std::vector<std::wstring>{L"exit-code", L"Notes of Monday.Qzn",
                                                        L"prefix", L"received"}));
    EXPECT_TRUE(CTestFolder::ReadBytes(FromUnix(strPrefix + "/bin/quillet")).empty());
    EXPECT_TRUE(CTestFolder::ReadBytes(strShare + L"\\applications\\quillet.desktop").empty());
    EXPECT_EQ(GetFileAttributesW((strShare + L"\\quillet").c_str()), INVALID_FILE_ATTRIBUTES);
}
