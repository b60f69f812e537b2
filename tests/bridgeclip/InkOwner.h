// Test support for the bridge's exports: the main program's view window that owns the delayed
// clipboard formats, an application window to paste into, and the temporary "aan" files.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

// Pumps this thread's messages until bDone() is true or nMs have passed; returns bDone().
bool PumpUntil(const std::function<bool()>& bDone, DWORD nMs);
void PumpFor(DWORD nMs);

// The view window: forwards WM_RENDERFORMAT to Brevix_RenderFormat followed by
// Brevix_RenderFormatHTML_TimeOut, WM_RENDERALLFORMATS to Brevix_RenderFormat with format 0, and
// counts the bridge's message 1224.
class CInkOwner {
public:
    CInkOwner();
    CInkOwner(const CInkOwner&) = delete;
    CInkOwner& operator=(const CInkOwner&) = delete;
    ~CInkOwner();
    HWND Hwnd() const { return m_hwnd; }

    std::vector<UINT> m_formatsRendered; // every WM_RENDERFORMAT, in order
    std::vector<int> m_timeOutResults;   // what Brevix_RenderFormatHTML_TimeOut returned each time
    int m_nInserted = 0;                 // messages 1224 received
    bool m_bInsertedParamsZero = true;   // both parameters of every 1224 were 0

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
};

// What the paste target asks the clipboard for when Ctrl+V arrives.
enum class Ask { None, Dib, Html, Both };

// An application in this process: a top-level window at (100, 100), 400 x 300, with one child
// at screen (150, 150) to (350, 300) that takes the keyboard focus and pastes on Ctrl+V. The owned
// variant is the same at (600, 100), owned by a hidden window, like a dialog of an application.
// The windows are shared by every target of the process; the latest target receives their input.
class CPasteTarget {
public:
    explicit CPasteTarget(Ask ask, bool bOwnedFrame = false);
    CPasteTarget(const CPasteTarget&) = delete;
    CPasteTarget& operator=(const CPasteTarget&) = delete;
    ~CPasteTarget();
    HWND Frame() const { return m_hwndFrame; }
    HWND Child() const { return m_hwndChild; }
    RECT ChildRect() const; // screen rectangle of the child

    Ask m_ask;
    std::vector<std::string> m_keys; // "down 17 17", ... as the child received them
    int m_nPastes = 0;
    bool m_bDibAvailable = false;  // CF_DIB was on offer at the paste
    bool m_bHtmlAvailable = false; // "HTML Format" was on offer at the paste
    std::vector<BYTE> m_dib;       // CF_DIB as received
    std::string m_strHtml;         // "HTML Format" as received

    static LRESULT CALLBACK ChildProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FrameProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

private:
    void OnPaste();
    HWND m_hwndFrame = nullptr;
    HWND m_hwndChild = nullptr;
};

class CInkBitmap;

// One insertion from the view window into a paste target: remembers the temporary files that were
// there before, and stops the timer and empties the clipboard afterwards.
class InsertionTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Inserts the ink over rc and waits for the paste keys to arrive; returns Brevix_Insert's
    // result.
    int Insert(CPasteTarget& target, const CInkBitmap& ink, const RECT& rc);
    int Insert(CPasteTarget& target, const CInkBitmap& ink) {
        return Insert(target, ink, target.ChildRect());
    }
    // Waits for message 1224: one, about 2000 ms after the latest insertion.
    void ExpectOneInsertedMessageAfterTheTimer();

    CInkOwner m_owner;
    std::set<std::string> m_before;
    ULONGLONG m_nInsertedAt = 0;
};

// Full paths of the "aan*.tmp" files in the temporary folder.
std::set<std::string> AanFiles();
// The files of after that are not in before.
std::vector<std::string> NewFiles(const std::set<std::string>& before,
                                  const std::set<std::string>& after);
bool FileExists(const std::string& strPath);
// The whole content of a file ("" if it cannot be read).
std::string ReadFile(const std::string& strPath);
// The folder of a module (null: this program), with its trailing backslash.
std::string ModuleFolder(HMODULE hModule);
// The first bytes of a file ("" if it cannot be read).
std::string FileStart(const std::string& strPath, std::size_t n);
// The path quoted in the fragment <IMG SRC="..."> of an "HTML Format" text.
std::string ImagePathOf(const std::string& strHtml);
// Puts a text on the clipboard, owned by nobody in particular, and reads it back.
void PutSentinelText(const char* pszText);
std::string ClipboardText();
// Empties the clipboard.
void ClearClipboard();
