#include "InkClipboard.h"

#include "BridgeState.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Larger pictures than this are not put on the clipboard: no screen holds such ink.
constexpr std::uint64_t kMaxDibBytes = 512u * 1024u * 1024u;

// The header of the packed 24-bit bitmap for the ink; false when the bitmap cannot be read or is
// too large to pack.
bool GetPackedHeader(HDC hdc, HBITMAP hbm, BITMAPINFOHEADER& bih) {
    if (!hdc || !hbm)
        return false;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    if (!GetDIBits(hdc, hbm, 0, 0, nullptr, &bi, DIB_RGB_COLORS))
        return false;
    bih = bi.bmiHeader;
    const std::uint64_t nWidth = static_cast<std::uint64_t>(std::abs(bih.biWidth));
    const std::uint64_t nHeight = static_cast<std::uint64_t>(std::abs(bih.biHeight));
    const std::uint64_t nRow = (nWidth * 3 + 3) / 4 * 4;
    const std::uint64_t nImage = nRow * nHeight;
    if (nWidth == 0 || nHeight == 0 || nImage > kMaxDibBytes)
        return false;
    // Rows are always delivered bottom-up, whatever the bitmap's own orientation.
    bih.biWidth = static_cast<LONG>(nWidth);
    bih.biHeight = static_cast<LONG>(nHeight);
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    bih.biSizeImage = static_cast<DWORD>(nImage);
    bih.biClrUsed = 0;
    bih.biClrImportant = 0;
    return true;
}

// GetDIBits must not read a bitmap that is selected into a device context, and the caller hands
// the ink over still selected into its memory context: for the read, a 1 x 1 stand-in takes its
// place there, and the caller's bitmap is put back afterwards.
class CBitmapOutOfContext {
public:
    CBitmapOutOfContext(HDC hdc, HBITMAP hbm) : m_hdc(hdc) {
        if (!hdc || GetCurrentObject(hdc, OBJ_BITMAP) != hbm)
            return;
        m_hStandIn = CreateCompatibleBitmap(hdc, 1, 1);
        if (m_hStandIn)
            m_hOld = SelectObject(hdc, m_hStandIn);
    }
    CBitmapOutOfContext(const CBitmapOutOfContext&) = delete;
    CBitmapOutOfContext& operator=(const CBitmapOutOfContext&) = delete;
    ~CBitmapOutOfContext() {
        if (m_hOld)
            SelectObject(m_hdc, m_hOld);
        if (m_hStandIn)
            DeleteObject(m_hStandIn);
    }

private:
    HDC m_hdc;
    HBITMAP m_hStandIn = nullptr;
    HGDIOBJ m_hOld = nullptr;
};

} // namespace

bool CanPackInk(HDC hdc, HBITMAP hbm) {
    CBitmapOutOfContext out(hdc, hbm);
    BITMAPINFOHEADER bih{};
    return GetPackedHeader(hdc, hbm, bih);
}

HGLOBAL CreateInkDib(HDC hdc, HBITMAP hbm) {
    CBitmapOutOfContext out(hdc, hbm);
    BITMAPINFOHEADER bih{};
    if (!GetPackedHeader(hdc, hbm, bih))
        return nullptr;
    const SIZE_T nImage = bih.biSizeImage;
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, nImage + sizeof(BITMAPINFOHEADER));
    if (!hMem)
        return nullptr;
    auto* pb = static_cast<BYTE*>(GlobalLock(hMem));
    if (!pb) {
        GlobalFree(hMem);
        return nullptr;
    }
    CopyMemory(pb, &bih, sizeof(BITMAPINFOHEADER));
    // GetDIBits writes the header it was given back; a 24-bit header has no colour table, so the
    // rows start right behind the 40 bytes.
    const int nLines = GetDIBits(hdc, hbm, 0, bih.biHeight, pb + sizeof(BITMAPINFOHEADER),
                                 reinterpret_cast<BITMAPINFO*>(pb), DIB_RGB_COLORS);
    GlobalUnlock(hMem);
    if (nLines != bih.biHeight) {
        GlobalFree(hMem);
        return nullptr;
    }
    return hMem;
}

bool PutInkOnClipboard(HWND hwndOwner, HDC hdc, HBITMAP hbm, bool bDelayed) {
    HGLOBAL hDib = CreateInkDib(hdc, hbm);
    if (!hDib)
        return false;
    if (g_hPendingDib)
        GlobalFree(g_hPendingDib);
    g_hPendingDib = hDib;

    if (!OpenClipboard(hwndOwner))
        return false;
    EmptyClipboard();
    // The HTML offer of an earlier insertion has just left the clipboard with everything else.
    DiscardPendingHtml();
    bool bOffered = true;
    if (bDelayed)
        SetClipboardData(CF_DIB, nullptr); // returns null for a delayed offer; that is normal
    else {
        HandOverPending(CF_DIB, g_hPendingDib);
        bOffered = g_hPendingDib == nullptr;
    }
    CloseClipboard();
    return bOffered;
}

void HandOverPending(UINT uFormat, HGLOBAL& hPending) {
    if (hPending && SetClipboardData(uFormat, hPending))
        hPending = nullptr;
}
