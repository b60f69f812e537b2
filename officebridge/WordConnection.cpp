#include "WordConnection.h"

#include "InkClipboard.h"
#include "Message.h"
#include "WordPositioning.h"

#include <cstring>

namespace {
constexpr DISPID kAppDocuments = 6;
constexpr DISPID kAppActiveDocument = 3;
constexpr DISPID kAppActiveWindow = 4;
constexpr DISPID kAppSelection = 5;
constexpr DISPID kAppVersion = 24;
constexpr DISPID kAppScreenUpdating = 26;
constexpr DISPID kAppCommandBars = 57;
constexpr DISPID kAppOptions = 93;
constexpr DISPID kAppStatusBar = 97;
constexpr DISPID kWindowPrepare = 109;
constexpr DISPID kOptionHorzOffset = 83;
constexpr DISPID kOptionVertOffset = 84;
constexpr DISPID kOption451 = 451;
constexpr DISPID kCount = 2;
constexpr DISPID kDocShapes = 62;
constexpr DISPID kDocInlineShapes = 68;
constexpr DISPID kDocUndoClear = 254;
constexpr DISPID kShapesItem = 0;
constexpr DISPID kShapesAddPolyline = 16;
constexpr DISPID kShapeRelHorz = 300;
constexpr DISPID kShapeRelVert = 301;
constexpr DISPID kShapeTop = 0x7B;
constexpr DISPID kShapeHeight = 0x6D;
constexpr DISPID kShapeLeft = 0x6F;
constexpr DISPID kShapeWidth = 0x80;
constexpr DISPID kShapeName = 0x73;
constexpr DISPID kShapeLine = 0x70;
constexpr DISPID kShapePictureFormat = 0x76;
constexpr DISPID kShapeWrapFormat = 303;
constexpr DISPID kShapeAnchor = 501;
constexpr DISPID kRangeAnchor = 304;
constexpr DISPID kShapeZOrder = 24;
constexpr DISPID kShapeDelete = 11;
constexpr DISPID kWrapType = 100;
constexpr DISPID kWrapSide = 101;
constexpr DISPID kLineVisible = 0x70;
constexpr DISPID kRangeInformation = 313;
constexpr DISPID kSelectionPaste = 121;
constexpr DISPID kSelectionOrientation = 410;
constexpr DISPID kSelectionInlineShapes = 411;
constexpr DISPID kSelectionMoveLeft = 500;
constexpr DISPID kSelectionMoveRight = 501;
constexpr DISPID kInlineCount = 1;
constexpr DISPID kInlineItem = 0;
constexpr DISPID kInlineConvertToShape = 104;
constexpr LONG kInfoHorzPosition = 5;
constexpr LONG kInfoVertPosition = 6;
constexpr LONG kWrapTypeValue = 3;
constexpr LONG kWrapSideValue = 0;
constexpr LONG kParagraphFrame = 2;
// Word's numbers for the members grouping uses (its shapes take their index by reference).
constexpr CDrawingMembers kShapes{.idCount = kCount,
                                  .idItem = kShapesItem,
                                  .idAddPolyline = kShapesAddPolyline,
                                  .idRange = 21,
                                  .wRangeKind = DISPATCH_METHOD,
                                  .idGroup = 19,
                                  .idLeft = kShapeLeft,
                                  .idTop = kShapeTop,
                                  .idWidth = kShapeWidth,
                                  .idHeight = kShapeHeight,
                                  .idDelete = kShapeDelete,
                                  .idZOrder = kShapeZOrder,
                                  .idLine = kShapeLine,
                                  .idPicture = kShapePictureFormat};
} // namespace

CWordConnection::CWordConnection() {
    CLSID clsid;
    if (!LookUpClass(L"Word.Application", &clsid)) {
        ShowMessage(nullptr, L"Error CLSID Word.Application", L"", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_app = AttachRunning(clsid, 10);
    if (!m_app)
        return;
    try {
        Connect();
    } catch (const CDispatchError&) {
        m_doc.Reset();
        m_bConnected = false;
    }
}

void CWordConnection::Connect() {
    ReadVersion(kAppVersion);
    if (m_nVersion < kVersion8)
        return;
    if (m_app.GetObject(kAppDocuments).GetI4(kCount) == 0)
        return;
    m_doc = m_app.GetObject(kAppActiveDocument);
    if (m_nVersion >= kVersion10)
        m_app.GetObject(kAppActiveWindow).Call(kWindowPrepare);
    CDispatchDriver options = m_app.GetObject(kAppOptions);
    m_fHorzOffset = options.GetR4(kOptionHorzOffset);
    m_fVertOffset = options.GetR4(kOptionVertOffset);
    m_bConnected = true;
}

CDispatchDriver CWordConnection::Shapes() const {
    return m_doc.GetObject(kDocShapes);
}

CDispatchDriver CWordConnection::ShapeAt(const CDispatchDriver& shapes, LONG nIndex) const {
    CVariant index = CVariant::I4(nIndex);
    CVariant ref = CVariant::ByRef(index.Get());
    return shapes.CallObject(kShapesItem, {ref.Ref()});
}

void CWordConnection::SetStatus(const char* pszText) const {
    m_app.PutText(kAppStatusBar, pszText);
}

void CWordConnection::SetScreenUpdating(bool bOn) {
    m_app.PutBool(kAppScreenUpdating, bOn);
    m_bUpdatingOff = !bOn;
}

int CWordConnection::Begin(HWND hwndDoc, const RECT& rcInk) {
    if (!CanMeasure(rcInk, nullptr))
        return 0;
    if (m_nVersion < kVersion10)
        PostClick(hwndDoc, InkCentre(hwndDoc));
    LONG nShapes = 0;
    try {
        if (m_nVersion >= kVersion10) {
            CDispatchDriver options = m_app.GetObject(kAppOptions);
            m_bSavedOption = options.GetI4(kOption451) != 0;
            m_bOptionSwitched = true;
            options.PutBool(kOption451, false);
        }
        nShapes = Shapes().GetI4(kCount);
        SelectScribbleTool(m_app.GetObject(kAppCommandBars));
        SetScreenUpdating(false);
    } catch (const CDispatchError&) {
        RestoreSettings();
        m_bConnected = false;
    }
    if (!ToolSelected(L"Word _Init Error"))
        return 0;
    PostDrag(hwndDoc, InkCorner(hwndDoc), InkCentre(hwndDoc));
    if (Shapes().GetI4(kCount) != nShapes + 1) {
        SetScreenUpdating(true);
        return 0;
    }
    SetStatus("Please wait...");
    FindReferenceShape(nShapes + 1);
    SetWrap(m_refShape);
    SetScale(m_refShape.GetR4(kShapeLeft), m_refShape.GetR4(kShapeTop),
             m_refShape.GetR4(kShapeWidth), m_refShape.GetR4(kShapeHeight));
    m_nAdded = 0;
    return 1;
}

void CWordConnection::FindReferenceShape(LONG nShapes) {
    // From the last shape back; without any "Freeform" the first shape is used.
    CDispatchDriver shapes = Shapes();
    for (LONG i = nShapes; i >= 1; --i) {
        m_refShape = ShapeAt(shapes, i);
        if (m_refShape.GetText(kShapeName).rfind("Freeform", 0) == 0) {
            m_bRefIsScribble = true;
            return;
        }
    }
}

void CWordConnection::SetWrap(const CDispatchDriver& shape) const {
    CDispatchDriver wrap = shape.GetObject(kShapeWrapFormat);
    wrap.PutI4(kWrapSide, kWrapSideValue);
    wrap.PutI4(kWrapType, kWrapTypeValue);
}

float CWordConnection::AnchorPosition(const CDispatchDriver& shape, LONG nItem, DISPID idAnchor) {
    return shape.GetObject(idAnchor).GetR4(kRangeInformation, {CVariant::I4(nItem).Ref()});
}

void CWordConnection::ChangeFrames(const CDispatchDriver& shape, LONG nHorz, LONG nVert,
                                   DISPID idAnchor) const {
    if (nHorz != -1 && shape.GetI4(kShapeRelHorz) != nHorz)
        shape.PutI4(kShapeRelHorz, nHorz);
    if (nVert == -1)
        return;
    LONG nCurrent = shape.GetI4(kShapeRelVert);
    if (nCurrent == nVert)
        return;
    float fTop = shape.GetR4(kShapeTop);
    float fAnchor = AnchorPosition(shape, kInfoVertPosition, idAnchor);
    float fNewTop = WordFrameTop(nCurrent * 16 + nVert, fTop, fAnchor, m_fVertOffset);
    shape.PutI4(kShapeRelVert, nVert);
    if (m_nVersion < kVersion9 || (fNewTop != fTop && shape.GetR4(kShapeTop) == fTop))
        shape.PutR4(kShapeTop, fNewTop);
}

void CWordConnection::PlaceRelative(const CDispatchDriver& shape, float fDx, float fDy) const {
    int nKey = shape.GetI4(kShapeRelHorz) * 16 + m_refShape.GetI4(kShapeRelHorz);
    float fBaseX =
        WordBaseOffset(nKey, m_refShape.GetR4(kShapeLeft),
                       AnchorPosition(m_refShape, kInfoHorzPosition, kShapeAnchor),
                       AnchorPosition(shape, kInfoHorzPosition, kShapeAnchor), m_fHorzOffset);
    shape.PutR4(kShapeLeft, fBaseX + fDx);
    nKey = shape.GetI4(kShapeRelVert) * 16 + m_refShape.GetI4(kShapeRelVert);
    float fBaseY =
        WordBaseOffset(nKey, m_refShape.GetR4(kShapeTop),
                       AnchorPosition(m_refShape, kInfoVertPosition, kShapeAnchor),
                       AnchorPosition(shape, kInfoVertPosition, kShapeAnchor), m_fVertOffset);
    shape.PutR4(kShapeTop, fBaseY + fDy);
}

void CWordConnection::LayOut(const CDispatchDriver& shape, float fDx, float fDy, float fWidth,
                             float fHeight, LONG nVertFrame, bool bBehind, bool bPicture) {
    SetWrap(shape);
    shape.Call(kShapeZOrder, {CVariant::I4(bBehind ? kZBehindText : kZInFrontOfText).Ref()});
    shape.PutR4(kShapeWidth, fWidth);
    shape.PutR4(kShapeHeight, fHeight);
    ChangeFrames(shape, m_refShape.GetI4(kShapeRelHorz), nVertFrame, kShapeAnchor);
    PlaceRelative(shape, fDx, fDy);
    if (bPicture)
        SetTransparentWhite(shape, kShapePictureFormat);
    ++m_nAdded;
}

int CWordConnection::AddStroke(const RECT& rcStroke, const POINT* ppt, int nCount, COLORREF cr,
                               float fWidth, bool bBehind) {
    if (!m_bConnected || !m_refShape)
        return 0;
    m_rcStroke = rcStroke;
    CVariant points = MapPolyline(ppt, nCount, m_fHorzOffset);
    m_lastShape =
        Shapes().CallObject(kShapesAddPolyline, {points.Ref(), CVariant::Missing().Ref()});
    LONG nVert = m_nVersion >= kVersion9 ? m_refShape.GetI4(kShapeRelVert) : kParagraphFrame;
    LayOut(m_lastShape, MapX(rcStroke.left) - m_fLeft, MapY(rcStroke.top) - m_fTop,
           MapWidth(rcStroke.left, rcStroke.right), MapHeight(rcStroke.top, rcStroke.bottom), nVert,
           bBehind, false);
    m_lastShape.GetObject(kShapeLine).PutI4(kLineVisible, -1);
    SetLineColor(m_lastShape, kShapeLine, cr, fWidth);
    return 1;
}

int CWordConnection::InsertPicture(HWND hwndOwner, const RECT& rcBitmap, HDC hdc, HBITMAP hbm,
                                   bool bBehind) {
    if (!m_bConnected || !m_refShape)
        return 0;
    PutInkOnClipboard(hwndOwner, hdc, hbm, false);
    float fX = MapX(rcBitmap.left), fY = MapY(rcBitmap.top);
    float fWidth = MapWidth(rcBitmap.left, rcBitmap.right);
    float fHeight = MapHeight(rcBitmap.top, rcBitmap.bottom);
    if (m_nVersion < kVersion9)
        InsertFloating(fX, fY, fWidth, fHeight, bBehind);
    else
        InsertInline(fX, fY, fWidth, fHeight, bBehind);
    return 1;
}

void CWordConnection::InsertFloating(float fX, float fY, float fWidth, float fHeight,
                                     bool bBehind) {
    CDispatchDriver shapes = Shapes();
    LONG nShapes = shapes.GetI4(kCount);
    m_app.GetObject(kAppSelection).Call(kSelectionPaste);
    if (shapes.GetI4(kCount) != nShapes + 1)
        return;
    m_lastShape = ShapeAt(shapes, nShapes + 1);
    LayOut(m_lastShape, fX - m_fLeft, fY - m_fTop, fWidth, fHeight, kParagraphFrame, bBehind, true);
}

void CWordConnection::InsertInline(float fX, float fY, float fWidth, float fHeight, bool bBehind) {
    LONG nInline = m_doc.GetObject(kDocInlineShapes).GetI4(kInlineCount);
    CDispatchDriver selection = m_app.GetObject(kAppSelection);
    selection.Call(kSelectionPaste);
    LONG nOrientation = selection.GetI4(kSelectionOrientation);
    if (nOrientation != 0 && nOrientation != 1)
        return;
    // Select the picture just pasted, then put the insertion point back after it.
    CVariant unit = CVariant::I4(1), count = CVariant::I4(1), extend = CVariant::I4(2);
    CVariant args[3] = {CVariant::ByRef(unit.Get()), CVariant::ByRef(count.Get()),
                        CVariant::ByRef(extend.Get())};
    DISPID idSelect = nOrientation == 0 ? kSelectionMoveLeft : kSelectionMoveRight;
    DISPID idBack = nOrientation == 0 ? kSelectionMoveRight : kSelectionMoveLeft;
    selection.Call(idSelect, {args[0].Ref(), args[1].Ref(), args[2].Ref()});
    if (m_doc.GetObject(kDocInlineShapes).GetI4(kInlineCount) != nInline + 1)
        return;
    CDispatchDriver selected = selection.GetObject(kSelectionInlineShapes);
    LONG nSelected = selected.GetI4(kInlineCount);
    if (nSelected == 0)
        return;
    CDispatchDriver inlineShape = selected.CallObject(kInlineItem, {CVariant::I4(nSelected).Ref()});
    selection.Call(idBack, {args[0].Ref(), args[1].Ref(), args[2].Ref()});
    m_lastShape = inlineShape.CallObject(kInlineConvertToShape);
    if (nOrientation == 1)
        m_refShape.PutR4(kShapeLeft, fX >= 0 ? fX - 7 : fX);
    LayOut(m_lastShape, fX - m_fLeft, fY - m_fTop, fWidth, fHeight, m_refShape.GetI4(kShapeRelVert),
           bBehind, true);
}

int CWordConnection::Finish() {
    if (!m_bConnected)
        return 1;
    if (m_nAdded == 1 && m_nVersion < kVersion9 && m_lastShape)
        ChangeFrames(m_lastShape, -1, kParagraphFrame, kShapeAnchor);
    CDispatchDriver range;
    if (CDispatchDriver group = GroupAdded(Shapes(), kShapes, &range)) {
        SetWrap(group);
        // The group's frames are changed through the shape range it was made of.
        if (m_nVersion < kVersion9)
            ChangeFrames(range, -1, kParagraphFrame, kRangeAnchor);
    }
    RestoreSettings();
    m_doc.Call(kDocUndoClear);
    // A shape of the user's own that served as the reference stays in the document.
    if (m_refShape && m_bRefIsScribble)
        m_refShape.Call(kShapeDelete);
    m_refShape.Reset();
    SetStatus("Completed");
    MessageBeep(0xFFFFFFFF);
    return 1;
}

void CWordConnection::RestoreSettings() {
    try {
        if (m_bOptionSwitched) {
            m_app.GetObject(kAppOptions).PutBool(kOption451, m_bSavedOption);
            m_bOptionSwitched = false;
        }
    } catch (const CDispatchError&) {
        // Word no longer answers: nothing left to put back.
    }
    try {
        if (m_bUpdatingOff)
            SetScreenUpdating(true);
    } catch (const CDispatchError&) {
    }
}
