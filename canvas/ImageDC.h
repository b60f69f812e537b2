// CImageDC: a memory device context that holds a bitmap of its own for as long as it lives: the
// page, the view's image of its client area, the frozen screen, the overlay's ink image. The
// bitmap is a 24-bit bottom-up DIB section, so that the brush renderer can reach its pixels
// directly and every image of the program has the same layout.
#pragma once
#include <windows.h>

#include "GdiObjects.h"

// A 24-bit bottom-up DIB section of cx x cy pixels, or null (also for an empty size).
HBITMAP CreateImageBitmap(int cx, int cy);

class CImageDC {
public:
    CImageDC() = default;
    CImageDC(const CImageDC&) = delete;
    CImageDC& operator=(const CImageDC&) = delete;
    ~CImageDC() { Reset(); }

    // Makes the image cx x cy pixels; false (and no image) when the system cannot hold it.
    bool Create(int cx, int cy);
    // Makes the image only when there is none of this size; true when one is there after.
    bool EnsureSize(int cx, int cy);
    // Deletes the image and its device context.
    void Reset();

    HDC Get() const { return m_hdc; }
    HBITMAP Bitmap() const { return m_bm.Get(); }
    SIZE Size() const { return m_size; }
    explicit operator bool() const { return m_hdc != nullptr; }

private:
    HDC m_hdc = nullptr;
    COwnedBitmap m_bm;
    HGDIOBJ m_hOld = nullptr;
    SIZE m_size{};
};
