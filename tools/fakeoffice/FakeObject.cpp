#include "FakeObject.h"

#include <cstdarg>
#include <cstdio>

namespace {
FILE* g_pLog = nullptr;
std::string g_strFailing;

std::string Narrow(BSTR bstr) {
    int nWide = static_cast<int>(SysStringLen(bstr));
    int nLen = WideCharToMultiByte(CP_ACP, 0, bstr, nWide, nullptr, 0, nullptr, nullptr);
    std::string str(static_cast<size_t>(nLen > 0 ? nLen : 0), '\0');
    if (nLen > 0)
        WideCharToMultiByte(CP_ACP, 0, bstr, nWide, str.data(), nLen, nullptr, nullptr);
    return str;
}

std::string DescribeArray(SAFEARRAY* psa, VARTYPE vt) {
    std::string str = "[";
    UINT nDims = SafeArrayGetDim(psa);
    LONG nLow = 0, nHigh = -1;
    SafeArrayGetLBound(psa, 1, &nLow);
    SafeArrayGetUBound(psa, 1, &nHigh);
    for (LONG i = nLow; i <= nHigh; ++i) {
        if (i > nLow)
            str += nDims == 2 ? "; " : " ";
        if (nDims == 2 && vt == VT_R4) {
            float f[2] = {0, 0};
            for (LONG j = 0; j < 2; ++j) {
                LONG index[2] = {i, j};
                SafeArrayGetElement(psa, index, &f[j]);
            }
            char sz[64];
            std::snprintf(sz, sizeof sz, "%.3f %.3f", f[0], f[1]);
            str += sz;
        } else if (nDims == 1 && vt == VT_VARIANT) {
            VARIANT v;
            VariantInit(&v);
            SafeArrayGetElement(psa, &i, &v);
            str += DescribeVariant(v);
            VariantClear(&v);
        }
    }
    return str + "]";
}
bool IsMissing(const VARIANT& v) {
    return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND;
}

// A two-column array of numbers, as the polyline members take.
bool IsPointArray(const VARIANT& v) {
    if (!(v.vt & VT_ARRAY) || !v.parray || SafeArrayGetDim(v.parray) != 2)
        return false;
    const VARTYPE vt = v.vt & VT_TYPEMASK;
    LONG nLow = 0, nHigh = -1;
    SafeArrayGetLBound(v.parray, 2, &nLow);
    SafeArrayGetUBound(v.parray, 2, &nHigh);
    return nHigh - nLow == 1 && (vt == VT_R4 || vt == VT_R8 || vt == VT_I4 || vt == VT_VARIANT);
}

// Whether a value fits a parameter of type vt, as the automation layer would convert it.
bool Fits(VARTYPE vt, const VARIANT& v) {
    switch (vt) {
    case VT_VARIANT:
        return true;
    case VT_DISPATCH:
        return v.vt == VT_DISPATCH && v.pdispVal;
    case VT_ARRAY | VT_R4:
        return IsPointArray(v);
    case VT_ARRAY | VT_VARIANT:
        return (v.vt & VT_ARRAY) && v.parray && SafeArrayGetDim(v.parray) == 1;
    default: {
        if ((v.vt & VT_ARRAY) || v.vt == VT_EMPTY || v.vt == VT_NULL || v.vt == VT_ERROR ||
            v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN)
            return false;
        VARIANT converted;
        VariantInit(&converted);
        const bool bFits =
            SUCCEEDED(VariantChangeType(&converted, const_cast<VARIANT*>(&v), 0, vt));
        VariantClear(&converted);
        return bFits;
    }
    }
}

const VARIANT& Unwrapped(const VARIANT& v) {
    return v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal ? *v.pvarVal : v;
}

// Checks a call against the member's signature; the error the object model would answer, with
// the index (in rgvarg) of the argument it is about.
HRESULT CheckCall(const CFakeSignature& sig, WORD wFlags, const DISPPARAMS* pParams, UINT* pnArg) {
    const UINT nArgs = pParams ? pParams->cArgs : 0;
    const UINT nNamed = pParams ? pParams->cNamedArgs : 0;
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        if (!(sig.wKinds & DISPATCH_PROPERTYPUT))
            return DISP_E_MEMBERNOTFOUND;
        if (nNamed != 1 || pParams->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_PARAMNOTFOUND;
        if (nArgs != 1)
            return DISP_E_BADPARAMCOUNT;
        *pnArg = 0;
        return Fits(sig.vtValue, Unwrapped(pParams->rgvarg[0])) ? S_OK : DISP_E_TYPEMISMATCH;
    }
    if (!(wFlags & sig.wKinds & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)))
        return DISP_E_MEMBERNOTFOUND;
    if (nNamed != 0)
        return DISP_E_NONAMEDARGS;
    const size_t nRequired = sig.params.size() - sig.nOptional;
    if (nArgs > sig.params.size() || nArgs < nRequired)
        return DISP_E_BADPARAMCOUNT;
    for (UINT i = 0; i < nArgs; ++i) {
        *pnArg = nArgs - 1 - i;
        const VARIANT& v = Unwrapped(pParams->rgvarg[nArgs - 1 - i]);
        if (IsMissing(v)) {
            if (i < nRequired)
                return DISP_E_PARAMNOTOPTIONAL;
            continue;
        }
        if (!Fits(sig.params[i], v))
            return DISP_E_TYPEMISMATCH;
    }
    return S_OK;
}

const char* ErrorName(HRESULT hr) {
    switch (hr) {
    case DISP_E_MEMBERNOTFOUND:
        return "DISP_E_MEMBERNOTFOUND";
    case DISP_E_BADPARAMCOUNT:
        return "DISP_E_BADPARAMCOUNT";
    case DISP_E_TYPEMISMATCH:
        return "DISP_E_TYPEMISMATCH";
    case DISP_E_PARAMNOTOPTIONAL:
        return "DISP_E_PARAMNOTOPTIONAL";
    case DISP_E_PARAMNOTFOUND:
        return "DISP_E_PARAMNOTFOUND";
    default:
        return "DISP_E_NONAMEDARGS";
    }
}
} // namespace

void OpenCallLog(const char* pszPath) {
    g_pLog = std::fopen(pszPath, "wb");
}

void LogLine(const char* pszFormat, ...) {
    if (!g_pLog)
        return;
    va_list args;
    va_start(args, pszFormat);
    std::vfprintf(g_pLog, pszFormat, args);
    va_end(args);
    std::fputc('\n', g_pLog);
    std::fflush(g_pLog);
}

void SetFailingMember(const std::string& strName) {
    g_strFailing = strName;
}

std::string DescribeVariant(const VARIANT& v) {
    char sz[64];
    if (v.vt == (VT_BYREF | VT_VARIANT))
        return DescribeVariant(*v.pvarVal);
    if (v.vt & VT_ARRAY)
        return DescribeArray(v.parray, static_cast<VARTYPE>(v.vt & VT_TYPEMASK));
    switch (v.vt) {
    case VT_I4:
        std::snprintf(sz, sizeof sz, "%ld", static_cast<long>(v.lVal));
        return sz;
    case VT_I2:
        std::snprintf(sz, sizeof sz, "%d", v.iVal);
        return sz;
    case VT_R4:
        std::snprintf(sz, sizeof sz, "%.3f", v.fltVal);
        return sz;
    case VT_R8:
        std::snprintf(sz, sizeof sz, "%.3f", v.dblVal);
        return sz;
    case VT_BOOL:
        return v.boolVal ? "true" : "false";
    case VT_BSTR: {
        std::string str(1, '"');
        str += Narrow(v.bstrVal);
        str += '"';
        return str;
    }
    case VT_ERROR:
        return v.scode == DISP_E_PARAMNOTFOUND ? "missing" : "error";
    default:
        std::snprintf(sz, sizeof sz, "vt%d", v.vt);
        return sz;
    }
}

UINT CFakeCall::Count() const {
    return m_pParams ? m_pParams->cArgs - (IsPut() ? 0 : m_pParams->cNamedArgs) : 0;
}

const VARIANT& CFakeCall::Arg(UINT i) const {
    const VARIANT& v = m_pParams->rgvarg[m_pParams->cArgs - 1 - i];
    return v.vt == (VT_BYREF | VT_VARIANT) ? *v.pvarVal : v;
}

LONG CFakeCall::I4(UINT i) const {
    VARIANT v;
    VariantInit(&v);
    if (i >= m_pParams->cArgs ||
        FAILED(VariantChangeType(&v, const_cast<VARIANT*>(&Arg(i)), 0, VT_I4)))
        return 0;
    return v.lVal;
}

float CFakeCall::R4(UINT i) const {
    VARIANT v;
    VariantInit(&v);
    if (i >= m_pParams->cArgs ||
        FAILED(VariantChangeType(&v, const_cast<VARIANT*>(&Arg(i)), 0, VT_R4)))
        return 0;
    return v.fltVal;
}

std::string CFakeCall::Text(UINT i) const {
    if (i >= m_pParams->cArgs || Arg(i).vt != VT_BSTR)
        return {};
    return Narrow(Arg(i).bstrVal);
}

HRESULT CFakeCall::ReturnI4(LONG n) {
    if (m_pResult) {
        m_pResult->vt = VT_I4;
        m_pResult->lVal = n;
    }
    return S_OK;
}

HRESULT CFakeCall::ReturnR4(float f) {
    if (m_pResult) {
        m_pResult->vt = VT_R4;
        m_pResult->fltVal = f;
    }
    return S_OK;
}

HRESULT CFakeCall::ReturnBool(bool b) {
    if (m_pResult) {
        m_pResult->vt = VT_BOOL;
        m_pResult->boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return S_OK;
}

HRESULT CFakeCall::ReturnText(const std::string& str) {
    if (m_pResult) {
        int nLen = MultiByteToWideChar(CP_ACP, 0, str.c_str(), -1, nullptr, 0);
        BSTR bstr = SysAllocStringLen(nullptr, static_cast<UINT>(nLen > 0 ? nLen - 1 : 0));
        if (nLen > 0)
            MultiByteToWideChar(CP_ACP, 0, str.c_str(), -1, bstr, nLen);
        m_pResult->vt = VT_BSTR;
        m_pResult->bstrVal = bstr;
    }
    return S_OK;
}

HRESULT CFakeCall::ReturnCopy(const VARIANT& v) {
    if (m_pResult)
        return VariantCopy(m_pResult, const_cast<VARIANT*>(&v));
    return S_OK;
}

HRESULT CFakeCall::ReturnObject(IDispatch* p) {
    if (!p)
        return DISP_E_EXCEPTION;
    if (!m_pResult) {
        p->Release();
        return S_OK;
    }
    m_pResult->vt = VT_DISPATCH;
    m_pResult->pdispVal = p;
    return S_OK;
}

CFakeSignature Get(std::initializer_list<VARTYPE> params) {
    return CFakeSignature{DISPATCH_PROPERTYGET, params, 0, VT_EMPTY};
}

CFakeSignature Put(VARTYPE vtValue) {
    return CFakeSignature{DISPATCH_PROPERTYPUT, {}, 0, vtValue};
}

CFakeSignature GetPut(VARTYPE vtValue) {
    return CFakeSignature{DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT, {}, 0, vtValue};
}

CFakeSignature Method(std::initializer_list<VARTYPE> params, size_t nOptional) {
    return CFakeSignature{DISPATCH_METHOD, params, nOptional, VT_EMPTY};
}

void CFakeObject::Add(DISPID id, const char* pszName, CFakeSignature signature, FakeMember member) {
    m_members[id] = CMember{pszName, std::move(signature), std::move(member)};
}

STDMETHODIMP CFakeObject::QueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CFakeObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_nRefs));
}

STDMETHODIMP_(ULONG) CFakeObject::Release() {
    LONG n = InterlockedDecrement(&m_nRefs);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

STDMETHODIMP CFakeObject::GetTypeInfoCount(UINT* pctinfo) {
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CFakeObject::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

STDMETHODIMP CFakeObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP CFakeObject::Invoke(DISPID id, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams,
                                 VARIANT* pResult, EXCEPINFO*, UINT* puArgErr) {
    CFakeCall call(wFlags, pParams, pResult);
    auto it = m_members.find(id);
    if (it == m_members.end()) {
        LogLine("UNKNOWN %s.%ld", m_strLabel.c_str(), static_cast<long>(id));
        return DISP_E_MEMBERNOTFOUND;
    }
    std::string strLine = m_strLabel;
    strLine += '.';
    strLine += it->second.strName;
    strLine += call.IsPut() ? " put" : (wFlags & DISPATCH_METHOD) ? " call" : " get";
    for (UINT i = 0; pParams && i < pParams->cArgs; ++i) {
        strLine += ' ';
        strLine += DescribeVariant(pParams->rgvarg[pParams->cArgs - 1 - i]);
    }
    UINT nArg = 0;
    if (HRESULT hr = CheckCall(it->second.signature, wFlags, pParams, &nArg); FAILED(hr)) {
        LogLine("REFUSED %s: %s", strLine.c_str(), ErrorName(hr));
        if (puArgErr)
            *puArgErr = nArg;
        return hr;
    }
    if (it->second.strName == g_strFailing) {
        LogLine("%s FAILED", strLine.c_str());
        return DISP_E_EXCEPTION;
    }
    LogLine("%s", strLine.c_str());
    try {
        return it->second.member(call);
    } catch (...) {
        return DISP_E_EXCEPTION;
    }
}
