#include "ModesFixture.h"

void CModesFixture::SetUp() {
    CAppFixture::SetUp();
    auto pBridge = std::make_unique<CRecordingBridge>();
    m_pBridge = pBridge.get();
    m_pView->ScreenRun().SetBridge(std::move(pBridge));
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
    return GetPixel(m_pView->ScreenRun().GetOverlay()->InkDC(), pt.x, pt.y);
}

COLORREF CModesFixture::FrozenPixel(POINT pt) const {
    return GetPixel(m_pView->ScreenRun().FrozenScreen().Get(), pt.x, pt.y);
}
