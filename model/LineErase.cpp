// The eraser's two pixel services: the mask of an eraser path and the touch test of a stroke.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "GdiObjects.h"
#include "Line.h"
#include "Message.h"

namespace {

// The colour of the eraser path in the mask and of a stroke in the touch test.
constexpr COLORREF kPathColor = 0x00FF0000;

int RectWidth(const RECT& rc) {
    return rc.right - rc.left;
}
int RectHeight(const RECT& rc) {
    return rc.bottom - rc.top;
}

// A bitmap compatible with the screen, as the masks are combined with BitBlt.
HBITMAP CreateScreenBitmap(int cx, int cy) {
    CWindowDC screen(nullptr);
    return CreateCompatibleBitmap(screen.Get(), cx, cy);
}

// Describes hbm as a 24-bit bottom-up DIB with rows padded to 4 bytes.
bool GetEraseInfo(HDC hdc, HBITMAP hbm, BITMAPINFO& bmi, std::size_t& nBytes) {
    BITMAP bm{};
    if (!hdc || !hbm || !GetObject(hbm, sizeof bm, &bm)) {
        ShowMessage(nullptr, L"Function parameter error", L"GetEraseInfo", MB_OK);
        return false;
    }
    bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    nBytes = static_cast<std::size_t>((bm.bmWidth * 3 + 3) / 4 * 4) * bm.bmHeight;
    return true;
}

// Reads hbm's pixels into buffer as described by bmi.
bool MemoryTransferToBuffer(HDC hdc, HBITMAP hbm, BITMAPINFO& bmi,
                            std::vector<std::uint8_t>& buffer) {
    if (!hdc || !hbm ||
        !GetDIBits(hdc, hbm, 0, static_cast<UINT>(bmi.bmiHeader.biHeight), buffer.data(), &bmi,
                   DIB_RGB_COLORS)) {
        ShowMessage(nullptr, L"Function parameter error", L"MemoryTransferToBuffer", MB_OK);
        return false;
    }
    return true;
}

// True when any pixel of the 24-bit buffer is not white; the row padding counts as white.
bool HasNonWhitePixel(std::vector<std::uint8_t>& buffer, int cx, int cy) {
    const int nStride = (cx * 3 + 3) / 4 * 4;
    for (int y = 0; y < cy; ++y)
        for (int x = cx * 3; x < nStride; ++x)
            buffer[static_cast<std::size_t>(y) * nStride + x] = 255;
    const std::size_t nWords = buffer.size() / 4;
    for (std::size_t i = 0; i < nWords; ++i) {
        const std::uint8_t* p = &buffer[i * 4];
        const std::uint32_t w = p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24;
        if (w != 0xFFFFFFFFu)
            return true;
    }
    return false;
}

} // namespace

HBITMAP CLine::MakeEraseMask(HDC hdcMem, RECT& rcMask) {
    SetRectEmpty(&rcMask);
    RECT rc = m_rcBound;
    InflateRect(&rc, 5, 5);
    HBITMAP hbm = CreateScreenBitmap(RectWidth(rc), RectHeight(rc));
    if (!hdcMem || !hbm) {
        if (hbm)
            DeleteObject(hbm);
        return nullptr;
    }
    const auto hOld = static_cast<HBITMAP>(SelectObject(hdcMem, hbm));
    SetViewportOrgEx(hdcMem, -rc.left, -rc.top, nullptr);
    FillRect(hdcMem, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    {
        COwnedPen pen(CreatePen(PS_SOLID, 1, kPathColor));
        CSelectScope selectPen(hdcMem, pen.Get());
        for (int i = 1; i < GetPointCount(); ++i) {
            MoveToEx(hdcMem, m_points[i - 1].x, m_points[i - 1].y, nullptr);
            LineTo(hdcMem, m_points[i].x, m_points[i].y);
        }
        // LineTo leaves out the end pixel; the path keeps it so that a loop closed there holds.
        if (GetPointCount() > 1)
            SetPixel(hdcMem, m_points.back().x, m_points.back().y, kPathColor);
    }
    // Everything the corner reaches turns white; what the path encloses stays black. The fill
    // starts from the bitmap's corner with the origin back at (0,0): some GDI implementations
    // place a flood fill's start point without the viewport origin.
    SetViewportOrgEx(hdcMem, 0, 0, nullptr);
    {
        CSelectScope selectBrush(hdcMem, GetStockObject(WHITE_BRUSH));
        ExtFloodFill(hdcMem, 0, 0, kPathColor, FLOODFILLBORDER);
    }
    rcMask = rc;
    return hOld;
}

int CLine::HitPenWidth(const LinePoint& pt) const {
    if (!m_bSmooth)
        return pt.nWidth + 1;
    return pt.nWidth / 50 * (m_nPressureMax / 256) + 2;
}

RECT CLine::HitByMask(HDC hdcMask, const RECT& rcMask) {
    RECT rcBound = m_rcBound, rc;
    InflateRect(&rcBound, 5, 5);
    if (!hdcMask || !IntersectRect(&rc, &rcBound, &rcMask))
        return {};
    const int cx = RectWidth(rc), cy = RectHeight(rc);
    CMemoryDC dc(hdcMask);
    COwnedBitmap bitmap(CreateScreenBitmap(cx, cy));
    if (bitmap) {
        CSelectScope selectBitmap(dc.Get(), bitmap.Get());
        SetViewportOrgEx(dc.Get(), -rc.left, -rc.top, nullptr);
        FillRect(dc.Get(), &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        COwnedBrush brush(CreateSolidBrush(kPathColor));
        for (int i = 0; i < GetPointCount(); ++i) {
            const LinePoint& pt = m_points[i];
            const int nWidth = std::max(1, HitPenWidth(pt));
            if (i == 0) {
                // A line from the first sample to itself leaves no pixel; a dot stroke must
                // still be found, so its footprint is filled.
                const RECT rcDot = {pt.x - nWidth / 2, pt.y - nWidth / 2,
                                    pt.x - nWidth / 2 + nWidth, pt.y - nWidth / 2 + nWidth};
                FillRect(dc.Get(), &rcDot, brush.Get());
                continue;
            }
            COwnedPen pen(CreatePen(PS_SOLID, nWidth, kPathColor));
            CSelectScope selectPen(dc.Get(), pen.Get());
            MoveToEx(dc.Get(), m_points[i - 1].x, m_points[i - 1].y, nullptr);
            LineTo(dc.Get(), pt.x, pt.y);
        }
        POINT ptOld;
        SetViewportOrgEx(hdcMask, -rcMask.left, -rcMask.top, &ptOld);
        BitBlt(dc.Get(), rc.left, rc.top, cx, cy, hdcMask, rc.left, rc.top, SRCPAINT);
        SetViewportOrgEx(hdcMask, ptOld.x, ptOld.y, nullptr);
        SetViewportOrgEx(dc.Get(), 0, 0, nullptr);
    }
    // The bitmap is read after it has left the context, as GetDIBits requires.
    BITMAPINFO bmi;
    std::size_t nBytes = 0;
    if (!GetEraseInfo(dc.Get(), bitmap.Get(), bmi, nBytes))
        return {};
    std::vector<std::uint8_t> buffer(nBytes);
    if (!MemoryTransferToBuffer(dc.Get(), bitmap.Get(), bmi, buffer))
        return {};
    return HasNonWhitePixel(buffer, cx, cy) ? rcBound : RECT{};
}
