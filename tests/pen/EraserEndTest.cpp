// The pen turned over: a Wintab driver's eraser cursor erases for as long as it is used, then the
// tool chosen before comes back. Drivers mark the eraser differently: one of the published
// interface as the inverted end of the cursor before it, Wine only by the cursor's type, with the
// eraser listed first.
#include "CanvasTestAccess.h"
#include "FakeCanvas.h"

#include <gtest/gtest.h>

namespace {
struct Driver {
    const char* pszName;
    std::vector<FakeTablet::Cursor> cursors;
    UINT nTip;
    UINT nEraser;
};

void PrintTo(const Driver& d, std::ostream* os) {
    *os << d.pszName;
}

// The letter canvas fed through the packet intake, the cursor placed at each packet's point.
class CTurnedCanvas : public CFakeCanvas {
public:
    explicit CTurnedCanvas(FakeTablet& tablet) : CFakeCanvas(tablet), m_tablet(tablet) {}
    void Packet(UINT nCursor, DWORD nEvent, int cx, int cy, UINT nPressure) {
        m_ptCursor = {cx, cy};
        ClientToScreen(m_hWnd, &m_ptCursor);
        m_tablet.packets = {{GetTickCount(), nCursor, MAKELONG(0, nEvent), 0, 0, nPressure}};
        OnWTPacket(0, reinterpret_cast<LPARAM>(m_hCtx));
    }
    // Down at (100, y), moves to (200, y) and (300, y), up.
    void Stroke(UINT nCursor, int y) {
        Packet(nCursor, TBN_DOWN, 100, y, 600);
        Packet(nCursor, TBN_NONE, 200, y, 600);
        Packet(nCursor, TBN_NONE, 300, y, 600);
        Packet(nCursor, TBN_UP, 300, y, 0);
    }
    // The tools the tool bar and panel were told to show, in order.
    std::vector<int> m_shown;

protected:
    POINT TabletCursorPos() const override { return m_ptCursor; }
    void OnToolChanged(int, int nNew) override { m_shown.push_back(nNew); }

private:
    FakeTablet& m_tablet;
    POINT m_ptCursor{};
};

class EraserEnd : public testing::TestWithParam<Driver> {
protected:
    void SetUp() override {
        m_tablet.cursors = GetParam().cursors;
        m_canvas.OpenViewContext();
        ASSERT_NE(CCanvasTestAccess::Context(m_canvas), nullptr);
        m_canvas.SelectTool(kToolBrush);
        m_canvas.m_shown.clear();
    }
    UINT Tip() const { return GetParam().nTip; }
    UINT Eraser() const { return GetParam().nEraser; }
    FakeTablet m_tablet;
    CTurnedCanvas m_canvas{m_tablet};
};
} // namespace

TEST_P(EraserEnd, TheEraserCursorErasesUntilTheTipWritesAgainWithTheToolChosenBefore) {
    m_canvas.Stroke(Tip(), 100);
    ASSERT_EQ(m_canvas.m_lines.GetCount(), 1);
    m_canvas.Stroke(Eraser(), 100);
    EXPECT_EQ(m_canvas.m_lines.GetCount(), 0) << "the brush stroke is erased";
    EXPECT_EQ(m_canvas.Tool(), kToolEraser) << "the eraser end is still in use";
    m_canvas.Stroke(Tip(), 200);
    EXPECT_EQ(m_canvas.Tool(), kToolBrush);
    EXPECT_EQ(m_canvas.m_shown, (std::vector<int>{kToolEraser, kToolBrush}));
    ASSERT_EQ(m_canvas.m_lines.GetCount(), 1);
    EXPECT_EQ(m_canvas.m_lines.GetAt(0)->GetTool(), kToolBrush);
}

TEST_P(EraserEnd, ACursorChangeInTheMiddleOfAStrokeWaitsForTheLift) {
    m_canvas.Packet(Tip(), TBN_DOWN, 100, 100, 600);
    m_canvas.Packet(Eraser(), TBN_NONE, 200, 100, 600);
    EXPECT_EQ(m_canvas.Tool(), kToolBrush);
    m_canvas.Packet(Eraser(), TBN_UP, 300, 100, 0);
    ASSERT_EQ(m_canvas.m_lines.GetCount(), 1);
    EXPECT_EQ(m_canvas.m_lines.GetAt(0)->GetTool(), kToolBrush);
    EXPECT_EQ(m_canvas.m_lines.GetAt(0)->GetPointCount(), 2) << "down and the move";
    m_canvas.Packet(Eraser(), TBN_NONE, 300, 150, 0);
    EXPECT_EQ(m_canvas.Tool(), kToolEraser) << "taken at the next packet after the lift";
}

TEST_P(EraserEnd, AToolChosenWhileTheEraserEndIsUsedStays) {
    m_canvas.Stroke(Eraser(), 100);
    m_canvas.SelectTool(kToolMarker);
    m_canvas.Stroke(Tip(), 200);
    EXPECT_EQ(m_canvas.Tool(), kToolMarker);
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, EraserEnd,
    testing::Values(Driver{"PublishedInterface", {{0, 0x0822}, {CRC_INVERT, 0}}, 0, 1},
                    Driver{"Wine", {{CRC_MULTIMODE, 0x082A}, {CRC_MULTIMODE, 0x0822}}, 1, 0}),
    [](const testing::TestParamInfo<Driver>& info) { return std::string(info.param.pszName); });
