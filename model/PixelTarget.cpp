#include "PixelTarget.h"

#include <algorithm>

#include "DibFormat.h"

namespace {
// Without a clip box nothing is skipped; the renderer clamps its coordinates far inside this.
constexpr LONG kUnbounded = 1 << 28;
} // namespace

CPixelTarget::CPixelTarget(HDC hdc) : m_hdc(hdc) {
    if (GetClipBox(hdc, &m_rcClip) == ERROR)
        m_rcClip = {-kUnbounded, -kUnbounded, kUnbounded, kUnbounded};
    if (!OpenDirect()) {
        m_pRow0 = nullptr;
        return;
    }
    Flush();
}

CPixelTarget::CPixelTarget(const CPixelTarget& whole, const RECT& rcPart)
    : m_hdc(whole.m_hdc), m_rcClip(whole.m_rcClip), m_pRow0(whole.m_pRow0),
      m_nRowStep(whole.m_nRowStep), m_nPixelBytes(whole.m_nPixelBytes),
      m_ptOffset(whole.m_ptOffset) {
    m_rcClip.left = std::max(m_rcClip.left, rcPart.left);
    m_rcClip.top = std::max(m_rcClip.top, rcPart.top);
    m_rcClip.right = std::max(m_rcClip.left, std::min(m_rcClip.right, rcPart.right));
    m_rcClip.bottom = std::max(m_rcClip.top, std::min(m_rcClip.bottom, rcPart.bottom));
}

bool CPixelTarget::OpenDirect() {
    if (!m_hdc || GetMapMode(m_hdc) != MM_TEXT || GetGraphicsMode(m_hdc) != GM_COMPATIBLE ||
        GetLayout(m_hdc) != 0)
        return false;
    const auto hbm = static_cast<HBITMAP>(GetCurrentObject(m_hdc, OBJ_BITMAP));
    DIBSECTION ds{};
    if (!hbm || GetObjectW(hbm, sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits)
        return false;
    const BITMAPINFOHEADER& bih = ds.dsBmih;
    if ((bih.biBitCount != 24 && bih.biBitCount != 32) || bih.biCompression != BI_RGB)
        return false;
    POINT ptOrigin{0, 0};
    if (!LPtoDP(m_hdc, &ptOrigin, 1))
        return false;
    m_ptOffset = ptOrigin;
    // The clip box must be the whole bitmap: any clip region leaves the pixels to GDI.
    const LONG cx = ds.dsBm.bmWidth, cy = ds.dsBm.bmHeight;
    const RECT rcBitmap = {-ptOrigin.x, -ptOrigin.y, cx - ptOrigin.x, cy - ptOrigin.y};
    RECT rcBox{};
    if (GetClipBox(m_hdc, &rcBox) != SIMPLEREGION || !EqualRect(&rcBox, &rcBitmap))
        return false;
    const std::ptrdiff_t nStride = static_cast<std::ptrdiff_t>(DibStride(cx, bih.biBitCount));
    auto* pBits = static_cast<std::uint8_t*>(ds.dsBm.bmBits);
    const bool bBottomUp = bih.biHeight > 0 && !FirstRowIsTop(pBits);
    m_pRow0 = bBottomUp ? pBits + (cy - 1) * nStride : pBits;
    m_nRowStep = bBottomUp ? -nStride : nStride;
    m_nPixelBytes = bih.biBitCount / 8;
    m_rcClip = rcBitmap;
    return true;
}

// Not every system keeps a top-down section's negative height in the header it reports: one
// byte of the first row in memory is changed for a moment to see whether GDI shows it on top.
bool CPixelTarget::FirstRowIsTop(std::uint8_t* pBits) const {
    GdiFlush();
    const POINT ptTopLeft = {-m_ptOffset.x, -m_ptOffset.y};
    const COLORREF crBefore = GetPixel(m_hdc, ptTopLeft.x, ptTopLeft.y);
    const std::uint8_t nBlue = pBits[0];
    pBits[0] = static_cast<std::uint8_t>(nBlue ^ 0x80);
    const COLORREF crAfter = GetPixel(m_hdc, ptTopLeft.x, ptTopLeft.y);
    pBits[0] = nBlue;
    return crBefore != crAfter;
}

void CPixelTarget::Flush() const {
    if (IsDirect())
        GdiFlush();
}

void CPixelTarget::Fill(int x, int y, int cx, int cy, COLORREF cr) const {
    const int nLeft = std::max<int>(x, m_rcClip.left),
              nRight = std::min<int>(x + cx, m_rcClip.right);
    const int nTop = std::max<int>(y, m_rcClip.top),
              nBottom = std::min<int>(y + cy, m_rcClip.bottom);
    const std::uint8_t b = GetBValue(cr), g = GetGValue(cr), r = GetRValue(cr);
    for (int v = nTop; v < nBottom; ++v) {
        std::uint8_t* p = Address(nLeft, v);
        for (int u = nLeft; u < nRight; ++u, p += m_nPixelBytes) {
            p[0] = b;
            p[1] = g;
            p[2] = r;
            if (m_nPixelBytes == 4)
                p[3] = 0;
        }
    }
}
