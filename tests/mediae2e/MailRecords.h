// What the stand-in mail library (tools/mapi) leaves for the tests: its call records.
#pragma once
#include <map>
#include <string>

// A file beside the test program (the stand-in libraries are built there).
std::wstring BinFile(const wchar_t* pszName);
// The lines "key=value" of a call record (UTF-8).
std::map<std::string, std::string> ReadMailRecord(const std::wstring& strPath);
