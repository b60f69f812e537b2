#include "PowerPointConnection.h"

#include "InkClipboard.h"
#include "Message.h"

using namespace PowerPoint;

namespace {
constexpr DISPID kAppPresentations = 2001;
constexpr DISPID kAppVersion = 2014;
constexpr DISPID kWindowSelection = 2003;
constexpr DISPID kWindowView = 2004;
constexpr DISPID kWindowViewType = 2006;
constexpr DISPID kSelectionSlideRange = 2008;
constexpr DISPID kViewPaste = 2005;
constexpr DISPID kShapesAddPolyline = 16;
constexpr DISPID kShapesRange = 2003;
constexpr DISPID kRangeGroup = 2016;
constexpr DISPID kShapeHeight = 0x6D;
constexpr DISPID kShapeLeft = 0x6F;
constexpr DISPID kShapeTop = 0x7B;
constexpr DISPID kShapeWidth = 0x80;
constexpr DISPID kShapeDelete = 11;
constexpr DISPID kShapeZOrder = 24;
constexpr DISPID kShapeLine = 0x70;
constexpr DISPID kShapePictureFormat = 0x76;
constexpr DISPID kLineForeColor = 0x6C;
constexpr DISPID kLineWeight = 0x71;
constexpr DISPID kColorRgb = 0;
constexpr DISPID kPictureTransparencyColor = 0x6B;
constexpr DISPID kPictureTransparentBackground = 0x6C;
constexpr LONG kSlideView = 1;
constexpr LONG kNormalView = 9;
} // namespace

CPowerPointConnection::CPowerPointConnection() {
    m_app = AttachAnswering();
    if (!m_app)
        return;
    try {
        Connect();
    } catch (const CDispatchError&) {
        m_slide.Reset();
        m_bConnected = false;
        m_bShowActive = false;
    }
}

CDispatchDriver CPowerPointConnection::AttachAnswering() {
    CLSID clsid;
    if (!LookUpClass(L"PowerPoint.Application", &clsid))
        return CDispatchDriver();
    CDispatchDriver app = AttachRunning(clsid, 0);
    UINT nInfo = 0;
    if (app && FAILED(app.Get()->GetTypeInfoCount(&nInfo)))
        app.Reset();
    return app;
}

bool CPowerPointConnection::Probe() {
    return static_cast<bool>(AttachAnswering());
}

void CPowerPointConnection::Connect() {
    ReadVersion(kAppVersion);
    if (m_nVersion < kVersion8)
        return;
    if (m_app.GetObject(kAppPresentations).GetI4(kCount) == 0)
        return;
    CDispatchDriver slides = m_app.GetObject(kAppActivePresentation).GetObject(kPresentationSlides);
    if (slides.GetI4(kCount) == 0)
        return;
    if (m_app.GetObject(kAppSlideShowWindows).GetI4(kCount) != 0) {
        m_bShowActive = true;
        return;
    }
    CDispatchDriver window = m_app.GetObject(kAppActiveWindow);
    LONG nView = window.GetI4(kWindowViewType);
    if (nView != kSlideView && nView != kNormalView)
        return;
    CDispatchDriver range = window.GetObject(kWindowSelection).GetObject(kSelectionSlideRange);
    m_slide = range.CallObject(kItem, {CVariant::I4(1).Ref()});
    m_bConnected = true;
    m_bShowActive = false;
}

int CPowerPointConnection::Begin(HWND hwndDoc, const RECT& rcInk) {
    if (rcInk.right < rcInk.left || rcInk.bottom < rcInk.top) {
        ShowMessage(nullptr, L"rect error", L"", MB_OK);
        return 0;
    }
    if (!m_bConnected) {
        ShowMessage(nullptr, L"No PowerPoint", L"", MB_OK);
        return 0;
    }
    SetInk(rcInk);
    PostClick(hwndDoc, InkCentre(hwndDoc));
    LONG nShapes = 0;
    try {
        SelectScribbleTool(m_app.GetObject(kAppCommandBars));
        nShapes = m_slide.GetObject(kSlideShapes).GetI4(kShapesCount);
    } catch (const CDispatchError&) {
        m_bConnected = false;
    }
    if (!m_bConnected) {
        ShowMessage(nullptr, L"PowerPoint _Init Error", L"", MB_OK);
        return 0;
    }
    PostDrag(hwndDoc, InkCentre(hwndDoc), InkCorner(hwndDoc));
    CDispatchDriver shapes = m_slide.GetObject(kSlideShapes);
    if (shapes.GetI4(kShapesCount) != nShapes + 1)
        return 0;
    CDispatchDriver shape = shapes.CallObject(kItem, {CVariant::I4(nShapes + 1).Ref()});
    SetScale(shape.GetR4(kShapeLeft), shape.GetR4(kShapeTop), shape.GetR4(kShapeWidth),
             shape.GetR4(kShapeHeight));
    shape.Call(kShapeDelete);
    m_nAdded = 0;
    return 1;
}

int CPowerPointConnection::AddStroke(const RECT& rcStroke, const POINT* ppt, int nCount,
                                     COLORREF cr, float fWidth, bool bBehind) {
    if (!m_bConnected)
        return 0;
    m_rcStroke = rcStroke;
    CVariant points = MapPolyline(ppt, nCount, 0);
    m_pLastShape = m_slide.GetObject(kSlideShapes).CallObject(kShapesAddPolyline, {points.Ref()});
    CDispatchDriver line = m_pLastShape.GetObject(kShapeLine);
    line.PutR4(kLineWeight, fWidth);
    line.GetObject(kLineForeColor).PutI4(kColorRgb, static_cast<LONG>(cr & 0x00FFFFFF));
    if (bBehind)
        m_pLastShape.Call(kShapeZOrder, {CVariant::I4(kZBehindText).Ref()});
    ++m_nAdded;
    m_pLastShape.Reset();
    return 1;
}

int CPowerPointConnection::InsertPicture(HWND hwndOwner, const RECT& rcBitmap, HDC hdc, HBITMAP hbm,
                                         bool bBehind) {
    if (!m_bConnected)
        return 0;
    PutInkOnClipboard(hwndOwner, hdc, hbm, false);
    float fX = MapX(rcBitmap.left), fY = MapY(rcBitmap.top);
    float fWidth = MapWidth(rcBitmap.left, rcBitmap.right);
    float fHeight = MapHeight(rcBitmap.top, rcBitmap.bottom);
    CDispatchDriver shapes = m_slide.GetObject(kSlideShapes);
    LONG nShapes = shapes.GetI4(kShapesCount);
    m_app.GetObject(kAppActiveWindow).GetObject(kWindowView).Call(kViewPaste);
    if (shapes.GetI4(kShapesCount) != nShapes + 1)
        return 1;
    CDispatchDriver shape = shapes.CallObject(kItem, {CVariant::I4(nShapes + 1).Ref()});
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

int CPowerPointConnection::Finish() {
    if (!m_bConnected)
        return 1;
    if (m_nAdded > 1) {
        CDispatchDriver shapes = m_slide.GetObject(kSlideShapes);
        LONG nShapes = shapes.GetI4(kShapesCount);
        if (m_nAdded > nShapes)
            m_nAdded = nShapes;
        if (m_nAdded > 1) {
            CVariant indices = IndexRange(nShapes - m_nAdded + 1, nShapes);
            shapes.CallObject(kShapesRange, {indices.Ref()}).CallObject(kRangeGroup);
        }
    }
    MessageBeep(0xFFFFFFFF);
    return 1;
}
