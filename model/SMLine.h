// CSMLine: the pressure brush renderer. It turns the samples of one stroke, handed in pen order,
// into a smoothed, anti-aliased line whose width and darkness follow the pen pressure: odd
// samples are the control points of quadratic Bezier curves whose joints are the midpoints
// between them, and each pixel step along a curve blends a small soft stamp into the target
// (CPixelTarget: straight into a DIB section's memory, or with GetPixel and single-pixel fills
// on any other device context). Three 13 x 13 bit masks keep the pixels that the previous stamp
// painted from being blended again by the next one. The renderer owns its ring of recent stamps
// (CPtPres) and draws only on the target of each call.
#pragma once
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "PixelTarget.h"
#include "PtPres.h"
#include "StampMasks.h"

class CSMLine {
public:
    // Segment kinds of DrawSegment.
    static constexpr int kKindFirst = 0; // the first sample of a stroke
    static constexpr int kKindInner = 1; // an inner sample
    static constexpr int kKindLast = 2;  // the last sample: the stroke tapers to its end
    // How far a stroke's stamps may paint beyond its samples' rows and columns: the widest
    // stamp's radius, and one to spare.
    static constexpr int kStampReach = 7;

    CSMLine() = default;
    virtual ~CSMLine() = default;

    // Feeds one sample. Pressure maxima above 256 halve the pressure; fScale is 1 when a stroke
    // redraws itself on the page and the zoom factor when the view draws live on the screen
    // (scale 2 paints 2 x 2 blocks, scale 0.5 every second pixel at half the coordinates).
    void DrawSegment(HDC hdc, int xPrev, int yPrev, int x, int y, int nPressure, COLORREF crColor,
                     int nKind, int nPressureMax, float fScale);
    // The same on a target examined once for many calls (a whole stroke or page).
    void DrawSegment(const CPixelTarget& target, int xPrev, int yPrev, int x, int y, int nPressure,
                     COLORREF crColor, int nKind, int nPressureMax, float fScale);

    // The target pixels that the last DrawSegment painted, in device units (empty when it
    // painted none): what a caller drawing into memory copies on to the window.
    RECT GetPaintedRect() const { return m_rcPainted; }

    // Read-only views for tests and the stroke's hit test.
    const CPtPres& GetRing() const { return m_ring; }
    int GetParity() const { return m_nParity; }

private:
    using Mask = stamp::Mask;

    void SetColorAndScale(COLORREF crColor, float fScale);
    void StartStroke(POINT pt, int nPressure);
    void ArmCurve(POINT ptPrev, POINT pt, int nPressure);
    void TakeEvenSample(POINT pt, int nPressure, bool bLast);
    void TakeOddSample(POINT pt, int nPressure, bool bLast);
    void DrawCurve();
    void StampShortCurve();
    void RepairCorner();
    void TouchAhead() const;
    void StepCurve();
    bool IsCurveVisible() const;
    void PassCurve(long long nSteps);
    int PressureAt(long long j, long long nSteps) const;
    void UpdateMasks(POINT ptFixMove, POINT ptPixMove, bool bFullyPainted);
    void SetDirection(POINT ptFixMove, POINT ptFix);
    enum class EStamp { kDirectional, kSoftened, kCornerDot };
    EStamp StepStamp(POINT pt) const;
    void StampStep(POINT pt, POINT ptFixMove, POINT ptFix);
    void ForgetFootprint();
    int Radius(bool bSoftened) const;
    bool IsStampVisible(POINT pt, int r) const;
    bool IsAreaVisible(const RECT& rc) const;
    void StampDot(POINT pt, int nPressure, bool bSoftened);
    void StampDirectional(POINT pt, POINT ptFixMove, POINT ptFix, bool bSoftened);
    void PaintPixel(int x, int y, int nDarkness);
    void StampDirectionalDirect(POINT pt, int r);
    void GrowPainted(int x, int y, int nSize) {
        m_ptPaintedMin = {std::min<LONG>(m_ptPaintedMin.x, x), std::min<LONG>(m_ptPaintedMin.y, y)};
        m_ptPaintedMax = {std::max<LONG>(m_ptPaintedMax.x, x + nSize),
                          std::max<LONG>(m_ptPaintedMax.y, y + nSize)};
    }
    void SetPaintedRect();
    // The brush colour laid over crOld with transparency e (0 to 255).
    COLORREF Blend(COLORREF crOld, int e) const {
        return RGB((m_nRed * (255 - e) + GetRValue(crOld) * e) >> 8,
                   (m_nGreen * (255 - e) + GetGValue(crOld) * e) >> 8,
                   (m_nBlue * (255 - e) + GetBValue(crOld) * e) >> 8);
    }

    // Set by every call.
    const CPixelTarget* m_pTarget = nullptr;
    bool m_bPlainDirect = false; // a direct target at scale 1: one pixel of memory per pixel
    POINT m_ptPaintedMin{}, m_ptPaintedMax{}; // logical bounds of what this call paints
    RECT m_rcPainted{};
    COLORREF m_crColor = 0;
    int m_nRed = 0, m_nGreen = 0, m_nBlue = 0;
    float m_fScale = 1.0f;
    int m_nPixelSize = 1; // target pixels per stroke pixel (scale >= 1)
    int m_nDivisor = 1;   // stroke pixels per target pixel (scale < 1)

    // The curve: start P0, control P1, end P2 (whole pixels; P0 and P2 also in 1/256 pixel).
    POINT m_pt0{}, m_pt1{}, m_pt2{};
    POINT m_ptFix0{}, m_ptFix2{};
    POINT m_ptNew{};      // N, the newest odd sample
    POINT m_ptPrevCtrl{}; // the previous curve's control point
    POINT m_ptCorner{};   // Q, the last corner
    int m_nPres0 = 0, m_nPres1 = 0, m_nPres2 = 0, m_nPresNew = 0;
    int m_nPres = 0; // the current pressure p
    int m_nSteps = 0;
    int m_nParity = 1;
    double m_dPrevAngle = 180.0;
    double m_dAngle1 = 180.0, m_dAngle2 = 180.0; // turning angles at P1 and at P0
    bool m_bStarted = true;
    bool m_bFirstCurveDone = true;
    int m_nSoftness = 300; // as left by the last stamp (pressure 0 until then)

    // The direction of the current step.
    int m_nSignX = 1, m_nSignY = 1, m_nSin = 0, m_nCos = 0, m_nCentre = 0;

    Mask m_mTemplate{};   // T: the direction template
    int m_nTemplate = -1; // which whole direction template T is (or that it is empty); -1: other
    Mask m_mPaint{};      // M: what the next stamp may paint

    CPtPres m_ring;
};
