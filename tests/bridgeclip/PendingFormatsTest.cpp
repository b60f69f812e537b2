#include "Brevix.h"
#include "InkBitmap.h"
#include "InkOwner.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The view window and an application, as in ClipboardInsertion, for what happens after the paste.
class PendingFormats : public InsertionTest {
protected:
    std::vector<std::string> NewAanFiles() const { return NewFiles(m_before, AanFiles()); }

    CInkBitmap m_ink{5, 3};
};

} // namespace

TEST_F(PendingFormats, OtherFormatsAreNotOffered) {
    EXPECT_EQ(Brevix_RenderFormat(m_owner.Hwnd(), CF_TEXT), 0);
    EXPECT_EQ(Brevix_RenderFormat(m_owner.Hwnd(), CF_BITMAP), 0);
    EXPECT_EQ(Brevix_RenderFormat(m_owner.Hwnd(), RegisterClipboardFormatA("Rich Text Format")), 0);
}

TEST_F(PendingFormats, BitmapRequestWithNothingPendingHandsNothingOver) {
    CPasteTarget target(Ask::Dib);
    Insert(target, m_ink); // the application takes the bitmap
    ASSERT_FALSE(target.m_dib.empty());
    ASSERT_TRUE(OpenClipboard(m_owner.Hwnd()));
    EmptyClipboard();
    EXPECT_EQ(Brevix_RenderFormat(m_owner.Hwnd(), CF_DIB), 1);
    CloseClipboard();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
}

TEST_F(PendingFormats, TimeOutWithNothingPendingReturnsZero) {
    EXPECT_EQ(Brevix_RenderFormatHTML_TimeOut(m_owner.Hwnd()), 0);
}

TEST_F(PendingFormats, WithoutARequestTheTimerDeletesTheImageAndPosts1224) {
    CPasteTarget target(Ask::None);
    Insert(target, m_ink);
    const std::vector<std::string> files = NewAanFiles();
    ASSERT_EQ(files.size(), 1u);
    ASSERT_TRUE(FileExists(files[0]));
    ExpectOneInsertedMessageAfterTheTimer();
    EXPECT_FALSE(FileExists(files[0]));
}

TEST_F(PendingFormats, TimerPostsTheMessageEvenWithoutAnImage) {
    CPasteTarget target(Ask::None);
    Insert(target, m_ink);
    ExpectOneInsertedMessageAfterTheTimer();
}

TEST_F(PendingFormats, NewInsertionRestartsTheTimer) {
    CPasteTarget target(Ask::None);
    Insert(target, m_ink);
    PumpFor(1000);
    Insert(target, m_ink);
    ExpectOneInsertedMessageAfterTheTimer(); // the first timer was stopped
}

TEST_F(PendingFormats, NewInsertionReplacesThePendingFormats) {
    CPasteTarget target(Ask::None);
    Insert(target, m_ink);
    const std::vector<std::string> firstFiles = NewAanFiles();
    ASSERT_EQ(firstFiles.size(), 1u);

    CInkBitmap second(7, 2);
    target.m_ask = Ask::Both;
    Insert(target, second);
    const auto& bih = *reinterpret_cast<const BITMAPINFOHEADER*>(target.m_dib.data());
    ASSERT_GE(target.m_dib.size(), 40u);
    EXPECT_EQ(bih.biWidth, 7);
    EXPECT_EQ(bih.biHeight, 2);
    const std::string strPath = ImagePathOf(target.m_strHtml);
    EXPECT_NE(strPath, firstFiles[0]);
    EXPECT_TRUE(FileExists(strPath));
    EXPECT_FALSE(FileExists(firstFiles[0])) << "the first image was never asked for";
    EXPECT_EQ(NewAanFiles(), std::vector<std::string>{strPath});
    DeleteFileA(strPath.c_str());
}

TEST_F(PendingFormats, RenderAllHandsOverEveryPendingFormat) {
    CPasteTarget target(Ask::None);
    Insert(target, m_ink);
    EXPECT_EQ(Brevix_RenderFormat(m_owner.Hwnd(), 0), 1);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE hDib = GetClipboardData(CF_DIB);
    HANDLE hHtml = GetClipboardData(RegisterClipboardFormatA("HTML Format"));
    CloseClipboard();
    EXPECT_NE(hDib, nullptr);
    EXPECT_NE(hHtml, nullptr);
    EXPECT_TRUE(m_owner.m_formatsRendered.empty()) << "the data was there without asking";
    // The text naming the image is out, so the timer keeps the file.
    const std::vector<std::string> files = NewAanFiles();
    ASSERT_EQ(files.size(), 1u);
    ExpectOneInsertedMessageAfterTheTimer();
    EXPECT_TRUE(FileExists(files[0]));
    DeleteFileA(files[0].c_str());
}

TEST_F(PendingFormats, RenderAllKeepsAFormatRenderedEarlier) {
    CPasteTarget target(Ask::Html);
    Insert(target, m_ink);
    ASSERT_FALSE(target.m_strHtml.empty());
    EXPECT_EQ(Brevix_RenderFormat(m_owner.Hwnd(), 0), 1);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE hDib = GetClipboardData(CF_DIB);
    HANDLE hHtml = GetClipboardData(RegisterClipboardFormatA("HTML Format"));
    CloseClipboard();
    EXPECT_NE(hDib, nullptr);
    EXPECT_NE(hHtml, nullptr) << "the text the application took is still on the clipboard";
    DeleteFileA(ImagePathOf(target.m_strHtml).c_str());
}

TEST_F(PendingFormats, RenderAllLeavesAnotherProgramsClipboardAlone) {
    CPasteTarget target(Ask::None);
    Insert(target, m_ink);
    PutSentinelText("copied later");
    EXPECT_EQ(Brevix_RenderFormat(m_owner.Hwnd(), 0), 1);
    EXPECT_EQ(ClipboardText(), "copied later");
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
}

TEST_F(PendingFormats, DestroyingTheOwnerLeavesTheInkOnTheClipboard) {
    CPasteTarget target(Ask::None);
    {
        CInkOwner owner;
        const RECT rc = target.ChildRect();
        Brevix_Insert(owner.Hwnd(), &rc, m_ink.Dc(), m_ink.Bitmap());
        PumpUntil([&] { return target.m_keys.size() >= 4; }, 3000);
        Brevix_RenderFormatHTML_TimeOut(owner.Hwnd());
    } // WM_RENDERALLFORMATS
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE hDib = GetClipboardData(CF_DIB);
    std::vector<BYTE> dib;
    if (hDib) {
        const auto* p = static_cast<const BYTE*>(GlobalLock(hDib));
        dib.assign(p, p + 40);
        GlobalUnlock(hDib);
    }
    CloseClipboard();
    ASSERT_EQ(dib.size(), 40u);
    EXPECT_EQ(reinterpret_cast<const BITMAPINFOHEADER*>(dib.data())->biWidth, 5);
}
