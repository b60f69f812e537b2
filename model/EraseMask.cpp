#include "EraseMask.h"

#include <algorithm>

#include "DibFormat.h"
#include "Line.h"
#include "Message.h"

namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;

// Describes hbm as a 24-bit bottom-up DIB with rows padded to 4 bytes.
bool GetEraseInfo(HDC hdc, HBITMAP hbm, BITMAPINFO& bmi, std::size_t& nBytes) {
    BITMAP bm{};
    if (!hdc || !hbm || !GetObject(hbm, sizeof bm, &bm)) {
        ShowMessage(nullptr, L"Function parameter error", L"GetEraseInfo", MB_OK);
        return false;
    }
    bmi = DibHeader(bm.bmWidth, bm.bmHeight, 24);
    nBytes = static_cast<std::size_t>(DibStride(bm.bmWidth, 24)) * bm.bmHeight;
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

} // namespace

CEraseMask::CEraseMask(const CLine& eraser) {
    CMemoryDC dcMask(nullptr);
    const HBITMAP hOld = eraser.MakeEraseMask(dcMask.Get(), m_rc);
    if (!hOld)
        return;
    // The mask is read after it has left the context, as GetDIBits requires.
    COwnedBitmap mask(static_cast<HBITMAP>(SelectObject(dcMask.Get(), hOld)));
    m_cx = m_rc.right - m_rc.left;
    m_cy = m_rc.bottom - m_rc.top;
    const BITMAPINFO bmi = DibHeader(m_cx, -m_cy, 32);
    void* pBits = nullptr;
    m_bmScratch.Reset(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
    if (!m_bmScratch || !m_dcScratch || !ReadMask(dcMask.Get(), mask.Get()))
        return;
    m_hOldScratch = SelectObject(m_dcScratch.Get(), m_bmScratch.Get());
    SetViewportOrgEx(m_dcScratch.Get(), -m_rc.left, -m_rc.top, nullptr);
    m_pScratch = static_cast<std::uint32_t*>(pBits);
}

CEraseMask::~CEraseMask() {
    if (m_hOldScratch)
        SelectObject(m_dcScratch.Get(), m_hOldScratch);
}

// A stroke pixel drawn in the path colour and laid over the mask with a bitwise OR stays white
// only where the mask is white: everything else is on or inside the path.
bool CEraseMask::ReadMask(HDC hdc, HBITMAP hbm) {
    BITMAPINFO bmi;
    std::size_t nBytes = 0;
    if (!GetEraseInfo(hdc, hbm, bmi, nBytes))
        return false;
    std::vector<std::uint8_t> buffer(nBytes);
    if (!MemoryTransferToBuffer(hdc, hbm, bmi, buffer))
        return false;
    const std::size_t nStride = static_cast<std::size_t>(DibStride(m_cx, 24));
    m_covered.assign(static_cast<std::size_t>(m_cx) * m_cy, 0);
    m_spans.assign(static_cast<std::size_t>(m_cy), {0, 0});
    for (int y = 0; y < m_cy; ++y) {
        const std::uint8_t* pRow = &buffer[(m_cy - 1 - y) * nStride];
        std::uint8_t* pCovered = &m_covered[static_cast<std::size_t>(y) * m_cx];
        int nFirst = m_cx, nEnd = 0;
        for (int x = 0; x < m_cx; ++x)
            if (pRow[3 * x + 1] != 255 || pRow[3 * x + 2] != 255) {
                pCovered[x] = 1;
                nFirst = std::min(nFirst, x);
                nEnd = x + 1;
            }
        m_spans[y] = {std::min(nFirst, nEnd), nEnd};
    }
    return true;
}

bool CEraseMask::CoversAny(const RECT& rc) const {
    if (!IsMade())
        return false;
    for (LONG y = rc.top; y < rc.bottom; ++y) {
        const auto [nFirst, nEnd] = m_spans[y - m_rc.top];
        if (nFirst < nEnd && nFirst + m_rc.left < rc.right && nEnd + m_rc.left > rc.left)
            return true;
    }
    return false;
}

const std::uint32_t* CEraseMask::ScratchRow(LONG y) const {
    return m_pScratch + static_cast<std::size_t>(y - m_rc.top) * m_cx;
}

HDC CEraseMask::BeginTouch(const RECT& rc) {
    GdiFlush();
    for (LONG y = rc.top; y < rc.bottom; ++y) {
        std::uint32_t* pRow = const_cast<std::uint32_t*>(ScratchRow(y));
        std::fill(pRow + (rc.left - m_rc.left), pRow + (rc.right - m_rc.left), kWhite);
    }
    return m_dcScratch.Get();
}

bool CEraseMask::EndTouch(const RECT& rc) {
    GdiFlush();
    for (LONG y = rc.top; y < rc.bottom; ++y) {
        const auto [nFirst, nEnd] = m_spans[y - m_rc.top];
        const int nLeft = std::max<int>(nFirst, rc.left - m_rc.left);
        const int nRight = std::min<int>(nEnd, rc.right - m_rc.left);
        const std::uint32_t* pRow = ScratchRow(y);
        const std::uint8_t* pCovered = &m_covered[static_cast<std::size_t>(y - m_rc.top) * m_cx];
        for (int x = nLeft; x < nRight; ++x)
            if (pCovered[x] && (pRow[x] & kWhite) != kWhite)
                return true;
    }
    return false;
}

HPEN CPathPens::Pen(int nWidth) {
    COwnedPen& pen = m_pens[nWidth];
    if (!pen)
        pen.Reset(CreatePen(PS_SOLID, nWidth, kPathColor));
    return pen.Get();
}
