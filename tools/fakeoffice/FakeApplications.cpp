#include "FakeApplications.h"

#include <cstdlib>

CFakeOptions g_options;

namespace {
HRESULT Recorded(CFakeCall&) {
    return S_OK;
}

FakeMember Count(const int& n, DISPID) {
    return [&n](CFakeCall& c) { return c.ReturnI4(n); };
}

FakeMember Object(IDispatch* (*pfnMake)()) {
    return [pfnMake](CFakeCall& c) { return c.ReturnObject(pfnMake()); };
}

FakeMember VersionText() {
    return [](CFakeCall& c) { return c.ReturnText(g_options.strVersion); };
}

IDispatch* MakeCommandBarsObject() {
    return MakeCommandBars();
}

IDispatch* MakeDocumentShapes() {
    return MakeShapes(0);
}

int VersionCode() {
    const std::string& str = g_options.strVersion;
    size_t nDot = str.find('.');
    return std::atoi(str.c_str()) * 256 +
           (nDot == std::string::npos ? 0 : std::atoi(str.c_str() + nDot + 1));
}

// Word ---------------------------------------------------------------------------------------

IDispatch* MakeWordInlineShapes(bool bSelection) {
    auto* p = new CFakeObject(bSelection ? "selection.inlineshapes" : "inlineshapes");
    p->Add(1, "Count", [bSelection](CFakeCall& c) {
        if (bSelection)
            return c.ReturnI4(g_doc.nSelectedInline ? 1 : 0);
        return c.ReturnI4(static_cast<LONG>(g_doc.Ids(true).size()));
    });
    p->Add(0, "Item", [bSelection](CFakeCall& c) {
        std::vector<int> ids =
            bSelection ? std::vector<int>{g_doc.nSelectedInline} : g_doc.Ids(true);
        LONG nIndex = c.I4(0);
        if (nIndex < 1 || nIndex > static_cast<LONG>(ids.size()) || ids[0] == 0)
            return DISP_E_BADINDEX;
        int nId = ids[static_cast<size_t>(nIndex - 1)];
        auto* pInline = new CFakeObject("inline[" + g_doc.Find(nId)->strName + "]");
        pInline->Add(104, "ConvertToShape", [nId](CFakeCall& call) {
            CFakeShape* pShape = g_doc.Find(nId);
            if (!pShape || !pShape->bInline)
                return DISP_E_EXCEPTION;
            CFakeShape shape = *pShape;
            shape.bInline = false;
            g_doc.Remove(nId);
            g_doc.shapes.push_back(shape);
            if (g_doc.nSelectedInline == nId)
                g_doc.nSelectedInline = 0;
            return call.ReturnObject(MakeShape(nId));
        });
        return c.ReturnObject(pInline);
    });
    return p;
}

IDispatch* MakeWordSelection() {
    auto* p = new CFakeObject("selection");
    p->Add(121, "Paste", [](CFakeCall&) {
        g_doc.PasteDib(VersionCode() >= 0x900);
        return S_OK;
    });
    p->Add(410, "Orientation", [](CFakeCall& c) { return c.ReturnI4(g_options.nOrientation); });
    p->Add(411, "InlineShapes",
           [](CFakeCall& c) { return c.ReturnObject(MakeWordInlineShapes(true)); });
    p->Add(500, "MoveLeft", [](CFakeCall& c) { return c.ReturnI4(1); });
    p->Add(501, "MoveRight", [](CFakeCall& c) { return c.ReturnI4(1); });
    return p;
}

IDispatch* MakeWordDocument() {
    auto* p = new CFakeObject("document");
    p->Add(62, "Shapes", Object(MakeDocumentShapes));
    p->Add(68, "InlineShapes",
           [](CFakeCall& c) { return c.ReturnObject(MakeWordInlineShapes(false)); });
    p->Add(254, "UndoClear", Recorded);
    return p;
}

IDispatch* MakeWordOptions() {
    static bool s_bOption451 = true;
    auto* p = new CFakeObject("options");
    p->Add(83, "Distance83", [](CFakeCall& c) { return c.ReturnR4(90); });
    p->Add(84, "Distance84", [](CFakeCall& c) { return c.ReturnR4(72); });
    p->Add(451, "Option451", [](CFakeCall& c) {
        if (c.IsPut()) {
            s_bOption451 = c.I4(0) != 0;
            return S_OK;
        }
        return c.ReturnBool(s_bOption451);
    });
    return p;
}

// PowerPoint ---------------------------------------------------------------------------------

IDispatch* MakeSlide(int nSlide) {
    auto* p = new CFakeObject("slide[" + std::to_string(nSlide) + "]");
    p->Add(2003, "Shapes", [nSlide](CFakeCall& c) { return c.ReturnObject(MakeShapes(nSlide)); });
    return p;
}

HRESULT SlideItem(CFakeCall& c) {
    LONG nIndex = c.I4(0);
    if (nIndex < 1 || nIndex > static_cast<LONG>(g_doc.slides.size()))
        return DISP_E_BADINDEX;
    return c.ReturnObject(MakeSlide(static_cast<int>(nIndex)));
}

IDispatch* MakeSlides() {
    auto* p = new CFakeObject("slides");
    p->Add(11, "Count",
           [](CFakeCall& c) { return c.ReturnI4(static_cast<LONG>(g_doc.slides.size())); });
    p->Add(0, "Item", SlideItem);
    return p;
}

IDispatch* MakeSlideShowView() {
    auto* p = new CFakeObject("showview");
    p->Add(2012, "PointerColor", [](CFakeCall& c) {
        auto* pColor = new CFakeObject("pointercolor");
        pColor->Add(0, "RGB", Recorded);
        return c.ReturnObject(pColor);
    });
    p->Add(2005, "PointerType", Recorded);
    p->Add(2006, "State", Recorded);
    p->Add(2016, "EraseDrawing", Recorded);
    p->Add(2019, "Next", [](CFakeCall&) {
        if (g_options.nShowPosition < static_cast<LONG>(g_doc.slides.size()))
            ++g_options.nShowPosition;
        return S_OK;
    });
    p->Add(2020, "Previous", [](CFakeCall&) {
        if (g_options.nShowPosition > 1)
            --g_options.nShowPosition;
        return S_OK;
    });
    p->Add(2021, "GotoSlide", [](CFakeCall& c) {
        g_options.nShowPosition = c.I4(0);
        return S_OK;
    });
    p->Add(2025, "Exit", [](CFakeCall&) {
        g_options.bShow = false;
        return S_OK;
    });
    p->Add(2027, "CurrentShowPosition",
           [](CFakeCall& c) { return c.ReturnI4(g_options.nShowPosition); });
    return p;
}

IDispatch* MakeSlideShowWindows() {
    auto* p = new CFakeObject("showwindows");
    p->Add(11, "Count", [](CFakeCall& c) { return c.ReturnI4(g_options.bShow ? 1 : 0); });
    p->Add(0, "Item", [](CFakeCall& c) {
        if (!g_options.bShow || c.I4(0) != 1)
            return DISP_E_BADINDEX;
        auto* pWindow = new CFakeObject("showwindow");
        pWindow->Add(2003, "View", Object(MakeSlideShowView));
        pWindow->Add(2012, "Activate", Recorded);
        return c.ReturnObject(pWindow);
    });
    return p;
}

IDispatch* MakePowerPointWindow() {
    auto* p = new CFakeObject("window");
    p->Add(2003, "Selection", [](CFakeCall& c) {
        auto* pSelection = new CFakeObject("selection");
        pSelection->Add(2008, "SlideRange", [](CFakeCall& s) {
            auto* pRange = new CFakeObject("sliderange");
            pRange->Add(0, "Item", SlideItem);
            return s.ReturnObject(pRange);
        });
        return c.ReturnObject(pSelection);
    });
    p->Add(2004, "View", [](CFakeCall& c) {
        auto* pView = new CFakeObject("view");
        pView->Add(2005, "Paste", [](CFakeCall&) {
            g_doc.PasteDib(false);
            return S_OK;
        });
        return c.ReturnObject(pView);
    });
    p->Add(2006, "ViewType", [](CFakeCall& c) { return c.ReturnI4(g_options.nViewType); });
    return p;
}
} // namespace

IDispatch* MakeWordApplication() {
    auto* p = new CFakeObject("app");
    p->Add(6, "Documents", [](CFakeCall& c) {
        auto* pDocs = new CFakeObject("documents");
        pDocs->Add(2, "Count", Count(g_options.nDocuments, 2));
        return c.ReturnObject(pDocs);
    });
    p->Add(3, "ActiveDocument", [](CFakeCall& c) {
        return g_options.nDocuments ? c.ReturnObject(MakeWordDocument()) : DISP_E_EXCEPTION;
    });
    p->Add(4, "ActiveWindow", [](CFakeCall& c) {
        auto* pWindow = new CFakeObject("window");
        pWindow->Add(109, "Method109", Recorded);
        return c.ReturnObject(pWindow);
    });
    p->Add(5, "Selection", Object(MakeWordSelection));
    p->Add(24, "Version", VersionText());
    p->Add(26, "ScreenUpdating", Recorded);
    p->Add(57, "CommandBars", Object(MakeCommandBarsObject));
    p->Add(93, "Options", Object(MakeWordOptions));
    p->Add(97, "StatusBar", Recorded);
    return p;
}

IDispatch* MakeExcelApplication() {
    auto* p = new CFakeObject("app");
    p->Add(0x188, "Version", VersionText());
    p->Add(0x23C, "Workbooks", [](CFakeCall& c) {
        auto* pBooks = new CFakeObject("workbooks");
        pBooks->Add(0x76, "Count", Count(g_options.nDocuments, 0x76));
        return c.ReturnObject(pBooks);
    });
    p->Add(0x133, "ActiveSheet", [](CFakeCall& c) {
        auto* pSheet = new CFakeObject("sheet");
        pSheet->Add(0x561, "Shapes", Object(MakeDocumentShapes));
        pSheet->Add(0xD3, "Paste", [](CFakeCall&) {
            g_doc.PasteDib(false);
            return S_OK;
        });
        return c.ReturnObject(pSheet);
    });
    p->Add(0x59F, "CommandBars", Object(MakeCommandBarsObject));
    p->Add(0x17E, "ScreenUpdating", Recorded);
    return p;
}

IDispatch* MakePowerPointApplication() {
    auto* p = new CFakeObject("app");
    p->Add(2001, "Presentations", [](CFakeCall& c) {
        auto* pList = new CFakeObject("presentations");
        pList->Add(11, "Count", Count(g_options.nDocuments, 11));
        return c.ReturnObject(pList);
    });
    p->Add(2004, "ActiveWindow", Object(MakePowerPointWindow));
    p->Add(2005, "ActivePresentation", [](CFakeCall& c) {
        auto* pPresentation = new CFakeObject("presentation");
        pPresentation->Add(2011, "Slides", Object(MakeSlides));
        return c.ReturnObject(pPresentation);
    });
    p->Add(2006, "SlideShowWindows", Object(MakeSlideShowWindows));
    p->Add(2007, "CommandBars", Object(MakeCommandBarsObject));
    p->Add(2014, "Version", VersionText());
    return p;
}
