// What the scripts of the test doubles that feed the program a pen (the virtual tablet, the
// Windows Ink stand-in) share: where script coordinates lie, moving the system cursor, named
// events between the script and the test, and the environment.
//
// Shared script lines:
//   origin screen|client [CLASS]
//                          coordinates that follow are screen pixels (the default) or pixels from
//                          the top-left of the client area of the double's base window, or of its
//                          descendant window of class CLASS
//   wait MS                pause
//   signal NAME            sets the named event NAME
//   waitfor NAME [MS]      waits (default 20 s) until the named event NAME is set, then resets it
#pragma once
#include <windows.h>

#include <sstream>
#include <string>

struct ScriptOrigin {
    bool bClient = false;
    std::wstring strClass;
};

// Runs a shared line; false when strCmd is none of them or its arguments are missing.
bool RunSharedLine(const std::string& strCmd, std::istringstream& in, ScriptOrigin& origin);

// The screen point of script coordinates, measured from hBase as the origin says.
POINT ScriptPoint(const ScriptOrigin& origin, HWND hBase, LONG x, LONG y);

// The first descendant window of hParent of class strClass, or null.
HWND FindDescendant(HWND hParent, const std::wstring& strClass);

// Moves the cursor and waits until the system reports it there: a display server may apply the
// move a moment later, and the program must read the new position.
void MoveCursor(POINT pt);

// The process's environment variable strName, read when asked (empty when unset).
std::string EnvSetting(const char* pszName);

// Appends a line to the double's log; each double defines it.
void ScriptLog(const std::string& strLine);
