#include "DLGBAR.h"

#include <windowsx.h>

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
    // Its own string for the bar's tip control; 0 when the framework's child tip serves.
    UINT nTip;
    // Normal, pressed and focused image; 0 when the mode chooses them.
    UINT nImages[3];
};

// In the order of CDLGBAR::EButton.
constexpr CButtonInfo kButtonInfo[CDLGBAR::kButtons] = {
    {IDC_BAR_NEW, 57600, true, 57600, {}},
    {IDC_BAR_OPEN, 57601, true, 57601, {}},
    {IDC_BAR_SAVE, 57603, true, 57603, {}},
    {IDC_BAR_PREVIEW, ID_FILE_PRINT_PREVIEW, true, ID_FILE_PRINT_PREVIEW, {}},
    {IDC_BAR_PRINT, 57607, true, 57607, {}},
    {IDC_BAR_LETTER, ID_LETTER_MODE, false, ID_LETTER_MODE, {}},
    {IDC_BAR_MAIL, ID_FILE_SEND_MAIL, true, ID_FILE_SEND_MAIL, {}},
    {IDC_BAR_DESKTOP, ID_DESKTOP_MODE, true, ID_DESKTOP_MODE, {}},
    {IDC_BAR_ABOUT, 57664, true, 57664, {}},
    {IDC_BAR_CLOSE, 57665, true, 0, {256, 258, 257}},
    {IDC_BAR_SCALE, ID_WINDOW_SCALE, true, IDS_SCALE, {264, 266, 265}},
    {IDC_BAR_MINIMIZE, ID_WINDOW_MINIMIZE, true, IDS_MINIMIZE, {261, 263, 262}},
    {IDC_BAR_START, ID_START_WRITING, false, ID_START_WRITING, {336, 338, 342}},
    {IDC_BAR_CANCEL, ID_CANCEL_WRITING, false, ID_CANCEL_WRITING, {330, 332, 339}},
    {IDC_BAR_INKING, ID_HAND_OVER_INK, false, ID_HAND_OVER_INK, {333, 341, 340}},
    {IDC_PENCIL_WIDTH, ID_PENCIL_WIDTH, false, 0, {313, 312, 312}},
    {IDC_BRUSH_WIDTH, ID_BRUSH_WIDTH, false, 0, {313, 312, 312}},
    {IDC_MARKER_WIDTH, ID_MARKER_WIDTH, false, 0, {313, 312, 312}},
};

// Images of the buttons that change with the mode: letter mode (and every mode with the program's
// own pictures), desktop mode with the library's, inking mode with the library's.
struct CModeImages {
    CDLGBAR::EButton nButton;
    UINT nImages[3][3];
};

constexpr CModeImages kModeImages[] = {
    {CDLGBAR::kNew, {{227, 229, 228}, {400, 401, 402}, {227, 229, 228}}},
    {CDLGBAR::kOpen, {{230, 232, 231}, {230, 232, 231}, {230, 232, 231}}},
    {CDLGBAR::kSave, {{233, 235, 234}, {409, 407, 408}, {233, 235, 234}}},
    {CDLGBAR::kPreview, {{236, 238, 237}, {414, 410, 413}, {236, 238, 237}}},
    {CDLGBAR::kPrint, {{239, 241, 242}, {417, 415, 416}, {239, 241, 242}}},
    {CDLGBAR::kLetter, {{249, 247, 248}, {249, 247, 248}, {249, 247, 248}}},
    {CDLGBAR::kMail, {{244, 246, 245}, {420, 418, 419}, {244, 246, 245}}},
    {CDLGBAR::kDesktop, {{250, 252, 251}, {250, 252, 251}, {250, 252, 251}}},
    {CDLGBAR::kAbout, {{438, 255, 253}, {423, 421, 422}, {423, 421, 422}}},
};

constexpr UINT kBackground[3] = {IDB_BAR_LETTER, IDB_BAR_DESKTOP, IDB_BAR_INKING};
constexpr UINT_PTR kTipTimer = 1;
constexpr COLORREF kTipBack = 0xC8FFFF;
// The three window buttons keep to the right edge of a bar at least this wide.
constexpr int kMinBarWidth = 690;
} // namespace

bool CDLGBAR::Create(CMainFrame* pFrame, UINT nStyle) {
    m_pFrame = pFrame;
    if (!CDialogBar::Create(pFrame->m_hWnd, IDD_TOOLBAR, nStyle, IDD_TOOLBAR))
        return false;
    m_drag.End();
    m_bTipWanted = true;
    m_bTipOnArrange = false;
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    if (m_tip.Create(hInstance, m_hWnd) && m_tip.AddTool(hInstance, m_hWnd, true)) {
        m_tip.SetDelays(0, 0, 0);
        m_tip.SetColors(RGB(0, 0, 0), kTipBack);
    }
    m_bmBack.Reset(LoadResBitmap(MAKEINTRESOURCEW(kBackground[0])));
    GetLayoutRect(true);
    return true;
}

bool CDLGBAR::Init() {
    // All marks first: a mark may have the id of another button's command.
    HWND markers[kButtons] = {};
    for (int i = 0; i < kButtons; ++i)
        markers[i] = GetDlgItem(m_hWnd, static_cast<int>(kButtonInfo[i].nMarker));
    for (int i = 0; i < kButtons; ++i) {
        const CButtonInfo& info = kButtonInfo[i];
        if (m_buttons[i].CreateOverMarker(m_hWnd, markers[i], info.nID, info.bVisible) &&
            info.nImages[0])
            m_buttons[i].LoadBitmaps(info.nImages[0], info.nImages[1], info.nImages[2]);
    }
    HideTip();
    ArrangeForMode(kModeLetter);
    CreateToolTips();
    return true;
}

int CDLGBAR::Mode() const {
    return m_pFrame ? m_pFrame->m_nMode : kModeLetter;
}

void CDLGBAR::CreateToolTips() {
    m_pToolTip = std::make_unique<CToolTipCtrl>();
    if (!m_pToolTip->Create(m_hWnd))
        return;
    for (int i = 0; i < kButtons; ++i) {
        if (kButtonInfo[i].nTip && m_buttons[i].m_hWnd)
            m_pToolTip->AddTool(m_buttons[i].m_hWnd, LoadResString(kButtonInfo[i].nTip).c_str());
    }
    m_pToolTip->Activate(true);
    AddChildTips();
}

void CDLGBAR::LoadModeImages(int nMode) {
    // Only the library's pictures differ by mode.
    const int nSet = CScrivoApp::IsNewUI() ? nMode : 0;
    for (const CModeImages& images : kModeImages) {
        const UINT* pIds = images.nImages[nSet];
        m_buttons[images.nButton].LoadBitmaps(pIds[0], pIds[1], pIds[2]);
    }
}

void CDLGBAR::PlaceInkingPictures(bool bInking) {
    const std::pair<UINT, EButton> kPictures[] = {{IDC_BAR_START_BACK, kStart},
                                                  {IDC_BAR_INKING_BACK, kInking},
                                                  {IDC_BAR_CANCEL_BACK, kCancel}};
    for (const auto& [nPicture, nButton] : kPictures) {
        HWND hwndPicture = GetDlgItem(m_hWnd, static_cast<int>(nPicture));
        if (!hwndPicture)
            continue;
        if (bInking && m_buttons[nButton].m_hWnd) {
            const RECT rc = ChildRect(m_hWnd, m_buttons[nButton].m_hWnd);
            SetWindowPos(hwndPicture, HWND_BOTTOM, rc.left, rc.top, 0, 0,
                         SWP_NOSIZE | SWP_NOACTIVATE);
        }
        ShowWindow(hwndPicture, bInking ? SW_SHOWNA : SW_HIDE);
    }
}

void CDLGBAR::ArrangeForMode(int nMode) {
    if (!m_hWnd || nMode < kModeLetter || nMode > kModeInking)
        return;
    m_bTipOnArrange = true;
    m_nArrangedMode = nMode;
    const int nColumn = nMode + (CScrivoApp::IsNewUI() ? 3 : 0);
    for (int i = 0; i < kButtons; ++i) {
        const auto* pRow =
            std::find_if(g_barLayout, g_barLayout + g_nBarLayoutRows,
                         [&](const CBarRow& row) { return row.nID == kButtonInfo[i].nID; });
        if (pRow != g_barLayout + g_nBarLayoutRows)
            ApplyPlace(m_buttons[i].m_hWnd, pRow->place[nColumn]);
    }
    PlaceInkingPictures(nMode == kModeInking);
    if (nMode == kModeInking)
        ShowStartTip();
    m_bmBack.Reset(LoadResBitmap(MAKEINTRESOURCEW(kBackground[nMode])));
    const SIZE size = BitmapSize(m_bmBack.Get());
    MoveWindow(m_hWnd, 0, 0, size.cx, size.cy, TRUE);
    LoadModeImages(nMode);
}

RECT CDLGBAR::GetLayoutRect(bool bMove) {
    const SIZE size = ResourceBitmapSize(kBackground[std::clamp(Mode(), 0, 2)]);
    if (bMove && m_hWnd) {
        RECT rcWork{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
        MoveWindow(m_hWnd, 0, 0, rcWork.right - rcWork.left, size.cy, TRUE);
    }
    return {0, 0, size.cx, size.cy};
}

void CDLGBAR::HideTip() {
    m_tip.Activate(false);
}

void CDLGBAR::ShowStartTip() {
    if (!m_bTipWanted || !m_tip.m_hWnd || !m_buttons[kStart].m_hWnd)
        return;
    const std::wstring strTip = LoadResString(ID_START_WRITING);
    char szText[64] = {};
    WideCharToMultiByte(CP_ACP, 0, strTip.c_str(), -1, szText, sizeof(szText) - 1, nullptr,
                        nullptr);
    RECT r{};
    GetWindowRect(m_buttons[kStart].m_hWnd, &r);
    const bool bOld = m_tip.GetComCtlVersion() < CTrackTip::kVersion580;
    if (bOld)
        m_tip.Activate(false);
    m_tip.SetText(szText);
    m_tip.TrackPosition((r.left + r.right) / 2, (r.bottom * 8 + r.top * 2) / 10);
    if (m_bTipOnArrange || bOld)
        m_nTimer = SetTimer(m_hWnd, kTipTimer, 30, nullptr);
}

void CDLGBAR::OnStartWriting() {
    if (m_bTipWanted)
        HideTip();
    m_bTipWanted = false;
    ShowWindow(m_buttons[kStart].m_hWnd, SW_HIDE);
    ShowWindow(m_buttons[kInking].m_hWnd, SW_SHOWNA);
    ShowWindow(m_buttons[kCancel].m_hWnd, SW_SHOWNA);
    ShowWindow(m_buttons[kMinimize].m_hWnd, SW_HIDE);
    if (CScrivoApp::IsNewUI() && m_pFrame)
        m_pFrame->ShowPanelControl(ID_WINDOW_MINIMIZE, false);
}

void CDLGBAR::OnInkDone() {
    ShowWindow(m_buttons[kStart].m_hWnd, SW_SHOWNA);
    ShowWindow(m_buttons[kInking].m_hWnd, SW_HIDE);
    ShowWindow(m_buttons[kCancel].m_hWnd, SW_HIDE);
    ShowWindow(m_buttons[kMinimize].m_hWnd, SW_SHOWNA);
    if (CScrivoApp::IsNewUI() && m_pFrame)
        m_pFrame->ShowPanelControl(ID_WINDOW_MINIMIZE, true);
}

void CDLGBAR::OnSize(int cx) {
    m_bTipOnArrange = false;
    if (Mode() != kModeLetter)
        return;
    HWND hwndClose = m_buttons[kClose].m_hWnd, hwndScale = m_buttons[kScale].m_hWnd;
    HWND hwndMin = m_buttons[kMinimize].m_hWnd;
    if (!hwndClose || !hwndScale || !hwndMin)
        return;
    const int w = std::max(cx, kMinBarWidth);
    auto width = [&](HWND hwnd) {
        return ChildRect(m_hWnd, hwnd).right - ChildRect(m_hWnd, hwnd).left;
    };
    const int xClose = w - width(hwndClose);
    const int xScale = xClose - width(hwndScale);
    const int xMin = xScale - width(hwndMin) - 5;
    const UINT nFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(hwndClose, nullptr, xClose, 0, 0, 0, nFlags);
    SetWindowPos(hwndScale, nullptr, xScale, 0, 0, 0, nFlags);
    SetWindowPos(hwndMin, nullptr, xMin, 0, 0, 0, nFlags);
}

void CDLGBAR::PaintWidths(HDC hdc) {
    CScrivoView* pView = m_pFrame ? m_pFrame->GetView() : nullptr;
    const bool bNewUI = CScrivoApp::IsNewUI();
    COwnedFont font(CreateFontW(bNewUI ? 12 : 20, 0, 0, 0, 900, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                VARIABLE_PITCH | FF_SWISS, L"Arial"));
    if (!pView || bNewUI)
        return;
    CSelectScope select(hdc, font.Get());
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(0, 0, 0));
    const int nLevels[3] = {pView->m_nPencilLevel, pView->m_nBrushLevel, pView->m_nMarkerLevel};
    const int x[3] = {97, 145, 194};
    for (int i = 0; i < 3; ++i) {
        wchar_t sz[16];
        const int n = wsprintfW(sz, L"%d ", nLevels[i]);
        TextOutW(hdc, x[i], 11, sz, n);
    }
}

void CDLGBAR::OnPaint() {
    CPaintScope paint(m_hWnd);
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    DrawBackground(paint.Get(), m_bmBack.Get(), rc);
    if (m_nArrangedMode != kModeLetter)
        PaintWidths(paint.Get());
}

void CDLGBAR::OnTimer(UINT_PTR nID) {
    if (nID != kTipTimer)
        return;
    m_tip.Activate(true);
    KillTimer(m_hWnd, kTipTimer);
}

bool CDLGBAR::PreTranslateMessage(MSG* pMsg) {
    if (m_pToolTip && m_hWnd && (pMsg->hwnd == m_hWnd || IsChild(m_hWnd, pMsg->hwnd)))
        m_pToolTip->RelayEvent(pMsg);
    return CDialogBar::PreTranslateMessage(pMsg);
}

INT_PTR CDLGBAR::DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_SIZE:
        OnSize(GET_X_LPARAM(lParam));
        return FALSE;
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_LBUTTONDOWN:
        if (m_pFrame)
            m_pFrame->ClosePenWidthPopup();
        m_drag.Begin(m_hWnd, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return FALSE;
    case WM_LBUTTONUP:
        m_drag.End();
        return FALSE;
    case WM_MOUSEMOVE:
        m_drag.OnMouseMove(m_hWnd, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
        return FALSE;
    case WM_DESTROY:
        KillTimer(m_hWnd, kTipTimer);
        m_pToolTip.reset();
        return FALSE;
    default:
        return CDialogBar::DialogProc(uMsg, wParam, lParam);
    }
}
