// CPENW: the pen-width popup. A small shaped window with five width buttons that slides up out
// of the width button of the pencil, the brush or the marker (the panel's in letter mode, the
// tool bar's in the other modes) in four steps, and slides back down in three when a width is
// chosen, the same width button is pressed again or the user clicks anywhere else. The colour
// and line panel owns it; it owns its buttons.
#pragma once
#include "BMPButton.h"
#include "Dialog.h"
#include "GdiObjects.h"
#include "Tool.h"

class CMainFrame;

class CPENW : public CDialog {
public:
    CPENW();
    ~CPENW() override;

    // Creates the popup (template 224), hidden; its width commands go to the frame.
    bool Create(CMainFrame* pFrame);

    // Opens the popup for tool nTool (pencil, brush or marker) without the button of its
    // current width, or closes it when it is open for that tool.
    void Toggle(int nTool, int nCurrentWidth);
    // Closes the popup when it is open or opening.
    void HideRequest();
    // Shows the five width buttons but the one of width n (1 to 5).
    void MarkWidth(int n);
    // Places the popup at full size above its anchor (the frame moved or changed size).
    void Reposition();

    // The tool the popup shows; the picture tool, which has no width, when hidden.
    int GetTool() const { return m_nTool; }
    bool IsAnimating() const { return m_bTimer != FALSE; }
    // Sees every message of the program while the popup is open: a press anywhere but on the
    // popup or a width button closes it.
    bool FilterMessage(MSG* pMsg) override;

    // Timer ids of the two animations.
    static constexpr UINT_PTR kOpenTimer = 1;
    static constexpr UINT_PTR kCloseTimer = 2;

protected:
    BOOL OnInitDialog() override;
    INT_PTR DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

private:
    RECT Anchor() const;
    bool IsAnchor(HWND hwnd) const;
    void Animate(UINT_PTR nTimer, int nStep);
    void OnOpenStep();
    void OnCloseStep();
    void MoveToHeight(int nHeight);
    void OnPaint();
    void OnShowWindow(bool bShow);

    CMainFrame* m_pFrame = nullptr;
    int m_nTool = kToolPicture;
    BOOL m_bTimer = FALSE;
    UINT_PTR m_nRunningTimer = 0;
    CBMPButton m_buttons[5];
    COwnedBitmap m_bmBack;
    RECT m_rcFull = {0, 0, 0, 0};
    int m_nStep = 0;
    bool m_bFiltering = false;
};
