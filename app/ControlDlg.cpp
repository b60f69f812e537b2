// The colour and line panel: creation, buttons, layout and the settings it keeps.
#include "ControlDlg.h"

#include <algorithm>

#include "BarLayout.h"
#include "FrameworkIds.h"
#include "MainFrame.h"
#include "Resources.h"
#include "ScrivoApp.h"
#include "ScrivoView.h"
#include "resource.h"

namespace {
// Selected and usual images of the tool buttons, by tool number.
struct CToolImages {
    UINT nButton;
    UINT nSelected[4];
    UINT nUsual[4];
};
constexpr CToolImages kToolImages[kToolCount] = {
    {ID_TOOL_PICTURE,
     {IDB_PICTURE_SELECTED, IDB_PICTURE_SELECTED, IDB_PICTURE_SELECTED, IDB_PICTURE_SELECTED},
     {IDB_PICTURE, IDB_PICTURE_PRESSED, IDB_PICTURE_FOCUS, 0}},
    {ID_TOOL_ERASER,
     {IDB_ERASER_SELECTED, IDB_ERASER_SELECTED, IDB_ERASER_SELECTED, 0},
     {IDB_ERASER, IDB_ERASER_PRESSED, IDB_ERASER_FOCUS, 0}},
    {ID_TOOL_PENCIL,
     {IDB_PENCIL_SELECTED, IDB_PENCIL_SELECTED, IDB_PENCIL_SELECTED, 0},
     {IDB_PENCIL, IDB_PENCIL_PRESSED, IDB_PENCIL_FOCUS, 0}},
    {ID_TOOL_BRUSH,
     {IDB_BRUSH_SELECTED, IDB_BRUSH_SELECTED, IDB_BRUSH_SELECTED, 0},
     {IDB_BRUSH, IDB_BRUSH_PRESSED, IDB_BRUSH_FOCUS, 0}},
    {ID_TOOL_MARKER,
     {IDB_MARKER_SELECTED, IDB_MARKER_SELECTED, IDB_MARKER_SELECTED, 0},
     {IDB_MARKER, IDB_MARKER_PRESSED, IDB_MARKER_FOCUS, 0}},
};
static_assert(kToolImages[kToolPicture].nButton == ID_TOOL_PICTURE &&
                  kToolImages[kToolEraser].nButton == ID_TOOL_ERASER &&
                  kToolImages[kToolPencil].nButton == ID_TOOL_PENCIL &&
                  kToolImages[kToolBrush].nButton == ID_TOOL_BRUSH &&
                  kToolImages[kToolMarker].nButton == ID_TOOL_MARKER,
              "the tool images are looked up by tool number");

constexpr UINT kBackground[4] = {IDB_PANEL_LETTER, IDB_PANEL_SMALL, IDB_PANEL_DESKTOP,
                                 IDB_PANEL_INKING};
// Letter-mode places of the swatches: the program's pictures, then the library's.
constexpr POINT kPenSwatch[2] = {{322, 40}, {272, 38}};
constexpr POINT kBackSwatch[2] = {{332, 52}, {282, 48}};
constexpr SIZE kSwatchSize = {18, 18};
constexpr SIZE kLineSpacingSize = {14, 33};
} // namespace

ControlDlg::ControlDlg() : CButtonBar(g_panelButtons, g_nPanelButtons, true) {}

bool ControlDlg::Create(CMainFrame* pFrame, UINT nStyle) {
    if (!CreateBar(pFrame, IDD_PANEL, nStyle))
        return false;
    m_bSmallScreen = GetScreenSize().cx < 800;
    m_penw.Create(pFrame);
    for (int i = 0; i < settings::kColorBlocks; ++i)
        m_crBlocks[i] = settings::ReadColorBlock(i);
    LoadBackground(BackgroundOf(kModeLetter));
    GetLayoutRect(true);
    return true;
}

int ControlDlg::Column() const {
    return PanelColumn(m_nArrangedMode, m_bSmallScreen, CScrivoApp::IsNewUI());
}

UINT ControlDlg::BackgroundOf(int nMode) const {
    return kBackground[nMode == kModeLetter
                           ? (m_bSmallScreen ? 1 : 0)
                           : std::clamp(nMode, int(kModeDesktop), int(kModeInking)) + 1];
}

void ControlDlg::ArrangeForMode(int nMode) {
    if (!m_hWnd || nMode < kModeLetter || nMode > kModeInking)
        return;
    m_nArrangedMode = nMode;
    const int nColumn = Column();
    PlaceButtons(g_panelLayout, g_nPanelLayoutRows, nColumn);
    PlaceControls(nColumn);
    LoadBackground(BackgroundOf(nMode));
    const SIZE size = BitmapSize(m_bmBack.Get());
    MoveWindow(m_hWnd, 0, 0, size.cx, size.cy, TRUE);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void ControlDlg::PlaceControls(int nColumn) {
    // The scroll bar, swatches and colour blocks are plain controls of the template.
    const auto* pSpacing =
        std::find_if(g_panelLayout, g_panelLayout + g_nPanelLayoutRows,
                     [](const CPanelRow& row) { return row.nID == IDC_LINE_SPACING; });
    HWND hwndSpacing = GetDlgItem(m_hWnd, IDC_LINE_SPACING);
    const CPlace& spacing = pSpacing->place[nColumn];
    if (hwndSpacing && spacing.nShow != EPlace::Hide)
        MoveWindow(hwndSpacing, spacing.x, spacing.y, kLineSpacingSize.cx, kLineSpacingSize.cy,
                   FALSE);
    ApplyPlace(hwndSpacing, spacing);
    const int nLook = CScrivoApp::IsNewUI() ? 1 : 0;
    for (const auto& [nID, pt] : {std::pair{IDC_PEN_SWATCH, kPenSwatch[nLook]},
                                  std::pair{IDC_BACK_SWATCH, kBackSwatch[nLook]}})
        if (HWND hwnd = GetDlgItem(m_hWnd, nID))
            MoveWindow(hwnd, pt.x, pt.y, kSwatchSize.cx, kSwatchSize.cy, FALSE);
    for (int i = 0; i < settings::kColorBlocks; ++i) {
        const RECT rc = ColorBlockRect(nColumn, i);
        if (HWND hwnd = GetDlgItem(m_hWnd, IDC_COLOR_BLOCK0 + i))
            MoveWindow(hwnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, FALSE);
    }
}

RECT ControlDlg::GetLayoutRect(bool bMove) {
    const SIZE size = ResourceBitmapSize(BackgroundOf(Mode()));
    if (bMove && m_hWnd)
        MoveWindow(m_hWnd, 0, 0, size.cx, size.cy, TRUE);
    return {0, 0, size.cx, size.cy};
}

RECT ControlDlg::PenSwatchRect() const {
    RECT rc = ChildRect(m_hWnd, GetDlgItem(m_hWnd, IDC_PEN_SWATCH));
    const POINT ptOffset = PenSwatchOffset(Column());
    OffsetRect(&rc, ptOffset.x, ptOffset.y);
    return rc;
}

RECT ControlDlg::BackSwatchRect() const {
    return ChildRect(m_hWnd, GetDlgItem(m_hWnd, IDC_BACK_SWATCH));
}

bool ControlDlg::IsUnderPopup(POINT ptScreen) const {
    if (!m_penw.m_hWnd || !IsWindowVisible(m_penw.m_hWnd))
        return false;
    RECT rc{};
    GetWindowRect(m_penw.m_hWnd, &rc);
    return PtInRect(&rc, ptScreen) != FALSE;
}

void ControlDlg::LoadToolImages(int nTool, bool bSelected, int nNextTool) {
    if (nTool < kToolPicture || nTool > kToolMarker)
        return;
    const CToolImages& images = kToolImages[nTool];
    const UINT* pIds = bSelected ? images.nSelected : images.nUsual;
    // The marker left for the pencil shows its pressed image when focused, as it always has.
    const UINT nFocus = (!bSelected && nTool == kToolMarker && nNextTool == kToolPencil)
                            ? IDB_MARKER_PRESSED
                            : pIds[2];
    Button(images.nButton).LoadBitmaps(pIds[0], pIds[1], nFocus, pIds[3]);
}

void ControlDlg::ShowToolSelected(int nOldTool, int nNewTool) {
    LoadToolImages(nOldTool, false, nNewTool);
    LoadToolImages(nNewTool, true);
}

void ControlDlg::OnDestroy() {
    WriteSettings();
    CButtonBar::OnDestroy();
}

void ControlDlg::WriteSettings() const {
    if (CScrivoView* pView = View()) {
        settings::CPanelSettings panel;
        const CNotePaper paper = pView->GetPaper();
        panel.crPen = pView->PenColor();
        panel.crBack = paper.crBack;
        panel.crLine = paper.crLine;
        std::copy(std::begin(m_crBlocks), std::end(m_crBlocks), panel.crBlocks);
        panel.nLineHeight = paper.nLineHeight;
        // A settings file that cannot be written is not worth a message at program end.
        settings::WritePanelSettings(panel);
    }
}
