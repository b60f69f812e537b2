// Inking end to end: "KVOmail.exe Inking" with the virtual tablet writes over the fake Word,
// Excel and PowerPoint applications (real processes reached through automation) and over a real
// paste consumer; what arrives there is checked to the thousandth of a point or the pixel.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "ColourWindow.h"
#include "ModesSession.h"
#include "OfficeTestBase.h"

namespace {
constexpr COLORREF kInkColor = 0x800000;
const std::wstring kInkingTitle = L"Scribola";
constexpr wchar_t kInkingOverlay[] = L"Plovexa-I";
const std::wstring kNotPlaced = L"Not all of the ink could be placed into the application under "
                                L"it. The ink stays on the screen: Inking tries again, Cancel "
                                L"removes it.";

// Two pencil strokes and one marker stroke over the document window of a fake at (100, 100).
constexpr POINT kDiagonal[2] = {{250, 220}, {450, 320}};
constexpr POINT kLine[2] = {{260, 300}, {440, 300}};
constexpr POINT kMarkerLine[2] = {{260, 350}, {440, 350}};
// The pencil's width is 2: its strokes are bounded by their samples.
constexpr RECT kPencilInk{250, 220, 450, 320};

std::string FakeArgs(const char* pszVersion) {
    return std::string("/version ") + pszVersion + " /rect 100 100 600 400";
}

// Index of the first log line that contains the text, or -1.
int LineOf(const CFakeOffice& fake, const std::string& strText) {
    const std::vector<std::string> lines = fake.Lines();
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find(strText) != std::string::npos)
            return static_cast<int>(i);
    return -1;
}

class Inking : public testing::Test {
protected:
    void SetUp() override { m_pRegistration = std::make_unique<CClassRegistration>(); }
    void TearDown() override {
        PostMessageW(m_session.m_hFrame, WM_CLOSE, 0, 0);
        EXPECT_EQ(m_session.m_program.WaitForExit(10000), 0);
        EXPECT_EQ(FindWindowW(kInkingOverlay, kInkingOverlay), nullptr)
            << "the overlay went with the program";
        m_pRegistration.reset();
    }
    // One writing run: two pencil strokes, then (bMarker) one marker stroke, each a chapter.
    void AddWritingRun(bool bMarker) {
        m_session.AddChapter(ScreenStroke(kDiagonal[0], kDiagonal[1], 10) +
                             ScreenStroke(kLine[0], kLine[1], 9));
        if (bMarker)
            m_session.AddChapter(ScreenStroke(kMarkerLine[0], kMarkerLine[1], 10));
    }
    bool Start() { return m_session.StartProgram(L"Inking", L"INKING", kInkingTitle); }
    // A message box of the program with this text, once it shows; null after 15 s.
    HWND WaitForBox(const std::wstring& strText) const {
        HWND hBox = nullptr;
        WaitUntil(
            [&] {
                hBox = m_session.m_program.FindWindowOfClass(L"#32770");
                return hBox && IsWindowVisible(hBox) &&
                       WindowText(GetDlgItem(hBox, 0xFFFF)) == strText;
            },
            15000);
        return hBox && WindowText(GetDlgItem(hBox, 0xFFFF)) == strText ? hBox : nullptr;
    }
    // Clicks the OK button of the box with this text; true once the box is gone.
    bool ClickOkOn(const std::wstring& strText) const {
        HWND hBox = WaitForBox(strText);
        RECT rc{};
        if (!hBox || !GetWindowRect(GetDlgItem(hBox, IDOK), &rc))
            return false;
        MouseClick({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
        return WaitUntil([&] { return !IsWindow(hBox); }, 5000);
    }
    // Start to write, the strokes of chapters nFirst.., Inking; the step that got stuck, or
    // empty.
    std::string WriteAndHandOver(size_t nFirst, bool bMarker) {
        m_session.ClickStripPanel(StripPanel::kPencil);
        m_session.ClickToolBar(InkingToolBar::kStartWriting);
        if (!m_session.WaitForOverlay(kInkingOverlay, true))
            return "Start to write: " + m_session.InputState();
        if (!m_session.RunChapter(nFirst))
            return "pencil strokes";
        // The note's shortcuts only beep while the run is armed: New would drop the strokes
        // whose ink shows, Open would load a note into the run.
        PressCtrlKey('N');
        PressCtrlKey('O');
        if (bMarker) {
            m_session.ClickStripPanel(StripPanel::kMarker);
            if (!m_session.RunChapter(nFirst + 1))
                return "marker stroke";
        }
        m_session.ClickToolBar(InkingToolBar::kInking);
        return m_session.WaitForOverlay(kInkingOverlay, false)
                   ? ""
                   : "Inking: " + m_session.InputState();
    }

    std::unique_ptr<CClassRegistration> m_pRegistration;
    CModesSession m_session;
};
} // namespace

TEST_F(Inking, EachApplicationGetsThePencilAsPolylinesThenTheMarkerBehindTheText) {
    struct CCase {
        const char *pszKind, *pszVersion, *pszCall;
        float fAddX; // Word's polylines are relative to the page: its option distance is added.
        const char* pszMissing;
        // The application's last call of a hand-over, and how often it comes (once a pass).
        const char* pszLast;
        size_t nLast;
    };
    const CCase cases[] = {
        {"excel", "11.0", "shapes.AddPolyline call ", 0, "", "app.ScreenUpdating put true", 2},
        {"word", "11.0", "shapes.AddPolyline call ", 90, " missing", "StatusBar put \"Completed\"",
         2},
        {"powerpoint", "11.0", "shapes[1].AddPolyline call ", 0, "", ".ZOrder call 5", 1}};
    for (size_t i = 0; i < std::size(cases); ++i)
        AddWritingRun(true);
    ASSERT_TRUE(Start());
    for (size_t i = 0; i < std::size(cases); ++i) {
        const CCase& c = cases[i];
        SCOPED_TRACE(c.pszKind);
        CFakeOffice fake(c.pszKind, FakeArgs(c.pszVersion));
        ASSERT_TRUE(fake.IsReady());
        ASSERT_EQ(WriteAndHandOver(2 * i, true), "") << fake.Log();
        ASSERT_TRUE(WaitUntil([&] { return FindScribbles(fake).size() == 2; }, 15000))
            << fake.Log();
        // The application stays until the program is done with it: ended earlier, it would fail
        // the hand-over's last calls. Then the program has nothing to say.
        ASSERT_TRUE(WaitUntil([&] { return fake.Matching(c.pszLast).size() == c.nLast; }, 15000))
            << fake.Log();
        EXPECT_EQ(m_session.BoxText(), "");
        // First pass: the pencil strokes over the pencil's bounds, in their order.
        const std::vector<CScribble> scribbles = FindScribbles(fake);
        const std::vector<std::string> polylines = fake.Matching("AddPolyline");
        auto expected = [&](const std::vector<POINT>& points) {
            std::string str = c.pszCall;
            str += PolylineText(points, kPencilInk, scribbles[0], c.fAddX);
            return str.append(c.pszMissing);
        };
        EXPECT_EQ(polylines[0], expected(StrokeSamples(kDiagonal[0], kDiagonal[1], 10)));
        EXPECT_EQ(polylines[1], expected(StrokeSamples(kLine[0], kLine[1], 9)));
        // Second pass, begun again: the marker stroke alone, sent behind the text.
        EXPECT_LT(LineOf(fake, polylines[1]),
                  LineOf(fake, std::string("scribble ").append(scribbles[1].strName)));
        const std::vector<std::string> behind = fake.Matching(".ZOrder call 5");
        ASSERT_EQ(behind.size(), 1u) << fake.Log();
        EXPECT_GT(LineOf(fake, behind[0]), LineOf(fake, polylines[2]));
    }
}

TEST_F(Inking, InkNothingTakesStaysOnTheScreenAndAPasteConsumerReceivesItAsOnePicture) {
    AddWritingRun(false);
    AddWritingRun(false);
    ASSERT_TRUE(Start());
    {
        // A window without child windows under the ink: no document takes drawing objects
        // there, and there is nothing to paste into.
        CColourWindow plain({200, 180, 500, 360}, RGB(0, 160, 0), CColourWindow::kOrdinary);
        m_session.ClickStripPanel(StripPanel::kPencil);
        m_session.ClickToolBar(InkingToolBar::kStartWriting);
        ASSERT_TRUE(m_session.WaitForOverlay(kInkingOverlay, true));
        ASSERT_TRUE(m_session.RunChapter(0));
        m_session.ClickToolBar(InkingToolBar::kInking);
        ASSERT_TRUE(ClickOkOn(L"Is Not in Word Window Client"));
        HWND hBox = WaitForBox(kNotPlaced);
        ASSERT_NE(hBox, nullptr);
        // The ink is back on the frozen screen and the box takes a click.
        EXPECT_TRUE(IsWindowVisible(m_session.Overlay(kInkingOverlay)));
        EXPECT_EQ(ScreenPixel({350, 300}), kInkColor);
        EXPECT_EQ(ScreenPixel({350, 340}), RGB(0, 160, 0));
        ASSERT_TRUE(ClickOkOn(kNotPlaced));
        EXPECT_EQ(ScreenPixel({350, 300}), kInkColor);
        m_session.ClickToolBar(InkingToolBar::kCancel);
        ASSERT_TRUE(m_session.WaitForOverlay(kInkingOverlay, false));
    }
    const std::wstring strResult = m_session.m_folder / L"paste";
    const std::wstring strEvent = L"ModesPasteReady" + std::to_wstring(GetCurrentProcessId());
    HANDLE hReady = CreateEventW(nullptr, TRUE, FALSE, strEvent.c_str());
    std::wstring strCommand =
        L"\"" + BinaryFolder() + L"\\clipconsumer.exe\" dib \"" + strResult + L"\" " + strEvent;
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, strCommand.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi));
    ASSERT_EQ(WaitForSingleObject(hReady, 15000), WAIT_OBJECT_0);
    CloseHandle(hReady);
    HWND hwndConsumer = FindWindowA("ClipConsumerFrame", "Clip Consumer");
    ASSERT_NE(hwndConsumer, nullptr);
    // Its pasting window (200 x 150 at (20, 20) of the frame) under the ink's centre.
    SetWindowPos(hwndConsumer, HWND_TOP, 230, 160, 400, 300, SWP_SHOWWINDOW);

    ASSERT_EQ(WriteAndHandOver(1, false), "");
    // The consumer pastes on Ctrl+V, asks for the bitmap and ends.
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 15000), WAIT_OBJECT_0);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    const std::vector<std::uint8_t> dib = CTestFolder::ReadBytes(strResult + L".dib");
    const std::vector<std::uint8_t> keys = CTestFolder::ReadBytes(strResult + L".keys");
    ASSERT_GE(dib.size(), sizeof(BITMAPINFOHEADER))
        << "keys: " << std::string(keys.begin(), keys.end());
    BITMAPINFOHEADER bih{};
    std::memcpy(&bih, dib.data(), sizeof bih);
    // The whole ink on white, of the ink's size: the pencil's bounds.
    const LONG cx = kPencilInk.right - kPencilInk.left, cy = kPencilInk.bottom - kPencilInk.top;
    ASSERT_EQ(bih.biWidth, cx);
    ASSERT_EQ(bih.biHeight, cy);
    ASSERT_EQ(bih.biBitCount, 24);
    const size_t nStride = (size_t(cx) * 3 + 3) & ~size_t(3);
    ASSERT_GE(dib.size(), bih.biSize + nStride * size_t(cy));
    auto pixel = [&](LONG x, LONG y) {
        const std::uint8_t* p = dib.data() + bih.biSize + nStride * size_t(cy - 1 - y) + 3 * x;
        return RGB(p[2], p[1], p[0]);
    };
    // Both pencil strokes, and white away from them.
    EXPECT_EQ(pixel(350 - kPencilInk.left, 300 - kPencilInk.top), kInkColor);
    EXPECT_EQ(pixel(350 - kPencilInk.left, 270 - kPencilInk.top), kInkColor);
    EXPECT_EQ(pixel(2, cy - 2), RGB(255, 255, 255));
    EXPECT_EQ(pixel(cx - 30, 5), RGB(255, 255, 255));
}

TEST_F(Inking, AfterInkingOrCancelNoStrokeAndNoRedoIsLeft) {
    // Each run writes two strokes and takes one back; the first is handed over, the second
    // cancelled. After each, a run that only redoes has nothing to hand over.
    AddWritingRun(false);
    AddWritingRun(false);
    ASSERT_TRUE(Start());
    CFakeOffice excel("excel", FakeArgs("11.0"));
    ASSERT_TRUE(excel.IsReady());
    for (size_t nRun = 0; nRun < 2; ++nRun) {
        m_session.ClickToolBar(InkingToolBar::kStartWriting);
        ASSERT_TRUE(m_session.WaitForOverlay(kInkingOverlay, true));
        ASSERT_TRUE(m_session.RunChapter(nRun));
        m_session.ClickStripPanel(StripPanel::kUndo);
        m_session.ClickToolBar(nRun == 0 ? InkingToolBar::kInking : InkingToolBar::kCancel);
        ASSERT_TRUE(m_session.WaitForOverlay(kInkingOverlay, false));
        if (nRun == 0) {
            ASSERT_TRUE(WaitUntil([&] { return excel.Has("AddPolyline"); }, 15000));
        }
        m_session.ClickToolBar(InkingToolBar::kStartWriting);
        ASSERT_TRUE(m_session.WaitForOverlay(kInkingOverlay, true));
        m_session.ClickStripPanel(StripPanel::kRedo);
        m_session.ClickToolBar(InkingToolBar::kInking);
        ASSERT_TRUE(m_session.WaitForOverlay(kInkingOverlay, false));
    }
    // Only the first run's remaining stroke was ever offered.
    WaitUntil([] { return false; }, 1500);
    EXPECT_EQ(FindScribbles(excel).size(), 1u) << excel.Log();
    EXPECT_EQ(excel.Matching("AddPolyline").size(), 1u);
}
