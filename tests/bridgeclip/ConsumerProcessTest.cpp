#include "Brevix.h"
#include "InkBitmap.h"
#include "InkOwner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Runs clipconsumer.exe, pastes the ink into its child window and collects what it received.
class ConsumerProcess : public ::testing::Test {
protected:
    void SetUp() override {
        char szDir[MAX_PATH];
        GetTempPathA(MAX_PATH, szDir);
        char szResult[MAX_PATH + 32];
        std::snprintf(szResult, sizeof(szResult), "%sclipconsumer%lu", szDir,
                      GetCurrentProcessId());
        m_strResult = szResult;
        SetPixel(m_ink.Dc(), 0, 0, RGB(0xA0, 0xB0, 0xC0));
        m_before = AanFiles();
    }
    void TearDown() override {
        for (const char* pszSuffix : {".keys", ".dib", ".html", ".avail"})
            DeleteFileA((m_strResult + pszSuffix).c_str());
        if (m_pi.hProcess) {
            TerminateProcess(m_pi.hProcess, 9);
            CloseHandle(m_pi.hProcess);
            CloseHandle(m_pi.hThread);
        }
        Brevix_RenderFormatHTML_TimeOut(m_owner.Hwnd());
        ClearClipboard();
    }

    // Starts the consumer and pastes into it; false when it did not come up or did not finish.
    bool Paste(const char* pszAsk) {
        char szEvent[64];
        std::snprintf(szEvent, sizeof(szEvent), "ClipConsumerReady%lu", GetCurrentProcessId());
        const std::string strEvent = szEvent;
        HANDLE hReady = CreateEventA(nullptr, TRUE, FALSE, strEvent.c_str());
        std::string strCommand = "\"" + ModuleFolder(nullptr) + "clipconsumer.exe\" " + pszAsk +
                                 " \"" + m_strResult + "\" " + strEvent;
        STARTUPINFOA si{};
        si.cb = sizeof(si);
        if (!CreateProcessA(nullptr, strCommand.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &si, &m_pi)) {
            CloseHandle(hReady);
            return false;
        }
        const bool bReady =
            PumpUntil([&] { return WaitForSingleObject(hReady, 0) == WAIT_OBJECT_0; }, 10000);
        CloseHandle(hReady);
        HWND hwndFrame = FindWindowA("ClipConsumerFrame", "Clip Consumer");
        HWND hwndEdit = FindWindowExA(hwndFrame, nullptr, "ClipConsumerEdit", nullptr);
        if (!bReady || !hwndEdit)
            return false;
        GetWindowRect(hwndEdit, &m_rcEdit);
        EXPECT_EQ(Brevix_Insert(m_owner.Hwnd(), &m_rcEdit, m_ink.Dc(), m_ink.Bitmap()), 1);
        // The consumer's requests arrive here as WM_RENDERFORMAT: keep pumping until it is done.
        if (!PumpUntil([&] { return WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0; },
                       10000))
            return false;
        DWORD nExit = 1;
        GetExitCodeProcess(m_pi.hProcess, &nExit);
        return nExit == 0;
    }

    CInkOwner m_owner;
    CInkBitmap m_ink{3, 2};
    std::string m_strResult;
    std::set<std::string> m_before;
    PROCESS_INFORMATION m_pi{};
    RECT m_rcEdit{};
};

} // namespace

TEST_F(ConsumerProcess, ReceivesControlVAndBothFormats) {
    ASSERT_TRUE(Paste("both"));
    EXPECT_EQ(ReadFile(m_strResult + ".keys"), "down 17 17\ndown 86 86\nup 86 86\nup 17 17\n");
    EXPECT_EQ(ReadFile(m_strResult + ".avail"), "1 1");

    const std::string strDib = ReadFile(m_strResult + ".dib");
    ASSERT_GE(strDib.size(), 40u + 24u);
    const auto& bih = *reinterpret_cast<const BITMAPINFOHEADER*>(strDib.data());
    EXPECT_EQ(bih.biWidth, 3);
    EXPECT_EQ(bih.biHeight, 2);
    EXPECT_EQ(bih.biBitCount, 24);
    EXPECT_EQ(bih.biSizeImage, 24u);
    // (0, 0) is the first pixel of the top row, the second stored row of twelve bytes.
    EXPECT_EQ(static_cast<BYTE>(strDib[40 + 12 + 0]), 0xC0);
    EXPECT_EQ(static_cast<BYTE>(strDib[40 + 12 + 1]), 0xB0);
    EXPECT_EQ(static_cast<BYTE>(strDib[40 + 12 + 2]), 0xA0);
    EXPECT_EQ(static_cast<BYTE>(strDib[40 + 3]), 0xFF);

    std::string strHtml = ReadFile(m_strResult + ".html");
    strHtml.resize(std::strlen(strHtml.c_str()));
    const std::string strPath = ImagePathOf(strHtml);
    const std::size_t n = strPath.size() + 12;
    char szOffsets[96];
    std::snprintf(szOffsets, sizeof(szOffsets),
                  "StartHTML:00000097\r\nEndHTML:%08u\r\nStartFragment:00000111\r\n"
                  "EndFragment:%08u\r\n",
                  static_cast<unsigned>(172 + n), static_cast<unsigned>(136 + n));
    EXPECT_EQ(strHtml.substr(13, std::strlen(szOffsets)), szOffsets);
    EXPECT_EQ(strHtml.size(), 172 + n);
    EXPECT_EQ(NewFiles(m_before, AanFiles()), std::vector<std::string>{strPath});
    EXPECT_EQ(FileStart(strPath, 3), "GIF") << "the text was handed over: the image stays";
    DeleteFileA(strPath.c_str());
}

TEST_F(ConsumerProcess, AskingOnlyForTheBitmapRemovesTheImageFile) {
    ASSERT_TRUE(Paste("dib"));
    EXPECT_GE(ReadFile(m_strResult + ".dib").size(), 40u + 24u);
    EXPECT_FALSE(FileExists(m_strResult + ".html"));
    EXPECT_EQ(m_owner.m_formatsRendered, std::vector<UINT>{CF_DIB});
    EXPECT_TRUE(NewFiles(m_before, AanFiles()).empty());
}

TEST_F(ConsumerProcess, AskingForNothingStillReceivesTheKeys) {
    ASSERT_TRUE(Paste("none"));
    EXPECT_EQ(ReadFile(m_strResult + ".keys"), "down 17 17\ndown 86 86\nup 86 86\nup 17 17\n");
    EXPECT_TRUE(m_owner.m_formatsRendered.empty());
}
