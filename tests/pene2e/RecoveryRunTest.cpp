// Never lose a note: strokes written with the virtual tablet survive the program being killed.
#include <gtest/gtest.h>

#include "PenSession.h"

namespace {
// The strokes of the running program's recovery copy (none while there is no copy).
std::vector<SavedStroke> RecoveryCopyStrokes(const CPenSession& session) {
    const std::wstring strFolder = session.m_folder / L"LocalAppData\\Quillet\\Recovery";
    std::vector<SavedStroke> strokes;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((strFolder + L"\\letter-*.Qzn").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return strokes;
    FindClose(h);
    if (!ReadSavedStrokes(CTestFolder::ReadBytes(strFolder + L"\\" + fd.cFileName), strokes))
        strokes.clear();
    return strokes;
}

// Clicks a button of another process's dialog with the real mouse.
void ClickButton(HWND hButton) {
    RECT rc{};
    GetWindowRect(hButton, &rc);
    INPUT in[3] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = MulDiv((rc.left + rc.right) / 2, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        i.mi.dy = MulDiv((rc.top + rc.bottom) / 2, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        i.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    in[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, in, sizeof(INPUT));
}

void ExpectSameStrokes(const std::vector<SavedStroke>& got, const std::vector<SavedStroke>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].nTool, want[i].nTool) << "stroke " << i;
        EXPECT_EQ(got[i].crColor, want[i].crColor) << "stroke " << i;
        EXPECT_TRUE(EqualRect(&got[i].rcBound, &want[i].rcBound)) << "stroke " << i;
        ASSERT_EQ(got[i].points.size(), want[i].points.size()) << "stroke " << i;
        for (size_t k = 0; k < got[i].points.size(); ++k) {
            EXPECT_EQ(got[i].points[k].x, want[i].points[k].x)
                << "stroke " << i << ", sample " << k;
            EXPECT_EQ(got[i].points[k].y, want[i].points[k].y)
                << "stroke " << i << ", sample " << k;
            EXPECT_EQ(got[i].weights[k], want[i].weights[k]) << "stroke " << i << ", sample " << k;
        }
    }
}
} // namespace

TEST(RecoveryEndToEnd, StrokesWrittenBeforeTheProgramWasKilledAreRestoredAtTheNextStart) {
    CPenSession session;
    session.AddChapter(HorizontalStroke(100, 300, 60, 20));
    session.AddChapter(HorizontalStroke(100, 300, 160, 20));
    session.AddChapter(HorizontalStroke(120, 320, 260, 10));
    ASSERT_TRUE(session.Start(kVirtualTabletOrder));
    session.ClickPanel(LetterPanel::kBrush);
    ASSERT_TRUE(session.RunChapter(0));
    session.ClickPanel(LetterPanel::kMarker);
    ASSERT_TRUE(session.RunChapter(1));
    session.ClickPanel(LetterPanel::kPencil);
    ASSERT_TRUE(session.RunChapter(2));

    // The copy holds every stroke within a few seconds of the last one.
    std::vector<SavedStroke> copied;
    EXPECT_TRUE(
        WaitUntil([&] { return (copied = RecoveryCopyStrokes(session)).size() == 3; }, 5000))
        << copied.size() << " strokes in the recovery copy";
    ASSERT_EQ(copied.size(), 3u);
    EXPECT_EQ(copied[0].nTool, 3);
    EXPECT_EQ(copied[1].nTool, 4);
    EXPECT_EQ(copied[2].nTool, 2);
    EXPECT_EQ(copied[2].points.size(), 11u);

    ASSERT_TRUE(session.Relaunch());
    HWND hBox = session.m_program.WaitForWindow(L"#32770", 30000);
    ASSERT_NE(hBox, nullptr) << "no question at the next start";
    EXPECT_EQ(WindowText(hBox), L"Quillet");
    EXPECT_NE(WindowText(GetDlgItem(hBox, 0xFFFF)).find(L"Do you want to restore this note?"),
              std::wstring::npos);
    SetForegroundWindow(hBox);
    ClickButton(GetDlgItem(hBox, IDYES));
    ASSERT_TRUE(session.WaitForFrame(L"Untitled - Quillet")) << "restored as an unnamed note";
    EXPECT_TRUE(session.WaitForPixel(200, 160, kPaperColor & kPenColor, 0)) << "marker shown";

    std::vector<SavedStroke> restored;
    ASSERT_TRUE(session.SaveAndRead(restored));
    ExpectSameStrokes(restored, copied);
    // Saved, the note needs no copy any more.
    EXPECT_TRUE(WaitUntil([&] { return RecoveryCopyStrokes(session).empty(); }, 5000));
}
