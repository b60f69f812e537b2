#include "Picture.h"

#include <algorithm>
#include <vector>

#include "GdiObjects.h"
#include "Message.h"

namespace {

void WriteRect(CArchive& ar, const RECT& rc) {
    ar.WriteInt32(rc.left);
    ar.WriteInt32(rc.top);
    ar.WriteInt32(rc.right);
    ar.WriteInt32(rc.bottom);
}

RECT ReadRect(CArchive& ar) {
    RECT rc;
    rc.left = ar.ReadInt32();
    rc.top = ar.ReadInt32();
    rc.right = ar.ReadInt32();
    rc.bottom = ar.ReadInt32();
    return rc;
}

void SkipBytes(CArchive& ar, std::size_t n) {
    std::vector<std::uint8_t> scratch(std::min<std::size_t>(n, 65536));
    while (n > 0) {
        const std::size_t nPart = std::min(n, scratch.size());
        ar.ReadBytes(scratch.data(), nPart);
        n -= nPart;
    }
}

} // namespace

CPicture::~CPicture() {
    FreeImage();
}

void CPicture::FreeImage() {
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    if (m_pDib) {
        GlobalUnlock(m_pDib);
        GlobalFree(m_pDib);
    }
    m_pDib = nullptr;
    m_pbmi = nullptr;
    m_bFromBmp = 0;
}

bool CPicture::SetImage(HBITMAP hBitmap, int nWidth, int nHeight) {
    FreeImage();
    m_hBitmap = hBitmap;
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    m_rc = {0, 0, nWidth, nHeight};
    return true;
}

RECT CPicture::Draw(HDC hdc) {
    if (m_hBitmap) {
        CMemoryDC dcMem(hdc);
        CSelectScope sel(dcMem.Get(), m_hBitmap);
        const int nOldMode = SetStretchBltMode(hdc, COLORONCOLOR);
        StretchBlt(hdc, m_rc.left, m_rc.top, m_rc.right - m_rc.left, m_rc.bottom - m_rc.top,
                   dcMem.Get(), 0, 0, m_nWidth, m_nHeight, SRCCOPY);
        SetStretchBltMode(hdc, nOldMode);
    }
    return m_rc;
}

bool CPicture::DrawInRect(HDC hdc, const RECT& rcClip) {
    RECT rcPart;
    if (!IntersectRect(&rcPart, &m_rc, &rcClip))
        return false;
    if (m_hBitmap) {
        // The part inside the clip, mapped exactly as a whole drawing maps it, so that a part
        // repainted later meets the rest without a seam.
        const int nSaved = SaveDC(hdc);
        IntersectClipRect(hdc, rcPart.left, rcPart.top, rcPart.right, rcPart.bottom);
        Draw(hdc);
        RestoreDC(hdc, nSaved);
    }
    if (m_bSelected)
        m_tracker.Draw(hdc, m_rc);
    return true;
}

void CPicture::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        StorePixels(ar);
    else
        LoadPixels(ar);
}

void CPicture::StorePixels(CArchive& ar) {
    BITMAP bm{};
    std::vector<std::uint8_t> rows;
    bool bOk = m_hBitmap && GetObjectW(m_hBitmap, sizeof(bm), &bm) && bm.bmWidth > 0 &&
               bm.bmHeight > 0 && StoredStride(bm.bmWidth) * bm.bmHeight <= 0x7FFFFFFF;
    if (!bOk) {
        if (!ar.IsQuiet())
            ShowMessage(nullptr, L"Function parameter error", L"SavePicture1", MB_OK);
    } else {
        rows.resize(static_cast<std::size_t>(StoredStride(bm.bmWidth) * bm.bmHeight));
        BITMAPINFO bmi = DibHeader(bm.bmWidth, bm.bmHeight, 24);
        CWindowDC dcDesktop(GetDesktopWindow());
        CMemoryDC dcMem(dcDesktop.Get());
        bOk = GetDIBits(dcMem.Get(), m_hBitmap, 0, bm.bmHeight, rows.data(), &bmi,
                        DIB_RGB_COLORS) == bm.bmHeight;
        if (!bOk && !ar.IsQuiet())
            ShowMessage(nullptr, L"Function parameter error", L"SavePicture2", MB_OK);
    }
    // A picture without an image is stored as a 0 x 0 image without pixels, so that the rest of
    // the file stays readable and reading it back shows nothing.
    if (!bOk) {
        bm.bmWidth = bm.bmHeight = 0;
        rows.clear();
    }
    ar.WriteInt32(bm.bmHeight);
    ar.WriteInt32(bm.bmWidth);
    WriteRect(ar, m_rc);
    ar.WriteUInt32(static_cast<std::uint32_t>(rows.size()));
    ar.WriteBytes(rows.data(), rows.size());
}

void CPicture::LoadPixels(CArchive& ar) {
    const std::int32_t nHeight = ar.ReadInt32();
    const std::int32_t nWidth = ar.ReadInt32();
    const RECT rc = ReadRect(ar);
    const std::uint32_t nSize = ar.ReadUInt32();
    // Nothing is allocated for the pixels before the file is known to hold them.
    if (nSize > ar.Remaining())
        throw CArchiveException("picture pixels beyond the end of the file");
    if (nWidth < 0 || nHeight < 0)
        throw CArchiveException("negative picture size");

    FreeImage();
    m_bSelected = 0;
    m_nHit = CPictureTracker::hitNothing;
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    m_rc = m_rcDrag = CPictureTracker::Normalize(rc);
    // S < stride x H, compared by division (the product of two hostile sizes overflows).
    if (nWidth > 0 && nHeight > 0 &&
        static_cast<std::int64_t>(nSize) / StoredStride(nWidth) < nHeight) {
        ShowMessage(nullptr, L"Too small buffer size", L"OpenPicture", MB_OK);
        SkipBytes(ar, nSize);
        return;
    }
    if (nWidth == 0 || nHeight == 0) {
        SkipBytes(ar, nSize);
        return;
    }
    std::vector<std::uint8_t> rows(nSize);
    ar.ReadBytes(rows.data(), rows.size());
    CWindowDC dcScreen(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(dcScreen.Get(), nWidth, nHeight);
    const BITMAPINFO bmi = DibHeader(nWidth, nHeight, 24);
    if (hbm &&
        SetDIBits(dcScreen.Get(), hbm, 0, nHeight, rows.data(), &bmi, DIB_RGB_COLORS) != nHeight) {
        DeleteObject(hbm);
        hbm = nullptr;
    }
    m_hBitmap = hbm;
}
