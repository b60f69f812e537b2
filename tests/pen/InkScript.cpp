#include "InkScript.h"

#include "PointerBinding.h"
#include "ProgramFiles.h"
#include "TestFolder.h"

namespace {
// Handles this thread's messages until the event is set; false after 20 s.
bool PumpUntilSet(HANDLE hEvent) {
    for (DWORD nStart = GetTickCount(); GetTickCount() - nStart < 20000;) {
        if (WaitForSingleObject(hEvent, 0) == WAIT_OBJECT_0)
            return true;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(1, &hEvent, FALSE, 50, QS_ALLINPUT);
    }
    return false;
}
} // namespace

bool BindInkStandIn(CPointerApi& api) {
    BindPointerApi(api, LoadLibraryW((BinaryFolder() + L"\\inkstandin.dll").c_str()));
    return api.IsBound();
}

bool PlayInkScript(const std::wstring& strFolder, const std::string& strLines,
                   const std::function<void()>& start) {
    static int s_nScripts = 0;
    const std::string strEvent =
        "inkscript_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++s_nScripts);
    const std::string strScript = strLines + "\nsignal " + strEvent + "\n";
    const std::wstring strPath = strFolder + L"\\ink" + std::to_wstring(s_nScripts) + L".txt";
    if (!CTestFolder::WriteBytes(strPath,
                                 std::vector<std::uint8_t>(strScript.begin(), strScript.end())))
        return false;
    HANDLE hDone = CreateEventA(nullptr, TRUE, FALSE, strEvent.c_str());
    SetEnvironmentVariableW(L"QUILLET_POINTER_SCRIPT", strPath.c_str());
    start();
    const bool bDone = PumpUntilSet(hDone);
    SetEnvironmentVariableW(L"QUILLET_POINTER_SCRIPT", nullptr);
    CloseHandle(hDone);
    return bDone;
}
