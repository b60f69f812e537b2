// The feeder thread of the virtual tablet. It plays the script named by "QUILLET_TABLET_SCRIPT"
// and then, when "QUILLET_TABLET_MOUSE" is set, turns the mouse into a pen: the left button is
// the pen tip, pressed with the fixed pressure "QUILLET_TABLET_MOUSE" gives (or 600). Pressures
// are given in 1024ths of the pen's range, so that the same script writes with the same touch
// whatever pressure axis the tablet reports.
//
// Script lines (blank lines and lines starting with # are skipped), besides those of every pen
// script (ScriptSteps.h, whose base window is the window of the newest context):
//   clicks on|off          whether pen-down and pen-up also press and release the left mouse
//                          button on the window under the pen, as a driver does (default on)
//   down X Y P             pen touches at (X, Y) with pressure P
//   move X Y P             pen moves to (X, Y) with pressure P
//   line X1 Y1 X2 Y2 N P   N moves from (X1, Y1) to (X2, Y2) with pressure P (the first step
//                          lands 1/N of the way)
//   up X Y                 pen lifts at (X, Y)
//   hover X Y              pen in the air at (X, Y): a packet without pressure
//   burst X Y N P          the program's thread is busy while N packets of pressure P and the
//                          lift arrive at (X, Y): they are queued at once
//   cursor tip|eraser      the packets that follow come from the pen's tip (the default) or its
//                          eraser end, each a cursor of its own
//   times FILE|off         from here on notes the times of each packet and appends them to FILE at
//                          the next "times" line or the script's end, one line a packet: its event
//                          (0 move, 1 up, 2 down), then the microseconds the program took to answer
//                          after the packet's cursor move, from posting the packet's message to
//                          its fetch, and from the fetch to the program being back in its message
//                          loop (the last two -1 when it was not fetched)
#include "VirtualTablet.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TimedPacket {
    DWORD nEvent;
    PacketTimes times;
};

// The packet times of a "times" line, kept until they are written out.
class CPacketClock {
public:
    bool IsOn() const { return !m_strPath.empty(); }
    void Add(DWORD nEvent, const PacketTimes& times) { m_packets.push_back({nEvent, times}); }
    // Writes what was noted and notes into strPath from now on ("off" or empty: no more).
    void Switch(const std::string& strPath) {
        Write();
        m_strPath = strPath == "off" ? std::string() : strPath;
    }
    void Write() {
        if (m_packets.empty())
            return;
        LARGE_INTEGER freq;
        QueryPerformanceFrequency(&freq);
        const double fMicro = 1e6 / double(freq.QuadPart);
        if (FILE* f = std::fopen(m_strPath.c_str(), "a")) {
            for (const TimedPacket& p : m_packets) {
                const PacketTimes& t = p.times;
                const double fSync = double(t.nSynced - t.nSyncStart) * fMicro;
                const double fFetch = t.nFetched ? double(t.nFetched - t.nPosted) * fMicro : -1;
                const double fBack = t.nFetched ? double(t.nBack - t.nFetched) * fMicro : -1;
                std::fprintf(f, "%lu %.1f %.1f %.1f\n", p.nEvent, fSync, fFetch, fBack);
            }
            std::fclose(f);
        } else {
            TabletLog("cannot write times to " + m_strPath);
        }
        m_packets.clear();
    }

private:
    std::string m_strPath;
    std::vector<TimedPacket> m_packets;
};

// The times of the script's packets; only the feeder thread uses it.
CPacketClock g_clock;

struct FeederState {
    ScriptOrigin origin;
    bool bClicks = true;
    UINT nCursor = TipCursor();
};

POINT ToScreen(const FeederState& st, LONG x, LONG y) {
    return ScriptPoint(st.origin, CurrentContextWindow(), x, y);
}

// The innermost visible window at a screen point inside hWnd.
HWND InnermostAt(HWND hWnd, POINT ptScreen) {
    for (;;) {
        POINT pt = ptScreen;
        ScreenToClient(hWnd, &pt);
        HWND hChild = ChildWindowFromPointEx(hWnd, pt, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!hChild || hChild == hWnd)
            return hWnd;
        hWnd = hChild;
    }
}

// The window that the left button goes to: the one holding the mouse capture, else the context's
// window when the pen is over it (a tip window that pops up under the pen must not take the
// click), else the one under the pen.
HWND ClickTarget(POINT pt) {
    if (HWND hCtxWnd = CurrentContextWindow()) {
        GUITHREADINFO gti{};
        gti.cbSize = sizeof gti;
        if (GetGUIThreadInfo(GetWindowThreadProcessId(hCtxWnd, nullptr), &gti) && gti.hwndCapture)
            return gti.hwndCapture;
        RECT rc{};
        GetWindowRect(hCtxWnd, &rc);
        if (PtInRect(&rc, pt))
            return InnermostAt(hCtxWnd, pt);
    }
    return WindowFromPoint(pt);
}

void PostClick(POINT pt, UINT nMessage) {
    HWND hWnd = ClickTarget(pt);
    if (!hWnd)
        return;
    POINT ptClient = pt;
    ScreenToClient(hWnd, &ptClient);
    wchar_t szClass[64] = {};
    GetClassNameW(hWnd, szClass, 64);
    TabletLog((nMessage == WM_LBUTTONDOWN ? "button down on " : "button up on ") +
              std::string(szClass, szClass + wcslen(szClass)) + " at " +
              std::to_string(ptClient.x) + "," + std::to_string(ptClient.y));
    const WPARAM wParam = nMessage == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
    PostMessageW(hWnd, nMessage, wParam, MAKELPARAM(ptClient.x, ptClient.y));
}

// A packet of a touch given in 1024ths of the pen's range.
RawPacket MakePacket(const FeederState& st, POINT pt, DWORD nEvent, UINT nTouch) {
    RawPacket packet;
    packet.nCursor = st.nCursor;
    packet.nTime = GetTickCount();
    packet.nButtons = MAKELONG(0, nEvent);
    packet.ptScreen = pt;
    packet.nPressure = RawPressure(LONG(nTouch));
    return packet;
}

void Send(const FeederState& st, POINT pt, DWORD nEvent, UINT nPressure, bool bMoveCursor) {
    PacketTimes times;
    if (bMoveCursor) {
        MoveCursor(pt);
        // The program's thread takes in the display's motion reports when it answers a message;
        // an old report handled after the packet would put the cursor back where it was.
        times.nSyncStart = PerformanceNow();
        if (HWND hWnd = CurrentContextWindow()) {
            DWORD_PTR nResult = 0;
            SendMessageTimeoutW(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &nResult);
        }
        times.nSynced = PerformanceNow();
        MoveCursor(pt);
    }
    const bool bTimed = g_clock.IsOn();
    DeliverPacket(MakePacket(st, pt, nEvent, nPressure), 20000, bTimed ? &times : nullptr);
    if (bTimed)
        g_clock.Add(nEvent, times);
}

void SendBurst(const FeederState& st, POINT pt, LONG nCount, UINT nPressure) {
    MoveCursor(pt);
    std::vector<RawPacket> packets;
    for (LONG i = 0; i < nCount; ++i)
        packets.push_back(MakePacket(st, pt, TBN_NONE, nPressure));
    packets.push_back(MakePacket(st, pt, TBN_UP, 0));
    DeliverBurst(packets);
}

void RunLine(FeederState& st, const std::string& strLine) {
    std::istringstream in(strLine);
    std::string strCmd;
    if (!(in >> strCmd) || strCmd[0] == '#')
        return;
    LONG x = 0, y = 0, x2 = 0, y2 = 0, n = 0, p = 0;
    std::string strArg;
    if (RunSharedLine(strCmd, in, st.origin)) {
    } else if (strCmd == "clicks" && in >> strArg) {
        st.bClicks = strArg == "on";
    } else if (strCmd == "down" && in >> x >> y >> p) {
        const POINT pt = ToScreen(st, x, y);
        MoveCursor(pt);
        if (st.bClicks)
            PostClick(pt, WM_LBUTTONDOWN);
        Send(st, pt, TBN_DOWN, UINT(p), true);
    } else if (strCmd == "move" && in >> x >> y >> p) {
        Send(st, ToScreen(st, x, y), TBN_NONE, UINT(p), true);
    } else if (strCmd == "line" && in >> x >> y >> x2 >> y2 >> n >> p && n > 0) {
        for (LONG i = 1; i <= n; ++i)
            Send(st, ToScreen(st, x + (x2 - x) * i / n, y + (y2 - y) * i / n), TBN_NONE, UINT(p),
                 true);
    } else if (strCmd == "up" && in >> x >> y) {
        const POINT pt = ToScreen(st, x, y);
        Send(st, pt, TBN_UP, 0, true);
        if (st.bClicks)
            PostClick(pt, WM_LBUTTONUP);
    } else if (strCmd == "burst" && in >> x >> y >> n >> p && n > 0) {
        SendBurst(st, ToScreen(st, x, y), n, UINT(p));
    } else if (strCmd == "hover" && in >> x >> y) {
        Send(st, ToScreen(st, x, y), TBN_NONE, 0, true);
    } else if (strCmd == "cursor" && in >> strArg && (strArg == "tip" || strArg == "eraser")) {
        st.nCursor = strArg == "tip" ? TipCursor() : EraserCursor();
    } else if (strCmd == "times" && in >> strArg) {
        g_clock.Switch(strArg);
    } else {
        TabletLog("bad script line: " + strLine);
    }
}

void RunScript(const char* pszPath) {
    std::ifstream in(pszPath);
    if (!in) {
        TabletLog(std::string("cannot read script ") + pszPath);
        return;
    }
    FeederState st;
    std::string strLine;
    while (std::getline(in, strLine))
        RunLine(st, strLine);
    g_clock.Switch("off");
    TabletLog("script done");
}

// The mouse as a pen: polls the left button and the cursor and sends what changed.
void RunMouse(UINT nPressure) {
    const FeederState st;
    bool bDown = false;
    POINT ptLast{};
    for (;;) {
        Sleep(4);
        const bool bButton = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
        POINT pt;
        if (!GetCursorPos(&pt))
            continue;
        if (bButton && !bDown)
            Send(st, pt, TBN_DOWN, nPressure, false);
        else if (bButton && (pt.x != ptLast.x || pt.y != ptLast.y))
            Send(st, pt, TBN_NONE, nPressure, false);
        else if (!bButton && bDown)
            Send(st, pt, TBN_UP, 0, false);
        bDown = bButton;
        ptLast = pt;
    }
}

DWORD WINAPI FeederMain(LPVOID) {
    if (const std::string strScript = EnvSetting("QUILLET_TABLET_SCRIPT"); !strScript.empty())
        RunScript(strScript.c_str());
    if (const std::string strMouse = EnvSetting("QUILLET_TABLET_MOUSE"); !strMouse.empty()) {
        const long n = std::strtol(strMouse.c_str(), nullptr, 10);
        RunMouse(n > 1 ? UINT(n) : 600);
    }
    return 0;
}

} // namespace

void StartFeeder() {
    static bool bStarted = false;
    if (bStarted)
        return;
    bStarted = true;
    if (HANDLE h = CreateThread(nullptr, 0, FeederMain, nullptr, 0, nullptr))
        CloseHandle(h);
}
