#include "ImageDC.h"

#include "DibFormat.h"

HBITMAP CreateImageBitmap(int cx, int cy) {
    // GDI counts a bitmap's bytes in 32 bits: a larger one would be made too small.
    if (cx <= 0 || cy <= 0 || DibStride(cx, 24) * cy > INT32_MAX)
        return nullptr;
    const BITMAPINFO bmi = DibHeader(cx, cy, 24);
    CWindowDC screen(nullptr);
    void* pBits = nullptr;
    return CreateDIBSection(screen.Get(), &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
}

bool CImageDC::Create(int cx, int cy) {
    Reset();
    COwnedBitmap bm(CreateImageBitmap(cx, cy));
    if (!bm)
        return false;
    CWindowDC screen(nullptr);
    m_hdc = CreateCompatibleDC(screen.Get());
    if (!m_hdc)
        return false;
    m_hOld = SelectObject(m_hdc, bm.Get());
    m_bm = std::move(bm);
    m_size = {cx, cy};
    return true;
}

bool CImageDC::EnsureSize(int cx, int cy) {
    if (m_hdc && m_size.cx == cx && m_size.cy == cy)
        return true;
    return Create(cx, cy);
}

void CImageDC::Reset() {
    if (m_hdc) {
        SelectObject(m_hdc, m_hOld);
        DeleteDC(m_hdc);
    }
    m_hdc = nullptr;
    m_hOld = nullptr;
    m_bm.Reset();
    m_size = {};
}
