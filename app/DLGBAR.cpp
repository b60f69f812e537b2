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
// Images of the buttons that change with the mode: letter mode (and every mode with the program's
// own pictures), desktop mode with the library's, inking mode with the library's.
struct CModeImages {
    UINT nButton;
    UINT nImages[3][3];
};

constexpr CModeImages kModeImages[] = {
    {ID_FILE_NEW,
     {{IDB_NEW, IDB_NEW_PRESSED, IDB_NEW_FOCUS},
      {IDB_STRIP_NEW, IDB_STRIP_NEW_PRESSED, IDB_STRIP_NEW_FOCUS},
      {IDB_NEW, IDB_NEW_PRESSED, IDB_NEW_FOCUS}}},
    {ID_FILE_OPEN,
     {{IDB_OPEN, IDB_OPEN_PRESSED, IDB_OPEN_FOCUS},
      {IDB_OPEN, IDB_OPEN_PRESSED, IDB_OPEN_FOCUS},
      {IDB_OPEN, IDB_OPEN_PRESSED, IDB_OPEN_FOCUS}}},
    {ID_FILE_SAVE,
     {{IDB_SAVE, IDB_SAVE_PRESSED, IDB_SAVE_FOCUS},
      {IDB_STRIP_SAVE, IDB_STRIP_SAVE_PRESSED, IDB_STRIP_SAVE_FOCUS},
      {IDB_SAVE, IDB_SAVE_PRESSED, IDB_SAVE_FOCUS}}},
    {ID_FILE_PRINT_PREVIEW,
     {{IDB_PREVIEW, IDB_PREVIEW_PRESSED, IDB_PREVIEW_FOCUS},
      {IDB_STRIP_PREVIEW, IDB_STRIP_PREVIEW_PRESSED, IDB_STRIP_PREVIEW_FOCUS},
      {IDB_PREVIEW, IDB_PREVIEW_PRESSED, IDB_PREVIEW_FOCUS}}},
    {ID_FILE_PRINT,
     {{IDB_PRINT, IDB_PRINT_PRESSED, IDB_PRINT_FOCUS},
      {IDB_STRIP_PRINT, IDB_STRIP_PRINT_PRESSED, IDB_STRIP_PRINT_FOCUS},
      {IDB_PRINT, IDB_PRINT_PRESSED, IDB_PRINT_FOCUS}}},
    {ID_LETTER_MODE,
     {{IDB_LETTER, IDB_LETTER_PRESSED, IDB_LETTER_FOCUS},
      {IDB_LETTER, IDB_LETTER_PRESSED, IDB_LETTER_FOCUS},
      {IDB_LETTER, IDB_LETTER_PRESSED, IDB_LETTER_FOCUS}}},
    {ID_FILE_SEND_MAIL,
     {{IDB_MAIL, IDB_MAIL_PRESSED, IDB_MAIL_FOCUS},
      {IDB_STRIP_MAIL, IDB_STRIP_MAIL_PRESSED, IDB_STRIP_MAIL_FOCUS},
      {IDB_MAIL, IDB_MAIL_PRESSED, IDB_MAIL_FOCUS}}},
    {ID_DESKTOP_MODE,
     {{IDB_DESKTOP, IDB_DESKTOP_PRESSED, IDB_DESKTOP_FOCUS},
      {IDB_DESKTOP, IDB_DESKTOP_PRESSED, IDB_DESKTOP_FOCUS},
      {IDB_DESKTOP, IDB_DESKTOP_PRESSED, IDB_DESKTOP_FOCUS}}},
    {ID_APP_ABOUT,
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

CDLGBAR::CDLGBAR() : CButtonBar(g_barButtons, g_nBarButtons, false) {}

bool CDLGBAR::Create(CMainFrame* pFrame, UINT nStyle) {
    if (!CreateBar(pFrame, IDD_TOOLBAR, nStyle))
        return false;
    m_bTipWanted = true;
    m_bTipOnArrange = false;
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    if (m_tip.Create(hInstance, m_hWnd) && m_tip.AddTool(hInstance, m_hWnd, true)) {
        m_tip.SetDelays(0, 0, 0);
        m_tip.SetColors(RGB(0, 0, 0), kTipBack);
    }
    HideTip();
    LoadBackground(kBackground[kModeLetter]);
    GetLayoutRect(true);
    return true;
}

void CDLGBAR::LoadModeImages(int nMode) {
    // Only the library's pictures differ by mode.
    const int nSet = CScrivoApp::IsNewUI() ? nMode : 0;
    for (const CModeImages& images : kModeImages) {
        const UINT* pIds = images.nImages[nSet];
        Button(images.nButton).LoadBitmaps(pIds[0], pIds[1], pIds[2]);
    }
}

void CDLGBAR::PlaceInkingPictures(bool bInking) {
    const std::pair<UINT, UINT> kPictures[] = {{IDC_BAR_START_BACK, ID_START_WRITING},
                                               {IDC_BAR_INKING_BACK, ID_HAND_OVER_INK},
                                               {IDC_BAR_CANCEL_BACK, ID_CANCEL_WRITING}};
    for (const auto& [nPicture, nButton] : kPictures) {
        HWND hwndPicture = GetDlgItem(m_hWnd, static_cast<int>(nPicture));
        if (!hwndPicture)
            continue;
        if (HWND hwndButton = Button(nButton).m_hWnd; bInking && hwndButton) {
            const RECT rc = ChildRect(m_hWnd, hwndButton);
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
    PlaceButtons(g_barLayout, g_nBarLayoutRows, nColumn);
    PlaceInkingPictures(nMode == kModeInking);
    if (nMode == kModeInking)
        ShowStartTip();
    LoadBackground(kBackground[nMode]);
    const SIZE size = BitmapSize(m_bmBack.Get());
    MoveWindow(m_hWnd, 0, 0, size.cx, size.cy, TRUE);
    LoadModeImages(nMode);
}

RECT CDLGBAR::GetLayoutRect(bool bMove) {
    const SIZE size =
        ResourceBitmapSize(kBackground[std::clamp(Mode(), int(kModeLetter), int(kModeInking))]);
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
    HWND hwndStart = Button(ID_START_WRITING).m_hWnd;
    if (!m_bTipWanted || !m_tip.m_hWnd || !hwndStart)
        return;
    const std::wstring strTip = LoadResString(ID_START_WRITING);
    char szText[64] = {};
    WideCharToMultiByte(CP_ACP, 0, strTip.c_str(), -1, szText, sizeof(szText) - 1, nullptr,
                        nullptr);
    RECT r{};
    GetWindowRect(hwndStart, &r);
    const bool bOld = m_tip.GetComCtlVersion() < CTrackTip::kVersion580;
    if (bOld)
        m_tip.Activate(false);
    m_tip.SetText(szText);
    m_tip.TrackPosition((r.left + r.right) / 2, (r.bottom * 8 + r.top * 2) / 10);
    if (m_bTipOnArrange || bOld)
        m_nTimer = SetTimer(m_hWnd, kTipTimer, 30, nullptr);
}

void CDLGBAR::ShowWritingRun(bool bWriting) {
    if (bWriting) {
        if (m_bTipWanted)
            HideTip();
        m_bTipWanted = false;
    }
    const int nShowRun = bWriting ? SW_SHOWNA : SW_HIDE, nHideRun = bWriting ? SW_HIDE : SW_SHOWNA;
    ShowWindow(Button(ID_START_WRITING).m_hWnd, nHideRun);
    ShowWindow(Button(ID_HAND_OVER_INK).m_hWnd, nShowRun);
    ShowWindow(Button(ID_CANCEL_WRITING).m_hWnd, nShowRun);
    ShowWindow(Button(ID_WINDOW_MINIMIZE).m_hWnd, nHideRun);
    if (CScrivoApp::IsNewUI() && m_pFrame)
        m_pFrame->ShowPanelControl(ID_WINDOW_MINIMIZE, !bWriting);
}

void CDLGBAR::OnSize(int cx) {
    m_bTipOnArrange = false;
    if (Mode() != kModeLetter)
        return;
    HWND hwndClose = Button(ID_APP_EXIT).m_hWnd, hwndScale = Button(ID_WINDOW_SCALE).m_hWnd;
    HWND hwndMin = Button(ID_WINDOW_MINIMIZE).m_hWnd;
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

void CDLGBAR::PaintOver(HDC hdc) {
    if (m_nArrangedMode == kModeLetter)
        return;
    CScrivoView* pView = View();
    const bool bNewUI = CScrivoApp::IsNewUI();
    COwnedFont font(CreateFontW(bNewUI ? 12 : 20, 0, 0, 0, 900, FALSE, FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                VARIABLE_PITCH | FF_SWISS, L"Arial"));
    if (!pView || bNewUI)
        return;
    CSelectScope select(hdc, font.Get());
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(0, 0, 0));
    const int nLevels[3] = {pView->LevelOf(kToolPencil), pView->LevelOf(kToolBrush),
                            pView->LevelOf(kToolMarker)};
    const int x[3] = {97, 145, 194};
    for (int i = 0; i < 3; ++i) {
        wchar_t sz[16];
        const int n = wsprintfW(sz, L"%d ", nLevels[i]);
        TextOutW(hdc, x[i], 11, sz, n);
    }
}

void CDLGBAR::OnTimer(UINT_PTR nID) {
    if (nID != kTipTimer)
        return;
    m_tip.Activate(true);
    KillTimer(m_hWnd, kTipTimer);
}

void CDLGBAR::OnDestroy() {
    KillTimer(m_hWnd, kTipTimer);
    CButtonBar::OnDestroy();
}

INT_PTR CDLGBAR::DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_SIZE:
        OnSize(GET_X_LPARAM(lParam));
        return FALSE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    default:
        return CButtonBar::DialogProc(uMsg, wParam, lParam);
    }
}
