#include "OfficeTestBase.h"

#include <algorithm>

namespace {
constexpr RECT kInk{300, 250, 500, 350};
constexpr RECT kPicture{320, 260, 359, 289};

// Position of the first log line containing the text, or -1.
long LineOf(const CFakeOffice& fake, const std::string& strText) {
    std::vector<std::string> lines = fake.Lines();
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find(strText) != std::string::npos)
            return static_cast<long>(i);
    return -1;
}
} // namespace

using WordInsertion = OfficeTest;

TEST_F(WordInsertion, MeasuringSavesOption451AndDrawsFromCornerToCentre) {
    CFakeOffice word("word", "/version 11.0 /rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    POINT o = word.Origin();
    EXPECT_TRUE(word.Has("window.Method109 call"));
    EXPECT_TRUE(word.Has("options.Option451 put false"));
    // From version 10 on there is no click before the scribble.
    std::vector<std::string> downs = word.Matching("mouse down");
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0], Text("mouse down %ld %ld", 300 - o.x, 250 - o.y));
    EXPECT_TRUE(word.Has(Text("mouse up %ld %ld", 400 - o.x, 300 - o.y)));
    // Word counts its shapes before it selects the scribble tool.
    EXPECT_LT(LineOf(word, "shapes.Count get"), LineOf(word, "control[Lines/6].Execute"));
    EXPECT_TRUE(word.Has("app.ScreenUpdating put false"));
    EXPECT_TRUE(word.Has("app.StatusBar put \"Please wait...\""));
    EXPECT_TRUE(word.Has("wrap[Freeform 1].Side put 0"));
    EXPECT_TRUE(word.Has("wrap[Freeform 1].Type put 3"));
    EXPECT_FALSE(word.Has("shape[Freeform 1].Delete"));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WordInsertion, PastedPictureBecomesFloatingAtTheInkPlace) {
    CFakeOffice word("word", "/version 11.0 /rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    CInkBitmap ink(40, 30);
    ASSERT_EQ(Brevix_Office_Insert(ink.Owner(), &kPicture, ink.Dc(), ink.Bitmap(), 1), 1);
    CScribble s;
    ASSERT_TRUE(FindScribble(word, &s));
    EXPECT_TRUE(word.Has("clipboard dib 40 30 24"));
    EXPECT_TRUE(word.Has("selection.MoveLeft call 1 1 2"));
    EXPECT_TRUE(word.Has("selection.MoveRight call 1 1 2"));
    EXPECT_TRUE(word.Has("inline[Picture 2].ConvertToShape call"));
    EXPECT_TRUE(word.Has("shape[Picture 2].ZOrder call 5"));
    // Both shapes use the margin and paragraph frames and share their anchors: the offsets from
    // the scribble land the picture exactly on the mapped point.
    EXPECT_NEAR(word.ValueAfter("shape[Picture 2].Left put "),
                Mapped(320, 300, 500, s.fLeft, s.fWidth), 0.01);
    EXPECT_NEAR(word.ValueAfter("shape[Picture 2].Top put "),
                Mapped(260, 250, 350, s.fTop, s.fHeight), 0.01);
    EXPECT_NEAR(word.ValueAfter("shape[Picture 2].Width put "),
                MappedSize(320, 359, 300, 500, s.fWidth), 0.01);
    EXPECT_TRUE(word.Has("picture[Picture 2].TransparencyColor put 16777215"));
    EXPECT_TRUE(word.Has("picture[Picture 2].TransparentBackground put 1"));
    ASSERT_EQ(Brevix_Office_End(), 1);
    EXPECT_TRUE(word.Has("options.Option451 put true"));
    EXPECT_TRUE(word.Has("document.UndoClear call"));
    EXPECT_TRUE(word.Has("app.ScreenUpdating put true"));
    EXPECT_TRUE(word.Has("shape[Freeform 1].Delete call"));
    EXPECT_TRUE(word.Has("app.StatusBar put \"Completed\""));
    EXPECT_FALSE(word.Has("Group"));
    EXPECT_FALSE(word.Has("UNKNOWN"));
}

TEST_F(WordInsertion, RightToLeftSelectionMovesTheReferenceSevenPointsLeft) {
    CFakeOffice word("word", "/version 11.0 /orientation 1 /rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    CInkBitmap ink(40, 30);
    ASSERT_EQ(Brevix_Office_Insert(ink.Owner(), &kPicture, ink.Dc(), ink.Bitmap(), 0), 1);
    CScribble s;
    ASSERT_TRUE(FindScribble(word, &s));
    EXPECT_LT(LineOf(word, "selection.MoveRight"), LineOf(word, "selection.MoveLeft"));
    EXPECT_NEAR(word.ValueAfter("shape[Freeform 1].Left put "),
                Mapped(320, 300, 500, s.fLeft, s.fWidth) - 7, 0.01);
    EXPECT_TRUE(word.Has("shape[Picture 2].ZOrder call 4"));
}

TEST_F(WordInsertion, WordEightClicksFirstAndPastesFloating) {
    CFakeOffice word("word", "/version 8.0 /rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    EXPECT_EQ(word.Matching("mouse down").size(), 2u);
    EXPECT_FALSE(word.Has("Option451"));
    EXPECT_FALSE(word.Has("Method109"));
    CInkBitmap ink(40, 30);
    ASSERT_EQ(Brevix_Office_Insert(ink.Owner(), &kPicture, ink.Dc(), ink.Bitmap(), 0), 1);
    EXPECT_FALSE(word.Has("MoveLeft"));
    EXPECT_TRUE(word.Has("shape[Picture 2].Left put"));
    ASSERT_EQ(Brevix_Office_End(), 1);
    EXPECT_FALSE(word.Has("Option451"));
}

TEST_F(WordInsertion, StrokesAreGroupedAndWrappedAtTheEnd) {
    CFakeOffice word("word", "/version 11.0 /rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    POINT pts[3] = {{310, 260}, {330, 300}, {350, 270}};
    RECT rcStroke{310, 260, 350, 300};
    ASSERT_EQ(Brevix_Office_Rect(&rcStroke, pts, 3, RGB(0, 0, 255), 3.0f, 0), 1);
    ASSERT_EQ(Brevix_Office_Rect(&rcStroke, pts, 3, RGB(0, 0, 255), 3.0f, 1), 1);
    EXPECT_TRUE(word.Has("line[Freeform 2].Visible put -1"));
    EXPECT_TRUE(word.Has("shape[Freeform 2].ZOrder call 4"));
    EXPECT_TRUE(word.Has("shape[Freeform 3].ZOrder call 5"));
    EXPECT_TRUE(word.Has("color[Freeform 2].RGB put 16711680"));
    ASSERT_EQ(Brevix_Office_End(), 1);
    EXPECT_TRUE(word.Has("shapes.Range call [2 3]"));
    EXPECT_TRUE(word.Has("grouped 2 shapes as Group 4"));
    EXPECT_TRUE(word.Has("wrap[Group 4].Type put 3"));
}

TEST_F(WordInsertion, MissingClassShowsErrorClsid) {
    CClassRegistration::Remove(L"Word.Application");
    CFakeOffice word("word", "/version 11.0 /rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    ASSERT_EQ(Messages(), std::vector<std::string>{"Error CLSID Word.Application"});
    EXPECT_EQ(m_pCatcher->Boxes()[0].hwndOwner, nullptr);
    EXPECT_FALSE(word.Has("app."));
}

TEST_F(WordInsertion, WithoutADocumentWordIsRefusedSilently) {
    CFakeOffice word("word", "/version 11.0 /documents 0 /rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(word.Has("Execute"));
}

TEST_F(WordInsertion, LostConnectionShowsInitErrorAndRestoresTheOption) {
    CFakeOffice word("word", "/version 11.0 /fail Execute /rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Word _Init Error"});
    EXPECT_TRUE(word.Has("options.Option451 put true"));
    EXPECT_EQ(Brevix_Office_End(), 1);
    EXPECT_EQ(word.Matching("Option451 put").size(), 2u);
}

TEST_F(WordInsertion, FailedScribbleSwitchesScreenUpdatingBackAtOnce) {
    CFakeOffice word("word", "/version 11.0 /scribble 0 /rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    EXPECT_TRUE(word.Has("app.ScreenUpdating put true"));
    EXPECT_FALSE(word.Has("StatusBar"));
}

using TargetRecognition = OfficeTest;

TEST_F(TargetRecognition, WordWinsOverExcelInTheTitle) {
    CFakeOffice word("word", "/version 11.0 /title \"Book1 - Microsoft Excel - Microsoft Word\" "
                             "/rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    EXPECT_TRUE(word.Has("window.Method109"));
}

TEST_F(TargetRecognition, ExcelWinsOverPowerPointInTheTitle) {
    CFakeOffice excel("excel", "/version 8.0 /title \"Microsoft PowerPoint - Microsoft Excel\" "
                               "/rect 100 100 600 400");
    ASSERT_TRUE(excel.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    EXPECT_TRUE(excel.Has("workbooks.Count"));
}

TEST_F(TargetRecognition, OtherTitleIsNoTargetAndNoMessage) {
    CFakeOffice word("word", "/title \"Untitled - Notepad\" /rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(word.Has("app."));
    EXPECT_EQ(Brevix_Office_End(), 0);
    POINT pt{0, 0};
    RECT rc{0, 0, 1, 1};
    EXPECT_EQ(Brevix_Office_Rect(&rc, &pt, 1, 0, 1.0f, 0), 0);
}

TEST_F(TargetRecognition, ReversedRectangleIsARectError) {
    RECT rc{500, 250, 300, 350};
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &rc), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"rect error"});
}

TEST_F(TargetRecognition, TopLevelWindowWithoutChildIsNotAClient) {
    CFakeOffice word("word", "/rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    HWND hwndBare =
        CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"Microsoft Word", WS_POPUP | WS_VISIBLE, 900,
                        700, 100, 100, nullptr, nullptr, nullptr, nullptr);
    RECT rc{920, 720, 980, 780};
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &rc), 0);
    DestroyWindow(hwndBare);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Is Not in Word Window Client"});
    EXPECT_FALSE(word.Has("app."));
}

TEST_F(WordInsertion, WithoutAFreeformTheFirstShapeIsTheReferenceAndIsKept) {
    CFakeOffice word("word", "/version 11.0 /scribblename Line /rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    EXPECT_TRUE(word.Has("shape[Line 1].Name get"));
    EXPECT_TRUE(word.Has("wrap[Line 1].Type put 3"));
    ASSERT_EQ(Brevix_Office_End(), 1);
    // A shape that is not the measuring scribble is the user's own: it stays.
    EXPECT_FALSE(word.Has("Delete"));
    EXPECT_TRUE(word.Has("app.StatusBar put \"Completed\""));
}
