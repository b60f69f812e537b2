#include "ModesSession.h"

namespace {
constexpr DWORD kStartTimeout = 30000;

BOOL CALLBACK FindView(HWND hwnd, LPARAM lParam) {
    wchar_t sz[64] = {};
    GetClassNameW(hwnd, sz, 64);
    if (lstrcmpW(sz, L"ScrivoView") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hwnd;
    return FALSE;
}
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
    EnumChildWindows(m_hFrame, FindView, reinterpret_cast<LPARAM>(&m_hView));
    if (!m_hView || !WaitUntil([&] { return WindowText(m_hFrame) == strTitle; }, kStartTimeout))
        return false;
    // The strip has found its place once its rectangle stays.
    RECT rcLast{};
    DWORD nSince = GetTickCount();
    return WaitUntil(
        [&] {
            RECT rc{};
            GetWindowRect(m_hFrame, &rc);
            if (!EqualRect(&rc, &rcLast)) {
                rcLast = rc;
                nSince = GetTickCount();
            }
            return GetTickCount() - nSince > 700;
        },
        kStartTimeout);
}

void CModesSession::Press(UINT nID) const {
    Command(nID);
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
