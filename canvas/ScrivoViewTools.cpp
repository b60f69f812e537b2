// What the canvas view's tools ask of the shell around them: the width buttons and the pen-width
// popup, the tool buttons' looks and the line-spacing control of the colour and line panel.
#include "ScrivoView.h"

#include "ScrivoFrame.h"
#include "resource.h"

bool CScrivoView::OnWidthCommand(UINT nID) {
    IScrivoFrame* pFrame = GetScrivoFrame();
    if (!pFrame)
        return false;
    switch (nID) {
    case ID_PENCIL_WIDTH:
        pFrame->TogglePenWidthPopup(kToolPencil, m_nPencilLevel);
        pFrame->RepaintToolBar();
        return true;
    case ID_BRUSH_WIDTH:
        pFrame->TogglePenWidthPopup(kToolBrush, m_nBrushLevel);
        pFrame->RepaintToolBar();
        return true;
    case ID_MARKER_WIDTH:
        pFrame->TogglePenWidthPopup(kToolMarker, m_nMarkerLevel);
        return true;
    default:
        if (nID < ID_WIDTH_FIRST || nID >= ID_WIDTH_FIRST + kMaxLevel)
            return false;
        SetThickness(pFrame->PenWidthPopupTool(), static_cast<int>(nID - ID_WIDTH_FIRST) + 1);
        return true;
    }
}

void CScrivoView::OnToolChanged(int nOld, int nNew) {
    if (IScrivoFrame* pFrame = GetScrivoFrame())
        pFrame->OnToolChanged(nOld, nNew);
}

void CScrivoView::OnThicknessChanged(int nType, int nLevel) {
    if (IScrivoFrame* pFrame = GetScrivoFrame())
        pFrame->OnThicknessChanged(nType, nLevel);
}

void CScrivoView::OnInkWritten() {
    // The spacing of the ruled lines stays once the note has ink.
    if (IScrivoFrame* pFrame = GetScrivoFrame())
        pFrame->EnablePanelControl(IDC_LINE_SPACING, false);
}
