// The in-process program for the mode tests: the application fixture with a canvas view whose
// packet handlers the tests call directly (screen pixels, as the intake hands them over), the
// recording bridge in place of Brevix, and a window of a known colour on the screen to freeze.
#pragma once
#include "AppFixture.h"
#include "ColourWindow.h"
#include "GdiObjects.h"
#include "RecordingBridge.h"

// The pen colour the mode tests write with.
inline constexpr COLORREF kPen = 0x800000;

// The view with its packet handlers open to the tests.
class CModesView : public CScrivoView {
public:
    using CScrivoView::OnCapturePacket;
    using CScrivoView::OnDesktopPacket;
    using CScrivoView::OnInkingPacket;
    using CScrivoView::OnLetterPacket;
    // The beeps of commands that are not available.
    mutable int m_nBeeps = 0;

protected:
    void TabletBeep() const override { ++m_nBeeps; }
};

class CModesFixture : public CAppFixture {
public:
    COLORREF InkPixel(POINT pt) const;
    COLORREF FrozenPixel(POINT pt) const;

protected:
    SIZE ScreenSize() const override { return {1280, 1024}; }
    std::unique_ptr<CScrivoView> MakeView() const override {
        return std::make_unique<CModesView>();
    }
    void SetUp() override;
    void TearDown() override;

    CModesView& View() const { return *static_cast<CModesView*>(m_pView); }
    // One packet at a screen point: pen event (TBN_DOWN, TBN_UP or 0), pressure, time.
    void Desktop(DWORD nEvent, POINT pt, UINT nPressure = 600);
    void Inking(DWORD nEvent, POINT pt, UINT nPressure = 600);
    // A straight stroke of nSteps + 1 samples from a to b, pen up at b.
    void DesktopStroke(POINT a, POINT b, int nSteps);
    void InkingStroke(POINT a, POINT b, int nSteps);

    CRecordingBridge* m_pBridge = nullptr;
};
