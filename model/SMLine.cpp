#include "SMLine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "GdiObjects.h"

namespace {

constexpr int kCentre = 6; // mask row and bit of the stamp centre
constexpr std::uint16_t kFullRow = 0x1FFF;
constexpr int kMaxRadius = 6;
// Coordinates beyond this are clamped so that the 1/256-pixel positions fit 32 bits; a page or
// a screen is far smaller.
constexpr int kCoordLimit = 1 << 22;
// Steps along one curve are capped so that a damaged stroke spanning millions of pixels costs
// a bounded time; a real curve needs three or four steps per pixel of its length.
constexpr long long kMaxSteps = 1 << 18;
constexpr double kPi = 3.14159265358979323846;

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
double TurningAngle(POINT apex, POINT a, POINT b) {
    const double da = std::atan2(double(a.y - apex.y), double(a.x - apex.x));
    const double db = std::atan2(double(b.y - apex.y), double(b.x - apex.x));
    double d = std::fabs(da - db) * 180.0 / kPi;
    if (d > 180.0)
        d = 360.0 - d;
    return d;
}

// One coordinate of the quadratic Bezier in 1/256 pixel; a coordinate that is the same in all
// three points stays exactly where it is.
int Bezier(int a, int b, int c, double t) {
    if (a == b && b == c)
        return a;
    const double u = 1.0 - t;
    return static_cast<int>(u * u * a + 2.0 * t * u * b + t * t * c);
}

bool MaskBit(const std::array<std::uint16_t, 13>& m, int j, int i) {
    return (m[kCentre + i] >> (kCentre - j)) & 1;
}

// The triangular half of the window that a move with these signs keeps.
std::array<std::uint16_t, 13> DirectionTemplate(int dx, int dy) {
    std::array<std::uint16_t, 13> t{};
    for (int k = 0; k < 13; ++k) {
        unsigned row;
        if (dx > 0 && dy > 0)
            row = kFullRow << k;
        else if (dx > 0)
            row = kFullRow << (12 - k);
        else if (dy > 0)
            row = kFullRow >> k;
        else
            row = kFullRow >> (12 - k);
        t[k] = static_cast<std::uint16_t>(row & kFullRow);
    }
    return t;
}

// Moves the bit of offset (j, i) to offset (j - dx, i - dy); bits leaving the window are lost.
std::array<std::uint16_t, 13> ShiftMask(const std::array<std::uint16_t, 13>& m, int dx, int dy) {
    std::array<std::uint16_t, 13> out{};
    if (std::abs(dx) >= 13 || std::abs(dy) >= 13)
        return out;
    for (int r = 0; r < 13; ++r) {
        const int nFrom = r + dy;
        if (nFrom < 0 || nFrom >= 13)
            continue;
        const unsigned row = m[nFrom];
        out[r] = static_cast<std::uint16_t>((dx >= 0 ? row << dx : row >> -dx) & kFullRow);
    }
    return out;
}

} // namespace

void CSMLine::DrawSegment(HDC hdc, int xPrev, int yPrev, int x, int y, int nPressure,
                          COLORREF crColor, int nKind, int nPressureMax, float fScale) {
    if (nPressureMax > 256)
        nPressure /= 2;
    // Stored weights come from files too: keep the pressure where the softness stays positive.
    nPressure = std::clamp(nPressure, 0, 256);
    SetColorAndScale(crColor, fScale);
    const POINT ptPrev = ClampPoint(xPrev, yPrev);
    const POINT pt = ClampPoint(x, y);

    m_hdc = hdc;
    m_rcPainted = {};
    if (GetClipBox(hdc, &m_rcClip) == ERROR)
        m_rcClip = {-kCoordLimit * 64, -kCoordLimit * 64, kCoordLimit * 64, kCoordLimit * 64};
    // Single pixels are filled with the DC brush; the caller's brush and its colour come back.
    const COLORREF crDcBrush = GetDCBrushColor(hdc);
    CSelectScope brush(hdc, GetStockObject(DC_BRUSH));

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
    SetDCBrushColor(hdc, crDcBrush);
    m_hdc = nullptr;
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
    m_mTemplate = {};
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
    m_nPres2 = std::min(m_nPres2, 30);
    DrawCurve();
}

// Odd samples are control points: the curve runs to the midpoint between the last two of them,
// or to the sample itself when it is the last one.
void CSMLine::TakeOddSample(POINT pt, int nPressure, bool bLast) {
    if (!bLast && IsWithin(pt, m_pt2, 2)) {
        m_nParity = 0;
        return;
    }
    m_nPresNew = nPressure;
    m_ptNew = pt;
    if (bLast) {
        m_pt2 = pt;
        m_ptFix2 = ToFixed(pt);
        m_nSteps = 2 * Chebyshev(m_pt0, m_pt2);
        m_nPres2 = std::min(m_nPres2, 30);
    } else {
        const POINT ptFix1 = ToFixed(m_pt1), ptFixN = ToFixed(pt);
        m_pt2 = {(m_pt1.x + pt.x) / 2, (m_pt1.y + pt.y) / 2};
        m_ptFix2 = {(ptFix1.x + ptFixN.x) / 2, (ptFix1.y + ptFixN.y) / 2};
        if (m_pt2 == m_pt1 || m_pt2 == pt) {
            m_nParity = 0;
            return;
        }
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
    if (!IsWithin(m_pt0, m_pt1, 3) || !IsWithin(m_pt1, m_pt2, 3) || m_nPres1 <= 70)
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
    if (m_dAngle1 >= 130.0 && m_dAngle2 >= 130.0)
        return;
    m_ptCorner = m_dAngle1 < 130.0 ? m_pt1 : m_pt0;
    const int nReach = 255 / m_nSoftness + 6;
    for (int nOffset = -1; nOffset >= -3; --nOffset) {
        const auto entry = m_ring.Get(nOffset);
        if (entry && entry->nPressure > 150 && IsWithin(entry->pt, m_ptCorner, nReach))
            StampDot(entry->pt, entry->nPressure, false);
    }
}

void CSMLine::StepCurve() {
    long long nSteps = m_nSteps;
    nSteps *= nSteps < 20 ? 4 : 3;
    nSteps = std::min(nSteps, kMaxSteps);
    const POINT ptFix1 = ToFixed(m_pt1);
    POINT ptLastFix = m_ptFix0;
    POINT ptLast = {m_ptFix0.x >> 8, m_ptFix0.y >> 8};
    int nFirstDots = 0;
    for (long long j = 1; j < nSteps; ++j) {
        const double t = double(j) / double(nSteps - 1);
        const POINT ptFix = {Bezier(m_ptFix0.x, ptFix1.x, m_ptFix2.x, t),
                             Bezier(m_ptFix0.y, ptFix1.y, m_ptFix2.y, t)};
        const POINT pt = {ptFix.x >> 8, ptFix.y >> 8};
        if (pt == ptLast)
            continue;
        m_nPres = static_cast<int>((m_nPres2 - m_nPres0) * j / nSteps + m_nPres0);
        m_ring.Push(pt, ptFix, m_nPres);
        bool bFullyPainted = false;
        if (!m_bFirstCurveDone && nFirstDots < 3) {
            ++nFirstDots;
            StampDot(pt, m_nPres, false);
            bFullyPainted = true;
        }
        m_nSoftness = (255 - m_nPres) * 200 / 255 + 100;
        const POINT ptFixMove = {ptFix.x - ptLastFix.x, ptFix.y - ptLastFix.y};
        UpdateMasks(ptFixMove, {pt.x - ptLast.x, pt.y - ptLast.y}, bFullyPainted);
        SetDirection(ptFixMove, ptFix);
        StampStep(pt);
        ptLastFix = ptFix;
        ptLast = pt;
    }
}

// The new stamp paints only the pixels of its direction template that the previous stamp's
// footprint, moved along with the pen, does not already cover.
void CSMLine::UpdateMasks(POINT ptFixMove, POINT ptPixMove, bool bFullyPainted) {
    m_mFootprint = m_mTemplate;
    m_mTemplate = DirectionTemplate(ptFixMove.x, ptFixMove.y);
    if (bFullyPainted)
        for (int r = 0; r < 13; ++r)
            m_mFootprint[r] |= m_mTemplate[r];
    m_mFootprint = ShiftMask(m_mFootprint, ptPixMove.x, ptPixMove.y);
    for (int r = 0; r < 13; ++r)
        m_mPaint[r] = static_cast<std::uint16_t>(m_mTemplate[r] & ~m_mFootprint[r] & kFullRow);
}

void CSMLine::SetDirection(POINT ptFixMove, POINT ptFix) {
    const double dTheta = std::atan2(std::abs(ptFixMove.y), std::abs(ptFixMove.x));
    m_nSignX = SignOf(ptFixMove.x);
    m_nSignY = SignOf(ptFixMove.y);
    m_nSin = static_cast<int>(std::sin(dTheta) * m_nPres);
    m_nCos = static_cast<int>(std::cos(dTheta) * m_nPres);
    const int fx = ptFix.x & 255, fy = ptFix.y & 255;
    m_nCentre = (fy * m_nCos * m_nSignY - fx * m_nSin * m_nSignX) >> 8;
}

void CSMLine::StampStep(POINT pt) {
    const int nReach = 255 / m_nSoftness + 3;
    const bool bFarFromCorner = !IsWithin(pt, m_ptCorner, nReach);
    const bool bStraight = m_dPrevAngle > 129.0 && m_dAngle1 > 129.0 && m_dAngle2 > 129.0;
    if (m_nPres < 71 || bFarFromCorner || bStraight)
        StampDirectional(pt, false);
    else if (m_nPres < 151)
        StampDirectional(pt, true);
    else {
        // A heavy stamp at a corner: a whole dot, and the next step paints its whole template.
        StampDot(pt, m_nPres, true);
        m_mTemplate = {};
    }
}

int CSMLine::Radius(bool bSoftened) const {
    const int nBase = 255 / m_nSoftness;
    int r;
    if (bSoftened)
        r = nBase + std::max(0, m_nPres - 175) / 25;
    else if (m_nPres < 70)
        r = nBase + 1;
    else
        r = nBase + 1 + m_nPres / 70;
    return std::min(r, kMaxRadius);
}

// A round stamp: darkness grows with the distance from the centre; the pixels dark enough to
// count as painted become the footprint that the next stamp leaves alone.
void CSMLine::StampDot(POINT pt, int nPressure, bool bSoftened) {
    m_mPaint.fill(kFullRow);
    m_nSoftness = (255 - nPressure) * 200 / 255 + 100;
    const int r = Radius(bSoftened);
    PaintPixel(pt.x, pt.y, 0);
    for (int i = -r; i <= r; ++i)
        for (int j = -r; j <= r; ++j) {
            if ((i == 0 && j == 0) || !MaskBit(m_mPaint, j, i))
                continue;
            const int g = static_cast<int>(std::sqrt(double(i * i + j * j)) * m_nSoftness);
            PaintPixel(pt.x + j, pt.y + i, g);
            if (g < m_nPres + 255)
                m_mTemplate[kCentre + i] |= static_cast<std::uint16_t>(1u << (kCentre - j));
        }
}

// A stamp across the line of travel: darkness is the pressure times the signed distance of the
// pixel from the line through the exact position.
void CSMLine::StampDirectional(POINT pt, bool bSoftened) {
    const int r = Radius(bSoftened);
    PaintPixel(pt.x, pt.y, m_nCentre);
    for (int i = -r; i <= r; ++i)
        for (int j = -r; j <= r; ++j) {
            if ((i == 0 && j == 0) || !MaskBit(m_mPaint, j, i))
                continue;
            PaintPixel(pt.x + j, pt.y + i,
                       m_nCentre + m_nSignX * j * m_nSin - m_nSignY * i * m_nCos);
        }
}

void CSMLine::PaintPixel(int x, int y, int nDarkness) {
    const int d = m_nDivisor;
    if (d >= 2 && ((x + 1) % d == 0 || (y + 1) % d == 0))
        return;
    const int e = std::max(0, std::abs(nDarkness) - m_nPres * 3 / 2);
    if (e >= 256)
        return;
    const int nSize = m_nPixelSize;
    const int tx = x * nSize / d, ty = y * nSize / d;
    // Pixels outside the clip box would neither read nor paint: skip the calls.
    if (tx + nSize <= m_rcClip.left || tx >= m_rcClip.right || ty + nSize <= m_rcClip.top ||
        ty >= m_rcClip.bottom)
        return;
    const RECT rcPixel = {tx, ty, tx + nSize, ty + nSize};
    UnionRect(&m_rcPainted, &m_rcPainted, &rcPixel);
    const COLORREF crOld = GetPixel(m_hdc, tx, ty);
    const COLORREF cr = RGB((m_nRed * (255 - e) + GetRValue(crOld) * e) >> 8,
                            (m_nGreen * (255 - e) + GetGValue(crOld) * e) >> 8,
                            (m_nBlue * (255 - e) + GetBValue(crOld) * e) >> 8);
    if (nSize == 1 && d >= 2) {
        SetPixel(m_hdc, tx, ty, cr);
        return;
    }
    SetDCBrushColor(m_hdc, cr);
    PatBlt(m_hdc, tx, ty, nSize, nSize, PATCOPY);
}
