#include "DibCanvas.h"

#include "DibFormat.h"

#include <cstdio>
#include <algorithm>
#include <filesystem>
#include <fstream>

CDibCanvas::CDibCanvas(int cx, int cy, COLORREF crFill, int nBits, bool bBottomUp)
    : m_cx(cx), m_cy(cy), m_nBits(nBits), m_nStride(static_cast<int>(DibStride(cx, nBits))),
      m_bBottomUp(bBottomUp) {
    const BITMAPINFO bmi = DibHeader(cx, bBottomUp ? cy : -cy, static_cast<WORD>(nBits));
    void* pBits = nullptr;
    m_hbm = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    m_pBits = static_cast<std::uint8_t*>(pBits);
    m_hdc = CreateCompatibleDC(nullptr);
    m_hOld = SelectObject(m_hdc, m_hbm);
    Fill({0, 0, cx, cy}, crFill);
}

CDibCanvas::~CDibCanvas() {
    SelectObject(m_hdc, m_hOld);
    DeleteDC(m_hdc);
    DeleteObject(m_hbm);
}

void CDibCanvas::Fill(const RECT& rc, COLORREF cr) {
    HBRUSH hbr = CreateSolidBrush(cr);
    FillRect(m_hdc, &rc, hbr);
    DeleteObject(hbr);
    GdiFlush();
}

const std::uint8_t* CDibCanvas::PixelAddress(int x, int y) const {
    const int nRow = m_bBottomUp ? m_cy - 1 - y : y;
    return m_pBits + static_cast<std::size_t>(nRow) * m_nStride + x * (m_nBits / 8);
}

COLORREF CDibCanvas::Pixel(int x, int y) const {
    GdiFlush();
    const std::uint8_t* p = PixelAddress(x, y);
    return RGB(p[2], p[1], p[0]);
}

std::vector<std::uint8_t> CDibCanvas::Bytes() const {
    GdiFlush();
    return {m_pBits, m_pBits + static_cast<std::size_t>(m_nStride) * m_cy};
}

void CDibCanvas::SetFourthBytes(std::uint8_t n) {
    GdiFlush();
    for (int y = 0; y < m_cy; ++y)
        for (int x = 0; x < m_cx; ++x)
            const_cast<std::uint8_t*>(PixelAddress(x, y))[3] = n;
}

int CDibCanvas::CountOther(COLORREF crFill) const {
    int n = 0;
    for (int y = 0; y < m_cy; ++y)
        for (int x = 0; x < m_cx; ++x)
            n += Pixel(x, y) != crFill;
    return n;
}

RECT CDibCanvas::InkBox(COLORREF crFill) const {
    RECT rc = {m_cx, m_cy, 0, 0};
    for (int y = 0; y < m_cy; ++y)
        for (int x = 0; x < m_cx; ++x)
            if (Pixel(x, y) != crFill) {
                rc.left = std::min<LONG>(rc.left, x);
                rc.top = std::min<LONG>(rc.top, y);
                rc.right = std::max<LONG>(rc.right, x + 1);
                rc.bottom = std::max<LONG>(rc.bottom, y + 1);
            }
    return rc.right == 0 ? RECT{} : rc;
}

std::string CDibCanvas::FirstDifference(const CDibCanvas& other) const {
    if (m_cx != other.m_cx || m_cy != other.m_cy)
        return "sizes differ";
    for (int y = 0; y < m_cy; ++y)
        for (int x = 0; x < m_cx; ++x)
            if (Pixel(x, y) != other.Pixel(x, y)) {
                char sz[96];
                std::snprintf(sz, sizeof sz, "(%d,%d) 0x%06lX vs 0x%06lX", x, y,
                              static_cast<unsigned long>(Pixel(x, y)),
                              static_cast<unsigned long>(other.Pixel(x, y)));
                return sz;
            }
    return "";
}

bool CDibCanvas::SaveBmp(const std::wstring& strPath) const {
    GdiFlush();
    BITMAPFILEHEADER bf{};
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof bi;
    bi.biWidth = m_cx;
    bi.biHeight = m_cy;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    bi.biSizeImage = static_cast<DWORD>(m_nStride * m_cy);
    bf.bfType = 0x4D42;
    bf.bfOffBits = sizeof bf + sizeof bi;
    bf.bfSize = bf.bfOffBits + bi.biSizeImage;
    std::ofstream out(std::filesystem::path(strPath), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&bf), sizeof bf);
    out.write(reinterpret_cast<const char*>(&bi), sizeof bi);
    for (int y = m_cy - 1; y >= 0; --y)
        out.write(reinterpret_cast<const char*>(m_pBits + static_cast<std::size_t>(y) * m_nStride),
                  m_nStride);
    return out.good();
}

bool CDibCanvas::LoadBmp(const std::wstring& strPath) {
    std::ifstream in(std::filesystem::path(strPath), std::ios::binary);
    BITMAPFILEHEADER bf{};
    BITMAPINFOHEADER bi{};
    in.read(reinterpret_cast<char*>(&bf), sizeof bf);
    in.read(reinterpret_cast<char*>(&bi), sizeof bi);
    if (!in || bf.bfType != 0x4D42 || bi.biWidth != m_cx || bi.biHeight != m_cy ||
        bi.biBitCount != 24)
        return false;
    in.seekg(bf.bfOffBits);
    GdiFlush();
    for (int y = m_cy - 1; y >= 0; --y)
        in.read(reinterpret_cast<char*>(m_pBits + static_cast<std::size_t>(y) * m_nStride),
                m_nStride);
    return in.good();
}

std::unique_ptr<CDibCanvas> CDibCanvas::FromScreen(const RECT& rc) {
    auto pCanvas = std::make_unique<CDibCanvas>(rc.right - rc.left, rc.bottom - rc.top);
    HDC hdcScreen = GetDC(nullptr);
    BitBlt(pCanvas->Dc(), 0, 0, rc.right - rc.left, rc.bottom - rc.top, hdcScreen, rc.left, rc.top,
           SRCCOPY);
    ReleaseDC(nullptr, hdcScreen);
    return pCanvas;
}
