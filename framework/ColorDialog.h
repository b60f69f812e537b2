// CColorDialog: the system's colour dialog. The object keeps the last colour chosen and the
// sixteen custom colours between runs.
#pragma once
#include <windows.h>

#include <commdlg.h>

class CColorDialog {
public:
    // dwFlags are CHOOSECOLOR flags; a non-zero crInit is preselected (CC_RGBINIT).
    explicit CColorDialog(COLORREF crInit = 0, DWORD dwFlags = 0, HWND hwndParent = nullptr);
    CColorDialog(const CColorDialog&) = delete;
    CColorDialog& operator=(const CColorDialog&) = delete;

    // Preselects cr in the next run.
    void SetCurrentColor(COLORREF cr);
    // Runs the dialog; IDOK when a colour was chosen, IDCANCEL otherwise.
    INT_PTR DoModal(HWND hwndOwner = nullptr);
    COLORREF GetColor() const { return m_cc.rgbResult; }
    bool IsRunning() const { return m_bRunning; }

    CHOOSECOLORW m_cc{};

private:
    COLORREF m_crCustom[16] = {};
    bool m_bRunning = false;
};
