#include "ScrollView.h"

#include <windowsx.h>

#include <algorithm>

void CScrollView::SetScrollSizes(int /*nMapMode*/, SIZE sizeTotal, SIZE sizePage, SIZE sizeLine) {
    m_sizeTotal = {std::max(0L, sizeTotal.cx), std::max(0L, sizeTotal.cy)};
    m_sizePage = sizePage;
    if (m_sizePage.cx <= 0)
        m_sizePage.cx = m_sizeTotal.cx / 10;
    if (m_sizePage.cy <= 0)
        m_sizePage.cy = m_sizeTotal.cy / 10;
    m_sizeLine = sizeLine;
    if (m_sizeLine.cx <= 0)
        m_sizeLine.cx = std::max(1L, m_sizePage.cx / 10);
    if (m_sizeLine.cy <= 0)
        m_sizeLine.cy = std::max(1L, m_sizePage.cy / 10);
    if (m_hWnd) {
        UpdateBars();
        InvalidateRect(m_hWnd, nullptr, FALSE);
    }
}

POINT CScrollView::Limit(POINT pt) const {
    RECT rc{};
    if (m_hWnd)
        GetClientRect(m_hWnd, &rc);
    LONG nMaxX = std::max(0L, m_sizeTotal.cx - rc.right);
    LONG nMaxY = std::max(0L, m_sizeTotal.cy - rc.bottom);
    return {std::clamp(pt.x, 0L, nMaxX), std::clamp(pt.y, 0L, nMaxY)};
}

void CScrollView::ScrollToPosition(POINT pt) {
    POINT ptNew = Limit(pt);
    int dx = m_ptScroll.x - ptNew.x;
    int dy = m_ptScroll.y - ptNew.y;
    m_ptScroll = ptNew;
    if (!m_hWnd)
        return;
    if (dx != 0 || dy != 0)
        ScrollWindowEx(m_hWnd, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    UpdateBars();
}

void CScrollView::UpdateBars() {
    if (m_bInsideUpdate || !m_hWnd)
        return;
    m_bInsideUpdate = true;
    // Showing or hiding one bar changes the client area; two passes settle both bars.
    for (int nPass = 0; nPass < 2; ++nPass) {
        RECT rc{};
        GetClientRect(m_hWnd, &rc);
        POINT pt = Limit(m_ptScroll);
        if (pt.x != m_ptScroll.x || pt.y != m_ptScroll.y) {
            m_ptScroll = pt;
            InvalidateRect(m_hWnd, nullptr, FALSE);
        }
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        si.nMax = std::max(0L, m_sizeTotal.cx - 1);
        si.nPage = static_cast<UINT>(rc.right);
        si.nPos = m_ptScroll.x;
        SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
        si.nMax = std::max(0L, m_sizeTotal.cy - 1);
        si.nPage = static_cast<UINT>(rc.bottom);
        si.nPos = m_ptScroll.y;
        SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    }
    m_bInsideUpdate = false;
}

void CScrollView::OnScroll(int nBar, UINT nCode) {
    bool bHorz = nBar == SB_HORZ;
    LONG nPos = bHorz ? m_ptScroll.x : m_ptScroll.y;
    LONG nPage = bHorz ? m_sizePage.cx : m_sizePage.cy;
    LONG nLine = bHorz ? m_sizeLine.cx : m_sizeLine.cy;
    switch (nCode) {
    case SB_TOP:
        nPos = 0;
        break;
    case SB_BOTTOM:
        nPos = bHorz ? m_sizeTotal.cx : m_sizeTotal.cy;
        break;
    case SB_LINEUP:
        nPos -= nLine;
        break;
    case SB_LINEDOWN:
        nPos += nLine;
        break;
    case SB_PAGEUP:
        nPos -= nPage;
        break;
    case SB_PAGEDOWN:
        nPos += nPage;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{sizeof(si), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(m_hWnd, nBar, &si);
        nPos = si.nTrackPos;
        break;
    }
    default:
        return;
    }
    POINT pt = m_ptScroll;
    (bHorz ? pt.x : pt.y) = nPos;
    ScrollToPosition(pt);
}

void CScrollView::OnMouseWheel(int nDelta) {
    POINT pt = m_ptScroll;
    pt.y -= MulDiv(nDelta, 3 * m_sizeLine.cy, WHEEL_DELTA);
    ScrollToPosition(pt);
}

void CScrollView::OnPrepareDC(HDC hdc) {
    SetMapMode(hdc, MM_TEXT);
    SetViewportOrgEx(hdc, -m_ptScroll.x, -m_ptScroll.y, nullptr);
}

LRESULT CScrollView::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_HSCROLL:
        OnScroll(SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_SIZE:
        UpdateBars();
        return 0;
    default:
        return CView::WindowProc(uMsg, wParam, lParam);
    }
}
