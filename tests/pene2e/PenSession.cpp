#include "PenSession.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "NoteBytes.h"
#include "UserInput.h"

namespace {

template <class T> bool Take(const std::vector<std::uint8_t>& b, size_t& nPos, T& value) {
    if (nPos + sizeof(T) > b.size())
        return false;
    std::uint32_t n = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        n |= std::uint32_t(b[nPos + i]) << (8 * i);
    value = static_cast<T>(n);
    nPos += sizeof(T);
    return true;
}

// Reads the stroke list that starts at nPos, leaving nPos after it.
bool ReadStrokesAt(const std::vector<std::uint8_t>& b, size_t& nPos,
                   std::vector<SavedStroke>& strokes) {
    std::uint32_t nCount = 0;
    if (!Take(b, nPos, nCount) || nCount > 10000)
        return false;
    for (std::uint32_t i = 0; i < nCount; ++i) {
        SavedStroke s{};
        std::uint32_t nPoints = 0;
        std::int32_t l, t, r, bt;
        std::uint32_t cr, nSmooth;
        std::uint16_t nMask, nTool;
        if (!Take(b, nPos, nPoints) || !Take(b, nPos, l) || !Take(b, nPos, t) ||
            !Take(b, nPos, r) || !Take(b, nPos, bt) || !Take(b, nPos, cr) ||
            !Take(b, nPos, nMask) || !Take(b, nPos, nTool) || !Take(b, nPos, nSmooth) ||
            nPoints > 100000)
            return false;
        s.rcBound = {l, t, r, bt};
        s.crColor = cr;
        s.nMask = nMask;
        s.nTool = nTool;
        s.nSmooth = int(nSmooth);
        for (std::uint32_t k = 0; k < nPoints; ++k) {
            std::int32_t x, y;
            std::uint16_t w;
            if (!Take(b, nPos, x) || !Take(b, nPos, y) || !Take(b, nPos, w))
                return false;
            s.points.push_back({x, y});
            s.weights.push_back(short(w));
        }
        strokes.push_back(s);
    }
    return true;
}
} // namespace

bool ReadSavedStrokes(const std::vector<std::uint8_t>& b, std::vector<SavedStroke>& strokes) {
    size_t nPos = 28;
    return ReadStrokesAt(b, nPos, strokes);
}

bool ReadSavedPictures(const std::vector<std::uint8_t>& b, std::vector<SavedPicture>& pictures) {
    size_t nPos = 28;
    std::vector<SavedStroke> strokes;
    std::uint32_t nCount = 0;
    if (!ReadStrokesAt(b, nPos, strokes) || !Take(b, nPos, nCount) || nCount > 1000)
        return false;
    for (std::uint32_t i = 0; i < nCount; ++i) {
        SavedPicture pic{};
        std::uint32_t cy = 0, cx = 0, nSize = 0;
        std::int32_t l, t, r, bt;
        if (!Take(b, nPos, cy) || !Take(b, nPos, cx) || !Take(b, nPos, l) || !Take(b, nPos, t) ||
            !Take(b, nPos, r) || !Take(b, nPos, bt) || !Take(b, nPos, nSize) || cx > 10000 ||
            cy > 10000)
            return false;
        const size_t nStride = (cx * 3 + 3) / 4 * 4;
        if (nSize != nStride * cy || nPos + nSize > b.size())
            return false;
        pic.rc = {l, t, r, bt};
        pic.cx = int(cx);
        pic.cy = int(cy);
        // Rows are stored bottom-up, each pixel blue, green, red.
        for (int y = 0; y < pic.cy; ++y) {
            const std::uint8_t* pRow = &b[nPos + nStride * size_t(pic.cy - 1 - y)];
            for (int x = 0; x < pic.cx; ++x)
                pic.pixels.push_back(RGB(pRow[3 * x + 2], pRow[3 * x + 1], pRow[3 * x]));
        }
        nPos += nSize;
        pictures.push_back(pic);
    }
    return true;
}

std::string HorizontalStroke(int x0, int x1, int y, int nSteps) {
    const std::string strY = std::to_string(y);
    return "down " + std::to_string(x0) + " " + strY + " 700\nline " + std::to_string(x0) + " " +
           strY + " " + std::to_string(x1) + " " + strY + " " + std::to_string(nSteps) +
           " 700\nup " + std::to_string(x1) + " " + strY;
}

int ColorDistance(COLORREF a, COLORREF b) {
    return std::max({std::abs(int(GetRValue(a)) - int(GetRValue(b))),
                     std::abs(int(GetGValue(a)) - int(GetGValue(b))),
                     std::abs(int(GetBValue(a)) - int(GetBValue(b)))});
}

CPenSession::CPenSession(const wchar_t* pszNote) {
    m_strPrefix = "pene2e_" + std::to_string(GetCurrentProcessId()) + "_" +
                  std::to_string(GetTickCount64()) + "_";
    m_strNote = m_folder / pszNote;
    m_strTitle = std::wstring(pszNote) + L" - Quillet";
}

CPenSession::~CPenSession() {
    for (HANDLE h : m_events)
        CloseHandle(h);
    SetEnvironmentVariableW(L"QUILLET_TABLET_SCRIPT", nullptr);
    SetEnvironmentVariableW(L"QUILLET_POINTER_SCRIPT", nullptr);
    SetEnvironmentVariableW(L"QUILLET_POINTER_STANDIN", nullptr);
    SetProgramTabletLibrary(kVirtualTabletOrder);
}

std::string CPenSession::EventName(const char* pszWhat, size_t n) const {
    return m_strPrefix + pszWhat + std::to_string(n);
}

void CPenSession::AddChapter(const std::string& strLines) {
    m_chapters.push_back(strLines);
}

bool CPenSession::Launch(const wchar_t* pszWintab) {
    if (!InstallProgram(m_folder.Path()))
        return false;
    // An empty note: the paper header, no strokes, no pictures.
    std::vector<std::uint8_t> note;
    for (LONG n : {13427429L, 11321541L, 90L, 0L, 0L, m_sizePage.cx, m_sizePage.cy, 0L, 0L})
        PutU32(note, static_cast<std::uint32_t>(n));
    if (!CTestFolder::WriteBytes(m_strNote, note))
        return false;
    std::string strScript = "origin client ScrivoView\n";
    for (size_t i = 0; i < m_chapters.size(); ++i) {
        for (const char* psz : {"go", "done"})
            m_events.push_back(CreateEventA(nullptr, TRUE, FALSE, EventName(psz, i).c_str()));
        strScript += "waitfor " + EventName("go", i) + " 60000\n" + m_chapters[i] + "\nsignal " +
                     EventName("done", i) + "\n";
    }
    const std::wstring strScriptPath = m_folder / L"pen-script.txt";
    if (!CTestFolder::WriteBytes(strScriptPath,
                                 std::vector<std::uint8_t>(strScript.begin(), strScript.end())))
        return false;
    if (m_bInkPen) {
        if (!InstallInkStandIn(m_folder.Path()))
            return false;
        SetEnvironmentVariableW(L"QUILLET_POINTER_STANDIN", L"inkstandin.dll");
        SetEnvironmentVariableW(L"QUILLET_POINTER_SCRIPT", strScriptPath.c_str());
    } else {
        SetEnvironmentVariableW(L"QUILLET_TABLET_SCRIPT", strScriptPath.c_str());
    }
    SetProgramTabletLibrary(pszWintab);
    return m_program.Start(m_folder.Path(),
                           m_strArgs.empty() ? L"\"" + m_strNote + L"\"" : m_strArgs);
}

bool CPenSession::Relaunch() {
    m_program.Kill();
    m_hFrame = m_hView = nullptr;
    SetEnvironmentVariableW(L"QUILLET_TABLET_SCRIPT", nullptr);
    SetEnvironmentVariableW(L"QUILLET_POINTER_SCRIPT", nullptr);
    return m_program.Start(m_folder.Path(), L"\"" + m_strNote + L"\"");
}

bool CPenSession::WaitForFrame(const std::wstring& strTitle) {
    m_hFrame = m_program.WaitForWindow(L"LETTER", kStartTimeout);
    if (!m_hFrame)
        return false;
    m_hView = FindViewOf(m_hFrame);
    if (!m_hView)
        return false;
    // The note is open and the window has found its place: its view keeps its rectangle.
    const std::wstring& strWanted = strTitle.empty() ? m_strTitle : strTitle;
    if (!WaitUntil([&] { return WindowText(m_hFrame) == strWanted; }, kStartTimeout))
        return false;
    // Without a window manager the display shows a maximised window a few pixels away from
    // where the system places it; a normal window lies where it is said to be.
    ShowWindow(m_hFrame, SW_RESTORE);
    SetWindowPos(m_hFrame, nullptr, 40, 30, 1000, 800, SWP_NOZORDER);
    return WaitForSteadyWindow(m_hView, kStartTimeout);
}

bool CPenSession::RunChapter(size_t n) {
    HANDLE hGo = OpenEventA(EVENT_MODIFY_STATE, FALSE, EventName("go", n).c_str());
    if (!hGo)
        return false;
    SetEvent(hGo);
    CloseHandle(hGo);
    HANDLE hDone = m_events.at(2 * n + 1);
    return WaitUntil([&] { return WaitForSingleObject(hDone, 0) == WAIT_OBJECT_0; }, 30000);
}

void CPenSession::ClickPanel(POINT ptPlace) const {
    ClickBarPlace(PanelOf(m_hFrame), ptPlace);
    MouseTo(ClientPoint(m_hView, 700, 500));
}

bool CPenSession::SaveAndRead(std::vector<SavedStroke>& strokes, POINT ptSave) {
    // Save asks for the name every time; the note goes to a new file, so nothing asks to
    // overwrite.
    const std::wstring strSaved = m_folder / (L"saved" + std::to_wstring(++m_nSaves) + L".Qzn");
    ClickBarPlace(ToolBarOf(m_hFrame), ptSave);
    HWND hDialog = m_program.WaitForWindow(L"#32770", 10000);
    if (!hDialog)
        return false;
    HWND hEdit = nullptr;
    if (!WaitUntil([&] { return (hEdit = FileNameEdit(hDialog)) != nullptr; }, 5000))
        return false;
    SendMessageW(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strSaved.c_str()));
    PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDialog, IDOK)));
    std::vector<std::uint8_t> bytes;
    if (!WaitUntil(
            [&] {
                bytes = CTestFolder::ReadBytes(strSaved);
                return !bytes.empty() && !m_program.FindWindowOfClass(L"#32770");
            },
            10000))
        return false;
    m_savedBytes = bytes;
    return ReadSavedStrokes(bytes, strokes);
}

COLORREF CPenSession::ViewPixel(int x, int y) const {
    POINT pt{x, y};
    ClientToScreen(m_hView, &pt);
    HDC hdc = GetDC(nullptr);
    const COLORREF cr = GetPixel(hdc, pt.x, pt.y);
    ReleaseDC(nullptr, hdc);
    return cr;
}

bool CPenSession::WaitForPixel(int x, int y, COLORREF cr, int nTolerance, DWORD nMs) const {
    return WaitUntil([&] { return ColorDistance(ViewPixel(x, y), cr) <= nTolerance; }, nMs);
}
