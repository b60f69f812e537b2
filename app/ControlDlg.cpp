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
struct CButtonInfo {
    UINT nMarker;
    UINT nID;
    bool bVisible;
    UINT nImages[4];
};

// In the order of ControlDlg::EButton. The pencil starts as the current tool, in its selected
// look.
constexpr CButtonInfo kButtonInfo[ControlDlg::kButtons] = {
    {IDC_PANEL_LINECOLOR,
     ID_SCRIPT_LINE_COLOR,
     true,
     {IDB_LINE_COLOR, IDB_LINE_COLOR_PRESSED, IDB_LINE_COLOR_FOCUS, IDB_PENCIL_SELECTED}},
    {IDC_PANEL_PENCIL,
     ID_TOOL_PENCIL,
     true,
     {IDB_PENCIL_SELECTED, IDB_PENCIL_SELECTED, IDB_PENCIL_SELECTED}},
    {IDC_PANEL_BRUSH, ID_TOOL_BRUSH, true, {IDB_BRUSH, IDB_BRUSH_PRESSED, IDB_BRUSH_FOCUS}},
    {IDC_PANEL_ERASER, ID_TOOL_ERASER, true, {IDB_ERASER, IDB_ERASER_PRESSED, IDB_ERASER_FOCUS}},
    {IDC_PANEL_MARKER, ID_TOOL_MARKER, true, {IDB_MARKER, IDB_MARKER_PRESSED, IDB_MARKER_FOCUS}},
    {IDC_PANEL_PICTURE,
     ID_TOOL_PICTURE,
     true,
     {IDB_PICTURE, IDB_PICTURE_PRESSED, IDB_PICTURE_FOCUS}},
    {IDC_PANEL_CLOSE, ID_APP_EXIT, false, {IDB_CLOSE, IDB_CLOSE_PRESSED, IDB_CLOSE_FOCUS}},
    {IDC_PANEL_MINIMIZE,
     ID_WINDOW_MINIMIZE,
     false,
     {IDB_MINIMIZE, IDB_MINIMIZE_PRESSED, IDB_MINIMIZE_FOCUS}},
    {IDC_PANEL_UNDO, ID_EDIT_UNDO_STROKE, true, {IDB_UNDO, IDB_UNDO_PRESSED, IDB_UNDO_FOCUS}},
    {IDC_PANEL_REDO, ID_EDIT_REDO_STROKE, true, {IDB_REDO, IDB_REDO_PRESSED, IDB_REDO_FOCUS}},
    {IDC_PANEL_ZOOMIN, ID_ZOOM_IN, true, {IDB_ZOOM_IN, IDB_ZOOM_IN_PRESSED, IDB_ZOOM_IN_FOCUS}},
    {IDC_PANEL_ZOOMOUT,
     ID_ZOOM_OUT,
     true,
     {IDB_ZOOM_OUT, IDB_ZOOM_OUT_PRESSED, IDB_ZOOM_OUT_FOCUS}},
    {IDC_PANEL_CAPTURE,
     ID_CAPTURE_SCREEN,
     true,
     {IDB_CAPTURE, IDB_CAPTURE_PRESSED, IDB_CAPTURE_FOCUS}},
    {IDC_PANEL_INSERT,
     ID_INSERT_IMAGE,
     true,
     {IDB_INSERT_IMAGE, IDB_INSERT_IMAGE_PRESSED, IDB_INSERT_IMAGE_FOCUS}},
    {IDC_PANEL_ADDLINE,
     ID_ADD_LINE,
     true,
     {IDB_ADD_LINE, IDB_ADD_LINE_PRESSED, IDB_ADD_LINE_FOCUS}},
    {IDC_PENCIL_WIDTH, ID_PENCIL_WIDTH, true, {IDB_WIDTH, IDB_WIDTH_PRESSED, IDB_WIDTH_PRESSED}},
    {IDC_BRUSH_WIDTH, ID_BRUSH_WIDTH, true, {IDB_WIDTH, IDB_WIDTH_PRESSED, IDB_WIDTH_PRESSED}},
    {IDC_MARKER_WIDTH, ID_MARKER_WIDTH, true, {IDB_WIDTH, IDB_WIDTH_PRESSED, IDB_WIDTH_PRESSED}},
};

// Selected and usual images of the tool buttons, in the order of ETool.
struct CToolImages {
    ControlDlg::EButton nButton;
    UINT nSelected[4];
    UINT nUsual[4];
};
constexpr CToolImages kToolImages[kToolCount] = {
    {ControlDlg::kPicture,
     {IDB_PICTURE_SELECTED, IDB_PICTURE_SELECTED, IDB_PICTURE_SELECTED, IDB_PICTURE_SELECTED},
     {IDB_PICTURE, IDB_PICTURE_PRESSED, IDB_PICTURE_FOCUS, 0}},
    {ControlDlg::kEraser,
     {IDB_ERASER_SELECTED, IDB_ERASER_SELECTED, IDB_ERASER_SELECTED, 0},
     {IDB_ERASER, IDB_ERASER_PRESSED, IDB_ERASER_FOCUS, 0}},
    {ControlDlg::kPencil,
     {IDB_PENCIL_SELECTED, IDB_PENCIL_SELECTED, IDB_PENCIL_SELECTED, 0},
     {IDB_PENCIL, IDB_PENCIL_PRESSED, IDB_PENCIL_FOCUS, 0}},
    {ControlDlg::kBrush,
     {IDB_BRUSH_SELECTED, IDB_BRUSH_SELECTED, IDB_BRUSH_SELECTED, 0},
     {IDB_BRUSH, IDB_BRUSH_PRESSED, IDB_BRUSH_FOCUS, 0}},
    {ControlDlg::kMarker,
     {IDB_MARKER_SELECTED, IDB_MARKER_SELECTED, IDB_MARKER_SELECTED, 0},
     {IDB_MARKER, IDB_MARKER_PRESSED, IDB_MARKER_FOCUS, 0}},
};
static_assert(kToolImages[kToolPicture].nButton == ControlDlg::kPicture &&
                  kToolImages[kToolEraser].nButton == ControlDlg::kEraser &&
                  kToolImages[kToolPencil].nButton == ControlDlg::kPencil &&
                  kToolImages[kToolBrush].nButton == ControlDlg::kBrush &&
                  kToolImages[kToolMarker].nButton == ControlDlg::kMarker,
              "the tool images are looked up by tool number");

constexpr UINT kBackground[4] = {IDB_PANEL_LETTER, IDB_PANEL_SMALL, IDB_PANEL_DESKTOP,
                                 IDB_PANEL_INKING};
// Letter-mode places of the swatches: the program's pictures, then the library's.
constexpr POINT kPenSwatch[2] = {{322, 40}, {272, 38}};
constexpr POINT kBackSwatch[2] = {{332, 52}, {282, 48}};
constexpr SIZE kSwatchSize = {18, 18};
constexpr SIZE kLineSpacingSize = {14, 33};
} // namespace

bool ControlDlg::Create(CMainFrame* pFrame, UINT nStyle) {
    m_pFrame = pFrame;
    if (!CDialogBar::Create(pFrame->m_hWnd, IDD_PANEL, nStyle, IDD_PANEL))
        return false;
    m_drag.End();
    m_bSmallScreen = GetScreenSize().cx < 800;
    m_penw.Create(pFrame);
    for (int i = 0; i < settings::kColorBlocks; ++i)
        m_crBlocks[i] = settings::ReadColorBlock(i);
    LoadBackground(kModeLetter);
    GetLayoutRect(true);
    return true;
}

bool ControlDlg::Init() {
    // All marks first: a mark may have the id of another button's command.
    HWND markers[kButtons] = {};
    for (int i = 0; i < kButtons; ++i)
        markers[i] = GetDlgItem(m_hWnd, static_cast<int>(kButtonInfo[i].nMarker));
    for (int i = 0; i < kButtons; ++i) {
        const CButtonInfo& info = kButtonInfo[i];
        if (m_buttons[i].CreateOverMarker(m_hWnd, markers[i], info.nID, info.bVisible))
            m_buttons[i].LoadBitmaps(info.nImages[0], info.nImages[1], info.nImages[2],
                                     info.nImages[3]);
    }
    m_pToolTip = std::make_unique<CToolTipCtrl>();
    if (m_pToolTip->Create(m_hWnd)) {
        m_pToolTip->AddTool(m_buttons[kMinimize].m_hWnd, LoadResString(IDS_MINIMIZE).c_str());
        m_pToolTip->Activate(true);
    }
    ArrangeForMode(kModeLetter);
    AddChildTips();
    return true;
}

int ControlDlg::Mode() const {
    return m_pFrame ? m_pFrame->m_nMode : kModeLetter;
}

CScrivoView* ControlDlg::View() const {
    return m_pFrame ? m_pFrame->GetView() : nullptr;
}

int ControlDlg::Column() const {
    return PanelColumn(m_nArrangedMode, m_bSmallScreen, CScrivoApp::IsNewUI());
}

UINT ControlDlg::BackgroundOf(int nMode) const {
    return kBackground[nMode == kModeLetter
                           ? (m_bSmallScreen ? 1 : 0)
                           : std::clamp(nMode, int(kModeDesktop), int(kModeInking)) + 1];
}

void ControlDlg::LoadBackground(int nMode) {
    m_bmBack.Reset(LoadResBitmap(MAKEINTRESOURCEW(BackgroundOf(nMode))));
}

void ControlDlg::ArrangeForMode(int nMode) {
    if (!m_hWnd || nMode < kModeLetter || nMode > kModeInking)
        return;
    m_nArrangedMode = nMode;
    const int nColumn = Column();
    for (int i = 0; i < kButtons; ++i) {
        const auto* pRow =
            std::find_if(g_panelLayout, g_panelLayout + g_nPanelLayoutRows,
                         [&](const CPanelRow& row) { return row.nID == kButtonInfo[i].nID; });
        if (pRow != g_panelLayout + g_nPanelLayoutRows)
            ApplyPlace(m_buttons[i].m_hWnd, pRow->place[nColumn]);
    }
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
    LoadBackground(nMode);
    const SIZE size = BitmapSize(m_bmBack.Get());
    MoveWindow(m_hWnd, 0, 0, size.cx, size.cy, TRUE);
    InvalidateRect(m_hWnd, nullptr, TRUE);
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
    m_buttons[images.nButton].LoadBitmaps(pIds[0], pIds[1], nFocus, pIds[3]);
}

void ControlDlg::ShowToolSelected(int nOldTool, int nNewTool) {
    LoadToolImages(nOldTool, false, nNewTool);
    LoadToolImages(nNewTool, true);
}

bool ControlDlg::PreTranslateMessage(MSG* pMsg) {
    if (m_pToolTip && m_hWnd && (pMsg->hwnd == m_hWnd || IsChild(m_hWnd, pMsg->hwnd)))
        m_pToolTip->RelayEvent(pMsg);
    return CDialogBar::PreTranslateMessage(pMsg);
}

void ControlDlg::OnDestroy() {
    WriteSettings();
    m_pToolTip.reset();
}

void ControlDlg::WriteSettings() const {
    if (CScrivoView* pView = View()) {
        settings::CPanelSettings panel;
        panel.crPen = pView->m_crPen;
        panel.crBack = pView->m_crBack;
        panel.crLine = pView->m_crLine;
        std::copy(std::begin(m_crBlocks), std::end(m_crBlocks), panel.crBlocks);
        panel.nLineHeight = pView->m_nLineHeight;
        // A settings file that cannot be written is not worth a message at program end.
        settings::WritePanelSettings(panel);
    }
}
