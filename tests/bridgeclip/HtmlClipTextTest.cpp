#include "InkHtml.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Reads the eight digits behind "Key:" and checks that the line still ends right after them.
long OffsetOf(const std::string& strText, const char* pszKey) {
    const std::size_t nAt = strText.find(pszKey);
    EXPECT_NE(nAt, std::string::npos) << pszKey;
    const std::size_t nDigits = nAt + std::string(pszKey).size();
    EXPECT_EQ(strText.substr(nDigits + 8, 2), "\r\n") << pszKey;
    return std::strtol(strText.substr(nDigits, 8).c_str(), nullptr, 10);
}

} // namespace

TEST(HtmlClipText, HeaderLinesAndMarkersAreExact) {
    const std::string strText = BuildHtmlClipText("<IMG SRC=\"C:\\t\\aan1.tmp\">");
    EXPECT_EQ(strText, "Version:0.9\r\n"
                       "StartHTML:00000097\r\n"
                       "EndHTML:00000197\r\n"
                       "StartFragment:00000111\r\n"
                       "EndFragment:00000161\r\n"
                       "<html><body>\r\n"
                       "<!--StartFragment -->\r\n"
                       "<IMG SRC=\"C:\\t\\aan1.tmp\">\r\n"
                       "<!--EndFragment-->\r\n</body>\r\n</html>");
}

TEST(HtmlClipText, FortyCharacterFragmentEndsAt176And212) {
    const std::string strText = BuildHtmlClipText(std::string(40, 'x'));
    EXPECT_EQ(OffsetOf(strText, "StartHTML:"), 97);
    EXPECT_EQ(OffsetOf(strText, "StartFragment:"), 111);
    EXPECT_EQ(OffsetOf(strText, "EndFragment:"), 176);
    EXPECT_EQ(OffsetOf(strText, "EndHTML:"), 212);
}

TEST(HtmlClipText, OffsetsPointAtTheirMarkersForEveryLength) {
    for (std::size_t n : {0u, 1u, 9u, 99u, 272u, 1000u}) {
        const std::string strText = BuildHtmlClipText(std::string(n, 'a'));
        EXPECT_EQ(OffsetOf(strText, "StartHTML:"), 97) << "fragment of " << n;
        EXPECT_EQ(strText.compare(97, 6, "<html>"), 0) << "fragment of " << n;
        EXPECT_EQ(OffsetOf(strText, "StartFragment:"), 111) << "fragment of " << n;
        EXPECT_EQ(strText.compare(111, 21, "<!--StartFragment -->"), 0) << "fragment of " << n;
        EXPECT_EQ(OffsetOf(strText, "EndFragment:"), static_cast<long>(136 + n))
            << "fragment of " << n;
        EXPECT_EQ(strText.compare(136 + n, 18, "<!--EndFragment-->"), 0) << "fragment of " << n;
        EXPECT_EQ(OffsetOf(strText, "EndHTML:"), static_cast<long>(172 + n)) << "fragment of " << n;
        EXPECT_EQ(strText.size(), 172 + n) << "fragment of " << n;
    }
}

TEST(HtmlFragment, QuotesTheWholePath) {
    EXPECT_EQ(BuildHtmlFragment("C:\\x\\aanA.tmp"), "<IMG SRC=\"C:\\x\\aanA.tmp\">");
    const std::string strLong = "C:\\" + std::string(256, 'p');
    EXPECT_EQ(strLong.size(), 259u);
    const std::string strFragment = BuildHtmlFragment(strLong.c_str());
    EXPECT_EQ(strFragment.size(), 259u + 12u);
    EXPECT_EQ(strFragment.substr(10, 259), strLong);
    EXPECT_EQ(strFragment.substr(269), "\">");
}
