#include <gtest/gtest.h>

#include "NoteTestUtil.h"
#include "Pictures.h"

namespace {

// Records what the picture list asks of the view.
class CFakeView : public IPictureView {
public:
    void RepaintPageRect(const RECT& rc) override { repaints.push_back(rc); }
    void ShowDragOutline(const RECT& rc) override { outlines.push_back(rc); }
    void ShowPictureMenu(HMENU hPopup) override {
        ++nMenus;
        for (int i = 0; i < GetMenuItemCount(hPopup); ++i) {
            wchar_t sz[64] = {};
            GetMenuStringW(hPopup, i, sz, 64, MF_BYPOSITION);
            menuItems.emplace_back(GetMenuItemID(hPopup, i), sz);
        }
    }
    std::vector<RECT> repaints;
    std::vector<RECT> outlines;
    std::vector<std::pair<UINT, std::wstring>> menuItems;
    int nMenus = 0;
};

std::unique_ptr<CPicture> PictureAt(const RECT& rc, COLORREF cr = RGB(10, 20, 30)) {
    auto p = std::make_unique<CPicture>();
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    p->SetImage(MakeBitmap(w, h, std::vector<COLORREF>(static_cast<size_t>(w) * h, cr)), w, h);
    p->SetRect(rc);
    return p;
}

// Three pictures: 0 at (0,0)-(100,100), 1 at (50,50)-(150,150), 2 at (300,0)-(400,50).
class PictureListTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.Add(PictureAt({0, 0, 100, 100}));
        list.Add(PictureAt({50, 50, 150, 150}));
        list.Add(PictureAt({300, 0, 400, 50}));
        first = list.GetAt(0);
        second = list.GetAt(1);
        third = list.GetAt(2);
    }
    std::vector<CPicture*> Order() const {
        std::vector<CPicture*> v;
        for (int i = 0; i < list.GetCount(); ++i)
            v.push_back(list.GetAt(i));
        return v;
    }
    CPictures list;
    CFakeView view;
    CPicture* first = nullptr;
    CPicture* second = nullptr;
    CPicture* third = nullptr;
};

} // namespace

TEST_F(PictureListTest, ClickOnOverlapSelectsTheUpperPicture) {
    EXPECT_TRUE(list.SelectAt(view, 75, 75));
    EXPECT_EQ(list.GetSel(), 1);
    EXPECT_TRUE(second->IsSelected());
    EXPECT_FALSE(first->IsSelected());
    EXPECT_EQ(second->GetHit(), 8) << "a press inside starts a move";
    ASSERT_EQ(view.repaints.size(), 1u);
    EXPECT_TRUE(SameRect(view.repaints[0], {45, 45, 155, 155})) << "the picture with its tracker";
}

TEST_F(PictureListTest, ClickOnEmptyPageKeepsTheSelection) {
    ASSERT_TRUE(list.SelectAt(view, 10, 10));
    view.repaints.clear();
    EXPECT_FALSE(list.SelectAt(view, 250, 250));
    EXPECT_EQ(list.GetSel(), 0);
    EXPECT_TRUE(first->IsSelected());
    EXPECT_TRUE(view.repaints.empty());
    // ... and a drag that starts there does not move the picture.
    list.Track(view, true, 260, 260);
    EXPECT_FALSE(list.EndTrack(view, 260, 260));
    EXPECT_TRUE(SameRect(first->GetRect(), {0, 0, 100, 100}));
}

TEST_F(PictureListTest, ClickOnTheSelectedPictureReportsNoChange) {
    ASSERT_TRUE(list.SelectAt(view, 10, 10));
    view.repaints.clear();
    EXPECT_FALSE(list.SelectAt(view, 20, 20));
    EXPECT_TRUE(view.repaints.empty());
}

TEST_F(PictureListTest, NewSelectionRepaintsTheUnionAndClearsTheOldFlag) {
    ASSERT_TRUE(list.SelectAt(view, 10, 10));
    view.repaints.clear();
    EXPECT_TRUE(list.SelectAt(view, 350, 20));
    EXPECT_EQ(list.GetSel(), 2);
    EXPECT_FALSE(first->IsSelected());
    EXPECT_TRUE(third->IsSelected());
    ASSERT_EQ(view.repaints.size(), 1u);
    EXPECT_TRUE(SameRect(view.repaints[0], {-5, -5, 405, 105}));
}

TEST_F(PictureListTest, PressInTheMarginHitsThePictureButMovesNothingOffTheHandles) {
    EXPECT_TRUE(list.SelectAt(view, 320, 53)); // below the third picture, between handles
    EXPECT_EQ(list.GetSel(), 2);
    EXPECT_EQ(third->GetHit(), -1);
}

TEST_F(PictureListTest, HoverReportsHandleNumbersZeroToEight) {
    ASSERT_TRUE(list.SelectAt(view, 350, 20)); // (300,0)-(400,50): centre (350,25)
    const struct {
        int x, y, nPart;
    } cases[] = {{297, -3, 0}, {402, -3, 1},   {402, 52, 2}, {297, 52, 3},
                 {350, -3, 4}, {402, 25, 5},   {350, 52, 6}, {297, 25, 7},
                 {320, 10, 8}, {500, 500, -1}, {320, 52, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(list.Track(view, false, c.x, c.y), c.nPart) << "at (" << c.x << "," << c.y << ")";
}

TEST_F(PictureListTest, PressOnAHandleStartsAResize) {
    ASSERT_TRUE(list.SelectAt(view, 350, 20));
    EXPECT_EQ(list.Track(view, false, 402, 52), 2);
    EXPECT_FALSE(list.SelectAt(view, 402, 52));
    EXPECT_EQ(third->GetHit(), 2);
    list.Track(view, true, 450, 80);
    ASSERT_EQ(view.outlines.size(), 1u);
    EXPECT_TRUE(SameRect(view.outlines[0], {300, 0, 450, 80}));
    EXPECT_TRUE(list.EndTrack(view, 450, 80));
    EXPECT_TRUE(SameRect(third->GetRect(), {300, 0, 450, 80}));
}

TEST_F(PictureListTest, EachHandleMovesItsOwnEdges) {
    const struct {
        int nPart;
        RECT expected;
    } cases[] = {{0, {10, 20, 150, 150}}, {1, {50, 20, 10, 150}},  {2, {50, 50, 10, 20}},
                 {3, {10, 50, 150, 20}},  {4, {50, 20, 150, 150}}, {5, {50, 50, 10, 150}},
                 {6, {50, 50, 150, 20}},  {7, {10, 50, 150, 150}}};
    for (const auto& c : cases) {
        CPictures one;
        one.Add(PictureAt({50, 50, 150, 150}));
        CFakeView v;
        ASSERT_TRUE(one.SelectAt(v, 100, 100));
        const RECT rcHandle = CPictureTracker::GetHandleRect({50, 50, 150, 150}, c.nPart);
        ASSERT_EQ(one.Track(v, false, rcHandle.left + 1, rcHandle.top + 1), c.nPart);
        one.SelectAt(v, rcHandle.left + 1, rcHandle.top + 1);
        one.Track(v, true, 10, 20);
        ASSERT_FALSE(v.outlines.empty()) << "part " << c.nPart;
        EXPECT_TRUE(SameRect(v.outlines.back(), c.expected)) << "part " << c.nPart;
    }
}

TEST_F(PictureListTest, MoveFollowsThePointerOffset) {
    ASSERT_TRUE(list.SelectAt(view, 350, 20));
    list.Track(view, true, 360, 25);
    list.Track(view, true, 360, 25); // same point: no step
    list.Track(view, true, 340, 45);
    ASSERT_EQ(view.outlines.size(), 2u);
    EXPECT_TRUE(SameRect(view.outlines[0], {310, 5, 410, 55}));
    EXPECT_TRUE(SameRect(view.outlines[1], {290, 25, 390, 75}));
    view.repaints.clear();
    EXPECT_TRUE(list.EndTrack(view, 340, 45));
    EXPECT_TRUE(SameRect(third->GetRect(), {290, 25, 390, 75}));
    ASSERT_EQ(view.repaints.size(), 1u);
    EXPECT_TRUE(SameRect(view.repaints[0], {285, -5, 405, 80}));
}

TEST_F(PictureListTest, DraggingBottomRightPastTopLeftGivesANormalisedRectangle) {
    ASSERT_TRUE(list.SelectAt(view, 350, 20));
    ASSERT_EQ(list.Track(view, false, 402, 52), 2);
    list.SelectAt(view, 402, 52);
    list.Track(view, true, 250, -40);
    EXPECT_TRUE(SameRect(third->GetDragRect(), {300, 0, 250, -40}));
    view.repaints.clear();
    EXPECT_TRUE(list.EndTrack(view, 250, -40));
    EXPECT_TRUE(SameRect(third->GetRect(), {250, -40, 300, 0}));
    ASSERT_EQ(view.repaints.size(), 1u);
    EXPECT_TRUE(SameRect(view.repaints[0], {245, -45, 405, 55}));
}

TEST_F(PictureListTest, ReleaseWithoutChangeRepaintsNothing) {
    ASSERT_TRUE(list.SelectAt(view, 350, 20));
    view.repaints.clear();
    EXPECT_FALSE(list.EndTrack(view, 350, 20));
    EXPECT_TRUE(view.repaints.empty());
    CPictures empty;
    EXPECT_FALSE(empty.EndTrack(view, 1, 1));
    EXPECT_EQ(empty.Track(view, true, 1, 1), -1);
}

TEST_F(PictureListTest, MoveToFrontOfTheMiddleGivesOrderZeroTwoOne) {
    ASSERT_TRUE(list.SelectAt(view, 120, 120));
    ASSERT_EQ(list.GetSel(), 1);
    EXPECT_TRUE(SameRect(list.MoveToFront(), {50, 50, 150, 150}));
    EXPECT_EQ(Order(), (std::vector<CPicture*>{first, third, second}));
    EXPECT_EQ(list.GetSel(), 2);
    EXPECT_TRUE(SameRect(list.MoveToFront(), {0, 0, 0, 0}));
    EXPECT_EQ(Order(), (std::vector<CPicture*>{first, third, second}));
}

TEST_F(PictureListTest, MoveBackAtTheBottomAndForwardAtTheTopChangeNothing) {
    ASSERT_TRUE(list.SelectAt(view, 10, 10));
    EXPECT_TRUE(SameRect(list.MoveBack(), {0, 0, 0, 0}));
    EXPECT_TRUE(SameRect(list.MoveToBack(), {0, 0, 0, 0}));
    EXPECT_EQ(list.GetSel(), 0);
    ASSERT_TRUE(list.SelectAt(view, 350, 20));
    EXPECT_TRUE(SameRect(list.MoveForward(), {0, 0, 0, 0}));
    EXPECT_EQ(list.GetSel(), 2);
    EXPECT_EQ(Order(), (std::vector<CPicture*>{first, second, third}));
}

TEST_F(PictureListTest, StepAndBackMovesFollowTheSelection) {
    ASSERT_TRUE(list.SelectAt(view, 350, 20));
    EXPECT_TRUE(SameRect(list.MoveBack(), {300, 0, 400, 50}));
    EXPECT_EQ(Order(), (std::vector<CPicture*>{first, third, second}));
    EXPECT_EQ(list.GetSel(), 1);
    EXPECT_TRUE(SameRect(list.MoveToBack(), {300, 0, 400, 50}));
    EXPECT_EQ(Order(), (std::vector<CPicture*>{third, first, second}));
    EXPECT_EQ(list.GetSel(), 0);
    EXPECT_TRUE(SameRect(list.MoveForward(), {300, 0, 400, 50}));
    EXPECT_EQ(Order(), (std::vector<CPicture*>{first, third, second}));
    EXPECT_EQ(list.GetSel(), 1);
    EXPECT_TRUE(third->IsSelected());
}

TEST_F(PictureListTest, DeleteRemovesTheSelectedPictureAndTheSelection) {
    ASSERT_TRUE(list.SelectAt(view, 120, 120));
    EXPECT_TRUE(SameRect(list.Delete(), {45, 45, 155, 155}));
    EXPECT_EQ(Order(), (std::vector<CPicture*>{first, third}));
    EXPECT_EQ(list.GetSel(), -1);
    EXPECT_TRUE(SameRect(list.Delete(), {0, 0, 0, 0}));
    EXPECT_TRUE(SameRect(list.GetSelRect(), {0, 0, 0, 0}));
}

TEST_F(PictureListTest, DeselectReturnsTheTrackerAreaOnce) {
    EXPECT_TRUE(SameRect(list.Deselect(), {0, 0, 0, 0}));
    ASSERT_TRUE(list.SelectAt(view, 350, 20));
    EXPECT_TRUE(SameRect(list.GetSelRect(), {300, 0, 400, 50}));
    EXPECT_TRUE(SameRect(list.Deselect(), {295, -5, 405, 55}));
    EXPECT_FALSE(third->IsSelected());
    EXPECT_EQ(list.GetSel(), -1);
    EXPECT_TRUE(SameRect(list.Deselect(), {0, 0, 0, 0}));
}

TEST_F(PictureListTest, ExtentIsTheLargestRightAndBottomEdge) {
    const POINT pt = list.GetExtent();
    EXPECT_EQ(pt.x, 400);
    EXPECT_EQ(pt.y, 150);
    CPictures empty;
    EXPECT_EQ(empty.GetExtent().x, 0);
    EXPECT_EQ(empty.GetExtent().y, 0);
}

TEST_F(PictureListTest, MenuOverTheSelectedPictureOffersTheFiveCommands) {
    EXPECT_FALSE(list.ShowMenu(view, 10, 10)) << "nothing selected";
    ASSERT_TRUE(list.SelectAt(view, 350, 20));
    EXPECT_FALSE(list.ShowMenu(view, 10, 10)) << "outside the selected picture";
    EXPECT_EQ(view.nMenus, 0);
    EXPECT_TRUE(list.ShowMenu(view, 350, 20));
    EXPECT_EQ(third->GetHit(), -1);
    const std::vector<std::pair<UINT, std::wstring>> expected = {{32806, L"Move To Front"},
                                                                 {32807, L"Move To Back"},
                                                                 {32808, L"Move Forward"},
                                                                 {32809, L"Move Back"},
                                                                 {32805, L"Delete"}};
    EXPECT_EQ(view.menuItems, expected);
}

// Drawing: into a 32-bit DIB, white first.
class PictureDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = kW;
        bmi.bmiHeader.biHeight = -kH;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        hdc = CreateCompatibleDC(nullptr);
        hbm = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr,
                               0);
        hOld = SelectObject(hdc, hbm);
        std::fill(bits, bits + kW * kH, 0xFFFFFFu);
    }
    void TearDown() override {
        SelectObject(hdc, hOld);
        DeleteObject(hbm);
        DeleteDC(hdc);
    }
    COLORREF At(int x, int y) const {
        const std::uint32_t n = bits[y * kW + x];
        return RGB((n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF);
    }
    static constexpr int kW = 64, kH = 48;
    HDC hdc = nullptr;
    HBITMAP hbm = nullptr;
    HGDIOBJ hOld = nullptr;
    std::uint32_t* bits = nullptr;
};

TEST_F(PictureDrawTest, DrawStretchesTheImageIntoItsRectangle) {
    // 2 x 1 image: red, blue; placed at (10,10)-(30,20).
    CPicture pic;
    pic.SetImage(MakeBitmap(2, 1, {RGB(255, 0, 0), RGB(0, 0, 255)}), 2, 1);
    pic.SetRect({10, 10, 30, 20});
    RECT rc = pic.Draw(hdc);
    EXPECT_TRUE(SameRect(rc, {10, 10, 30, 20}));
    EXPECT_EQ(At(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(At(19, 19), RGB(255, 0, 0));
    EXPECT_EQ(At(20, 10), RGB(0, 0, 255));
    EXPECT_EQ(At(29, 19), RGB(0, 0, 255));
    EXPECT_EQ(At(30, 15), RGB(255, 255, 255));
    EXPECT_EQ(At(9, 15), RGB(255, 255, 255));
}

TEST_F(PictureDrawTest, DrawInRectDrawsOnlyThePartInsideTheClip) {
    CPicture pic;
    pic.SetImage(MakeBitmap(2, 1, {RGB(255, 0, 0), RGB(0, 0, 255)}), 2, 1);
    pic.SetRect({10, 10, 30, 20});
    EXPECT_FALSE(pic.DrawInRect(hdc, {40, 0, 60, 40}));
    EXPECT_TRUE(pic.DrawInRect(hdc, {25, 0, 60, 40}));
    EXPECT_EQ(At(24, 15), RGB(255, 255, 255)) << "left of the clip stays";
    EXPECT_EQ(At(25, 15), RGB(0, 0, 255));
    EXPECT_EQ(At(29, 15), RGB(0, 0, 255));
}

TEST_F(PictureDrawTest, SelectedPictureDrawsItsTrackerHandles) {
    CPictures list;
    CFakeView view;
    list.Add(PictureAt({20, 15, 40, 30}, RGB(0, 255, 0)));
    list.DrawInRect(hdc, {0, 0, kW, kH});
    EXPECT_EQ(At(17, 12), RGB(255, 255, 255)) << "no tracker before selection";
    ASSERT_TRUE(list.SelectAt(view, 30, 20));
    list.DrawInRect(hdc, {0, 0, kW, kH});
    EXPECT_EQ(At(30, 20), RGB(0, 255, 0));
    for (int n = 0; n < 8; ++n) {
        const RECT rc = CPictureTracker::GetHandleRect({20, 15, 40, 30}, n);
        EXPECT_EQ(At(rc.left + 2, rc.top + 2), RGB(0, 0, 0)) << "handle " << n;
    }
    std::fill(bits, bits + kW * kH, 0xFFFFFFu);
    list.DrawAll(hdc);
    EXPECT_EQ(At(17, 12), RGB(255, 255, 255)) << "DrawAll draws no tracker";
}

TEST_F(PictureDrawTest, PictureWithoutImageDrawsNothing) {
    CPicture pic;
    pic.SetRect({0, 0, 20, 20});
    EXPECT_TRUE(SameRect(pic.Draw(hdc), {0, 0, 20, 20}));
    EXPECT_TRUE(pic.DrawInRect(hdc, {0, 0, 64, 48}));
    EXPECT_EQ(At(5, 5), RGB(255, 255, 255));
}
