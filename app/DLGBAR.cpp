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
    {IDC_BAR_NEW, ID_FILE_NEW, true, ID_FILE_NEW, {}},
    {IDC_BAR_OPEN, ID_FILE_OPEN, true, ID_FILE_OPEN, {}},
    {IDC_BAR_SAVE, ID_FILE_SAVE, true, ID_FILE_SAVE, {}},
    {IDC_BAR_PREVIEW, ID_FILE_PRINT_PREVIEW, true, ID_FILE_PRINT_PREVIEW, {}},
    {IDC_BAR_PRINT, ID_FILE_PRINT, true, ID_FILE_PRINT, {}},
    {IDC_BAR_LETTER, ID_LETTER_MODE, false, ID_LETTER_MODE, {}},
    {IDC_BAR_MAIL, ID_FILE_SEND_MAIL, true, ID_FILE_SEND_MAIL, {}},
    {IDC_BAR_DESKTOP, ID_DESKTOP_MODE, true, ID_DESKTOP_MODE, {}},
    {IDC_BAR_ABOUT, ID_APP_ABOUT, true, ID_APP_ABOUT, {}},
    {IDC_BAR_CLOSE, ID_APP_EXIT, true, 0, {IDB_CLOSE, IDB_CLOSE_PRESSED, IDB_CLOSE_FOCUS}},
    {IDC_BAR_SCALE,
     ID_WINDOW_SCALE,
     true,
     IDS_SCALE,
     {IDB_SCALE, IDB_SCALE_PRESSED, IDB_SCALE_FOCUS}},
    {IDC_BAR_MINIMIZE,
     ID_WINDOW_MINIMIZE,
     true,
     IDS_MINIMIZE,
     {IDB_MINIMIZE, IDB_MINIMIZE_PRESSED, IDB_MINIMIZE_FOCUS}},
    {IDC_BAR_START,
     ID_START_WRITING,
     false,
     ID_START_WRITING,
     {IDB_START_WRITING, IDB_START_WRITING_PRESSED, IDB_START_WRITING_FOCUS}},
    {IDC_BAR_CANCEL,
     ID_CANCEL_WRITING,
     false,
     ID_CANCEL_WRITING,
     {IDB_CANCEL_WRITING, IDB_CANCEL_WRITING_PRESSED, IDB_CANCEL_WRITING_FOCUS}},
    {IDC_BAR_INKING,
     ID_HAND_OVER_INK,
     false,
     ID_HAND_OVER_INK,
     {IDB_HAND_OVER_INK, IDB_HAND_OVER_INK_PRESSED, IDB_HAND_OVER_INK_FOCUS}},
    {IDC_PENCIL_WIDTH,
     ID_PENCIL_WIDTH,
     false,
     0,
     {IDB_WIDTH, IDB_WIDTH_PRESSED, IDB_WIDTH_PRESSED}},
    {IDC_BRUSH_WIDTH, ID_BRUSH_WIDTH, false, 0, {IDB_WIDTH, IDB_WIDTH_PRESSED, IDB_WIDTH_PRESSED}},
    {IDC_MARKER_WIDTH,
     ID_MARKER_WIDTH,
     false,
     0,
     {IDB_WIDTH, IDB_WIDTH_PRESSED, IDB_WIDTH_PRESSED}},
};

// Images of the buttons that change with the mode: letter mode (and every mode with the program's
// own pictures), desktop mode with the library's, inking mode with the library's.
struct CModeImages {
    CDLGBAR::EButton nButton;
    UINT nImages[3][3];
};

constexpr CModeImages kModeImages[] = {
    {CDLGBAR::kNew,
     {{IDB_NEW, IDB_NEW_PRESSED, IDB_NEW_FOCUS},
      {IDB_STRIP_NEW, IDB_STRIP_NEW_PRESSED, IDB_STRIP_NEW_FOCUS},
      {IDB_NEW, IDB_NEW_PRESSED, IDB_NEW_FOCUS}}},
    {CDLGBAR::kOpen,
     {{IDB_OPEN, IDB_OPEN_PRESSED, IDB_OPEN_FOCUS},
      {IDB_OPEN, IDB_OPEN_PRESSED, IDB_OPEN_FOCUS},
      {IDB_OPEN, IDB_OPEN_PRESSED, IDB_OPEN_FOCUS}}},
    {CDLGBAR::kSave,
     {{IDB_SAVE, IDB_SAVE_PRESSED, IDB_SAVE_FOCUS},
      {IDB_STRIP_SAVE, IDB_STRIP_SAVE_PRESSED, IDB_STRIP_SAVE_FOCUS},
      {IDB_SAVE, IDB_SAVE_PRESSED, IDB_SAVE_FOCUS}}},
    {CDLGBAR::kPreview,
     {{IDB_PREVIEW, IDB_PREVIEW_PRESSED, IDB_PREVIEW_FOCUS},
      {IDB_STRIP_PREVIEW, IDB_STRIP_PREVIEW_PRESSED, IDB_STRIP_PREVIEW_FOCUS},
      {IDB_PREVIEW, IDB_PREVIEW_PRESSED, IDB_PREVIEW_FOCUS}}},
    {CDLGBAR::kPrint,
     {{IDB_PRINT, IDB_PRINT_PRESSED, IDB_PRINT_FOCUS},
      {IDB_STRIP_PRINT, IDB_STRIP_PRINT_PRESSED, IDB_STRIP_PRINT_FOCUS},
      {IDB_PRINT, IDB_PRINT_PRESSED, IDB_PRINT_FOCUS}}},
    {CDLGBAR::kLetter,
     {{IDB_LETTER, IDB_LETTER_PRESSED, IDB_LETTER_FOCUS},
      {IDB_LETTER, IDB_LETTER_PRESSED, IDB_LETTER_FOCUS},
      {IDB_LETTER, IDB_LETTER_PRESSED, IDB_LETTER_FOCUS}}},
    {CDLGBAR::kMail,
     {{IDB_MAIL, IDB_MAIL_PRESSED, IDB_MAIL_FOCUS},
      {IDB_STRIP_MAIL, IDB_STRIP_MAIL_PRESSED, IDB_STRIP_MAIL_FOCUS},
      {IDB_MAIL, IDB_MAIL_PRESSED, IDB_MAIL_FOCUS}}},
    {CDLGBAR::kDesktop,
     {{IDB_DESKTOP, IDB_DESKTOP_PRESSED, IDB_DESKTOP_FOCUS},
      {IDB_DESKTOP, IDB_DESKTOP_PRESSED, IDB_DESKTOP_FOCUS},
      {IDB_DESKTOP, IDB_DESKTOP_PRESSED, IDB_DESKTOP_FOCUS}}},
    {CDLGBAR::kAbout,
     {{IDB_HELP, IDB_HELP_PRESSED, IDB_HELP_FOCUS},
      {IDB_STRIP_HELP, IDB_STRIP_HELP_PRESSED, IDB_STRIP_HELP_FOCUS},
      {IDB_STRIP_HELP, IDB_STRIP_HELP_PRESSED, IDB_STRIP_HELP_FOCUS}}},
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
