#include "ModesSession.h"

#include "ColourWindow.h"
#include "OfficeTestBase.h"

namespace {

std::string Describe(HWND hwnd) {
    if (!hwnd)
        return "none";
    const std::wstring str = WindowClass(hwnd) + L" \"" + WindowText(hwnd) + L"\"";
    return std::string(str.begin(), str.end());
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

std::string CModesSession::BrushWeightInExcel(size_t n) {
    CFakeOffice excel("excel", "/version 11.0 /rect 100 100 600 400");
    if (!excel.IsReady())
        return "no fake Excel";
    ClickStripPanel(StripPanel::kBrush);
    ClickToolBar(InkingToolBar::kStartWriting);
    if (!WaitForOverlay(L"Plovexa-I", true) || !RunChapter(n))
        return "no inking run: " + InputState();
    ClickToolBar(InkingToolBar::kInking);
    if (!WaitUntil([&] { return !excel.Matching(".Weight put").empty(); }, 15000))
        return excel.Log();
    const std::string strWeight = excel.Matching(".Weight put")[0];
    return strWeight.substr(strWeight.find(".Weight put"));
}

std::string CModesSession::DesktopBrushStrokes(size_t n, POINT ptInk,
                                               std::vector<SavedStroke>& strokes) {
    ClickToolBar(LetterToolBar::kDesktop);
    if (!WaitForOverlay(L"Plovexa-L", true))
        return "no overlay: " + InputState();
    ClickStripPanel(StripPanel::kBrush);
    if (!RunChapter(n))
        return "the stroke's chapter";
    if (!WaitUntil([&] { return ColorDistance(ScreenPixel(ptInk), kPenColor) <= 80; }, 5000))
        return "no stroke on the frozen screen";
    return SaveAndRead(strokes, DesktopToolBar::kSave) ? "" : "the saved note";
}

bool CModesSession::StartProgram(const std::wstring& strArgs, const wchar_t* pszClass,
                                 const std::wstring& strTitle, const wchar_t* pszWintab) {
    m_strArgs = strArgs;
    if (!Launch(pszWintab))
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
    // user's hand does on the way to a button; the click follows once it has. A strip button
    // may hold the mouse for its hover highlight: that is the strip's own.
    MouseTo(ClientPoint(hwndBar, ptPlace.x + 10, ptPlace.y + 10));
    const DWORD dwThread = GetWindowThreadProcessId(m_hFrame, nullptr);
    WaitUntil(
        [&] {
            GUITHREADINFO info{sizeof info};
            return GetGUIThreadInfo(dwThread, &info) &&
                   (!info.hwndCapture || IsChild(m_hFrame, info.hwndCapture));
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

std::string CModesSession::BoxText() const {
    for (int i = 0; i < 3; ++i) {
        DWORD_PTR nResult = 0;
        SendMessageTimeoutW(m_hView, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &nResult);
        Sleep(20);
    }
    HWND hBox = m_program.FindWindowOfClass(L"#32770");
    return hBox ? Describe(GetDlgItem(hBox, 0xFFFF)) : std::string();
}

std::string CModesSession::InputState() const {
    GUITHREADINFO info{sizeof info};
    GetGUIThreadInfo(GetWindowThreadProcessId(m_hFrame, nullptr), &info);
    POINT pt{};
    GetCursorPos(&pt);
    HWND hBox = m_program.FindWindowOfClass(L"#32770");
    return "capture " + Describe(info.hwndCapture) + ", focus " + Describe(info.hwndFocus) +
           ", foreground " + Describe(GetForegroundWindow()) + ", cursor " + std::to_string(pt.x) +
           "," + std::to_string(pt.y) + " over " + Describe(WindowFromPoint(pt)) + ", box " +
           (hBox ? Describe(GetDlgItem(hBox, 0xFFFF)) : std::string("none"));
}
