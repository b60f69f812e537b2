#include "Brevix.h"
#include "InkBitmap.h"
#include "InkOwner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kPasteKeys = {"down 17 17", "down 86 86", "up 86 86", "up 17 17"};

// One insertion into a window of this process: the view window, the application and the ink.
class ClipboardInsertion : public InsertionTest {
protected:
    void SetUp() override {
        InsertionTest::SetUp();
        SetPixel(m_ink.Dc(), 1, 1, RGB(0x12, 0x34, 0x56));
    }
    int Insert(CPasteTarget& target, const RECT& rc) {
        return InsertionTest::Insert(target, m_ink, rc);
    }

    CInkBitmap m_ink{5, 3};
};

} // namespace

TEST_F(ClipboardInsertion, InkOverAChildWindowIsPastedWithControlV) {
    CPasteTarget target(Ask::None);
    EXPECT_EQ(Insert(target, target.ChildRect()), 1);
    EXPECT_EQ(target.m_keys, kPasteKeys);
    EXPECT_EQ(target.m_nPastes, 1);
    EXPECT_TRUE(target.m_bDibAvailable);
    EXPECT_EQ(GetForegroundWindow(), target.Frame());
}

TEST_F(ClipboardInsertion, BitmapIsOfferedForDelayedRendering) {
    CPasteTarget target(Ask::None);
    Insert(target, target.ChildRect());
    EXPECT_EQ(GetClipboardOwner(), m_owner.Hwnd());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_TRUE(m_owner.m_formatsRendered.empty()) << "nothing is rendered before it is asked for";
}

TEST_F(ClipboardInsertion, HtmlIsOfferedForDelayedRenderingWhenTheImageIsWritten) {
    CPasteTarget target(Ask::None);
    Insert(target, target.ChildRect());
    EXPECT_TRUE(target.m_bHtmlAvailable);
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatA("HTML Format")));
    EXPECT_TRUE(m_owner.m_formatsRendered.empty());
    const std::vector<std::string> files = NewFiles(m_before, AanFiles());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(FileStart(files[0], 3), "GIF");
}

TEST_F(ClipboardInsertion, InkOverTheTopLevelWindowItselfDoesNothing) {
    CPasteTarget target(Ask::Both);
    PutSentinelText("kept");
    RECT rc = target.ChildRect();
    OffsetRect(&rc, 0, -(rc.top - 105) - (rc.bottom - rc.top) / 2); // centre at y 105: the frame
    EXPECT_EQ(WindowFromPoint({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}),
              target.Frame());
    EXPECT_EQ(Brevix_Insert(m_owner.Hwnd(), &rc, m_ink.Dc(), m_ink.Bitmap()), 0)
        << "nothing was placed: the caller keeps the ink";
    PumpFor(300);
    EXPECT_TRUE(target.m_keys.empty());
    EXPECT_EQ(ClipboardText(), "kept");
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_TRUE(NewFiles(m_before, AanFiles()).empty());
    PumpFor(2200);
    EXPECT_EQ(m_owner.m_nInserted, 0) << "no timer runs for an insertion that did not happen";
}

TEST_F(ClipboardInsertion, CentreIsTheTruncatedMiddleOfTheRectangle) {
    CPasteTarget target(Ask::None);
    const RECT rcChild = target.ChildRect();
    // (149 + 150) / 2 = 149 lies left of the child; (150 + 151) / 2 = 150 is its first column.
    const RECT rcOutside{rcChild.left - 1, rcChild.top + 10, rcChild.left, rcChild.top + 20};
    EXPECT_EQ(Brevix_Insert(m_owner.Hwnd(), &rcOutside, m_ink.Dc(), m_ink.Bitmap()), 0);
    PumpFor(200);
    EXPECT_TRUE(target.m_keys.empty());
    const RECT rcInside{rcChild.left, rcChild.top + 10, rcChild.left + 1, rcChild.top + 20};
    EXPECT_EQ(Insert(target, rcInside), 1);
    EXPECT_EQ(target.m_keys, kPasteKeys);
}

TEST_F(ClipboardInsertion, NoRectangleDoesNothing) {
    EXPECT_EQ(Brevix_Insert(m_owner.Hwnd(), nullptr, m_ink.Dc(), m_ink.Bitmap()), 0);
}

TEST_F(ClipboardInsertion, InkOverNoWindowIsNotPlaced) {
    CPasteTarget target(Ask::None);
    const RECT rc{-500, -500, -400, -400};
    EXPECT_EQ(Brevix_Insert(m_owner.Hwnd(), &rc, m_ink.Dc(), m_ink.Bitmap()), 0);
    PumpFor(200);
    EXPECT_TRUE(target.m_keys.empty());
}

TEST_F(ClipboardInsertion, ApplicationAskingForTheBitmapGetsTwentyFourBits) {
    CPasteTarget target(Ask::Dib);
    Insert(target, target.ChildRect());
    ASSERT_GE(target.m_dib.size(), 40u + 3 * 16u);
    const auto& bih = *reinterpret_cast<const BITMAPINFOHEADER*>(target.m_dib.data());
    EXPECT_EQ(bih.biWidth, 5);
    EXPECT_EQ(bih.biHeight, 3);
    EXPECT_EQ(bih.biBitCount, 24);
    EXPECT_EQ(bih.biSizeImage, 48u) << "rows of 5 pixels take 16 bytes";
    // Pixel (1, 1) of 3 rows sits in the middle stored row, bytes blue, green, red.
    const BYTE* pPixel = target.m_dib.data() + 40 + 16 + 3;
    EXPECT_EQ(pPixel[0], 0x56);
    EXPECT_EQ(pPixel[1], 0x34);
    EXPECT_EQ(pPixel[2], 0x12);
    EXPECT_EQ(m_owner.m_formatsRendered, std::vector<UINT>{CF_DIB});
}

TEST_F(ClipboardInsertion, ApplicationAskingOnlyForTheBitmapLeavesNoImageFile) {
    CPasteTarget target(Ask::Dib);
    Insert(target, target.ChildRect());
    ASSERT_FALSE(target.m_dib.empty());
    EXPECT_EQ(m_owner.m_timeOutResults, std::vector<int>{1}) << "the file was deleted at once";
    EXPECT_TRUE(NewFiles(m_before, AanFiles()).empty());
}

TEST_F(ClipboardInsertion, ApplicationAskingForHtmlGetsTheTextNamingTheImage) {
    CPasteTarget target(Ask::Html);
    Insert(target, target.ChildRect());
    const std::vector<std::string> files = NewFiles(m_before, AanFiles());
    ASSERT_EQ(files.size(), 1u);
    const std::string strFragment = "<IMG SRC=\"" + files[0] + "\">";
    const std::size_t n = strFragment.size();
    char szHeader[160];
    std::snprintf(szHeader, sizeof(szHeader),
                  "Version:0.9\r\nStartHTML:00000097\r\nEndHTML:%08u\r\n"
                  "StartFragment:00000111\r\nEndFragment:%08u\r\n",
                  static_cast<unsigned>(172 + n), static_cast<unsigned>(136 + n));
    EXPECT_EQ(target.m_strHtml, std::string(szHeader) +
                                    "<html><body>\r\n<!--StartFragment -->\r\n" + strFragment +
                                    "\r\n<!--EndFragment-->\r\n</body>\r\n</html>");
    EXPECT_EQ(m_owner.m_timeOutResults, std::vector<int>{0}) << "the text was handed over";
    // A GIF of the ink's size: logical screen width and height follow the signature.
    const std::string strGif = FileStart(files[0], 10);
    ASSERT_EQ(strGif.size(), 10u);
    EXPECT_EQ(strGif.substr(0, 3), "GIF");
    EXPECT_EQ(static_cast<BYTE>(strGif[6]) | static_cast<BYTE>(strGif[7]) << 8, 5);
    EXPECT_EQ(static_cast<BYTE>(strGif[8]) | static_cast<BYTE>(strGif[9]) << 8, 3);
}

TEST_F(ClipboardInsertion, ImageNamedByHandedOverTextOutlivesTheTimer) {
    CPasteTarget target(Ask::Html);
    Insert(target, target.ChildRect());
    const std::string strPath = ImagePathOf(target.m_strHtml);
    ASSERT_FALSE(strPath.empty());
    // The render request stopped the timer: no message follows, and the file stays.
    PumpFor(2500);
    EXPECT_EQ(m_owner.m_nInserted, 0);
    EXPECT_TRUE(FileExists(strPath));
    DeleteFileA(strPath.c_str());
}

TEST_F(ClipboardInsertion, InkWithoutAnOwnerWindowIsHandedOverAtOnce) {
    CPasteTarget target(Ask::Dib);
    const RECT rc = target.ChildRect();
    EXPECT_EQ(Brevix_Insert(nullptr, &rc, m_ink.Dc(), m_ink.Bitmap()), 1);
    PumpUntil([&] { return target.m_keys.size() >= 4; }, 3000);
    ASSERT_GE(target.m_dib.size(), 40u);
    EXPECT_EQ(reinterpret_cast<const BITMAPINFOHEADER*>(target.m_dib.data())->biWidth, 5);
    EXPECT_TRUE(m_owner.m_formatsRendered.empty());
    for (const std::string& strFile : NewFiles(m_before, AanFiles()))
        DeleteFileA(strFile.c_str()); // a handed-over text keeps its image
}

TEST_F(ClipboardInsertion, InkOverAChildOfAnOwnedWindowIsPasted) {
    CPasteTarget target(Ask::Dib, true);
    ASSERT_NE(GetWindow(target.Frame(), GW_OWNER), nullptr);
    EXPECT_EQ(Insert(target, target.ChildRect()), 1);
    EXPECT_EQ(GetForegroundWindow(), target.Frame()) << "the owned window, not its owner";
    EXPECT_EQ(target.m_keys, kPasteKeys);
    EXPECT_FALSE(target.m_dib.empty());
}

TEST_F(ClipboardInsertion, WithoutABitmapNothingIsPasted) {
    CPasteTarget target(Ask::Both);
    PutSentinelText("older clipboard");
    const RECT rc = target.ChildRect();
    EXPECT_EQ(Brevix_Insert(m_owner.Hwnd(), &rc, m_ink.Dc(), nullptr), 0);
    EXPECT_EQ(Brevix_Insert(m_owner.Hwnd(), &rc, nullptr, m_ink.Bitmap()), 0);
    PumpFor(300);
    EXPECT_TRUE(target.m_keys.empty()) << "the older clipboard would be pasted";
    EXPECT_EQ(ClipboardText(), "older clipboard");
    EXPECT_TRUE(NewFiles(m_before, AanFiles()).empty());
}

TEST_F(ClipboardInsertion, ABusyClipboardPastesNothingAndSaysSo) {
    CPasteTarget target(Ask::Both);
    PutSentinelText("older clipboard");
    const RECT rc = target.ChildRect();
    ASSERT_TRUE(OpenClipboard(nullptr)); // someone else holds the clipboard open
    const int nResult = Brevix_Insert(m_owner.Hwnd(), &rc, m_ink.Dc(), m_ink.Bitmap());
    CloseClipboard();
    EXPECT_EQ(nResult, 0) << "the caller keeps the ink";
    PumpFor(300);
    EXPECT_TRUE(target.m_keys.empty()) << "the older clipboard would be pasted";
    EXPECT_EQ(ClipboardText(), "older clipboard");
}

TEST_F(ClipboardInsertion, ImageInATemporaryFolderOutsideTheAnsiCodePageIsNamedInUtf8) {
    wchar_t szTemp[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, szTemp), 0u);
    const std::wstring strDir = std::wstring(szTemp) + L"Zo\u0142\u4e2d\\";
    CreateDirectoryW(strDir.c_str(), nullptr);
    SetEnvironmentVariableW(L"TMP", strDir.c_str());
    CPasteTarget target(Ask::Html);
    Insert(target, target.ChildRect());
    SetEnvironmentVariableW(L"TMP", szTemp);

    const std::string strPath = ImagePathOf(target.m_strHtml);
    const std::string strUtf8Dir = "Zo\u0142\u4e2d\\aan";
    EXPECT_NE(strPath.find(strUtf8Dir), std::string::npos) << strPath;
    wchar_t szPath[MAX_PATH] = L"";
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, strPath.c_str(), -1, szPath, MAX_PATH);
    EXPECT_EQ(std::wstring(szPath).rfind(strDir, 0), 0u);
    EXPECT_NE(GetFileAttributesW(szPath), INVALID_FILE_ATTRIBUTES) << "the image is where it says";
    DeleteFileW(szPath);
    RemoveDirectoryW(strDir.c_str());
}
