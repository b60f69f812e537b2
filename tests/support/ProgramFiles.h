// The files a test copy of KVOmail.exe needs beside it: the program, its two libraries and the
// virtual tablet. Tests start KVOmail with the virtual tablet as its tablet library (the test
// run's load order for KVOmail.exe is "wintab32=n,b"), so that it opens a tablet context and
// shows no box about a missing tablet; a test that wants another library sets its own order.
#pragma once
#include <string>

// The folder of the running test program, where the build puts every binary.
std::wstring BinaryFolder();

// Copies KVOmail.exe, Brevix.dll, kvofunc.dll and the virtual tablet's wintab32.dll from the
// build's binary folder into strFolder; false when one of them could not be copied.
bool InstallProgramFiles(const std::wstring& strFolder);
// Copies the Windows Ink stand-in inkstandin.dll beside them.
bool InstallInkStandIn(const std::wstring& strFolder);
// Takes the program and its two libraries from strFolder from now on (another build's binaries;
// empty: the binary folder again); the virtual tablet still comes from the binary folder.
void SetProgramFolder(const std::wstring& strFolder);

// The tablet library load order of KVOmail.exe in the test prefix, through Wine's per-program
// setting (a program started from a test does not take this process's overrides): "n,b" the
// virtual tablet beside it, the test run's choice; "b" Wine's own library; "" none.
constexpr wchar_t kVirtualTabletOrder[] = L"n,b";
void SetProgramTabletLibrary(const wchar_t* pszOrder);
// The same for any library pszDll ("mapi32", ...); a null order removes the setting.
void SetProgramDllOrder(const wchar_t* pszDll, const wchar_t* pszOrder);
// The same for another program of the test prefix, named by its file name.
void SetDllOrderOf(const wchar_t* pszExe, const wchar_t* pszDll, const wchar_t* pszOrder);
// Whether Wine hands KVOmail.exe's top-level windows to a window manager (the default). The test
// display has none: there each hide of a managed window waits two seconds for a manager's answer
// that never comes. Tests that start the program many times turn it off and back on.
void SetProgramWindowsManaged(bool bManaged);
