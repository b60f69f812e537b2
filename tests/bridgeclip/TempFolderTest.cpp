#include "Brevix.h"
#include "InkBitmap.h"
#include "InkOwner.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Points the temporary folder of this process somewhere else for one test.
class TemporaryFolder : public InsertionTest {
protected:
    void TearDown() override {
        SetTemp(m_strSavedTmp.c_str());
        InsertionTest::TearDown();
    }
    void SetUp() override {
        InsertionTest::SetUp();
        char szValue[MAX_PATH] = "";
        GetEnvironmentVariableA("TMP", szValue, MAX_PATH);
        m_strSavedTmp = szValue;
        GetTempPathA(MAX_PATH, szValue);
        m_strRealTemp = szValue;
    }
    static void SetTemp(const char* pszFolder) {
        SetEnvironmentVariableA("TMP", pszFolder);
        SetEnvironmentVariableA("TEMP", pszFolder);
    }
    std::string m_strSavedTmp;
    std::string m_strRealTemp;
    CInkBitmap m_ink{4, 4};
};

} // namespace

TEST_F(TemporaryFolder, FolderTooLongForAFileNameGivesOnlyTheBitmap) {
    const std::string strLong = "C:\\" + std::string(250, 'x') + "\\";
    SetTemp(strLong.c_str());
    char szCheck[MAX_PATH + 300];
    ASSERT_GT(GetTempPathA(sizeof(szCheck), szCheck), static_cast<DWORD>(MAX_PATH - 14));
    CPasteTarget target(Ask::Both);
    EXPECT_EQ(Insert(target, m_ink), 1);
    EXPECT_TRUE(target.m_bDibAvailable);
    EXPECT_FALSE(target.m_bHtmlAvailable);
    EXPECT_FALSE(target.m_dib.empty());
}

TEST_F(TemporaryFolder, LongFolderPathIsKeptWholeInTheFragment) {
    // A folder whose path leaves just room for the file name: the image path is 258 characters.
    const std::size_t nName = MAX_PATH - 14 - m_strRealTemp.size() - 1;
    const std::string strFolder = m_strRealTemp + std::string(nName, 'L') + "\\";
    ASSERT_EQ(strFolder.size(), static_cast<std::size_t>(MAX_PATH - 14));
    ASSERT_TRUE(CreateDirectoryA(strFolder.c_str(), nullptr));
    SetTemp(strFolder.c_str());
    CPasteTarget target(Ask::Html);
    EXPECT_EQ(Insert(target, m_ink), 1);
    const std::string strPath = ImagePathOf(target.m_strHtml);
    EXPECT_EQ(strPath.substr(0, strFolder.size()), strFolder);
    EXPECT_GE(strPath.size(), strFolder.size() + 10);
    EXPECT_TRUE(FileExists(strPath));
    DeleteFileA(strPath.c_str());
    RemoveDirectoryA(strFolder.c_str());
}
