// What the Office bridge tests need around the bridge: the fake applications started as real
// processes, the ProgID registrations of the test prefix, a catcher for the bridge's message
// boxes, and readers for the fakes' call logs.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Maps "Word.Application", "Excel.Application" and "PowerPoint.Application" to the fakes'
// classes while it lives; removes the mappings again so that other tests see none.
class CClassRegistration {
public:
    CClassRegistration();
    ~CClassRegistration();
    CClassRegistration(const CClassRegistration&) = delete;
    CClassRegistration& operator=(const CClassRegistration&) = delete;
    static void Remove(const wchar_t* pszProgId);
};

// One fake application process; closed and waited for on destruction.
class CFakeOffice {
public:
    // kind: "word", "excel" or "powerpoint"; extra: further command-line switches.
    CFakeOffice(const std::string& strKind, const std::string& strExtra = "");
    ~CFakeOffice();
    CFakeOffice(const CFakeOffice&) = delete;
    CFakeOffice& operator=(const CFakeOffice&) = delete;

    bool IsReady() const { return m_hwndFrame != nullptr; }
    HWND Frame() const { return m_hwndFrame; }
    HWND Document() const { return GetWindow(m_hwndFrame, GW_CHILD); }
    // Screen position of the document window's client origin.
    POINT Origin() const;
    std::string Log() const;
    std::vector<std::string> Lines() const;
    // Lines that contain the text.
    std::vector<std::string> Matching(const std::string& strText) const;
    // The number after the first line that starts with the prefix; NaN when there is none.
    float ValueAfter(const std::string& strPrefix) const;
    bool Has(const std::string& strText) const { return !Matching(strText).empty(); }
    void Close();
    // Ends the process at once, as a crash of the application would.
    void Kill();
    // Every call the fake refused (wrong kind, count or type of arguments) fails the test when
    // the fake ends, unless the test makes such calls on purpose.
    void ExpectRefusals() { m_bRefusalsExpected = true; }

private:
    PROCESS_INFORMATION m_pi{};
    std::string m_strLog;
    HWND m_hwndFrame = nullptr;
    bool m_bRefusalsExpected = false;
};

// The scribble a fake drew: its name and its bounds in points.
struct CScribble {
    std::string strName;
    float fLeft = 0, fTop = 0, fWidth = 0, fHeight = 0;
};
// The first scribble, or every scribble in the order drawn.
bool FindScribble(const CFakeOffice& fake, CScribble* pScribble);
std::vector<CScribble> FindScribbles(const CFakeOffice& fake);

// Answers every message box this process shows (with OK) and keeps what it showed.
class CMessageCatcher {
public:
    struct CBox {
        std::string strText;
        std::string strCaption;
        HWND hwndOwner;
    };
    CMessageCatcher();
    ~CMessageCatcher();
    CMessageCatcher(const CMessageCatcher&) = delete;
    CMessageCatcher& operator=(const CMessageCatcher&) = delete;
    std::vector<CBox> Boxes();
    std::vector<std::string> Texts();

private:
    void Watch();
    std::mutex m_mutex;
    std::vector<CBox> m_boxes;
    bool m_bStop = false;
    std::thread m_thread;
};

// A 24-bit DIB section selected into a memory DC, white with a black diagonal, and a hidden
// window that owns the clipboard.
class CInkBitmap {
public:
    CInkBitmap(int nWidth, int nHeight);
    ~CInkBitmap();
    CInkBitmap(const CInkBitmap&) = delete;
    CInkBitmap& operator=(const CInkBitmap&) = delete;
    HDC Dc() const { return m_hdc; }
    HBITMAP Bitmap() const { return m_hbm; }
    HWND Owner() const { return m_hwnd; }

private:
    HDC m_hdc = nullptr;
    HBITMAP m_hbm = nullptr;
    HGDIOBJ m_hOld = nullptr;
    HWND m_hwnd = nullptr;
};
