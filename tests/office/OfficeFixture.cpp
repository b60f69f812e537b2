#include "OfficeFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {
const wchar_t* const kProgIds[3] = {L"Word.Application", L"Excel.Application",
                                    L"PowerPoint.Application"};
const wchar_t* const kClsids[3] = {L"{6C1E1A01-5B2C-4D7E-9A11-0F0FA0CE0001}",
                                   L"{6C1E1A01-5B2C-4D7E-9A11-0F0FA0CE0002}",
                                   L"{6C1E1A01-5B2C-4D7E-9A11-0F0FA0CE0003}"};

std::string ProgramFolder() {
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string str = szPath;
    return str.substr(0, str.find_last_of("\\/") + 1);
}

struct CFindFrame {
    DWORD dwProcess;
    HWND hwnd;
};

BOOL CALLBACK FindFrame(HWND hwnd, LPARAM lParam) {
    auto* pFind = reinterpret_cast<CFindFrame*>(lParam);
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hwnd, &dwProcess);
    char szClass[64] = "";
    GetClassNameA(hwnd, szClass, sizeof szClass);
    if (dwProcess == pFind->dwProcess && std::string(szClass) == "FakeOfficeFrame") {
        pFind->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectText(HWND hwnd, LPARAM lParam) {
    char szClass[32] = "", szText[512] = "";
    GetClassNameA(hwnd, szClass, sizeof szClass);
    GetWindowTextA(hwnd, szText, sizeof szText);
    if (_stricmp(szClass, "Static") == 0 && szText[0])
        *reinterpret_cast<std::string*>(lParam) += szText;
    return TRUE;
}

struct CFindBoxes {
    std::vector<HWND> boxes;
};

BOOL CALLBACK FindBoxes(HWND hwnd, LPARAM lParam) {
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hwnd, &dwProcess);
    char szClass[32] = "";
    GetClassNameA(hwnd, szClass, sizeof szClass);
    if (dwProcess == GetCurrentProcessId() && std::string(szClass) == "#32770" &&
        IsWindowVisible(hwnd))
        reinterpret_cast<CFindBoxes*>(lParam)->boxes.push_back(hwnd);
    return TRUE;
}

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, uMsg, wParam, lParam);
}
} // namespace

CClassRegistration::CClassRegistration() {
    for (int i = 0; i < 3; ++i) {
        std::wstring strKey = std::wstring(kProgIds[i]) + L"\\CLSID";
        HKEY hKey = nullptr;
        if (RegCreateKeyExW(HKEY_CLASSES_ROOT, strKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &hKey, nullptr) == ERROR_SUCCESS) {
            RegSetValueExW(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kClsids[i]),
                           static_cast<DWORD>((wcslen(kClsids[i]) + 1) * sizeof(wchar_t)));
            RegCloseKey(hKey);
        }
    }
}

CClassRegistration::~CClassRegistration() {
    for (const wchar_t* pszProgId : kProgIds)
        Remove(pszProgId);
}

void CClassRegistration::Remove(const wchar_t* pszProgId) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, pszProgId);
}

CFakeOffice::CFakeOffice(const std::string& strKind, const std::string& strExtra) {
    static int s_nCount = 0;
    char szTemp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, szTemp);
    std::string strTag = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++s_nCount);
    m_strLog = std::string(szTemp) + "fakeoffice-" + strTag + ".log";
    std::string strEvent = "FakeOfficeReady-" + strTag;
    HANDLE hReady = CreateEventA(nullptr, TRUE, FALSE, strEvent.c_str());
    std::string strCommand = "\"" + ProgramFolder() + "FakeOffice.exe\" /kind " + strKind +
                             " /log \"" + m_strLog + "\" /ready " + strEvent + " " + strExtra;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (CreateProcessA(nullptr, strCommand.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &si, &m_pi) &&
        WaitForSingleObject(hReady, 20000) == WAIT_OBJECT_0) {
        CFindFrame find{m_pi.dwProcessId, nullptr};
        EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&find));
        m_hwndFrame = find.hwnd;
    }
    CloseHandle(hReady);
}

CFakeOffice::~CFakeOffice() {
    Close();
    if (!m_bRefusalsExpected) {
        EXPECT_TRUE(Matching("REFUSED").empty()) << Log();
        EXPECT_TRUE(Matching("UNKNOWN").empty()) << Log();
    }
    DeleteFileA(m_strLog.c_str());
}

void CFakeOffice::Close() {
    if (!m_pi.hProcess)
        return;
    if (m_hwndFrame)
        PostMessageA(m_hwndFrame, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(m_pi.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(m_pi.hProcess, 1);
    CloseHandle(m_pi.hProcess);
    CloseHandle(m_pi.hThread);
    m_pi = PROCESS_INFORMATION{};
    m_hwndFrame = nullptr;
}

void CFakeOffice::Kill() {
    if (m_pi.hProcess) {
        TerminateProcess(m_pi.hProcess, 1);
        WaitForSingleObject(m_pi.hProcess, 10000);
    }
    Close();
}

POINT CFakeOffice::Origin() const {
    POINT pt{0, 0};
    ClientToScreen(Document(), &pt);
    return pt;
}

std::string CFakeOffice::Log() const {
    std::ifstream file(m_strLog, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> CFakeOffice::Lines() const {
    std::vector<std::string> lines;
    std::stringstream text(Log());
    std::string strLine;
    while (std::getline(text, strLine))
        lines.push_back(strLine);
    return lines;
}

std::vector<std::string> CFakeOffice::Matching(const std::string& strText) const {
    std::vector<std::string> lines;
    for (const std::string& strLine : Lines())
        if (strLine.find(strText) != std::string::npos)
            lines.push_back(strLine);
    return lines;
}

float CFakeOffice::ValueAfter(const std::string& strPrefix) const {
    for (const std::string& strLine : Lines())
        if (strLine.rfind(strPrefix, 0) == 0)
            return std::strtof(strLine.c_str() + strPrefix.size(), nullptr);
    return NAN;
}

std::vector<CScribble> FindScribbles(const CFakeOffice& fake) {
    std::vector<CScribble> scribbles;
    for (const std::string& strLine : fake.Lines()) {
        CScribble s;
        char szName[64] = "";
        int nNumber = 0;
        if (std::sscanf(strLine.c_str(), "scribble %63s %d %f %f %f %f", szName, &nNumber, &s.fLeft,
                        &s.fTop, &s.fWidth, &s.fHeight) == 6) {
            s.strName = std::string(szName) + " " + std::to_string(nNumber);
            scribbles.push_back(s);
        }
    }
    return scribbles;
}

bool FindScribble(const CFakeOffice& fake, CScribble* pScribble) {
    const std::vector<CScribble> scribbles = FindScribbles(fake);
    if (scribbles.empty())
        return false;
    *pScribble = scribbles.front();
    return true;
}

CMessageCatcher::CMessageCatcher() : m_thread([this] { Watch(); }) {}

CMessageCatcher::~CMessageCatcher() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStop = true;
    }
    m_thread.join();
}

void CMessageCatcher::Watch() {
    while (true) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_bStop)
                return;
        }
        CFindBoxes find;
        EnumWindows(FindBoxes, reinterpret_cast<LPARAM>(&find));
        for (HWND hwnd : find.boxes) {
            CBox box{"", "", GetWindow(hwnd, GW_OWNER)};
            EnumChildWindows(hwnd, CollectText, reinterpret_cast<LPARAM>(&box.strText));
            char szCaption[256] = "";
            GetWindowTextA(hwnd, szCaption, sizeof szCaption);
            box.strCaption = szCaption;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_boxes.push_back(box);
            }
            PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
            // Let the box go away before it could be counted twice.
            for (int i = 0; i < 100 && IsWindow(hwnd) && IsWindowVisible(hwnd); ++i)
                Sleep(10);
        }
        Sleep(20);
    }
}

std::vector<CMessageCatcher::CBox> CMessageCatcher::Boxes() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_boxes;
}

std::vector<std::string> CMessageCatcher::Texts() {
    std::vector<std::string> texts;
    for (const CBox& box : Boxes())
        texts.push_back(box.strText);
    return texts;
}

CInkBitmap::CInkBitmap(int nWidth, int nHeight) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pBits = nullptr;
    m_hdc = CreateCompatibleDC(nullptr);
    m_hbm = CreateDIBSection(m_hdc, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    m_hOld = SelectObject(m_hdc, m_hbm);
    RECT rc{0, 0, nWidth, nHeight};
    FillRect(m_hdc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    MoveToEx(m_hdc, 0, 0, nullptr);
    LineTo(m_hdc, nWidth, nHeight);
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OfficeTestOwner";
    RegisterClassW(&wc);
    m_hwnd = CreateWindowExW(0, L"OfficeTestOwner", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             wc.hInstance, nullptr);
}

CInkBitmap::~CInkBitmap() {
    DestroyWindow(m_hwnd);
    SelectObject(m_hdc, m_hOld);
    DeleteObject(m_hbm);
    DeleteDC(m_hdc);
}
