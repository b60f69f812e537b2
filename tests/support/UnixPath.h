// The machine's own (Linux) path of a Windows path, as Wine maps drives to folders; for tests
// that hand files to programs outside Wine.
#pragma once
#include <string>

// Empty when there is no such mapping.
std::string UnixPath(const std::wstring& strPath);
