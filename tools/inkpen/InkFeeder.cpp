// The feeder thread of the Windows Ink stand-in. Pressures are the pen's own, 0 to 1024.
//
// Script lines (blank lines and lines starting with # are skipped), besides those of every pen
// script (ScriptSteps.h, whose base window is the program's top-level window holding the origin's
// class):
//   down X Y P             the pen touches at (X, Y) with pressure P
//   move X Y P             the pen moves to (X, Y) with pressure P
//   line X1 Y1 X2 Y2 N P   N moves from (X1, Y1) to (X2, Y2), each a message of its own
//   coalesced X1 Y1 X2 Y2 N P
//                          the same N moves, coalesced into one update message
//   up X Y                 the pen lifts at (X, Y)
//   hover X Y              the pen in the air at (X, Y)
//   touch X1 Y1 X2 Y2 N    a finger touches at (X1, Y1), moves in N steps to (X2, Y2) and lifts
//   end tip|inverted|eraser
//                          the pen's tip writes (the default), or it is turned over (inverted),
//                          or its eraser button is held
//   barrel on|off          whether the barrel button is held
#include "InkStandIn.h"

#include <algorithm>
#include <fstream>
#include <string>

namespace {

constexpr UINT32 kPenId = 1;
constexpr UINT32 kTouchId = 2;
constexpr UINT32 kFlagNew = 0x0001;
constexpr UINT32 kFlagInRange = 0x0002;
constexpr UINT32 kFlagFirstButton = 0x0010;
constexpr UINT32 kFlagPrimary = 0x2000;
constexpr UINT32 kFlagUpdate = 0x00020000;

struct FeederState {
    ScriptOrigin origin;
    UINT32 nPenFlags = 0;
    // The window that took the contact's down; null between contacts.
    HWND hContact = nullptr;
    UINT32 nFrame = 0;
};

struct BaseSearch {
    const std::wstring& strClass;
    HWND hFound;
};

BOOL CALLBACK FindBaseWindow(HWND hWnd, LPARAM lParam) {
    auto& search = *reinterpret_cast<BaseSearch*>(lParam);
    DWORD nProcess = 0;
    GetWindowThreadProcessId(hWnd, &nProcess);
    if (nProcess != GetCurrentProcessId() || !IsWindowVisible(hWnd) ||
        !FindDescendant(hWnd, search.strClass))
        return TRUE;
    search.hFound = hWnd;
    return FALSE;
}

// The program's shown top-level window that holds a window of the origin's class.
HWND BaseWindow(const FeederState& st) {
    BaseSearch search{st.origin.strClass, nullptr};
    if (!st.origin.strClass.empty())
        EnumWindows(FindBaseWindow, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

PointerPenInfo Frame(FeederState& st, DWORD nType, UINT32 nFlags, POINT pt, UINT32 nPressure) {
    PointerPenInfo info{};
    PointerInfo& p = info.pointerInfo;
    p.pointerType = nType;
    p.pointerId = nType == kPointerTypePen ? kPenId : kTouchId;
    p.frameId = ++st.nFrame;
    p.pointerFlags = nFlags | kFlagInRange | kFlagPrimary;
    p.ptPixelLocation = p.ptPixelLocationRaw = pt;
    p.dwTime = GetTickCount();
    p.historyCount = 1;
    info.penFlags = nType == kPointerTypePen ? st.nPenFlags : 0;
    info.penMask = kPenMaskPressure;
    info.pressure = nPressure;
    return info;
}

// One message of the pen or a finger with its frames, oldest first as given.
void Deliver(FeederState& st, UINT uMsg, DWORD nType, std::vector<PointerPenInfo> frames) {
    const POINT pt = frames.back().pointerInfo.ptPixelLocation;
    if (uMsg == kWmPointerDown || !st.hContact)
        st.hContact = WindowFromPoint(pt);
    for (PointerPenInfo& info : frames)
        info.pointerInfo.historyCount = UINT32(frames.size());
    std::reverse(frames.begin(), frames.end());
    if (st.hContact)
        DeliverPointerMessage(st.hContact, uMsg, nType, frames);
    else
        ScriptLog("dropped: no window under the pen");
    if (uMsg == kWmPointerUp || !(frames.front().pointerInfo.pointerFlags & kPointerFlagInContact))
        st.hContact = nullptr;
}

void SendPen(FeederState& st, UINT uMsg, POINT pt, UINT32 nPressure) {
    UINT32 nFlags = kFlagUpdate | kPointerFlagInContact | kFlagFirstButton;
    if (uMsg == kWmPointerDown)
        nFlags = kFlagNew | kPointerFlagDown | kPointerFlagInContact | kFlagFirstButton;
    else if (uMsg == kWmPointerUp)
        nFlags = kPointerFlagUp;
    else if (nPressure == 0)
        nFlags = kFlagUpdate;
    Deliver(st, uMsg, kPointerTypePen, {Frame(st, kPointerTypePen, nFlags, pt, nPressure)});
}

POINT Between(POINT a, POINT b, LONG i, LONG n) {
    return {a.x + (b.x - a.x) * i / n, a.y + (b.y - a.y) * i / n};
}

void SendCoalesced(FeederState& st, POINT a, POINT b, LONG n, UINT32 nPressure) {
    std::vector<PointerPenInfo> frames;
    for (LONG i = 1; i <= n; ++i)
        frames.push_back(Frame(st, kPointerTypePen,
                               kFlagUpdate | kPointerFlagInContact | kFlagFirstButton,
                               Between(a, b, i, n), nPressure));
    Deliver(st, kWmPointerUpdate, kPointerTypePen, frames);
}

void SendTouch(FeederState& st, POINT a, POINT b, LONG n) {
    const UINT32 nContact = kPointerFlagInContact | kFlagFirstButton;
    Deliver(st, kWmPointerDown, kPointerTypeTouch,
            {Frame(st, kPointerTypeTouch, kFlagNew | kPointerFlagDown | nContact, a, 0)});
    for (LONG i = 1; i <= n; ++i)
        Deliver(st, kWmPointerUpdate, kPointerTypeTouch,
                {Frame(st, kPointerTypeTouch, kFlagUpdate | nContact, Between(a, b, i, n), 0)});
    Deliver(st, kWmPointerUp, kPointerTypeTouch,
            {Frame(st, kPointerTypeTouch, kPointerFlagUp, b, 0)});
}

void SetPenFlag(FeederState& st, UINT32 nFlag, bool bOn) {
    st.nPenFlags = bOn ? (st.nPenFlags | nFlag) : (st.nPenFlags & ~nFlag);
}

bool RunEnd(FeederState& st, const std::string& strEnd) {
    if (strEnd != "tip" && strEnd != "inverted" && strEnd != "eraser")
        return false;
    SetPenFlag(st, kPenFlagInverted, strEnd == "inverted");
    SetPenFlag(st, kPenFlagEraser, strEnd == "eraser");
    return true;
}

void RunLine(FeederState& st, const std::string& strLine) {
    std::istringstream in(strLine);
    std::string strCmd, strArg;
    if (!(in >> strCmd) || strCmd[0] == '#')
        return;
    LONG x = 0, y = 0, x2 = 0, y2 = 0, n = 0, p = 0;
    const auto at = [&](LONG cx, LONG cy) {
        return ScriptPoint(st.origin, BaseWindow(st), cx, cy);
    };
    bool bDone = true;
    if (RunSharedLine(strCmd, in, st.origin)) {
    } else if (strCmd == "down" && in >> x >> y >> p) {
        SendPen(st, kWmPointerDown, at(x, y), UINT32(p));
    } else if (strCmd == "move" && in >> x >> y >> p) {
        SendPen(st, kWmPointerUpdate, at(x, y), UINT32(p));
    } else if (strCmd == "line" && in >> x >> y >> x2 >> y2 >> n >> p && n > 0) {
        for (LONG i = 1; i <= n; ++i)
            SendPen(st, kWmPointerUpdate, Between(at(x, y), at(x2, y2), i, n), UINT32(p));
    } else if (strCmd == "coalesced" && in >> x >> y >> x2 >> y2 >> n >> p && n > 0) {
        SendCoalesced(st, at(x, y), at(x2, y2), n, UINT32(p));
    } else if (strCmd == "up" && in >> x >> y) {
        SendPen(st, kWmPointerUp, at(x, y), 0);
    } else if (strCmd == "hover" && in >> x >> y) {
        SendPen(st, kWmPointerUpdate, at(x, y), 0);
    } else if (strCmd == "touch" && in >> x >> y >> x2 >> y2 >> n && n > 0) {
        SendTouch(st, at(x, y), at(x2, y2), n);
    } else if (strCmd == "end" && in >> strArg) {
        bDone = RunEnd(st, strArg);
    } else if (strCmd == "barrel" && in >> strArg) {
        SetPenFlag(st, kPenFlagBarrel, strArg == "on");
    } else {
        bDone = false;
    }
    if (!bDone)
        ScriptLog("bad script line: " + strLine);
}

DWORD WINAPI FeederMain(LPVOID pParam) {
    auto* pPath = static_cast<std::string*>(pParam);
    std::ifstream in(*pPath);
    if (!in)
        ScriptLog("cannot read script " + *pPath);
    FeederState st;
    std::string strLine;
    while (std::getline(in, strLine))
        RunLine(st, strLine);
    ScriptLog("script done");
    delete pPath;
    return 0;
}

} // namespace

void StartInkFeeder() {
    static std::string s_strPlayed;
    const std::string strScript = EnvSetting("QUILLET_POINTER_SCRIPT");
    if (strScript.empty() || strScript == s_strPlayed)
        return;
    s_strPlayed = strScript;
    if (HANDLE h = CreateThread(nullptr, 0, FeederMain, new std::string(strScript), 0, nullptr))
        CloseHandle(h);
}
