// Zoom, scroll sizes, page size and the paper commands of the canvas.
#include "ScrivoView.h"

#include <commdlg.h>

#include <algorithm>

#include "Message.h"
#include "PageRules.h"
#include "Resources.h"
#include "ScrivoFrame.h"
#include "resource.h"

void CScrivoView::SetZoomScroll(float fZoom) {
    const LONG w = m_rcPage.right - m_rcPage.left;
    const LONG h = m_rcPage.bottom - m_rcPage.top;
    SIZE size;
    if (fZoom >= 1.0f) {
        size = {static_cast<LONG>(fZoom * w) - 30, static_cast<LONG>(fZoom * h) - 30};
    } else {
        ScrollToPosition({0, 0});
        size = {w / 2 - 30, h / 2 - 30};
    }
    SetScrollSizes(MM_TEXT, size);
}

void CScrivoView::OnZoomIn() {
    if (m_fZoom >= 4.0f)
        return;
    m_fZoom *= 2;
    SetZoomScroll(m_fZoom);
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CScrivoView::OnZoomOut() {
    if (m_fZoom <= 0.5f)
        return;
    m_fZoom /= 2;
    SetZoomScroll(m_fZoom);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CScrivoView::OnAddLine() {
    if (page::CanAddLine(m_rcPage)) {
        // The longer page is made first, so that a page the system cannot hold leaves the
        // current one in place.
        const RECT rcLonger = page::WithAddedLines(m_rcPage);
        COwnedBitmap bitmap(CreatePageBitmap(rcLonger));
        if (!bitmap) {
            ShowMessage(m_hWnd, LoadResString(IDS_NO_MORE_LINES), LoadResString(IDS_INFORMATION),
                        MB_OK);
            return;
        }
        m_rcPage = rcLonger;
        SelectPageBitmap(std::move(bitmap));
        SetZoomScroll(m_fZoom);
        PaintPage(true);
        POINT pt = GetScrollPosition();
        ScrollToPosition({pt.x, pt.y + 2 * GetScreenSize().cx / 3});
        return;
    }
    ShowMessage(m_hWnd, LoadResString(IDS_NO_MORE_LINES), LoadResString(IDS_INFORMATION), MB_OK);
    if (IScrivoFrame* pFrame = GetScrivoFrame())
        pFrame->ShowPanelControl(ID_ADD_LINE, false);
}

void CScrivoView::LineHeightUp() {
    if (m_nLineHeight <= m_rcPage.bottom - m_rcPage.top)
        m_nLineHeight += 10;
    PaintPage(false);
}

void CScrivoView::LineHeightDown() {
    if (m_nLineHeight >= 50)
        m_nLineHeight -= 10;
    PaintPage(false);
}

void CScrivoView::OnScriptLineColor() {
    static COLORREF crCustom[16] = {};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = GetParent(m_hWnd);
    cc.rgbResult = m_crLine;
    cc.lpCustColors = crCustom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&cc))
        return;
    m_crLine = cc.rgbResult;
    PaintPage(true);
}

void CScrivoView::ClearPage() {
    // A cancelled capture dialog is forgotten; a selection in progress ends by itself or by Esc.
    if (m_nCaptureState == kCaptureDialog)
        m_nCaptureState = kCaptureIdle;
    m_bMouseDown = false;
    m_bDrawing = false;
    m_bClearRedo = false;
    m_bHasInk = false;
    if (IScrivoFrame* pFrame = GetScrivoFrame())
        pFrame->EnablePanelControl(IDC_LINE_SPACING, true);
    // A new note is as wide as the screen again, whatever page a file had brought.
    m_rcPage = page::ClearedPage(GetScreenSize());
    RebuildPageBitmap();
    m_run.ClearDesktopInk();
}

POINT CScrivoView::ClientToPage(POINT ptClient) const {
    POINT pt = GetScrollPosition();
    return {static_cast<LONG>((ptClient.x + pt.x) / m_fZoom),
            static_cast<LONG>((ptClient.y + pt.y) / m_fZoom)};
}
