// One run of KVOmail.exe in desktop or inking mode for the modes' end-to-end tests: the pen
// session of the pen tests started on the strip, the program's overlay, and clicks on the strip's
// tool bar.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "PenSession.h"

// Script lines of a pen stroke in screen pixels: down at the first point, then nSteps moves to
// the second at pressure 700, up there.
std::string ScreenStroke(POINT ptFrom, POINT ptTo, int nSteps);
// The samples that stroke leaves: the pen-down point and every step.
std::vector<POINT> StrokeSamples(POINT ptFrom, POINT ptTo, int nSteps);

// The class (and title) of the letter program's overlay.
inline constexpr wchar_t kOverlay[] = L"Plovexa-L";

class CModesSession : public CPenSession {
public:
    // Starts KVOmail.exe with the command line strArgs ("Inking" or a note) and waits for its
    // frame of class pszClass with the title strTitle, shown and settled; pszWintab as for
    // Start.
    bool StartProgram(const std::wstring& strArgs, const wchar_t* pszClass,
                      const std::wstring& strTitle, const wchar_t* pszWintab = kVirtualTabletOrder);
    // A click on the strip's tool bar or panel button at a place of its layout table; returns
    // once handled.
    void ClickToolBar(POINT ptPlace) const;
    void ClickStripPanel(POINT ptPlace) const;
    // The program's overlay window (class and title pszClass), visible or not; null when none.
    HWND Overlay(const wchar_t* pszClass) const;
    // Waits until the overlay is shown (bShown) or hidden.
    bool WaitForOverlay(const wchar_t* pszClass, bool bShown) const;
    // In an inking run over a fake Excel (its classes registered by the caller), writes chapter
    // n with the brush and hands it over: the line weight Excel was given (".Weight put W"), or
    // the log of a hand-over that gave none.
    std::string BrushWeightInExcel(size_t n);
    // From the letter window into desktop mode, chapter n written with the brush until the
    // frozen screen shows its ink at ptInk, and the note saved and read back into strokes: the
    // step that failed, or empty.
    std::string DesktopBrushStrokes(size_t n, POINT ptInk, std::vector<SavedStroke>& strokes);
    // Once the program has handled what it was given, the text of its message box (empty when
    // it shows none).
    std::string BoxText() const;
    // Where the program's input stands, for a failure message: the windows with the mouse
    // capture, the focus and the foreground, the one under the cursor, and any message box.
    std::string InputState() const;

private:
    void ClickStrip(HWND hwndBar, POINT ptPlace) const;
};
