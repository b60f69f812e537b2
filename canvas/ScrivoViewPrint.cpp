// Printing the note: in letter mode the page bitmap in bands of twice the page width, one band per
// printed page; in desktop mode the frozen screen with the ink, once, below a top margin. Each is
// scaled by one factor, as large as fits into the printable area, and centred across the sheet,
// so that writing keeps its shape on paper. The preview shows the same pages with the bars hidden.
#include "ScrivoView.h"

#include <algorithm>

#include "FrameWnd.h"
#include "PrintInfo.h"
#include "ScrivoFrame.h"

namespace {

// Device units between the printable area's top and the printed desktop.
constexpr int kDesktopTop = 200;

// Bands are counted from the bottom of the bottom-up page bitmap, as the page count is rounded
// up: when the page height is not a multiple of the band height, the first band reaches above
// the page's top edge. That part has no rows of the page: it stays blank on paper, and only the
// rows the bitmap holds are read.
struct CBand {
    LONG nFirstRow; // first row of the band counted from the bottom row of the page
    LONG nRows;     // rows of the band that lie on the page (from the band's bottom)
};

CBand BandOfPage(LONG nPageHeight, LONG nBand, UINT nMaxPage, UINT nPage) {
    CBand band{static_cast<LONG>(nMaxPage - nPage) * nBand, 0};
    band.nRows = std::min(nBand, nPageHeight - band.nFirstRow);
    return band;
}

// The place on the printer's page for a picture of sizeSource pixels: the largest of its
// proportions (device pixels need not be square) that fits into rcArea, at the area's top and
// centred across the sheet, which the printable area need not be.
RECT FitOnSheet(HDC hdcPrinter, SIZE sizeSource, const RECT& rcArea) {
    const int nSheet = GetDeviceCaps(hdcPrinter, PHYSICALWIDTH);
    const int xMiddle = nSheet > 0 ? nSheet / 2 - GetDeviceCaps(hdcPrinter, PHYSICALOFFSETX)
                                   : (rcArea.left + rcArea.right) / 2;
    const int nDpiX = std::max(1, GetDeviceCaps(hdcPrinter, LOGPIXELSX));
    const int nDpiY = std::max(1, GetDeviceCaps(hdcPrinter, LOGPIXELSY));
    // The source in device units, were each of its pixels an inch square; scaled by inches a pixel.
    const double fAcross = std::max<LONG>(sizeSource.cx, 1) * double(nDpiX);
    const double fDown = std::max<LONG>(sizeSource.cy, 1) * double(nDpiY);
    const LONG nHalf = std::max<LONG>(0, std::min(xMiddle - rcArea.left, rcArea.right - xMiddle));
    const double fScale = std::min(2 * nHalf / fAcross, (rcArea.bottom - rcArea.top) / fDown);
    const int cx = static_cast<int>(fScale * fAcross), cy = static_cast<int>(fScale * fDown);
    return {xMiddle - cx / 2, rcArea.top, xMiddle - cx / 2 + cx, rcArea.top + cy};
}

// Stretches nRows rows of a DIB section, from row nFirstRow counted from its bottom, onto rcTo.
void StretchRows(HDC hdc, HBITMAP hbm, const RECT& rcTo, LONG nFirstRow, LONG nRows,
                 bool bPreview) {
    DIBSECTION ds{};
    if (!hbm || GetObjectW(hbm, sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits || nRows <= 0)
        return;
    BITMAPINFO bmi{};
    bmi.bmiHeader = ds.dsBmih;
    bmi.bmiHeader.biHeight = ds.dsBm.bmHeight; // bottom-up: source rows count from the bottom
    GdiFlush();
    const int nOldMode = bPreview ? SetStretchBltMode(hdc, COLORONCOLOR) : 0;
    StretchDIBits(hdc, rcTo.left, rcTo.top, rcTo.right - rcTo.left, rcTo.bottom - rcTo.top, 0,
                  nFirstRow, ds.dsBm.bmWidth, nRows, ds.dsBm.bmBits, &bmi, DIB_RGB_COLORS, SRCCOPY);
    if (bPreview)
        SetStretchBltMode(hdc, nOldMode);
}

} // namespace

UINT CScrivoView::PrintPageCount() const {
    const LONG w = m_rcPage.right - m_rcPage.left, h = m_rcPage.bottom - m_rcPage.top;
    const LONG b = 2 * w;
    return b > 0 && h > 0 ? static_cast<UINT>((h + b - 1) / b) : 1;
}

void CScrivoView::OnFilePrintCommand(bool bDirect) {
    // Desktop mode: the pen rests and the overlay keeps out of the dialogs' way meanwhile.
    PauseForDialog(true);
    OnFilePrint(bDirect);
    PauseForDialog(false);
}

void CScrivoView::OnFilePrintPreviewCommand() {
    const bool bDesktop = GetFrameMode() == kModeDesktop;
    if (bDesktop)
        CloseTabletContext();
    OnFilePrintPreview();
    InvalidateRect(m_hWnd, nullptr, TRUE);
    // The end of the preview opens the context again; without a preview nothing else would.
    if (bDesktop && !GetPreview())
        OpenViewContext();
}

bool CScrivoView::OnPreparePrinting(CPrintInfo& info) {
    info.SetMaxPage(GetFrameMode() == kModeDesktop ? 1 : PrintPageCount());
    return DoPreparePrinting(info);
}

void CScrivoView::OnBeginPrinting(HDC /*hdc*/, CPrintInfo& info) {
    // A selected picture's sizing handles are drawn into the page bitmap for the screen; paper
    // and preview show the note as its picture export does, without them.
    DropPictureSelection();
    IScrivoFrame* pFrame = GetScrivoFrame();
    if (info.m_bPreview && pFrame)
        pFrame->ShowControlBars(false);
    const CImageDC& screen = m_run.FrozenScreen();
    if (GetFrameMode() != kModeDesktop || !screen)
        return;
    // The snapshot of the frozen screen gets the ink once: drawn again for every page (or every
    // paint of the preview), the soft edges of the strokes would darken.
    const SIZE size = screen.Size();
    if (m_dcPrintScreen.Create(size.cx, size.cy)) {
        BitBlt(m_dcPrintScreen.Get(), 0, 0, size.cx, size.cy, screen.Get(), 0, 0, SRCCOPY);
        if (CLines* pLines = Strokes())
            pLines->DrawInRect(m_dcPrintScreen.Get(), {0, 0, size.cx, size.cy});
    }
    if (info.m_bPreview && GetParentFrame())
        ShowWindow(GetParentFrame()->m_hWnd, SW_SHOWMAXIMIZED);
}

void CScrivoView::OnEndPrinting(HDC /*hdc*/, CPrintInfo& info) {
    if (!info.m_bPreview) {
        m_dcPrintScreen.Reset();
        return;
    }
    if (IScrivoFrame* pFrame = GetScrivoFrame())
        pFrame->ShowControlBars(true);
}

void CScrivoView::OnEndPrintPreview(HDC hdc, CPrintInfo& info) {
    if (GetFrameMode() == kModeDesktop) {
        m_dcPrintScreen.Reset();
        if (GetParentFrame())
            ShowWindow(GetParentFrame()->m_hWnd, SW_SHOWNORMAL);
        // The overlay's ink image holds the ink already: drawn into it again, a brush stroke
        // would blend over itself and darken.
        if (CCaptureWindow* pOverlay = m_run.GetOverlay(); pOverlay && pOverlay->m_hWnd)
            InvalidateRect(pOverlay->m_hWnd, nullptr, FALSE);
        OpenViewContext();
    }
    CScrollView::OnEndPrintPreview(hdc, info);
}

void CScrivoView::OnPrint(HDC hdc, CPrintInfo& info) {
    if (m_dcPrintScreen) {
        RECT rcArea = info.m_rectDraw;
        rcArea.top += kDesktopTop;
        const SIZE size = m_dcPrintScreen.Size();
        StretchRows(hdc, m_dcPrintScreen.Bitmap(), FitOnSheet(info.m_hdcPrinter, size, rcArea), 0,
                    size.cy, info.m_bPreview);
        return;
    }
    BITMAP bm{};
    if (!m_bmPage || !GetObjectW(m_bmPage.Get(), sizeof(bm), &bm))
        return;
    const LONG nBand = 2 * bm.bmWidth;
    const CBand band = BandOfPage(bm.bmHeight, nBand, info.GetMaxPage(), info.m_nCurPage);
    const RECT rcBand = FitOnSheet(info.m_hdcPrinter, {bm.bmWidth, nBand}, info.m_rectDraw);
    // The band's missing rows are its top part; the rows on the page fill the rest below them.
    const RECT rcTo{rcBand.left,
                    rcBand.top + MulDiv(nBand - band.nRows, rcBand.bottom - rcBand.top, nBand),
                    rcBand.right, rcBand.bottom};
    StretchRows(hdc, m_bmPage.Get(), rcTo, band.nFirstRow, band.nRows, info.m_bPreview);
}
