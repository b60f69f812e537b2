// The published Wintab tablet interface as this program uses it: records, constants and the
// entry points that the application binds at start-up (CWintabApi). The program never links the
// tablet library; every call goes through the bound entry points, and only while m_bWintab is set.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

DECLARE_HANDLE(HCTX);

using WTPKT = DWORD;
using FIX32 = DWORD;

constexpr int LCNAMELEN = 40;

// Information categories and indexes of WTInfoA.
constexpr UINT WTI_INTERFACE = 1;
constexpr UINT IFC_WINTABID = 1;
constexpr UINT IFC_SPECVERSION = 2;
constexpr UINT IFC_NDEVICES = 4;
constexpr UINT IFC_NCURSORS = 5;
constexpr UINT WTI_STATUS = 2;
constexpr UINT STA_CONTEXTS = 1;
constexpr UINT WTI_DEFCONTEXT = 3;
constexpr UINT WTI_DEFSYSCTX = 4;
constexpr UINT WTI_DEVICES = 100;
constexpr UINT DVC_NAME = 1;
constexpr UINT DVC_PKTDATA = 7;
constexpr UINT DVC_X = 12;
constexpr UINT DVC_Y = 13;
constexpr UINT DVC_NPRESSURE = 15;
// Cursor n's information is category WTI_CURSORS + n.
constexpr UINT WTI_CURSORS = 200;
constexpr UINT CSR_NAME = 1;
constexpr UINT CSR_CAPABILITIES = 19;
constexpr UINT CSR_TYPE = 20;

// Cursor capabilities: CRC_INVERT marks the inverted end of the cursor before it.
constexpr UINT CRC_MULTIMODE = 0x0001;
constexpr UINT CRC_INVERT = 0x0004;

// Cursor types by the makers' unique ids: the bits under kCsrTypeKindMask tell the kind of tool,
// and a pen's eraser end (Wine reports 0x082A for it, 0x0822 for the tip) is kCsrTypeEraser.
constexpr UINT kCsrTypeKindMask = 0x0F0E;
constexpr UINT kCsrTypeEraser = 0x080A;

// Context options.
constexpr UINT CXO_SYSTEM = 0x0001;
constexpr UINT CXO_PEN = 0x0002;
constexpr UINT CXO_MESSAGES = 0x0004;

// Packet data bits, in the order their fields appear in a packet.
constexpr WTPKT PK_CONTEXT = 0x0001;
constexpr WTPKT PK_STATUS = 0x0002;
constexpr WTPKT PK_TIME = 0x0004;
constexpr WTPKT PK_CHANGED = 0x0008;
constexpr WTPKT PK_SERIAL_NUMBER = 0x0010;
constexpr WTPKT PK_CURSOR = 0x0020;
constexpr WTPKT PK_BUTTONS = 0x0040;
constexpr WTPKT PK_X = 0x0080;
constexpr WTPKT PK_Y = 0x0100;
constexpr WTPKT PK_Z = 0x0200;
constexpr WTPKT PK_NORMAL_PRESSURE = 0x0400;
constexpr WTPKT PK_TANGENT_PRESSURE = 0x0800;
constexpr WTPKT PK_ORIENTATION = 0x1000;
constexpr WTPKT PK_ROTATION = 0x2000;

// Relative button events in the high word of pkButtons.
constexpr DWORD TBN_NONE = 0;
constexpr DWORD TBN_UP = 1;
constexpr DWORD TBN_DOWN = 2;

// Messages, from the default message base.
constexpr UINT WT_DEFBASE = 0x7FF0;
constexpr UINT WT_PACKET = WT_DEFBASE + 0;
constexpr UINT WT_CTXOPEN = WT_DEFBASE + 1;
constexpr UINT WT_CTXCLOSE = WT_DEFBASE + 2;
constexpr UINT WT_PROXIMITY = WT_DEFBASE + 5;

struct AXIS {
    LONG axMin;
    LONG axMax;
    UINT axUnits;
    FIX32 axResolution;
};

struct LOGCONTEXTA {
    char lcName[LCNAMELEN];
    UINT lcOptions;
    UINT lcStatus;
    UINT lcLocks;
    UINT lcMsgBase;
    UINT lcDevice;
    UINT lcPktRate;
    WTPKT lcPktData;
    WTPKT lcPktMode;
    WTPKT lcMoveMask;
    DWORD lcBtnDnMask;
    DWORD lcBtnUpMask;
    LONG lcInOrgX;
    LONG lcInOrgY;
    LONG lcInOrgZ;
    LONG lcInExtX;
    LONG lcInExtY;
    LONG lcInExtZ;
    LONG lcOutOrgX;
    LONG lcOutOrgY;
    LONG lcOutOrgZ;
    LONG lcOutExtX;
    LONG lcOutExtY;
    LONG lcOutExtZ;
    FIX32 lcSensX;
    FIX32 lcSensY;
    FIX32 lcSensZ;
    BOOL lcSysMode;
    int lcSysOrgX;
    int lcSysOrgY;
    int lcSysExtX;
    int lcSysExtY;
    FIX32 lcSysSensX;
    FIX32 lcSysSensY;
};
static_assert(sizeof(AXIS) == 16);
static_assert(sizeof(LOGCONTEXTA) == 172);
static_assert(offsetof(LOGCONTEXTA, lcPktData) == 64);
static_assert(offsetof(LOGCONTEXTA, lcOutOrgX) == 108);

// The data mask the canvas asks for: time, cursor, buttons, x, y and tip pressure.
constexpr WTPKT kPenPacketData =
    PK_TIME | PK_CURSOR | PK_BUTTONS | PK_X | PK_Y | PK_NORMAL_PRESSURE;
static_assert(kPenPacketData == 0x05E4);

// One packet with that mask, laid out as the tablet library writes it.
struct PenPacket {
    DWORD pkTime;
    UINT pkCursor;
    DWORD pkButtons;
    LONG pkX;
    LONG pkY;
    UINT pkNormalPressure;
};
static_assert(sizeof(PenPacket) == 24);

using PFNWTINFOA = UINT(WINAPI*)(UINT wCategory, UINT nIndex, LPVOID lpOutput);
using PFNWTOVERLAP = BOOL(WINAPI*)(HCTX hCtx, BOOL fToTop);
using PFNWTPACKETSGET = int(WINAPI*)(HCTX hCtx, int cMaxPkts, LPVOID lpPkts);
using PFNWTGETA = BOOL(WINAPI*)(HCTX hCtx, LOGCONTEXTA* lpLogCtx);
using PFNWTQUEUESIZESET = BOOL(WINAPI*)(HCTX hCtx, int nPkts);
using PFNWTOPENA = HCTX(WINAPI*)(HWND hWnd, LOGCONTEXTA* lpLogCtx, BOOL fEnable);
using PFNWTCLOSE = BOOL(WINAPI*)(HCTX hCtx);
using PFNWTENABLE = BOOL(WINAPI*)(HCTX hCtx, BOOL fEnable);

// The bound tablet library. Callers test m_bWintab before calling any entry point; it is set
// only when the library loaded and every one of the eight entry points was found.
struct CWintabApi {
    HMODULE m_hWintab = nullptr;
    PFNWTINFOA WTInfoA = nullptr;
    PFNWTOVERLAP WTOverlap = nullptr;
    PFNWTPACKETSGET WTPacketsGet = nullptr;
    PFNWTGETA WTGetA = nullptr;
    PFNWTQUEUESIZESET WTQueueSizeSet = nullptr;
    PFNWTOPENA WTOpenA = nullptr;
    PFNWTCLOSE WTClose = nullptr;
    PFNWTENABLE WTEnable = nullptr;
    BOOL m_bWintab = FALSE;
};

// The process-wide binding, filled once by the application before any window exists.
CWintabApi& Wintab();
