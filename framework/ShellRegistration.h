// Registers the note file type with the shell for the current user: the extension, its type id
// and name, the icon, and the open, print and print-to verbs that run this program.
#pragma once
#include <string>

struct CShellFileType {
    std::wstring strExtension; // ".Qzn"
    std::wstring strTypeId;    // "Qzn.Document"
    std::wstring strTypeName;  // "Quillet  Document"
};

// Writes below HKEY_CURRENT_USER\Software\Classes, which needs no administrator rights;
// strProgram is the program's full path. Returns false when a key could not be written.
bool RegisterShellFileType(const CShellFileType& type, const std::wstring& strProgram);
