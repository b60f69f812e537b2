#include <algorithm>
#include <gtest/gtest.h>

#include "NoteTestUtil.h"
#include "Picture.h"
#include "Resources.h"
#include "kvofunc.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
// bfOffBits that points nowhere sensible: the pixels are found after the colour table instead.
constexpr std::uint32_t kBogusOffset = 9999;

struct CLoaded {
    std::unique_ptr<CPicture> pPicture;
    std::vector<std::pair<std::wstring, std::wstring>> messages;
};

CLoaded LoadBytes(const std::vector<std::uint8_t>& file, const std::wstring& strName) {
    const std::wstring strPath = TempFile(strName);
    WriteFileBytes(strPath, file);
    CMessageCapture capture;
    CLoaded r{std::make_unique<CPicture>(), {}};
    r.pPicture->Load(strPath);
    r.messages = capture.Messages();
    DeleteFileW(strPath.c_str());
    return r;
}

void ExpectPixels(const CPicture& pic, int nWidth, int nHeight,
                  const std::vector<COLORREF>& expected) {
    ASSERT_TRUE(pic.HasImage());
    EXPECT_EQ(pic.GetWidth(), nWidth);
    EXPECT_EQ(pic.GetHeight(), nHeight);
    const RECT rc = pic.GetRect();
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, nWidth);
    EXPECT_EQ(rc.bottom, nHeight);
    const std::vector<COLORREF> px = BitmapPixels(pic.GetBitmap());
    ASSERT_EQ(px.size(), expected.size());
    for (size_t i = 0; i < px.size(); ++i)
        EXPECT_EQ(px[i], expected[i]) << "pixel (" << i % nWidth << "," << i / nWidth << ")";
}

void ExpectRefused(const CLoaded& r, const wchar_t* pszText, const wchar_t* pszCaption) {
    EXPECT_FALSE(r.pPicture->HasImage());
    EXPECT_EQ(r.pPicture->GetFileInfo(), nullptr);
    const RECT rc = r.pPicture->GetRect();
    EXPECT_TRUE(IsRectEmpty(&rc));
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].first, pszText);
    EXPECT_EQ(r.messages[0].second, pszCaption);
}

} // namespace

// 10 x 3 at 1 bit: rows of 4 bytes, two colours, pixels right after the 2-entry table.
TEST(PictureLoadBmp, OneBitUsesTwoColoursAndIgnoresTheFileOffset) {
    const std::vector<std::uint8_t> rows = {0xE0, 0x00, 0, 0,  // bottom: 1 1 1 0 ...
                                            0x00, 0x00, 0, 0,  // middle: all 0
                                            0xAA, 0x80, 0, 0}; // top: 1 0 1 0 ...
    CLoaded r = LoadBytes(MakeBmp(10, 3, 1, 0, {kRed, kBlue}, rows, kBogusOffset), L"one.bmp");
    EXPECT_TRUE(r.messages.empty());
    std::vector<COLORREF> expected;
    for (int x = 0; x < 10; ++x)
        expected.push_back(x % 2 == 0 ? kBlue : kRed);
    expected.insert(expected.end(), 10, kRed);
    for (int x = 0; x < 10; ++x)
        expected.push_back(x < 3 ? kBlue : kRed);
    ExpectPixels(*r.pPicture, 10, 3, expected);
    const BITMAPINFOHEADER& bih = r.pPicture->GetFileInfo()->bmiHeader;
    EXPECT_EQ(bih.biClrUsed, 2u) << "a used-colour count of 0 becomes the full table";
    EXPECT_EQ(bih.biSizeImage, 30u) << "an image size of 0 becomes height x width";
}

TEST(PictureLoadBmp, FourBitUsesSixteenColours) {
    std::vector<COLORREF> table;
    for (int i = 0; i < 16; ++i)
        table.push_back(RGB(i * 16, 255 - i * 16, i * 8));
    const std::vector<std::uint8_t> rows = {0xFE, 0xDC, 0xB0, 0x00,  // bottom: 15 14 13 12 11
                                            0x01, 0x23, 0x40, 0x00}; // top: 0 1 2 3 4
    CLoaded r = LoadBytes(MakeBmp(5, 2, 4, 0, table, rows, kBogusOffset), L"four.bmp");
    EXPECT_TRUE(r.messages.empty());
    ExpectPixels(*r.pPicture, 5, 2,
                 {table[0], table[1], table[2], table[3], table[4], table[15], table[14], table[13],
                  table[12], table[11]});
    EXPECT_EQ(r.pPicture->GetFileInfo()->bmiHeader.biClrUsed, 16u);
}

// A used-colour count of 3 makes a 12-byte table: the pixels start at 40 + 12, not 40 + 1024.
TEST(PictureLoadBmp, EightBitWithUsedColourCountTakesPixelsAfterTheShortTable) {
    const COLORREF green = RGB(0, 200, 0);
    const std::vector<std::uint8_t> rows = {0, 0, 2, 0,  // bottom
                                            2, 1, 0, 0}; // top
    CLoaded r =
        LoadBytes(MakeBmp(3, 2, 8, 3, {kRed, green, kBlue}, rows, kBogusOffset, 8), L"eight.bmp");
    EXPECT_TRUE(r.messages.empty());
    ExpectPixels(*r.pPicture, 3, 2, {kBlue, green, kRed, kRed, kRed, kBlue});
    EXPECT_EQ(r.pPicture->GetFileInfo()->bmiHeader.biClrUsed, 3u);
    EXPECT_EQ(r.pPicture->GetFileInfo()->bmiHeader.biSizeImage, 8u) << "a given image size is kept";
}

TEST(PictureLoadBmp, TwentyFourBitHasNoColourTable) {
    const std::vector<std::uint8_t> rows = {
        0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80, 0x90, 0xEE, 0xEE, 0xEE,  // bottom + pad
        0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0xEE, 0xEE, 0xEE}; // top + pad
    CLoaded r = LoadBytes(MakeBmp(3, 2, 24, 0, {}, rows, kBogusOffset), L"rgb.bmp");
    EXPECT_TRUE(r.messages.empty());
    ExpectPixels(*r.pPicture, 3, 2,
                 {RGB(3, 2, 1), RGB(6, 5, 4), RGB(9, 8, 7), RGB(0x30, 0x20, 0x10),
                  RGB(0x60, 0x50, 0x40), RGB(0x90, 0x80, 0x70)});
    EXPECT_EQ(r.pPicture->GetFileInfo()->bmiHeader.biClrUsed, 0u);
    EXPECT_EQ(r.pPicture->GetFileInfo()->bmiHeader.biSizeImage, 6u);
}

TEST(PictureLoadBmp, TopDownRowsGiveAPositiveHeight) {
    const std::vector<std::uint8_t> rows = {0x00, 0, 0, 0,  // top: red
                                            0x80, 0, 0, 0}; // bottom: blue
    CLoaded r = LoadBytes(MakeBmp(1, -2, 1, 0, {kRed, kBlue}, rows, 62), L"topdown.bmp");
    EXPECT_TRUE(r.messages.empty());
    ExpectPixels(*r.pPicture, 1, 2, {kRed, kBlue});
}

TEST(PictureLoadOther, PngFileIsNotSupported) {
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13,
                                           'I',  'H', 'D', 'R', 0,    0,    0,    1,    0, 0, 0, 1};
    ExpectRefused(LoadBytes(png, L"image.png"), L"No Suppost This File Type!", L"Quillet");
}

TEST(PictureLoadOther, ShortTextAndMissingFilesAreNotSupported) {
    ExpectRefused(LoadBytes({'h', 'e', 'l', 'l', 'o'}, L"note.txt"), L"No Suppost This File Type!",
                  L"Quillet");
    CMessageCapture capture;
    CPicture pic;
    EXPECT_FALSE(pic.Load(TempFile(L"absent.bmp")));
    ASSERT_EQ(capture.Messages().size(), 1u);
    EXPECT_EQ(capture.Messages()[0].first, L"No Suppost This File Type!");
}

TEST(PictureLoadJpeg, JpegComesThroughTheImageLibrary) {
    std::vector<COLORREF> px(20 * 10, RGB(40, 90, 200));
    HBITMAP hbm = MakeBitmap(20, 10, px);
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    const std::wstring strPath = TempFile(L"photo.jpg");
    char szPath[MAX_PATH];
    WideCharToMultiByte(CP_ACP, 0, strPath.c_str(), -1, szPath, MAX_PATH, nullptr, nullptr);
    ASSERT_TRUE(CreateAttachment(hdc, hbm, szPath, 1, 0, 0));
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    DeleteObject(hbm);

    CMessageCapture capture;
    CPicture pic;
    EXPECT_TRUE(pic.Load(strPath));
    DeleteFileW(strPath.c_str());
    EXPECT_TRUE(capture.Messages().empty());
    ASSERT_TRUE(pic.HasImage());
    EXPECT_EQ(pic.GetWidth(), 20);
    EXPECT_EQ(pic.GetHeight(), 10);
    EXPECT_EQ(pic.GetRect().right, 20);
    EXPECT_EQ(pic.GetRect().bottom, 10);
    EXPECT_EQ(pic.GetFileInfo(), nullptr) << "only BMP files keep their data";
    const COLORREF cr = BitmapPixels(pic.GetBitmap())[5 * 20 + 10];
    EXPECT_NEAR(GetRValue(cr), 40, 12);
    EXPECT_NEAR(GetGValue(cr), 90, 12);
    EXPECT_NEAR(GetBValue(cr), 200, 12);
}

// A "JPG" name that holds no JPEG: the picture has no image, and the user is told.
TEST(PictureLoadJpeg, UnreadableJpegGivesAPictureWithoutImageAndSaysSo) {
    ExpectRefused(LoadBytes({'B', 'M', 1, 2, 3}, L"broken.JPG"), L"No Suppost This File Type!",
                  L"Quillet");
}

// Pictures larger than a note takes are refused by their header, before anything is allocated.
TEST(PictureLoadBad, PicturesBeyond8192By8192AreTooLarge) {
    const std::vector<std::uint8_t> rows(12, 0x55);
    ExpectRefused(LoadBytes(MakeBmp(9000, 9000, 24, 0, {}, rows, 54), L"wide.bmp"),
                  CPicture::TooLargeText().c_str(), L"Quillet");
    // A JPEG start and a frame header claiming 9000 x 9000 pixels.
    const std::vector<std::uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x23,
                                            0x28, 0x23, 0x28, 0x03, 0x01, 0x22, 0x00, 0x02,
                                            0x11, 0x01, 0x03, 0x11, 0x01, 0xFF, 0xD9};
    ExpectRefused(LoadBytes(jpeg, L"wide.jpg"), CPicture::TooLargeText().c_str(), L"Quillet");
}

// The layouts that real programs write (tests/data/pictures, made by make_pictures.py): every
// BMP depth, bit-field masks, the larger V4 and V5 headers, run-length compression, top-down rows,
// and JPEGs with any chroma subsampling, progressive and grey.
TEST(PictureLoadFiles, EveryCommonLayoutLoadsWithItsColours) {
    const COLORREF kR = RGB(200, 30, 40), kG = RGB(20, 180, 60), kB = RGB(30, 50, 210),
                   kW = RGB(250, 250, 250);
    const struct {
        const wchar_t* pszName;
        int nTolerance;
        COLORREF cr[4]; // top-left, top-right, bottom-left, bottom-right
    } files[] = {{L"bmp1.bmp", 0, {kR, kR, kB, kB}},
                 {L"bmp4.bmp", 0, {kR, kG, kB, kW}},
                 {L"bmp8.bmp", 0, {kR, kG, kB, kW}},
                 {L"bmp16.bmp", 8, {kR, kG, kB, kW}},
                 {L"bmp16-bitfields.bmp", 8, {kR, kG, kB, kW}},
                 {L"bmp24.bmp", 0, {kR, kG, kB, kW}},
                 {L"bmp24-topdown.bmp", 0, {kR, kG, kB, kW}},
                 {L"bmp24-v4.bmp", 0, {kR, kG, kB, kW}},
                 {L"bmp32.bmp", 0, {kR, kG, kB, kW}},
                 {L"bmp32-v5-bitfields.bmp", 0, {kR, kG, kB, kW}},
                 {L"bmp8-rle.bmp", 0, {kR, kG, kB, kW}},
                 {L"bmp4-rle.bmp", 0, {kR, kG, kB, kW}},
                 {L"jpeg-420.jpg", 16, {kR, kG, kB, kW}},
                 {L"jpeg-422.jpg", 16, {kR, kG, kB, kW}},
                 {L"jpeg-444.jpg", 16, {kR, kG, kB, kW}},
                 {L"jpeg-progressive.jpg", 16, {kR, kG, kB, kW}},
                 {L"jpeg-grey.jpg",
                  16,
                  {RGB(67, 67, 67), RGB(137, 137, 137), RGB(57, 57, 57), RGB(250, 250, 250)}}};
    const POINT probes[4] = {{5, 3}, {17, 3}, {5, 12}, {17, 12}};
    for (const auto& f : files) {
        CMessageCapture capture;
        CPicture pic;
        const std::wstring strPath = std::wstring(QUILLET_TEST_DATA L"/pictures/") + f.pszName;
        EXPECT_TRUE(pic.Load(strPath)) << testing::PrintToString(f.pszName);
        EXPECT_TRUE(capture.Messages().empty()) << testing::PrintToString(f.pszName);
        if (!pic.HasImage())
            continue;
        EXPECT_EQ(pic.GetWidth(), 24);
        EXPECT_EQ(pic.GetHeight(), 16);
        EXPECT_NE(pic.GetFileInfo() != nullptr, f.pszName[0] == L'j') << "BMP data kept";
        const std::vector<COLORREF> px = BitmapPixels(pic.GetBitmap());
        for (int i = 0; i < 4; ++i) {
            const COLORREF cr = px[probes[i].y * 24 + probes[i].x];
            EXPECT_LE(std::max({std::abs(GetRValue(cr) - GetRValue(f.cr[i])),
                                std::abs(GetGValue(cr) - GetGValue(f.cr[i])),
                                std::abs(GetBValue(cr) - GetBValue(f.cr[i]))}),
                      f.nTolerance)
                << testing::PrintToString(f.pszName) << " quadrant " << i << ": " << std::hex << cr;
        }
    }
}

// Headers that claim more than the file holds, or that no bitmap can have.
TEST(PictureLoadBad, HeaderClaimingMorePixelsThanTheFileHoldsIsTooSmall) {
    const std::vector<std::uint8_t> rows(12, 0x55);
    ExpectRefused(LoadBytes(MakeBmp(1000, 1000, 24, 0, {}, rows, 54), L"lie.bmp"),
                  L"Too small buffer size", L"OpenPicture");
    ExpectRefused(LoadBytes(MakeBmp(0x7FFFFFFF, 0x7FFFFFFF, 24, 0, {}, rows, 54), L"huge.bmp"),
                  CPicture::TooLargeText().c_str(), L"Quillet");
    ExpectRefused(LoadBytes(MakeBmp(-4, 1, 24, 0, {}, rows, 54), L"negative.bmp"),
                  L"Too small buffer size", L"OpenPicture");
}

TEST(PictureLoadBad, ColourCountBeyondTheFileIsTooSmall) {
    const std::vector<std::uint8_t> rows(12, 0x55);
    ExpectRefused(LoadBytes(MakeBmp(2, 2, 24, 0xFFFFFFFF, {}, rows, 54), L"colours.bmp"),
                  L"Too small buffer size", L"OpenPicture");
}

TEST(PictureLoadBad, PaletteLargerThanTheDepthAllowsIsNotSupported) {
    const std::vector<std::uint8_t> rows(8, 0);
    ExpectRefused(LoadBytes(MakeBmp(2, 2, 1, 3, {kRed, kBlue, kRed}, rows, 54), L"pal.bmp"),
                  L"No Suppost This File Type!", L"Quillet");
}

TEST(PictureLoadBad, FileCutInsideTheInfoHeaderIsTooSmall) {
    std::vector<std::uint8_t> file = MakeBmp(2, 2, 24, 0, {}, std::vector<std::uint8_t>(16), 54);
    file.resize(30);
    ExpectRefused(LoadBytes(file, L"cut.bmp"), L"Too small buffer size", L"OpenPicture");
}

TEST(PictureLoadBad, UnreadableCompressionOrOddDepthIsNotSupported) {
    std::vector<std::uint8_t> rle =
        MakeBmp(2, 2, 8, 2, {kRed, kBlue}, {0x05, 0x00, 0x00, 0x03, 0x01}, 62);
    rle[30] = 7; // no such compression
    ExpectRefused(LoadBytes(rle, L"rle.bmp"), L"No Suppost This File Type!", L"Quillet");
    ExpectRefused(
        LoadBytes(MakeBmp(2, 2, 2, 4, {kRed, kBlue, kRed, kBlue}, std::vector<std::uint8_t>(8), 70),
                  L"two.bmp"),
        L"No Suppost This File Type!", L"Quillet");
}

// The file header's size field is not trusted: the file's own length counts.
TEST(PictureLoadBmp, FileSizeFieldIsIgnored) {
    std::vector<std::uint8_t> file = MakeBmp(1, 1, 24, 0, {}, {0x30, 0x20, 0x10, 0}, 54);
    file[2] = file[3] = file[4] = file[5] = 0xFF;
    CLoaded r = LoadBytes(file, L"size.bmp");
    EXPECT_TRUE(r.messages.empty());
    ExpectPixels(*r.pPicture, 1, 1, {RGB(0x10, 0x20, 0x30)});
}

TEST(PictureLoadBad, InfoHeaderSizeBeyondTheFileIsTooSmall) {
    std::vector<std::uint8_t> file = MakeBmp(1, 1, 24, 0, {}, {0, 0, 0, 0}, 54);
    file[14] = file[15] = file[16] = 0xF0; // biSize 0x00F0F0F0
    ExpectRefused(LoadBytes(file, L"bisize.bmp"), L"Too small buffer size", L"OpenPicture");
}

// The caption is the program's title from the resources in use, so that a resource library
// with a title of its own names the program its way in these messages too.
TEST(PictureLoadMessages, TheCaptionIsTheTitleOfTheResourcesInUse) {
    HMODULE hTitle = LoadLibraryW(L"title_test_resources.dll");
    ASSERT_NE(hTitle, nullptr);
    SetResourceInstance(hTitle);
    const CLoaded r = LoadBytes({'h', 'e', 'l', 'l', 'o'}, L"note.txt");
    SetResourceInstance(nullptr);
    FreeLibrary(hTitle);
    ExpectRefused(r, L"No Suppost This File Type!", L"Quillet Test");
}
