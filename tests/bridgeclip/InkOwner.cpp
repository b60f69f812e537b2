#include "InkOwner.h"

#include "Brevix.h"
#include "InkBitmap.h"
#include "TestWindow.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

void InsertionTest::SetUp() {
    ASSERT_NE(m_owner.Hwnd(), nullptr);
    m_before = AanFiles();
}

void InsertionTest::TearDown() {
    Brevix_RenderFormatHTML_TimeOut(m_owner.Hwnd()); // stops a timer still running
    ClearClipboard();
}

int InsertionTest::Insert(CPasteTarget& target, const CInkBitmap& ink, const RECT& rc) {
    const std::size_t nKeys = target.m_keys.size();
    const int nResult = Brevix_Insert(m_owner.Hwnd(), &rc, ink.Dc(), ink.Bitmap());
    m_nInsertedAt = GetTickCount64();
    PumpUntil([&] { return target.m_keys.size() >= nKeys + 4; }, 3000);
    return nResult;
}

void InsertionTest::ExpectOneInsertedMessageAfterTheTimer() {
    ASSERT_TRUE(PumpUntil([&] { return m_owner.m_nInserted >= 1; }, 4000))
        << "message 1224 did not arrive";
    EXPECT_GE(GetTickCount64() - m_nInsertedAt, 1900u) << "the timer ran short";
    EXPECT_TRUE(m_owner.m_bInsertedParamsZero);
    PumpFor(300);
    EXPECT_EQ(m_owner.m_nInserted, 1) << "the timer runs once";
}

bool PumpUntil(const std::function<bool()>& bDone, DWORD nMs) {
    const ULONGLONG nEnd = GetTickCount64() + nMs;
    while (!bDone()) {
        const ULONGLONG nNow = GetTickCount64();
        if (nNow >= nEnd)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                  static_cast<DWORD>(std::min<ULONGLONG>(nEnd - nNow, 20)),
                                  QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

void PumpFor(DWORD nMs) {
    PumpUntil([] { return false; }, nMs);
}

CInkOwner::CInkOwner() : m_hwnd(CreateHiddenWindow(L"BridgeTestOwner", WndProc, this)) {}

CInkOwner::~CInkOwner() {
    if (m_hwnd)
        DestroyWindow(m_hwnd);
}

LRESULT CALLBACK CInkOwner::WndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_NCCREATE)
        SetWindowLongPtrW(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* pThis = reinterpret_cast<CInkOwner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!pThis)
        return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    switch (uMsg) {
    case WM_RENDERFORMAT:
        pThis->m_formatsRendered.push_back(static_cast<UINT>(wParam));
        Brevix_RenderFormat(hwnd, static_cast<UINT>(wParam));
        pThis->m_timeOutResults.push_back(Brevix_RenderFormatHTML_TimeOut(hwnd));
        return 0;
    case WM_RENDERALLFORMATS:
        Brevix_RenderFormat(hwnd, 0);
        return 0;
    case WM_USER + 200:
        ++pThis->m_nInserted;
        pThis->m_bInsertedParamsZero = pThis->m_bInsertedParamsZero && wParam == 0 && lParam == 0;
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        pThis->m_hwnd = nullptr;
        return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    }
}

namespace {

// The application's windows are made once per process and kept: hiding or destroying the active
// window makes Wine wait two seconds for the display. Index 1 is the owned frame.
HWND g_hwndFrames[2] = {};
HWND g_hwndChildren[2] = {};

void CreateTargetWindows(int nKind) {
    if (g_hwndFrames[nKind])
        return;
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.hInstance = hInstance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpfnWndProc = CPasteTarget::FrameProc;
    wc.lpszClassName = L"BridgeTestFrame";
    RegisterClassW(&wc);
    wc.lpfnWndProc = CPasteTarget::ChildProc;
    wc.lpszClassName = L"BridgeTestChild";
    RegisterClassW(&wc);
    HWND hwndOwner =
        nKind == 1 ? CreateHiddenWindow(L"BridgeTestFrameOwner", DefWindowProcW) : nullptr;
    g_hwndFrames[nKind] =
        CreateWindowW(L"BridgeTestFrame", L"Paste Target", WS_POPUP, nKind == 1 ? 600 : 100, 100,
                      400, 300, hwndOwner, nullptr, hInstance, nullptr);
    g_hwndChildren[nKind] =
        CreateWindowW(L"BridgeTestChild", L"", WS_CHILD | WS_VISIBLE, 50, 50, 200, 150,
                      g_hwndFrames[nKind], nullptr, hInstance, nullptr);
    ShowWindow(g_hwndFrames[nKind], SW_SHOW);
}

} // namespace

CPasteTarget::CPasteTarget(Ask ask, bool bOwnedFrame) : m_ask(ask) {
    const int nKind = bOwnedFrame ? 1 : 0;
    CreateTargetWindows(nKind);
    m_hwndFrame = g_hwndFrames[nKind];
    m_hwndChild = g_hwndChildren[nKind];
    SetWindowLongPtrW(m_hwndFrame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(m_hwndChild, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowPos(m_hwndFrame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetFocus(m_hwndChild);
    UpdateWindow(m_hwndFrame);
    PumpFor(50);
}

CPasteTarget::~CPasteTarget() {
    SetWindowLongPtrW(m_hwndFrame, GWLP_USERDATA, 0);
    SetWindowLongPtrW(m_hwndChild, GWLP_USERDATA, 0);
}

RECT CPasteTarget::ChildRect() const {
    RECT rc{};
    GetWindowRect(m_hwndChild, &rc);
    return rc;
}

LRESULT CALLBACK CPasteTarget::FrameProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto* pThis = reinterpret_cast<CPasteTarget*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (uMsg == WM_SETFOCUS && pThis) {
        SetFocus(pThis->m_hwndChild);
        return 0;
    }
    return DefWindowProcW(hwnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK CPasteTarget::ChildProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto* pThis = reinterpret_cast<CPasteTarget*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!pThis || (uMsg != WM_KEYDOWN && uMsg != WM_KEYUP))
        return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    char szKey[64];
    std::snprintf(szKey, sizeof(szKey), "%s %u %u", uMsg == WM_KEYDOWN ? "down" : "up",
                  static_cast<unsigned>(wParam), static_cast<unsigned>((lParam >> 16) & 0xFF));
    pThis->m_keys.push_back(szKey);
    if (uMsg == WM_KEYDOWN && wParam == 'V' && GetKeyState(VK_CONTROL) < 0)
        pThis->OnPaste();
    return 0;
}

namespace {

template <class T> T ReadGlobal(UINT uFormat) {
    T data;
    HANDLE h = GetClipboardData(uFormat);
    if (!h)
        return data;
    const auto* p = static_cast<const char*>(GlobalLock(h));
    if (p)
        data.assign(p, p + GlobalSize(h));
    GlobalUnlock(h);
    return data;
}

} // namespace

void CPasteTarget::OnPaste() {
    ++m_nPastes;
    const UINT cfHtml = RegisterClipboardFormatA("HTML Format");
    m_bDibAvailable = IsClipboardFormatAvailable(CF_DIB);
    m_bHtmlAvailable = IsClipboardFormatAvailable(cfHtml);
    if (m_ask == Ask::None || !OpenClipboard(m_hwndChild))
        return;
    if (m_ask == Ask::Html || m_ask == Ask::Both) {
        m_strHtml = ReadGlobal<std::string>(cfHtml);
        m_strHtml.resize(std::strlen(m_strHtml.c_str()));
    }
    if (m_ask == Ask::Dib || m_ask == Ask::Both)
        m_dib = ReadGlobal<std::vector<BYTE>>(CF_DIB);
    CloseClipboard();
}

std::set<std::string> AanFiles() {
    char szDir[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    std::set<std::string> files;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((std::string(szDir) + "aan*.tmp").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return files;
    do {
        files.insert(std::string(szDir) + fd.cFileName);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    return files;
}

std::vector<std::string> NewFiles(const std::set<std::string>& before,
                                  const std::set<std::string>& after) {
    std::vector<std::string> files;
    for (const std::string& strFile : after)
        if (!before.count(strFile))
            files.push_back(strFile);
    return files;
}

bool FileExists(const std::string& strPath) {
    return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFile(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string ModuleFolder(HMODULE hModule) {
    char szPath[MAX_PATH];
    GetModuleFileNameA(hModule, szPath, MAX_PATH);
    std::string strPath = szPath;
    return strPath.substr(0, strPath.find_last_of('\\') + 1);
}

std::string FileStart(const std::string& strPath, std::size_t n) {
    std::string strStart(n, '\0');
    FILE* f = std::fopen(strPath.c_str(), "rb");
    if (!f)
        return "";
    strStart.resize(std::fread(strStart.data(), 1, n, f));
    std::fclose(f);
    return strStart;
}

std::string ImagePathOf(const std::string& strHtml) {
    const std::size_t nAt = strHtml.find("<IMG SRC=\"");
    if (nAt == std::string::npos)
        return "";
    const std::size_t nStart = nAt + 10;
    const std::size_t nEnd = strHtml.find("\">", nStart);
    return nEnd == std::string::npos ? "" : strHtml.substr(nStart, nEnd - nStart);
}

void PutSentinelText(const char* pszText) {
    if (!OpenClipboard(nullptr))
        return;
    EmptyClipboard();
    const std::size_t n = std::strlen(pszText) + 1;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, n);
    std::memcpy(GlobalLock(h), pszText, n);
    GlobalUnlock(h);
    SetClipboardData(CF_TEXT, h);
    CloseClipboard();
}

std::string ClipboardText() {
    if (!OpenClipboard(nullptr))
        return "";
    std::string strText;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h)))
            strText = p;
        GlobalUnlock(h);
    }
    CloseClipboard();
    return strText;
}

void ClearClipboard() {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}
