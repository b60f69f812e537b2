// The main frame's three modes: the letter window, and the caption-less top-most strip of
// desktop and inking mode; the questions that guard the ink on a switch; the start of an inking
// process; and what a change of the display does to the tablet context and the panel.
#include "MainFrame.h"

#include "DialogPause.h"
#include "FrameworkIds.h"
#include "MessagePump.h"
#include "Message.h"
#include "Resources.h"
#include "ScrivoApp.h"
#include "ScrivoView.h"
#include "WindowShape.h"
#include "resource.h"

namespace {
constexpr LONG_PTR kLetterStyle = WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX;
static_assert(kLetterStyle == 0x00C50000);

void ChangeStyle(HWND hwnd, LONG_PTR nRemove, LONG_PTR nAdd) {
    const LONG_PTR nStyle = GetWindowLongPtrW(hwnd, GWL_STYLE);
    SetWindowLongPtrW(hwnd, GWL_STYLE, (nStyle & ~nRemove) | nAdd);
}
} // namespace

bool CMainFrame::AskToDropInk(UINT nIDQuestion) {
    CScrivoView* pView = GetView();
    if (pView && pView->HasInk()) {
        CDialogPause pause(pView);
        if (ShowMessage(m_hWnd, LoadResString(nIDQuestion), LoadResString(IDS_APP_TITLE),
                        MB_YESNO) != IDYES)
            return false;
    }
    if (CDocument* pDoc = GetActiveDocument())
        pDoc->OnNewDocument();
    return true;
}

void CMainFrame::ArrangeBars(bool bInvalidate) {
    if (bInvalidate) {
        InvalidateRect(m_wndBar.m_hWnd, nullptr, TRUE);
        InvalidateRect(m_wndPanel.m_hWnd, nullptr, TRUE);
    }
    m_wndBar.ArrangeForMode(m_nMode);
    m_wndPanel.ArrangeForMode(m_nMode);
    RecalcLayout();
}

RECT CMainFrame::StripRect() {
    const RECT rcBar = m_wndBar.GetLayoutRect(false), rcPanel = m_wndPanel.GetLayoutRect(false);
    const int cx = rcBar.right - rcBar.left;
    const int cy = (rcBar.bottom - rcBar.top) + (rcPanel.bottom - rcPanel.top);
    RECT rcWork{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    return {rcWork.right - cx, rcWork.bottom - cy, rcWork.right, rcWork.bottom};
}

void CMainFrame::PlaceStrip() {
    const RECT rc = StripRect();
    ShowWindow(m_hWnd, SW_SHOWNORMAL);
    MoveWindow(m_hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CMainFrame::MoveStripToCorner() {
    // The work area of the new display: the strip stays flush with its bottom-right corner,
    // shown or hidden as it was.
    const RECT rc = StripRect();
    SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainFrame::ReopenViewContext() {
    CScrivoView* pView = GetView();
    if (!pView)
        return;
    pView->CloseTabletContext();
    pView->OpenViewContext();
}

void CMainFrame::OnLetterMode() {
    if (m_nMode == kModeLetter || !AskToDropInk(IDS_ASK_LETTER_MODE))
        return;
    m_nMode = kModeLetter;
    if (CScrivoView* pView = GetView())
        pView->ScreenRun().LeaveDesktopMode();
    Sleep(100);
    ChangeStyle(m_hWnd, WS_DLGFRAME, kLetterStyle);
    // The strip's shape and the inking strip's missing Move item do not belong to the letter
    // window.
    SetWindowRgn(m_hWnd, nullptr, TRUE);
    GetSystemMenu(m_hWnd, TRUE);
    MoveWindow(m_hWnd, 100, 100, 800, 600, TRUE);
    ShowWindow(m_hWnd, SW_SHOWMAXIMIZED);
    // Out of the top-most band, where maximising put it (its borders may lie off the screen).
    SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ArrangeBars(true);
    ReopenViewContext();
}

void CMainFrame::OnDesktopMode() {
    if (m_nMode == kModeDesktop)
        return;
    CScrivoView* pView = GetView();
    // Without ink the note stays as it is.
    if (pView && pView->HasInk() && !AskToDropInk(IDS_ASK_DESKTOP_MODE))
        return;
    m_nMode = kModeDesktop;
    if (pView)
        pView->ScreenRun().EnterDesktopMode();
    ChangeStyle(m_hWnd, kLetterStyle, 0);
    PlaceStrip();
    ArrangeBars(true);
    ShowWindow(m_hWnd, SW_SHOW);
    BringWindowToTop(m_hWnd);
    if (pView && pView->Tool() == kToolPicture)
        pView->SelectTool(kToolPencil);
    ReopenViewContext();
}

void CMainFrame::OnInkingMode() {
    if (HMENU hMenu = GetSystemMenu(m_hWnd, FALSE))
        DeleteMenu(hMenu, SC_MOVE, MF_BYCOMMAND);
    if (m_nMode == kModeInking)
        return;
    m_nMode = kModeInking;
    ChangeStyle(m_hWnd, kLetterStyle, 0);
    PlaceStrip();
    ArrangeBars(false);
    ReopenViewContext();
}

void CMainFrame::StartInking() {
    SetWindowTextW(m_hWnd, LoadResString(IDS_INKING_TITLE).c_str());
    LPCWSTR pszIcon = MAKEINTRESOURCEW(IDI_INKING);
    HICON hIcon = LoadIconW(FindResourceModule(pszIcon, RT_GROUP_ICON), pszIcon);
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    OnInkingMode();
    // The program's own strip has rounded corners; the library's keeps its rectangle.
    if (!CScrivoApp::IsNewUI())
        ShapeWindow(m_hWnd, IDB_STRIP_SHAPE, RGB(255, 255, 255));
}

LRESULT CMainFrame::OnDisplayChange() {
    // Let everything the change queued be handled first.
    DispatchWaitingMessages();
    CScrivoView* pView = GetView();
    if (!pView)
        return 0;
    if (IsInkingProcess())
        pView->CloseTabletContext();
    // The next packet message reopens the context on the new display.
    pView->ReopenAtNextPacket();
    if (m_nMode == kModeLetter)
        FitPanelToScreen();
    else
        MoveStripToCorner();
    return 0;
}

void CMainFrame::FitPanelToScreen() {
    const bool bSmall = GetSystemMetrics(SM_CXSCREEN) < 800;
    if (bSmall == m_wndPanel.IsSmallScreen())
        return;
    m_wndPanel.SetSmallScreen(bSmall);
    ShowWindow(m_wndPanel.m_hWnd, SW_HIDE);
    m_wndPanel.ArrangeForMode(kModeLetter);
    UpdateWindow(m_wndPanel.m_hWnd);
    ShowWindow(m_wndPanel.m_hWnd, SW_SHOW);
    // The arrangement sizes the panel at the frame's top-left corner: the layout (of the shown
    // bars only) docks it at the bottom again, and the whole window is painted anew, also where
    // the panel used to end.
    RecalcLayout();
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
