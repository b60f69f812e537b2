// A canvas for the stroke-capture tests: a visible popup window stands for the view, a 24-bit
// page bitmap for the page, and a stroke list for the document.
#pragma once
#include "FakeTablet.h"
#include "GdiObjects.h"
#include "ImageDC.h"
#include "PenCapture.h"

#include <vector>

// The paper colour: red 229, green 226, blue 204.
constexpr COLORREF kPaper = 13427429;

class CFakeCanvas : public CPenCapture {
public:
    explicit CFakeCanvas(FakeTablet& tablet);
    ~CFakeCanvas() override;

    // One letter-mode packet at a point of the client area.
    void Feed(DWORD nEvent, int cx, int cy, UINT nPressure);
    // Pen down at the first point, moves through the others, pen up at the last.
    void Stroke(const std::vector<POINT>& points, UINT nPressure);
    COLORREF PagePixel(int x, int y) const { return GetPixel(m_dcPage.Get(), x, y); }
    COLORREF ScreenPixel(int cx, int cy) const;
    // Shows the page on the window as the view does: stretched by the zoom into the image of the
    // client area, which is then copied to the window.
    void ShowPage();

    HWND m_hWnd = nullptr;
    float m_fZoom = 1.0f;
    POINT m_ptScroll{0, 0};
    CLines m_lines;
    int m_nModified = 0;
    std::vector<RECT> m_repaints;
    CMemoryDC m_dcPage;
    COwnedBitmap m_bmPage;
    HGDIOBJ m_hOldBitmap = nullptr;
    CImageDC m_dcShown;

protected:
    HWND TabletWindow() const override { return m_hWnd; }
    int TabletMode() const override { return kModeLetter; }
    float CanvasZoom() const override { return m_fZoom; }
    POINT CanvasScroll() const override { return m_ptScroll; }
    HDC PageDC() const override { return m_dcPage.Get(); }
    HDC ShownImageDC() override;
    SIZE PageSize() const override { return {1280, 2048}; }
    CLines* Strokes() const override { return const_cast<CLines*>(&m_lines); }
    void MarkModified() override { ++m_nModified; }
    void RepaintPageArea(const RECT& rc) override;
};

// Distance of a colour from another, the largest of the three channel differences.
int ColorDistance(COLORREF a, COLORREF b);
