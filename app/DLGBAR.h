// CDLGBAR: the tool bar docked at the top of the main frame. Dialog template 215 marks where its
// eighteen bitmap buttons go; the bar creates the buttons over the marks, and each mode of the
// frame gives it another background picture, button set and layout (BarLayout.h). It carries tool
// tips for its buttons and, in inking mode, a tracking balloon "Start to write" that points at
// the start button until the user first presses it. It owns its buttons, its tip controls and
// its background picture.
#pragma once
#include <memory>

#include "BMPButton.h"
#include "DialogBar.h"
#include "FrameDrag.h"
#include "FrameMode.h"
#include "GdiObjects.h"
#include "ToolTipCtrl.h"
#include "TrackTip.h"

class CMainFrame;

class CDLGBAR : public CDialogBar {
public:
    enum EButton {
        kNew,
        kOpen,
        kSave,
        kPreview,
        kPrint,
        kLetter,
        kMail,
        kDesktop,
        kAbout,
        kClose,
        kScale,
        kMinimize,
        kStart,
        kCancel,
        kInking,
        kPencilWidth,
        kBrushWidth,
        kMarkerWidth,
        kButtons
    };

    ~CDLGBAR() override { DestroyWindow(); }

    // Creates the bar (template 215) with its tracking tip, sized for letter mode.
    bool Create(CMainFrame* pFrame, UINT nStyle);
    // Creates the buttons over their marks, loads their fixed images, arranges them for letter
    // mode and creates the tool tips.
    bool Init();

    // Places, shows and hides the buttons for the frame's mode nMode, loads the mode's button
    // images and background, and sizes the bar to the background.
    void ArrangeForMode(int nMode);
    // (0, 0, width, height) of the frame's mode's background picture; with bMove the bar also
    // moves itself to the top-left corner at the work area's width.
    RECT GetLayoutRect(bool bMove) override;

    // The "Start to write" balloon.
    void HideTip();
    void ShowStartTip();
    bool IsTipWanted() const { return m_bTipWanted; }
    bool IsTipShown() const { return m_tip.IsActive(); }
    // Writing has started: Inking and Cancel replace Start to write, Minimise goes away.
    void OnStartWriting();
    // The ink was inserted or dropped: Start to write comes back.
    void OnInkDone();

    CBMPButton& Button(EButton n) { return m_buttons[n]; }
    bool PreTranslateMessage(MSG* pMsg) override;

protected:
    INT_PTR DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

private:
    int Mode() const;
    void LoadModeImages(int nMode);
    void PlaceInkingPictures(bool bInking);
    void CreateToolTips();
    void OnSize(int cx);
    void OnPaint();
    void PaintWidths(HDC hdc);
    void OnTimer(UINT_PTR nID);

    CMainFrame* m_pFrame = nullptr;
    CBMPButton m_buttons[kButtons];
    CFrameDrag m_drag;
    bool m_bTipOnArrange = false;
    bool m_bTipWanted = true;
    UINT_PTR m_nTimer = 0;
    CTrackTip m_tip;
    std::unique_ptr<CToolTipCtrl> m_pToolTip;
    COwnedBitmap m_bmBack;
    int m_nArrangedMode = kModeLetter;
};
