// The brush renderer paints a DIB section's memory directly and any other device context through
// GetPixel and fills: the same strokes through both paths leave the same bytes, at every scale,
// on every kind of section, and with damaged input.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "DibCanvas.h"
#include "DibFormat.h"
#include "GdiObjects.h"
#include "InkTestUtil.h"
#include "PixelTarget.h"
#include "SMLine.h"

namespace {

// A stroke as the renderer is fed it, with the pressure maximum of its tablet.
struct CTestStroke {
    std::vector<Sample> samples;
    int nPressureMax = 511;
};

// Wandering strokes with sharp turns, heavy and light pressure and short hooks, partly over the
// edges of a 200 x 150 canvas.
std::vector<CTestStroke> RandomStrokes(unsigned nSeed) {
    std::mt19937 rng(nSeed);
    std::uniform_int_distribution<int> start(-20, 220), step(-9, 9), pressure(0, 511), turn(0, 7);
    std::vector<CTestStroke> strokes;
    for (int s = 0; s < 6; ++s) {
        CTestStroke stroke;
        stroke.nPressureMax = s % 3 == 2 ? 256 : 511;
        int x = start(rng), y = start(rng) * 3 / 4, dx = step(rng), dy = step(rng);
        const int n = 1 + s * 9;
        for (int i = 0; i < n; ++i) {
            if (turn(rng) == 0) {
                dx = step(rng);
                dy = step(rng);
            }
            x += dx;
            y += dy;
            stroke.samples.push_back({x, y, pressure(rng)});
        }
        strokes.push_back(stroke);
    }
    return strokes;
}

// What a damaged note can hand over: absurd pressures and coordinates, repeated samples, odd
// pressure maxima.
std::vector<CTestStroke> DamagedStrokes() {
    return {
        {{{30, 30, 32767},
          {-2000000000, 5, -32768},
          {2000000000, 40, 32767},
          {31, 31, 1000},
          {30, 50, 400}},
         511},
        {{{60, 60, 300}, {60, 60, 300}, {60, 60, 300}, {90, 61, 300}, {90, 61, 300}}, 0},
        {{{100, 20, -5}, {140, 90, 600}, {-30, 140, 200}, {160, 140, 255}}, -7},
        {{{10, 100, 511}, {12, 101, 511}, {13, 103, 511}, {11, 104, 511}}, 100000},
        {{{180, 10, 200}, {190, 200000, 200}, {150, 30, 200}, {140, 40, 200}}, 511},
    };
}

// Heavy strokes across each edge of the clip box (renderer coordinates are target pixels over
// the scale), where blocks of a scale above 1 straddle the edge.
std::vector<CTestStroke> EdgeStrokes(const RECT& rc, float fScale) {
    const auto at = [fScale](LONG n) { return static_cast<int>(n / fScale); };
    const int xMid = at((rc.left + rc.right) / 2), yMid = at((rc.top + rc.bottom) / 2);
    std::vector<CTestStroke> strokes;
    for (int k = 0; k < 2; ++k) {
        strokes.push_back({{{at(rc.left) - 9, yMid + 7 * k, 450},
                            {at(rc.left) + 2, yMid + 3 + 7 * k, 480},
                            {at(rc.left) + 13, yMid + 7 * k, 500}}});
        strokes.push_back({{{at(rc.right) + 9, yMid - 7 * k, 450},
                            {at(rc.right) - 2, yMid + 3 - 7 * k, 480},
                            {at(rc.right) - 13, yMid - 7 * k, 500}}});
        strokes.push_back({{{xMid + 7 * k, at(rc.top) - 9, 450},
                            {xMid + 3 + 7 * k, at(rc.top) + 2, 480},
                            {xMid + 7 * k, at(rc.top) + 13, 500}}});
        strokes.push_back({{{xMid - 7 * k, at(rc.bottom) + 9, 450},
                            {xMid + 3 - 7 * k, at(rc.bottom) - 2, 480},
                            {xMid - 7 * k, at(rc.bottom) - 13, 500}}});
    }
    return strokes;
}

void DrawStrokes(const CPixelTarget& target, const std::vector<CTestStroke>& strokes,
                 float fScale) {
    // One renderer for all, as a page is redrawn: its state carries from stroke to stroke.
    CSMLine sm;
    for (const CTestStroke& stroke : strokes) {
        const std::vector<Sample>& s = stroke.samples;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const Sample prev = i == 0 ? Sample{} : s[i - 1];
            const int nKind = i == 0              ? CSMLine::kKindFirst
                              : i + 1 == s.size() ? CSMLine::kKindLast
                                                  : CSMLine::kKindInner;
            sm.DrawSegment(target, prev.x, prev.y, s[i].x, s[i].y, s[i].nPressure, kInk, nKind,
                           stroke.nPressureMax, fScale);
        }
    }
}

struct CFormat {
    int nBits;
    bool bBottomUp;
};

// Draws the strokes on two identical sections, one painted directly and one whose context is
// put in the advanced graphics mode (an identity world transform: GDI draws the same, but the
// renderer must leave the pixels to GDI), and compares every byte. Returns the inked pixels.
int ExpectSameBytes(std::vector<CTestStroke> strokes, float fScale, CFormat format,
                    POINT ptOrigin = {0, 0}) {
    CDibCanvas direct(200, 150, kPaper, format.nBits, format.bBottomUp);
    CDibCanvas gdi(200, 150, kPaper, format.nBits, format.bBottomUp);
    if (format.nBits == 32) {
        direct.SetFourthBytes(0x5A);
        gdi.SetFourthBytes(0x5A);
    }
    SetViewportOrgEx(direct.Dc(), ptOrigin.x, ptOrigin.y, nullptr);
    SetViewportOrgEx(gdi.Dc(), ptOrigin.x, ptOrigin.y, nullptr);
    EXPECT_TRUE(SetGraphicsMode(gdi.Dc(), GM_ADVANCED));
    {
        const CPixelTarget toDirect(direct.Dc()), toGdi(gdi.Dc());
        if (std::isfinite(fScale) && fScale > 0.0f) {
            const std::vector<CTestStroke> edges = EdgeStrokes(toDirect.ClipBox(), fScale);
            strokes.insert(strokes.end(), edges.begin(), edges.end());
        }
        EXPECT_TRUE(toDirect.IsDirect());
        EXPECT_FALSE(toGdi.IsDirect());
        DrawStrokes(toDirect, strokes, fScale);
        DrawStrokes(toGdi, strokes, fScale);
    }
    const std::vector<std::uint8_t> a = direct.Bytes(), b = gdi.Bytes();
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) {
            ADD_FAILURE() << "byte " << i << " of the " << format.nBits << "-bit "
                          << (format.bBottomUp ? "bottom-up" : "top-down")
                          << " section: " << int(a[i]) << " painted directly, " << int(b[i])
                          << " through GDI";
            break;
        }
    return direct.CountOther(kPaper);
}

const float kScales[] = {0.25f, 0.5f, 1.0f, 1.5f, 2.0f, 3.0f, 4.0f};
const float kDamagedScales[] = {0.0f,
                                -2.0f,
                                1e-9f,
                                1e9f,
                                std::numeric_limits<float>::quiet_NaN(),
                                std::numeric_limits<float>::infinity()};

} // namespace

TEST(BrushTargets, SectionsAreWrittenDirectlyAndOtherContextsThroughGdi) {
    CDibCanvas canvas(20, 20);
    EXPECT_TRUE(CPixelTarget(canvas.Dc()).IsDirect());
    SetViewportOrgEx(canvas.Dc(), -7, 3, nullptr);
    EXPECT_TRUE(CPixelTarget(canvas.Dc()).IsDirect());
    // A clip region, a scaling map mode or a device-dependent bitmap leave the pixels to GDI.
    COwnedRgn rgn(CreateRectRgn(2, 2, 10, 10));
    SelectClipRgn(canvas.Dc(), rgn.Get());
    EXPECT_FALSE(CPixelTarget(canvas.Dc()).IsDirect());
    SelectClipRgn(canvas.Dc(), nullptr);
    SetMapMode(canvas.Dc(), MM_LOMETRIC);
    EXPECT_FALSE(CPixelTarget(canvas.Dc()).IsDirect());
    CDibCanvas canvas16(20, 20, RGB(255, 255, 255), 16);
    EXPECT_FALSE(CPixelTarget(canvas16.Dc()).IsDirect());
    CWindowDC screen(nullptr);
    CMemoryDC dc(screen.Get());
    COwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), 20, 20));
    CSelectScope select(dc.Get(), bitmap.Get());
    EXPECT_FALSE(CPixelTarget(dc.Get()).IsDirect());
}

TEST(BrushTargets, DirectAndGdiPathsLeaveTheSameBytesAtEveryScale) {
    const std::vector<CTestStroke> strokes = RandomStrokes(11);
    for (float fScale : kScales) {
        SCOPED_TRACE(fScale);
        EXPECT_GT(ExpectSameBytes(strokes, fScale, {24, false}), 100);
    }
}

TEST(BrushTargets, DirectAndGdiPathsLeaveTheSameBytesOnEveryKindOfSection) {
    const std::vector<CTestStroke> strokes = RandomStrokes(12);
    for (CFormat format : {CFormat{24, true}, CFormat{32, false}, CFormat{32, true}})
        for (float fScale : {0.5f, 1.0f, 2.0f}) {
            SCOPED_TRACE(fScale);
            EXPECT_GT(ExpectSameBytes(strokes, fScale, format), 100);
        }
}

// The live drawing on the screen moves the context's origin; blocks of scale 3 then straddle
// the section's edges, where GDI reads no pixel.
TEST(BrushTargets, DirectAndGdiPathsLeaveTheSameBytesWithAMovedOrigin) {
    const std::vector<CTestStroke> strokes = RandomStrokes(13);
    int nInked = 0;
    for (float fScale : {0.5f, 1.0f, 3.0f}) {
        SCOPED_TRACE(fScale);
        nInked += ExpectSameBytes(strokes, fScale, {24, true}, {-37, 19});
        nInked += ExpectSameBytes(strokes, fScale, {32, false}, {23, -41});
    }
    EXPECT_GT(nInked, 1000);
}

TEST(BrushTargets, DirectAndGdiPathsLeaveTheSameBytesWithDamagedInput) {
    const std::vector<CTestStroke> strokes = DamagedStrokes();
    int nInked = 0;
    for (float fScale : kScales) {
        SCOPED_TRACE(fScale);
        nInked += ExpectSameBytes(strokes, fScale, {24, false});
    }
    for (float fScale : kDamagedScales) {
        SCOPED_TRACE(fScale);
        nInked += ExpectSameBytes(strokes, fScale, {24, true});
    }
    EXPECT_GT(nInked, 1000);
}

// A device-dependent bitmap (the screen's own format) is painted through GDI and shows the same
// colours as the section painted directly.
TEST(BrushTargets, ScreenBitmapShowsTheColoursOfTheDirectSection) {
    const std::vector<CTestStroke> strokes = RandomStrokes(14);
    for (float fScale : {1.0f, 4.0f}) {
        SCOPED_TRACE(fScale);
        CDibCanvas direct(200, 150, kPaper);
        CWindowDC screen(nullptr);
        CMemoryDC dc(screen.Get());
        COwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), 200, 150));
        ASSERT_TRUE(bitmap);
        {
            CSelectScope select(dc.Get(), bitmap.Get());
            COwnedBrush paper(CreateSolidBrush(kPaper));
            const RECT rc = {0, 0, 200, 150};
            FillRect(dc.Get(), &rc, paper.Get());
            DrawStrokes(CPixelTarget(dc.Get()), strokes, fScale);
            DrawStrokes(CPixelTarget(direct.Dc()), strokes, fScale);
        }
        CDibCanvas copy(200, 150);
        const BITMAPINFO bmi = DibHeader(200, -150, 24);
        std::vector<std::uint8_t> rows = copy.Bytes();
        ASSERT_EQ(GetDIBits(dc.Get(), bitmap.Get(), 0, 150, rows.data(),
                            const_cast<BITMAPINFO*>(&bmi), DIB_RGB_COLORS),
                  150);
        EXPECT_EQ(rows, direct.Bytes());
    }
}

// The rectangle each call reports painted, in device units, together cover exactly the pixels
// that changed: a caller drawing into memory copies just that on to the window.
TEST(BrushTargets, PaintedRectanglesBoundThePixelsThatChanged) {
    const std::vector<CTestStroke> strokes = RandomStrokes(15);
    for (bool bDirect : {true, false})
        for (float fScale : {0.5f, 1.0f, 2.0f}) {
            SCOPED_TRACE(std::string(bDirect ? "direct " : "gdi ") + std::to_string(fScale));
            CDibCanvas canvas(200, 150, kPaper);
            SetViewportOrgEx(canvas.Dc(), -13, 17, nullptr);
            if (!bDirect)
                SetGraphicsMode(canvas.Dc(), GM_ADVANCED);
            const CPixelTarget target(canvas.Dc());
            RECT rcAll{};
            CSMLine sm;
            for (const CTestStroke& stroke : strokes)
                for (std::size_t i = 0; i < stroke.samples.size(); ++i) {
                    const Sample prev = i == 0 ? Sample{} : stroke.samples[i - 1];
                    const Sample& cur = stroke.samples[i];
                    const int nKind = i == 0                           ? CSMLine::kKindFirst
                                      : i + 1 == stroke.samples.size() ? CSMLine::kKindLast
                                                                       : CSMLine::kKindInner;
                    sm.DrawSegment(target, prev.x, prev.y, cur.x, cur.y, cur.nPressure, kInk, nKind,
                                   stroke.nPressureMax, fScale);
                    const RECT rc = sm.GetPaintedRect();
                    UnionRect(&rcAll, &rcAll, &rc);
                }
            EXPECT_EQ(rcAll, canvas.InkBox(kPaper));
        }
}
