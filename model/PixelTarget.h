// CPixelTarget: the surface that the brush renderer blends single pixels into. When the device
// context holds a 24- or 32-bit DIB section, maps logical to device pixels one to one (any
// origin, no scaling, mirroring or world transform) and clips to nothing but the bitmap, the
// pixels are read and written in the section's own memory. Any other device context (a window,
// a device-dependent bitmap, a clipped or scaled context) is read with GetPixel and painted with
// solid fills. Both give the same pixels, byte for byte.
//
// The context is examined once, when the target is made: make a new target after changing the
// context's bitmap, origin, mapping or clipping. The target flushes GDI's pending drawing before
// the renderer touches the memory, so GDI drawing and direct painting may take turns.
#pragma once
#include <windows.h>

#include <cstdint>

class CPixelTarget {
public:
    explicit CPixelTarget(HDC hdc);
    // The part of a target inside rcPart (logical coordinates): the same context and memory with
    // the clip box cut to it, for one band of a page drawn on several threads or a region drawn
    // again. GDI's own clipping of the context is left as it is.
    CPixelTarget(const CPixelTarget& whole, const RECT& rcPart);
    CPixelTarget(const CPixelTarget&) = delete;
    CPixelTarget& operator=(const CPixelTarget&) = delete;

    HDC Dc() const { return m_hdc; }
    // True when pixels go straight to the DIB section's memory.
    bool IsDirect() const { return m_pRow0 != nullptr; }
    // The clip box in logical coordinates. GDI neither reads nor paints outside it.
    const RECT& ClipBox() const { return m_rcClip; }

    // Device minus logical coordinates of a direct target.
    POINT DeviceOffset() const { return m_ptOffset; }
    // Lets GDI finish what it queued, before the memory is read or written directly.
    void Flush() const;
    // The pixel at a logical point of a direct target, CLR_INVALID outside the clip box (what
    // GetPixel gives there).
    COLORREF Read(int x, int y) const {
        if (x < m_rcClip.left || x >= m_rcClip.right || y < m_rcClip.top || y >= m_rcClip.bottom)
            return CLR_INVALID;
        const std::uint8_t* p = Address(x, y);
        return RGB(p[2], p[1], p[0]);
    }
    // The memory of the pixel at logical x = 0 of row y of a direct target (y inside the clip
    // box), and the bytes per pixel.
    std::uint8_t* RowAddress(int y) const { return Address(0, y); }
    int PixelBytes() const { return m_nPixelBytes; }
    // Bytes from one row of a direct target to the row below it (negative when bottom-up).
    std::ptrdiff_t RowStep() const { return m_nRowStep; }
    // Paints one pixel of a direct target at a logical point inside the clip box.
    void Write(int x, int y, COLORREF cr) const {
        std::uint8_t* p = Address(x, y);
        p[0] = GetBValue(cr);
        p[1] = GetGValue(cr);
        p[2] = GetRValue(cr);
        if (m_nPixelBytes == 4)
            p[3] = 0;
    }
    // Paints a block of a direct target in one colour, cut to the clip box (what a solid PatBlt
    // does; the fourth byte of a 32-bit pixel becomes 0).
    void Fill(int x, int y, int cx, int cy, COLORREF cr) const;

private:
    std::uint8_t* Address(int x, int y) const {
        return m_pRow0 + (y + m_ptOffset.y) * m_nRowStep +
               static_cast<std::ptrdiff_t>(x + m_ptOffset.x) * m_nPixelBytes;
    }
    bool OpenDirect();
    bool FirstRowIsTop(std::uint8_t* pBits) const;

    HDC m_hdc;
    RECT m_rcClip{};
    std::uint8_t* m_pRow0 = nullptr; // device row 0
    std::ptrdiff_t m_nRowStep = 0;   // bytes from one device row to the next (negative bottom-up)
    int m_nPixelBytes = 0;
    POINT m_ptOffset{}; // device = logical + offset
};
