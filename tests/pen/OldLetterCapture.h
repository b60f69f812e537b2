// The letter-mode live drawing as it was before the program drew into memory of its own: every
// segment went straight onto the window's device context (whose pixels the brush renderer read
// back one by one) and into the page bitmap. Kept only as the oracle that the new drawing must
// match on the window, and as the baseline of the pen benchmark. TCanvas is a canvas derived
// from CPenCapture (the tests' fake canvas or the benchmark's).
#pragma once
#include "GdiObjects.h"
#include "PenCapture.h"
#include "PenRules.h"

template <class TCanvas> class COldLetterCapture : public TCanvas {
public:
    using TCanvas::TCanvas;

protected:
    BOOL OnLetterPacket(DWORD, DWORD nButtons, LONG x, LONG y, UINT nPressure) override {
        const POINT pt{x, y};
        if (HIWORD(nButtons) == TBN_DOWN)
            this->m_bPenDown = true;
        else if (HIWORD(nButtons) == TBN_UP)
            this->m_bPenDown = false;
        POINT ptOrigin{0, 0};
        ClientToScreen(this->TabletWindow(), &ptOrigin);
        RECT rc{};
        GetClientRect(this->TabletWindow(), &rc);
        OffsetRect(&rc, ptOrigin.x, ptOrigin.y);
        const bool bInside = IsOnCanvas(this->m_nTool, pt, rc, this->PageSize().cx,
                                        GetSystemMetrics(SM_CXSCREEN), this->CanvasZoom());
        if (!bInside) {
            if (!this->m_bDrawing || !this->m_bPenDown)
                return FALSE;
            if (this->m_bLeftCanvas) {
                this->m_bLeftCanvas = false;
                return FALSE;
            }
            this->m_bLeftCanvas = true;
            this->m_bPenDown = false;
        } else {
            this->m_bPenDown = true;
        }
        if (!(this->m_bMouseDown && this->m_bPenDown && nPressure != 0 && bInside)) {
            if (this->m_bDrawing)
                EndStroke(ptOrigin);
            return TRUE;
        }
        const int nNormal =
            int(this->IsBound() ? nPressure / UINT(this->m_nPressureScale) : nPressure);
        const short nWeight = LetterWeight(this->m_nTool, this->LevelOf(this->m_nTool), nNormal,
                                           this->m_nPressureMax);
        CWindowDC screen(this->TabletWindow());
        SetViewportOrgEx(screen.Get(), -ptOrigin.x, -ptOrigin.y, nullptr);
        const POINT ptPage = PageOf(pt, ptOrigin);
        if (!this->m_bDrawing)
            StartStroke(screen.Get(), pt, ptPage, nWeight);
        else
            ContinueStroke(screen.Get(), ptOrigin, pt, ptPage, nWeight);
        return TRUE;
    }

private:
    POINT PageOf(POINT ptScreen, POINT ptOrigin) const {
        return ScreenToPage(ptScreen, ptOrigin, this->CanvasScroll(), this->CanvasZoom());
    }
    COLORREF ScreenColor() const { return this->m_nTool == kToolEraser ? 0 : this->m_crPen; }

    void StartStroke(HDC hdcScreen, POINT pt, POINT ptPage, short nWeight) {
        const float z = this->CanvasZoom();
        this->m_bDrawing = true;
        this->m_bLeftCanvas = false;
        this->m_ptLast = this->m_ptPrev = pt;
        this->m_nLastWeight = nWeight;
        this->m_pCurLine = std::make_unique<CLine>();
        this->m_pCurLine->SetColor(this->m_crPen);
        this->m_pCurLine->SetTool(short(this->m_nTool), this->m_nTool != kToolMarker);
        this->m_pCurLine->AddPoint(ptPage.x, ptPage.y, nWeight);
        if (this->m_nTool == kToolMarker)
            return;
        this->m_smScreen.DrawSegment(hdcScreen, 0, 0, int(pt.x / z), int(pt.y / z), nWeight,
                                     ScreenColor(), CSMLine::kKindFirst, this->m_nPressureMax, z);
        if (this->m_nTool != kToolEraser)
            this->m_smPage.DrawSegment(this->PageDC(), 0, 0, ptPage.x, ptPage.y, nWeight,
                                       this->m_crPen, CSMLine::kKindFirst, this->m_nPressureMax,
                                       1.0f);
    }

    void ContinueStroke(HDC hdcScreen, POINT ptOrigin, POINT pt, POINT ptPage, short nWeight) {
        const float z = this->CanvasZoom();
        const POINT ptLast = this->m_ptLast, ptLastPage = PageOf(ptLast, ptOrigin);
        if (this->m_nTool == kToolMarker) {
            DrawMarker(hdcScreen, ptLast, pt, int(nWeight * z));
            DrawMarker(this->PageDC(), ptLastPage, ptPage, nWeight);
        } else {
            if (pt.x == ptLast.x && pt.y == ptLast.y)
                return;
            this->m_smScreen.DrawSegment(hdcScreen, int(ptLast.x / z), int(ptLast.y / z),
                                         int(pt.x / z), int(pt.y / z), nWeight, ScreenColor(),
                                         CSMLine::kKindInner, this->m_nPressureMax, z);
            if (this->m_nTool != kToolEraser)
                this->m_smPage.DrawSegment(this->PageDC(), ptLastPage.x, ptLastPage.y, ptPage.x,
                                           ptPage.y, nWeight, this->m_crPen, CSMLine::kKindInner,
                                           this->m_nPressureMax, 1.0f);
        }
        this->m_pCurLine->AddPoint(ptPage.x, ptPage.y, nWeight);
        this->m_ptPrev = ptLast;
        this->m_ptLast = pt;
        this->m_nLastWeight = nWeight;
    }

    void DrawMarker(HDC hdc, POINT ptFrom, POINT ptTo, int nWidth) const {
        COwnedPen pen(CreatePen(PS_INSIDEFRAME, nWidth, this->m_crPen));
        CSelectScope select(hdc, pen.Get());
        const int nOldRop = SetROP2(hdc, R2_MASKPEN);
        MoveToEx(hdc, ptFrom.x, ptFrom.y, nullptr);
        LineTo(hdc, ptTo.x, ptTo.y);
        SetROP2(hdc, nOldRop);
    }

    // The end of a stroke as far as drawing goes: the brush tapers to the last sample.
    void EndStroke(POINT ptOrigin) {
        this->m_bPenDown = false;
        this->m_bDrawing = false;
        if (CLines* pLines = this->Strokes())
            pLines->Add(std::move(this->m_pCurLine));
        if (this->m_nTool == kToolMarker || this->m_nTool == kToolEraser)
            return;
        const float z = this->CanvasZoom();
        CWindowDC screen(this->TabletWindow());
        SetViewportOrgEx(screen.Get(), -ptOrigin.x, -ptOrigin.y, nullptr);
        const POINT ptPrev = this->m_ptPrev, ptLast = this->m_ptLast;
        const POINT ptPrevPage = PageOf(ptPrev, ptOrigin), ptLastPage = PageOf(ptLast, ptOrigin);
        this->m_smScreen.DrawSegment(screen.Get(), int(ptPrev.x / z), int(ptPrev.y / z),
                                     int(ptLast.x / z), int(ptLast.y / z), this->m_nLastWeight,
                                     this->m_crPen, CSMLine::kKindLast, this->m_nPressureMax, z);
        this->m_smPage.DrawSegment(this->PageDC(), ptPrevPage.x, ptPrevPage.y, ptLastPage.x,
                                   ptLastPage.y, this->m_nLastWeight, this->m_crPen,
                                   CSMLine::kKindLast, this->m_nPressureMax, 1.0f);
    }
};
