// The program's own bitmap reader over every uncompressed layout it reads (tests/data/bitmaps,
// made by make_bitmaps.py with the pixels each file holds in pixels.txt): every pixel of every
// file, as the reader gives it and as the loaded picture shows it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "BmpReader.h"
#include "NoteTestUtil.h"
#include "Picture.h"

namespace {

const std::string kFolder = QUILLET_TEST_DATA "/bitmaps/";

struct CExpected {
    std::string strName;
    LONG nWidth = 0, nHeight = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB from the top row down
};

std::vector<CExpected> ReadExpected() {
    std::ifstream in(kFolder + "pixels.txt");
    std::vector<CExpected> files;
    CExpected e;
    while (in >> e.strName >> e.nWidth >> e.nHeight) {
        e.pixels.resize(static_cast<size_t>(e.nWidth) * e.nHeight);
        for (std::uint32_t& n : e.pixels)
            in >> std::hex >> n >> std::dec;
        files.push_back(e);
    }
    return files;
}

std::vector<std::uint8_t> ReadFile(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ExpectSame(const std::vector<std::uint32_t>& got, const CExpected& e, const char* pszWhat) {
    ASSERT_EQ(got.size(), e.pixels.size()) << e.strName << pszWhat;
    for (size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(got[i], e.pixels[i]) << std::hex << e.strName << pszWhat << ": pixel ("
                                       << std::dec << i % e.nWidth << ", " << i / e.nWidth << ")";
}

} // namespace

TEST(BmpReaderFiles, EveryDepthAndHeaderGivesEveryPixel) {
    const std::vector<CExpected> files = ReadExpected();
    ASSERT_EQ(files.size(), 23u) << "pixels.txt as make_bitmaps.py writes it";
    for (const CExpected& e : files) {
        const std::vector<std::uint8_t> file = ReadFile(kFolder + e.strName);
        ASSERT_GT(file.size(), 54u) << e.strName;
        // The reader gets what follows the file header, as the picture hands it over.
        std::vector<std::uint8_t> dib(file.begin() + 14, file.end());
        CBmpReader reader(reinterpret_cast<BITMAPINFO*>(dib.data()),
                          static_cast<std::int64_t>(dib.size()));
        ASSERT_EQ(reader.Check(e.nWidth * e.nHeight), CBmpReader::ECheck::Ok) << e.strName;
        ExpectSame(reader.ReadPixels(), e, "");

        CMessageCapture capture;
        CPicture picture;
        EXPECT_TRUE(picture.Load(std::wstring(kFolder.begin(), kFolder.end()) +
                                 std::wstring(e.strName.begin(), e.strName.end())));
        EXPECT_TRUE(capture.Messages().empty()) << e.strName;
        ASSERT_EQ(picture.GetWidth(), e.nWidth) << e.strName;
        ASSERT_EQ(picture.GetHeight(), e.nHeight) << e.strName;
        std::vector<std::uint32_t> shown;
        for (COLORREF cr : BitmapPixels(picture.GetBitmap()))
            shown.push_back(GetRValue(cr) << 16 | GetGValue(cr) << 8 | GetBValue(cr));
        ExpectSame(shown, e, " as a picture");
    }
}
