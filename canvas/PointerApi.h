// The system's pointer input as this program uses it for Windows Ink pens: the pointer messages,
// the records of a pen pointer and its devices, and the table of the four user32 functions that
// the application looks up by name at start-up (CPointerApi). The program never links them, so
// that it starts on systems that lack them (Windows 7 has none, Wine 8 has no pen information);
// every call goes through the table, and only while IsBound() holds.
#pragma once
#include <windows.h>

#include <cstddef>

// Pointer messages; the pointer id is the low word of wParam.
constexpr UINT kWmPointerUpdate = 0x0245;
constexpr UINT kWmPointerDown = 0x0246;
constexpr UINT kWmPointerUp = 0x0247;

// Pointer types of GetPointerType.
constexpr DWORD kPointerTypeTouch = 2;
constexpr DWORD kPointerTypePen = 3;

// Pointer flags.
constexpr UINT32 kPointerFlagInContact = 0x00000004;
constexpr UINT32 kPointerFlagDown = 0x00010000;
constexpr UINT32 kPointerFlagUp = 0x00040000;

// Pen flags and the pen mask.
constexpr UINT32 kPenFlagBarrel = 0x00000001;
constexpr UINT32 kPenFlagInverted = 0x00000002;
constexpr UINT32 kPenFlagEraser = 0x00000004;
constexpr UINT32 kPenMaskPressure = 0x00000001;

// Pointer device types of GetPointerDevices.
constexpr DWORD kPointerDeviceIntegratedPen = 1;
constexpr DWORD kPointerDeviceExternalPen = 2;

// The pen's pressure range: 0 to 1024.
constexpr UINT32 kInkPressureMax = 1024;

// POINTER_INFO.
struct PointerInfo {
    DWORD pointerType;
    UINT32 pointerId;
    UINT32 frameId;
    UINT32 pointerFlags;
    HANDLE sourceDevice;
    HWND hwndTarget;
    POINT ptPixelLocation;
    POINT ptHimetricLocation;
    POINT ptPixelLocationRaw;
    POINT ptHimetricLocationRaw;
    DWORD dwTime;
    UINT32 historyCount;
    INT32 InputData;
    DWORD dwKeyStates;
    UINT64 PerformanceCount;
    DWORD ButtonChangeType;
};

// POINTER_PEN_INFO.
struct PointerPenInfo {
    PointerInfo pointerInfo;
    UINT32 penFlags;
    UINT32 penMask;
    UINT32 pressure;
    UINT32 rotation;
    INT32 tiltX;
    INT32 tiltY;
};

// POINTER_DEVICE_INFO.
struct PointerDeviceInfo {
    DWORD displayOrientation;
    HANDLE device;
    DWORD pointerDeviceType;
    HMONITOR monitor;
    ULONG startingCursorId;
    USHORT maxActiveContacts;
    WCHAR productString[520];
};
static_assert(sizeof(PointerInfo) == 96 && offsetof(PointerInfo, historyCount) == 68);
static_assert(sizeof(PointerPenInfo) == 120 && offsetof(PointerPenInfo, pressure) == 104);
static_assert(sizeof(PointerDeviceInfo) == 1080);

using PFNGETPOINTERTYPE = BOOL(WINAPI*)(UINT32 pointerId, DWORD* pointerType);
using PFNGETPOINTERPENINFO = BOOL(WINAPI*)(UINT32 pointerId, PointerPenInfo* penInfo);
using PFNGETPOINTERPENINFOHISTORY = BOOL(WINAPI*)(UINT32 pointerId, UINT32* entriesCount,
                                                  PointerPenInfo* penInfo);
using PFNGETPOINTERDEVICES = BOOL(WINAPI*)(UINT32* deviceCount, PointerDeviceInfo* devices);

// The looked-up pointer functions; all null until bound, and used only when all four exist.
struct CPointerApi {
    PFNGETPOINTERTYPE GetPointerType = nullptr;
    PFNGETPOINTERPENINFO GetPointerPenInfo = nullptr;
    PFNGETPOINTERPENINFOHISTORY GetPointerPenInfoHistory = nullptr;
    PFNGETPOINTERDEVICES GetPointerDevices = nullptr;

    bool IsBound() const {
        return GetPointerType && GetPointerPenInfo && GetPointerPenInfoHistory && GetPointerDevices;
    }
    // Whether the system has a pen digitizer, built in or attached.
    bool HasPenDevice() const;
};

// The process-wide table, filled once by the application before any window exists.
CPointerApi& PointerApi();
