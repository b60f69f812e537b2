#include "PowerPointConnection.h"

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
// PowerPoint's own numbers for the drawing members.
constexpr CDrawingMembers kShapes{.idCount = kShapesCount,
                                  .idItem = kItem,
                                  .idAddPolyline = 16,
                                  .idRange = 2003,
                                  .wRangeKind = DISPATCH_METHOD,
                                  .idGroup = 2016,
                                  .idLeft = 0x6F,
                                  .idTop = 0x7B,
                                  .idWidth = 0x80,
                                  .idHeight = 0x6D,
                                  .idDelete = 11,
                                  .idZOrder = 24,
                                  .idLine = 0x70,
                                  .idPicture = 0x76};
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
    if (!CanMeasure(rcInk, L"No PowerPoint"))
        return 0;
    PostClick(hwndDoc, InkCentre(hwndDoc));
    LONG nShapes = 0;
    try {
        SelectScribbleTool(m_app.GetObject(kAppCommandBars));
        nShapes = m_slide.GetObject(kSlideShapes).GetI4(kShapesCount);
    } catch (const CDispatchError&) {
        m_bConnected = false;
    }
    if (!ToolSelected(L"PowerPoint _Init Error"))
        return 0;
    PostDrag(hwndDoc, InkCentre(hwndDoc), InkCorner(hwndDoc));
    CDispatchDriver shapes = m_slide.GetObject(kSlideShapes);
    if (shapes.GetI4(kShapesCount) != nShapes + 1)
        return 0;
    Measure(shapes.CallObject(kItem, {CVariant::I4(nShapes + 1).Ref()}), kShapes);
    return 1;
}

int CPowerPointConnection::AddStroke(const RECT& rcStroke, const POINT* ppt, int nCount,
                                     COLORREF cr, float fWidth, bool bBehind) {
    if (!m_bConnected)
        return 0;
    return AddCountedStroke(m_slide.GetObject(kSlideShapes), kShapes, rcStroke, ppt, nCount, cr,
                            fWidth, bBehind);
}

int CPowerPointConnection::InsertPicture(HWND hwndOwner, const RECT& rcBitmap, HDC hdc, HBITMAP hbm,
                                         bool bBehind) {
    if (!m_bConnected)
        return 0;
    PasteAndPlace(
        m_slide.GetObject(kSlideShapes), kShapes, hwndOwner, rcBitmap, hdc, hbm, bBehind,
        [this] { m_app.GetObject(kAppActiveWindow).GetObject(kWindowView).Call(kViewPaste); });
    return 1;
}

int CPowerPointConnection::Finish() {
    if (!m_bConnected)
        return 1;
    GroupAdded(m_slide.GetObject(kSlideShapes), kShapes);
    MessageBeep(0xFFFFFFFF);
    return 1;
}
