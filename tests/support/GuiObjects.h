// The GDI and USER objects this process holds, counted by kind, for leak tests: take a count,
// run the code, count again and compare.
//
// Windows counts them with GetGuiResources; Wine's GetGuiResources always answers 0, so there
// the GDI handles are found by probing the handle table with GetObjectType, and the USER objects
// by enumerating the process's windows and probing for menus, cursors and icons.
#pragma once
#include <windows.h>

#include <map>
#include <ostream>
#include <string>

class CGuiObjects {
public:
    // The objects the process holds now.
    static CGuiObjects Count();

    int Gdi() const { return Sum(true); }
    int User() const { return Sum(false); }
    // Number of objects of one kind ("pen", "bitmap", "window", "cursor or icon", ...).
    int Of(const std::string& strKind) const;

    bool operator==(const CGuiObjects& other) const { return m_kinds == other.m_kinds; }
    // "GDI 31 (bitmap 3, dc 2, ...), USER 4 (window 3, cursor or icon 1)".
    std::string Describe() const;

private:
    int Sum(bool bGdi) const;
    // Kind -> (is GDI, count).
    std::map<std::string, std::pair<bool, int>> m_kinds;
};

inline std::ostream& operator<<(std::ostream& os, const CGuiObjects& objects) {
    return os << objects.Describe();
}
