#include "OfficeTestBase.h"

namespace {
constexpr RECT kInk{300, 250, 500, 350};
constexpr RECT kPicture{320, 260, 359, 289};
const char* const kExcel8 = "/version 8.0 /rect 100 100 600 400";
} // namespace

using ExcelInsertion = OfficeTest;

TEST_F(ExcelInsertion, ScribbleRunsFromTheInkCentreToItsCorner) {
    CFakeOffice excel("excel", kExcel8);
    ASSERT_TRUE(excel.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    POINT o = excel.Origin();
    // Click at the centre, then drag from the centre to the top-left corner.
    std::vector<std::string> downs = excel.Matching("mouse down");
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0], Text("mouse down %ld %ld", 400 - o.x, 300 - o.y));
    EXPECT_EQ(downs[1], Text("mouse down %ld %ld", 400 - o.x, 300 - o.y));
    EXPECT_TRUE(excel.Has(Text("mouse move %ld %ld", 300 - o.x, 250 - o.y)));
    EXPECT_TRUE(excel.Has("control[Lines/6].Execute call"));
    EXPECT_TRUE(excel.Has("app.ScreenUpdating put false"));
    CScribble scribble;
    ASSERT_TRUE(FindScribble(excel, &scribble));
    EXPECT_TRUE(excel.Has("shape[" + scribble.strName + "].Delete call"));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ExcelInsertion, PictureIsPlacedWhereTheInkWasWithWhiteTransparent) {
    CFakeOffice excel("excel", kExcel8);
    ASSERT_TRUE(excel.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    CInkBitmap ink(40, 30);
    ASSERT_EQ(Brevix_Office_Insert(ink.Owner(), &kPicture, ink.Dc(), ink.Bitmap(), 1), 1);
    CScribble s;
    ASSERT_TRUE(FindScribble(excel, &s));
    EXPECT_TRUE(excel.Has("clipboard dib 40 30 24"));
    std::string strShape =
        "shape[Picture " + std::to_string(std::stoi(s.strName.substr(9)) + 1) + "]";
    EXPECT_TRUE(excel.Has(strShape + ".ZOrder call 5"));
    EXPECT_NEAR(excel.ValueAfter(strShape + ".Left put "), Mapped(320, 300, 500, s.fLeft, s.fWidth),
                0.01);
    EXPECT_NEAR(excel.ValueAfter(strShape + ".Top put "), Mapped(260, 250, 350, s.fTop, s.fHeight),
                0.01);
    EXPECT_NEAR(excel.ValueAfter(strShape + ".Width put "),
                MappedSize(320, 359, 300, 500, s.fWidth), 0.01);
    EXPECT_NEAR(excel.ValueAfter(strShape + ".Height put "),
                MappedSize(260, 289, 250, 350, s.fHeight), 0.01);
    EXPECT_TRUE(excel.Has("picture[" + strShape.substr(6, strShape.size() - 7) +
                          "].TransparencyColor put 16777215"));
    EXPECT_TRUE(excel.Has("].TransparentBackground put 1"));
    ASSERT_EQ(Brevix_Office_End(), 1);
    EXPECT_TRUE(excel.Has("app.ScreenUpdating put true"));
    EXPECT_FALSE(excel.Has("Group"));
    EXPECT_FALSE(excel.Has("UNKNOWN"));
}

TEST_F(ExcelInsertion, OrdinaryInkComesInFrontOfTheText) {
    CFakeOffice excel("excel", kExcel8);
    ASSERT_TRUE(excel.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    CInkBitmap ink(40, 30);
    ASSERT_EQ(Brevix_Office_Insert(ink.Owner(), &kPicture, ink.Dc(), ink.Bitmap(), 0), 1);
    EXPECT_TRUE(excel.Has(".ZOrder call 4"));
    EXPECT_FALSE(excel.Has(".ZOrder call 5"));
}

TEST_F(ExcelInsertion, InkRectangleOfWidthZeroDividesByOne) {
    CFakeOffice excel("excel", kExcel8);
    ASSERT_TRUE(excel.IsReady());
    RECT rcLine{300, 250, 300, 350};
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &rcLine), 1);
    CScribble s;
    ASSERT_TRUE(FindScribble(excel, &s));
    EXPECT_EQ(s.fWidth, 0);
    CInkBitmap ink(1, 30);
    RECT rcPicture{300, 260, 300, 289};
    ASSERT_EQ(Brevix_Office_Insert(ink.Owner(), &rcPicture, ink.Dc(), ink.Bitmap(), 0), 1);
    EXPECT_EQ(excel.Matching("nan").size(), 0u) << excel.Log();
    EXPECT_NEAR(excel.ValueAfter("shape[Picture 2].Left put "), s.fLeft, 0.01);
    EXPECT_NEAR(excel.ValueAfter("shape[Picture 2].Width put "), 0, 0.01);
}

TEST_F(ExcelInsertion, VersionSevenIsRefusedWithNoExcel) {
    CFakeOffice excel("excel", "/version 7.0 /rect 100 100 600 400");
    ASSERT_TRUE(excel.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    ASSERT_EQ(Messages(), std::vector<std::string>{"No Excel"});
    CMessageCatcher::CBox box = m_pCatcher->Boxes()[0];
    EXPECT_EQ(box.hwndOwner, nullptr);
    EXPECT_EQ(box.strCaption, "") << "the bridge's boxes have no caption";
    EXPECT_FALSE(excel.Has("Execute"));
    // The recognised target stays until End.
    EXPECT_EQ(Brevix_Office_End(), 1);
    EXPECT_EQ(Brevix_Office_End(), 0);
}

TEST_F(ExcelInsertion, WithoutAWorkbookExcelIsRefused) {
    CFakeOffice excel("excel", "/version 8.0 /documents 0 /rect 100 100 600 400");
    ASSERT_TRUE(excel.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"No Excel"});
}

TEST_F(ExcelInsertion, FailureWhileConnectingShowsPopulateErrorThenNoExcel) {
    CFakeOffice excel("excel", "/version 8.0 /fail ActiveSheet /rect 100 100 600 400");
    ASSERT_TRUE(excel.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Could not populate the worksheet.", "No Excel"}));
}

TEST_F(ExcelInsertion, LostConnectionAfterToolSelectionShowsInitError) {
    CFakeOffice excel("excel", "/version 8.0 /fail Execute /rect 100 100 600 400");
    ASSERT_TRUE(excel.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Excel _Init Error"});
    EXPECT_FALSE(excel.Has("ScreenUpdating put false"));
}

TEST_F(ExcelInsertion, FailedScribbleTouchesNoShapeAndRestoresScreenUpdating) {
    CFakeOffice excel("excel", "/version 8.0 /scribble 0 /rect 100 100 600 400");
    ASSERT_TRUE(excel.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Brevix_Office_End(), 1);
    EXPECT_FALSE(excel.Has("shape["));
    EXPECT_FALSE(excel.Has("Group"));
    EXPECT_TRUE(excel.Has("app.ScreenUpdating put true"));
}

TEST_F(ExcelInsertion, InsertWithoutUsableConnectionLeavesTheClipboard) {
    CFakeOffice excel("excel", "/version 7.0 /rect 100 100 600 400");
    ASSERT_TRUE(excel.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    CInkBitmap ink(40, 30);
    ASSERT_TRUE(OpenClipboard(ink.Owner()));
    EmptyClipboard();
    HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, 6);
    memcpy(GlobalLock(hText), "hello", 6);
    GlobalUnlock(hText);
    SetClipboardData(CF_TEXT, hText);
    CloseClipboard();
    EXPECT_EQ(Brevix_Office_Insert(ink.Owner(), &kPicture, ink.Dc(), ink.Bitmap(), 0), 0);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
}

TEST_F(ExcelInsertion, StrokesAreGroupedAtTheEnd) {
    CFakeOffice excel("excel", kExcel8);
    ASSERT_TRUE(excel.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    POINT pts[3] = {{310, 260}, {330, 300}, {350, 270}};
    RECT rcStroke{310, 260, 350, 300};
    ASSERT_EQ(Brevix_Office_Rect(&rcStroke, pts, 3, RGB(255, 0, 0), 2.5f, 0), 1);
    ASSERT_EQ(Brevix_Office_Rect(&rcStroke, pts, 3, 0xFF0000FF, 1.0f, 1), 1);
    EXPECT_TRUE(excel.Has(".Weight put 2.500"));
    EXPECT_TRUE(excel.Has(".RGB put 255"));
    // Only the low 24 bits of a colour are used.
    EXPECT_EQ(excel.Matching(".RGB put 255").size(), 2u);
    // A stroke without the behind flag keeps the order Excel gave it.
    EXPECT_EQ(excel.Matching(".ZOrder call").size(), 1u);
    ASSERT_EQ(Brevix_Office_End(), 1);
    EXPECT_TRUE(excel.Has("shapes.Range get [1 2]"));
    EXPECT_TRUE(excel.Has("grouped 2 shapes"));
}

TEST_F(ExcelInsertion, OneStrokeMakesNoGroup) {
    CFakeOffice excel("excel", kExcel8);
    ASSERT_TRUE(excel.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    POINT pts[2] = {{310, 260}, {330, 300}};
    RECT rcStroke{310, 260, 330, 300};
    ASSERT_EQ(Brevix_Office_Rect(&rcStroke, pts, 2, 0, 1.0f, 0), 1);
    ASSERT_EQ(Brevix_Office_End(), 1);
    EXPECT_FALSE(excel.Has("Group"));
}

TEST_F(ExcelInsertion, AutomationFailureInInsertReturnsZeroAndEndStillRestores) {
    CFakeOffice excel("excel", "/version 8.0 /fail PictureFormat /rect 100 100 600 400");
    ASSERT_TRUE(excel.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    CInkBitmap ink(40, 30);
    EXPECT_EQ(Brevix_Office_Insert(ink.Owner(), &kPicture, ink.Dc(), ink.Bitmap(), 0), 0);
    EXPECT_EQ(Brevix_Office_End(), 1);
    EXPECT_TRUE(excel.Has("app.ScreenUpdating put true"));
}

TEST_F(ExcelInsertion, PasteThatAddsNothingPlacesNothingButSucceeds) {
    CFakeOffice excel("excel", "/version 8.0 /paste 0 /rect 100 100 600 400");
    ASSERT_TRUE(excel.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    CInkBitmap ink(40, 30);
    EXPECT_EQ(Brevix_Office_Insert(ink.Owner(), &kPicture, ink.Dc(), ink.Bitmap(), 0), 1);
    EXPECT_TRUE(excel.Has("sheet.Paste call missing missing"));
    EXPECT_FALSE(excel.Has("ZOrder"));
    EXPECT_FALSE(excel.Has("PictureFormat"));
}

TEST_F(ExcelInsertion, FailureAfterScreenUpdatingWentOffSwitchesItBackAtOnce) {
    CFakeOffice excel("excel", "/version 8.0 /fail Delete /rect 100 100 600 400");
    ASSERT_TRUE(excel.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    EXPECT_TRUE(excel.Has("app.ScreenUpdating put true"));
    // The connection is given up: End touches no shape and switches nothing again.
    EXPECT_EQ(Brevix_Office_End(), 1);
    EXPECT_EQ(excel.Matching("ScreenUpdating put true").size(), 1u);
    EXPECT_FALSE(excel.Has("Range"));
}

TEST_F(ExcelInsertion, ApplicationGoneDuringTheInsertionGivesZeroWithoutCrashing) {
    CFakeOffice excel("excel", kExcel8);
    ASSERT_TRUE(excel.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    excel.Kill();
    CInkBitmap ink(40, 30);
    EXPECT_EQ(Brevix_Office_Insert(ink.Owner(), &kPicture, ink.Dc(), ink.Bitmap(), 0), 0);
    POINT pts[2] = {{310, 260}, {330, 300}};
    RECT rcStroke{310, 260, 330, 300};
    EXPECT_EQ(Brevix_Office_Rect(&rcStroke, pts, 2, 0, 1.0f, 0), 0);
    // End finds Excel gone and says so; the connection and the target end all the same.
    EXPECT_EQ(Brevix_Office_End(), 0);
    EXPECT_EQ(Brevix_Office_End(), 0);
    EXPECT_TRUE(Messages().empty());
}
