// The picture commands of the canvas: Insert Image from file, the picture tool's mouse handling
// with its sizing cursors and drag outline, and the picture menu.
#include "ScrivoView.h"

#include <windowsx.h>

#include "FileDialog.h"
#include "FrameWnd.h"
#include "resource.h"

namespace {

// The cursor over tracker part nHit: the sizing arrows of its direction, else the arrow.
LPCWSTR CursorForHit(int nHit) {
    switch (nHit) {
    case CPictureTracker::hitTopLeft:
    case CPictureTracker::hitBottomRight:
        return IDC_SIZENWSE;
    case CPictureTracker::hitTopRight:
    case CPictureTracker::hitBottomLeft:
        return IDC_SIZENESW;
    case CPictureTracker::hitTop:
    case CPictureTracker::hitBottom:
        return IDC_SIZENS;
    case CPictureTracker::hitRight:
    case CPictureTracker::hitLeft:
        return IDC_SIZEWE;
    default:
        return IDC_ARROW;
    }
}

} // namespace

void CScrivoView::OnInsertImage() {
    CFileDialog dlg(true, nullptr, nullptr,
                    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                    L"JPG File (*.jpg)|*.jpg|BMP File (*.bmp)|*.bmp||",
                    GetParentFrame() ? GetParentFrame()->m_hWnd : m_hWnd);
    if (dlg.DoModal() != IDOK)
        return;
    InsertPictureFile(dlg.GetPathName());
}

bool CScrivoView::InsertPictureFile(const std::wstring& strPath) {
    auto pPicture = std::make_unique<CPicture>();
    // A file that cannot be read has been reported by the picture and changes nothing.
    if (!pPicture->Load(strPath))
        return false;
    PlaceNewPicture(std::move(pPicture));
    return true;
}

void CScrivoView::PlaceNewPicture(std::unique_ptr<CPicture> pPicture) {
    CScrivoDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    // A picture is ink as far as the page is concerned, and a change the user must not lose.
    m_bHasInk = true;
    OnInkWritten();
    pDoc->SetModifiedFlag(true);
    CPicture* p = pPicture.get();
    m_pNewPicture = p;
    pDoc->m_pictures.Add(std::move(pPicture));
    // Pictures lie under the strokes: the strokes over the new one are drawn again.
    const RECT rc = p->Draw(m_dcPage.Get());
    pDoc->m_lines.DrawInRect(m_dcPage.Get(), rc);
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

bool CScrivoView::OnPictureCommand(UINT nID) {
    CScrivoDoc* pDoc = GetDocument();
    if (!pDoc)
        return false;
    CPictures& pictures = pDoc->m_pictures;
    RECT rc{};
    switch (nID) {
    case ID_PICTURE_DELETE:
        rc = pictures.Delete();
        break;
    case ID_PICTURE_TO_FRONT:
        rc = pictures.MoveToFront();
        break;
    case ID_PICTURE_TO_BACK:
        rc = pictures.MoveToBack();
        break;
    case ID_PICTURE_FORWARD:
        rc = pictures.MoveForward();
        break;
    case ID_PICTURE_BACKWARD:
        rc = pictures.MoveBack();
        break;
    default:
        return false;
    }
    if (!IsRectEmpty(&rc)) {
        // Rearranged or removed pictures are a change of the note like any other.
        pDoc->SetModifiedFlag(true);
        RepaintPageRect(rc);
    }
    return true;
}

void CScrivoView::RepaintPageRect(const RECT& rc) {
    RepaintPageRegion(rc);
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CScrivoView::ShowDragOutline(const RECT& rc) {
    // The outline is drawn by OnDraw over the page; here only the areas that change are redrawn.
    if (m_bDragOutline)
        InvalidateOutline(m_rcDragOutline);
    m_rcDragOutline = rc;
    m_bDragOutline = true;
    InvalidateOutline(rc);
}

void CScrivoView::EndDragOutline() {
    if (!m_bDragOutline)
        return;
    m_bDragOutline = false;
    InvalidateOutline(m_rcDragOutline);
}

RECT CScrivoView::PageToClient(RECT rc) const {
    rc = CPictureTracker::Normalize(rc);
    const POINT pt = GetScrollPosition();
    return {static_cast<LONG>(rc.left * m_fZoom) - pt.x, static_cast<LONG>(rc.top * m_fZoom) - pt.y,
            static_cast<LONG>(rc.right * m_fZoom) - pt.x,
            static_cast<LONG>(rc.bottom * m_fZoom) - pt.y};
}

void CScrivoView::InvalidateOutline(const RECT& rcPage) {
    RECT rc = PageToClient(rcPage);
    InflateRect(&rc, 2, 2);
    InvalidateRect(m_hWnd, &rc, FALSE);
}

void CScrivoView::DrawDragOutline(HDC hdc) const {
    if (!m_bDragOutline)
        return;
    // OnDraw works in scrolled coordinates: the outline moves by the scroll position again.
    RECT rc = PageToClient(m_rcDragOutline);
    const POINT pt = GetScrollPosition();
    OffsetRect(&rc, pt.x, pt.y);
    CPictureTracker::DrawDragOutline(hdc, rc);
}

void CScrivoView::ShowPictureMenu(HMENU hPopup) {
    POINT pt{};
    GetCursorPos(&pt);
    const UINT nCmd = static_cast<UINT>(TrackPopupMenu(
        hPopup, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, pt.x, pt.y, 0, m_hWnd, nullptr));
    if (nCmd != 0)
        OnPictureCommand(nCmd);
}

void CScrivoView::DropPictureSelection() {
    CScrivoDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    const RECT rc = pDoc->m_pictures.Deselect();
    if (!IsRectEmpty(&rc))
        RepaintPageRect(rc);
}

bool CScrivoView::OnPictureMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    CScrivoDoc* pDoc = GetDocument();
    if (!pDoc)
        return false;
    CPictures& pictures = pDoc->m_pictures;
    const POINT pt = ClientToPage({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    const bool bTool = m_nTool == kToolPicture;
    switch (uMsg) {
    case WM_LBUTTONDOWN:
        if (bTool && pictures.SelectAt(*this, pt.x, pt.y))
            InvalidateRect(m_hWnd, nullptr, FALSE);
        return false;
    case WM_MOUSEMOVE:
        if (bTool) {
            const bool bLeftAlone = (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == MK_LBUTTON;
            m_nPictureHit = pictures.Track(*this, bLeftAlone, pt.x, pt.y);
            SetCursor(LoadCursorW(nullptr, CursorForHit(m_nPictureHit)));
        }
        return false;
    case WM_LBUTTONUP:
        if (bTool) {
            EndDragOutline();
            if (pictures.EndTrack(*this, pt.x, pt.y))
                pDoc->SetModifiedFlag(true);
        }
        return false;
    case WM_RBUTTONDOWN:
        pictures.ShowMenu(*this, pt.x, pt.y);
        lResult = 0;
        return true;
    case WM_SETCURSOR:
        if (!bTool || LOWORD(lParam) != HTCLIENT)
            return false;
        SetCursor(LoadCursorW(nullptr, CursorForHit(m_nPictureHit)));
        lResult = TRUE;
        return true;
    default:
        return false;
    }
}
