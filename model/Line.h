// CLine: one stroke, the ordered samples taken between pen-down and pen-up with the colour,
// tool and drawing mode current when it began. It owns its samples, draws itself through a
// device context it is given (a smoothed stroke through a brush renderer of its own that lives
// only while it draws), stores itself in a note file, and offers the two pixel services of the
// eraser: the mask of an eraser path and the touch test.
#pragma once
#include <windows.h>

#include <bit>
#include <cstdint>
#include <vector>

#include "Archive.h"
#include "SMLine.h"
#include "TabletPressure.h"
#include "Tool.h"

// One stored sample: page position and weight (pen width in pixels for a plain stroke, the
// pressure level for a smoothed one). Packed: in memory as in the note file, 10 bytes with the
// integers little-endian, so that a stroke's samples are read and written as one block.
#pragma pack(push, 1)
struct LinePoint {
    std::int32_t x;
    std::int32_t y;
    std::int16_t nWidth;
};
#pragma pack(pop)
static_assert(std::endian::native == std::endian::little, "samples are stored little-endian");

class CEraseMask;
class CPathPens;

class CLine {
public:
    // Bytes of a stored stroke before its samples, and per sample.
    static constexpr std::size_t kRecordSize = 32;
    static constexpr std::size_t kSampleSize = 10;
    static_assert(sizeof(LinePoint) == kSampleSize, "samples are read and written as one block");

    // An empty stroke; the pressure range is that of the current tablet.
    CLine();
    // An empty stroke with a pressure range already queried (loading asks once per note).
    explicit CLine(const CPressureRange& range);
    virtual ~CLine() = default;
    CLine(const CLine&) = delete;
    CLine& operator=(const CLine&) = delete;

    // Writes or reads the 32-byte record and its samples; a damaged record throws
    // CArchiveException and leaves this stroke unchanged.
    virtual void Serialize(CArchive& ar);

    // Appends a sample and grows the bounding rectangle.
    void AddPoint(int x, int y, short nWidth);
    // Gives back the memory that growing sample by sample left spare; the stroke list calls it
    // when it takes a finished stroke.
    void Compact() { m_points.shrink_to_fit(); }
    void SetColor(COLORREF cr) { m_crColor = cr; }
    COLORREF GetColor() const { return m_crColor; }
    // Smooth strokes are drawn by the brush renderer; the marker also draws in mask mode.
    void SetTool(short nTool, int bSmooth);
    short GetTool() const { return m_nTool; }
    RECT GetBound() const { return m_rcBound; }
    // A rectangle holding every pixel the stroke paints: the bounds of a plain stroke, which
    // hold its pen widths; those of a smoothed one, which hold only its samples, widened by its
    // stamps' reach. What undo and redo repaint.
    RECT GetPaintBound() const;
    // The bounding rectangle inflated by 5 (a smoothed stroke's by its stamps' reach): what a
    // region must meet to be drawn on, and what an erase repaints.
    RECT GetReachBound() const;

    int GetPointCount() const { return static_cast<int>(m_points.size()); }
    const LinePoint& GetPoint(int i) const { return m_points.at(i); }
    bool IsSmooth() const { return m_bSmooth != 0; }
    bool IsMask() const { return m_bMask != 0; }
    int GetPressureMax() const { return m_nPressureMax; }
    int GetPressureScale() const { return m_nPressureScale; }

    void Draw(HDC hdc);
    // The same on a target examined once for many strokes.
    void Draw(const CPixelTarget& target);
    // True when the reach bound meets rcClip.
    bool IsVisibleIn(const RECT& rcClip) const;
    // Draws only when the stroke is visible in rcClip.
    void DrawIfVisible(HDC hdc, const RECT& rcClip);

    // On an eraser stroke: builds the eraser mask in a new screen-compatible bitmap that it
    // selects into hdcMem (black where the path encloses, 0x00FF0000 on the path, white
    // elsewhere), returns its page rectangle in rcMask and the bitmap hdcMem held before. The
    // caller selects that one back and deletes the mask it gets in exchange. When the mask
    // cannot be made nothing is selected, rcMask is empty and the result is null.
    HBITMAP MakeEraseMask(HDC hdcMem, RECT& rcMask) const;
    // The reach bound when one of this stroke's pixels lies on or inside the eraser path of the
    // mask, else the empty rectangle. The pixels looked at are those within the bounding
    // rectangle inflated by 5, for every kind of stroke.
    RECT HitByMask(CEraseMask& mask) const;
    // Draws the stroke as the touch test sees it, in the path colour: each segment with a pen
    // as wide as its end sample's weight gives, the first sample as a filled square. Only what
    // lies in rcArea counts.
    void DrawTouchPath(HDC hdc, CPathPens& pens, const RECT& rcArea) const;
    // One piece of that path: the first sample's square (i = 0) or the segment to sample i.
    // Returns a rectangle that holds what the piece drew (for a segment running far outside
    // rcArea, what it drew within it).
    RECT DrawTouchPiece(HDC hdc, CPathPens& pens, int i, const RECT& rcArea) const;

private:
    void DrawPlainSegment(HDC hdc, const LinePoint& from, const LinePoint& to,
                          const RECT& rcArea) const;
    // MoveToEx and LineTo from one sample to the next with the selected pen of nWidth pixels.
    // A damaged stroke's far-away samples are brought in first: the part of the segment that
    // lies far outside rcArea is cut off, so that a segment millions of pixels long costs no
    // more than one across the area.
    static void DrawLineSegment(HDC hdc, const LinePoint& from, const LinePoint& to, int nWidth,
                                const RECT& rcArea);
    int HitPenWidth(const LinePoint& pt) const;

    std::vector<LinePoint> m_points;
    int m_nPressureMax;
    int m_nPressureScale;
    int m_bSmooth = 0;
    short m_bMask = 0;
    short m_nTool = kToolPencil;
    COLORREF m_crColor = 0;
    RECT m_rcBound{};
};
