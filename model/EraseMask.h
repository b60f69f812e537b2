// CEraseMask: what one eraser stroke takes away, made once per erase over the eraser's own
// bounds: the pixels of its path and everything the path encloses (CLine::MakeEraseMask). It
// decides which strokes touch that area: a stroke (CLine::HitByMask) is drawn with its touch
// pens into a scratch section, only over the part of the mask its bounds meet, and its pixels
// are compared with the mask in memory. The mask owns the scratch section, its context and the
// pens; it is meant to live for one erase.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <vector>

#include "GdiObjects.h"

class CLine;

// Pens and a brush of the path colour (0x00FF0000), each pen made once per width and kept while
// an erase lasts. The caller selects them only while it draws.
class CPathPens {
public:
    static constexpr COLORREF kPathColor = 0x00FF0000;

    CPathPens() : m_brush(CreateSolidBrush(kPathColor)) {}
    HPEN Pen(int nWidth);
    HBRUSH Brush() const { return m_brush.Get(); }

private:
    COwnedBrush m_brush;
    std::map<int, COwnedPen> m_pens;
};

class CEraseMask {
public:
    explicit CEraseMask(const CLine& eraser);
    ~CEraseMask();
    CEraseMask(const CEraseMask&) = delete;
    CEraseMask& operator=(const CEraseMask&) = delete;

    // False when the mask could not be made (an eraser too large for a bitmap): it covers
    // nothing then.
    bool IsMade() const { return m_pScratch != nullptr; }
    // The mask's page rectangle: the eraser's bounds inflated by 5.
    const RECT& Rect() const { return m_rc; }
    // True when some mask pixel inside rc (a part of Rect()) is on or inside the path.
    bool CoversAny(const RECT& rc) const;

    // The touch test of one stroke over rc, a part of Rect(): BeginTouch whitens rc of the
    // scratch section and gives its context, in page coordinates, to draw the stroke on with
    // Pens(); EndTouch tells whether a drawn pixel lies on or inside the path.
    HDC BeginTouch(const RECT& rc);
    bool EndTouch(const RECT& rc);
    CPathPens& Pens() { return m_pens; }

private:
    bool ReadMask(HDC hdc, HBITMAP hbm);
    const std::uint32_t* ScratchRow(LONG y) const;

    RECT m_rc{};
    int m_cx = 0, m_cy = 0;
    // Per mask row, the first and one past the last column on or inside the path (equal when
    // none), and per pixel whether it is.
    std::vector<std::pair<int, int>> m_spans;
    std::vector<std::uint8_t> m_covered;
    CMemoryDC m_dcScratch;
    COwnedBitmap m_bmScratch;
    HGDIOBJ m_hOldScratch = nullptr;
    std::uint32_t* m_pScratch = nullptr;
    CPathPens m_pens;
};
