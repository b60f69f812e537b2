// A multi-sample stroke leaves exactly the pixels of the stored reference image, on every run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "DibCanvas.h"
#include "InkTestUtil.h"
#include "SMLine.h"

namespace {

std::wstring DataPath(const wchar_t* pszName) {
    std::string s = QUILLET_TEST_DATA;
    return std::wstring(s.begin(), s.end()) + L"\\" + pszName;
}

std::vector<Sample> ReadSamples() {
    std::ifstream in(std::filesystem::path(DataPath(L"ink-brush-stroke.txt")));
    std::vector<Sample> samples;
    std::string strLine;
    while (std::getline(in, strLine)) {
        if (strLine.empty() || strLine[0] == '#')
            continue;
        std::istringstream fields(strLine);
        Sample s{};
        fields >> s.x >> s.y >> s.nPressure;
        samples.push_back(s);
    }
    return samples;
}

void DrawStroke(CSMLine& sm, HDC hdc, const std::vector<Sample>& samples) {
    DrawSamples(sm, hdc, samples, 511, 1.0f, kInk);
}

} // namespace

TEST(BrushGolden, RecordedStrokeMatchesTheReferenceImage) {
    const std::vector<Sample> samples = ReadSamples();
    ASSERT_EQ(samples.size(), 90u);
    CDibCanvas canvas(220, 110, kPaper);
    CSMLine sm;
    DrawStroke(sm, canvas.Dc(), samples);
    const std::wstring strGolden = DataPath(L"ink-brush-golden.bmp");
    if (std::getenv("QUILLET_UPDATE_GOLDEN")) {
        ASSERT_TRUE(canvas.SaveBmp(strGolden));
    }
    CDibCanvas golden(220, 110);
    ASSERT_TRUE(golden.LoadBmp(strGolden));
    EXPECT_EQ(canvas.FirstDifference(golden), "");
    EXPECT_GT(canvas.CountOther(kPaper), 1000);
}

TEST(BrushGolden, SameStrokeLeavesTheSamePixelsEveryTime) {
    const std::vector<Sample> samples = ReadSamples();
    CDibCanvas first(220, 110, kPaper), second(220, 110, kPaper);
    CSMLine sm;
    DrawStroke(sm, first.Dc(), samples);
    // The same renderer again (its ring still holds the last stroke's stamps) and a new one.
    DrawStroke(sm, second.Dc(), samples);
    EXPECT_EQ(first.FirstDifference(second), "");
    CDibCanvas third(220, 110, kPaper);
    CSMLine fresh;
    DrawStroke(fresh, third.Dc(), samples);
    EXPECT_EQ(first.FirstDifference(third), "");
}
