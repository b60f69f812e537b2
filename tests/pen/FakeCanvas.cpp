#include "FakeCanvas.h"

#include <algorithm>
#include <cstdlib>

CFakeCanvas::CFakeCanvas(FakeTablet& tablet) {
    m_pWintab = &tablet.api;
    m_hWnd = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 80, 600,
                             500, nullptr, nullptr, nullptr, nullptr);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = 1280;
    bmi.bmiHeader.biHeight = 2048;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pBits = nullptr;
    m_bmPage.Reset(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
    m_hOldBitmap = SelectObject(m_dcPage.Get(), m_bmPage.Get());
    const RECT rc{0, 0, 1280, 2048};
    COwnedBrush brush(CreateSolidBrush(kPaper));
    FillRect(m_dcPage.Get(), &rc, brush.Get());
    ReadPressureAxis();
    m_bMouseDown = true;
}

CFakeCanvas::~CFakeCanvas() {
    SelectObject(m_dcPage.Get(), m_hOldBitmap);
    DestroyWindow(m_hWnd);
}

void CFakeCanvas::Feed(DWORD nEvent, int cx, int cy, UINT nPressure) {
    POINT pt{cx, cy};
    ClientToScreen(m_hWnd, &pt);
    OnLetterPacket(GetTickCount(), MAKELONG(0, nEvent), pt.x, pt.y, nPressure);
}

void CFakeCanvas::Stroke(const std::vector<POINT>& points, UINT nPressure) {
    for (size_t i = 0; i < points.size(); ++i)
        Feed(i == 0 ? TBN_DOWN : TBN_NONE, points[i].x, points[i].y, nPressure);
    Feed(TBN_UP, points.back().x, points.back().y, 0);
}

COLORREF CFakeCanvas::ScreenPixel(int cx, int cy) const {
    CWindowDC dc(m_hWnd);
    return GetPixel(dc.Get(), cx, cy);
}

void CFakeCanvas::ShowPage() {
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    if (!m_dcShown.EnsureSize(rc.right, rc.bottom))
        return;
    const int nOld = SetStretchBltMode(m_dcShown.Get(), COLORONCOLOR);
    StretchBlt(m_dcShown.Get(), 0, 0, rc.right, rc.bottom, m_dcPage.Get(),
               int(m_ptScroll.x / m_fZoom), int(m_ptScroll.y / m_fZoom), int(rc.right / m_fZoom),
               int(rc.bottom / m_fZoom), SRCCOPY);
    SetStretchBltMode(m_dcShown.Get(), nOld);
    CWindowDC window(m_hWnd);
    BitBlt(window.Get(), 0, 0, rc.right, rc.bottom, m_dcShown.Get(), 0, 0, SRCCOPY);
}

HDC CFakeCanvas::ShownImageDC() {
    if (!m_dcShown)
        ShowPage();
    return m_dcShown.Get();
}

void CFakeCanvas::RepaintPageArea(const RECT& rc) {
    m_repaints.push_back(rc);
    COwnedBrush brush(CreateSolidBrush(kPaper));
    FillRect(m_dcPage.Get(), &rc, brush.Get());
    m_lines.DrawInRect(m_dcPage.Get(), rc);
}

int ColorDistance(COLORREF a, COLORREF b) {
    return std::max({std::abs(int(GetRValue(a)) - int(GetRValue(b))),
                     std::abs(int(GetGValue(a)) - int(GetGValue(b))),
                     std::abs(int(GetBValue(a)) - int(GetBValue(b)))});
}
