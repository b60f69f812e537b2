#include "ModesSession.h"

namespace {
constexpr DWORD kStartTimeout = 30000;
} // namespace

std::string ScreenStroke(POINT ptFrom, POINT ptTo, int nSteps) {
    auto xy = [](POINT pt) { return std::to_string(pt.x) + " " + std::to_string(pt.y); };
    return "origin screen\ndown " + xy(ptFrom) + " 700\nline " + xy(ptFrom) + " " + xy(ptTo) + " " +
           std::to_string(nSteps) + " 700\nup " + xy(ptTo) + "\n";
}

std::vector<POINT> StrokeSamples(POINT ptFrom, POINT ptTo, int nSteps) {
    std::vector<POINT> points{ptFrom};
    for (int i = 1; i <= nSteps; ++i)
        points.push_back({ptFrom.x + (ptTo.x - ptFrom.x) * i / nSteps,
                          ptFrom.y + (ptTo.y - ptFrom.y) * i / nSteps});
    return points;
}

bool CModesSession::StartProgram(const std::wstring& strArgs, const wchar_t* pszClass,
                                 const std::wstring& strTitle) {
    m_strArgs = strArgs;
    if (!Launch(kVirtualTabletOrder))
        return false;
    m_hFrame = m_program.WaitForWindow(pszClass, kStartTimeout);
    if (!m_hFrame)
        return false;
    m_hView = FindViewOf(m_hFrame);
    if (!m_hView || !WaitUntil([&] { return WindowText(m_hFrame) == strTitle; }, kStartTimeout))
        return false;
    return WaitForSteadyWindow(m_hFrame, kStartTimeout);
}

void CModesSession::ClickToolBar(POINT ptPlace) const {
    ClickStrip(ToolBarOf(m_hFrame), ptPlace);
}

void CModesSession::ClickStripPanel(POINT ptPlace) const {
    ClickStrip(PanelOf(m_hFrame), ptPlace);
}

void CModesSession::ClickStrip(HWND hwndBar, POINT ptPlace) const {
    // While the overlay holds the mouse, the pointer reaching the strip makes it let go, as a
    // user's hand does on the way to a button; the click follows once it has.
    MouseTo(ClientPoint(hwndBar, ptPlace.x + 10, ptPlace.y + 10));
    const DWORD dwThread = GetWindowThreadProcessId(m_hFrame, nullptr);
    WaitUntil(
        [&] {
            GUITHREADINFO info{sizeof info};
            return GetGUIThreadInfo(dwThread, &info) && info.hwndCapture == nullptr;
        },
        3000);
    ClickBarPlace(hwndBar, ptPlace);
}

HWND CModesSession::Overlay(const wchar_t* pszClass) const {
    HWND hwnd = FindWindowW(pszClass, pszClass);
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hwnd, &dwProcess);
    return dwProcess == m_program.ProcessId() ? hwnd : nullptr;
}

bool CModesSession::WaitForOverlay(const wchar_t* pszClass, bool bShown) const {
    return WaitUntil(
        [&] {
            HWND hwnd = Overlay(pszClass);
            return hwnd && (IsWindowVisible(hwnd) != FALSE) == bShown;
        },
        10000);
}
