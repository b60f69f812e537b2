// The colour panel keeps its twelve colour blocks in the settings file and, at program end,
// writes the view's colours and line height with them.
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "CanvasTestAccess.h"

namespace {
class PanelSettings : public CAppFixture {
protected:
    void SetUp() override {
        const std::wstring strIni = m_folder / L"ZLNKVO.ini";
        WritePrivateProfileStringW(L"COLOR", L"COLORBLOCK3", L"123", strIni.c_str());
        WritePrivateProfileStringW(L"COLOR", L"COLORBLOCK4", L"-5", strIni.c_str());
        CAppFixture::SetUp();
    }
    void EndProgram() {
        m_pDoc = nullptr;
        m_app.reset();
    }
};
} // namespace

TEST_F(PanelSettings, BlocksAreReadAtStartAndEverythingIsWrittenAtTheEnd) {
    EXPECT_EQ(m_pFrame->m_wndPanel.GetBlockColor(3), 123u);
    EXPECT_EQ(m_pFrame->m_wndPanel.GetBlockColor(4), 16711935u) << "out of range: the default";
    EXPECT_EQ(m_pFrame->m_wndPanel.GetBlockColor(11), 8421504u);
    m_pView->SetPenColor(RGB(1, 2, 3));
    CCanvasTestAccess::BackColor(*m_pView) = RGB(250, 240, 230);
    CCanvasTestAccess::LineHeight(*m_pView) = 70;
    EndProgram();

    const std::string str = FileText(m_folder / L"ZLNKVO.ini");
    for (const char* pszKey :
         {"PENCOLOR=197121", "BKCOLOR=15134970", "LINECOLOR=11321541", "COLORBLOCK0=255",
          "COLORBLOCK3=123", "COLORBLOCK4=16711935", "COLORBLOCK11=8421504", "LINEHEIGHT=70"})
        EXPECT_NE(str.find(pszKey), std::string::npos) << pszKey << " in\n" << str;
}

TEST_F(PanelSettings, FirstNormalEndCreatesTheFileAndAFailedWriteSaysNothing) {
    const std::wstring strIni = m_folder / L"ZLNKVO.ini";
    DeleteFileW(strIni.c_str());
    EndProgram();
    // A new file lists the keys in the order the panel writes them.
    const std::string str = FileText(strIni);
    size_t nAt = 0;
    for (const char* pszKey :
         {"[COLOR]", "PENCOLOR=8388608", "BKCOLOR=", "LINECOLOR=", "COLORBLOCK0=255",
          "COLORBLOCK3=", "COLORBLOCK11=", "[LineHeight]", "LINEHEIGHT=90"}) {
        const size_t nFound = str.find(pszKey, nAt);
        ASSERT_NE(nFound, std::string::npos) << pszKey << " after " << nAt << " in\n" << str;
        nAt = nFound;
    }

    // A settings file that cannot be written (a folder has its name): no message, and the
    // program still ends.
    DeleteFileW(strIni.c_str());
    ASSERT_TRUE(CreateDirectoryW(strIni.c_str(), nullptr));
    m_messages.clear();
    m_startMessages.clear();
    SetUp();
    CCanvasTestAccess::LineHeight(*m_pView) = 50;
    EndProgram();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(GetFileAttributesW(strIni.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              DWORD(FILE_ATTRIBUTE_DIRECTORY));
    RemoveDirectoryW(strIni.c_str());
}
