// One run of KVOmail.exe in desktop or inking mode for the modes' end-to-end tests: the pen
// session of the pen tests started on the strip, the program's overlay, and the commands of the
// strip's buttons.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "PenSession.h"

// Command ids of the strip's buttons and of the panel's tool and undo buttons.
constexpr UINT kDesktopMode = 32795;
constexpr UINT kStartWriting = 32810;
constexpr UINT kHandOverInk = 32797;
constexpr UINT kCancelWriting = 32811;
constexpr UINT kPencil = 1040;
constexpr UINT kMarker = 1041;
constexpr UINT kUndo = 1046;
constexpr UINT kRedo = 1047;

// Script lines of a pen stroke in screen pixels: down at the first point, then nSteps moves to
// the second at pressure 700, up there.
std::string ScreenStroke(POINT ptFrom, POINT ptTo, int nSteps);
// The samples that stroke leaves: the pen-down point and every step.
std::vector<POINT> StrokeSamples(POINT ptFrom, POINT ptTo, int nSteps);

class CModesSession : public CPenSession {
public:
    // Starts KVOmail.exe with the command line strArgs ("Inking" or a note) and waits for its
    // frame of class pszClass with the title strTitle, shown and settled.
    bool StartProgram(const std::wstring& strArgs, const wchar_t* pszClass,
                      const std::wstring& strTitle);
    // Presses the button of the command on the strip and waits until it is handled.
    void Press(UINT nID) const;
    // The program's overlay window (class and title pszClass), visible or not; null when none.
    HWND Overlay(const wchar_t* pszClass) const;
    // Waits until the overlay is shown (bShown) or hidden.
    bool WaitForOverlay(const wchar_t* pszClass, bool bShown) const;
};
