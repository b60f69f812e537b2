#include "ScriptSteps.h"

namespace {

struct ClassSearch {
    const wchar_t* pszClass;
    HWND hFound;
};

BOOL CALLBACK FindClass(HWND hWnd, LPARAM lParam) {
    auto& search = *reinterpret_cast<ClassSearch*>(lParam);
    wchar_t szClass[64] = {};
    GetClassNameW(hWnd, szClass, 64);
    if (wcscmp(szClass, search.pszClass) != 0)
        return TRUE;
    search.hFound = hWnd;
    return FALSE;
}

HWND OriginWindow(const ScriptOrigin& origin, HWND hBase) {
    if (!hBase || origin.strClass.empty())
        return hBase;
    const HWND hFound = FindDescendant(hBase, origin.strClass);
    return hFound ? hFound : hBase;
}

void WaitForEvent(const std::string& strName, DWORD dwMs) {
    HANDLE h = CreateEventA(nullptr, TRUE, FALSE, strName.c_str());
    if (!h)
        return;
    if (WaitForSingleObject(h, dwMs) != WAIT_OBJECT_0)
        ScriptLog("waitfor timed out: " + strName);
    ResetEvent(h);
    CloseHandle(h);
}

void SetNamedEvent(const std::string& strName) {
    HANDLE h = CreateEventA(nullptr, TRUE, FALSE, strName.c_str());
    if (h) {
        SetEvent(h);
        CloseHandle(h);
    }
}

} // namespace

bool RunSharedLine(const std::string& strCmd, std::istringstream& in, ScriptOrigin& origin) {
    std::string strArg;
    LONG n = 0;
    if (strCmd == "origin" && in >> strArg) {
        origin.bClient = strArg == "client";
        std::string strClass;
        in >> strClass;
        origin.strClass.assign(strClass.begin(), strClass.end());
    } else if (strCmd == "wait" && in >> n) {
        Sleep(DWORD(n));
    } else if (strCmd == "signal" && in >> strArg) {
        SetNamedEvent(strArg);
    } else if (strCmd == "waitfor" && in >> strArg) {
        if (!(in >> n))
            n = 20000;
        WaitForEvent(strArg, DWORD(n));
    } else {
        return false;
    }
    return true;
}

HWND FindDescendant(HWND hParent, const std::wstring& strClass) {
    ClassSearch search{strClass.c_str(), nullptr};
    EnumChildWindows(hParent, FindClass, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

POINT ScriptPoint(const ScriptOrigin& origin, HWND hBase, LONG x, LONG y) {
    POINT pt{x, y};
    if (origin.bClient) {
        if (HWND hWnd = OriginWindow(origin, hBase))
            ClientToScreen(hWnd, &pt);
    }
    return pt;
}

void MoveCursor(POINT pt) {
    SetCursorPos(pt.x, pt.y);
    for (int i = 0; i < 200; ++i) {
        POINT ptNow;
        if (GetCursorPos(&ptNow) && ptNow.x == pt.x && ptNow.y == pt.y)
            return;
        Sleep(1);
        if (i % 50 == 49)
            SetCursorPos(pt.x, pt.y);
    }
    ScriptLog("cursor did not reach " + std::to_string(pt.x) + "," + std::to_string(pt.y));
}

std::string EnvSetting(const char* pszName) {
    char sz[MAX_PATH * 2];
    const DWORD n = GetEnvironmentVariableA(pszName, sz, sizeof sz);
    return n > 0 && n < sizeof sz ? std::string(sz, n) : std::string();
}
