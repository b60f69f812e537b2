// Window outlines from bitmaps: which pixels a region takes, and the shapes the program gives
// its inking strip and its pen-width popup.
#include <gtest/gtest.h>

#include <vector>

#include "BitmapButton.h"
#include "GdiObjects.h"
#include "WindowShape.h"
#include "resource.h"

namespace {
// A 24-bit bitmap from rows of '#' (black) and '.' (white).
HBITMAP BitmapOf(const std::vector<const char*>& rows) {
    const int cx = static_cast<int>(strlen(rows[0])), cy = static_cast<int>(rows.size());
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB};
    void* pBits = nullptr;
    HBITMAP hbm = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    auto* pPixels = static_cast<DWORD*>(pBits);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            pPixels[y * cx + x] = rows[y][x] == '#' ? 0x000000 : 0xFFFFFF;
    return hbm;
}

std::string Picture(HRGN hRgn, int cx, int cy) {
    std::string str;
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x)
            str += PtInRegion(hRgn, x, y) ? '#' : '.';
        str += '\n';
    }
    return str;
}
} // namespace

TEST(WindowShape, RegionHoldsEveryNonWhitePixelUpToTheRightEdge) {
    const std::vector<const char*> rows = {"..########", "..........", "###..##...", "#........#"};
    COwnedBitmap bitmap(BitmapOf(rows));
    COwnedRgn rgn(BitmapToRegion(bitmap.Get(), RGB(255, 255, 255)));
    ASSERT_TRUE(rgn);
    EXPECT_EQ(Picture(rgn.Get(), 10, 4), "..########\n..........\n###..##...\n#........#\n");
}

TEST(WindowShape, AllWhiteGivesAnEmptyRegionAndNoBitmapNone) {
    COwnedBitmap white(BitmapOf({"....", "...."}));
    COwnedRgn rgn(BitmapToRegion(white.Get(), RGB(255, 255, 255)));
    ASSERT_TRUE(rgn);
    RECT rc{};
    EXPECT_EQ(GetRgnBox(rgn.Get(), &rc), NULLREGION);
    EXPECT_EQ(BitmapToRegion(nullptr, RGB(255, 255, 255)), nullptr);
    EXPECT_FALSE(ShapeWindow(nullptr, IDB_STRIP_SHAPE, RGB(255, 255, 255)));
}

TEST(WindowShape, InkingStripAndPopupHaveRoundedOutlinesOfTheirPictureSize) {
    HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 632, 116, nullptr, nullptr,
                                nullptr, nullptr);
    ASSERT_TRUE(ShapeWindow(hwnd, IDB_STRIP_SHAPE, RGB(255, 255, 255)));
    COwnedRgn rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(hwnd, rgn.Get()), COMPLEXREGION);
    RECT rc{};
    GetRgnBox(rgn.Get(), &rc);
    EXPECT_EQ(rc.right - rc.left, 629) << "the strip is 629 pixels wide, the picture 632";
    EXPECT_EQ(rc.bottom - rc.top, 116);
    EXPECT_FALSE(PtInRegion(rgn.Get(), 0, 0)) << "rounded corner";
    EXPECT_TRUE(PtInRegion(rgn.Get(), 300, 0));
    ASSERT_TRUE(ShapeWindow(hwnd, IDB_PENWIDTH_SHAPE, RGB(255, 255, 255)));
    GetWindowRgn(hwnd, rgn.Get());
    GetRgnBox(rgn.Get(), &rc);
    EXPECT_EQ(rc.right - rc.left, 50) << "the popup's face is 50 wide in a 52-pixel shape";
    EXPECT_EQ(rc.bottom - rc.top, 98);
    EXPECT_FALSE(ShapeWindow(hwnd, 9999, RGB(255, 255, 255))) << "missing bitmap";
    GetWindowRgn(hwnd, rgn.Get());
    GetRgnBox(rgn.Get(), &rc);
    EXPECT_EQ(rc.bottom - rc.top, 98) << "a missing bitmap leaves the window as it was";
    DestroyWindow(hwnd);
}
