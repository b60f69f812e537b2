// Packets into strokes: the letter-mode rules (the sample test, the weight, leaving the canvas),
// the stroke path that every mode shares (start, continue, end on a drawing surface), and the
// end of a letter-mode stroke.
#include "PenCapture.h"

#include "GdiObjects.h"
#include "PenRules.h"

POINT CPenCapture::ClientOrigin() const {
    POINT pt{0, 0};
    ClientToScreen(TabletWindow(), &pt);
    return pt;
}

CInkSurface CPenCapture::LetterSurface(POINT ptClientOrigin) {
    return CInkSurface(PageDC(), CanvasScroll(), CanvasZoom(), ShownImageDC(), TabletWindow(),
                       ptClientOrigin);
}

// The overlay lies over the whole screen from its origin, so its client pixels are screen pixels.
CInkSurface CPenCapture::OverlaySurface(float fLineZoom) const {
    return CInkSurface(OverlayInkDC(), OverlayWindow(), POINT{0, 0}, fLineZoom);
}

// The canvas is the view's client area: ink never lands on the scroll bars.
bool CPenCapture::IsOnCanvasNow(POINT pt, POINT ptOrigin) const {
    RECT rc{};
    GetClientRect(TabletWindow(), &rc);
    OffsetRect(&rc, ptOrigin.x, ptOrigin.y);
    // The screen's width matters only below zoom 1; asking for it costs more than the rest of a
    // packet under Wine.
    const float fZoom = CanvasZoom();
    const int nScreenWidth = fZoom < 1.0f ? GetSystemMetrics(SM_CXSCREEN) : 0;
    return IsOnCanvas(m_nTool, pt, rc, PageSize().cx, nScreenWidth, fZoom);
}

void CPenCapture::ClearRedoOnce() {
    if (!m_bClearRedo)
        return;
    m_bClearRedo = false;
    if (CLines* pLines = Strokes())
        pLines->ClearRedo();
}

BOOL CPenCapture::OnLetterPacket(DWORD, DWORD nButtons, LONG x, LONG y, UINT nPressure) {
    const POINT pt{x, y};
    if (HIWORD(nButtons) == TBN_DOWN)
        m_bPenDown = true;
    else if (HIWORD(nButtons) == TBN_UP)
        m_bPenDown = false;
    // The window's place is asked for once per packet: each question is a trip to the system.
    const POINT ptOrigin = ClientOrigin();
    const bool bInside = IsOnCanvasNow(pt, ptOrigin);
    if (!bInside) {
        if (!m_bDrawing || !m_bPenDown)
            return FALSE;
        if (m_bLeftCanvas) {
            m_bLeftCanvas = false;
            return FALSE;
        }
        m_bLeftCanvas = true;
        m_bPenDown = false;
    } else {
        m_bPenDown = true;
    }
    if (!(m_bMouseDown && m_bPenDown && nPressure != 0 && bInside)) {
        if (m_bDrawing)
            EndLetterStroke(ptOrigin);
        return TRUE;
    }
    // Without a tablet library or a Windows Ink pen the pressure is the mouse pen's, already
    // normalised.
    const short nWeight =
        SampleWeight(kModeLetter, m_nTool, LevelOf(m_nTool), nPressure, m_axPressure.axMax,
                     (IsBound() || IsInkPen()) ? m_nPressureScale : 1, m_nPressureMax);
    ClearRedoOnce();
    CInkSurface surface = LetterSurface(ptOrigin);
    TakeSample(surface, pt, nWeight, false);
    return TRUE;
}

void CPenCapture::TakeSample(CInkSurface& surface, POINT pt, short nWeight, bool bPlain) {
    if (!m_bDrawing)
        StartStroke(surface, pt, nWeight, bPlain);
    else
        ContinueStroke(surface, pt, nWeight, bPlain);
}

void CPenCapture::StartStroke(CInkSurface& surface, POINT pt, short nWeight, bool bPlain) {
    m_bDrawing = true;
    // A new stroke starts with the canvas not left, so that leaving it ends this stroke too.
    m_bLeftCanvas = false;
    m_ptLast = m_ptPrev = pt;
    m_nLastWeight = nWeight;
    const bool bLines = bPlain || m_nTool == kToolMarker;
    m_pCurLine = std::make_unique<CLine>();
    m_pCurLine->SetColor(m_crPen);
    m_pCurLine->SetTool(short(m_nTool), !bLines);
    const POINT ptSample = surface.SamplePoint(pt);
    m_pCurLine->AddPoint(ptSample.x, ptSample.y, nWeight);
    // A line needs two samples; the brush renderer starts with a dot.
    if (bLines)
        return;
    surface.DrawBrush(m_smScreen, m_smPage, pt, pt, nWeight, ShownColor(), m_crPen,
                      CSMLine::kKindFirst, m_nPressureMax, m_nTool != kToolEraser);
}

void CPenCapture::ContinueStroke(CInkSurface& surface, POINT pt, short nWeight, bool bPlain) {
    if (bPlain || m_nTool == kToolMarker) {
        surface.DrawLine(m_ptLast, pt, nWeight, ShownColor(), m_nTool == kToolMarker, true);
    } else {
        if (pt.x == m_ptLast.x && pt.y == m_ptLast.y)
            return;
        // The eraser's thin line is only shown; the page never holds it.
        surface.DrawBrush(m_smScreen, m_smPage, m_ptLast, pt, nWeight, ShownColor(), m_crPen,
                          CSMLine::kKindInner, m_nPressureMax, m_nTool != kToolEraser);
    }
    const POINT ptSample = surface.SamplePoint(pt);
    m_pCurLine->AddPoint(ptSample.x, ptSample.y, nWeight);
    m_ptPrev = m_ptLast;
    m_ptLast = pt;
    m_nLastWeight = nWeight;
}

CLines* CPenCapture::FinishStroke() {
    m_bHasInk = true;
    OnInkWritten();
    m_bPenDown = false;
    m_bDrawing = false;
    std::unique_ptr<CLine> pLine = std::move(m_pCurLine);
    CLines* pLines = Strokes();
    if (!pLine || !pLines)
        return nullptr;
    pLines->Add(std::move(pLine));
    return pLines;
}

// The count tells whether strokes went: the erased area of a straight stroke may be a line.
bool CPenCapture::EraseWithNewest(CLines& lines, RECT& rcErased) {
    const int nBefore = lines.GetCount() - 1;
    rcErased = lines.EraseByLast();
    return lines.GetCount() < nBefore;
}

void CPenCapture::EndLetterStroke(POINT ptOrigin) {
    CLines* pLines = FinishStroke();
    if (!pLines)
        return;
    if (m_nTool == kToolEraser) {
        RECT rc{};
        if (EraseWithNewest(*pLines, rc)) {
            MarkModified();
            InflateRect(&rc, 5, 5);
            RepaintPageArea(rc);
        }
        InvalidateCanvas();
        return;
    }
    MarkModified();
    if (m_nTool == kToolMarker)
        return;
    CInkSurface surface = LetterSurface(ptOrigin);
    surface.DrawBrush(m_smScreen, m_smPage, m_ptPrev, m_ptLast, m_nLastWeight, m_crPen, m_crPen,
                      CSMLine::kKindLast, m_nPressureMax, true);
}

void CPenCapture::InvalidateCanvas() const {
    InvalidateRect(TabletWindow(), nullptr, FALSE);
}
