// ControlDlg: the colour and line panel docked at the bottom of the main frame. Dialog template
// 148 marks where its eighteen bitmap buttons go (tools, widths, undo and redo, zoom, capture,
// picture, add line, and the strip's window buttons); it also holds the pen and background
// colour swatches, twelve colour blocks, and the small scroll bar that sets the spacing of the
// ruled lines. It owns the pen-width popup, the colour dialog and the block colours, which it
// reads from the settings file when created and writes back, with the view's colours and line
// height, when destroyed; its buttons, tips and background belong to its CButtonBar.
#pragma once
#include "ButtonBar.h"
#include "ColorDialog.h"
#include "PENW.h"
#include "Settings.h"

class ControlDlg : public CButtonBar {
public:
    ControlDlg();
    ~ControlDlg() override { DestroyWindow(); }

    // The pen-width popup, above the width buttons of the panel or of the tool bar.
    CPENW m_penw;

    // Creates the panel (template 148) with its pen-width popup and reads the block colours.
    bool Create(CMainFrame* pFrame, UINT nStyle);
    // Writes the view's colours and line height and the block colours into the settings file
    // (at the panel's end, and when the session ends).
    void WriteSettings() const;

    void ArrangeForMode(int nMode) override;
    // (0, 0, width, height) of the frame's mode's background picture; with bMove the panel also
    // moves itself to that rectangle.
    RECT GetLayoutRect(bool bMove) override;

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

protected:
    INT_PTR DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void PaintOver(HDC hdc) override;
    void OnLButtonDown(POINT pt) override;
    void OnDestroy() override;

private:
    int Column() const;
    RECT PenSwatchRect() const;
    RECT BackSwatchRect() const;
    // The background picture of a mode.
    UINT BackgroundOf(int nMode) const;
    void PlaceControls(int nColumn);

    // Painting (ControlDlgPaint.cpp).
    void PaintWidths(HDC hdc);
    void PaintSwatches(HDC hdc);
    void PaintBlocks(HDC hdc);

    // Mouse and scroll bar (ControlDlgInput.cpp).
    void OnLButtonDblClk(POINT pt);
    void OnVScroll(int nCode);
    // Runs the colour dialog preselecting cr; the tablet context is closed around it in desktop
    // and inking mode. True with the chosen colour in cr.
    bool PickColor(COLORREF& cr);
    void SetPenColor(COLORREF cr);
    int BlockAt(POINT pt) const;

    bool m_bSmallScreen = false;
    CColorDialog m_dlgColor;
    COLORREF m_crBlocks[settings::kColorBlocks] = {};
};
