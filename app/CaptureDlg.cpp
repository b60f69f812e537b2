#include "CaptureDlg.h"

#include <windowsx.h>

#include "MainFrame.h"
#include "Resources.h"
#include "ScrivoApp.h"
#include "ScrivoView.h"
#include "WindowShape.h"
#include "resource.h"

namespace {
// Makes the button over its mark with its three pictures, at its place; it keeps its own size.
void CreateButton(CBMPButton& button, HWND hwndDlg, UINT nID, UINT nFirstImage, POINT pt) {
    if (!button.CreateOverMarker(hwndDlg, GetDlgItem(hwndDlg, static_cast<int>(nID)), nID, true))
        return;
    button.LoadBitmaps(nFirstImage, nFirstImage + 1, nFirstImage + 2);
    SetWindowPos(button.m_hWnd, nullptr, pt.x, pt.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
} // namespace

CCaptureDlg::CCaptureDlg() : CDialog(IDD_CAPTURE) {}

bool CCaptureDlg::Create(CMainFrame* pFrame) {
    m_pFrame = pFrame;
    // A top-level window of its own, like the pen-width popup: an owned one would follow the
    // frame in and out of the top-most band.
    return CDialog::Create(nullptr);
}

BOOL CCaptureDlg::OnInitDialog() {
    const int nLook = CScrivoApp::IsNewUI() ? 1 : 0;
    CreateButton(m_btnStart, m_hWnd, IDC_CAPTURE_START, IDB_CAPTURE_START, kStartPlace[nLook]);
    CreateButton(m_btnCancel, m_hWnd, IDCANCEL, IDB_CAPTURE_CANCEL, kCancelPlace[nLook]);
    m_bmFace.Reset(LoadResBitmap(MAKEINTRESOURCEW(IDB_CAPTURE_FACE)));
    const SIZE size = BitmapSize(m_bmFace.Get());
    if (size.cx > 0)
        SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The program's face has round ends; the library's keeps its rectangle.
    if (nLook == 0)
        SetWindowRgn(m_hWnd,
                     CreateRoundRectRgn(0, 0, kOutline.cx, kOutline.cy, kOutlineCorner.cx,
                                        kOutlineCorner.cy),
                     TRUE);
    if (m_tips.Create(m_hWnd)) {
        m_tips.AddTool(m_btnStart.m_hWnd, LoadResString(IDS_CAPTURE_START).c_str());
        m_tips.AddTool(m_btnCancel.m_hWnd, LoadResString(IDS_CAPTURE_EXIT).c_str());
        m_tips.Activate(true);
    }
    return FALSE;
}

bool CCaptureDlg::Open() {
    if (!m_hWnd)
        return false;
    ShowWindow(m_hWnd, SW_SHOW);
    SetForegroundWindow(m_hWnd);
    // No button looks highlighted before the pointer is over it.
    if (HWND hwndSink = GetDlgItem(m_hWnd, IDC_FOCUS_SINK))
        SetFocus(hwndSink);
    return true;
}

void CCaptureDlg::PlaceAboveButton() {
    HWND hwndButton = m_pFrame ? m_pFrame->m_wndPanel.Button(ID_CAPTURE_SCREEN).m_hWnd : nullptr;
    RECT rcButton{}, rc{};
    if (!hwndButton || !GetWindowRect(hwndButton, &rcButton) || !GetWindowRect(m_hWnd, &rc))
        return;
    SetWindowPos(m_hWnd, HWND_TOPMOST, rcButton.left - kLeftOfButton,
                 rcButton.top - (rc.bottom - rc.top), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void CCaptureDlg::OnShowWindow(bool bShow) {
    if (bShow) {
        PlaceAboveButton();
        EnableWindow(m_hWnd, TRUE);
        SetCapture(m_hWnd);
        return;
    }
    HWND hwndCapture = GetCapture();
    if (hwndCapture && (hwndCapture == m_hWnd || IsChild(m_hWnd, hwndCapture)))
        ReleaseCapture();
}

void CCaptureDlg::OnStart() {
    // The dialog leaves the screen before the screen is frozen.
    ShowWindow(m_hWnd, SW_HIDE);
    ReleaseCapture();
    Sleep(100);
    EnableWindow(m_hWnd, FALSE);
    SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CScrivoView* pView = m_pFrame ? m_pFrame->GetView() : nullptr;
    if (!pView) {
        OnCancel();
        return;
    }
    pView->ScreenRun().StartCapture();
    EndDialog(IDOK);
}

void CCaptureDlg::OnCancel() {
    if (CScrivoView* pView = m_pFrame ? m_pFrame->GetView() : nullptr)
        pView->ScreenRun().ShowMainWindow(true);
    else if (m_pFrame && m_pFrame->m_hWnd)
        ShowWindow(m_pFrame->m_hWnd, SW_SHOW);
    EndDialog(IDCANCEL);
}

void CCaptureDlg::OnPaint() {
    CPaintScope paint(m_hWnd);
    DrawBitmap(paint.Get(), m_bmFace.Get());
}

bool CCaptureDlg::ForwardToButton(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (GetCapture() != m_hWnd)
        return false;
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(m_hWnd, &pt);
    for (HWND hwnd : {m_btnStart.m_hWnd, m_btnCancel.m_hWnd}) {
        RECT rc{};
        if (!hwnd || !IsWindowVisible(hwnd) || !GetWindowRect(hwnd, &rc) || !PtInRect(&rc, pt))
            continue;
        // The button takes the mouse for its highlight, and the press when there is one.
        ReleaseCapture();
        const LPARAM lButton = MAKELPARAM(pt.x - rc.left, pt.y - rc.top);
        SendMessageW(hwnd, WM_MOUSEMOVE, wParam, lButton);
        if (uMsg == WM_LBUTTONDOWN)
            SendMessageW(hwnd, WM_LBUTTONDOWN, wParam, lButton);
        return true;
    }
    return false;
}

void CCaptureDlg::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
    if (ForwardToButton(WM_LBUTTONDOWN, wParam, lParam))
        return;
    // Anywhere else on the face the press drags the dialog, as one on a caption does.
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(m_hWnd, &pt);
    ReleaseCapture();
    SendMessageW(m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
}

bool CCaptureDlg::PreTranslateMessage(MSG* pMsg) {
    if (m_hWnd && (pMsg->hwnd == m_hWnd || IsChild(m_hWnd, pMsg->hwnd)))
        m_tips.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

INT_PTR CCaptureDlg::DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_CAPTURE_START) {
            if (HIWORD(wParam) == BN_CLICKED)
                OnStart();
            return TRUE;
        }
        // Enter has no button to press here: the dialog must not close with the main window
        // hidden.
        if (LOWORD(wParam) == IDOK)
            return TRUE;
        return CDialog::DialogProc(uMsg, wParam, lParam);
    case WM_SHOWWINDOW:
        OnShowWindow(wParam != FALSE);
        return FALSE;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_MOUSEMOVE:
        ForwardToButton(uMsg, wParam, lParam);
        return FALSE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(wParam, lParam);
        return TRUE;
    default:
        return CDialog::DialogProc(uMsg, wParam, lParam);
    }
}
