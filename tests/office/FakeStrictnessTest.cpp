// The fake applications refuse a call the real object models refuse, so that a bridge that
// calls a member the wrong way fails its tests instead of reading a silent 0.
#include "OfficeTestBase.h"

namespace {
class CRunningWord {
public:
    CRunningWord() {
        CLSID clsid;
        IUnknown* pUnknown = nullptr;
        if (SUCCEEDED(CLSIDFromProgID(L"Word.Application", &clsid)) &&
            SUCCEEDED(GetActiveObject(clsid, nullptr, &pUnknown))) {
            pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_pApp));
            pUnknown->Release();
        }
    }
    ~CRunningWord() {
        if (m_pApp)
            m_pApp->Release();
    }
    IDispatch* App() const { return m_pApp; }

private:
    IDispatch* m_pApp = nullptr;
};

VARIANT I4(LONG n) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = n;
    return v;
}

// One Invoke with the arguments in natural order; the object result goes to *ppResult.
HRESULT Call(IDispatch* p, DISPID id, WORD wFlags, std::vector<VARIANT> args,
             IDispatch** ppResult = nullptr) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID idPut = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, UINT(reversed.size()), 0};
    if (wFlags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &idPut;
        params.cNamedArgs = 1;
    }
    VARIANT result;
    VariantInit(&result);
    UINT nArgErr = 0;
    HRESULT hr = p->Invoke(id, IID_NULL, 0, wFlags, &params, &result, nullptr, &nArgErr);
    if (ppResult && result.vt == VT_DISPATCH) {
        *ppResult = result.pdispVal;
        result.pdispVal->AddRef();
    }
    VariantClear(&result);
    return hr;
}
} // namespace

using FakeStrictness = OfficeTest;

TEST_F(FakeStrictness, WrongKindCountOrTypeIsRefusedAsByTheRealObjectModel) {
    CFakeOffice word("word", "/version 11.0 /rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    word.ExpectRefusals();
    CRunningWord running;
    IDispatch* pApp = running.App();
    ASSERT_NE(pApp, nullptr);
    // The version is read-only; the screen updating is a property, not a method.
    EXPECT_EQ(Call(pApp, 24, DISPATCH_PROPERTYPUT, {I4(12)}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(pApp, 26, DISPATCH_METHOD, {}), DISP_E_MEMBERNOTFOUND);
    IDispatch* pDoc = nullptr;
    ASSERT_EQ(Call(pApp, 3, DISPATCH_PROPERTYGET, {}, &pDoc), S_OK);
    IDispatch* pShapes = nullptr;
    ASSERT_EQ(Call(pDoc, 62, DISPATCH_PROPERTYGET, {}, &pShapes), S_OK);
    // The count takes no argument; the item needs its index; a polyline needs its points.
    EXPECT_EQ(Call(pShapes, 2, DISPATCH_PROPERTYGET, {I4(1)}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(pShapes, 0, DISPATCH_METHOD, {}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(pShapes, 16, DISPATCH_METHOD, {I4(3)}), DISP_E_TYPEMISMATCH);
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"yes please");
    IDispatch* pOptions = nullptr;
    ASSERT_EQ(Call(pApp, 93, DISPATCH_PROPERTYGET, {}, &pOptions), S_OK);
    EXPECT_EQ(Call(pOptions, 451, DISPATCH_PROPERTYPUT, {text}), DISP_E_TYPEMISMATCH);
    VariantClear(&text);
    for (IDispatch* p : {pOptions, pShapes, pDoc})
        p->Release();
    EXPECT_EQ(word.Matching("REFUSED").size(), 6u) << word.Log();
}
