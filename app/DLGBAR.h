// CDLGBAR: the tool bar docked at the top of the main frame. Dialog template 215 marks where its
// eighteen bitmap buttons go; the bar creates the buttons over the marks, and each mode of the
// frame gives it another background picture, button set and layout (BarLayout.h). It carries tool
// tips for its buttons and, in inking mode, a tracking balloon "Start to write" that points at
// the start button until the user first presses it, which it owns; its buttons, tips and
// background belong to its CButtonBar.
#pragma once
#include "ButtonBar.h"
#include "TrackTip.h"

class CDLGBAR : public CButtonBar {
public:
    CDLGBAR();
    ~CDLGBAR() override { DestroyWindow(); }

    // Creates the bar (template 215) with its tracking tip, sized for letter mode.
    bool Create(CMainFrame* pFrame, UINT nStyle);
    void ArrangeForMode(int nMode) override;
    // (0, 0, width, height) of the frame's mode's background picture; with bMove the bar also
    // moves itself to the top-left corner at the work area's width.
    RECT GetLayoutRect(bool bMove) override;

    // The "Start to write" balloon.
    void HideTip();
    void ShowStartTip();
    bool IsTipWanted() const { return m_bTipWanted; }
    bool IsTipShown() const { return m_tip.IsActive(); }
    // With true writing has started: Inking and Cancel replace Start to write, Minimise goes
    // away and the balloon is no longer wanted. With false the ink was inserted or dropped:
    // Start to write comes back.
    void ShowWritingRun(bool bWriting);

protected:
    INT_PTR DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void PaintOver(HDC hdc) override;
    void OnDestroy() override;

private:
    void LoadModeImages(int nMode);
    void PlaceInkingPictures(bool bInking);
    void OnSize(int cx);
    void OnTimer(UINT_PTR nID);

    bool m_bTipOnArrange = false;
    bool m_bTipWanted = true;
    UINT_PTR m_nTimer = 0;
    CTrackTip m_tip;
};
