#include "SMLine.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "GdiObjects.h"
#include "StampMasks.h"

using namespace stamp;

namespace {

static_assert(CSMLine::kStampReach > kMaxRadius);
// Coordinates beyond this are clamped so that the 1/256-pixel positions fit 32 bits; a page or
// a screen is far smaller.
constexpr int kCoordLimit = 1 << 22;
// Steps along one curve are capped so that a damaged stroke spanning millions of pixels costs
// a bounded time; a real curve needs three or four steps per pixel of its length.
constexpr long long kMaxSteps = 1 << 18;
constexpr double kPi = 3.14159265358979323846;
// Curve positions reckoned in one run before their stamps.
constexpr int kStepBatch = 64;
// The area read ahead of the pen is at most this many pixels across (a curve of a real stroke
// spans a few pixels), and the bytes of a processor cache line.
constexpr int kTouchSpan = 64;
constexpr int kCacheLine = 64;

// A turn wider than kStraightAngle (at this joint and the two before it) is straight: its steps
// stamp across the line of travel even near a corner. A turn narrower than kCornerAngle is a
// corner, whose heavy stamps before it are stamped again as dots.
constexpr double kStraightAngle = 129.0;
constexpr double kCornerAngle = 130.0;
// Pressure (0 to 255) up to kPressureStep is light: no dots on short curves, no corner stamps;
// each kPressureStep of pressure widens a stamp by one pixel.
constexpr int kPressureStep = 70;
// Above this pressure a stamp near a corner is a whole dot, and a stamp before a corner is
// repaired with one.
constexpr int kCornerDotPressure = 150;
// A softened stamp grows by one pixel for each kSoftenedGrowthStep of pressure above this.
constexpr int kSoftenedGrowthFrom = 175;
constexpr int kSoftenedGrowthStep = 25;
// The pressure a stroke's end tapers to.
constexpr int kTaperPressure = 30;

POINT ClampPoint(int x, int y) {
    return {std::clamp(x, -kCoordLimit, kCoordLimit), std::clamp(y, -kCoordLimit, kCoordLimit)};
}

POINT ToFixed(POINT pt) {
    return {pt.x * 256, pt.y * 256};
}

bool operator==(POINT a, POINT b) {
    return a.x == b.x && a.y == b.y;
}

int Chebyshev(POINT a, POINT b) {
    return std::max(std::abs(a.x - b.x), std::abs(a.y - b.y));
}

// True when b is less than nLimit pixels from a in both x and y.
bool IsWithin(POINT a, POINT b, int nLimit) {
    return std::abs(a.x - b.x) < nLimit && std::abs(a.y - b.y) < nLimit;
}

int SignOf(int n) {
    return n < 0 ? -1 : 1;
}

// The angle at the apex between the rays to a and to b, 0 to 180 degrees (180: a straight line).
// The renderer only asks whether it reaches kStraightAngle or kCornerAngle: an angle clearly beyond
// both on one side is told by its cosine alone (as 0 or 180), without the arc tangents.
double TurningAngle(POINT apex, POINT a, POINT b) {
    const double ax = double(a.x) - apex.x, ay = double(a.y) - apex.y;
    const double bx = double(b.x) - apex.x, by = double(b.y) - apex.y;
    const double dNorms = std::sqrt((ax * ax + ay * ay) * (bx * bx + by * by));
    if (dNorms > 0.0) {
        // cos 129 degrees is -0.62932, cos 130 degrees -0.64279.
        const double dCos = (ax * bx + ay * by) / dNorms;
        if (dCos < -0.6428 - 1e-6)
            return 180.0;
        if (dCos > -0.6293 + 1e-6)
            return 0.0;
    }
    const double da = std::atan2(double(a.y - apex.y), double(a.x - apex.x));
    const double db = std::atan2(double(b.y - apex.y), double(b.x - apex.x));
    double d = std::fabs(da - db) * 180.0 / kPi;
    if (d > 180.0)
        d = 360.0 - d;
    return d;
}

// One coordinate of a quadratic Bezier in 1/256 pixel; a coordinate that is the same in all
// three points stays exactly where it is.
class CBezier {
public:
    CBezier(int a, int b, int c) : m_a(a), m_b(b), m_c(c), m_bFixed(a == b && b == c) {}
    int At(double t) const {
        if (m_bFixed)
            return m_a;
        const double u = 1.0 - t;
        return static_cast<int>(u * u * m_a + 2.0 * t * u * m_b + t * t * m_c);
    }

private:
    double m_a, m_b, m_c;
    bool m_bFixed;
};

// The positions of a curve stepped in nSteps steps, in 1/256 pixel: step j (1 to nSteps - 1) lies
// at t = j / (nSteps - 1).
class CCurveSteps {
public:
    CCurveSteps(POINT ptFix0, POINT ptFix1, POINT ptFix2, long long nSteps)
        : m_x(ptFix0.x, ptFix1.x, ptFix2.x), m_y(ptFix0.y, ptFix1.y, ptFix2.y),
          m_dLast(double(nSteps - 1)) {}
    POINT At(long long j) const {
        const double t = double(j) / m_dLast;
        return {m_x.At(t), m_y.At(t)};
    }

private:
    CBezier m_x, m_y;
    double m_dLast;
};

// How soft a stamp of this pressure is: 300 at no pressure, 100 at full.
int Softness(int nPressure) {
    return (255 - nPressure) * 200 / 255 + 100;
}

// For v of 0 or more, far below 2^63.
bool IsNearInteger(double v) {
    const double dFraction = v - static_cast<double>(static_cast<long long>(v));
    return dFraction < 1e-6 || dFraction > 1.0 - 1e-6;
}

// The rows of one directional stamp on a section's memory: the brush over each pixel of the
// paint mask (within the clip box's columns and rows) whose transparency e = |darkness| -
// lightening, raised to 0, stays below 256. Darkness is linear across the stamp.
struct CStampRows {
    struct Painted {
        unsigned nColumns = 0; // mask bits of the columns painted
        int iFirst = 0, iLast = -1;
    };
    Mask mPaint;
    unsigned nColumns;
    int iFirst, iLast;
    int nCentre, nStep, nRowStep, nLighten;
    std::array<int, 3> anBrush; // blue, green, red
    std::ptrdiff_t nRowBytes;
    std::uint8_t* pCentre;

    template <int kBytes> Painted Paint() const {
        // (brush * (255 - e) + old * e) >> 8, with the brush's part taken out of the loop.
        const int nBlue255 = anBrush[0] * 255, nGreen255 = anBrush[1] * 255,
                  nRed255 = anBrush[2] * 255;
        Painted painted;
        for (int i = iFirst; i <= iLast; ++i) {
            unsigned nRow = mPaint[kCentre + i] & nColumns;
            if (!nRow)
                continue;
            const int nRowDarkness = nCentre + i * nRowStep;
            std::uint8_t* const pRow = pCentre + i * nRowBytes;
            unsigned nRowPainted = 0;
            do {
                const int nBit = std::countr_zero(nRow);
                nRow &= nRow - 1;
                const int j = kCentre - nBit;
                const int e = std::max(0, std::abs(nRowDarkness + j * nStep) - nLighten);
                if (e >= 256)
                    continue;
                std::uint8_t* const p = pRow + j * kBytes;
                p[0] = static_cast<std::uint8_t>((nBlue255 + e * (p[0] - anBrush[0])) >> 8);
                p[1] = static_cast<std::uint8_t>((nGreen255 + e * (p[1] - anBrush[1])) >> 8);
                p[2] = static_cast<std::uint8_t>((nRed255 + e * (p[2] - anBrush[2])) >> 8);
                if constexpr (kBytes == 4)
                    p[3] = 0;
                nRowPainted |= 1u << nBit;
            } while (nRow);
            if (nRowPainted) {
                if (!painted.nColumns)
                    painted.iFirst = i;
                painted.iLast = i;
                painted.nColumns |= nRowPainted;
            }
        }
        return painted;
    }
};

} // namespace

void CSMLine::DrawSegment(HDC hdc, int xPrev, int yPrev, int x, int y, int nPressure,
                          COLORREF crColor, int nKind, int nPressureMax, float fScale) {
    const CPixelTarget target(hdc);
    DrawSegment(target, xPrev, yPrev, x, y, nPressure, crColor, nKind, nPressureMax, fScale);
}

void CSMLine::DrawSegment(const CPixelTarget& target, int xPrev, int yPrev, int x, int y,
                          int nPressure, COLORREF crColor, int nKind, int nPressureMax,
                          float fScale) {
    if (nPressureMax > 256)
        nPressure /= 2;
    // Stored weights come from files too: keep the pressure where the softness stays positive.
    nPressure = std::clamp(nPressure, 0, 256);
    SetColorAndScale(crColor, fScale);
    m_bPlainDirect = target.IsDirect() && m_nPixelSize == 1 && m_nDivisor == 1;
    const POINT ptPrev = ClampPoint(xPrev, yPrev);
    const POINT pt = ClampPoint(x, y);

    m_pTarget = &target;
    m_rcPainted = {};
    m_ptPaintedMin = {LONG_MAX, LONG_MAX};
    m_ptPaintedMax = {LONG_MIN, LONG_MIN};
    HDC hdc = target.Dc();
    // Single pixels of other contexts are filled with the DC brush; the caller's brush and its
    // colour come back.
    std::optional<CSelectScope> brush;
    COLORREF crDcBrush = 0;
    if (!target.IsDirect()) {
        crDcBrush = GetDCBrushColor(hdc);
        brush.emplace(hdc, GetStockObject(DC_BRUSH));
    }

    if (nKind == kKindFirst)
        StartStroke(pt, nPressure);
    else if (!m_bStarted)
        ArmCurve(ptPrev, pt, nPressure);
    else if (!(ptPrev == pt)) {
        m_nParity ^= 1;
        if (m_nParity == 0)
            TakeEvenSample(pt, nPressure, nKind == kKindLast);
        else
            TakeOddSample(pt, nPressure, nKind == kKindLast);
    }
    if (!target.IsDirect())
        SetDCBrushColor(hdc, crDcBrush);
    SetPaintedRect();
    m_pTarget = nullptr;
}

// The pixels painted by this call, cut to the clip box, in device units.
void CSMLine::SetPaintedRect() {
    if (m_ptPaintedMin.x > m_ptPaintedMax.x)
        return;
    const RECT& rcClip = m_pTarget->ClipBox();
    RECT rc = {std::max(m_ptPaintedMin.x, rcClip.left), std::max(m_ptPaintedMin.y, rcClip.top),
               std::min(m_ptPaintedMax.x, rcClip.right), std::min(m_ptPaintedMax.y, rcClip.bottom)};
    if (m_pTarget->IsDirect())
        OffsetRect(&rc, m_pTarget->DeviceOffset().x, m_pTarget->DeviceOffset().y);
    else
        LPtoDP(m_pTarget->Dc(), reinterpret_cast<POINT*>(&rc), 2);
    m_rcPainted = rc;
}

void CSMLine::SetColorAndScale(COLORREF crColor, float fScale) {
    m_crColor = crColor;
    m_nRed = GetRValue(crColor);
    m_nGreen = GetGValue(crColor);
    m_nBlue = GetBValue(crColor);
    m_fScale = fScale;
    if (!(fScale > 0.0f) || !std::isfinite(fScale))
        fScale = 1.0f;
    if (fScale >= 1.0f) {
        m_nPixelSize = static_cast<int>(std::min(fScale, 64.0f));
        m_nDivisor = 1;
    } else {
        m_nPixelSize = 1;
        m_nDivisor = static_cast<int>(std::min(1.0f / fScale, 64.0f));
    }
}

void CSMLine::StartStroke(POINT pt, int nPressure) {
    m_bStarted = false;
    m_pt2 = pt;
    m_ptFix2 = ToFixed(pt);
    m_nPres = m_nPres2 = nPressure;
    ForgetFootprint();
    StampDot(pt, nPressure, false);
    m_ptCorner = {0, 0};
}

// The first sample after the start only arms the curve: nothing is drawn yet.
void CSMLine::ArmCurve(POINT ptPrev, POINT pt, int nPressure) {
    m_bStarted = true;
    m_bFirstCurveDone = false;
    m_nParity = 1;
    m_pt2 = ptPrev;
    m_ptFix2 = ToFixed(ptPrev);
    m_ptNew = pt;
    m_nPresNew = nPressure;
    m_nSteps = Chebyshev(ptPrev, pt);
}

// Even samples give the curve their pressure and length; only the last one draws.
void CSMLine::TakeEvenSample(POINT pt, int nPressure, bool bLast) {
    if (!bLast && IsWithin(pt, m_ptNew, 2)) {
        m_nParity = 1;
        return;
    }
    m_nPres0 = m_nPres2;
    m_nPres1 = m_nPresNew;
    m_nPres2 = nPressure;
    m_pt0 = m_pt2;
    m_ptFix0 = m_ptFix2;
    m_ptPrevCtrl = m_pt1;
    m_pt1 = m_ptNew;
    m_pt2 = pt;
    m_nSteps += Chebyshev(m_pt1, pt);
    if (!bLast)
        return;
    m_ptFix2 = ToFixed(pt);
    m_nPres2 = std::min(m_nPres2, kTaperPressure);
    DrawCurve();
}

// Odd samples are control points: the curve runs to the midpoint between the last two of them,
// or to the sample itself when it is the last one. A midpoint that coincides with either of
// them leaves nothing to draw, for the last sample too.
void CSMLine::TakeOddSample(POINT pt, int nPressure, bool bLast) {
    if (!bLast && IsWithin(pt, m_pt2, 2)) {
        m_nParity = 0;
        return;
    }
    m_nPresNew = nPressure;
    m_ptNew = pt;
    const POINT ptFix1 = ToFixed(m_pt1), ptFixN = ToFixed(pt);
    m_pt2 = {(m_pt1.x + pt.x) / 2, (m_pt1.y + pt.y) / 2};
    m_ptFix2 = {(ptFix1.x + ptFixN.x) / 2, (ptFix1.y + ptFixN.y) / 2};
    if (m_pt2 == m_pt1 || m_pt2 == pt) {
        m_nParity = 0;
        return;
    }
    if (bLast) {
        m_pt2 = pt;
        m_ptFix2 = ptFixN;
        m_nSteps = 2 * Chebyshev(m_pt0, m_pt2);
        m_nPres2 = std::min(m_nPres2, kTaperPressure);
    }
    DrawCurve();
}

void CSMLine::DrawCurve() {
    StampShortCurve();
    m_dAngle1 = TurningAngle(m_pt1, m_pt0, m_pt2);
    m_dAngle2 = TurningAngle(m_pt0, m_ptPrevCtrl, m_pt1);
    RepairCorner();
    StepCurve();
    m_bFirstCurveDone = true;
    m_nSteps = Chebyshev(m_pt2, m_ptNew);
    m_dPrevAngle = m_dAngle1;
}

// A heavy curve of a few pixels is too short to step along: dots at its points and leg middles.
void CSMLine::StampShortCurve() {
    if (!IsWithin(m_pt0, m_pt1, 3) || !IsWithin(m_pt1, m_pt2, 3) || m_nPres1 <= kPressureStep)
        return;
    StampDot(m_pt0, m_nPres0, false);
    StampDot(m_pt1, m_nPres1, false);
    StampDot(m_pt2, m_nPres2, false);
    const auto stampMiddle = [this](POINT a, POINT b, int pa, int pb) {
        const POINT mid = {(a.x + b.x) / 2, (a.y + b.y) / 2};
        if (!(mid == a) && !(mid == b))
            StampDot(mid, (pa + pb) / 2, false);
    };
    stampMiddle(m_pt0, m_pt1, m_nPres0, m_nPres1);
    stampMiddle(m_pt1, m_pt2, m_nPres1, m_nPres2);
}

// At a sharp turn the last heavy stamps before the corner are stamped again as dots, so that
// the outside of the corner stays round.
void CSMLine::RepairCorner() {
    if (m_dAngle1 >= kCornerAngle && m_dAngle2 >= kCornerAngle)
        return;
    m_ptCorner = m_dAngle1 < kCornerAngle ? m_pt1 : m_pt0;
    const int nReach = 255 / m_nSoftness + 6;
    for (int nOffset = -1; nOffset >= -3; --nOffset) {
        const auto entry = m_ring.Get(nOffset);
        if (entry && entry->nPressure > kCornerDotPressure &&
            IsWithin(entry->pt, m_ptCorner, nReach))
            StampDot(entry->pt, entry->nPressure, false);
    }
}

// Reads the bitmap ahead of the pen, around the newest sample and as far again beyond it, where
// the next curve will paint: a page of the bitmap not read lately costs a walk of the page tables
// on its first touch, which then overlaps the painting of this curve instead of stalling the next
// one. Each row is read once for its page (a prefetch hint is dropped when the page is not mapped
// yet); the rest of the row's span is prefetched.
void CSMLine::TouchAhead() const {
    const POINT ptAhead = {2 * m_ptNew.x - m_pt2.x, 2 * m_ptNew.y - m_pt2.y};
    const RECT& rc = m_pTarget->ClipBox();
    const int x0 = std::max<int>(rc.left, std::min({m_pt2.x, m_ptNew.x, ptAhead.x}) - kMaxRadius);
    const int x1 =
        std::min<int>(rc.right, std::max({m_pt2.x, m_ptNew.x, ptAhead.x}) + kMaxRadius + 1);
    const int y0 = std::max<int>(rc.top, std::min({m_pt2.y, m_ptNew.y, ptAhead.y}) - kMaxRadius);
    const int y1 =
        std::min<int>(rc.bottom, std::max({m_pt2.y, m_ptNew.y, ptAhead.y}) + kMaxRadius + 1);
    if (x0 >= x1 || y1 - y0 > kTouchSpan || x1 - x0 > kTouchSpan)
        return;
    const int nBytes = m_pTarget->PixelBytes();
    const int nFirst = x0 * nBytes, nLast = (x1 - 1) * nBytes;
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* pRow = m_pTarget->RowAddress(y);
        static_cast<void>(*static_cast<const volatile std::uint8_t*>(pRow + nFirst));
        for (int n = nFirst + kCacheLine; n < nLast + kCacheLine; n += kCacheLine)
            __builtin_prefetch(pRow + std::min(n, nLast), 1);
    }
}

void CSMLine::StepCurve() {
    if (m_bPlainDirect)
        TouchAhead();
    long long nSteps = m_nSteps;
    nSteps *= nSteps < 20 ? 4 : 3;
    nSteps = std::min(nSteps, kMaxSteps);
    if (m_bFirstCurveDone && !IsCurveVisible()) {
        PassCurve(nSteps);
        return;
    }
    const CCurveSteps curve(m_ptFix0, ToFixed(m_pt1), m_ptFix2, nSteps);
    POINT ptLastFix = m_ptFix0;
    POINT ptLast = {m_ptFix0.x >> 8, m_ptFix0.y >> 8};
    int nFirstDots = 0;
    // The positions are reckoned a batch at a time, and the ones that left the last pixel
    // picked out without a branch: whether a position moves cannot be foreseen.
    std::array<POINT, kStepBatch> fixes;
    std::array<int, kStepBatch> moved;
    for (long long jFirst = 1; jFirst < nSteps; jFirst += kStepBatch) {
        const int nCount = static_cast<int>(std::min<long long>(kStepBatch, nSteps - jFirst));
        for (int k = 0; k < nCount; ++k)
            fixes[k] = curve.At(jFirst + k);
        int nMoved = 0;
        POINT ptPrev = ptLast;
        for (int k = 0; k < nCount; ++k) {
            const POINT pt = {fixes[k].x >> 8, fixes[k].y >> 8};
            moved[nMoved] = k;
            nMoved += !(pt == ptPrev);
            ptPrev = pt;
        }
        for (int m = 0; m < nMoved; ++m) {
            const POINT ptFix = fixes[moved[m]];
            const POINT pt = {ptFix.x >> 8, ptFix.y >> 8};
            m_nPres = PressureAt(jFirst + moved[m], nSteps);
            m_ring.Push(pt, ptFix, m_nPres);
            bool bFullyPainted = false;
            if (!m_bFirstCurveDone && nFirstDots < 3) {
                ++nFirstDots;
                StampDot(pt, m_nPres, false);
                bFullyPainted = true;
            }
            m_nSoftness = Softness(m_nPres);
            const POINT ptFixMove = {ptFix.x - ptLastFix.x, ptFix.y - ptLastFix.y};
            UpdateMasks(ptFixMove, {pt.x - ptLast.x, pt.y - ptLast.y}, bFullyPainted);
            StampStep(pt, ptFixMove, ptFix);
            ptLastFix = ptFix;
            ptLast = pt;
        }
    }
}

// The pressure at step j of nSteps, from the curve's start to its end.
int CSMLine::PressureAt(long long j, long long nSteps) const {
    // |p2 - p0| <= 256 and j < nSteps <= 2^18: the product fits 32 bits.
    return (m_nPres2 - m_nPres0) * static_cast<int>(j) / static_cast<int>(nSteps) + m_nPres0;
}

// No footprint: the next step paints its whole template (the stroke's start, after a whole dot).
void CSMLine::ForgetFootprint() {
    m_mTemplate = {};
    m_nTemplate = kNoTemplate;
}

// True when a stamp of the current curve may land inside the clip box: the curve runs inside the
// hull of its three points (its positions, truncated, within a pixel of it).
bool CSMLine::IsCurveVisible() const {
    const POINT ptFix1 = ToFixed(m_pt1);
    const int nLeft = std::min({m_ptFix0.x, ptFix1.x, m_ptFix2.x}) >> 8;
    const int nTop = std::min({m_ptFix0.y, ptFix1.y, m_ptFix2.y}) >> 8;
    const int nRight = std::max({m_ptFix0.x, ptFix1.x, m_ptFix2.x}) >> 8;
    const int nBottom = std::max({m_ptFix0.y, ptFix1.y, m_ptFix2.y}) >> 8;
    return IsAreaVisible(
        {nLeft - kStampReach, nTop - kStampReach, nRight + kStampReach, nBottom + kStampReach});
}

// Passes a curve whose stamps would all land outside the clip box, leaving the renderer as
// stepping along it leaves it: the ring holds its last three stamps, and the pressure, softness
// and footprint are its last stamp's. The steps that leave their pixel are looked for from the
// end; a page drawn in bands passes most of the curves of strokes that cross into a band.
void CSMLine::PassCurve(long long nSteps) {
    const CCurveSteps curve(m_ptFix0, ToFixed(m_pt1), m_ptFix2, nSteps);
    const auto fixAt = [&](long long j) { return j == 0 ? m_ptFix0 : curve.At(j); };
    const auto pixelOf = [](POINT ptFix) { return POINT{ptFix.x >> 8, ptFix.y >> 8}; };
    // The last four stamps, newest first: three for the ring and the one the last moved from.
    struct Stamp {
        POINT ptFix;
        int nPres;
    };
    std::array<Stamp, 4> stamps;
    int nStamps = 0;
    POINT ptFixAfter = fixAt(nSteps - 1);
    for (long long j = nSteps - 1; j >= 1 && nStamps < 4; --j) {
        const POINT ptFixBefore = fixAt(j - 1);
        if (!(pixelOf(ptFixAfter) == pixelOf(ptFixBefore)))
            stamps[nStamps++] = {ptFixAfter, PressureAt(j, nSteps)};
        ptFixAfter = ptFixBefore;
    }
    if (nStamps == 0)
        return;
    for (int i = std::min(nStamps, 3) - 1; i >= 0; --i)
        m_ring.Push(pixelOf(stamps[i].ptFix), stamps[i].ptFix, stamps[i].nPres);
    const POINT ptFix = stamps[0].ptFix, ptFixFrom = nStamps > 1 ? stamps[1].ptFix : m_ptFix0;
    m_nPres = stamps[0].nPres;
    m_nSoftness = Softness(m_nPres);
    if (StepStamp(pixelOf(ptFix)) == EStamp::kCornerDot) {
        ForgetFootprint();
        return;
    }
    m_nTemplate = TemplateIndex(ptFix.x - ptFixFrom.x, ptFix.y - ptFixFrom.y);
    m_mTemplate = DirectionTemplate(m_nTemplate);
}

// The new stamp paints only the pixels of its direction template that the previous stamp's
// footprint, moved along with the pen, does not already cover. The footprint is the previous
// template (with the new one when the stamp painted fully).
void CSMLine::UpdateMasks(POINT ptFixMove, POINT ptPixMove, bool bFullyPainted) {
    const int nTemplate = TemplateIndex(ptFixMove.x, ptFixMove.y);
    const Mask& mTemplate = DirectionTemplate(nTemplate);
    const int dx = ptPixMove.x, dy = ptPixMove.y;
    if (m_nTemplate >= 0 && !bFullyPainted && std::abs(dx) <= 1 && std::abs(dy) <= 1) {
        m_mPaint = g_paintMasks.m[m_nTemplate][nTemplate][dy + 1][dx + 1];
    } else {
        Mask mFrom = m_mTemplate;
        if (bFullyPainted)
            for (int r = 0; r < 13; ++r)
                mFrom[r] |= mTemplate[r];
        m_mPaint = PaintMask(mFrom, mTemplate, dx, dy);
    }
    m_mTemplate = mTemplate;
    m_nTemplate = nTemplate;
}

void CSMLine::SetDirection(POINT ptFixMove, POINT ptFix) {
    m_nSignX = SignOf(ptFixMove.x);
    m_nSignY = SignOf(ptFixMove.y);
    // The sine and cosine of the move's angle are its legs over its length. Far from an integer,
    // the pressure times either truncates as the trigonometric functions would; near one (a move
    // along an axis, a Pythagorean triple) the functions themselves decide.
    const double ax = std::abs(double(ptFixMove.x)), ay = std::abs(double(ptFixMove.y));
    const double dLength = std::sqrt(ax * ax + ay * ay);
    const double dSin = dLength > 0 ? ay / dLength * m_nPres : 0.0;
    const double dCos = dLength > 0 ? ax / dLength * m_nPres : 0.0;
    if (!IsNearInteger(dSin) && !IsNearInteger(dCos)) {
        m_nSin = static_cast<int>(dSin);
        m_nCos = static_cast<int>(dCos);
    } else if (ptFixMove.y == 0) {
        // Along the x axis, or no move: the angle is 0, its sine 0 and its cosine 1.
        m_nSin = 0;
        m_nCos = m_nPres;
    } else if (ptFixMove.x == 0) {
        // Along the y axis: the sine of a right angle is 1, its cosine far below 1 / pressure.
        m_nSin = m_nPres;
        m_nCos = 0;
    } else {
        const double dTheta = std::atan2(std::abs(ptFixMove.y), std::abs(ptFixMove.x));
        m_nSin = static_cast<int>(std::sin(dTheta) * m_nPres);
        m_nCos = static_cast<int>(std::cos(dTheta) * m_nPres);
    }
    const int fx = ptFix.x & 255, fy = ptFix.y & 255;
    m_nCentre = (fy * m_nCos * m_nSignY - fx * m_nSin * m_nSignX) >> 8;
}

// Most steps stamp across the line of travel, softened near a corner; a heavy step at a corner
// stamps a whole dot.
CSMLine::EStamp CSMLine::StepStamp(POINT pt) const {
    const int nReach = 255 / m_nSoftness + 3;
    const bool bFarFromCorner = !IsWithin(pt, m_ptCorner, nReach);
    const bool bStraight =
        m_dPrevAngle > kStraightAngle && m_dAngle1 > kStraightAngle && m_dAngle2 > kStraightAngle;
    if (m_nPres <= kPressureStep || bFarFromCorner || bStraight)
        return EStamp::kDirectional;
    return m_nPres <= kCornerDotPressure ? EStamp::kSoftened : EStamp::kCornerDot;
}

void CSMLine::StampStep(POINT pt, POINT ptFixMove, POINT ptFix) {
    switch (StepStamp(pt)) {
    case EStamp::kDirectional:
        StampDirectional(pt, ptFixMove, ptFix, false);
        break;
    case EStamp::kSoftened:
        StampDirectional(pt, ptFixMove, ptFix, true);
        break;
    case EStamp::kCornerDot:
        // The next step paints its whole template.
        StampDot(pt, m_nPres, true);
        ForgetFootprint();
        break;
    }
}

int CSMLine::Radius(bool bSoftened) const {
    // Softness lies between 100 and 300: 255 / softness without a division.
    const int nBase = m_nSoftness >= 256   ? 0
                      : m_nSoftness >= 128 ? 1
                      : m_nSoftness >= 86  ? 2
                                           : 255 / m_nSoftness;
    int r;
    if (bSoftened)
        r = nBase + std::max(0, m_nPres - kSoftenedGrowthFrom) / kSoftenedGrowthStep;
    else if (m_nPres < kPressureStep)
        r = nBase + 1;
    else
        r = nBase + 1 + m_nPres / kPressureStep;
    return std::min(r, kMaxRadius);
}

// True when some pixel of the stamp of radius r at pt lands inside the clip box.
bool CSMLine::IsStampVisible(POINT pt, int r) const {
    return IsAreaVisible({pt.x - r, pt.y - r, pt.x + r, pt.y + r});
}

// True when some of the pixels from rc's top left to its bottom right corner, both included, land
// inside the clip box.
bool CSMLine::IsAreaVisible(const RECT& rc) const {
    const int nSize = m_nPixelSize, d = m_nDivisor;
    const auto target = [nSize, d](int n) { return d == 1 ? n * nSize : n * nSize / d; };
    const RECT& rcClip = m_pTarget->ClipBox();
    return target(rc.right) + nSize > rcClip.left && target(rc.left) < rcClip.right &&
           target(rc.bottom) + nSize > rcClip.top && target(rc.top) < rcClip.bottom;
}

// A round stamp: darkness grows with the distance from the centre; the pixels dark enough to
// count as painted become the footprint that the next stamp leaves alone.
void CSMLine::StampDot(POINT pt, int nPressure, bool bSoftened) {
    m_mPaint.fill(kFullRow);
    m_nTemplate = -1;
    m_nSoftness = Softness(nPressure);
    const int r = Radius(bSoftened);
    const bool bVisible = IsStampVisible(pt, r);
    if (bVisible)
        PaintPixel(pt.x, pt.y, 0);
    for (int i = -r; i <= r; ++i)
        for (int j = -r; j <= r; ++j) {
            if (i == 0 && j == 0)
                continue;
            const int g = static_cast<int>(g_distances.d[kCentre + i][kCentre + j] * m_nSoftness);
            if (bVisible)
                PaintPixel(pt.x + j, pt.y + i, g);
            if (g < m_nPres + 255)
                m_mTemplate[kCentre + i] |= static_cast<std::uint16_t>(1u << (kCentre - j));
        }
}

// A stamp across the line of travel: darkness is the pressure times the signed distance of the
// pixel from the line through the exact position. The pixels are visited row by row and from
// left to right: at scales below 1/2 two of them can land on one target pixel.
void CSMLine::StampDirectional(POINT pt, POINT ptFixMove, POINT ptFix, bool bSoftened) {
    const int r = Radius(bSoftened);
    if (!IsStampVisible(pt, r))
        return;
    SetDirection(ptFixMove, ptFix);
    if (m_bPlainDirect) {
        StampDirectionalDirect(pt, r);
        return;
    }
    PaintPixel(pt.x, pt.y, m_nCentre);
    const unsigned nColumns = ColumnsWithin(r);
    // A pixel whose darkness reaches this is left as it is (PaintPixel): tested here, it costs
    // no call.
    const int nLimit = 256 + m_nPres * 3 / 2;
    const int nStep = m_nSignX * m_nSin;
    for (int i = -r; i <= r; ++i) {
        unsigned nRow = m_mPaint[kCentre + i] & nColumns;
        if (i == 0)
            nRow &= ~(1u << kCentre);
        const int nRowDarkness = m_nCentre - m_nSignY * i * m_nCos;
        while (nRow) {
            const int nBit = 31 - std::countl_zero(nRow);
            nRow &= ~(1u << nBit);
            const int j = kCentre - nBit;
            const int g = nRowDarkness + j * nStep;
            if (g < nLimit && g > -nLimit)
                PaintPixel(pt.x + j, pt.y + i, g);
        }
    }
}

// The pixels of a directional stamp on a direct target at scale 1, painted as PaintPixel paints
// them, with the rows and columns outside the clip box left out at once. A stamp paints each of
// its pixels once, so their order does not matter; the centre is painted whatever the mask.
void CSMLine::StampDirectionalDirect(POINT pt, int r) {
    const RECT& rc = m_pTarget->ClipBox();
    const int iFirst = std::max<int>(-r, rc.top - pt.y);
    const int iLast = std::min<int>(r, rc.bottom - 1 - pt.y);
    const int jFirst = std::max<int>(-r, rc.left - pt.x);
    const int jLast = std::min<int>(r, rc.right - 1 - pt.x);
    if (jFirst > jLast)
        return;
    CStampRows rows;
    rows.mPaint = m_mPaint;
    rows.mPaint[kCentre] |= 1u << kCentre;
    rows.nColumns = ((1u << (jLast - jFirst + 1)) - 1) << (kCentre - jLast);
    rows.iFirst = iFirst;
    rows.iLast = iLast;
    rows.nCentre = m_nCentre;
    rows.nStep = m_nSignX * m_nSin;
    rows.nRowStep = -m_nSignY * m_nCos;
    rows.nLighten = m_nPres * 3 / 2;
    rows.anBrush = {m_nBlue, m_nGreen, m_nRed};
    rows.nRowBytes = m_pTarget->RowStep();
    rows.pCentre = m_pTarget->RowAddress(pt.y) + std::ptrdiff_t(pt.x) * m_pTarget->PixelBytes();
    const CStampRows::Painted painted =
        m_pTarget->PixelBytes() == 3 ? rows.Paint<3>() : rows.Paint<4>();
    if (painted.nColumns) {
        GrowPainted(pt.x + kCentre - (31 - std::countl_zero(painted.nColumns)),
                    pt.y + painted.iFirst, 1);
        GrowPainted(pt.x + kCentre - std::countr_zero(painted.nColumns), pt.y + painted.iLast, 1);
    }
}

void CSMLine::PaintPixel(int x, int y, int nDarkness) {
    const int e = std::max(0, std::abs(nDarkness) - m_nPres * 3 / 2);
    if (e >= 256)
        return;
    if (m_bPlainDirect) {
        // The page bitmap at scale 1: one pixel of memory.
        const COLORREF crOld = m_pTarget->Read(x, y);
        if (crOld != CLR_INVALID) {
            m_pTarget->Write(x, y, Blend(crOld, e));
            GrowPainted(x, y, 1);
        }
        return;
    }
    const int d = m_nDivisor;
    if (d >= 2 && ((x + 1) % d == 0 || (y + 1) % d == 0))
        return;
    const int nSize = m_nPixelSize;
    const int tx = x * nSize / d, ty = y * nSize / d;
    // Pixels outside the clip box would neither read nor paint: skip the calls.
    const RECT& rcClip = m_pTarget->ClipBox();
    if (tx + nSize <= rcClip.left || tx >= rcClip.right || ty + nSize <= rcClip.top ||
        ty >= rcClip.bottom)
        return;
    const CPixelTarget& target = *m_pTarget;
    const COLORREF crOld = target.IsDirect() ? target.Read(tx, ty) : GetPixel(target.Dc(), tx, ty);
    const COLORREF cr = Blend(crOld, e);
    GrowPainted(tx, ty, nSize);
    if (target.IsDirect()) {
        target.Fill(tx, ty, nSize, nSize, cr);
        return;
    }
    if (nSize == 1 && d >= 2) {
        SetPixel(target.Dc(), tx, ty, cr);
        return;
    }
    SetDCBrushColor(target.Dc(), cr);
    PatBlt(target.Dc(), tx, ty, nSize, nSize, PATCOPY);
}
