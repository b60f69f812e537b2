// The presenter exports: a remote control for a running PowerPoint slide show through the
// PowerPoint connection shared with the Office insertion. Each export catches whatever the
// automation throws and returns 0; none shows a message.
#include "Brevix.h"
#include "CommandBars.h"
#include "OfficeState.h"
#include "PowerPointConnection.h"

#include <cstdio>
#include <new>

using namespace PowerPoint;

namespace {
constexpr DISPID kShowWindowView = 2003;
constexpr DISPID kShowWindowActivate = 2012;
constexpr DISPID kViewPointerColor = 2012;
constexpr DISPID kViewPointerType = 2005;
constexpr DISPID kViewState = 2006;
constexpr DISPID kViewEraseDrawing = 2016;
constexpr DISPID kViewNext = 2019;
constexpr DISPID kViewPrevious = 2020;
constexpr DISPID kViewGotoSlide = 2021;
constexpr DISPID kViewExit = 2025;
constexpr DISPID kViewPosition = 2027;
constexpr DISPID kColorRgb = 0;
constexpr DISPID kShapesHasTitle = 2004;
constexpr DISPID kShapesTitle = 2006;
constexpr DISPID kShapeTextFrame = 0x79;
constexpr DISPID kFrameHasText = 2003;
constexpr DISPID kFrameTextRange = 2004;
constexpr DISPID kRangeText = 0;
constexpr LONG kPointerArrow = 1;
constexpr LONG kPointerPen = 2;
constexpr LONG kPointerEraser = 5;
// Menu item texts hold the slide number and its title, cut to this size.
constexpr size_t kItemChars = 260;
const char* const kPresenterBar = "Pravello";

// The PowerPoint connection while a show runs: the one kept if PowerPoint still answers and its
// show was running, otherwise a fresh one. Null when no show runs.
CPowerPointConnection* ShowConnection() {
    if (g_pPowerPoint && !(g_pPowerPoint->IsShowActive() && CPowerPointConnection::Probe()))
        DeletePowerPointConnection();
    if (!g_pPowerPoint)
        g_pPowerPoint = new (std::nothrow) CPowerPointConnection();
    return g_pPowerPoint && g_pPowerPoint->IsShowActive() ? g_pPowerPoint : nullptr;
}

// The first slide-show window; null (and the show flag cleared) when the show has ended.
CDispatchDriver FirstShowWindow(CPowerPointConnection& connection) {
    CDispatchDriver windows = connection.Application().GetObject(kAppSlideShowWindows);
    if (windows.GetI4(kCount) == 0) {
        connection.SetShowActive(false);
        return CDispatchDriver();
    }
    return windows.CallObject(kItem, {CVariant::I4(1).Ref()});
}

CDispatchDriver ShowView(CPowerPointConnection& connection) {
    CDispatchDriver window = FirstShowWindow(connection);
    return window ? window.GetObject(kShowWindowView) : CDispatchDriver();
}

// Runs an operation on the show's view; 0 when no show runs or PowerPoint fails.
template <class F> int OnShowView(F operation) {
    try {
        CPowerPointConnection* pConnection = ShowConnection();
        if (!pConnection)
            return 0;
        CDispatchDriver view = ShowView(*pConnection);
        return view ? operation(*pConnection, view) : 0;
    } catch (...) {
        return 0;
    }
}

LONG ShowPosition(const CDispatchDriver& view) {
    return view.GetI4(kViewPosition);
}

std::string SlideTitle(const CDispatchDriver& slides, LONG nSlide, bool* pbTitled) {
    CDispatchDriver shapes =
        slides.CallObject(kItem, {CVariant::I4(nSlide).Ref()}).GetObject(kSlideShapes);
    *pbTitled = false;
    if (shapes.GetI4(kShapesHasTitle) == 0)
        return {};
    CDispatchDriver frame = shapes.GetObject(kShapesTitle).GetObject(kShapeTextFrame);
    if (frame.GetI4(kFrameHasText) == 0)
        return {};
    *pbTitled = true;
    return frame.GetObject(kFrameTextRange).GetText(kRangeText);
}

void AddPresenterButton(const CDispatchDriver& bar) {
    using namespace CommandBars;
    CVariant missing = CVariant::Missing();
    CDispatchDriver button = bar.GetObject(CommandBars::kBarControls)
                                 .CallObject(CommandBars::kControlsAdd,
                                             {CVariant::I4(1).Ref(), missing.Ref(), missing.Ref(),
                                              missing.Ref(), CVariant::Bool(true).Ref()});
    button.PutI4(kButtonStyle, 3);
    button.PutI4(kButtonFaceId, 1758);
    button.PutBool(kControlVisible, true);
    button.PutText(kControlCaption, "Start Pravello");
    button.PutBool(kControlEnabled, true);
    button.PutText(kControlTooltip, "Start Slider Show and Pravello");
    button.PutText(kControlOnAction, "OnButton1");
    button.PutText(kControlTag, "Tag 1");
}
} // namespace

int WINAPI Brevix_PP_Action(int nAction) {
    return OnShowView([nAction](CPowerPointConnection& connection, const CDispatchDriver& view) {
        if (!CPowerPointConnection::Probe())
            return 0;
        switch (nAction) {
        case 0:
            view.Call(kViewNext);
            break;
        case 1:
            view.Call(kViewPrevious);
            break;
        case 2:
            view.Call(kViewEraseDrawing);
            break;
        case 3:
            view.Call(kViewExit);
            break;
        case 4:
            view.PutI4(kViewState, 1);
            break;
        case 5:
            view.PutI4(kViewState, 3);
            break;
        case 6:
            view.PutI4(kViewState, 4);
            break;
        default:
            break;
        }
        return connection.Version();
    });
}

int WINAPI Brevix_PP_SetPointerColor(COLORREF cr) {
    return OnShowView([cr](CPowerPointConnection&, const CDispatchDriver& view) {
        view.GetObject(kViewPointerColor).PutI4(kColorRgb, static_cast<LONG>(cr & 0x00FFFFFF));
        return 1;
    });
}

int WINAPI Brevix_PP_GetSlideShowActive() {
    return OnShowView([](CPowerPointConnection&, const CDispatchDriver&) { return 1; });
}

int WINAPI Brevix_PP_SetPointerType(int nType) {
    try {
        CPowerPointConnection* pConnection = ShowConnection();
        if (!pConnection)
            return 0;
        CDispatchDriver window = FirstShowWindow(*pConnection);
        if (!window)
            return 0;
        window.Call(kShowWindowActivate);
        LONG nPointer = nType == 0 ? kPointerArrow : nType == 5 ? kPointerEraser : kPointerPen;
        window.GetObject(kShowWindowView).PutI4(kViewPointerType, nPointer);
        return 1;
    } catch (...) {
        return 0;
    }
}

int WINAPI Brevix_PP_GetCurrentPage() {
    return OnShowView(
        [](CPowerPointConnection&, const CDispatchDriver& view) { return ShowPosition(view); });
}

int WINAPI Brevix_PP_SlideGoto(int nSlide) {
    if (nSlide <= 0)
        return 0;
    return OnShowView([nSlide](CPowerPointConnection&, const CDispatchDriver& view) {
        view.Call(kViewGotoSlide, {CVariant::I4(nSlide).Ref(), CVariant::I4(0).Ref()});
        return 1;
    });
}

int WINAPI Brevix_PP_SlideGotoMenu(HMENU hMenu, int nFirstIdMinusOne) {
    return OnShowView(
        [hMenu, nFirstIdMinusOne](CPowerPointConnection& connection, const CDispatchDriver& view) {
            CDispatchDriver slides = connection.Application()
                                         .GetObject(kAppActivePresentation)
                                         .GetObject(kPresentationSlides);
            LONG nSlides = slides.GetI4(kCount);
            if (nSlides == 0 || !hMenu || ShowPosition(view) == 0)
                return 0;
            for (LONG h = 1; h <= nSlides; ++h) {
                bool bTitled = false;
                std::string strTitle = SlideTitle(slides, h, &bTitled);
                char szItem[kItemChars];
                if (bTitled)
                    std::snprintf(szItem, sizeof szItem, "%ld. %s", static_cast<long>(h),
                                  strTitle.c_str());
                else
                    std::snprintf(szItem, sizeof szItem, "%ld. Slide%ld", static_cast<long>(h),
                                  static_cast<long>(h));
                InsertMenuA(hMenu, static_cast<UINT>(h - 1), MF_BYPOSITION | MF_STRING,
                            static_cast<UINT_PTR>(nFirstIdMinusOne + h), szItem);
            }
            return 1;
        });
}

int WINAPI Brevix_PP_AddCommandBar() {
    namespace Bars = CommandBars;
    try {
        DeletePowerPointConnection();
        g_pPowerPoint = new (std::nothrow) CPowerPointConnection();
        if (!g_pPowerPoint || !g_pPowerPoint->IsConnected() || g_pPowerPoint->Version() < 2048)
            return 0;
        CDispatchDriver bars = g_pPowerPoint->Application().GetObject(kAppCommandBars);
        for (LONG i = bars.GetI4(Bars::kCount); i >= 1; --i) {
            CDispatchDriver bar = bars.GetObject(Bars::kItem, {CVariant::I4(i).Ref()});
            if (bar.GetText(Bars::kBarName).find(kPresenterBar) != std::string::npos)
                return 1;
        }
        CVariant name = CVariant::Text(kPresenterBar);
        CDispatchDriver bar =
            bars.CallObject(Bars::kAdd, {name.Ref(), CVariant::I4(1).Ref(),
                                         CVariant::Missing().Ref(), CVariant::Bool(true).Ref()});
        bar.PutBool(Bars::kBarVisible, true);
        AddPresenterButton(bar);
        return 1;
    } catch (...) {
        return 0;
    }
}

int WINAPI Brevix_PP_EndOle() {
    DeletePowerPointConnection();
    return 1;
}
