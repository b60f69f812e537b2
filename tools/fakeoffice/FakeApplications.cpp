#include "FakeApplications.h"

#include <cstdlib>

CFakeOptions g_options;

namespace {
FakeMember Count(const int& n) {
    return [&n](CFakeCall& c) { return c.ReturnI4(n); };
}

FakeMember VersionText() {
    return [](CFakeCall& c) { return c.ReturnText(g_options.strVersion); };
}

IDispatch* MakeDocumentShapes() {
    return MakeShapes(0);
}

// Word ---------------------------------------------------------------------------------------

IDispatch* MakeInlineShape(int nId) {
    auto* p = new CFakeObject("inline[" + g_doc.Find(nId)->strName + "]");
    p->Add(104, "ConvertToShape", Method(), [nId](CFakeCall& call) -> HRESULT {
        CFakeShape* pShape = g_doc.Find(nId);
        if (!pShape || !pShape->bInline)
            return DISP_E_EXCEPTION;
        CFakeShape shape = *pShape;
        shape.bInline = false;
        g_doc.Remove(nId);
        g_doc.shapes.push_back(shape);
        if (g_doc.nInlineBeforeCaret == nId)
            g_doc.nInlineBeforeCaret = 0;
        return call.ReturnObject(MakeShape(nId));
    });
    return p;
}

// The inline shapes of the document, or those the selection holds.
IDispatch* MakeWordInlineShapes(bool bSelection) {
    const auto ids = [bSelection] {
        if (!bSelection)
            return g_doc.Ids(true);
        return g_doc.nSelectedInline ? std::vector<int>{g_doc.nSelectedInline} : std::vector<int>{};
    };
    auto* p = new CFakeObject(bSelection ? "selection.inlineshapes" : "inlineshapes");
    p->Add(1, "Count", Get(),
           [ids](CFakeCall& c) { return c.ReturnI4(static_cast<LONG>(ids().size())); });
    p->Add(0, "Item", Method({VT_I4}), [ids](CFakeCall& c) -> HRESULT {
        const std::vector<int> list = ids();
        const LONG nIndex = c.I4(0);
        if (nIndex < 1 || nIndex > static_cast<LONG>(list.size()))
            return DISP_E_BADINDEX;
        return c.ReturnObject(MakeInlineShape(list[static_cast<size_t>(nIndex - 1)]));
    });
    return p;
}

// MoveLeft and MoveRight: unit, count and extend, each optional (a character, 1, move).
FakeMember MoveSelection(bool bLeft) {
    return [bLeft](CFakeCall& c) {
        const auto arg = [&c](UINT i, LONG nDefault) {
            return i < c.Count() && c.Arg(i).vt != VT_ERROR ? c.I4(i) : nDefault;
        };
        return c.ReturnI4(g_doc.MoveSelection(bLeft, arg(0, 1), arg(1, 1), arg(2, 0)));
    };
}

IDispatch* MakeWordSelection() {
    auto* p = new CFakeObject("selection");
    p->Add(121, "Paste", Method(), [](CFakeCall&) {
        g_doc.PasteDib(g_doc.nVersion >= 0x900);
        return S_OK;
    });
    p->Add(410, "Orientation", Get(), [](CFakeCall& c) { return c.ReturnI4(g_doc.nOrientation); });
    p->Add(411, "InlineShapes", Get(),
           [](CFakeCall& c) { return c.ReturnObject(MakeWordInlineShapes(true)); });
    const CFakeSignature move = Method({VT_VARIANT, VT_VARIANT, VT_VARIANT}, 3);
    p->Add(500, "MoveLeft", move, MoveSelection(true));
    p->Add(501, "MoveRight", move, MoveSelection(false));
    return p;
}

IDispatch* MakeWordDocument() {
    auto* p = new CFakeObject("document");
    p->Add(62, "Shapes", Get(), Object(MakeDocumentShapes));
    p->Add(68, "InlineShapes", Get(),
           [](CFakeCall& c) { return c.ReturnObject(MakeWordInlineShapes(false)); });
    p->Add(254, "UndoClear", Method(), Recorded);
    return p;
}

IDispatch* MakeWordOptions() {
    static const FakeMember s_option451 = Stored(VT_BOOL, g_options.bOption451 ? -1 : 0);
    auto* p = new CFakeObject("options");
    p->Add(83, "Distance83", GetPut(VT_R4), Stored(VT_R4, g_doc.fHorzMargin));
    p->Add(84, "Distance84", GetPut(VT_R4), Stored(VT_R4, g_doc.fVertMargin));
    p->Add(451, "Option451", GetPut(VT_BOOL), s_option451);
    return p;
}

// PowerPoint ---------------------------------------------------------------------------------

IDispatch* MakeSlide(int nSlide) {
    auto* p = new CFakeObject("slide[" + std::to_string(nSlide) + "]");
    p->Add(2003, "Shapes", Get(),
           [nSlide](CFakeCall& c) { return c.ReturnObject(MakeShapes(nSlide)); });
    return p;
}

HRESULT SlideItem(CFakeCall& c) {
    VARIANT index;
    VariantInit(&index);
    if (FAILED(VariantChangeType(&index, const_cast<VARIANT*>(&c.Arg(0)), 0, VT_I4)))
        return DISP_E_TYPEMISMATCH;
    if (index.lVal < 1 || index.lVal > static_cast<LONG>(g_doc.slides.size()))
        return DISP_E_BADINDEX;
    return c.ReturnObject(MakeSlide(static_cast<int>(index.lVal)));
}

IDispatch* MakeSlides() {
    auto* p = new CFakeObject("slides");
    p->Add(11, "Count", Get(),
           [](CFakeCall& c) { return c.ReturnI4(static_cast<LONG>(g_doc.slides.size())); });
    p->Add(0, "Item", Method({VT_VARIANT}), SlideItem);
    return p;
}

void AddSlideMoves(CFakeObject* p) {
    p->Add(2019, "Next", Method(), [](CFakeCall&) {
        if (g_options.nShowPosition < static_cast<LONG>(g_doc.slides.size()))
            ++g_options.nShowPosition;
        return S_OK;
    });
    p->Add(2020, "Previous", Method(), [](CFakeCall&) {
        if (g_options.nShowPosition > 1)
            --g_options.nShowPosition;
        return S_OK;
    });
    p->Add(2021, "GotoSlide", Method({VT_I4, VT_I4}, 1), [](CFakeCall& c) {
        g_options.nShowPosition = c.I4(0);
        return S_OK;
    });
}

IDispatch* MakeSlideShowView() {
    auto* p = new CFakeObject("showview");
    p->Add(2012, "PointerColor", Get(), [](CFakeCall& c) {
        auto* pColor = new CFakeObject("pointercolor");
        pColor->Add(0, "RGB", GetPut(VT_I4), Stored(VT_I4, 0));
        return c.ReturnObject(pColor);
    });
    p->Add(2005, "PointerType", GetPut(VT_I4), Stored(VT_I4, 1));
    p->Add(2006, "State", GetPut(VT_I4), Stored(VT_I4, 1));
    p->Add(2016, "EraseDrawing", Method(), Recorded);
    AddSlideMoves(p);
    p->Add(2025, "Exit", Method(), [](CFakeCall&) {
        g_options.bShow = false;
        return S_OK;
    });
    p->Add(2027, "CurrentShowPosition", Get(),
           [](CFakeCall& c) { return c.ReturnI4(g_options.nShowPosition); });
    return p;
}

IDispatch* MakeSlideShowWindows() {
    auto* p = new CFakeObject("showwindows");
    p->Add(11, "Count", Get(), [](CFakeCall& c) { return c.ReturnI4(g_options.bShow ? 1 : 0); });
    p->Add(0, "Item", Method({VT_I4}), [](CFakeCall& c) -> HRESULT {
        if (!g_options.bShow || c.I4(0) != 1)
            return DISP_E_BADINDEX;
        auto* pWindow = new CFakeObject("showwindow");
        pWindow->Add(2003, "View", Get(), Object(MakeSlideShowView));
        pWindow->Add(2012, "Activate", Method(), Recorded);
        return c.ReturnObject(pWindow);
    });
    return p;
}

IDispatch* MakePowerPointWindow() {
    auto* p = new CFakeObject("window");
    p->Add(2003, "Selection", Get(), [](CFakeCall& c) {
        auto* pSelection = new CFakeObject("selection");
        pSelection->Add(2008, "SlideRange", Get(), [](CFakeCall& s) {
            auto* pRange = new CFakeObject("sliderange");
            pRange->Add(0, "Item", Method({VT_VARIANT}), SlideItem);
            return s.ReturnObject(pRange);
        });
        return c.ReturnObject(pSelection);
    });
    p->Add(2004, "View", Get(), [](CFakeCall& c) {
        auto* pView = new CFakeObject("view");
        pView->Add(2005, "Paste", Method(), [](CFakeCall&) {
            g_doc.PasteDib(false);
            return S_OK;
        });
        return c.ReturnObject(pView);
    });
    p->Add(2006, "ViewType", Get(), [](CFakeCall& c) { return c.ReturnI4(g_options.nViewType); });
    return p;
}
} // namespace

IDispatch* MakeWordApplication() {
    auto* p = new CFakeObject("app");
    p->Add(6, "Documents", Get(), [](CFakeCall& c) {
        auto* pDocs = new CFakeObject("documents");
        pDocs->Add(2, "Count", Get(), Count(g_options.nDocuments));
        return c.ReturnObject(pDocs);
    });
    p->Add(3, "ActiveDocument", Get(), [](CFakeCall& c) {
        return g_options.nDocuments ? c.ReturnObject(MakeWordDocument()) : DISP_E_EXCEPTION;
    });
    p->Add(4, "ActiveWindow", Get(), [](CFakeCall& c) {
        auto* pWindow = new CFakeObject("window");
        pWindow->Add(109, "Method109", Method(), Recorded);
        return c.ReturnObject(pWindow);
    });
    p->Add(5, "Selection", Get(), Object(MakeWordSelection));
    p->Add(24, "Version", Get(), VersionText());
    p->Add(26, "ScreenUpdating", GetPut(VT_BOOL), Stored(VT_BOOL, -1));
    p->Add(57, "CommandBars", Get(), Object(MakeCommandBars));
    p->Add(93, "Options", Get(), Object(MakeWordOptions));
    p->Add(97, "StatusBar", Put(VT_BSTR), Recorded);
    return p;
}

IDispatch* MakeExcelApplication() {
    auto* p = new CFakeObject("app");
    p->Add(0x188, "Version", Get(), VersionText());
    p->Add(0x23C, "Workbooks", Get(), [](CFakeCall& c) {
        auto* pBooks = new CFakeObject("workbooks");
        pBooks->Add(0x76, "Count", Get(), Count(g_options.nDocuments));
        return c.ReturnObject(pBooks);
    });
    p->Add(0x133, "ActiveSheet", Get(), [](CFakeCall& c) {
        auto* pSheet = new CFakeObject("sheet");
        pSheet->Add(0x561, "Shapes", Get(), Object(MakeDocumentShapes));
        pSheet->Add(0xD3, "Paste", Method({VT_VARIANT, VT_VARIANT}, 2), [](CFakeCall&) {
            g_doc.PasteDib(false);
            return S_OK;
        });
        return c.ReturnObject(pSheet);
    });
    p->Add(0x59F, "CommandBars", Get(), Object(MakeCommandBars));
    p->Add(0x17E, "ScreenUpdating", GetPut(VT_BOOL), Stored(VT_BOOL, -1));
    return p;
}

IDispatch* MakePowerPointApplication() {
    auto* p = new CFakeObject("app");
    p->Add(2001, "Presentations", Get(), [](CFakeCall& c) {
        auto* pList = new CFakeObject("presentations");
        pList->Add(11, "Count", Get(), Count(g_options.nDocuments));
        return c.ReturnObject(pList);
    });
    p->Add(2004, "ActiveWindow", Get(), Object(MakePowerPointWindow));
    p->Add(2005, "ActivePresentation", Get(), [](CFakeCall& c) {
        auto* pPresentation = new CFakeObject("presentation");
        pPresentation->Add(2011, "Slides", Get(), Object(MakeSlides));
        return c.ReturnObject(pPresentation);
    });
    p->Add(2006, "SlideShowWindows", Get(), Object(MakeSlideShowWindows));
    p->Add(2007, "CommandBars", Get(), Object(MakeCommandBars));
    p->Add(2014, "Version", Get(), VersionText());
    return p;
}
