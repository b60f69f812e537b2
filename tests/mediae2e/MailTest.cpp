// Sending a note by mail end to end: the real KVOmail.exe with a stand-in MAPI32.DLL
// (tools/mapi) that records each call and copies the attachment, as a mail client reads it.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "MediaNotes.h"
#include "Input.h"
#include "MailRecords.h"
#include "ProgramFiles.h"
#include "ProgramRunner.h"
#include "kvofunc.h"

namespace {

std::string Utf8(const std::wstring& str) {
    char sz[2048] = {};
    WideCharToMultiByte(CP_UTF8, 0, str.c_str(), -1, sz, sizeof(sz), nullptr, nullptr);
    return sz;
}

// The texts of a message box's static controls.
std::wstring BoxText(HWND hwndBox) {
    std::wstring strText;
    for (HWND h = GetWindow(hwndBox, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        wchar_t szClass[32] = {};
        GetClassNameW(h, szClass, 32);
        if (lstrcmpiW(szClass, L"Static") == 0)
            strText += WindowText(h);
    }
    return strText;
}

// Files of the folder that match the pattern.
int CountFiles(const std::wstring& strFolder, const wchar_t* pszPattern) {
    int n = 0;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((strFolder + L"\\" + pszPattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do
        n += fd.cFileName[0] != L'.';
    while (FindNextFileW(h, &fd));
    FindClose(h);
    return n;
}

class Mail : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InstallProgram(m_folder.Path()));
        m_strRecords = m_folder / L"mail";
        m_strTemp = m_folder / L"temp";
        ASSERT_TRUE(CreateDirectoryW(m_strRecords.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(m_strTemp.c_str(), nullptr));
        SetEnvironmentVariableW(L"QUILLET_MAPI_FOLDER", m_strRecords.c_str());
        SetProgramDllOrder(L"mapi32", L"n"); // only the library beside the program
    }
    void TearDown() override {
        SetProgramDllOrder(L"mapi32", nullptr);
        SetEnvironmentVariableW(L"QUILLET_MAPI_FOLDER", nullptr);
        SetEnvironmentVariableW(L"TMP", m_strOldTmp.empty() ? nullptr : m_strOldTmp.c_str());
        SetEnvironmentVariableW(L"TEMP", m_strOldTemp.empty() ? nullptr : m_strOldTemp.c_str());
    }
    // The program's temporary folder for the next start.
    void UseTempFolder(const std::wstring& strFolder) {
        wchar_t sz[MAX_PATH] = {};
        GetEnvironmentVariableW(L"TMP", sz, MAX_PATH);
        m_strOldTmp = sz;
        GetEnvironmentVariableW(L"TEMP", sz, MAX_PATH);
        m_strOldTemp = sz;
        SetEnvironmentVariableW(L"TMP", strFolder.c_str());
        SetEnvironmentVariableW(L"TEMP", strFolder.c_str());
    }
    // Starts the program on a note with one stroke from (100, 300) to (900, 600).
    HWND Start(const wchar_t* pszMapiLibrary) {
        if (pszMapiLibrary &&
            !CopyFileW(BinFile(pszMapiLibrary).c_str(), (m_folder / L"MAPI32.DLL").c_str(), FALSE))
            return nullptr;
        const std::wstring strNote = m_folder / L"note.Qzn";
        if (!CTestFolder::WriteBytes(strNote, NoteWithStrokes(1024, 2048, {{100, 300, 900, 600}})))
            return nullptr;
        m_pProgram = std::make_unique<CProgram>();
        if (!m_pProgram->Start(m_folder.Path(), L"\"" + strNote + L"\""))
            return nullptr;
        m_hwnd = m_pProgram->WaitForWindow(L"LETTER", kTimeout);
        if (m_hwnd)
            WaitUntil([&] { return WindowText(m_hwnd) == L"note.Qzn - Quillet"; }, kTimeout);
        return m_hwnd;
    }
    void SendMail() const {
        SetForegroundWindow(m_hwnd);
        WaitUntil([&] { return GetForegroundWindow() == m_hwnd; }, 5000);
        PressCtrlKey('M');
    }
    void Answer(int nResult) const {
        const std::string str = std::to_string(nResult);
        CTestFolder::WriteBytes(m_strRecords + L"\\result.txt",
                                std::vector<std::uint8_t>(str.begin(), str.end()));
    }
    // Sends once more and waits for the stand-in's record of call n.
    std::map<std::string, std::string> SendAndRecord(int n) const {
        const std::wstring strRecord = m_strRecords + L"\\call" + std::to_wstring(n) + L".txt";
        SendMail();
        WaitUntil([&] { return !CTestFolder::ReadBytes(strRecord).empty(); }, kTimeout);
        // The program has finished the command once its window takes input again.
        WaitUntil([&] { return IsWindowEnabled(m_hwnd) != FALSE; }, kTimeout);
        return ReadMailRecord(strRecord);
    }
    // The message box the program shows next, its text, closed again with Enter.
    std::wstring NextBoxText() const {
        HWND hwndBox = m_pProgram->WaitForWindow(L"#32770", kTimeout);
        if (!hwndBox)
            return L"(no message)";
        const std::wstring str = BoxText(hwndBox);
        PostMessageW(hwndBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        WaitUntil([&] { return !IsWindow(hwndBox); }, kTimeout);
        return str;
    }
    // Closes the program; an unchanged note closes without a question.
    void ExpectClosesWithoutAsking() {
        PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
        EXPECT_EQ(m_pProgram->WaitForExit(10000), 0) << "the note is as unmodified as before";
    }

    CTestFolder m_folder;
    std::unique_ptr<CProgram> m_pProgram;
    HWND m_hwnd = nullptr;
    std::wstring m_strRecords, m_strTemp, m_strOldTmp, m_strOldTemp;
};

} // namespace

TEST_F(Mail, TheNoteGoesAsAJpegAttachmentAndEveryOutcomeRemovesTheTemporaryFile) {
    UseTempFolder(m_strTemp);
    ASSERT_NE(Start(L"mapi32a.dll"), nullptr);
    auto record = SendAndRecord(1);
    EXPECT_EQ(record["kind"], "ansi");
    EXPECT_EQ(record["session"], "0");
    EXPECT_EQ(record["window"], "yes");
    EXPECT_EQ(record["flags"], "9");
    EXPECT_EQ(record["subject"], "Quillet");
    EXPECT_EQ(record["note"], "(null)");
    EXPECT_EQ(record["recipients"], "0");
    EXPECT_EQ(record["originator"], "none");
    EXPECT_EQ(record["files"], "1");
    EXPECT_EQ(record["position"], "4294967295");
    EXPECT_EQ(record["name"], "Quillet.jpg");
    const std::string strPath = record["path"];
    EXPECT_EQ(strPath.find(Utf8(m_strTemp) + "\\"), 0u) << strPath;
    EXPECT_EQ(strPath.substr(Utf8(m_strTemp).size() + 1, 3), "jxm") << strPath;
    EXPECT_EQ(strPath.substr(strPath.size() - 4), ".tmp") << strPath;
    EXPECT_EQ(CountFiles(m_strTemp, L"*"), 0) << "the temporary picture is gone";

    // The attachment: a JPEG of the ink's extent plus its margin, with the ink in it.
    const std::wstring strJpeg = m_strRecords + L"\\call1-attachment1.bin";
    int cx = 0, cy = 0;
    HBITMAP hbm = CreateBitmapFromFileW(strJpeg.c_str(), &cx, &cy);
    ASSERT_NE(hbm, nullptr);
    EXPECT_EQ(cx, 960); // stroke bound 940 (900 + 40), plus 20
    EXPECT_EQ(cy, 660);
    {
        HDC hdc = CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = SelectObject(hdc, hbm);
        EXPECT_LT(GetRValue(GetPixel(hdc, 500, 450)), 60) << "ink on the stroke";
        EXPECT_GT(GetRValue(GetPixel(hdc, 700, 100)), 200) << "paper away from it";
        SelectObject(hdc, hOld);
        DeleteDC(hdc);
    }
    DeleteObject(hbm);

    // Cancelled and failed logons say nothing; any other error says so. Each removes the file.
    Answer(1);
    EXPECT_EQ(SendAndRecord(2)["result"], "1");
    Answer(3);
    EXPECT_EQ(SendAndRecord(3)["result"], "3");
    EXPECT_EQ(m_pProgram->FindWindowOfClass(L"#32770"), nullptr) << "no message";
    Answer(2);
    SendMail();
    EXPECT_EQ(NextBoxText(), L"Send Mail failed to send message.");
    EXPECT_EQ(ReadMailRecord(m_strRecords + L"\\call4.txt")["result"], "2");
    EXPECT_EQ(CountFiles(m_strTemp, L"*"), 0);
    ExpectClosesWithoutAsking();
}

TEST_F(Mail, WithoutAMailLibraryOrWithoutItsFunctionTheUserIsTold) {
    ASSERT_NE(Start(nullptr), nullptr);
    SendMail();
    EXPECT_EQ(NextBoxText(), L"Unable to load mail system support.");
    ExpectClosesWithoutAsking();

    ASSERT_NE(Start(L"kvofunc.dll"), nullptr); // a library without MAPISendMail
    SendMail();
    EXPECT_EQ(NextBoxText(), L"Mail system DLL is invalid.");
    ExpectClosesWithoutAsking();
    EXPECT_EQ(CountFiles(m_strRecords, L"call*"), 0);
}

// A temporary folder whose name the ANSI code page cannot spell: the picture is written there
// all the same, and the mail client gets a path it can open, in Unicode where it takes it.
TEST_F(Mail, ATemporaryFolderTheAnsiCodePageCannotSpellStillWorks) {
    const std::wstring strTemp = m_folder / L"\x0416\x4E2D temp";
    ASSERT_TRUE(CreateDirectoryW(strTemp.c_str(), nullptr));
    UseTempFolder(strTemp);
    ASSERT_NE(Start(L"mapi32w.dll"), nullptr);
    auto record = SendAndRecord(1);
    EXPECT_EQ(record["kind"], "unicode");
    EXPECT_EQ(record["path"].find(Utf8(strTemp) + "\\"), 0u) << record["path"];
    EXPECT_EQ(record["result"], "0");
    int cx = 0, cy = 0;
    HBITMAP hbm =
        CreateBitmapFromFileW((m_strRecords + L"\\call1-attachment1.bin").c_str(), &cx, &cy);
    EXPECT_NE(hbm, nullptr);
    EXPECT_EQ(cx, 960);
    DeleteObject(hbm);
    EXPECT_EQ(CountFiles(strTemp, L"*"), 0);
    ExpectClosesWithoutAsking();

    // A mail system with the ANSI call alone gets the short form of the path, which it can open.
    ASSERT_NE(Start(L"mapi32a.dll"), nullptr);
    record = SendAndRecord(2);
    EXPECT_EQ(record["kind"], "ansi");
    EXPECT_EQ(record["result"], "0") << "the client read the attachment at " << record["path"];
    EXPECT_EQ(CountFiles(strTemp, L"*"), 0);
    ExpectClosesWithoutAsking();
}
