#include "ExcelConnection.h"

#include "InkClipboard.h"
#include "Message.h"

namespace {
constexpr DISPID kAppVersion = 0x188;
constexpr DISPID kAppWorkbooks = 0x23C;
constexpr DISPID kAppActiveSheet = 0x133;
constexpr DISPID kAppCommandBars = 0x59F;
constexpr DISPID kAppScreenUpdating = 0x17E;
constexpr DISPID kCount = 0x76;
constexpr DISPID kSheetShapes = 0x561;
constexpr DISPID kSheetPaste = 0xD3;
constexpr DISPID kShapesItem = 0xAA;
constexpr DISPID kShapesAddPolyline = 0x6BE;
constexpr DISPID kShapesRange = 0xC5;
constexpr DISPID kRangeGroup = 0x2E;
constexpr DISPID kShapeLeft = 0x7F;
constexpr DISPID kShapeTop = 0x7E;
constexpr DISPID kShapeWidth = 0x7A;
constexpr DISPID kShapeHeight = 0x7B;
constexpr DISPID kShapeDelete = 0x75;
constexpr DISPID kShapeZOrder = 0x26E;
constexpr DISPID kShapeLine = 0x331;
constexpr DISPID kShapePictureFormat = 0x65F;
constexpr DISPID kLineForeColor = 0x6C;
constexpr DISPID kLineWeight = 0x71;
constexpr DISPID kColorRgb = 0;
constexpr DISPID kPictureTransparencyColor = 0x6B;
constexpr DISPID kPictureTransparentBackground = 0x6C;
} // namespace

CExcelConnection::CExcelConnection() {
    CLSID clsid;
    if (!LookUpClass(L"Excel.Application", &clsid))
        return;
    m_app = AttachRunning(clsid, 10);
    if (!m_app)
        return;
    try {
        ReadVersion(kAppVersion);
        if (m_nVersion < kVersion8)
            return;
        if (m_app.GetObject(kAppWorkbooks).GetI4(kCount) == 0)
            return;
        CVariant sheet = m_app.Invoke(kAppActiveSheet, DISPATCH_PROPERTYGET);
        if (sheet.Ref().vt != VT_DISPATCH || !sheet.Ref().pdispVal)
            return;
        m_sheet = VariantToObject(sheet, kAppActiveSheet);
        m_bConnected = true;
    } catch (const CDispatchError&) {
        ShowMessage(nullptr, L"Could not populate the worksheet.", L"", MB_OK | MB_ICONSTOP);
        m_sheet.Reset();
        m_bConnected = false;
    }
}

LONG CExcelConnection::CountShapes() const {
    return m_sheet.GetObject(kSheetShapes).GetI4(kCount);
}

int CExcelConnection::Begin(HWND hwndDoc, const RECT& rcInk) {
    if (rcInk.right < rcInk.left || rcInk.bottom < rcInk.top) {
        ShowMessage(nullptr, L"rect error", L"", MB_OK);
        return 0;
    }
    if (!m_bConnected) {
        ShowMessage(nullptr, L"No Excel", L"", MB_OK);
        return 0;
    }
    SetInk(rcInk);
    PostClick(hwndDoc, InkCentre(hwndDoc));
    LONG nShapes = 0;
    try {
        SelectScribbleTool(m_app.GetObject(kAppCommandBars));
        nShapes = CountShapes();
        m_app.PutBool(kAppScreenUpdating, false);
        m_bUpdatingOff = true;
    } catch (const CDispatchError&) {
        RestoreSettings();
        m_bConnected = false;
    }
    if (!m_bConnected) {
        ShowMessage(nullptr, L"Excel _Init Error", L"", MB_OK);
        return 0;
    }
    PostDrag(hwndDoc, InkCentre(hwndDoc), InkCorner(hwndDoc));
    if (CountShapes() != nShapes + 1)
        return 0;
    CDispatchDriver shape =
        m_sheet.GetObject(kSheetShapes).CallObject(kShapesItem, {CVariant::I4(nShapes + 1).Ref()});
    SetScale(shape.GetR4(kShapeLeft), shape.GetR4(kShapeTop), shape.GetR4(kShapeWidth),
             shape.GetR4(kShapeHeight));
    shape.Call(kShapeDelete);
    m_nAdded = 0;
    return 1;
}

int CExcelConnection::AddStroke(const RECT& rcStroke, const POINT* ppt, int nCount, COLORREF cr,
                                float fWidth, bool bBehind) {
    if (!m_bConnected)
        return 0;
    m_rcStroke = rcStroke;
    CVariant points = MapPolyline(ppt, nCount, 0);
    m_pLastShape = m_sheet.GetObject(kSheetShapes).CallObject(kShapesAddPolyline, {points.Ref()});
    CDispatchDriver line = m_pLastShape.GetObject(kShapeLine);
    line.PutR4(kLineWeight, fWidth);
    line.GetObject(kLineForeColor).PutI4(kColorRgb, static_cast<LONG>(cr & 0x00FFFFFF));
    if (bBehind)
        m_pLastShape.Call(kShapeZOrder, {CVariant::I4(kZBehindText).Ref()});
    ++m_nAdded;
    m_pLastShape.Reset();
    return 1;
}

int CExcelConnection::InsertPicture(HWND hwndOwner, const RECT& rcBitmap, HDC hdc, HBITMAP hbm,
                                    bool bBehind) {
    if (!m_bConnected)
        return 0;
    PutInkOnClipboard(hwndOwner, hdc, hbm, false);
    float fX = MapX(rcBitmap.left), fY = MapY(rcBitmap.top);
    float fWidth = MapWidth(rcBitmap.left, rcBitmap.right);
    float fHeight = MapHeight(rcBitmap.top, rcBitmap.bottom);
    CDispatchDriver shapes = m_sheet.GetObject(kSheetShapes);
    LONG nShapes = shapes.GetI4(kCount);
    m_sheet.Call(kSheetPaste, {CVariant::Missing().Ref(), CVariant::Missing().Ref()});
    if (shapes.GetI4(kCount) != nShapes + 1)
        return 1;
    CDispatchDriver shape = shapes.CallObject(kShapesItem, {CVariant::I4(nShapes + 1).Ref()});
    shape.Call(kShapeZOrder, {CVariant::I4(bBehind ? kZBehindText : kZInFrontOfText).Ref()});
    shape.PutR4(kShapeLeft, fX);
    shape.PutR4(kShapeTop, fY);
    shape.PutR4(kShapeWidth, fWidth);
    shape.PutR4(kShapeHeight, fHeight);
    CDispatchDriver picture = shape.GetObject(kShapePictureFormat);
    picture.PutI4(kPictureTransparencyColor, kTransparentWhite);
    picture.PutI4(kPictureTransparentBackground, 1);
    return 1;
}

int CExcelConnection::Finish() {
    if (!m_bConnected)
        return 1;
    if (m_nAdded > 1) {
        CDispatchDriver shapes = m_sheet.GetObject(kSheetShapes);
        LONG nShapes = shapes.GetI4(kCount);
        if (m_nAdded > nShapes)
            m_nAdded = nShapes;
        if (m_nAdded > 1) {
            CVariant indices = IndexRange(nShapes - m_nAdded + 1, nShapes);
            shapes.GetObject(kShapesRange, {indices.Ref()}).CallObject(kRangeGroup);
        }
    }
    RestoreSettings();
    MessageBeep(0xFFFFFFFF);
    return 1;
}

void CExcelConnection::RestoreSettings() {
    if (!m_bUpdatingOff)
        return;
    try {
        m_app.PutBool(kAppScreenUpdating, true);
        m_bUpdatingOff = false;
    } catch (const CDispatchError&) {
        // Excel no longer answers: nothing left to put back.
    }
}
