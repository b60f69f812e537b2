#include "ShellRegistration.h"

#include <windows.h>

namespace {
bool SetKeyValue(const std::wstring& strKey, const std::wstring& strValue) {
    HKEY hKey = nullptr;
    std::wstring strPath = L"Software\\Classes\\" + strKey;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, strPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    LONG lResult =
        RegSetValueExW(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(strValue.c_str()),
                       static_cast<DWORD>((strValue.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}
} // namespace

bool RegisterShellFileType(const CShellFileType& type, const std::wstring& strProgram) {
    const std::wstring strExe = L"\"" + strProgram + L"\"";
    const std::wstring& id = type.strTypeId;
    bool bOk = SetKeyValue(type.strExtension, id);
    bOk = SetKeyValue(id, type.strTypeName) && bOk;
    bOk = SetKeyValue(id + L"\\DefaultIcon", strProgram + L",0") && bOk;
    bOk = SetKeyValue(id + L"\\shell\\open\\command", strExe + L" \"%1\"") && bOk;
    bOk = SetKeyValue(id + L"\\shell\\print\\command", strExe + L" /p \"%1\"") && bOk;
    bOk = SetKeyValue(id + L"\\shell\\printto\\command",
                      strExe + L" /pt \"%1\" \"%2\" \"%3\" \"%4\"") &&
          bOk;
    return bOk;
}
