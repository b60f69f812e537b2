// Where the program's resources come from (its own file, or a resource library that replaces it
// for the whole process), and small helpers to load strings from there.
#pragma once
#include <windows.h>

#include <string>

HINSTANCE GetResourceInstance();
void SetResourceInstance(HINSTANCE hInstance);

// The resource source when it holds the resource, else the program itself (a resource library
// need not replace every resource).
HINSTANCE FindResourceModule(LPCWSTR pszName, LPCWSTR pszType);

// The string with this id from the resource source, or empty.
std::wstring LoadResString(UINT nID);
// Replaces every "%1" in strFormat by strArg.
std::wstring FormatString1(const std::wstring& strFormat, const std::wstring& strArg);

// The primary screen in pixels. Tests may pretend another size; {0, 0} ends the pretence.
SIZE GetScreenSize();
void SetScreenSizeOverride(SIZE size);
