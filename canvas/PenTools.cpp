// Tool and width commands, the tool cursor, the mouse button state and stroke undo and redo.
#include "PenCapture.h"

#include "DibFormat.h"
#include "GdiObjects.h"
#include "PenRules.h"

#include <algorithm>
#include <vector>

CPenCapture::~CPenCapture() {
    if (m_hToolCursor)
        DestroyCursor(m_hToolCursor);
}

int CPenCapture::LevelOf(int nTool) const {
    switch (nTool) {
    case kToolPencil:
        return m_nPencilLevel;
    case kToolBrush:
        return m_nBrushLevel;
    case kToolMarker:
        return m_nMarkerLevel;
    default:
        return 0;
    }
}

void CPenCapture::SelectTool(int nTool) {
    ClosePenWidthPopup();
    if (nTool == kToolPicture && m_nTool == kToolPicture)
        return;
    if (nTool != m_nTool)
        OnToolChanged(m_nTool, nTool);
    m_nTool = nTool;
    DropPictureSelection();
    if (nTool != kToolEraser && nTool != kToolPicture)
        RebuildToolCursor();
}

void CPenCapture::OnPenTurned(bool bEraserEnd) {
    if (bEraserEnd) {
        m_nToolBeforeEraser = m_nTool;
        SelectTool(kToolEraser);
    } else if (m_nTool == kToolEraser) {
        SelectTool(m_nToolBeforeEraser);
    }
}

void CPenCapture::SetThickness(int nType, int nLevel) {
    if (nType < kToolPencil || nType > kToolMarker)
        return;
    nLevel = std::clamp(nLevel, kMinLevel, kMaxLevel);
    if (nType == kToolPencil)
        m_nPencilLevel = nLevel;
    else if (nType == kToolBrush)
        m_nBrushLevel = nLevel;
    else
        m_nMarkerLevel = nLevel;
    SelectTool(nType);
    OnThicknessChanged(nType, nLevel);
    RebuildToolCursor();
}

bool CPenCapture::OnPenCommand(UINT nID) {
    switch (nID) {
    case ID_TOOL_PICTURE:
        SelectTool(kToolPicture);
        return true;
    case ID_TOOL_ERASER:
        SelectTool(kToolEraser);
        return true;
    case ID_TOOL_PENCIL:
        SelectTool(kToolPencil);
        return true;
    case ID_TOOL_BRUSH:
        SelectTool(kToolBrush);
        return true;
    case ID_TOOL_MARKER:
        SelectTool(kToolMarker);
        return true;
    case ID_EDIT_UNDO_STROKE:
        UndoStroke();
        return true;
    case ID_EDIT_REDO_STROKE:
        RedoStroke();
        return true;
    default:
        return false;
    }
}

void CPenCapture::UndoStroke() {
    ClosePenWidthPopup();
    CLines* pLines = Strokes();
    if (!pLines)
        return;
    // A straight smoothed stroke has a rectangle of no height: the count tells whether a stroke
    // was taken back, not the rectangle.
    if (pLines->GetCount() == 0)
        return;
    RECT rc = pLines->Undo();
    m_bClearRedo = true;
    InflateRect(&rc, 7, 7);
    if (TabletMode() != kModeLetter) {
        // No image state is kept: the frozen screen comes back and the strokes are drawn again.
        RestoreOverlayArea(rc);
        return;
    }
    // The repaint draws the remaining strokes there once: drawing them a second time would darken
    // every brush stroke in the area, as a brush blends into what lies under it.
    RepaintPageArea(rc);
    InvalidateCanvas();
}

void CPenCapture::RedoStroke() {
    ClosePenWidthPopup();
    CLines* pLines = Strokes();
    if (!pLines || pLines->GetRedoCount() == 0)
        return;
    if (TabletMode() != kModeLetter) {
        RECT rc = pLines->Redo(OverlayInkDC());
        InflateRect(&rc, 5, 5);
        ShowOverlayArea(rc);
        return;
    }
    if (!PageDC())
        return;
    pLines->Redo(PageDC());
    InvalidateCanvas();
}

void CPenCapture::PenMouseDown() {
    SetCapture(TabletWindow());
    m_bMouseDown = true;
}

void CPenCapture::PenMouseUp() {
    if (GetCapture() == TabletWindow())
        ReleaseCapture();
    m_bMouseDown = false;
}

void CPenCapture::ResetStrokeCapture() {
    m_bMouseDown = false;
    m_bDrawing = false;
    m_bPenDown = false;
    m_bClearRedo = false;
    m_bHasInk = false;
    m_pCurLine.reset();
}

HCURSOR CPenCapture::PenCursor() {
    switch (m_nTool) {
    case kToolPencil:
    case kToolBrush:
    case kToolMarker:
        if (!m_hToolCursor)
            RebuildToolCursor();
        return m_hToolCursor;
    case kToolEraser:
        return EraserCursor();
    default:
        return nullptr;
    }
}

// A circle of the pen colour, its radius the width level plus 3, on a cursor-sized square whose
// background is transparent.
void CPenCapture::RebuildToolCursor() {
    const int cx = GetSystemMetrics(SM_CXCURSOR), cy = GetSystemMetrics(SM_CYCURSOR);
    const bool bBlackPen = m_crPen == RGB(0, 0, 0);
    const COLORREF crTransparent = bBlackPen ? RGB(255, 255, 255) : RGB(0, 0, 0);
    const BITMAPINFO bmi = DibHeader(cx, -cy, 32);
    void* pBits = nullptr;
    COwnedBitmap bmColor(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
    if (!bmColor || !pBits)
        return;
    {
        CMemoryDC dc;
        CSelectScope selBitmap(dc.Get(), bmColor.Get());
        const RECT rc{0, 0, cx, cy};
        COwnedBrush brBack(CreateSolidBrush(crTransparent));
        FillRect(dc.Get(), &rc, brBack.Get());
        const int nLevel = LevelOf(m_nTool);
        if (nLevel > 0) {
            const COLORREF crOutline =
                m_crPen == RGB(128, 128, 128) ? RGB(255, 255, 255) : RGB(128, 128, 128);
            COwnedPen pen(CreatePen(PS_SOLID, 1, crOutline));
            COwnedBrush brush(CreateSolidBrush(m_crPen));
            CSelectScope selPen(dc.Get(), pen.Get());
            CSelectScope selBrush(dc.Get(), brush.Get());
            const int r = nLevel + 3;
            Ellipse(dc.Get(), cx / 2 - r, cy / 2 - r, cx / 2 + r + 1, cy / 2 + r + 1);
        }
        GdiFlush();
    }
    // The mask: 1 where the background shows through; there the colour image must be black.
    const int nStride = ((cx + 15) / 16) * 2;
    std::vector<BYTE> mask(size_t(nStride) * cy, 0);
    auto* pPixels = static_cast<DWORD*>(pBits);
    const DWORD dwTransparent = bBlackPen ? 0x00FFFFFF : 0;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            DWORD& px = pPixels[y * cx + x];
            if ((px & 0x00FFFFFF) == dwTransparent) {
                mask[size_t(y) * nStride + x / 8] |= BYTE(0x80 >> (x % 8));
                px = 0;
            }
        }
    COwnedBitmap bmMask(CreateBitmap(cx, cy, 1, 1, mask.data()));
    ICONINFO ii{};
    ii.fIcon = FALSE;
    ii.xHotspot = DWORD(std::max(0, cx / 2 - 3));
    ii.yHotspot = DWORD(std::max(0, cy / 2 - 3));
    ii.hbmMask = bmMask.Get();
    ii.hbmColor = bmColor.Get();
    HCURSOR hNew = CreateIconIndirect(&ii);
    if (!hNew)
        return;
    if (m_hToolCursor)
        DestroyCursor(m_hToolCursor);
    m_hToolCursor = hNew;
}
