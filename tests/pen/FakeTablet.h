// A fake tablet library for the tests of the view's tablet side: every entry point records its
// call in a log, WTPacketsGet hands out the packets a test prepared, and a client derived from
// CTabletClient records the packets its handlers receive.
#pragma once
#include "TabletClient.h"

#include <functional>
#include <string>
#include <vector>

struct FakeTablet {
    static FakeTablet* s_pCurrent;

    FakeTablet();
    ~FakeTablet();

    CWintabApi api;
    std::vector<std::string> log;
    std::vector<PenPacket> packets; // handed out by the next WTPacketsGet
    int nReportedCount = -1;        // what WTPacketsGet returns; -1: the number handed out
    int nLastMaxAsked = 0;
    LONG nAxisMax = 1023;
    bool bOpenFails = false;
    LOGCONTEXTA lcDefault{};
    LOGCONTEXTA lcOpened{};
    int nOpenCount = 0;
    // Each open hands out a handle of its own (0x5151 first); the ones not closed yet.
    std::vector<HCTX> openHandles;
    std::vector<HCTX> closedHandles;
    // Called inside WTClose, as a driver that lets the window handle sent messages then.
    std::function<void()> onClose;
    // The window of the last WTOpenA.
    HWND hwndOpened = nullptr;
    // WTQueueSizeSet grants sizes up to nQueueMax; a refused size leaves no queue, as the
    // published interface says. The queue of the open context, 10 until one is granted.
    int nQueueMax = 64;
    int nQueueSize = 10;
    // The driver's cursors, cursor n at index n: capabilities and type; none unless a test sets
    // them (the interface then reports no cursor count).
    struct Cursor {
        UINT nCapabilities;
        UINT nType;
    };
    std::vector<Cursor> cursors;
};

struct ReceivedPacket {
    std::string strHandler;
    DWORD nTime;
    DWORD nButtons;
    LONG x;
    LONG y;
    UINT nPressure;
};

// What a handler is expected to receive for one packet.
struct ExpectedPacket {
    DWORD nButtons;
    POINT pt;
    UINT nPressure;
};

class CFakeTabletClient;
// Checks that the packets the client received went to pszHandler as expected, in order.
void ExpectReceived(const CFakeTabletClient& client, const char* pszHandler,
                    const std::vector<ExpectedPacket>& expected);

class CFakeTabletClient : public CTabletClient {
public:
    explicit CFakeTabletClient(FakeTablet& tablet) : m_tablet(tablet) { m_pWintab = &tablet.api; }

    int m_nMode = kModeLetter;
    int m_nTool = 2;
    POINT m_ptCursor{640, 400};
    HWND m_hWnd = nullptr;
    // The window the context is to be opened on; null: m_hWnd.
    HWND m_hOwner = nullptr;
    std::vector<ReceivedPacket> m_received;
    mutable int m_nBeeps = 0;

protected:
    HWND TabletWindow() const override { return m_hWnd; }
    HWND ContextOwner() const override { return m_hOwner ? m_hOwner : m_hWnd; }
    int TabletMode() const override { return m_nMode; }
    int TabletTool() const override { return m_nTool; }
    BOOL OnCapturePacket(DWORD t, DWORD b, LONG x, LONG y, UINT p) override;
    BOOL OnLetterPacket(DWORD t, DWORD b, LONG x, LONG y, UINT p) override;
    BOOL OnDesktopPacket(DWORD t, DWORD b, LONG x, LONG y, UINT p) override;
    BOOL OnInkingPacket(DWORD t, DWORD b, LONG x, LONG y, UINT p) override;
    POINT TabletCursorPos() const override { return m_ptCursor; }
    void TabletSleep(DWORD dwMs) const override;
    void TabletBeep() const override;

private:
    BOOL Record(const char* pszHandler, DWORD t, DWORD b, LONG x, LONG y, UINT p);
    FakeTablet& m_tablet;
};
