// The colour and line panel's painting: background, width levels, swatches and colour blocks.
#include "BarLayout.h"
#include "ControlDlg.h"
#include "ScrivoApp.h"
#include "ScrivoView.h"
#include "resource.h"

void ControlDlg::PaintWidths(HDC hdc) {
    CScrivoView* pView = View();
    if (!pView)
        return;
    COwnedFont font(CreateFontW(14, 0, 0, 0, 900, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                VARIABLE_PITCH | FF_SWISS, L"Arial"));
    CSelectScope select(hdc, font.Get());
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, CScrivoApp::IsNewUI() ? RGB(236, 239, 244) : RGB(0, 0, 0));
    POINT pts[3] = {{74, 0}, {108, 0}, {144, 0}};
    if (m_nArrangedMode == kModeLetter) {
        const POINT letter[2][3] = {{{156, 12}, {204, 12}, {253, 12}},
                                    {{126, 16}, {158, 16}, {194, 16}}};
        std::copy(std::begin(letter[CScrivoApp::IsNewUI()]),
                  std::end(letter[CScrivoApp::IsNewUI()]), pts);
    }
    const int nLevels[3] = {pView->LevelOf(kToolPencil), pView->LevelOf(kToolBrush),
                            pView->LevelOf(kToolMarker)};
    for (int i = 0; i < 3; ++i) {
        wchar_t sz[16];
        const int n = wsprintfW(sz, L"%d ", nLevels[i]);
        TextOutW(hdc, pts[i].x, pts[i].y, sz, n);
    }
}

void ControlDlg::PaintSwatches(HDC hdc) {
    CScrivoView* pView = View();
    if (!pView)
        return;
    const bool bNewUI = CScrivoApp::IsNewUI();
    if (m_nArrangedMode == kModeLetter) {
        // The background swatch lies below and right of the pen swatch, which covers its corner.
        const RECT rc = BackSwatchRect();
        const RECT parts[2] = {bNewUI ? RECT{rc.left, rc.top, rc.right - 5, rc.bottom}
                                      : RECT{rc.left + 11, rc.top, rc.right, rc.bottom},
                               bNewUI ? RECT{rc.left, rc.top + 5, rc.right, rc.bottom - 4}
                                      : RECT{rc.left, rc.top + 9, rc.right, rc.bottom}};
        COwnedBrush brush(CreateSolidBrush(pView->GetPaper().crBack));
        for (const RECT& part : parts)
            FillRect(hdc, &part, brush.Get());
    }
    const RECT rc = PenSwatchRect();
    COwnedBrush brush(CreateSolidBrush(pView->PenColor()));
    if (bNewUI) {
        const RECT parts[2] = {{rc.left, rc.top, rc.right - 4, rc.bottom},
                               {rc.left, rc.top, rc.right, rc.bottom - 4}};
        for (const RECT& part : parts)
            FillRect(hdc, &part, brush.Get());
    } else {
        FillRect(hdc, &rc, brush.Get());
    }
}

void ControlDlg::PaintBlocks(HDC hdc) {
    if (m_nArrangedMode == kModeLetter && m_bSmallScreen)
        return;
    for (int i = 0; i < settings::kColorBlocks; ++i) {
        const RECT rc = ChildRect(m_hWnd, GetDlgItem(m_hWnd, IDC_COLOR_BLOCK0 + i));
        COwnedPen pen(CreatePen(PS_INSIDEFRAME, 1, m_crBlocks[i]));
        COwnedBrush brush(CreateSolidBrush(m_crBlocks[i]));
        CSelectScope selPen(hdc, pen.Get());
        CSelectScope selBrush(hdc, brush.Get());
        Ellipse(hdc, rc.left, rc.top, rc.right, rc.bottom);
    }
}

void ControlDlg::PaintOver(HDC hdc) {
    PaintWidths(hdc);
    PaintSwatches(hdc);
    PaintBlocks(hdc);
}
