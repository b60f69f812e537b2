// CPreviewWnd: the print preview. It lies over the frame's client area (the bars and the view stay
// underneath), shows one page at a time as the printer would print it, drawn by the view's own
// OnPrint into a bitmap scaled to the window, and offers Print, Next Page, Prev Page and Close.
#pragma once
#include <memory>

#include "GdiObjects.h"
#include "PrintInfo.h"
#include "Wnd.h"

class CFrameWnd;
class CView;

class CPreviewWnd : public CWnd {
public:
    // Button ids of the preview's strip.
    enum { kPrint = 0xE140, kNext, kPrev, kClose };

    CPreviewWnd(CView* pView, std::unique_ptr<CPrintInfo> pInfo);
    bool Create(CFrameWnd* pFrame);
    CPrintInfo& Info() const { return *m_pInfo; }
    UINT CurrentPage() const { return m_nPage; }
    void ShowPage(UINT nPage);
    // The current page as drawn for the window's present size.
    HBITMAP PageImage();

protected:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void OnCommand(UINT nID);
    // The page drawn through the view's OnPrint, scaled to fit the area below the strip, when the
    // page or the window's size changed since it was last drawn.
    void EnsureRendered();
    void RenderPage(int cx, int cy);

    CView* m_pView;
    std::unique_ptr<CPrintInfo> m_pInfo;
    UINT m_nPage = 1;
    HWND m_hwndPageText = nullptr;
    COwnedBitmap m_bmPage;
    SIZE m_sizeRendered{0, 0};
    RECT m_rcPage{0, 0, 0, 0};
};
