#include "ImageFiles.h"
#include "kvofunc.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kPaper = RGB(0xE5, 0xE2, 0xCC);
constexpr COLORREF kLine = RGB(0xC5, 0xC0, 0xAC);

// Four flat quadrants of 37 x 23 (odd sizes, so row padding matters): red, green, blue, paper.
void PaintQuadrants(CTestImage& img) {
    img.Fill({0, 0, 18, 11}, RGB(200, 30, 40));
    img.Fill({18, 0, 37, 11}, RGB(20, 180, 60));
    img.Fill({0, 11, 18, 23}, RGB(30, 50, 210));
    img.Fill({18, 11, 37, 23}, kPaper);
}

// Checks the centres of the four quadrants within a tolerance.
void ExpectQuadrants(HBITMAP hbm, int nTolerance) {
    int w = 0, h = 0;
    std::vector<COLORREF> px = ReadPixels(hbm, w, h);
    ASSERT_EQ(w, 37);
    ASSERT_EQ(h, 23);
    const struct {
        int x, y;
        COLORREF cr;
    } probes[] = {{8, 5, RGB(200, 30, 40)},
                  {28, 5, RGB(20, 180, 60)},
                  {8, 17, RGB(30, 50, 210)},
                  {28, 17, kPaper}};
    for (const auto& p : probes)
        EXPECT_LE(ColourDistance(px[p.y * w + p.x], p.cr), nTolerance)
            << "pixel (" << p.x << "," << p.y << ") is " << std::hex << px[p.y * w + p.x]
            << ", expected " << p.cr;
}

HBITMAP WriteAndRead(int nFormat, const char* pszName, int& w, int& h) {
    CTestImage img(37, 23);
    PaintQuadrants(img);
    std::string strPath = TempPath(pszName);
    EXPECT_TRUE(CreateAttachment(img.Dc(), img.Bitmap(), strPath.c_str(), nFormat, kPaper, kLine));
    HBITMAP hbm = CreateBitmapFromFile(strPath.c_str(), &w, &h);
    DeleteFileA(strPath.c_str());
    return hbm;
}

} // namespace

TEST(KvofuncRoundTrip, PngKeepsSizeAndExactColours) {
    int w = 0, h = 0;
    HBITMAP hbm = WriteAndRead(2, "a.png", w, h);
    ASSERT_NE(hbm, nullptr);
    EXPECT_EQ(w, 37);
    EXPECT_EQ(h, 23);
    ExpectQuadrants(hbm, 0);
    DeleteObject(hbm);
}

TEST(KvofuncRoundTrip, JpegKeepsSizeAndApproximateColours) {
    int w = 0, h = 0;
    HBITMAP hbm = WriteAndRead(1, "a.jpg", w, h);
    ASSERT_NE(hbm, nullptr);
    EXPECT_EQ(w, 37);
    EXPECT_EQ(h, 23);
    ExpectQuadrants(hbm, 24);
    DeleteObject(hbm);
}

TEST(KvofuncRoundTrip, GifWithFewColoursKeepsThemExactly) {
    int w = 0, h = 0;
    HBITMAP hbm = WriteAndRead(0, "a.gif", w, h);
    ASSERT_NE(hbm, nullptr);
    EXPECT_EQ(w, 37);
    EXPECT_EQ(h, 23);
    ExpectQuadrants(hbm, 0);
    DeleteObject(hbm);
}

TEST(KvofuncRoundTrip, FileStartsWithTheSignatureOfItsFormat) {
    CTestImage img(8, 8);
    img.Fill({0, 0, 8, 8}, kPaper);
    const struct {
        int nFormat;
        std::vector<std::uint8_t> sig;
    } cases[] = {{0, {'G', 'I', 'F', '8'}}, {1, {0xFF, 0xD8, 0xFF}}, {2, {0x89, 'P', 'N', 'G'}}};
    for (const auto& c : cases) {
        std::string strPath = TempPath("sig.img");
        ASSERT_TRUE(
            CreateAttachment(img.Dc(), img.Bitmap(), strPath.c_str(), c.nFormat, kPaper, kLine));
        std::vector<std::uint8_t> data = FileBytes(strPath);
        ASSERT_GE(data.size(), c.sig.size());
        EXPECT_TRUE(std::equal(c.sig.begin(), c.sig.end(), data.begin())) << "format " << c.nFormat;
        DeleteFileA(strPath.c_str());
    }
}

// A page of more than 256 colours: the GIF palette still holds the paper and line colours exactly.
TEST(KvofuncColours, GifKeepsPaperAndLineColoursExactAmongManyColours) {
    CTestImage img(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            img.Set(x, y, RGB(x * 4, y * 4, (x * y) & 0xFF));
    img.Fill({0, 0, 64, 8}, kPaper);
    img.Fill({0, 30, 64, 32}, kLine);
    std::string strPath = TempPath("many.gif");
    ASSERT_TRUE(CreateAttachment(img.Dc(), img.Bitmap(), strPath.c_str(), 0, kPaper, kLine));
    int w = 0, h = 0;
    HBITMAP hbm = CreateBitmapFromFile(strPath.c_str(), &w, &h);
    DeleteFileA(strPath.c_str());
    ASSERT_NE(hbm, nullptr);
    std::vector<COLORREF> px = ReadPixels(hbm, w, h);
    DeleteObject(hbm);
    for (int x = 0; x < 64; ++x) {
        EXPECT_EQ(px[4 * 64 + x], kPaper) << "paper at x " << x;
        EXPECT_EQ(px[31 * 64 + x], kLine) << "line at x " << x;
    }
}

TEST(KvofuncWrite, ReplacesAnExistingLargerFile) {
    std::string strPath = TempPath("over.png");
    WriteBytes(strPath, std::vector<std::uint8_t>(200000, 0xAB));
    CTestImage img(5, 3);
    img.Fill({0, 0, 5, 3}, RGB(1, 2, 3));
    ASSERT_TRUE(CreateAttachment(img.Dc(), img.Bitmap(), strPath.c_str(), 2, kPaper, kLine));
    EXPECT_LT(FileBytes(strPath).size(), 1000u);
    int w = 0, h = 0;
    HBITMAP hbm = CreateBitmapFromFile(strPath.c_str(), &w, &h);
    ASSERT_NE(hbm, nullptr);
    EXPECT_EQ(w, 5);
    EXPECT_EQ(h, 3);
    DeleteObject(hbm);
    DeleteFileA(strPath.c_str());
}

TEST(KvofuncWrite, BitmapWithoutContextIsSelectedByTheLibrary) {
    CTestImage img(37, 23);
    PaintQuadrants(img);
    img.Deselect();
    std::string strPath = TempPath("noctx.png");
    ASSERT_TRUE(CreateAttachment(nullptr, img.Bitmap(), strPath.c_str(), 2, kPaper, kLine));
    int w = 0, h = 0;
    HBITMAP hbm = CreateBitmapFromFile(strPath.c_str(), &w, &h);
    DeleteFileA(strPath.c_str());
    ASSERT_NE(hbm, nullptr);
    ExpectQuadrants(hbm, 0);
    DeleteObject(hbm);
}

TEST(KvofuncWrite, BadArgumentsFailAndLeaveTheFileAlone) {
    CTestImage img(4, 4);
    std::string strPath = TempPath("keep.png");
    const std::vector<std::uint8_t> old(100, 0x5A);
    WriteBytes(strPath, old);
    EXPECT_FALSE(CreateAttachment(img.Dc(), nullptr, strPath.c_str(), 2, kPaper, kLine));
    EXPECT_FALSE(CreateAttachment(img.Dc(), img.Bitmap(), strPath.c_str(), 3, kPaper, kLine));
    EXPECT_FALSE(CreateAttachment(img.Dc(), img.Bitmap(), strPath.c_str(), -1, kPaper, kLine));
    EXPECT_FALSE(CreateAttachment(img.Dc(), img.Bitmap(), nullptr, 2, kPaper, kLine));
    EXPECT_FALSE(CreateAttachment(img.Dc(), img.Bitmap(), "", 2, kPaper, kLine));
    HBITMAP hbmGone = CreateBitmap(4, 4, 1, 32, nullptr);
    DeleteObject(hbmGone);
    EXPECT_FALSE(CreateAttachment(nullptr, hbmGone, strPath.c_str(), 2, kPaper, kLine));
    EXPECT_EQ(FileBytes(strPath), old);
    DeleteFileA(strPath.c_str());
}

TEST(KvofuncWrite, PathInAMissingFolderFails) {
    CTestImage img(4, 4);
    std::string strPath = TempPath("no-such-folder\\x.jpg");
    EXPECT_FALSE(CreateAttachment(img.Dc(), img.Bitmap(), strPath.c_str(), 1, kPaper, kLine));
}

TEST(KvofuncRead, MissingOrGarbageFileGivesNullAndZeroSize) {
    int w = 7, h = 7;
    EXPECT_EQ(CreateBitmapFromFile(TempPath("missing.jpg").c_str(), &w, &h), nullptr);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    std::string strPath = TempPath("garbage.jpg");
    std::vector<std::uint8_t> junk(5000);
    for (size_t i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<std::uint8_t>(i * 7919 >> 3);
    WriteBytes(strPath, junk);
    w = h = 7;
    EXPECT_EQ(CreateBitmapFromFile(strPath.c_str(), &w, &h), nullptr);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(CreateBitmapFromFile(nullptr, &w, &h), nullptr);
    EXPECT_EQ(CreateBitmapFromFile("", nullptr, nullptr), nullptr);
    DeleteFileA(strPath.c_str());
}

// A JPEG whose frame header claims 60000 x 60000 pixels is refused before anything is allocated.
TEST(KvofuncRead, JpegWithAbsurdSizeIsRefused) {
    CTestImage img(16, 16);
    std::string strPath = TempPath("huge.jpg");
    ASSERT_TRUE(CreateAttachment(img.Dc(), img.Bitmap(), strPath.c_str(), 1, kPaper, kLine));
    std::vector<std::uint8_t> data = FileBytes(strPath);
    size_t i = 2;
    while (i + 9 < data.size() && !(data[i] == 0xFF && data[i + 1] == 0xC0))
        ++i;
    ASSERT_LT(i + 9, data.size()) << "no baseline frame header";
    data[i + 5] = data[i + 7] = 0xEA; // 0xEA60 = 60000
    data[i + 6] = data[i + 8] = 0x60;
    WriteBytes(strPath, data);
    int w = 1, h = 1;
    EXPECT_EQ(CreateBitmapFromFile(strPath.c_str(), &w, &h), nullptr);
    EXPECT_EQ(w, 0);
    DeleteFileA(strPath.c_str());
}

// A JPEG cut in half either decodes what is there or fails; it never brings the caller down.
TEST(KvofuncRead, TruncatedJpegDoesNotCrash) {
    CTestImage img(40, 40);
    PaintQuadrants(img);
    std::string strPath = TempPath("cut.jpg");
    ASSERT_TRUE(CreateAttachment(img.Dc(), img.Bitmap(), strPath.c_str(), 1, kPaper, kLine));
    std::vector<std::uint8_t> data = FileBytes(strPath);
    data.resize(data.size() / 2);
    WriteBytes(strPath, data);
    int w = -1, h = -1;
    HBITMAP hbm = CreateBitmapFromFile(strPath.c_str(), &w, &h);
    if (hbm) {
        EXPECT_EQ(w, 40);
        DeleteObject(hbm);
    } else {
        EXPECT_EQ(w, 0);
    }
    DeleteFileA(strPath.c_str());
}

TEST(KvofuncRead, BitmapIsCompatibleWithTheScreen) {
    int w = 0, h = 0;
    HBITMAP hbm = WriteAndRead(2, "compat.png", w, h);
    ASSERT_NE(hbm, nullptr);
    BITMAP bm{};
    GetObjectW(hbm, sizeof(bm), &bm);
    HDC hdc = GetDC(nullptr);
    EXPECT_EQ(bm.bmBitsPixel, GetDeviceCaps(hdc, BITSPIXEL) * GetDeviceCaps(hdc, PLANES));
    EXPECT_EQ(bm.bmBits, nullptr) << "a device-dependent bitmap, not a DIB section";
    ReleaseDC(nullptr, hdc);
    DeleteObject(hbm);
}

// A 2 x 1 24-bit BMP assembled byte by byte: red, blue.
TEST(KvofuncRead, BmpFileIsRead) {
    const std::vector<std::uint8_t> bmp = {
        'B', 'M', 62,  0,   0, 0, 0, 0, 0, 0, 54, 0, 0, 0, // file header
        40,  0,   0,   0,   2, 0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0,
        0,   0,   0,   0,   8, 0, 0, 0,                           // info header
        0,   0,   0,   0,   0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, //
        0,   0,   255, 255, 0, 0, 0, 0};                          // one row
    std::string strPath = TempPath("two.bmp");
    WriteBytes(strPath, bmp);
    int w = 0, h = 0;
    HBITMAP hbm = CreateBitmapFromFile(strPath.c_str(), &w, &h);
    DeleteFileA(strPath.c_str());
    ASSERT_NE(hbm, nullptr);
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 1);
    std::vector<COLORREF> px = ReadPixels(hbm, w, h);
    DeleteObject(hbm);
    EXPECT_EQ(px, (std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 0, 255)}));
}

// PNG and GIF headers that claim an absurd size are refused before decoding.
TEST(KvofuncRead, PngAndGifWithAbsurdSizeAreRefused) {
    CTestImage img(8, 8);
    for (int nFormat : {0, 2}) {
        std::string strPath = TempPath(nFormat == 0 ? "huge.gif" : "huge.png");
        ASSERT_TRUE(
            CreateAttachment(img.Dc(), img.Bitmap(), strPath.c_str(), nFormat, kPaper, kLine));
        std::vector<std::uint8_t> data = FileBytes(strPath);
        if (nFormat == 2) {
            data[16] = data[20] = 0x00; // IHDR width and height: 0x00FFFFFF
            data[17] = data[18] = data[19] = data[21] = data[22] = data[23] = 0xFF;
        } else {
            data[6] = data[7] = data[8] = data[9] = 0xFF; // screen 65535 x 65535
        }
        WriteBytes(strPath, data);
        int w = 1, h = 1;
        EXPECT_EQ(CreateBitmapFromFile(strPath.c_str(), &w, &h), nullptr) << "format " << nFormat;
        EXPECT_EQ(w, 0);
        DeleteFileA(strPath.c_str());
    }
}
