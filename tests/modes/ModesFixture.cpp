#include "ModesFixture.h"

CColourWindow::CColourWindow(const RECT& rc, COLORREF cr) {
    m_hBrush = CreateSolidBrush(cr);
    m_strClass = L"ModesColour" + std::to_wstring(cr);
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = m_hBrush;
    wc.lpszClassName = m_strClass.c_str();
    RegisterClassExW(&wc);
    m_hWnd = CreateWindowExW(WS_EX_TOPMOST, m_strClass.c_str(), L"", WS_POPUP | WS_VISIBLE, rc.left,
                             rc.top, rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(m_hWnd);
    // Only what the display shows can be frozen: wait until it shows the window.
    const POINT ptCentre = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    for (int i = 0; i < 250 && ScreenPixel(ptCentre) != cr; ++i)
        Sleep(20);
}

CColourWindow::~CColourWindow() {
    DestroyWindow(m_hWnd);
    UnregisterClassW(m_strClass.c_str(), GetModuleHandleW(nullptr));
    DeleteObject(m_hBrush);
}

COLORREF ScreenPixel(POINT pt) {
    // What a window draws outside a paint reaches the display when its thread next looks at
    // its messages.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    CWindowDC screen(nullptr);
    return GetPixel(screen.Get(), pt.x, pt.y);
}

void CModesFixture::SetUp() {
    CAppFixture::SetUp();
    auto pBridge = std::make_unique<CRecordingBridge>();
    m_pBridge = pBridge.get();
    m_pView->SetBridge(std::move(pBridge));
}

void CModesFixture::TearDown() {
    m_pBridge = nullptr;
    CAppFixture::TearDown();
}

void CModesFixture::Desktop(DWORD nEvent, POINT pt, UINT nPressure) {
    View().OnDesktopPacket(GetTickCount(), MAKELONG(0, nEvent), pt.x, pt.y, nPressure);
}

void CModesFixture::Inking(DWORD nEvent, POINT pt, UINT nPressure) {
    View().OnInkingPacket(GetTickCount(), MAKELONG(0, nEvent), pt.x, pt.y, nPressure);
}

namespace {
template <class F> void Stroke(F feed, POINT a, POINT b, int nSteps) {
    for (int i = 0; i <= nSteps; ++i)
        feed(i == 0 ? TBN_DOWN : 0,
             POINT{a.x + (b.x - a.x) * i / nSteps, a.y + (b.y - a.y) * i / nSteps}, 600u);
    feed(TBN_UP, b, 0u);
}
} // namespace

void CModesFixture::DesktopStroke(POINT a, POINT b, int nSteps) {
    Stroke([this](DWORD e, POINT pt, UINT p) { Desktop(e, pt, p); }, a, b, nSteps);
}

void CModesFixture::InkingStroke(POINT a, POINT b, int nSteps) {
    Stroke([this](DWORD e, POINT pt, UINT p) { Inking(e, pt, p); }, a, b, nSteps);
}

COLORREF CModesFixture::InkPixel(POINT pt) const {
    return GetPixel(m_pView->GetOverlay()->m_dcInk.Get(), pt.x, pt.y);
}

COLORREF CModesFixture::FrozenPixel(POINT pt) const {
    return GetPixel(m_pView->m_dcScreen.Get(), pt.x, pt.y);
}
