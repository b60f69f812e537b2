// CWicSession: COM initialised for the current call (when the caller has not done so already)
// and the imaging factory. Each exported call opens one and closes it before returning.
#pragma once
#include <objbase.h>
#include <wincodec.h>
#include <windows.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

class CWicSession {
public:
    CWicSession() {
        HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        // S_FALSE also needs a matching CoUninitialize; RPC_E_CHANGED_MODE means the caller already
        // runs a multithreaded apartment, which serves as well.
        m_bUninit = SUCCEEDED(hr);
        if (SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE)
            CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(&m_pFactory));
    }
    CWicSession(const CWicSession&) = delete;
    CWicSession& operator=(const CWicSession&) = delete;
    ~CWicSession() {
        m_pFactory.Reset(); // released before COM goes away
        if (m_bUninit)
            CoUninitialize();
    }

    IWICImagingFactory* Factory() const { return m_pFactory.Get(); }

private:
    bool m_bUninit = false;
    ComPtr<IWICImagingFactory> m_pFactory;
};

// A device context of the library's own (DeleteDC).
class CLibDC {
public:
    explicit CLibDC(HDC hdcCompatible) : m_hdc(CreateCompatibleDC(hdcCompatible)) {}
    CLibDC(const CLibDC&) = delete;
    CLibDC& operator=(const CLibDC&) = delete;
    ~CLibDC() {
        if (m_hdc)
            DeleteDC(m_hdc);
    }
    HDC Get() const { return m_hdc; }

private:
    HDC m_hdc;
};

// Selects an object and puts the previous one back.
class CLibSelect {
public:
    CLibSelect(HDC hdc, HGDIOBJ h) : m_hdc(hdc), m_hOld(hdc ? SelectObject(hdc, h) : nullptr) {}
    CLibSelect(const CLibSelect&) = delete;
    CLibSelect& operator=(const CLibSelect&) = delete;
    ~CLibSelect() {
        if (Selected())
            SelectObject(m_hdc, m_hOld);
    }
    bool Selected() const { return m_hOld != nullptr && m_hOld != HGDI_ERROR; }

private:
    HDC m_hdc;
    HGDIOBJ m_hOld;
};
