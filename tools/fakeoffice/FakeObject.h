// A scriptable automation object of the fake Office applications: an IDispatch that answers a
// fixed table of dispatch identifiers and writes every call it receives to the call log, so that
// a test can read afterwards what the bridge asked the application to do.
//
// Each member carries its signature as the application's type library has it, and a call that
// does not fit is refused as the real object model refuses it: the wrong call kind with
// DISP_E_MEMBERNOTFOUND, a missing or extra argument with DISP_E_BADPARAMCOUNT (a required one
// passed as "missing" with DISP_E_PARAMNOTOPTIONAL), an argument that does not convert to the
// parameter's type with DISP_E_TYPEMISMATCH. Refusals are logged as "REFUSED ...".
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// One incoming Invoke: its kind, its arguments in natural order and the result to fill.
class CFakeCall {
public:
    CFakeCall(WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult)
        : m_wFlags(wFlags), m_pParams(pParams), m_pResult(pResult) {}

    bool IsPut() const {
        return (m_wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    }
    UINT Count() const;
    // Argument i (0 = first), with a by-reference variant followed to its target.
    const VARIANT& Arg(UINT i) const;
    LONG I4(UINT i) const;
    float R4(UINT i) const;
    std::string Text(UINT i) const;

    HRESULT ReturnI4(LONG n);
    HRESULT ReturnR4(float f);
    HRESULT ReturnBool(bool b);
    HRESULT ReturnText(const std::string& str);
    HRESULT ReturnCopy(const VARIANT& v);
    // Takes over the reference (null gives DISP_E_EXCEPTION).
    HRESULT ReturnObject(IDispatch* p);

private:
    WORD m_wFlags;
    DISPPARAMS* m_pParams;
    VARIANT* m_pResult;
};

using FakeMember = std::function<HRESULT(CFakeCall&)>;

// The call kinds and parameter types of a member. Parameter types: VT_I4, VT_R4, VT_BOOL and
// VT_BSTR take any value that converts to them; VT_VARIANT takes any value; VT_DISPATCH an
// object; VT_ARRAY | VT_R4 a two-column array of numbers; VT_ARRAY | VT_VARIANT a list.
struct CFakeSignature {
    WORD wKinds = 0;             // DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT, DISPATCH_METHOD
    std::vector<VARTYPE> params; // arguments of a get or a method, in order
    size_t nOptional = 0;        // how many of the last ones may be left out
    VARTYPE vtValue = VT_EMPTY;  // the value a put takes
};
// A read-only property (with index parameters, if any).
CFakeSignature Get(std::initializer_list<VARTYPE> params = {});
// A write-only property, and a property that is read and written.
CFakeSignature Put(VARTYPE vtValue);
CFakeSignature GetPut(VARTYPE vtValue);
CFakeSignature Method(std::initializer_list<VARTYPE> params = {}, size_t nOptional = 0);

class CFakeObject : public IDispatch {
public:
    explicit CFakeObject(std::string strLabel) : m_strLabel(std::move(strLabel)) {}
    virtual ~CFakeObject() = default;

    void Add(DISPID id, const char* pszName, CFakeSignature signature, FakeMember member);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                        EXCEPINFO* pInfo, UINT* puArgErr) override;

private:
    struct CMember {
        std::string strName;
        CFakeSignature signature;
        FakeMember member;
    };
    LONG m_nRefs = 1;
    std::string m_strLabel;
    std::map<DISPID, CMember> m_members;
};

// The call log: one line per call, flushed at once so that a test can read it at any time.
void OpenCallLog(const char* pszPath);
void LogLine(const char* pszFormat, ...);
// A member name that fails every time it is called (DISP_E_EXCEPTION); empty for none.
void SetFailingMember(const std::string& strName);
// Text of an argument for the log: numbers, "quoted text", [arrays].
std::string DescribeVariant(const VARIANT& v);
