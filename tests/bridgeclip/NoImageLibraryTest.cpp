#include "Brevix.h"
#include "InkBitmap.h"
#include "InkOwner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

constexpr char kWithoutVariable[] = "QUILLET_WITHOUT_IMAGELIB";

bool RunsWithoutImageLibrary() {
    char szValue[8];
    return GetEnvironmentVariableA(kWithoutVariable, szValue, sizeof(szValue)) > 0;
}

// The cases below run in a copy of this program in a folder without kvofunc.dll, started by
// ImageLibraryMissing; in the build folder they do nothing.
class WithoutImageLibrary : public InsertionTest {
protected:
    void SetUp() override {
        if (!RunsWithoutImageLibrary())
            GTEST_SKIP() << "runs only in the copy started by ImageLibraryMissing";
        ASSERT_EQ(LoadLibraryA("Kvofunc.DLL"), nullptr) << "kvofunc.dll is reachable";
        InsertionTest::SetUp();
    }
    CInkBitmap m_ink{6, 4};
};

} // namespace

TEST_F(WithoutImageLibrary, OnlyTheBitmapIsOfferedAndNoFileIsLeft) {
    CPasteTarget target(Ask::Both);
    EXPECT_EQ(Insert(target, m_ink), 1);
    ASSERT_EQ(target.m_nPastes, 1);
    EXPECT_TRUE(target.m_bDibAvailable);
    EXPECT_FALSE(target.m_bHtmlAvailable);
    EXPECT_TRUE(target.m_strHtml.empty());
    ASSERT_GE(target.m_dib.size(), 40u);
    EXPECT_EQ(reinterpret_cast<const BITMAPINFOHEADER*>(target.m_dib.data())->biWidth, 6);
    EXPECT_TRUE(NewFiles(m_before, AanFiles()).empty()) << "the unused temporary file is removed";
}

TEST_F(WithoutImageLibrary, RenderAllBeforeAnyHtmlOfferHandsOverTheBitmap) {
    CPasteTarget target(Ask::None);
    EXPECT_EQ(Insert(target, m_ink), 1);
    EXPECT_EQ(Brevix_RenderFormat(m_owner.Hwnd(), 0), 1);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE hDib = GetClipboardData(CF_DIB);
    CloseClipboard();
    EXPECT_NE(hDib, nullptr);
    EXPECT_TRUE(m_owner.m_formatsRendered.empty());
}

TEST(ImageLibraryMissing, BridgeOffersTheBitmapAlone) {
    if (RunsWithoutImageLibrary())
        GTEST_SKIP() << "this is the copy";
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    const std::string strDir = std::string(szTemp) + "bridgeclip-without-kvofunc\\";
    CreateDirectoryA(strDir.c_str(), nullptr);
    const std::string strExe = strDir + "bridgeclip_tests.exe";
    char szSelf[MAX_PATH];
    GetModuleFileNameA(nullptr, szSelf, MAX_PATH);
    ASSERT_TRUE(CopyFileA(szSelf, strExe.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((ModuleFolder(GetModuleHandleA("Brevix.dll")) + "Brevix.dll").c_str(),
                          (strDir + "Brevix.dll").c_str(), FALSE));
    const std::string strJson = strDir + "result.json";
    DeleteFileA(strJson.c_str());

    std::string strCommand =
        "\"" + strExe + "\" --gtest_filter=WithoutImageLibrary.* --gtest_output=json:" + strJson;
    SetEnvironmentVariableA(kWithoutVariable, "1");
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    const BOOL bStarted = CreateProcessA(nullptr, strCommand.data(), nullptr, nullptr, FALSE, 0,
                                         nullptr, strDir.c_str(), &si, &pi);
    SetEnvironmentVariableA(kWithoutVariable, nullptr);
    ASSERT_TRUE(bStarted);
    const bool bDone =
        PumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 30000);
    DWORD nExit = 99;
    GetExitCodeProcess(pi.hProcess, &nExit);
    if (!bDone)
        TerminateProcess(pi.hProcess, 9);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    ASSERT_TRUE(bDone);

    const std::string strJsonText = ReadFile(strJson);
    EXPECT_EQ(nExit, 0u) << strJsonText;
    EXPECT_NE(strJsonText.find("\"tests\": 2"), std::string::npos) << strJsonText;
    EXPECT_EQ(strJsonText.find("SKIPPED"), std::string::npos) << strJsonText;
    EXPECT_NE(strJsonText.find("\"failures\": 0,"), std::string::npos) << strJsonText;
    EXPECT_EQ(strJsonText.find("\"failures\": ["), std::string::npos) << strJsonText;
    for (const char* pszFile : {"bridgeclip_tests.exe", "Brevix.dll", "result.json"})
        DeleteFileA((strDir + pszFile).c_str());
    RemoveDirectoryA(strDir.c_str());
}
