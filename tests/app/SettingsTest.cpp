#include <gtest/gtest.h>

#include <fstream>

#include "Settings.h"
#include "TestFolder.h"

namespace {
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { settings::SetFolderOverride(m_folder.Path()); }
    void TearDown() override { settings::SetFolderOverride(L""); }
    void WriteIni(const char* pszText) {
        std::string str = pszText;
        CTestFolder::WriteBytes(m_folder / L"ZLNKVO.ini",
                                std::vector<std::uint8_t>(str.begin(), str.end()));
    }
    std::string ReadIni() {
        auto data = CTestFolder::ReadBytes(m_folder / L"ZLNKVO.ini");
        return std::string(data.begin(), data.end());
    }
    CTestFolder m_folder;
};
} // namespace

TEST_F(SettingsFile, EveryKeyHasItsDefaultWhenTheFileIsMissing) {
    EXPECT_EQ(settings::ReadAboutLogo(), 0);
    EXPECT_EQ(settings::ReadUINew(), L"");
    EXPECT_EQ(settings::ReadPenColor(), 8388608u);
    EXPECT_EQ(settings::ReadBackColor(), 13427429u);
    EXPECT_EQ(settings::ReadLineColor(), 11321541u);
    EXPECT_EQ(settings::ReadLineHeight(), 90);
    EXPECT_EQ(settings::ReadRecordDate(), L"");
    const COLORREF blocks[12] = {255,     65280,   16711680, 65535, 16711935, 0,
                                 4194432, 2129952, 8388672,  32896, 8388736,  8421504};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(settings::ReadColorBlock(i), blocks[i]) << "COLORBLOCK" << i;
    EXPECT_TRUE(m_folder.List().empty()) << "reading must not create the file";
}

TEST_F(SettingsFile, LivesInTheProgramFolderAsZLNKVOini) {
    settings::SetFolderOverride(L"");
    wchar_t sz[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, sz, MAX_PATH);
    std::wstring strExe = sz;
    std::wstring strDir = strExe.substr(0, strExe.find_last_of(L'\\'));
    EXPECT_EQ(settings::GetModuleDir(), strDir);
    EXPECT_NE(settings::GetModuleDir().back(), L'\\');
    EXPECT_EQ(settings::GetSettingsPath(), strDir + L"\\ZLNKVO.ini");
}

TEST_F(SettingsFile, ValuesAreReadAgainAtEachAccess) {
    WriteIni("[COLOR]\r\nPENCOLOR=255\r\n[LineHeight]\r\nLINEHEIGHT=60\r\n");
    EXPECT_EQ(settings::ReadPenColor(), 255u);
    EXPECT_EQ(settings::ReadLineHeight(), 60);
    WriteIni("[COLOR]\r\nPENCOLOR=65280\r\n[LineHeight]\r\nLINEHEIGHT=120\r\n");
    EXPECT_EQ(settings::ReadPenColor(), 65280u);
    EXPECT_EQ(settings::ReadLineHeight(), 120);
}

TEST_F(SettingsFile, KeysAreFoundWhateverTheirCase) {
    WriteIni("[color]\r\nbkcolor=1234\r\n[ui]\r\nnew=1\r\n[setting]\r\nzelnarlogo=7\r\n");
    EXPECT_EQ(settings::ReadBackColor(), 1234u);
    EXPECT_EQ(settings::ReadUINew(), L"1");
    EXPECT_EQ(settings::ReadAboutLogo(), 7);
}

TEST_F(SettingsFile, LineHeightThatWouldNeverEndOrVanishIsReplaced) {
    const struct {
        const char* pszValue;
        int nExpected;
    } cases[] = {{"0", 90},  {"-20", 90},    {"1", 10},      {"9", 10},           {"10", 10},
                 {"40", 40}, {"6144", 6144}, {"6145", 6144}, {"2000000000", 6144}};
    for (const auto& c : cases) {
        WriteIni((std::string("[LineHeight]\r\nLINEHEIGHT=") + c.pszValue + "\r\n").c_str());
        EXPECT_EQ(settings::ReadLineHeight(), c.nExpected) << "LINEHEIGHT=" << c.pszValue;
    }
}

TEST_F(SettingsFile, ColourOutsideTheRgbRangeReadsAsTheDefault) {
    WriteIni("[COLOR]\r\nPENCOLOR=-1\r\nBKCOLOR=16777216\r\nLINECOLOR=16777215\r\n"
             "COLORBLOCK3=-5\r\nCOLORBLOCK4=99\r\n");
    EXPECT_EQ(settings::ReadPenColor(), 8388608u);
    EXPECT_EQ(settings::ReadBackColor(), 13427429u);
    EXPECT_EQ(settings::ReadLineColor(), 16777215u);
    EXPECT_EQ(settings::ReadColorBlock(3), 65535u);
    EXPECT_EQ(settings::ReadColorBlock(4), 99u);
}

TEST_F(SettingsFile, StringsAreCutToFifteenCharacters) {
    WriteIni("[Record]\r\nDate=03052026-123456789\r\n[UI]\r\nNew=abcdefghijklmnopq1\r\n");
    EXPECT_EQ(settings::ReadRecordDate(), L"03052026-123456");
    EXPECT_EQ(settings::ReadUINew(), L"abcdefghijklmno");
}

TEST_F(SettingsFile, PanelKeysAreWrittenAsDecimalText) {
    settings::CPanelSettings panel;
    panel.crPen = 0x800000;
    panel.crBack = 0xCCE2E5;
    panel.crLine = 0xACC0C5;
    for (int i = 0; i < 12; ++i)
        panel.crBlocks[i] = static_cast<COLORREF>(i * 1000);
    panel.nLineHeight = 70;
    ASSERT_TRUE(settings::WritePanelSettings(panel));
    std::string str = ReadIni();
    EXPECT_NE(str.find("PENCOLOR=8388608"), std::string::npos) << str;
    EXPECT_NE(str.find("BKCOLOR=13427429"), std::string::npos) << str;
    EXPECT_NE(str.find("LINECOLOR=11321541"), std::string::npos) << str;
    EXPECT_NE(str.find("COLORBLOCK11=11000"), std::string::npos) << str;
    EXPECT_NE(str.find("LINEHEIGHT=70"), std::string::npos) << str;
    EXPECT_EQ(settings::ReadColorBlock(5), 5000u);
    EXPECT_TRUE(settings::WriteRecordDate(L"03052026-4"));
    EXPECT_EQ(settings::ReadRecordDate(), L"03052026-4");
}
