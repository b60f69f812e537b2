#include "ExcelConnection.h"

#include "Message.h"

namespace {
constexpr DISPID kAppVersion = 0x188;
constexpr DISPID kAppWorkbooks = 0x23C;
constexpr DISPID kAppActiveSheet = 0x133;
constexpr DISPID kAppCommandBars = 0x59F;
constexpr DISPID kAppScreenUpdating = 0x17E;
constexpr DISPID kWorkbooksCount = 0x76;
constexpr DISPID kSheetShapes = 0x561;
constexpr DISPID kSheetPaste = 0xD3;
// Excel's own numbers for the drawing members.
constexpr CDrawingMembers kShapes{.idCount = 0x76,
                                  .idItem = 0xAA,
                                  .idAddPolyline = 0x6BE,
                                  .idRange = 0xC5,
                                  .wRangeKind = DISPATCH_PROPERTYGET,
                                  .idGroup = 0x2E,
                                  .idLeft = 0x7F,
                                  .idTop = 0x7E,
                                  .idWidth = 0x7A,
                                  .idHeight = 0x7B,
                                  .idDelete = 0x75,
                                  .idZOrder = 0x26E,
                                  .idLine = 0x331,
                                  .idPicture = 0x65F};
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
        if (m_app.GetObject(kAppWorkbooks).GetI4(kWorkbooksCount) == 0)
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
    return m_sheet.GetObject(kSheetShapes).GetI4(kShapes.idCount);
}

int CExcelConnection::Begin(HWND hwndDoc, const RECT& rcInk) {
    if (!CanMeasure(rcInk, L"No Excel"))
        return 0;
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
    if (!ToolSelected(L"Excel _Init Error"))
        return 0;
    PostDrag(hwndDoc, InkCentre(hwndDoc), InkCorner(hwndDoc));
    if (CountShapes() != nShapes + 1)
        return 0;
    Measure(m_sheet.GetObject(kSheetShapes)
                .CallObject(kShapes.idItem, {CVariant::I4(nShapes + 1).Ref()}),
            kShapes);
    return 1;
}

int CExcelConnection::AddStroke(const RECT& rcStroke, const POINT* ppt, int nCount, COLORREF cr,
                                float fWidth, bool bBehind) {
    if (!m_bConnected)
        return 0;
    return AddCountedStroke(m_sheet.GetObject(kSheetShapes), kShapes, rcStroke, ppt, nCount, cr,
                            fWidth, bBehind);
}

int CExcelConnection::InsertPicture(HWND hwndOwner, const RECT& rcBitmap, HDC hdc, HBITMAP hbm,
                                    bool bBehind) {
    if (!m_bConnected)
        return 0;
    PasteAndPlace(
        m_sheet.GetObject(kSheetShapes), kShapes, hwndOwner, rcBitmap, hdc, hbm, bBehind, [this] {
            m_sheet.Call(kSheetPaste, {CVariant::Missing().Ref(), CVariant::Missing().Ref()});
        });
    return 1;
}

int CExcelConnection::Finish() {
    if (!m_bConnected)
        return 1;
    GroupAdded(m_sheet.GetObject(kSheetShapes), kShapes);
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
