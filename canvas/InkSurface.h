// CInkSurface: where a stroke is drawn while it is written, so that letter, desktop and inking
// modes share one capture path. In letter mode it is the page bitmap (the ink that is kept, in
// page pixels at zoom 1) together with the view's off-screen image of its client area (what the
// window shows, at the zoom); on the overlay it is the overlay's ink image alone, in screen
// pixels, which is kept and shown at once. Every segment is drawn into memory the program owns;
// Present() then copies the rectangle that changed to the window, so that the window's own pixels
// are never read back (under Wine each read is a round trip to the display server).
#pragma once
#include <windows.h>

#include "SMLine.h"

class CInkSurface {
public:
    // Letter mode: the page bitmap (hdcPage, may be null) shown at fZoom from ptScroll, and the
    // view's image hdcShown of the client area of hwndShown, whose top-left lies at
    // ptClientOrigin on the screen.
    CInkSurface(HDC hdcPage, POINT ptScroll, float fZoom, HDC hdcShown, HWND hwndShown,
                POINT ptClientOrigin);
    // The overlay: its ink image hdcInk, shown by hwndOverlay whose client area starts at
    // ptOverlayOrigin on the screen. Plain lines there are fLineZoom times their width.
    CInkSurface(HDC hdcInk, HWND hwndOverlay, POINT ptOverlayOrigin, float fLineZoom);
    CInkSurface(const CInkSurface&) = delete;
    CInkSurface& operator=(const CInkSurface&) = delete;
    // Presents what is still pending.
    ~CInkSurface();

    // Where a sample at a screen point is stored: page pixels in letter mode, screen pixels on
    // the overlay.
    POINT SamplePoint(POINT ptScreen) const;
    bool HasPage() const { return m_hdcPage != nullptr; }

    // One brush-renderer step to ptTo (from ptFrom; both screen pixels) of kind nKind: on the
    // shown image in crShown with its renderer, and, when bPage, on the page in crPage with its.
    void DrawBrush(CSMLine& smShown, CSMLine& smPage, POINT ptFrom, POINT ptTo, int nWeight,
                   COLORREF crShown, COLORREF crPage, int nKind, int nPressureMax, bool bPage);
    // A plain line of nWidth pixels (on the shown image nWidth times the line zoom), with the
    // mask raster operation when bMask; on the page too when bPage.
    void DrawLine(POINT ptFrom, POINT ptTo, int nWidth, COLORREF cr, bool bMask, bool bPage);
    // Copies the rectangle of the shown image that changed since the last call to the window.
    void Present();

private:
    void DrawLineOn(HDC hdc, POINT ptFrom, POINT ptTo, int nWidth, COLORREF cr, bool bMask) const;
    // Adds a rectangle of the shown image's pixels to what Present copies.
    void AddChanged(const RECT& rc);

    HDC m_hdcPage = nullptr;
    POINT m_ptScroll{};
    float m_fZoom = 1.0f;
    HDC m_hdcShown = nullptr;
    HWND m_hwndShown = nullptr;
    POINT m_ptShownOrigin{};
    float m_fShownScale = 1.0f;
    float m_fLineZoom = 1.0f;
    RECT m_rcChanged{};
};
