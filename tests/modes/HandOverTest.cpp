// Handing inking-mode strokes to the application under them: polylines in two passes when it
// takes drawing objects (ordinary ink, then marker ink behind the text), one picture on white
// when it does not, and nothing without strokes.
#include <gtest/gtest.h>

#include "GdiObjects.h"
#include "InkHandOver.h"
#include "RecordingBridge.h"

namespace {
constexpr auto kDone = CInkHandOver::Result::HandedOver;
constexpr auto kFailed = CInkHandOver::Result::Failed;

// A plain stroke in screen pixels, as inking mode records it.
std::unique_ptr<CLine> Plain(short nTool, COLORREF cr, std::vector<POINT> points, short nWidth) {
    auto pLine = std::make_unique<CLine>();
    pLine->SetColor(cr);
    pLine->SetTool(nTool, 0);
    for (POINT pt : points)
        pLine->AddPoint(pt.x, pt.y, nWidth);
    return pLine;
}

struct HandingOverInk : ::testing::Test {
    HandingOverInk() {
        m_hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    }
    ~HandingOverInk() override { DestroyWindow(m_hwnd); }
    void Pencil() { lines.Add(Plain(2, RGB(0, 0, 128), {{100, 100}, {150, 120}, {200, 100}}, 2)); }
    void Marker() { lines.Add(Plain(4, RGB(255, 255, 0), {{120, 200}, {220, 200}}, 6)); }
    CInkHandOver::Result Run() { return CInkHandOver(bridge, m_hwnd).HandOver(lines); }

    HWND m_hwnd = nullptr;
    CLines lines;
    CRecordingBridge bridge;
};

void ExpectPoints(const CBridgeCall& call, const std::vector<POINT>& expected) {
    ASSERT_EQ(call.points.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(call.points[i].x, expected[i].x) << "point " << i;
        EXPECT_EQ(call.points[i].y, expected[i].y) << "point " << i;
    }
}
} // namespace

TEST_F(HandingOverInk, OrdinaryInkGoesFirstThenMarkerInkBehindTheTextEachInItsOwnBegin) {
    Pencil();
    Marker();
    lines.Add(Plain(3, RGB(200, 0, 0), {{300, 300}, {310, 330}}, 4));
    ASSERT_EQ(Run(), kDone);
    ASSERT_EQ(bridge.Sequence(), "Begin Rect Rect End Begin Rect End");
    // A plain stroke's bounds reach half its width beyond its samples (nothing for 2 pixels).
    const RECT rcInk = {100, 100, 311, 331}, rcMarker = {118, 198, 222, 202};
    EXPECT_TRUE(EqualRect(&bridge.m_calls[0].rc, &rcInk));
    const CBridgeCall& pencil = bridge.m_calls[1];
    ExpectPoints(pencil, {{100, 100}, {150, 120}, {200, 100}});
    EXPECT_EQ(pencil.cr, RGB(0, 0, 128));
    EXPECT_EQ(pencil.nFlag, 0);
    const RECT rcPencil = {100, 100, 200, 120};
    EXPECT_TRUE(EqualRect(&pencil.rc, &rcPencil));
    // Widths are screen pixels turned into points at the screen's resolution.
    CWindowDC screen(nullptr);
    const float fPointsPerPixel = 72.0f / float(GetDeviceCaps(screen.Get(), LOGPIXELSX));
    EXPECT_FLOAT_EQ(pencil.fWidth, 2 * fPointsPerPixel);
    EXPECT_EQ(bridge.m_calls[2].cr, RGB(200, 0, 0));
    EXPECT_TRUE(EqualRect(&bridge.m_calls[4].rc, &rcMarker));
    const CBridgeCall& marker = bridge.m_calls[5];
    ExpectPoints(marker, {{120, 200}, {220, 200}});
    EXPECT_EQ(marker.nFlag, 1);
    EXPECT_FLOAT_EQ(marker.fWidth, 6 * fPointsPerPixel);
}

TEST_F(HandingOverInk, MarkerInkAloneIsOfferedOnceBehindTheText) {
    Marker();
    ASSERT_EQ(Run(), kDone);
    ASSERT_EQ(bridge.Sequence(), "Begin Rect End");
    const RECT rcMarker = {118, 198, 222, 202};
    EXPECT_TRUE(EqualRect(&bridge.m_calls[0].rc, &rcMarker));
    EXPECT_EQ(bridge.m_calls[1].nFlag, 1);
}

TEST_F(HandingOverInk, AnApplicationWithoutDrawingObjectsGetsAllTheInkAsOnePictureOnWhite) {
    Pencil();
    Marker();
    bridge.m_nBeginResult = 0;
    ASSERT_EQ(Run(), kDone);
    ASSERT_EQ(bridge.Sequence(), "Begin End Insert");
    const CBridgeCall& picture = bridge.m_calls[2];
    const RECT rcAll = {100, 100, 222, 202};
    EXPECT_TRUE(EqualRect(&picture.rc, &rcAll));
    ASSERT_EQ(picture.size.cx, 122);
    ASSERT_EQ(picture.size.cy, 102);
    // The ink keeps its place relative to the rectangle: the pencil's first segment passes
    // (125, 110), the marker's line masks the white with its yellow at y 200.
    EXPECT_EQ(picture.Pixel(25, 10), RGB(0, 0, 128));
    EXPECT_EQ(picture.Pixel(60, 100), RGB(255, 255, 0));
    EXPECT_EQ(picture.Pixel(60, 60), RGB(255, 255, 255));
    EXPECT_EQ(picture.Pixel(121, 0), RGB(255, 255, 255));
}

TEST_F(HandingOverInk, WhenNeitherPolylinesNorThePictureAreTakenTheHandOverFails) {
    Pencil();
    Marker();
    bridge.m_nBeginResult = 0;
    bridge.m_nInsertResult = 0;
    EXPECT_EQ(Run(), kFailed);
    EXPECT_EQ(bridge.Sequence(), "Begin End Insert");
    // An application that begins but takes no polyline gets the picture instead.
    bridge.m_calls.clear();
    bridge.m_nBeginResult = 1;
    bridge.m_nRectsTaken = 0;
    EXPECT_EQ(Run(), kFailed);
    EXPECT_EQ(bridge.Sequence(), "Begin Rect End Begin Rect End Insert");
    bridge.m_calls.clear();
    bridge.m_nRectsTaken = 0;
    bridge.m_nInsertResult = 1;
    EXPECT_EQ(Run(), kDone);
}

TEST_F(HandingOverInk, PolylinesTakenInPartFailWithoutAPictureThatWouldDoubleThem) {
    Pencil();
    Marker();
    bridge.m_nRectsTaken = 1;
    EXPECT_EQ(Run(), kFailed);
    EXPECT_EQ(bridge.Sequence(), "Begin Rect End Begin Rect End");
    // The pencil stroke arrived: only the marker stroke is left to send.
    ASSERT_EQ(lines.GetCount(), 1);
    EXPECT_EQ(lines.GetAt(0)->GetTool(), kToolMarker);
    // A marker pass whose begin fails has nothing to take its polylines.
    lines.RemoveAll();
    Pencil();
    Marker();
    bridge.m_calls.clear();
    bridge.m_nRectsTaken = 1000;
    bridge.m_nBeginsTaken = 1;
    EXPECT_EQ(Run(), kFailed);
    EXPECT_EQ(bridge.Sequence(), "Begin Rect End Begin End");
    EXPECT_EQ(lines.GetCount(), 1);
}

TEST_F(HandingOverInk, WithoutStrokesNothingIsOffered) {
    EXPECT_EQ(Run(), CInkHandOver::Result::NoInk);
    EXPECT_TRUE(bridge.m_calls.empty());
}

TEST_F(HandingOverInk, AStraightStrokeWithBoundsOfNoHeightIsHandedOverToo) {
    lines.Add(Plain(2, RGB(0, 0, 128), {{100, 100}, {200, 100}}, 2));
    Marker();
    ASSERT_EQ(Run(), kDone);
    ASSERT_EQ(bridge.Sequence(), "Begin Rect End Begin Rect End");
    const RECT rcLine = {100, 100, 200, 100};
    EXPECT_TRUE(EqualRect(&bridge.m_calls[0].rc, &rcLine));
    bridge.m_calls.clear();
    bridge.m_nBeginResult = 0;
    ASSERT_EQ(Run(), kDone);
    const RECT rcAll = {100, 100, 222, 202};
    EXPECT_TRUE(EqualRect(&bridge.m_calls[2].rc, &rcAll));
}
