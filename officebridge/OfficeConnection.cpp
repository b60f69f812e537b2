#include "OfficeConnection.h"

#include "CommandBars.h"
#include "Message.h"

#include <cstdlib>
#include <cstring>

namespace {
constexpr LONG kScribbleControl = 6;
// Line, colour and picture formats have the same numbers in the three applications.
constexpr DISPID kLineForeColor = 0x6C;
constexpr DISPID kLineWeight = 0x71;
constexpr DISPID kColorRgb = 0;
constexpr DISPID kPictureTransparencyColor = 0x6B;
constexpr DISPID kPictureTransparentBackground = 0x6C;

LPARAM PackPoint(POINT pt) {
    return MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}

// Width of the ink rectangle in pixels as the scale divides by it (at least 1).
float Span(LONG nFrom, LONG nTo) {
    return static_cast<float>(static_cast<double>(nTo) - nFrom + 1);
}
} // namespace

float COfficeConnection::MapX(LONG x) const {
    return static_cast<float>((static_cast<double>(x) - m_rcInk.left) * m_fWidth /
                                  Span(m_rcInk.left, m_rcInk.right) +
                              m_fLeft);
}

float COfficeConnection::MapY(LONG y) const {
    return static_cast<float>((static_cast<double>(y) - m_rcInk.top) * m_fHeight /
                                  Span(m_rcInk.top, m_rcInk.bottom) +
                              m_fTop);
}

float COfficeConnection::MapWidth(LONG l, LONG r) const {
    return static_cast<float>(Span(l, r) * static_cast<double>(m_fWidth) /
                              Span(m_rcInk.left, m_rcInk.right));
}

float COfficeConnection::MapHeight(LONG t, LONG b) const {
    return static_cast<float>(Span(t, b) * static_cast<double>(m_fHeight) /
                              Span(m_rcInk.top, m_rcInk.bottom));
}

int COfficeConnection::ParseVersion(const std::string& strVersion) {
    int nVersion = std::atoi(strVersion.c_str()) * 256;
    size_t nDot = strVersion.find('.');
    if (nDot != std::string::npos)
        nVersion += std::atoi(strVersion.c_str() + nDot + 1);
    return nVersion;
}

bool COfficeConnection::LookUpClass(const wchar_t* pszProgId, CLSID* pclsid) {
    return SUCCEEDED(CLSIDFromProgID(pszProgId, pclsid));
}

CDispatchDriver COfficeConnection::AttachRunning(const CLSID& clsid, int nRetries) {
    IUnknown* pUnknown = nullptr;
    HRESULT hr = GetActiveObject(clsid, nullptr, &pUnknown);
    for (int i = 0; FAILED(hr) && i < nRetries; ++i) {
        Sleep(1000);
        hr = GetActiveObject(clsid, nullptr, &pUnknown);
    }
    if (FAILED(hr) || !pUnknown)
        return CDispatchDriver();
    IDispatch* pDispatch = nullptr;
    hr = pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch));
    pUnknown->Release();
    return CDispatchDriver(SUCCEEDED(hr) ? pDispatch : nullptr);
}

void COfficeConnection::ReadVersion(DISPID idVersion) {
    m_nVersion = ParseVersion(m_app.GetText(idVersion));
}

void COfficeConnection::PostClick(HWND hwndDoc, POINT pt) {
    PostMessageA(hwndDoc, WM_LBUTTONDOWN, MK_LBUTTON, PackPoint(pt));
    PostMessageA(hwndDoc, WM_LBUTTONUP, 0, PackPoint(pt));
}

void COfficeConnection::PostDrag(HWND hwndDoc, POINT ptFrom, POINT ptTo) {
    PostMessageA(hwndDoc, WM_LBUTTONDOWN, MK_LBUTTON, PackPoint(ptFrom));
    PostMessageA(hwndDoc, WM_MOUSEMOVE, MK_LBUTTON, PackPoint(ptTo));
    PostMessageA(hwndDoc, WM_LBUTTONUP, 0, PackPoint(ptTo));
}

POINT COfficeConnection::InkCentre(HWND hwndDoc) const {
    POINT ptOrigin{0, 0};
    ClientToScreen(hwndDoc, &ptOrigin);
    return POINT{(m_rcInk.left + m_rcInk.right) / 2 - ptOrigin.x,
                 (m_rcInk.top + m_rcInk.bottom) / 2 - ptOrigin.y};
}

POINT COfficeConnection::InkCorner(HWND hwndDoc) const {
    POINT ptOrigin{0, 0};
    ClientToScreen(hwndDoc, &ptOrigin);
    return POINT{m_rcInk.left - ptOrigin.x, m_rcInk.top - ptOrigin.y};
}

void COfficeConnection::SelectScribbleTool(const CDispatchDriver& commandBars) {
    CVariant name = CVariant::Text("Lines");
    CDispatchDriver bar = commandBars.GetObject(CommandBars::kItem, {name.Ref()});
    CDispatchDriver controls = bar.GetObject(CommandBars::kBarControls);
    CDispatchDriver control =
        controls.GetObject(CommandBars::kControlsItem, {CVariant::I4(kScribbleControl).Ref()});
    control.Call(CommandBars::kControlExecute);
}

void COfficeConnection::SetScale(float fLeft, float fTop, float fWidth, float fHeight) {
    // The scribble spans half the ink rectangle in each direction.
    m_fLeft = fLeft;
    m_fTop = fTop;
    m_fWidth = 2 * fWidth;
    m_fHeight = 2 * fHeight;
}

CVariant COfficeConnection::MapPolyline(const POINT* ppt, int nCount, float fAddX) const {
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(nCount), 0}, {2, 0}};
    SAFEARRAY* psa = SafeArrayCreate(VT_R4, 2, bounds);
    if (!psa)
        throw CDispatchError(E_OUTOFMEMORY, 0);
    CVariant array = CVariant::Array(psa, VT_R4);
    for (LONG i = 0; i < nCount; ++i) {
        float fPoint[2] = {MapX(ppt[i].x) + fAddX, MapY(ppt[i].y)};
        for (LONG j = 0; j < 2; ++j) {
            LONG index[2] = {i, j};
            SafeArrayPutElement(psa, index, &fPoint[j]);
        }
    }
    return array;
}

CVariant COfficeConnection::IndexRange(LONG nFirst, LONG nLast) {
    SAFEARRAYBOUND bound{static_cast<ULONG>(nLast - nFirst + 1), 0};
    SAFEARRAY* psa = SafeArrayCreate(VT_VARIANT, 1, &bound);
    if (!psa)
        throw CDispatchError(E_OUTOFMEMORY, 0);
    CVariant array = CVariant::Array(psa, VT_VARIANT);
    for (LONG i = nFirst; i <= nLast; ++i) {
        CVariant index = CVariant::I4(i);
        LONG nPos = i - nFirst;
        SafeArrayPutElement(psa, &nPos, index.Get());
    }
    return array;
}

void COfficeConnection::Measure(const CDispatchDriver& shape, const CDrawingMembers& ids) {
    SetScale(shape.GetR4(ids.idLeft), shape.GetR4(ids.idTop), shape.GetR4(ids.idWidth),
             shape.GetR4(ids.idHeight));
    shape.Call(ids.idDelete);
    m_nAdded = 0;
}

CDispatchDriver COfficeConnection::AddPolyline(const CDispatchDriver& shapes,
                                               const CDrawingMembers& ids, const POINT* ppt,
                                               int nCount, COLORREF cr, float fWidth, bool bBehind,
                                               float fAddX) const {
    CVariant points = MapPolyline(ppt, nCount, fAddX);
    CDispatchDriver shape = shapes.CallObject(ids.idAddPolyline, {points.Ref()});
    SetLineColor(shape, ids.idLine, cr, fWidth);
    if (bBehind)
        shape.Call(ids.idZOrder, {CVariant::I4(kZBehindText).Ref()});
    return shape;
}

void COfficeConnection::SetLineColor(const CDispatchDriver& shape, DISPID idLine, COLORREF cr,
                                     float fWidth) {
    CDispatchDriver line = shape.GetObject(idLine);
    line.PutR4(kLineWeight, fWidth);
    line.GetObject(kLineForeColor).PutI4(kColorRgb, static_cast<LONG>(cr & 0x00FFFFFF));
}

void COfficeConnection::SetTransparentWhite(const CDispatchDriver& shape, DISPID idPicture) {
    CDispatchDriver picture = shape.GetObject(idPicture);
    picture.PutI4(kPictureTransparencyColor, kTransparentWhite);
    picture.PutI4(kPictureTransparentBackground, 1);
}

void COfficeConnection::PlacePasted(const CDispatchDriver& shapes, LONG nBefore,
                                    const CDrawingMembers& ids, const RECT& rcBitmap,
                                    bool bBehind) const {
    if (shapes.GetI4(ids.idCount) != nBefore + 1)
        return;
    CDispatchDriver shape = shapes.CallObject(ids.idItem, {CVariant::I4(nBefore + 1).Ref()});
    shape.Call(ids.idZOrder, {CVariant::I4(bBehind ? kZBehindText : kZInFrontOfText).Ref()});
    shape.PutR4(ids.idLeft, MapX(rcBitmap.left));
    shape.PutR4(ids.idTop, MapY(rcBitmap.top));
    shape.PutR4(ids.idWidth, MapWidth(rcBitmap.left, rcBitmap.right));
    shape.PutR4(ids.idHeight, MapHeight(rcBitmap.top, rcBitmap.bottom));
    SetTransparentWhite(shape, ids.idPicture);
}

CDispatchDriver COfficeConnection::GroupAdded(const CDispatchDriver& shapes,
                                              const CDrawingMembers& ids, CDispatchDriver* pRange) {
    if (m_nAdded <= 1)
        return CDispatchDriver();
    LONG nShapes = shapes.GetI4(ids.idCount);
    if (m_nAdded > nShapes)
        m_nAdded = nShapes;
    if (m_nAdded <= 1)
        return CDispatchDriver();
    CVariant indices = IndexRange(nShapes - m_nAdded + 1, nShapes);
    CVariant result = shapes.Invoke(ids.idRange, ids.wRangeKind, {indices.Ref()});
    CDispatchDriver range = VariantToObject(result, ids.idRange);
    CDispatchDriver group = range.CallObject(ids.idGroup);
    if (pRange)
        *pRange = std::move(range);
    return group;
}

int COfficeConnection::AddCountedStroke(const CDispatchDriver& shapes, const CDrawingMembers& ids,
                                        const RECT& rcStroke, const POINT* ppt, int nCount,
                                        COLORREF cr, float fWidth, bool bBehind) {
    m_rcStroke = rcStroke;
    AddPolyline(shapes, ids, ppt, nCount, cr, fWidth, bBehind, 0);
    ++m_nAdded;
    return 1;
}

bool COfficeConnection::CanMeasure(const RECT& rcInk, const wchar_t* pszRefusal) {
    if (rcInk.right < rcInk.left || rcInk.bottom < rcInk.top) {
        ShowMessage(nullptr, L"rect error", L"", MB_OK);
        return false;
    }
    if (!m_bConnected) {
        if (pszRefusal)
            ShowMessage(nullptr, pszRefusal, L"", MB_OK);
        return false;
    }
    SetInk(rcInk);
    return true;
}

bool COfficeConnection::ToolSelected(const wchar_t* pszInitError) const {
    if (!m_bConnected)
        ShowMessage(nullptr, pszInitError, L"", MB_OK);
    return m_bConnected;
}
