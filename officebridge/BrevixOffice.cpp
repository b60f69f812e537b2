// The Office insertion exports: recognise Word, Excel or PowerPoint under the ink, connect to it
// and place the ink there as native drawing objects. Every export catches whatever the automation
// throws, puts back the settings the insertion switched off and returns 0.
#include "Brevix.h"
#include "BridgeState.h"
#include "ExcelConnection.h"
#include "Message.h"
#include "OfficeState.h"
#include "PowerPointConnection.h"
#include "WordConnection.h"

#include <cstring>
#include <new>

OfficeTarget g_nTarget = kTargetNone;
CWordConnection* g_pWord = nullptr;
CExcelConnection* g_pExcel = nullptr;
CPowerPointConnection* g_pPowerPoint = nullptr;

namespace {
// The length of the window title that is read to recognise the application.
constexpr int kTitleChars = 128;

template <class T> void DeleteConnection(T*& p) {
    delete p;
    p = nullptr;
}

COfficeConnection* CurrentConnection() {
    switch (g_nTarget) {
    case kTargetWord:
        return g_pWord;
    case kTargetExcel:
        return g_pExcel;
    case kTargetPowerPoint:
        return g_pPowerPoint;
    default:
        return nullptr;
    }
}

// A fresh connection to the recognised application; the older one of that application goes.
COfficeConnection* Reconnect(OfficeTarget nTarget) {
    switch (nTarget) {
    case kTargetWord:
        DeleteConnection(g_pWord);
        return g_pWord = new (std::nothrow) CWordConnection();
    case kTargetExcel:
        DeleteConnection(g_pExcel);
        return g_pExcel = new (std::nothrow) CExcelConnection();
    case kTargetPowerPoint:
        DeleteConnection(g_pPowerPoint);
        return g_pPowerPoint = new (std::nothrow) CPowerPointConnection();
    default:
        return nullptr;
    }
}

OfficeTarget TargetFromTitle(const char* pszTitle) {
    if (std::strstr(pszTitle, "Microsoft Word"))
        return kTargetWord;
    if (std::strstr(pszTitle, "Microsoft Excel"))
        return kTargetExcel;
    if (std::strstr(pszTitle, "Microsoft PowerPoint"))
        return kTargetPowerPoint;
    return kTargetNone;
}

// After an automation failure: put back what can be put back and stop drawing into it.
void Abandon(COfficeConnection* pConnection) {
    if (!pConnection)
        return;
    pConnection->RestoreSettings();
    pConnection->Invalidate();
}

bool IsInkRect(const RECT& rc) {
    return rc.right >= rc.left && rc.bottom >= rc.top;
}
} // namespace

void DeletePowerPointConnection() {
    DeleteConnection(g_pPowerPoint);
}

void DeleteOfficeConnections() {
    DeleteConnection(g_pWord);
    DeleteConnection(g_pExcel);
    DeleteConnection(g_pPowerPoint);
    g_nTarget = kTargetNone;
}

namespace {
// The library deletes the connections that are left when it is freed (not at process exit, when
// a release through a proxy could wait forever for the application's answer).
const bool g_bReleaseHooked = (g_pfnReleaseConnections = DeleteOfficeConnections, true);
} // namespace

int WINAPI Brevix_Office_Begin(HWND, const RECT* prcInk) {
    COfficeConnection* pConnection = nullptr;
    try {
        if (!prcInk)
            return 0;
        RECT rc = *prcInk;
        if (!IsInkRect(rc)) {
            ShowMessage(nullptr, L"rect error", L"", MB_OK);
            return 0;
        }
        POINT ptCentre{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        HWND hwndDoc = WindowFromPoint(ptCentre);
        HWND hwndTop = hwndDoc;
        while (hwndTop && GetParent(hwndTop))
            hwndTop = GetParent(hwndTop);
        if (hwndTop) {
            SetForegroundWindow(hwndTop);
            SetActiveWindow(hwndTop);
        }
        if (!hwndDoc || hwndDoc == hwndTop || !IsChild(hwndTop, hwndDoc)) {
            ShowMessage(nullptr, L"Is Not in Word Window Client", L"", MB_OK);
            return 0;
        }
        char szTitle[kTitleChars] = "";
        GetWindowTextA(hwndTop, szTitle, kTitleChars);
        g_nTarget = kTargetNone;
        g_nTarget = TargetFromTitle(szTitle);
        if (g_nTarget == kTargetNone)
            return 0;
        pConnection = Reconnect(g_nTarget);
        return pConnection ? pConnection->Begin(hwndDoc, rc) : 0;
    } catch (...) {
        Abandon(pConnection);
        return 0;
    }
}

int WINAPI Brevix_Office_Rect(const RECT* prcStroke, const POINT* ppt, int nCount, COLORREF cr,
                              float fWidth, int bBehind) {
    COfficeConnection* pConnection = CurrentConnection();
    if (!pConnection || !prcStroke || !ppt || nCount < 1)
        return 0;
    try {
        return pConnection->AddStroke(*prcStroke, ppt, nCount, cr, fWidth, bBehind != 0);
    } catch (...) {
        return 0;
    }
}

int WINAPI Brevix_Office_CheckHorVer() {
    return 0;
}

int WINAPI Brevix_Office_Insert(HWND hwndOwner, const RECT* prcBitmap, HDC hdc, HBITMAP hbm,
                                int bBehind) {
    COfficeConnection* pConnection = CurrentConnection();
    if (!pConnection || !prcBitmap)
        return 0;
    try {
        return pConnection->InsertPicture(hwndOwner, *prcBitmap, hdc, hbm, bBehind != 0);
    } catch (...) {
        return 0;
    }
}

int WINAPI Brevix_Office_End() {
    if (g_nTarget == kTargetNone)
        return 0;
    int nResult = 1;
    COfficeConnection* pConnection = CurrentConnection();
    try {
        if (pConnection)
            pConnection->Finish();
    } catch (...) {
        Abandon(pConnection);
        nResult = 0;
    }
    switch (g_nTarget) {
    case kTargetWord:
        DeleteConnection(g_pWord);
        break;
    case kTargetExcel:
        DeleteConnection(g_pExcel);
        break;
    default:
        DeleteConnection(g_pPowerPoint);
        break;
    }
    g_nTarget = kTargetNone;
    return nResult;
}
