// Letter-mode packets into strokes: the sample test, the weight, the live drawing on the screen
// and into the page bitmap, and the end of a stroke.
#include "PenCapture.h"

#include "GdiObjects.h"
#include "PenRules.h"

bool g_bLeftCanvas = false;

// The two surfaces a sample is drawn on: the view's client area, its origin moved so that screen
// coordinates draw in place, and the page bitmap in page coordinates.
struct CPenCapture::Surfaces {
    Surfaces(const CPenCapture& pen, POINT ptClientOrigin)
        : screen(pen.TabletWindow()), hdcPage(pen.PageDC()), fZoom(pen.CanvasZoom()),
          ptOrigin(ptClientOrigin) {
        SetViewportOrgEx(screen.Get(), -ptOrigin.x, -ptOrigin.y, nullptr);
    }
    CWindowDC screen;
    HDC hdcPage;
    float fZoom;
    POINT ptOrigin;
};

POINT CPenCapture::ClientOrigin() const {
    POINT pt{0, 0};
    ClientToScreen(TabletWindow(), &pt);
    return pt;
}

POINT CPenCapture::PageOf(POINT ptScreen, POINT ptOrigin) const {
    return ScreenToPage(ptScreen, ptOrigin, CanvasScroll(), CanvasZoom());
}

// The canvas is the view's client area: ink never lands on the scroll bars.
bool CPenCapture::IsOnCanvasNow(POINT pt, POINT ptOrigin) const {
    RECT rc{};
    GetClientRect(TabletWindow(), &rc);
    OffsetRect(&rc, ptOrigin.x, ptOrigin.y);
    return IsOnCanvas(m_nTool, pt, rc, PageSize().cx, GetSystemMetrics(SM_CXSCREEN), CanvasZoom());
}

short CPenCapture::SampleWeight(UINT nPressure) const {
    const int nNormal = int(IsBound() ? nPressure / UINT(m_nPressureScale) : nPressure);
    return LetterWeight(m_nTool, LevelOf(m_nTool), nNormal, m_nPressureMax);
}

BOOL CPenCapture::OnLetterPacket(DWORD, DWORD nButtons, LONG x, LONG y, UINT nPressure) {
    const POINT pt{x, y};
    switch (HIWORD(nButtons)) {
    case TBN_DOWN:
        m_bPenDown = true;
        break;
    case TBN_UP:
        m_bPenDown = false;
        break;
    default:
        break;
    }
    // The window's place is asked for once per packet: each question is a trip to the system.
    const POINT ptOrigin = ClientOrigin();
    const bool bInside = IsOnCanvasNow(pt, ptOrigin);
    if (!bInside) {
        if (!m_bDrawing || !m_bPenDown)
            return FALSE;
        if (g_bLeftCanvas) {
            g_bLeftCanvas = false;
            return FALSE;
        }
        g_bLeftCanvas = true;
        m_bPenDown = false;
    } else {
        m_bPenDown = true;
    }
    if (!(m_bMouseDown && m_bPenDown && nPressure != 0 && bInside)) {
        if (m_bDrawing)
            EndStroke(ptOrigin);
        return TRUE;
    }
    const short nWeight = SampleWeight(nPressure);
    if (m_bClearRedo) {
        m_bClearRedo = false;
        if (CLines* pLines = Strokes())
            pLines->ClearRedo();
    }
    const Surfaces s(*this, ptOrigin);
    const POINT ptPage = PageOf(pt, ptOrigin);
    if (!m_bDrawing)
        StartStroke(s, pt, ptPage, nWeight);
    else
        ContinueStroke(s, pt, ptPage, nWeight);
    return TRUE;
}

void CPenCapture::StartStroke(const Surfaces& s, POINT pt, POINT ptPage, short nWeight) {
    m_bDrawing = true;
    // A new stroke starts with the canvas not left, so that leaving it ends this stroke too.
    g_bLeftCanvas = false;
    m_ptLast = m_ptPrev = pt;
    m_nLastWeight = nWeight;
    m_pCurLine = std::make_unique<CLine>();
    m_pCurLine->SetColor(m_crPen);
    m_pCurLine->SetTool(short(m_nTool), m_nTool != kToolMarker);
    m_pCurLine->AddPoint(ptPage.x, ptPage.y, nWeight);
    if (m_nTool == kToolMarker)
        return;
    const COLORREF crScreen = m_nTool == kToolEraser ? 0 : m_crPen;
    m_smScreen.DrawSegment(s.screen.Get(), 0, 0, int(pt.x / s.fZoom), int(pt.y / s.fZoom), nWeight,
                           crScreen, CSMLine::kKindFirst, m_nPressureMax, s.fZoom);
    if (m_nTool != kToolEraser && s.hdcPage)
        m_smPage.DrawSegment(s.hdcPage, 0, 0, ptPage.x, ptPage.y, nWeight, m_crPen,
                             CSMLine::kKindFirst, m_nPressureMax, 1.0f);
}

void CPenCapture::ContinueStroke(const Surfaces& s, POINT pt, POINT ptPage, short nWeight) {
    const POINT ptLastPage = PageOf(m_ptLast, s.ptOrigin);
    if (m_nTool == kToolMarker) {
        DrawMarkerSegment(s.screen.Get(), m_ptLast, pt, int(nWeight * s.fZoom));
        if (s.hdcPage)
            DrawMarkerSegment(s.hdcPage, ptLastPage, ptPage, nWeight);
    } else {
        if (pt.x == m_ptLast.x && pt.y == m_ptLast.y)
            return;
        const COLORREF crScreen = m_nTool == kToolEraser ? 0 : m_crPen;
        m_smScreen.DrawSegment(s.screen.Get(), int(m_ptLast.x / s.fZoom), int(m_ptLast.y / s.fZoom),
                               int(pt.x / s.fZoom), int(pt.y / s.fZoom), nWeight, crScreen,
                               CSMLine::kKindInner, m_nPressureMax, s.fZoom);
        if (m_nTool != kToolEraser && s.hdcPage)
            m_smPage.DrawSegment(s.hdcPage, ptLastPage.x, ptLastPage.y, ptPage.x, ptPage.y, nWeight,
                                 m_crPen, CSMLine::kKindInner, m_nPressureMax, 1.0f);
    }
    m_pCurLine->AddPoint(ptPage.x, ptPage.y, nWeight);
    m_ptPrev = m_ptLast;
    m_ptLast = pt;
    m_nLastWeight = nWeight;
}

void CPenCapture::DrawMarkerSegment(HDC hdc, POINT ptFrom, POINT ptTo, int nWidth) const {
    COwnedPen pen(CreatePen(PS_INSIDEFRAME, nWidth, m_crPen));
    CSelectScope select(hdc, pen.Get());
    const int nOldRop = SetROP2(hdc, R2_MASKPEN);
    MoveToEx(hdc, ptFrom.x, ptFrom.y, nullptr);
    LineTo(hdc, ptTo.x, ptTo.y);
    SetROP2(hdc, nOldRop);
}

void CPenCapture::EndStroke(POINT ptOrigin) {
    m_bHasInk = true;
    OnInkWritten();
    m_bPenDown = false;
    m_bDrawing = false;
    std::unique_ptr<CLine> pLine = std::move(m_pCurLine);
    CLines* pLines = Strokes();
    if (!pLine || !pLines)
        return;
    const int nBefore = pLines->GetCount();
    pLines->Add(std::move(pLine));
    if (m_nTool == kToolEraser) {
        RECT rc = pLines->EraseByLast();
        if (pLines->GetCount() < nBefore) {
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
    const Surfaces s(*this, ptOrigin);
    const POINT ptPrevPage = PageOf(m_ptPrev, ptOrigin), ptLastPage = PageOf(m_ptLast, ptOrigin);
    m_smScreen.DrawSegment(s.screen.Get(), int(m_ptPrev.x / s.fZoom), int(m_ptPrev.y / s.fZoom),
                           int(m_ptLast.x / s.fZoom), int(m_ptLast.y / s.fZoom), m_nLastWeight,
                           m_crPen, CSMLine::kKindLast, m_nPressureMax, s.fZoom);
    if (s.hdcPage)
        m_smPage.DrawSegment(s.hdcPage, ptPrevPage.x, ptPrevPage.y, ptLastPage.x, ptLastPage.y,
                             m_nLastWeight, m_crPen, CSMLine::kKindLast, m_nPressureMax, 1.0f);
}

void CPenCapture::InvalidateCanvas() const {
    InvalidateRect(TabletWindow(), nullptr, FALSE);
}
