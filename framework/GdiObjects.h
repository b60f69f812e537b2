// Owned GDI handles. Each owner deletes or releases its handle exactly once; copies are deleted so
// that a handle cannot be freed twice. Declare the owner before a CSelectScope that selects it, so
// that destruction first puts the previous object back and then deletes.
#pragma once
#include <windows.h>

#include <utility>

// An owned pen, brush, bitmap, font or region (DeleteObject).
template <class H> class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(H h) : m_h(h) {}
    CGdiObject(CGdiObject&& o) noexcept : m_h(o.Detach()) {}
    CGdiObject& operator=(CGdiObject&& o) noexcept {
        Reset(o.Detach());
        return *this;
    }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() { Reset(); }

    H Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    H Detach() { return std::exchange(m_h, nullptr); }
    void Reset(H h = nullptr) {
        if (m_h)
            DeleteObject(m_h);
        m_h = h;
    }

private:
    H m_h = nullptr;
};

using COwnedPen = CGdiObject<HPEN>;
using COwnedBrush = CGdiObject<HBRUSH>;
using COwnedBitmap = CGdiObject<HBITMAP>;
using COwnedFont = CGdiObject<HFONT>;
using COwnedRgn = CGdiObject<HRGN>;

// An owned memory device context (DeleteDC).
class CMemoryDC {
public:
    explicit CMemoryDC(HDC hdcCompatible = nullptr) : m_hdc(CreateCompatibleDC(hdcCompatible)) {}
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    ~CMemoryDC() {
        if (m_hdc)
            DeleteDC(m_hdc);
    }
    HDC Get() const { return m_hdc; }
    explicit operator bool() const { return m_hdc != nullptr; }

private:
    HDC m_hdc;
};

// A window's device context between GetDC and ReleaseDC (hwnd null: the screen).
class CWindowDC {
public:
    explicit CWindowDC(HWND hwnd) : m_hwnd(hwnd), m_hdc(GetDC(hwnd)) {}
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    ~CWindowDC() {
        if (m_hdc)
            ReleaseDC(m_hwnd, m_hdc);
    }
    HDC Get() const { return m_hdc; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

// BeginPaint and EndPaint around a WM_PAINT handler.
class CPaintScope {
public:
    explicit CPaintScope(HWND hwnd) : m_hwnd(hwnd) { BeginPaint(hwnd, &m_ps); }
    CPaintScope(const CPaintScope&) = delete;
    CPaintScope& operator=(const CPaintScope&) = delete;
    ~CPaintScope() { EndPaint(m_hwnd, &m_ps); }
    HDC Get() const { return m_ps.hdc; }
    const RECT& Invalid() const { return m_ps.rcPaint; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
};

// Selects an object into a device context and puts the previous one back on destruction.
class CSelectScope {
public:
    CSelectScope(HDC hdc, HGDIOBJ h) : m_hdc(hdc), m_hOld(SelectObject(hdc, h)) {}
    CSelectScope(const CSelectScope&) = delete;
    CSelectScope& operator=(const CSelectScope&) = delete;
    ~CSelectScope() {
        if (m_hOld)
            SelectObject(m_hdc, m_hOld);
    }

private:
    HDC m_hdc;
    HGDIOBJ m_hOld;
};
