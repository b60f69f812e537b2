// CCaptureDlg: the small floating dialog of Capture Screen (template 218). It shows above the
// colour and line panel's Capture Screen button while the main window is hidden, with two
// shaped bitmap buttons: Start (1119) freezes the screen for the selection of an area, Cancel
// (2) brings the main window back. A press anywhere on its face drags it. The main frame owns
// it; it knows the frame, and through it the panel and the canvas view.
#pragma once
#include "BMPButton.h"
#include "Dialog.h"
#include "GdiObjects.h"
#include "ToolTipCtrl.h"

class CMainFrame;

class CCaptureDlg : public CDialog {
public:
    CCaptureDlg();

    // Creates the hidden dialog.
    bool Create(CMainFrame* pFrame);
    // Shows the dialog above the panel's Capture Screen button; false when it does not exist.
    bool Open();
    bool IsOpen() const { return m_hWnd && IsWindowVisible(m_hWnd); }
    // Cancel: the main window comes back and the dialog closes.
    void OnCancel() override;

    bool PreTranslateMessage(MSG* pMsg) override;

    // Places of the buttons (the program's look, then the library's), and the program's outline.
    static constexpr POINT kStartPlace[2] = {{41, 11}, {58, 18}};
    static constexpr POINT kCancelPlace[2] = {{110, 11}, {100, 18}};
    static constexpr SIZE kOutline = {192, 60};
    static constexpr SIZE kOutlineCorner = {60, 60};
    // The dialog's left edge lies this far left of the Capture Screen button.
    static constexpr int kLeftOfButton = 63;

protected:
    BOOL OnInitDialog() override;
    INT_PTR DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnStart();
    void OnShowWindow(bool bShow);
    void PlaceAboveButton();
    void OnPaint();
    // While the dialog holds the mouse, a move or press over one of its buttons is the button's.
    bool ForwardToButton(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(WPARAM wParam, LPARAM lParam);

    CMainFrame* m_pFrame = nullptr;
    CBMPButton m_btnStart;
    CBMPButton m_btnCancel;
    COwnedBitmap m_bmFace;
    CToolTipCtrl m_tips;
};
