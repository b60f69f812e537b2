// CScrollView: a view larger than its window. It keeps the total size in device pixels and the
// scroll position, drives the scroll bars, and moves the device context's origin so that OnDraw
// works in the coordinates of the whole scrolled area.
#pragma once
#include "View.h"

class CScrollView : public CView {
public:
    // Total size in pixels (MM_TEXT only); page and line steps of zero mean a tenth of the total
    // and a tenth of the page.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, SIZE sizePage = {0, 0},
                        SIZE sizeLine = {0, 0});
    SIZE GetTotalSize() const { return m_sizeTotal; }
    SIZE GetPageStep() const { return m_sizePage; }
    SIZE GetLineStep() const { return m_sizeLine; }
    POINT GetScrollPosition() const { return m_ptScroll; }
    // Scrolls so that pt is the top-left visible point (limited to what can be reached).
    void ScrollToPosition(POINT pt);

    void OnPrepareDC(HDC hdc) override;

protected:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void UpdateBars();
    void OnScroll(int nBar, UINT nCode);
    void OnMouseWheel(int nDelta);

private:
    POINT Limit(POINT pt) const;
    SIZE m_sizeTotal = {0, 0};
    SIZE m_sizePage = {0, 0};
    SIZE m_sizeLine = {0, 0};
    POINT m_ptScroll = {0, 0};
    bool m_bInsideUpdate = false;
};
