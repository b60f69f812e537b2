#include "BitmapButton.h"

#include <vector>

#include "Resources.h"

HBITMAP LoadResBitmap(LPCWSTR pszName) {
    return static_cast<HBITMAP>(LoadImageW(FindResourceModule(pszName, RT_BITMAP), pszName,
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

SIZE BitmapSize(HBITMAP hbm) {
    BITMAP bm{};
    if (!hbm || !GetObjectW(hbm, sizeof(bm), &bm))
        return {0, 0};
    return {bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
}

void DrawBitmap(HDC hdc, HBITMAP hbm) {
    const SIZE size = BitmapSize(hbm);
    if (size.cx <= 0)
        return;
    CMemoryDC dc(hdc);
    CSelectScope select(dc.Get(), hbm);
    BitBlt(hdc, 0, 0, size.cx, size.cy, dc.Get(), 0, 0, SRCCOPY);
}

SIZE ResourceBitmapSize(UINT nID) {
    COwnedBitmap bitmap(LoadResBitmap(MAKEINTRESOURCEW(nID)));
    return BitmapSize(bitmap.Get());
}

namespace {
// A 32-bit top-down picture of this size.
BITMAPINFO TopDown32(SIZE size) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = size.cx;
    bmi.bmiHeader.biHeight = -size.cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    return bmi;
}
} // namespace

std::vector<DWORD> BitmapBits(HBITMAP hbm) {
    const SIZE size = BitmapSize(hbm);
    if (size.cx <= 0 || size.cy <= 0)
        return {};
    BITMAPINFO bmi = TopDown32(size);
    std::vector<DWORD> pixels(static_cast<size_t>(size.cx) * size.cy);
    CMemoryDC dc;
    if (!GetDIBits(dc.Get(), hbm, 0, static_cast<UINT>(size.cy), pixels.data(), &bmi,
                   DIB_RGB_COLORS))
        return {};
    return pixels;
}

namespace {
HBITMAP LoadById(UINT nID) {
    return nID ? LoadResBitmap(MAKEINTRESOURCEW(nID)) : nullptr;
}

// A grey copy of hbm, half way to the colour of its top-left pixel (the bar behind it), so that a
// disabled button fades into the bar in both looks.
HBITMAP MakeFaded(HBITMAP hbm) {
    std::vector<DWORD> pixels = BitmapBits(hbm);
    if (pixels.empty())
        return nullptr;
    const BITMAPINFO bmi = TopDown32(BitmapSize(hbm));
    const DWORD crBack = pixels[0];
    const int nBack =
        ((crBack >> 16 & 0xFF) * 30 + (crBack >> 8 & 0xFF) * 59 + (crBack & 0xFF) * 11) / 100;
    for (DWORD& px : pixels) {
        const int nGrey = ((px >> 16 & 0xFF) * 30 + (px >> 8 & 0xFF) * 59 + (px & 0xFF) * 11) / 100;
        const DWORD n = static_cast<DWORD>((nGrey + nBack) / 2);
        px = n << 16 | n << 8 | n;
    }
    void* pBits = nullptr;
    HBITMAP hFaded = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hFaded && pBits)
        memcpy(pBits, pixels.data(), pixels.size() * sizeof(DWORD));
    return hFaded;
}
} // namespace

bool CBitmapButton::Create(HWND hwndParent, const RECT& rc, UINT nID, DWORD dwStyle) {
    HWND hwnd = CreateWindowExW(
        0, L"BUTTON", L"", WS_CHILD | WS_CLIPSIBLINGS | BS_OWNERDRAW | dwStyle, rc.left, rc.top,
        rc.right - rc.left, rc.bottom - rc.top, hwndParent,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd)
        return false;
    if (!Subclass(hwnd)) {
        ::DestroyWindow(hwnd);
        return false;
    }
    return true;
}

void CBitmapButton::SetBitmaps(HBITMAP hNormal, HBITMAP hSelected, HBITMAP hFocus,
                               HBITMAP hDisabled) {
    m_bmNormal.Reset(hNormal);
    m_bmSelected.Reset(hSelected);
    m_bmFocus.Reset(hFocus);
    m_bmDisabled.Reset(hDisabled);
    m_bmFaded.Reset();
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, FALSE);
}

bool CBitmapButton::LoadBitmaps(UINT nIDNormal, UINT nIDSelected, UINT nIDFocus, UINT nIDDisabled) {
    SetBitmaps(LoadById(nIDNormal), LoadById(nIDSelected), LoadById(nIDFocus),
               LoadById(nIDDisabled));
    return static_cast<bool>(m_bmNormal);
}

bool CBitmapButton::AutoLoad(UINT nID, HWND hwndParent) {
    if (!SubclassDlgItem(nID, hwndParent))
        return false;
    wchar_t szText[64] = {};
    GetWindowTextW(m_hWnd, szText, 64);
    const std::wstring strName = szText;
    auto load = [&](const wchar_t* pszSuffix) {
        return LoadResBitmap((strName + pszSuffix).c_str());
    };
    SetBitmaps(load(L"U"), load(L"D"), load(L"F"), load(L"X"));
    if (!m_bmNormal)
        return false;
    SizeToContent();
    return true;
}

void CBitmapButton::SizeToContent() {
    const SIZE size = BitmapSize(m_bmNormal.Get());
    if (m_hWnd && size.cx > 0)
        SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HBITMAP CBitmapButton::ChooseBitmap(UINT nState) {
    // A disabled button looks disabled even while it still has the focus.
    if (nState & ODS_DISABLED) {
        if (m_bmDisabled)
            return m_bmDisabled.Get();
        if (!m_bmFaded && m_bmNormal)
            m_bmFaded.Reset(MakeFaded(m_bmNormal.Get()));
        return m_bmFaded ? m_bmFaded.Get() : m_bmNormal.Get();
    }
    if ((nState & ODS_SELECTED) && m_bmSelected)
        return m_bmSelected.Get();
    if ((nState & ODS_FOCUS) && m_bmFocus)
        return m_bmFocus.Get();
    return m_bmNormal.Get();
}

void CBitmapButton::DrawItem(const DRAWITEMSTRUCT& dis) {
    HBITMAP hbm = ChooseBitmap(dis.itemState);
    if (!hbm)
        return;
    CMemoryDC dc(dis.hDC);
    CSelectScope select(dc.Get(), hbm);
    const RECT& rc = dis.rcItem;
    BitBlt(dis.hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, dc.Get(), 0, 0,
           SRCCOPY);
}

bool CBitmapButton::OnChildNotify(UINT uMsg, WPARAM /*wParam*/, LPARAM lParam) {
    if (uMsg != WM_DRAWITEM)
        return false;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return true;
}
