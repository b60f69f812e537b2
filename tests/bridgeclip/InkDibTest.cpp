#include "BridgeState.h"
#include "InkBitmap.h"
#include "InkClipboard.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<BYTE> BytesOf(HGLOBAL hMem) {
    std::vector<BYTE> bytes(GlobalSize(hMem));
    const void* p = GlobalLock(hMem);
    CopyMemory(bytes.data(), p, bytes.size());
    GlobalUnlock(hMem);
    return bytes;
}

const BITMAPINFOHEADER& HeaderOf(const std::vector<BYTE>& bytes) {
    return *reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data());
}

// Owner window that renders the pending bitmap the way the bridge's caller forwards requests.
LRESULT CALLBACK OwnerProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_RENDERFORMAT) {
        HandOverPending(static_cast<UINT>(wParam), g_hPendingDib);
        return 0;
    }
    return DefWindowProcW(hwnd, uMsg, wParam, lParam);
}

class InkOnClipboard : public ::testing::Test {
protected:
    void SetUp() override {
        m_hwnd = CreateHiddenWindow(L"InkDibTestOwner", OwnerProc);
        ASSERT_NE(m_hwnd, nullptr);
    }
    void TearDown() override {
        if (g_hPendingDib)
            GlobalFree(g_hPendingDib);
        g_hPendingDib = nullptr;
        if (OpenClipboard(m_hwnd)) {
            EmptyClipboard();
            CloseClipboard();
        }
        DestroyWindow(m_hwnd);
    }
    HWND m_hwnd = nullptr;
};

} // namespace

// The ink is read out of its context and handed back: the caller draws on with the same context.
TEST(InkDib, CallersBitmapIsStillSelectedAfterTheRead) {
    CInkBitmap ink(4, 4);
    HGLOBAL hDib = CreateInkDib(ink.Dc(), ink.Bitmap());
    ASSERT_NE(hDib, nullptr);
    GlobalFree(hDib);
    EXPECT_EQ(GetCurrentObject(ink.Dc(), OBJ_BITMAP), ink.Bitmap());
    SetPixel(ink.Dc(), 1, 1, RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(GetPixel(ink.Dc(), 1, 1), RGB(0x11, 0x22, 0x33));
}

TEST(InkDib, ThreePixelRowsArePaddedToTwelveBytes) {
    CInkBitmap ink(3, 2);
    SetPixel(ink.Dc(), 0, 1, RGB(0x10, 0x20, 0x30)); // bottom row, first pixel
    SetPixel(ink.Dc(), 2, 0, RGB(0x40, 0x50, 0x60)); // top row, last pixel
    HGLOBAL hDib = CreateInkDib(ink.Dc(), ink.Bitmap());
    ASSERT_NE(hDib, nullptr);
    const std::vector<BYTE> bytes = BytesOf(hDib);
    GlobalFree(hDib);

    ASSERT_GE(bytes.size(), 40u + 24u);
    const BITMAPINFOHEADER& bih = HeaderOf(bytes);
    EXPECT_EQ(bih.biSize, 40u);
    EXPECT_EQ(bih.biWidth, 3);
    EXPECT_EQ(bih.biHeight, 2);
    EXPECT_EQ(bih.biPlanes, 1);
    EXPECT_EQ(bih.biBitCount, 24);
    EXPECT_EQ(bih.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(bih.biSizeImage, 24u);
    // Bottom-up: the first stored row is the bottom one; each pixel is blue, green, red.
    const BYTE* pRow0 = bytes.data() + 40;
    const BYTE* pRow1 = pRow0 + 12;
    EXPECT_EQ(pRow0[0], 0x30);
    EXPECT_EQ(pRow0[1], 0x20);
    EXPECT_EQ(pRow0[2], 0x10);
    EXPECT_EQ(pRow0[3], 0xFF) << "second pixel of the bottom row is white";
    EXPECT_EQ(pRow1[6], 0x60);
    EXPECT_EQ(pRow1[7], 0x50);
    EXPECT_EQ(pRow1[8], 0x40);
}

TEST(InkDib, ImageSizeFollowsTheRowRule) {
    for (int nWidth : {1, 2, 3, 4, 5, 7, 8, 101}) {
        CInkBitmap ink(nWidth, 5);
        HGLOBAL hDib = CreateInkDib(ink.Dc(), ink.Bitmap());
        ASSERT_NE(hDib, nullptr) << "width " << nWidth;
        const std::vector<BYTE> bytes = BytesOf(hDib);
        GlobalFree(hDib);
        const DWORD nRow = (nWidth * 3 + 3) / 4 * 4;
        EXPECT_EQ(HeaderOf(bytes).biSizeImage, nRow * 5) << "width " << nWidth;
        EXPECT_GE(bytes.size(), 40 + nRow * 5) << "width " << nWidth;
    }
}

TEST(InkDib, TopDownBitmapIsStoredBottomUp) {
    CInkBitmap ink(4, 3, true);
    SetPixel(ink.Dc(), 0, 2, RGB(0x11, 0x22, 0x33)); // bottom-left
    HGLOBAL hDib = CreateInkDib(ink.Dc(), ink.Bitmap());
    ASSERT_NE(hDib, nullptr);
    const std::vector<BYTE> bytes = BytesOf(hDib);
    GlobalFree(hDib);
    EXPECT_EQ(HeaderOf(bytes).biHeight, 3);
    EXPECT_EQ(bytes[40], 0x33);
    EXPECT_EQ(bytes[41], 0x22);
    EXPECT_EQ(bytes[42], 0x11);
}

TEST(InkDib, NoBitmapGivesNoMemory) {
    CInkBitmap ink(2, 2);
    EXPECT_EQ(CreateInkDib(ink.Dc(), nullptr), nullptr);
    EXPECT_EQ(CreateInkDib(nullptr, ink.Bitmap()), nullptr);
}

TEST_F(InkOnClipboard, ImmediateOfferHandsTheMemoryOver) {
    CInkBitmap ink(3, 3);
    ASSERT_TRUE(PutInkOnClipboard(m_hwnd, ink.Dc(), ink.Bitmap(), false));
    EXPECT_EQ(g_hPendingDib, nullptr);
    ASSERT_TRUE(OpenClipboard(m_hwnd));
    HANDLE hData = GetClipboardData(CF_DIB);
    ASSERT_NE(hData, nullptr);
    const std::vector<BYTE> bytes = BytesOf(hData);
    CloseClipboard();
    EXPECT_EQ(HeaderOf(bytes).biBitCount, 24);
    EXPECT_EQ(HeaderOf(bytes).biSizeImage, 36u);
}

TEST_F(InkOnClipboard, DelayedOfferRendersOnRequest) {
    CInkBitmap ink(5, 2);
    ASSERT_TRUE(PutInkOnClipboard(m_hwnd, ink.Dc(), ink.Bitmap(), true));
    EXPECT_NE(g_hPendingDib, nullptr);
    EXPECT_EQ(GetClipboardOwner(), m_hwnd);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    ASSERT_TRUE(OpenClipboard(m_hwnd));
    HANDLE hData = GetClipboardData(CF_DIB);
    ASSERT_NE(hData, nullptr);
    const std::vector<BYTE> bytes = BytesOf(hData);
    CloseClipboard();
    EXPECT_EQ(g_hPendingDib, nullptr) << "the clipboard owns the rendered memory";
    EXPECT_EQ(HeaderOf(bytes).biWidth, 5);
    EXPECT_EQ(HeaderOf(bytes).biSizeImage, 32u);
}

TEST_F(InkOnClipboard, NewBitmapReplacesThePendingOne) {
    CInkBitmap first(2, 2);
    CInkBitmap second(7, 1);
    ASSERT_TRUE(PutInkOnClipboard(m_hwnd, first.Dc(), first.Bitmap(), true));
    ASSERT_TRUE(PutInkOnClipboard(m_hwnd, second.Dc(), second.Bitmap(), true));
    ASSERT_NE(g_hPendingDib, nullptr);
    const std::vector<BYTE> bytes = BytesOf(g_hPendingDib);
    EXPECT_EQ(HeaderOf(bytes).biWidth, 7);
}

TEST_F(InkOnClipboard, BusyClipboardLeavesTheBitmapPending) {
    CInkBitmap ink(3, 3);
    ASSERT_TRUE(OpenClipboard(nullptr)); // someone else holds the clipboard open
    const bool bOffered = PutInkOnClipboard(m_hwnd, ink.Dc(), ink.Bitmap(), false);
    CloseClipboard();
    EXPECT_FALSE(bOffered);
    EXPECT_NE(g_hPendingDib, nullptr);
}
