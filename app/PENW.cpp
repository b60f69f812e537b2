#include "PENW.h"

#include "MainFrame.h"
#include "ScrivoView.h"
#include "ScrivoApp.h"
#include "WindowShape.h"
#include "resource.h"

namespace {
constexpr UINT kFirstWidth = 32799;
// Places of the five width buttons: the program's pictures, then the library's.
constexpr POINT kButtonPlaces[2][5] = {{{6, 15}, {6, 30}, {6, 45}, {6, 62}, {6, 78}},
                                       {{3, 10}, {3, 20}, {3, 30}, {3, 40}, {3, 50}}};
constexpr COLORREF kTransparent = RGB(255, 255, 255);

bool IsPress(UINT uMsg) {
    switch (uMsg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return true;
    default:
        return false;
    }
}
} // namespace

CPENW::CPENW() : CDialog(IDD_PENWIDTH) {}

CPENW::~CPENW() {
    if (m_bFiltering && CWinApp::Get())
        CWinApp::Get()->RemoveMessageFilter(this);
    DestroyWindow();
}

bool CPENW::Create(CMainFrame* pFrame) {
    m_pFrame = pFrame;
    // A top-most window of its own rather than one owned by the frame: under Wine an owned
    // window above the frame keeps the frame out of the top-most band, where the strip of
    // desktop and inking mode must be.
    return CDialog::Create(nullptr);
}

BOOL CPENW::OnInitDialog() {
    const int nLook = CScrivoApp::IsNewUI() ? 1 : 0;
    for (int i = 0; i < 5; ++i) {
        if (!m_buttons[i].AutoLoad(kFirstWidth + i, m_hWnd))
            continue;
        const POINT pt = kButtonPlaces[nLook][i];
        SetWindowPos(m_buttons[i].m_hWnd, nullptr, pt.x, pt.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    COwnedBitmap shape(LoadResBitmap(MAKEINTRESOURCEW(IDB_PENWIDTH_SHAPE)));
    const SIZE size = BitmapSize(shape.Get());
    if (size.cx > 0)
        SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(m_hWnd, &m_rcFull);
    ShapeWindow(m_hWnd, IDB_PENWIDTH_SHAPE, kTransparent);
    m_bmBack.Reset(LoadResBitmap(MAKEINTRESOURCEW(IDB_PENWIDTH_BACK)));
    m_bTimer = FALSE;
    return TRUE;
}

RECT CPENW::Anchor() const {
    RECT rc{};
    if (!m_pFrame)
        return rc;
    CButtonBar& bar = m_pFrame->m_nMode == kModeLetter
                          ? static_cast<CButtonBar&>(m_pFrame->m_wndPanel)
                          : static_cast<CButtonBar&>(m_pFrame->m_wndBar);
    // A tool other than the pencil or the brush counts as the marker.
    const UINT nWidthButton = m_nTool == kToolPencil  ? ID_PENCIL_WIDTH
                              : m_nTool == kToolBrush ? ID_BRUSH_WIDTH
                                                      : ID_MARKER_WIDTH;
    if (HWND hwnd = bar.Button(nWidthButton).m_hWnd)
        GetWindowRect(hwnd, &rc);
    return rc;
}

bool CPENW::IsAnchor(HWND hwnd) const {
    if (!m_pFrame || !hwnd)
        return false;
    for (UINT nID : {ID_PENCIL_WIDTH, ID_BRUSH_WIDTH, ID_MARKER_WIDTH})
        if (m_pFrame->m_wndPanel.Button(nID).m_hWnd == hwnd ||
            m_pFrame->m_wndBar.Button(nID).m_hWnd == hwnd)
            return true;
    return false;
}

void CPENW::Animate(UINT_PTR nTimer, int nStep) {
    m_nStep = nStep;
    if (m_bTimer && m_nRunningTimer == nTimer)
        return;
    if (m_bTimer)
        KillTimer(m_hWnd, m_nRunningTimer);
    m_bTimer = SetTimer(m_hWnd, nTimer, 1, nullptr) != 0;
    m_nRunningTimer = m_bTimer ? nTimer : 0;
}

void CPENW::Toggle(int nTool, int nCurrentWidth) {
    if (!m_hWnd)
        return;
    if (nTool == m_nTool) {
        Animate(kCloseTimer, 1);
        return;
    }
    m_nTool = nTool;
    MarkWidth(nCurrentWidth);
    Animate(kOpenTimer, 4);
}

void CPENW::HideRequest() {
    if (m_hWnd && (IsWindowVisible(m_hWnd) || m_bTimer))
        Toggle(m_nTool, 1);
}

void CPENW::MarkWidth(int n) {
    for (int i = 0; i < 5; ++i)
        ShowWindow(m_buttons[i].m_hWnd, i + 1 == n ? SW_HIDE : SW_SHOWNA);
    if (!m_bFiltering && CWinApp::Get()) {
        CWinApp::Get()->AddMessageFilter(this);
        m_bFiltering = true;
    }
}

void CPENW::Reposition() {
    if (!m_hWnd)
        return;
    const RECT rc = Anchor();
    MoveWindow(m_hWnd, rc.left, rc.top - m_rcFull.bottom, m_rcFull.right, m_rcFull.bottom, TRUE);
}

void CPENW::MoveToHeight(int nHeight) {
    const RECT rc = Anchor();
    MoveWindow(m_hWnd, rc.left, rc.top - nHeight, m_rcFull.right, nHeight, TRUE);
}

void CPENW::OnOpenStep() {
    if (m_nStep <= 1) {
        KillTimer(m_hWnd, kOpenTimer);
        m_bTimer = FALSE;
        m_nRunningTimer = 0;
    }
    if (!IsWindowVisible(m_hWnd))
        ShowWindow(m_hWnd, SW_SHOWNA);
    MoveToHeight(m_rcFull.bottom / std::max(m_nStep, 1));
    --m_nStep;
}

void CPENW::OnCloseStep() {
    if (m_nStep >= 4) {
        KillTimer(m_hWnd, kCloseTimer);
        m_bTimer = FALSE;
        m_nRunningTimer = 0;
        ShowWindow(m_hWnd, SW_HIDE);
        // Over the desktop the frozen screen shows again where the popup was, and the strip
        // stays above everything.
        if (m_pFrame && m_pFrame->m_nMode != kModeLetter) {
            CScrivoView* pView = m_pFrame->GetView();
            if (CCaptureWindow* pOverlay = pView ? pView->ScreenRun().GetOverlay() : nullptr)
                InvalidateRect(pOverlay->m_hWnd, nullptr, FALSE);
            SetWindowPos(m_pFrame->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        return;
    }
    MoveToHeight(m_rcFull.bottom / std::max(m_nStep, 1));
    ++m_nStep;
}

bool CPENW::FilterMessage(MSG* pMsg) {
    if (!IsPress(pMsg->message) || !m_hWnd || m_bTimer)
        return false;
    if (pMsg->hwnd == m_hWnd || IsChild(m_hWnd, pMsg->hwnd) || IsAnchor(pMsg->hwnd))
        return false;
    Animate(kCloseTimer, 1);
    return false;
}

void CPENW::OnPaint() {
    CPaintScope paint(m_hWnd);
    DrawBitmap(paint.Get(), m_bmBack.Get());
}

void CPENW::OnShowWindow(bool bShow) {
    if (bShow)
        return;
    // Hidden from outside (the frame went away) the popup must not come back by itself.
    if (m_bTimer) {
        KillTimer(m_hWnd, m_nRunningTimer);
        m_bTimer = FALSE;
        m_nRunningTimer = 0;
    }
    m_nTool = kToolPicture;
    if (m_bFiltering && CWinApp::Get())
        CWinApp::Get()->RemoveMessageFilter(this);
    m_bFiltering = false;
}

INT_PTR CPENW::DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_TIMER:
        if (wParam == kOpenTimer)
            OnOpenStep();
        else if (wParam == kCloseTimer)
            OnCloseStep();
        return TRUE;
    case WM_LBUTTONDOWN:
        if (!m_bTimer)
            Animate(kCloseTimer, 1);
        return FALSE;
    case WM_MOUSEMOVE:
        SetFocus(m_hWnd);
        return FALSE;
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_SHOWWINDOW:
        OnShowWindow(wParam != FALSE);
        return FALSE;
    case WM_DESTROY:
        OnShowWindow(false);
        return FALSE;
    case WM_COMMAND:
        // The width commands go to the frame, which routes them to the view.
        if (m_pFrame && m_pFrame->m_hWnd)
            SendMessageW(m_pFrame->m_hWnd, WM_COMMAND, wParam, 0);
        return TRUE;
    default:
        return CDialog::DialogProc(uMsg, wParam, lParam);
    }
}
