// The canvas and the clipboard: Copy puts the selected picture there as a bitmap, Paste places a
// clipboard bitmap on the page as a new picture, and the delayed formats that the Office bridge
// announces with this window as their owner are rendered by the bridge when asked for.
#include "ScrivoView.h"

#include "DialogPause.h"
#include "FrameworkIds.h"
#include "Message.h"
#include "Resources.h"

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

} // namespace

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

void CScrivoView::OnRenderFormat(UINT uFormat) {
    m_run.Bridge().RenderFormat(m_hWnd, uFormat);
    m_run.Bridge().RenderFormatHtmlTimeOut(m_hWnd);
}

void CScrivoView::OnRenderAllFormats() {
    m_run.Bridge().RenderFormat(m_hWnd, 0);
}
