#include "OfficeTestBase.h"

namespace {
constexpr RECT kInk{300, 250, 500, 350};
constexpr RECT kPicture{320, 260, 359, 289};
} // namespace

using PowerPointInsertion = OfficeTest;

TEST_F(PowerPointInsertion, PictureIsPastedIntoTheViewAndPlaced) {
    CFakeOffice pp("powerpoint", "/version 11.0 /view 9 /rect 100 100 600 400");
    ASSERT_TRUE(pp.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    CScribble s;
    ASSERT_TRUE(FindScribble(pp, &s));
    EXPECT_TRUE(pp.Has("shape[" + s.strName + "].Delete call"));
    EXPECT_FALSE(pp.Has("ScreenUpdating"));
    CInkBitmap ink(40, 30);
    ASSERT_EQ(Brevix_Office_Insert(ink.Owner(), &kPicture, ink.Dc(), ink.Bitmap(), 0), 1);
    EXPECT_TRUE(pp.Has("view.Paste call"));
    EXPECT_TRUE(pp.Has("shape[Picture 2].ZOrder call 4"));
    EXPECT_NEAR(pp.ValueAfter("shape[Picture 2].Left put "),
                Mapped(320, 300, 500, s.fLeft, s.fWidth), 0.01);
    EXPECT_NEAR(pp.ValueAfter("shape[Picture 2].Height put "),
                MappedSize(260, 289, 250, 350, s.fHeight), 0.01);
    EXPECT_TRUE(pp.Has("picture[Picture 2].TransparentBackground put 1"));
    ASSERT_EQ(Brevix_Office_End(), 1);
    EXPECT_FALSE(pp.Has("Group"));
    EXPECT_FALSE(pp.Has("UNKNOWN"));
}

TEST_F(PowerPointInsertion, OutlineViewIsRefused) {
    CFakeOffice pp("powerpoint", "/version 11.0 /view 2 /rect 100 100 600 400");
    ASSERT_TRUE(pp.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"No PowerPoint"});
}

TEST_F(PowerPointInsertion, SlideSorterViewIsRefused) {
    CFakeOffice pp("powerpoint", "/version 11.0 /view 7 /rect 100 100 600 400");
    ASSERT_TRUE(pp.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"No PowerPoint"});
}

TEST_F(PowerPointInsertion, RunningSlideShowIsRefused) {
    CFakeOffice pp("powerpoint", "/version 11.0 /show /rect 100 100 600 400");
    ASSERT_TRUE(pp.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"No PowerPoint"});
    EXPECT_FALSE(pp.Has("ViewType"));
}

TEST_F(PowerPointInsertion, LostConnectionShowsInitError) {
    CFakeOffice pp("powerpoint", "/version 11.0 /fail Execute /rect 100 100 600 400");
    ASSERT_TRUE(pp.IsReady());
    EXPECT_EQ(Brevix_Office_Begin(nullptr, &kInk), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{"PowerPoint _Init Error"});
}

TEST_F(PowerPointInsertion, GroupNeverTakesMoreShapesThanExist) {
    CFakeOffice pp("powerpoint", "/version 11.0 /rect 100 100 600 400");
    ASSERT_TRUE(pp.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    POINT pts[2] = {{310, 260}, {330, 300}};
    RECT rcStroke{310, 260, 330, 300};
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(Brevix_Office_Rect(&rcStroke, pts, 2, 0, 1.0f, 0), 1);
    // The user deletes one of the three strokes before the insertion ends.
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(L"PowerPoint.Application", &clsid), S_OK);
    IUnknown* pUnknown = nullptr;
    ASSERT_EQ(GetActiveObject(clsid, nullptr, &pUnknown), S_OK);
    IDispatch* pApp = nullptr;
    pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pApp));
    pUnknown->Release();
    auto get = [](IDispatch* p, DISPID id, WORD wFlags, VARIANT* pArg) {
        DISPPARAMS params{pArg, nullptr, pArg ? 1u : 0u, 0};
        VARIANT result;
        VariantInit(&result);
        p->Invoke(id, IID_NULL, 0, wFlags, &params, &result, nullptr, nullptr);
        return result.pdispVal;
    };
    VARIANT one;
    one.vt = VT_I4;
    one.lVal = 1;
    IDispatch* pPresentation = get(pApp, 2005, DISPATCH_PROPERTYGET, nullptr);
    IDispatch* pSlides = get(pPresentation, 2011, DISPATCH_PROPERTYGET, nullptr);
    IDispatch* pSlide = get(pSlides, 0, DISPATCH_METHOD, &one);
    IDispatch* pShapes = get(pSlide, 2003, DISPATCH_PROPERTYGET, nullptr);
    IDispatch* pShape = get(pShapes, 0, DISPATCH_METHOD, &one);
    get(pShape, 11, DISPATCH_METHOD, nullptr);
    for (IDispatch* p : {pShape, pShapes, pSlide, pSlides, pPresentation, pApp})
        p->Release();
    ASSERT_EQ(Brevix_Office_End(), 1);
    EXPECT_TRUE(pp.Has("shapes[1].Range call [1 2]"));
    EXPECT_TRUE(pp.Has("grouped 2 shapes"));
}
