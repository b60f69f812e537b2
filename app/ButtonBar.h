// CButtonBar: what the tool bar and the colour and line panel share. Each is a dialog bar whose
// bitmap buttons are made from a table over the template's hidden marks, placed per arrangement
// from a layout table, dragged with the frame by its background and painted over a background
// picture of its arrangement; buttons with a text of their own get it as a tool tip. The bar
// owns its buttons, its tip control and its background picture.
#pragma once
#include <cstddef>
#include <memory>
#include <vector>

#include "BMPButton.h"
#include "BarLayout.h"
#include "DialogBar.h"
#include "FrameDrag.h"
#include "FrameMode.h"
#include "GdiObjects.h"
#include "ToolTipCtrl.h"

class CMainFrame;
class CScrivoView;

class CButtonBar : public CDialogBar {
public:
    // Creates the buttons over their marks with their images, arranges them for letter mode and
    // creates the tool tips.
    bool Init();
    // Places, shows and hides the controls for the frame's mode nMode, loads the mode's pictures
    // and sizes the bar to its background.
    virtual void ArrangeForMode(int nMode) = 0;
    // The button of command nID; a button without a window when the bar has none.
    CBMPButton& Button(UINT nID);
    bool PreTranslateMessage(MSG* pMsg) override;

protected:
    // The bar's own buttons; the pencil's, brush's and marker's width buttons follow them, shown
    // at first when bWidthsShown.
    CButtonBar(const CBarButton* pTable, std::size_t nButtons, bool bWidthsShown);

    // Creates the bar from template nTemplate with the frame as its parent.
    bool CreateBar(CMainFrame* pFrame, UINT nTemplate, UINT nStyle);
    // Moves, shows and hides the buttons by one column of a layout table.
    template <class Row> void PlaceButtons(const Row* pRows, std::size_t nRows, int nColumn);
    void LoadBackground(UINT nBitmap);
    int Mode() const;
    CScrivoView* View() const;

    INT_PTR DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    // What the bar paints over its background.
    virtual void PaintOver(HDC) {}
    // A press on the background: closes the pen-width popup and starts dragging the frame.
    virtual void OnLButtonDown(POINT pt);
    virtual void OnDestroy();

    CMainFrame* m_pFrame = nullptr;
    CFrameDrag m_drag;
    COwnedBitmap m_bmBack;
    int m_nArrangedMode = kModeLetter;

private:
    void CreateButtons();
    void CreateToolTips();
    void OnPaint();

    std::vector<CBarButton> m_table;
    std::unique_ptr<CBMPButton[]> m_buttons;
    CBMPButton m_none;
    std::unique_ptr<CToolTipCtrl> m_pToolTip;
};

template <class Row>
void CButtonBar::PlaceButtons(const Row* pRows, std::size_t nRows, int nColumn) {
    for (std::size_t i = 0; i < m_table.size(); ++i)
        for (std::size_t r = 0; r < nRows; ++r)
            if (pRows[r].nID == m_table[i].nID)
                ApplyPlace(m_buttons[i].m_hWnd, pRows[r].place[nColumn]);
}
