// The main frame's side of its bars and of the pen-width popup: creating them, keeping them in
// place when the frame changes, and what the canvas view asks of them.
#include "MainFrame.h"

#include "ScrivoView.h"
#include "resource.h"

namespace {
constexpr UINT kPanelStyle = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP | CBRS_TOOLTIPS | CBRS_FLYBY;
constexpr UINT kBarStyle = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY;
static_assert(kPanelStyle == 0x8230 && kBarStyle == 0x2830);
} // namespace

bool CMainFrame::CreateBars() {
    if (!m_wndPanel.Create(this, kPanelStyle))
        return false;
    if (!m_wndBar.Create(this, kBarStyle))
        return false;
    m_wndPanel.Init();
    m_wndBar.Init();
    AddDockedBar(&m_wndBar);
    AddDockedBar(&m_wndPanel);
    // Without the capture dialog Capture Screen leaves the main window as it is.
    m_dlgCapture.Create(this);
    return true;
}

void CMainFrame::EndCaptureForClose() {
    if (m_dlgCapture.IsOpen())
        m_dlgCapture.OnCancel();
    if (CScrivoView* pView = GetView())
        pView->ScreenRun().GiveScreenBack();
}

void CMainFrame::OnSizeBars() {
    m_wndBar.HideTip();
    m_wndPanel.m_penw.Reposition();
}

void CMainFrame::OnMoveBars() {
    m_wndPanel.m_penw.Reposition();
    if (m_wndBar.m_hWnd && m_nMode == kModeInking)
        m_wndBar.ShowStartTip();
}

bool CMainFrame::OnWindowCommand(UINT nID) {
    switch (nID) {
    case ID_WINDOW_SCALE:
        ShowWindow(m_hWnd, IsZoomed(m_hWnd) ? SW_SHOWNORMAL : SW_SHOWMAXIMIZED);
        return true;
    case ID_WINDOW_MINIMIZE:
        m_wndBar.HideTip();
        ShowWindow(m_hWnd, SW_SHOWMINIMIZED);
        return true;
    default:
        return false;
    }
}

void CMainFrame::ShowPanelControl(UINT nID, bool bShow) {
    if (HWND hwnd = GetDlgItem(m_wndPanel.m_hWnd, static_cast<int>(nID)))
        ShowWindow(hwnd, bShow ? SW_SHOWNA : SW_HIDE);
}

void CMainFrame::EnablePanelControl(UINT nID, bool bEnable) {
    if (HWND hwnd = GetDlgItem(m_wndPanel.m_hWnd, static_cast<int>(nID)))
        EnableWindow(hwnd, bEnable ? TRUE : FALSE);
}

void CMainFrame::TogglePenWidthPopup(int nTool, int nLevel) {
    m_wndPanel.m_penw.Toggle(nTool, nLevel);
}

void CMainFrame::ClosePenWidthPopup() {
    m_wndPanel.m_penw.HideRequest();
}

int CMainFrame::PenWidthPopupTool() const {
    return m_wndPanel.m_penw.GetTool();
}

void CMainFrame::OnToolChanged(int nOldTool, int nNewTool) {
    m_wndPanel.ShowToolSelected(nOldTool, nNewTool);
}

void CMainFrame::OnThicknessChanged(int /*nTool*/, int nLevel) {
    if (m_nMode == kModeLetter)
        InvalidateRect(m_wndPanel.m_hWnd, nullptr, FALSE);
    else
        RepaintToolBar();
    m_wndPanel.m_penw.MarkWidth(nLevel);
}

void CMainFrame::RepaintToolBar() {
    InvalidateRect(m_wndBar.m_hWnd, nullptr, FALSE);
}

void CMainFrame::OnStartWriting() {
    m_wndBar.ShowWritingRun(true);
}

void CMainFrame::OnInkDone() {
    m_wndBar.ShowWritingRun(false);
}

bool CMainFrame::IsStartTipWanted() const {
    return m_wndBar.IsTipWanted();
}

bool CMainFrame::IsPenCovered(POINT ptScreen) const {
    return m_wndPanel.IsUnderPopup(ptScreen) || m_wndPanel.IsDialogOpen();
}
