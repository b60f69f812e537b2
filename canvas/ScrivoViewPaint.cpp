// The page bitmap: building it, painting the ruled paper and the note into it, and showing it.
#include "ScrivoView.h"

#include <algorithm>

#include "ScrivoFrame.h"
#include "WaitCursor.h"

HBITMAP CScrivoView::CreatePageBitmap(const RECT& rcPage) const {
    return CreateImageBitmap(rcPage.right - rcPage.left, rcPage.bottom - rcPage.top);
}

void CScrivoView::SelectPageBitmap(COwnedBitmap bitmap) {
    HGDIOBJ hPrevious = SelectObject(m_dcPage.Get(), bitmap.Get());
    if (!m_hOldPageBitmap)
        m_hOldPageBitmap = hPrevious;
    m_bmPage = std::move(bitmap);
}

void CScrivoView::RebuildPageBitmap() {
    if (m_hOldPageBitmap) {
        SelectObject(m_dcPage.Get(), m_hOldPageBitmap);
        m_hOldPageBitmap = nullptr;
    }
    m_bmPage.Reset();
    SetZoomScroll(m_fZoom);
    SelectPageBitmap(COwnedBitmap(CreatePageBitmap(m_rcPage)));
}

void CScrivoView::PaintPaper(HDC hdc, const RECT& rc) const {
    COwnedBrush brush(CreateSolidBrush(m_crBack));
    FillRect(hdc, &rc, brush.Get());
    COwnedPen pen(CreatePen(PS_SOLID, 2, m_crLine));
    CSelectScope select(hdc, pen.Get());
    for (int y = m_nLineHeight; y < rc.bottom; y += m_nLineHeight) {
        MoveToEx(hdc, 0, y, nullptr);
        LineTo(hdc, rc.right, y);
    }
}

void CScrivoView::DrawContent(HDC hdc) {
    if (CScrivoDoc* pDoc = GetDocument()) {
        pDoc->m_pictures.DrawAll(hdc);
        pDoc->m_lines.DrawAll(hdc);
    }
}

void CScrivoView::DrawContentInRect(HDC hdc, const RECT& rc) {
    if (CScrivoDoc* pDoc = GetDocument()) {
        pDoc->m_pictures.DrawInRect(hdc, rc);
        pDoc->m_lines.DrawInRect(hdc, rc);
    }
}

void CScrivoView::PaintPage(bool bContent) {
    CWaitCursor wait;
    if (!m_bmPage)
        return;
    PaintPaper(m_dcPage.Get(), m_rcPage);
    if (bContent)
        DrawContent(m_dcPage.Get());
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, FALSE);
}

bool CScrivoView::RepaintPageRegion(RECT rc) {
    CWaitCursor wait;
    HDC hdc = m_dcPage.Get();
    InflateRect(&rc, 5, 5);
    COwnedBrush brush(CreateSolidBrush(m_crBack));
    FillRect(hdc, &rc, brush.Get());
    COwnedPen pen(CreatePen(PS_SOLID, 2, m_crLine));
    {
        CSelectScope select(hdc, pen.Get());
        int y = (std::max(0L, rc.top) / m_nLineHeight + 1) * m_nLineHeight;
        for (; y < rc.bottom; y += m_nLineHeight) {
            MoveToEx(hdc, rc.left, y, nullptr);
            SetPixel(hdc, rc.left, y - 1, m_crLine);
            LineTo(hdc, rc.right - 1, y);
        }
    }
    DrawContentInRect(hdc, rc);
    return true;
}

void CScrivoView::OnDraw(HDC hdc) {
    RECT rcClient{};
    GetClientRect(m_hWnd, &rcClient);
    POINT pt = GetScrollPosition();
    int nOldMode = SetStretchBltMode(hdc, COLORONCOLOR);
    const float z = m_fZoom;
    const LONG cw = rcClient.right, ch = rcClient.bottom;
    const LONG nPageW = m_rcPage.right - m_rcPage.left, nPageH = m_rcPage.bottom - m_rcPage.top;
    IScrivoFrame* pFrame = GetScrivoFrame();
    bool bFillRight = true;
    LONG nShownW = 0, nShownH = 0;
    if (z >= 1.0f) {
        StretchBlt(hdc, pt.x, pt.y, cw, ch, m_dcPage.Get(), static_cast<int>(pt.x / z),
                   static_cast<int>(pt.y / z), static_cast<int>(cw / z), static_cast<int>(ch / z),
                   SRCCOPY);
        nShownW = static_cast<LONG>(nPageW * z);
        nShownH = static_cast<LONG>(nPageH * z);
        bFillRight = !(pFrame && pFrame->IsInkingProcess());
    } else {
        nShownW = static_cast<LONG>(nPageW * z);
        nShownH = static_cast<LONG>(nPageH * z);
        StretchBlt(hdc, 0, 0, nShownW, nShownH, m_dcPage.Get(), 0, 0, nPageW, nPageH, SRCCOPY);
    }
    HBRUSH hBlack = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    if (bFillRight && nShownW < pt.x + cw) {
        RECT rc = {std::max(nShownW, pt.x), pt.y, pt.x + cw, pt.y + ch};
        FillRect(hdc, &rc, hBlack);
    }
    // Below the end of the page nothing of the bitmap is left to show.
    if (nShownH < pt.y + ch) {
        RECT rc = {pt.x, std::max(nShownH, pt.y), pt.x + cw, pt.y + ch};
        FillRect(hdc, &rc, hBlack);
    }
    DrawDragOutline(hdc);
    SetStretchBltMode(hdc, nOldMode);
}

bool CScrivoView::RenderShownImage() {
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    if (!m_dcShown.EnsureSize(rc.right, rc.bottom))
        return false;
    HDC hdc = m_dcShown.Get();
    OnPrepareDC(hdc);
    OnDraw(hdc);
    SetViewportOrgEx(hdc, 0, 0, nullptr);
    return true;
}

HDC CScrivoView::ShownImageDC() {
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    const SIZE size = m_dcShown.Size();
    if (!m_dcShown || size.cx != rc.right || size.cy != rc.bottom) {
        if (!RenderShownImage())
            return nullptr;
    }
    return m_dcShown.Get();
}

void CScrivoView::PaintWindow() {
    CPaintScope paint(m_hWnd);
    if (!RenderShownImage()) {
        OnPrepareDC(paint.Get());
        OnDraw(paint.Get());
        return;
    }
    const RECT& rc = paint.Invalid();
    BitBlt(paint.Get(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, m_dcShown.Get(),
           rc.left, rc.top, SRCCOPY);
}
