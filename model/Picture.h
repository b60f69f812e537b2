// CPicture: one image placed on the page. It owns the image as a screen-compatible bitmap (and,
// for a BMP file, the file's bitmap data in one global memory block), the placement rectangle
// the image is stretched into, and the state of a drag of its resize handles. It loads BMP files
// itself and JPEG files through the image library, draws itself, and stores itself in a note
// file as its height, width, placement and 24-bit pixel rows.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "Archive.h"
#include "BmpReader.h"
#include "DibFormat.h"
#include "PictureTracker.h"

class CPicture {
public:
    // Bytes of a stored picture before its pixel rows.
    static constexpr std::size_t kRecordSize = 28;
    // The largest image, in pixels, that a picture takes from a file (8192 x 8192): a bound on
    // what a damaged header can make the program allocate.
    static constexpr std::int64_t kMaxPixels = 64LL * 1024 * 1024;
    // Stored rows are 24-bit and padded to 4 bytes: the stride of a stored row of nWidth pixels.
    static std::int64_t StoredStride(std::int64_t nWidth) { return DibStride(nWidth, 24); }
    // The message for an image larger than kMaxPixels.
    static std::wstring TooLargeText();
    // How reading an image file went: read by the picture's own rules, to be read by the image
    // library (run-length BMPs, the old core header), or refused for one of three reasons.
    using ELoad = CBmpReader::ECheck;

    CPicture() = default;
    virtual ~CPicture();
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    // Writes or reads the picture record (height, width, placement, pixel size S, pixel rows).
    // A record that the file cannot hold throws CArchiveException; a short pixel block is
    // skipped with "Too small buffer size" and leaves the picture without an image.
    virtual void Serialize(CArchive& ar);

    // Loads a BMP or JPEG file and places it at (0, 0, width, height). Other files, and files
    // whose header does not match their content, leave the picture without an image (after a
    // message). Returns whether the picture has an image.
    bool Load(const std::wstring& strPath);
    // Takes ownership of a ready bitmap and places it at (0, 0, nWidth, nHeight).
    bool SetImage(HBITMAP hBitmap, int nWidth, int nHeight);

    // Stretches the whole image into the placement rectangle; returns that rectangle.
    RECT Draw(HDC hdc);
    // Draws the part of the image inside rcClip, and the tracker when selected; false when the
    // placement does not meet rcClip.
    bool DrawInRect(HDC hdc, const RECT& rcClip);

    RECT GetRect() const { return m_rc; }
    void SetRect(const RECT& rc) { m_rc = rc; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    bool HasImage() const { return m_hBitmap != nullptr; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    bool IsSelected() const { return m_bSelected != 0; }
    int GetHit() const { return m_nHit; }
    RECT GetDragRect() const { return m_rcDrag; }
    // The BMP file's bitmap header, while the picture holds the file's data (else null).
    const BITMAPINFO* GetFileInfo() const { return m_pbmi; }

private:
    friend class CPictures;

    void FreeImage();
    ELoad LoadBmp(const std::wstring& strPath);
    ELoad ReadWithLibrary(const std::wstring& strPath);
    void StorePixels(CArchive& ar);
    void LoadPixels(CArchive& ar);

    int m_bSelected = 0;
    CPictureTracker m_tracker;
    int m_nHit = CPictureTracker::hitNothing;
    POINT m_ptLast{0, 0};
    RECT m_rc{0, 0, 0, 0};
    RECT m_rcDrag{0, 0, 0, 0};
    int m_nHeight = 0;
    int m_nWidth = 0;
    HBITMAP m_hBitmap = nullptr;
    BITMAPINFO* m_pbmi = nullptr;
    HGLOBAL m_pDib = nullptr;
    int m_bFromBmp = 0;
};
