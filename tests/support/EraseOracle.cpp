#include "EraseOracle.h"

#include <cstdint>

#include "DibFormat.h"
#include "EraseMask.h"
#include "GdiObjects.h"

namespace {

bool IsNullRect(const RECT& rc) {
    return rc.left == 0 && rc.top == 0 && rc.right == 0 && rc.bottom == 0;
}

// True when any pixel of the bitmap, read as 24-bit rows, is not white.
bool HasNonWhitePixel(HDC hdc, HBITMAP hbm, int cx, int cy) {
    BITMAPINFO bmi = DibHeader(cx, cy, 24);
    const std::size_t nStride = static_cast<std::size_t>(DibStride(cx, 24));
    std::vector<std::uint8_t> rows(nStride * cy);
    if (!GetDIBits(hdc, hbm, 0, static_cast<UINT>(cy), rows.data(), &bmi, DIB_RGB_COLORS))
        return false;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx * 3; ++x)
            if (rows[y * nStride + x] != 255)
                return true;
    return false;
}

} // namespace

RECT OracleHitByMask(const CLine& stroke, HDC hdcMask, const RECT& rcMask) {
    RECT rcBound = stroke.GetBound(), rc;
    InflateRect(&rcBound, 5, 5);
    if (!hdcMask || !IntersectRect(&rc, &rcBound, &rcMask))
        return {};
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    CWindowDC screen(nullptr);
    CMemoryDC dc(hdcMask);
    COwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), cx, cy));
    if (!bitmap)
        return {};
    {
        CSelectScope selectBitmap(dc.Get(), bitmap.Get());
        SetViewportOrgEx(dc.Get(), -rc.left, -rc.top, nullptr);
        FillRect(dc.Get(), &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        CPathPens pens;
        stroke.DrawTouchPath(dc.Get(), pens, rc);
        POINT ptOld;
        SetViewportOrgEx(hdcMask, -rcMask.left, -rcMask.top, &ptOld);
        BitBlt(dc.Get(), rc.left, rc.top, cx, cy, hdcMask, rc.left, rc.top, SRCPAINT);
        SetViewportOrgEx(hdcMask, ptOld.x, ptOld.y, nullptr);
    }
    // A brush stroke's stamps reach beyond its samples: its area to repaint is wider.
    RECT rcRepaint = stroke.GetBound();
    const int nReach = stroke.IsSmooth() ? CSMLine::kStampReach : 5;
    InflateRect(&rcRepaint, nReach, nReach);
    return HasNonWhitePixel(dc.Get(), bitmap.Get(), cx, cy) ? rcRepaint : RECT{};
}

COracleErase OracleEraseByLast(const CLines& lines) {
    COracleErase result;
    const int n = lines.GetCount();
    if (n == 0)
        return result;
    CMemoryDC dc(nullptr);
    RECT rcMask;
    const HBITMAP hOld = lines.GetAt(n - 1)->MakeEraseMask(dc.Get(), rcMask);
    if (!hOld)
        return result;
    for (int i = n - 2; i >= 0; --i) {
        const RECT rc = OracleHitByMask(*lines.GetAt(i), dc.Get(), rcMask);
        if (IsNullRect(rc))
            continue;
        if (IsNullRect(result.rcErased))
            result.rcErased = rc;
        else
            UnionRect(&result.rcErased, &result.rcErased, &rc);
        result.erased.push_back(i);
    }
    DeleteObject(SelectObject(dc.Get(), hOld));
    return result;
}
