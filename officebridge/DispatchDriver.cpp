#include "DispatchDriver.h"

#include <vector>

CVariant CVariant::I4(LONG n) {
    CVariant v;
    v.m_v.vt = VT_I4;
    v.m_v.lVal = n;
    return v;
}

CVariant CVariant::R4(float f) {
    CVariant v;
    v.m_v.vt = VT_R4;
    v.m_v.fltVal = f;
    return v;
}

CVariant CVariant::Bool(bool b) {
    CVariant v;
    v.m_v.vt = VT_BOOL;
    v.m_v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

CVariant CVariant::Text(const char* psz) {
    CVariant v;
    int nLen = MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    BSTR bstr = nLen > 0 ? SysAllocStringLen(nullptr, static_cast<UINT>(nLen - 1)) : nullptr;
    if (bstr)
        MultiByteToWideChar(CP_ACP, 0, psz, -1, bstr, nLen);
    else
        bstr = SysAllocString(L"");
    v.m_v.vt = VT_BSTR;
    v.m_v.bstrVal = bstr;
    return v;
}

CVariant CVariant::Missing() {
    CVariant v;
    v.m_v.vt = VT_ERROR;
    v.m_v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

CVariant CVariant::Array(SAFEARRAY* psa, VARTYPE vt) {
    CVariant v;
    v.m_v.vt = static_cast<VARTYPE>(VT_ARRAY | vt);
    v.m_v.parray = psa;
    return v;
}

CVariant CVariant::ByRef(VARIANT* pv) {
    CVariant v;
    v.m_v.vt = VT_BYREF | VT_VARIANT;
    v.m_v.pvarVal = pv;
    return v;
}

void CDispatchDriver::Reset(IDispatch* p) {
    if (m_p)
        m_p->Release();
    m_p = p;
}

CVariant CDispatchDriver::Invoke(DISPID id, WORD wFlags,
                                 std::initializer_list<VARIANT> args) const {
    if (!m_p)
        throw CDispatchError(E_POINTER, id);
    // Automation takes the arguments last to first.
    std::vector<VARIANT> reversed(args.begin(), args.end());
    for (size_t i = 0, j = reversed.size(); i + 1 < j; ++i, --j)
        std::swap(reversed[i], reversed[j - 1]);
    DISPID idNamed = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    if (wFlags & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &idNamed;
        params.cNamedArgs = 1;
    }
    CVariant result;
    EXCEPINFO info{};
    UINT uArgErr = 0;
    HRESULT hr =
        m_p->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                    (wFlags & DISPATCH_PROPERTYPUT) ? nullptr : result.Get(), &info, &uArgErr);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    if (FAILED(hr))
        throw CDispatchError(hr, id);
    return result;
}

CDispatchDriver CDispatchDriver::GetObject(DISPID id, std::initializer_list<VARIANT> args) const {
    CVariant v = Invoke(id, DISPATCH_PROPERTYGET, args);
    return VariantToObject(v, id);
}

CDispatchDriver CDispatchDriver::CallObject(DISPID id, std::initializer_list<VARIANT> args) const {
    CVariant v = Invoke(id, DISPATCH_METHOD, args);
    return VariantToObject(v, id);
}

LONG CDispatchDriver::GetI4(DISPID id, std::initializer_list<VARIANT> args) const {
    return VariantToI4(Invoke(id, DISPATCH_PROPERTYGET, args), id);
}

float CDispatchDriver::GetR4(DISPID id, std::initializer_list<VARIANT> args) const {
    return VariantToR4(Invoke(id, DISPATCH_PROPERTYGET, args), id);
}

std::string CDispatchDriver::GetText(DISPID id) const {
    return VariantToText(Invoke(id, DISPATCH_PROPERTYGET), id);
}

void CDispatchDriver::PutI4(DISPID id, LONG n) const {
    Invoke(id, DISPATCH_PROPERTYPUT, {CVariant::I4(n).Ref()});
}

void CDispatchDriver::PutR4(DISPID id, float f) const {
    Invoke(id, DISPATCH_PROPERTYPUT, {CVariant::R4(f).Ref()});
}

void CDispatchDriver::PutBool(DISPID id, bool b) const {
    Invoke(id, DISPATCH_PROPERTYPUT, {CVariant::Bool(b).Ref()});
}

void CDispatchDriver::PutText(DISPID id, const char* psz) const {
    CVariant v = CVariant::Text(psz);
    Invoke(id, DISPATCH_PROPERTYPUT, {v.Ref()});
}

void CDispatchDriver::Call(DISPID id, std::initializer_list<VARIANT> args) const {
    Invoke(id, DISPATCH_METHOD, args);
}

namespace {
CVariant Converted(const CVariant& v, VARTYPE vt, DISPID id) {
    CVariant out;
    if (FAILED(VariantChangeType(out.Get(), const_cast<VARIANT*>(&v.Ref()), 0, vt)))
        throw CDispatchError(DISP_E_TYPEMISMATCH, id);
    return out;
}
} // namespace

LONG VariantToI4(const CVariant& v, DISPID id) {
    return Converted(v, VT_I4, id).Ref().lVal;
}

float VariantToR4(const CVariant& v, DISPID id) {
    return Converted(v, VT_R4, id).Ref().fltVal;
}

std::string VariantToText(const CVariant& v, DISPID id) {
    CVariant text = Converted(v, VT_BSTR, id);
    BSTR bstr = text.Ref().bstrVal;
    int nWide = static_cast<int>(SysStringLen(bstr));
    if (nWide == 0)
        return {};
    int nLen = WideCharToMultiByte(CP_ACP, 0, bstr, nWide, nullptr, 0, nullptr, nullptr);
    std::string str(static_cast<size_t>(nLen > 0 ? nLen : 0), '\0');
    if (nLen > 0)
        WideCharToMultiByte(CP_ACP, 0, bstr, nWide, str.data(), nLen, nullptr, nullptr);
    return str;
}

CDispatchDriver VariantToObject(CVariant& v, DISPID id) {
    VARIANT* pv = v.Get();
    if (pv->vt == VT_DISPATCH && pv->pdispVal) {
        IDispatch* p = pv->pdispVal;
        p->AddRef();
        return CDispatchDriver(p);
    }
    if (pv->vt == VT_UNKNOWN && pv->punkVal) {
        IDispatch* p = nullptr;
        if (SUCCEEDED(pv->punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&p))))
            return CDispatchDriver(p);
    }
    throw CDispatchError(DISP_E_TYPEMISMATCH, id);
}
