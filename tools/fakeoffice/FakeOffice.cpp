// A stand-in for Word, Excel or PowerPoint in the bridge's tests: a top-level window titled like
// the application with a document window inside, and an automation object registered as running
// under the class the test prefix maps from the application's ProgID. Every automation call and
// every scribble drawn with the mouse is written to the call log.
//
// FakeOffice.exe /kind word|excel|powerpoint /log <file> /ready <event name>
//     [/version 11.0] [/title <text>] [/rect x y w h] [/documents n] [/view n] [/show]
//     [/slides "Title 1|-||Title 4"] [/scribble n] [/scribblename <name>] [/paste 0]
//     [/orientation n] [/fail <member>] [/option451 0|1] [/anchorstep points]
//     [/scribbleframes h v] [/newframes h v] [/groupframes h v]
#include "FakeApplications.h"

#include <shellapi.h>

#include <cstdlib>

namespace {
// The classes the test prefix registers for "Word.Application", "Excel.Application" and
// "PowerPoint.Application".
constexpr CLSID kClsids[3] = {
    {0x6c1e1a01, 0x5b2c, 0x4d7e, {0x9a, 0x11, 0x0f, 0x0f, 0xa0, 0xce, 0x00, 0x01}},
    {0x6c1e1a01, 0x5b2c, 0x4d7e, {0x9a, 0x11, 0x0f, 0x0f, 0xa0, 0xce, 0x00, 0x02}},
    {0x6c1e1a01, 0x5b2c, 0x4d7e, {0x9a, 0x11, 0x0f, 0x0f, 0xa0, 0xce, 0x00, 0x03}},
};

struct CDrag {
    bool bActive = false;
    POINT ptFrom{}, ptTo{};
} g_drag;

void FinishScribble() {
    g_drag.bActive = false;
    g_doc.bScribbleArmed = false;
    float fLeft = g_doc.fOriginX + std::min(g_drag.ptFrom.x, g_drag.ptTo.x) * g_doc.fScale;
    float fTop = g_doc.fOriginY + std::min(g_drag.ptFrom.y, g_drag.ptTo.y) * g_doc.fScale;
    float fWidth = std::abs(g_drag.ptTo.x - g_drag.ptFrom.x) * g_doc.fScale;
    float fHeight = std::abs(g_drag.ptTo.y - g_drag.ptFrom.y) * g_doc.fScale;
    for (int i = 0; i < g_doc.nScribbleShapes; ++i) {
        CFakeShape& shape = g_doc.AddShape(g_doc.strScribbleName.c_str(), fLeft, fTop, fWidth,
                                           fHeight, g_doc.scribbleFrames);
        LogLine("scribble %s %.3f %.3f %.3f %.3f", shape.strName.c_str(), fLeft, fTop, fWidth,
                fHeight);
    }
}

LRESULT CALLBACK DocumentProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (uMsg) {
    case WM_LBUTTONDOWN:
        LogLine("mouse down %ld %ld", pt.x, pt.y);
        if (g_doc.bScribbleArmed)
            g_drag = CDrag{true, pt, pt};
        return 0;
    case WM_MOUSEMOVE:
        if (g_drag.bActive && (wParam & MK_LBUTTON)) {
            LogLine("mouse move %ld %ld", pt.x, pt.y);
            g_drag.ptTo = pt;
        }
        return 0;
    case WM_LBUTTONUP:
        LogLine("mouse up %ld %ld", pt.x, pt.y);
        if (g_drag.bActive) {
            g_drag.ptTo = pt;
            FinishScribble();
        }
        return 0;
    default:
        return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    }
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_SIZE:
        MoveWindow(GetWindow(hwnd, GW_CHILD), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    }
}

std::string Narrow(const wchar_t* psz) {
    int nLen = WideCharToMultiByte(CP_ACP, 0, psz, -1, nullptr, 0, nullptr, nullptr);
    std::string str(static_cast<size_t>(nLen > 0 ? nLen - 1 : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, psz, -1, str.data(), nLen, nullptr, nullptr);
    return str;
}

void ParseSlides(const std::string& str) {
    size_t nStart = 0;
    while (true) {
        size_t nBar = str.find('|', nStart);
        std::string strTitle = str.substr(nStart, nBar == std::string::npos ? nBar : nBar - nStart);
        // "-" stands for a slide without a title placeholder; "" for an empty title.
        g_doc.slides.push_back(CFakeSlide{strTitle != "-", strTitle == "-" ? "" : strTitle});
        if (nBar == std::string::npos)
            break;
        nStart = nBar + 1;
    }
}

CFakeFrames* FramesOption(const std::string& strKey) {
    if (strKey == "/scribbleframes")
        return &g_doc.scribbleFrames;
    if (strKey == "/newframes")
        return &g_doc.newFrames;
    if (strKey == "/groupframes")
        return &g_doc.groupFrames;
    return nullptr;
}

int VersionCode(const std::string& str) {
    const size_t nDot = str.find('.');
    return std::atoi(str.c_str()) * 256 +
           (nDot == std::string::npos ? 0 : std::atoi(str.c_str() + nDot + 1));
}

struct CArguments {
    std::string strKind, strLog, strReady, strTitle;
    RECT rc{100, 100, 700, 500};
};

CArguments ParseArguments() {
    CArguments args;
    int nArgs = 0;
    wchar_t** ppArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    for (int i = 1; i + 1 < nArgs + 1 && i < nArgs; ++i) {
        std::string strKey = Narrow(ppArgs[i]);
        std::string strValue = i + 1 < nArgs ? Narrow(ppArgs[i + 1]) : "";
        bool bTakesValue = true;
        if (strKey == "/kind")
            args.strKind = strValue;
        else if (strKey == "/log")
            args.strLog = strValue;
        else if (strKey == "/ready")
            args.strReady = strValue;
        else if (strKey == "/title")
            args.strTitle = strValue;
        else if (strKey == "/version")
            g_options.strVersion = strValue;
        else if (strKey == "/documents")
            g_options.nDocuments = std::atoi(strValue.c_str());
        else if (strKey == "/view")
            g_options.nViewType = std::atoi(strValue.c_str());
        else if (strKey == "/slides")
            ParseSlides(strValue);
        else if (strKey == "/scribble")
            g_doc.nScribbleShapes = std::atoi(strValue.c_str());
        else if (strKey == "/scribblename")
            g_doc.strScribbleName = strValue;
        else if (strKey == "/paste")
            g_doc.bPasteWorks = strValue != "0";
        else if (strKey == "/orientation")
            g_doc.nOrientation = std::atoi(strValue.c_str());
        else if (strKey == "/option451")
            g_options.bOption451 = strValue != "0";
        else if (strKey == "/anchorstep")
            g_doc.fAnchorStep = static_cast<float>(std::atof(strValue.c_str()));
        else if (strKey == "/fail")
            SetFailingMember(strValue);
        else if (strKey == "/rect" && i + 4 < nArgs) {
            args.rc = RECT{_wtoi(ppArgs[i + 1]), _wtoi(ppArgs[i + 2]), _wtoi(ppArgs[i + 3]),
                           _wtoi(ppArgs[i + 4])};
            i += 3;
        } else if (CFakeFrames* pFrames = FramesOption(strKey); pFrames && i + 2 < nArgs) {
            *pFrames = CFakeFrames{_wtoi(ppArgs[i + 1]), _wtoi(ppArgs[i + 2])};
            ++i;
        } else if (strKey == "/show") {
            g_options.bShow = true;
            bTakesValue = false;
        } else
            bTakesValue = false;
        if (bTakesValue)
            ++i;
    }
    LocalFree(ppArgs);
    return args;
}
} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    CArguments args = ParseArguments();
    const char* pszNames[3] = {"Microsoft Word", "Microsoft Excel", "Microsoft PowerPoint"};
    g_doc.nKind = args.strKind == "excel"        ? kFakeExcel
                  : args.strKind == "powerpoint" ? kFakePowerPoint
                                                 : kFakeWord;
    if (g_doc.slides.empty())
        ParseSlides("Title 1");
    g_doc.nVersion = VersionCode(g_options.strVersion);
    OpenCallLog(args.strLog.c_str());
    CoInitialize(nullptr);

    WNDCLASSW wc{};
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = L"FakeOfficeFrame";
    RegisterClassW(&wc);
    wc.lpfnWndProc = DocumentProc;
    wc.lpszClassName = L"FakeOfficeDocument";
    RegisterClassW(&wc);

    std::string strTitle =
        args.strTitle.empty() ? std::string("Document1 - ") + pszNames[g_doc.nKind] : args.strTitle;
    HWND hwndFrame =
        CreateWindowExA(0, "FakeOfficeFrame", strTitle.c_str(),
                        WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, args.rc.left, args.rc.top,
                        args.rc.right, args.rc.bottom, nullptr, nullptr, hInstance, nullptr);
    CreateWindowExW(0, L"FakeOfficeDocument", L"", WS_CHILD | WS_VISIBLE, 0, 0, args.rc.right,
                    args.rc.bottom, hwndFrame, nullptr, hInstance, nullptr);

    IDispatch* pApp = g_doc.nKind == kFakeExcel        ? MakeExcelApplication()
                      : g_doc.nKind == kFakePowerPoint ? MakePowerPointApplication()
                                                       : MakeWordApplication();
    DWORD dwRegister = 0;
    HRESULT hr = RegisterActiveObject(pApp, kClsids[g_doc.nKind], ACTIVEOBJECT_STRONG, &dwRegister);
    LogLine("registered %s %s", pszNames[g_doc.nKind], SUCCEEDED(hr) ? "ok" : "failed");
    SetForegroundWindow(hwndFrame);
    if (HANDLE hReady = OpenEventA(EVENT_MODIFY_STATE, FALSE, args.strReady.c_str())) {
        SetEvent(hReady);
        CloseHandle(hReady);
    }

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    RevokeActiveObject(dwRegister, nullptr);
    pApp->Release();
    CoUninitialize();
    return 0;
}
