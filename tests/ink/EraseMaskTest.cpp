// The eraser mask of an eraser stroke and the touch test of a stroke against it.
#include <gtest/gtest.h>

#include "GdiObjects.h"
#include "InkTestUtil.h"
#include "Line.h"

namespace {

constexpr COLORREF kPath = 0x00FF0000;
constexpr COLORREF kBlack = 0;
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Builds the mask of an eraser in its own memory DC and gives it back on destruction.
class CMaskScope {
public:
    explicit CMaskScope(CLine& eraser) : m_dc(nullptr) {
        m_hOld = eraser.MakeEraseMask(m_dc.Get(), m_rc);
    }
    ~CMaskScope() {
        if (m_hOld)
            DeleteObject(SelectObject(m_dc.Get(), m_hOld));
    }
    HDC Dc() const { return m_dc.Get(); }
    const RECT& Rect() const { return m_rc; }
    bool Made() const { return m_hOld != nullptr; }
    // The mask pixel at a page position.
    COLORREF At(int x, int y) const { return GetPixel(m_dc.Get(), x - m_rc.left, y - m_rc.top); }

private:
    CMemoryDC m_dc;
    RECT m_rc{};
    HBITMAP m_hOld = nullptr;
};

std::unique_ptr<CLine> SquareEraser() {
    return MakeStroke(CLine::kToolEraser, 1, 0,
                      {{20, 20, 80}, {120, 20, 80}, {120, 100, 80}, {20, 100, 80}, {20, 20, 80}});
}

} // namespace

TEST(EraseMask, ClosedPathIsBlackInsideWhiteOutsideAndBlueOnThePath) {
    auto pEraser = SquareEraser();
    CMaskScope mask(*pEraser);
    ASSERT_TRUE(mask.Made());
    EXPECT_EQ(mask.Rect(), (RECT{15, 15, 125, 105}));
    EXPECT_EQ(mask.At(15, 15), kWhite);
    EXPECT_EQ(mask.At(124, 104), kWhite);
    EXPECT_EQ(mask.At(19, 60), kWhite);
    EXPECT_EQ(mask.At(20, 60), kPath);
    EXPECT_EQ(mask.At(70, 20), kPath);
    EXPECT_EQ(mask.At(120, 100), kPath);
    EXPECT_EQ(mask.At(21, 21), kBlack);
    EXPECT_EQ(mask.At(70, 60), kBlack);
    EXPECT_EQ(mask.At(119, 99), kBlack);
}
