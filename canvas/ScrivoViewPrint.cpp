// Printing the note: the page bitmap in bands of twice the page width, one band per printed page,
// each stretched over the printable area; the preview shows the same pages with the bars hidden.
#include "ScrivoView.h"

#include "PrintInfo.h"
#include "ScrivoFrame.h"

namespace {

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

} // namespace

UINT CScrivoView::PrintPageCount() const {
    const LONG w = m_rcPage.right - m_rcPage.left, h = m_rcPage.bottom - m_rcPage.top;
    const LONG b = 2 * w;
    return b > 0 && h > 0 ? static_cast<UINT>((h + b - 1) / b) : 1;
}

bool CScrivoView::OnPreparePrinting(CPrintInfo& info) {
    info.SetMaxPage(PrintPageCount());
    return DoPreparePrinting(info);
}

void CScrivoView::OnBeginPrinting(HDC /*hdc*/, CPrintInfo& info) {
    if (info.m_bPreview)
        if (IScrivoFrame* pFrame = GetScrivoFrame())
            pFrame->ShowControlBars(false);
}

void CScrivoView::OnEndPrinting(HDC /*hdc*/, CPrintInfo& info) {
    if (info.m_bPreview)
        if (IScrivoFrame* pFrame = GetScrivoFrame())
            pFrame->ShowControlBars(true);
}

void CScrivoView::OnPrint(HDC hdc, CPrintInfo& info) {
    DIBSECTION ds{};
    if (!m_bmPage || GetObjectW(m_bmPage.Get(), sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits)
        return;
    const LONG w = ds.dsBm.bmWidth, h = ds.dsBm.bmHeight;
    const CBand band = BandOfPage(h, 2 * w, info.GetMaxPage(), info.m_nCurPage);
    if (band.nRows <= 0)
        return;
    const RECT& rcDraw = info.m_rectDraw;
    const int cx = rcDraw.right - rcDraw.left, cy = rcDraw.bottom - rcDraw.top;
    // The band's missing rows are its top part; the rows on the page fill the rest below them.
    const int yTop = rcDraw.top + MulDiv(2 * w - band.nRows, cy, 2 * w);
    BITMAPINFO bmi{};
    bmi.bmiHeader = ds.dsBmih;
    bmi.bmiHeader.biHeight = h; // bottom-up: source rows are counted from the bottom
    GdiFlush();
    const int nOldMode = info.m_bPreview ? SetStretchBltMode(hdc, COLORONCOLOR) : 0;
    StretchDIBits(hdc, rcDraw.left, yTop, cx, rcDraw.bottom - yTop, 0, band.nFirstRow, w,
                  band.nRows, ds.dsBm.bmBits, &bmi, DIB_RGB_COLORS, SRCCOPY);
    if (info.m_bPreview)
        SetStretchBltMode(hdc, nOldMode);
}
