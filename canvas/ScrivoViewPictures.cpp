// The picture commands of the canvas: Insert Image from file, Copy of the selected picture to the
// clipboard as a bitmap and Paste of a clipboard bitmap as a new picture, the picture tool's mouse
// handling with its sizing cursors and drag outline, and the picture menu.
#include "ScrivoView.h"

#include <windowsx.h>

#include "DialogPause.h"
#include "FileDialog.h"
#include "FrameWnd.h"
#include "FrameworkIds.h"
#include "Message.h"
#include "Resources.h"
#include "resource.h"

namespace {

// Opens the clipboard for a window and closes it again.
class CClipboardScope {
public:
    explicit CClipboardScope(HWND hwnd) : m_bOpen(OpenClipboard(hwnd) != FALSE) {}
    CClipboardScope(const CClipboardScope&) = delete;
    CClipboardScope& operator=(const CClipboardScope&) = delete;
    ~CClipboardScope() {
        if (m_bOpen)
            CloseClipboard();
    }
    bool IsOpen() const { return m_bOpen; }

private:
    bool m_bOpen;
};

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

void CScrivoView::OnEditCopy() {
    // The selected picture as it lies on the page, strokes over it included. It is taken from the
    // page bitmap at page coordinates, so that neither scrolling nor zoom moves what is copied.
    // With nothing selected there is nothing to copy, and the clipboard keeps what it holds.
    RECT rc{0, 0, 0, 0};
    if (CScrivoDoc* pDoc = GetDocument()) {
        const RECT rcSel = pDoc->m_pictures.GetSelRect();
        IntersectRect(&rc, &m_rcPage, &rcSel);
    }
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0)
        return;
    CWindowDC dcView(m_hWnd);
    HBITMAP hbm = CreateCompatibleBitmap(dcView.Get(), cx, cy);
    if (!hbm)
        return;
    {
        CMemoryDC dc(dcView.Get());
        CSelectScope select(dc.Get(), hbm);
        BitBlt(dc.Get(), 0, 0, cx, cy, m_dcPage.Get(), rc.left, rc.top, SRCCOPY);
    }
    CClipboardScope clipboard(m_hWnd);
    // From SetClipboardData on the bitmap belongs to the clipboard.
    if (!clipboard.IsOpen() || !EmptyClipboard() || !SetClipboardData(CF_BITMAP, hbm))
        DeleteObject(hbm);
}

void CScrivoView::OnEditPaste() {
    CClipboardScope clipboard(m_hWnd);
    if (!clipboard.IsOpen())
        return;
    auto hbmClip = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP bm{};
    if (!hbmClip || !GetObjectW(hbmClip, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return;
    if (static_cast<long long>(bm.bmWidth) * bm.bmHeight > CPicture::kMaxPixels) {
        CDialogPause pause(this);
        ShowMessage(m_hWnd, CPicture::TooLargeText(), LoadResString(IDS_APP_TITLE),
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The clipboard keeps its own bitmap: the picture gets a copy.
    CWindowDC dcView(m_hWnd);
    COwnedBitmap copy(CreateCompatibleBitmap(dcView.Get(), bm.bmWidth, bm.bmHeight));
    if (!copy)
        return;
    {
        CMemoryDC dcFrom(dcView.Get()), dcTo(dcView.Get());
        CSelectScope selFrom(dcFrom.Get(), hbmClip);
        CSelectScope selTo(dcTo.Get(), copy.Get());
        BitBlt(dcTo.Get(), 0, 0, bm.bmWidth, bm.bmHeight, dcFrom.Get(), 0, 0, SRCCOPY);
    }
    auto pPicture = std::make_unique<CPicture>();
    pPicture->SetImage(copy.Detach(), bm.bmWidth, bm.bmHeight);
    PlaceNewPicture(std::move(pPicture));
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
