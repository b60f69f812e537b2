// The string table of KVOStart.exe in every language it carries, read from the built program.
#include <gtest/gtest.h>
#include <windows.h>

#include "LaunchHarness.h"
#include "LauncherStrings.h"

namespace {
struct LanguageTexts {
    LANGID lang;
    const char* pszName;
    const wchar_t* pszNoDriver;
    const wchar_t* pszNoProgram;
};

constexpr wchar_t kEnglishNoProgram[] = L"The Application of Quillet is not found";

const LanguageTexts kTexts[] = {
    {0x0409, "English", L"Tablet Driver is not found", kEnglishNoProgram},
    {0x0404, "Chinese (Traditional)", L"未發現手寫板驅動程式", L"未發現Quillet應用程式"},
    {0x0804, "Chinese (Simplified)", L"未发现手写板驱动程序", L"未发现Quillet应用程式"},
    {0x0407, "German", L"Tablet-Treiber nicht gefunden", kEnglishNoProgram},
    {0x040C, "French", L"Pilote Tablet est introuvable", kEnglishNoProgram},
    {0x0410, "Italian", L"Il Driver della Tavoletta non si trova", kEnglishNoProgram},
    {0x0411, "Japanese", L"タブレットの駆動部は見つかりません", kEnglishNoProgram},
    {0x0413, "Dutch", L"Het Tablet-stuurprogramma is niet gevonden ", kEnglishNoProgram},
    {0x0415, "Polish", L"Nie znaleziono sterownika tabletu", kEnglishNoProgram},
    {0x0416, "Portuguese", L"Tablete do Driver n\u00E3o encontrada", kEnglishNoProgram},
    {0x0C0A, "Spanish", L"El driver de Pastilla no es encontrado ", kEnglishNoProgram},
};

class LauncherStringTable : public testing::Test {
protected:
    void SetUp() override {
        m_hModule = LoadLibraryExW((BinDir() + L"\\KVOStart.exe").c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_hModule, nullptr);
    }
    void TearDown() override {
        if (m_hModule)
            FreeLibrary(m_hModule);
    }
    HMODULE m_hModule = nullptr;
};
} // namespace

TEST_F(LauncherStringTable, CarriesBothMessagesInEveryLanguage) {
    for (const auto& texts : kTexts) {
        EXPECT_EQ(LoadLanguageString(m_hModule, 102, texts.lang), texts.pszNoDriver)
            << texts.pszName << ", message 102";
        EXPECT_EQ(LoadLanguageString(m_hModule, 104, texts.lang), texts.pszNoProgram)
            << texts.pszName << ", message 104";
    }
}

TEST_F(LauncherStringTable, DutchAndSpanishDriverMessagesEndInABlank) {
    EXPECT_EQ(LoadLanguageString(m_hModule, 102, 0x0413).back(), L' ');
    EXPECT_EQ(LoadLanguageString(m_hModule, 102, 0x0C0A).back(), L' ');
}

TEST_F(LauncherStringTable, HasNoOtherLanguages) {
    EXPECT_EQ(LoadLanguageString(m_hModule, 102, 0x0419), L"") << "Russian";
    EXPECT_EQ(LoadLanguageString(m_hModule, 103, 0x0409), L"") << "id 103";
}

TEST_F(LauncherStringTable, EveryInterfaceLanguageFindsBothMessages) {
    for (LANGID lang :
         {0x0409, 0x0809, 0x0419, 0x0404, 0x0C04, 0x0804, 0x1004, 0x0407, 0x0807, 0x040C, 0x080C,
          0x0410, 0x0411, 0x0413, 0x0813, 0x0415, 0x0416, 0x0816, 0x040A, 0x080A, 0x0C0A, 0x041F}) {
        EXPECT_FALSE(LoadLanguageString(m_hModule, 102, ChooseStringLanguage(lang)).empty())
            << "language " << std::hex << lang;
        EXPECT_FALSE(LoadLanguageString(m_hModule, 104, ChooseStringLanguage(lang)).empty())
            << "language " << std::hex << lang;
    }
}

TEST_F(LauncherStringTable, UserLanguageOfTheTestPrefixIsEnglish) {
    ASSERT_EQ(ChooseStringLanguage(GetUserDefaultUILanguage()), 0x0409);
    EXPECT_EQ(LoadUserString(m_hModule, 102), L"Tablet Driver is not found");
}

TEST(LauncherLanguage, ChineseScriptFollowsTheRegion) {
    EXPECT_EQ(ChooseStringLanguage(0x0404), 0x0404) << "Taiwan";
    EXPECT_EQ(ChooseStringLanguage(0x0C04), 0x0404) << "Hong Kong";
    EXPECT_EQ(ChooseStringLanguage(0x1404), 0x0404) << "Macao";
    EXPECT_EQ(ChooseStringLanguage(0x7C04), 0x0404) << "zh-Hant";
    EXPECT_EQ(ChooseStringLanguage(0x0804), 0x0804) << "mainland";
    EXPECT_EQ(ChooseStringLanguage(0x1004), 0x0804) << "Singapore";
    EXPECT_EQ(ChooseStringLanguage(0x0004), 0x0804) << "zh-Hans";
}

TEST(LauncherLanguage, RegionalFormsShareTheirLanguage) {
    EXPECT_EQ(ChooseStringLanguage(0x0807), 0x0407) << "Swiss German";
    EXPECT_EQ(ChooseStringLanguage(0x0C07), 0x0407) << "Austrian German";
    EXPECT_EQ(ChooseStringLanguage(0x080C), 0x040C) << "Belgian French";
    EXPECT_EQ(ChooseStringLanguage(0x0810), 0x0410) << "Swiss Italian";
    EXPECT_EQ(ChooseStringLanguage(0x0813), 0x0413) << "Flemish";
    EXPECT_EQ(ChooseStringLanguage(0x0816), 0x0416) << "Portuguese of Portugal";
    EXPECT_EQ(ChooseStringLanguage(0x040A), 0x0C0A) << "Spanish, traditional sort";
    EXPECT_EQ(ChooseStringLanguage(0x080A), 0x0C0A) << "Mexican Spanish";
    EXPECT_EQ(ChooseStringLanguage(0x0411), 0x0411) << "Japanese";
    EXPECT_EQ(ChooseStringLanguage(0x0415), 0x0415) << "Polish";
}

TEST(LauncherLanguage, OtherLanguagesGetEnglish) {
    EXPECT_EQ(ChooseStringLanguage(0x0809), 0x0409) << "British English";
    EXPECT_EQ(ChooseStringLanguage(0x0419), 0x0409) << "Russian";
    EXPECT_EQ(ChooseStringLanguage(0x0412), 0x0409) << "Korean";
    EXPECT_EQ(ChooseStringLanguage(0x0000), 0x0409) << "neutral";
}
