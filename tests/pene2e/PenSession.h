// One run of KVOmail.exe for the pen tests: the program and the virtual tablet in a folder of
// their own, a note file to save into, and a tablet script in chapters. Each chapter starts when
// the test says so and tells the test when it is done, so that the test can check pixels and
// click the program's buttons between strokes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ProgramFiles.h"
#include "ProgramRunner.h"
#include "UserInput.h"

// The default pen colour and paper colour.
constexpr COLORREF kPenColor = 0x800000;
constexpr COLORREF kPaperColor = 13427429;

struct SavedStroke {
    RECT rcBound;
    COLORREF crColor;
    int nMask;
    int nTool;
    int nSmooth;
    std::vector<POINT> points;
    std::vector<short> weights;
};

// The strokes of a note file, or nothing when the bytes are not a note.
bool ReadSavedStrokes(const std::vector<std::uint8_t>& bytes, std::vector<SavedStroke>& strokes);

struct SavedPicture {
    RECT rc;
    int cx;
    int cy;
    // Top row first.
    std::vector<COLORREF> pixels;
};
// The pictures of a note file, back to front; false when the bytes are not a note.
bool ReadSavedPictures(const std::vector<std::uint8_t>& bytes, std::vector<SavedPicture>& pictures);

class CPenSession {
public:
    // The note file is named pszNote (in the session's folder).
    explicit CPenSession(const wchar_t* pszNote = L"pen.Qzn");
    ~CPenSession();

    // Adds a chapter of script lines (coordinates are client pixels of the view).
    void AddChapter(const std::string& strLines);
    // Starts the program on an empty note with this tablet library load order
    // (kVirtualTabletOrder the virtual tablet, "builtin" Wine's own, "" none) and waits for the
    // letter window.
    bool Start(const wchar_t* pszWintab) { return Launch(pszWintab) && WaitForFrame(); }
    bool Launch(const wchar_t* pszWintab);
    // Waits for the letter window with the note's title (or strTitle) and its view.
    bool WaitForFrame(const std::wstring& strTitle = std::wstring());
    // Ends the program as a crash would, and starts it again on the same note without the
    // tablet script (not waiting for its window).
    bool Relaunch();
    // Lets chapter n (from 0) run and waits until it is done.
    bool RunChapter(size_t n);
    // Clicks the panel's button at a place of the layout tables (LetterPanel) and waits until it
    // has been handled; the pointer then rests on the paper, out of the way of the pen's ink.
    void ClickPanel(POINT ptPlace) const;
    // Saves the note (the tool bar's Save button at ptSave and the file dialog) and reads its
    // strokes back; the file's bytes stay in m_savedBytes.
    bool SaveAndRead(std::vector<SavedStroke>& strokes, POINT ptSave = LetterToolBar::kSave);
    // Screen pixel at a point of the view's client area, once the view has painted.
    COLORREF ViewPixel(int x, int y) const;
    // Waits until the pixel at a client point is within nTolerance of cr.
    bool WaitForPixel(int x, int y, COLORREF cr, int nTolerance, DWORD nMs = 5000) const;

    CProgram m_program;
    CTestFolder m_folder;
    // The script is played by the Windows Ink stand-in instead of the virtual tablet: the program
    // takes the stand-in for user32's pointer functions (start it without a tablet library).
    bool m_bInkPen = false;
    std::wstring m_strNote;
    // The program's command line; empty: the note's path.
    std::wstring m_strArgs;
    // The page of the empty note the program starts on.
    SIZE m_sizePage{1280, 2560};
    HWND m_hFrame = nullptr;
    HWND m_hView = nullptr;
    std::vector<std::uint8_t> m_savedBytes;

private:
    std::string EventName(const char* pszWhat, size_t n) const;
    std::vector<std::string> m_chapters;
    std::vector<HANDLE> m_events;
    std::string m_strPrefix;
    std::wstring m_strTitle;
    int m_nSaves = 0;
};

int ColorDistance(COLORREF a, COLORREF b);
// Script lines of a pen stroke from (x0, y) to (x1, y) in nSteps steps at pressure 700.
std::string HorizontalStroke(int x0, int x1, int y, int nSteps);
