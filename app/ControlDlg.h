// ControlDlg: the colour and line panel docked at the bottom of the main frame. Dialog template
// 148 marks where its eighteen bitmap buttons go (tools, widths, undo and redo, zoom, capture,
// picture, add line, and the strip's window buttons); it also holds the pen and background
// colour swatches, twelve colour blocks, and the small scroll bar that sets the spacing of the
// ruled lines. It owns the pen-width popup, the colour dialog and the block colours, which it
// reads from the settings file when created and writes back, with the view's colours and line
// height, when destroyed.
#pragma once
#include <memory>

#include "BMPButton.h"
#include "ColorDialog.h"
#include "DialogBar.h"
#include "FrameDrag.h"
#include "FrameMode.h"
#include "GdiObjects.h"
#include "PENW.h"
#include "Settings.h"
#include "ToolTipCtrl.h"

class CMainFrame;
class CScrivoView;

class ControlDlg : public CDialogBar {
public:
    enum EButton {
        kLineColor,
        kPencil,
        kBrush,
        kEraser,
        kMarker,
        kPicture,
        kClose,
        kMinimize,
        kUndo,
        kRedo,
        kZoomIn,
        kZoomOut,
        kCapture,
        kInsert,
        kAddLine,
        kPencilWidth,
        kBrushWidth,
        kMarkerWidth,
        kButtons
    };

    ~ControlDlg() override { DestroyWindow(); }

    // Creates the panel (template 148) with its pen-width popup and reads the block colours.
    bool Create(CMainFrame* pFrame, UINT nStyle);
    // Creates the buttons over their marks with their images, the tips, and the letter layout.
    bool Init();

    // Places, shows and hides the controls for the frame's mode nMode and sizes the panel to the
    // mode's background picture.
    void ArrangeForMode(int nMode);
    // (0, 0, width, height) of the frame's mode's background picture; with bMove the panel also
    // moves itself to that rectangle.
    RECT GetLayoutRect(bool bMove) override;
    // Writes the view's colours and line height and the block colours into the settings file
    // (at the panel's end, and when the session ends).
    void WriteSettings() const;

    bool IsSmallScreen() const { return m_bSmallScreen; }
    void SetSmallScreen(bool bSmall) { m_bSmallScreen = bSmall; }
    // True when the pen-width popup is shown over this screen point.
    bool IsUnderPopup(POINT ptScreen) const;
    // True while the panel's colour dialog runs.
    bool IsDialogOpen() const { return m_dlgColor.IsRunning(); }

    // The tool buttons take their selected look for the tool being chosen and their usual look
    // for the tool being left.
    void ShowToolSelected(int nOldTool, int nNewTool);
    // A tool button's images in its selected or usual look.
    void LoadToolImages(int nTool, bool bSelected, int nNextTool = -1);

    COLORREF GetBlockColor(int i) const { return m_crBlocks[i]; }
    CBMPButton& Button(EButton n) { return m_buttons[n]; }
    bool PreTranslateMessage(MSG* pMsg) override;

    CPENW m_penw;

protected:
    INT_PTR DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

private:
    int Mode() const;
    CScrivoView* View() const;
    int Column() const;
    RECT PenSwatchRect() const;
    RECT BackSwatchRect() const;
    // The background picture of a mode.
    UINT BackgroundOf(int nMode) const;
    void LoadBackground(int nMode);

    // Painting (ControlDlgPaint.cpp).
    void OnPaint();
    void PaintWidths(HDC hdc);
    void PaintSwatches(HDC hdc);
    void PaintBlocks(HDC hdc);

    // Mouse and scroll bar (ControlDlgInput.cpp).
    void OnLButtonDown(POINT pt);
    void OnLButtonDblClk(POINT pt);
    void OnVScroll(int nCode);
    // Runs the colour dialog preselecting cr; the tablet context is closed around it in desktop
    // and inking mode. True with the chosen colour in cr.
    bool PickColor(COLORREF& cr);
    void SetPenColor(COLORREF cr);
    int BlockAt(POINT pt) const;
    void OnDestroy();

    CMainFrame* m_pFrame = nullptr;
    bool m_bSmallScreen = false;
    CColorDialog m_dlgColor;
    CBMPButton m_buttons[kButtons];
    CFrameDrag m_drag;
    COLORREF m_crBlocks[settings::kColorBlocks] = {};
    std::unique_ptr<CToolTipCtrl> m_pToolTip;
    COwnedBitmap m_bmBack;
    int m_nArrangedMode = kModeLetter;
};
