#include "GuiObjects.h"

#include <vector>

namespace {
// Handle values are probed with their upper word 0, which Wine accepts for an object of this
// process whatever its reuse count. GDI indices fill the low word; USER handles start at 0x20
// and go in steps of 2.
constexpr unsigned kGdiHandles = 0x10000;
constexpr unsigned kFirstUserHandle = 0x20;
constexpr unsigned kLastUserHandle = 0xFFEF;

const char* GdiKind(DWORD nType) {
    switch (nType) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return "pen";
    case OBJ_BRUSH:
        return "brush";
    case OBJ_DC:
    case OBJ_MEMDC:
    case OBJ_METADC:
    case OBJ_ENHMETADC:
        return "dc";
    case OBJ_PAL:
        return "palette";
    case OBJ_FONT:
        return "font";
    case OBJ_BITMAP:
        return "bitmap";
    case OBJ_REGION:
        return "region";
    case OBJ_METAFILE:
    case OBJ_ENHMETAFILE:
        return "metafile";
    default:
        return "other gdi";
    }
}

struct CWindowCount {
    DWORD dwProcessId;
    int nWindows;
};

BOOL CALLBACK CountChild(HWND, LPARAM lParam) {
    ++reinterpret_cast<CWindowCount*>(lParam)->nWindows;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM lParam) {
    auto* pCount = reinterpret_cast<CWindowCount*>(lParam);
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hwnd, &dwProcessId);
    if (dwProcessId == pCount->dwProcessId) {
        ++pCount->nWindows;
        EnumChildWindows(hwnd, CountChild, lParam);
    }
    return TRUE;
}

// The process's windows: top-level ones with their descendants, and message-only windows.
int CountWindows() {
    CWindowCount count{GetCurrentProcessId(), 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    for (HWND hwnd = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); hwnd;
         hwnd = FindWindowExW(HWND_MESSAGE, hwnd, nullptr, nullptr))
        CountTopLevel(hwnd, reinterpret_cast<LPARAM>(&count));
    return count.nWindows;
}

bool IsCursorOrIcon(HANDLE h) {
    ICONINFO ii{};
    if (!GetIconInfo(static_cast<HICON>(h), &ii))
        return false;
    // GetIconInfo hands out copies of the two bitmaps.
    if (ii.hbmMask)
        DeleteObject(ii.hbmMask);
    if (ii.hbmColor)
        DeleteObject(ii.hbmColor);
    return true;
}
} // namespace

CGuiObjects CGuiObjects::Count() {
    CGuiObjects objects;
    const DWORD nGdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD nUser = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (nGdi != 0) {
        objects.m_kinds["gdi"] = {true, int(nGdi)};
        objects.m_kinds["user"] = {false, int(nUser)};
        return objects;
    }
    // USER objects first: probing for cursors makes (and deletes) GDI bitmaps.
    int nMenus = 0, nCursors = 0;
    for (unsigned i = kFirstUserHandle; i <= kLastUserHandle; i += 2) {
        const HANDLE h = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(i));
        if (IsMenu(static_cast<HMENU>(h)))
            ++nMenus;
        else if (IsCursorOrIcon(h))
            ++nCursors;
    }
    objects.m_kinds["window"] = {false, CountWindows()};
    objects.m_kinds["menu"] = {false, nMenus};
    objects.m_kinds["cursor or icon"] = {false, nCursors};
    for (unsigned i = 0; i < kGdiHandles; ++i) {
        const DWORD nType = GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<ULONG_PTR>(i)));
        if (nType == 0)
            continue;
        auto& entry = objects.m_kinds[GdiKind(nType)];
        entry.first = true;
        ++entry.second;
    }
    return objects;
}

int CGuiObjects::Of(const std::string& strKind) const {
    auto it = m_kinds.find(strKind);
    return it == m_kinds.end() ? 0 : it->second.second;
}

int CGuiObjects::Sum(bool bGdi) const {
    int n = 0;
    for (const auto& [strKind, entry] : m_kinds)
        if (entry.first == bGdi)
            n += entry.second;
    return n;
}

std::string CGuiObjects::Describe() const {
    std::string str;
    for (bool bGdi : {true, false}) {
        std::string strKinds;
        for (const auto& [strKind, entry] : m_kinds) {
            if (entry.first != bGdi || entry.second == 0)
                continue;
            strKinds +=
                (strKinds.empty() ? "" : ", ") + strKind + " " + std::to_string(entry.second);
        }
        str += (bGdi ? "GDI " : ", USER ") + std::to_string(Sum(bGdi)) + " (" + strKinds + ")";
    }
    return str;
}
