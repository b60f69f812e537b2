// Late-bound automation of the Office applications. CDispatchDriver owns one IDispatch reference
// and performs each member call as exactly one IDispatch::Invoke by dispatch identifier; CVariant
// owns one VARIANT. A failed call throws CDispatchError, which every bridge export catches: the
// references held on the way are released by their owners as the stack unwinds.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <string>
#include <utility>

// A failed IDispatch::Invoke (or a result of the wrong type) inside an Office application.
class CDispatchError {
public:
    CDispatchError(HRESULT hr, DISPID id) : m_hr(hr), m_id(id) {}
    HRESULT Result() const { return m_hr; }
    DISPID Member() const { return m_id; }

private:
    HRESULT m_hr;
    DISPID m_id;
};

// An owned VARIANT (VariantClear on destruction).
class CVariant {
public:
    CVariant() { VariantInit(&m_v); }
    CVariant(CVariant&& o) noexcept : m_v(o.m_v) { VariantInit(&o.m_v); }
    CVariant& operator=(CVariant&& o) noexcept {
        if (this != &o) {
            VariantClear(&m_v);
            m_v = o.m_v;
            VariantInit(&o.m_v);
        }
        return *this;
    }
    CVariant(const CVariant&) = delete;
    CVariant& operator=(const CVariant&) = delete;
    ~CVariant() { VariantClear(&m_v); }

    static CVariant I4(LONG n);
    static CVariant R4(float f);
    static CVariant Bool(bool b);
    // Narrow text converted to an automation string (empty when the conversion fails).
    static CVariant Text(const char* psz);
    // An omitted optional argument.
    static CVariant Missing();
    // Takes ownership of the array; the element type is in vt (VT_R4, VT_VARIANT).
    static CVariant Array(SAFEARRAY* psa, VARTYPE vt);
    // A by-reference argument pointing at another variant that outlives the call.
    static CVariant ByRef(VARIANT* pv);

    VARIANT* Get() { return &m_v; }
    const VARIANT& Ref() const { return m_v; }
    VARIANT* Receive() {
        VariantClear(&m_v);
        return &m_v;
    }

private:
    VARIANT m_v;
};

// Owns one IDispatch reference (released on destruction) and calls its members.
class CDispatchDriver {
public:
    CDispatchDriver() = default;
    // Takes over the reference: the caller must not release it.
    explicit CDispatchDriver(IDispatch* p) : m_p(p) {}
    CDispatchDriver(CDispatchDriver&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    CDispatchDriver& operator=(CDispatchDriver&& o) noexcept {
        if (this != &o)
            Reset(std::exchange(o.m_p, nullptr));
        return *this;
    }
    CDispatchDriver(const CDispatchDriver&) = delete;
    CDispatchDriver& operator=(const CDispatchDriver&) = delete;
    ~CDispatchDriver() { Reset(); }

    IDispatch* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void Reset(IDispatch* p = nullptr);

    // One Invoke. Arguments are given in their natural order and are not owned by the call.
    CVariant Invoke(DISPID id, WORD wFlags, std::initializer_list<VARIANT> args = {}) const;

    CDispatchDriver GetObject(DISPID id, std::initializer_list<VARIANT> args = {}) const;
    CDispatchDriver CallObject(DISPID id, std::initializer_list<VARIANT> args = {}) const;
    LONG GetI4(DISPID id, std::initializer_list<VARIANT> args = {}) const;
    float GetR4(DISPID id, std::initializer_list<VARIANT> args = {}) const;
    std::string GetText(DISPID id) const;
    void PutI4(DISPID id, LONG n) const;
    void PutR4(DISPID id, float f) const;
    void PutBool(DISPID id, bool b) const;
    void PutText(DISPID id, const char* psz) const;
    void Call(DISPID id, std::initializer_list<VARIANT> args = {}) const;

private:
    IDispatch* m_p = nullptr;
};

// Converts a result to a 32-bit integer, a float, narrow text or an object; throws
// CDispatchError(DISP_E_TYPEMISMATCH) when it cannot.
LONG VariantToI4(const CVariant& v, DISPID id);
float VariantToR4(const CVariant& v, DISPID id);
std::string VariantToText(const CVariant& v, DISPID id);
CDispatchDriver VariantToObject(CVariant& v, DISPID id);
