// Shapes, shape collections, formats and command bars of the fake applications, with the
// dispatch identifiers each application uses for them.
#include "FakeDocument.h"

#include <algorithm>
#include <type_traits>

namespace {
struct CShapeIds {
    DISPID idLeft, idTop, idWidth, idHeight, idDelete, idZOrder, idLine, idPicture;
};
constexpr CShapeIds kExcelShape{0x7F, 0x7E, 0x7A, 0x7B, 0x75, 0x26E, 0x331, 0x65F};
constexpr CShapeIds kOfficeShape{0x6F, 0x7B, 0x80, 0x6D, 11, 24, 0x70, 0x76};

const CShapeIds& ShapeIds() {
    return g_doc.nKind == kFakeExcel ? kExcelShape : kOfficeShape;
}

// A float or integer property of a shape that may have been deleted in the meantime.
template <class T> FakeMember ShapeField(int nId, T CFakeShape::*pField) {
    return [nId, pField](CFakeCall& call) -> HRESULT {
        CFakeShape* p = g_doc.Find(nId);
        if (!p)
            return DISP_E_EXCEPTION;
        if (call.IsPut()) {
            if constexpr (std::is_same_v<T, float>)
                p->*pField = call.R4(0);
            else
                p->*pField = call.I4(0);
            return S_OK;
        }
        if constexpr (std::is_same_v<T, float>)
            return call.ReturnR4(p->*pField);
        else
            return call.ReturnI4(p->*pField);
    };
}

// A member that only records its call (the log line is written by the object).
HRESULT Recorded(CFakeCall&) {
    return S_OK;
}

IDispatch* MakeRecorder(const std::string& strLabel,
                        std::initializer_list<std::pair<DISPID, const char*>> members) {
    auto* p = new CFakeObject(strLabel);
    for (const auto& member : members)
        p->Add(member.first, member.second, Recorded);
    return p;
}

IDispatch* MakeLineFormat(const std::string& strShape) {
    auto* p = new CFakeObject("line[" + strShape + "]");
    p->Add(0x71, "Weight", Recorded);
    if (g_doc.nKind == kFakeWord)
        p->Add(0x70, "Visible", Recorded);
    p->Add(0x6C, "ForeColor", [strShape](CFakeCall& call) {
        return call.ReturnObject(MakeRecorder("color[" + strShape + "]", {{0, "RGB"}}));
    });
    return p;
}

IDispatch* MakeAnchor(const std::string& strShape) {
    auto* p = new CFakeObject("anchor[" + strShape + "]");
    p->Add(313, "Information", [](CFakeCall& call) {
        return call.ReturnR4(call.I4(0) == 5 ? g_doc.fAnchorX : g_doc.fAnchorY);
    });
    return p;
}

IDispatch* MakeRange(const std::vector<LONG>& indices) {
    auto* p = new CFakeObject("range");
    DISPID idGroup = g_doc.nKind == kFakeExcel ? 0x2E : g_doc.nKind == kFakeWord ? 19 : 2016;
    p->Add(idGroup, "Group", [indices](CFakeCall& call) {
        int nId = g_doc.Group(indices);
        return nId ? call.ReturnObject(MakeShape(nId)) : DISP_E_EXCEPTION;
    });
    return p;
}

HRESULT AddPolyline(CFakeCall& call) {
    const VARIANT& v = call.Arg(0);
    if (!(v.vt & VT_ARRAY) || SafeArrayGetDim(v.parray) != 2)
        return DISP_E_TYPEMISMATCH;
    LONG nHigh = -1;
    SafeArrayGetUBound(v.parray, 1, &nHigh);
    float fLeft = 1e9f, fTop = 1e9f, fRight = -1e9f, fBottom = -1e9f;
    for (LONG i = 0; i <= nHigh; ++i) {
        float f[2] = {0, 0};
        for (LONG j = 0; j < 2; ++j) {
            LONG index[2] = {i, j};
            SafeArrayGetElement(v.parray, index, &f[j]);
        }
        fLeft = std::min(fLeft, f[0]);
        fRight = std::max(fRight, f[0]);
        fTop = std::min(fTop, f[1]);
        fBottom = std::max(fBottom, f[1]);
    }
    CFakeShape& shape = g_doc.AddShape("Freeform", fLeft, fTop, fRight - fLeft, fBottom - fTop);
    return call.ReturnObject(MakeShape(shape.nId));
}

HRESULT ItemOfShapes(CFakeCall& call) {
    std::vector<int> ids = g_doc.Ids(false);
    LONG nIndex = call.I4(0);
    if (nIndex < 1 || nIndex > static_cast<LONG>(ids.size()))
        return DISP_E_BADINDEX;
    return call.ReturnObject(MakeShape(ids[static_cast<size_t>(nIndex - 1)]));
}

HRESULT CountShapes(CFakeCall& call) {
    return call.ReturnI4(static_cast<LONG>(g_doc.Ids(false).size()));
}

IDispatch* MakeTitle(int nSlide) {
    const CFakeSlide& slide = g_doc.slides[static_cast<size_t>(nSlide - 1)];
    auto* pTitle = new CFakeObject("title[" + std::to_string(nSlide) + "]");
    pTitle->Add(0x79, "TextFrame", [slide, nSlide](CFakeCall& call) {
        auto* pFrame = new CFakeObject("textframe[" + std::to_string(nSlide) + "]");
        pFrame->Add(2003, "HasText",
                    [slide](CFakeCall& c) { return c.ReturnI4(slide.strTitle.empty() ? 0 : -1); });
        pFrame->Add(2004, "TextRange", [slide, nSlide](CFakeCall& c) {
            auto* pRange = new CFakeObject("textrange[" + std::to_string(nSlide) + "]");
            pRange->Add(0, "Text", [slide](CFakeCall& t) { return t.ReturnText(slide.strTitle); });
            return c.ReturnObject(pRange);
        });
        return call.ReturnObject(pFrame);
    });
    return pTitle;
}

void AddCommandBarControls(CFakeObject* pBar, size_t nBar) {
    pBar->Add(0x60040003, "Controls", [nBar](CFakeCall& call) {
        auto* p = new CFakeObject("controls[" + g_doc.bars[nBar].strName + "]");
        p->Add(0, "Item", [nBar](CFakeCall& c) {
            LONG nIndex = c.I4(0);
            if (nIndex < 1 || nIndex > g_doc.bars[nBar].nControls)
                return DISP_E_BADINDEX;
            auto* pControl = new CFakeObject("control[" + g_doc.bars[nBar].strName + "/" +
                                             std::to_string(nIndex) + "]");
            bool bScribble = g_doc.bars[nBar].strName == "Lines" && nIndex == 6;
            pControl->Add(0x6004000C, "Execute", [bScribble](CFakeCall&) {
                if (bScribble)
                    g_doc.bScribbleArmed = true;
                return S_OK;
            });
            return c.ReturnObject(pControl);
        });
        p->Add(0x60030000, "Add", [nBar](CFakeCall& c) {
            int nIndex = ++g_doc.bars[nBar].nControls;
            return c.ReturnObject(MakeRecorder("control[" + g_doc.bars[nBar].strName + "/" +
                                                   std::to_string(nIndex) + "]",
                                               {{0x60040003, "Caption"},
                                                {0x6004000A, "Enabled"},
                                                {0x6004001A, "OnAction"},
                                                {0x60040023, "Tag"},
                                                {0x60040025, "TooltipText"},
                                                {0x60040029, "Visible"},
                                                {0x60050003, "FaceId"},
                                                {0x6005000A, "Style"}}));
        });
        return call.ReturnObject(p);
    });
}

IDispatch* MakeCommandBar(size_t nBar) {
    auto* p = new CFakeObject("bar[" + g_doc.bars[nBar].strName + "]");
    p->Add(0x6004000E, "Name",
           [nBar](CFakeCall& c) { return c.ReturnText(g_doc.bars[nBar].strName); });
    p->Add(0x6004001E, "Visible", Recorded);
    AddCommandBarControls(p, nBar);
    return p;
}
} // namespace

IDispatch* MakeShape(int nId) {
    CFakeShape* pShape = g_doc.Find(nId);
    if (!pShape)
        return nullptr;
    std::string strName = pShape->strName;
    const CShapeIds& ids = ShapeIds();
    auto* p = new CFakeObject("shape[" + strName + "]");
    p->Add(ids.idLeft, "Left", ShapeField(nId, &CFakeShape::fLeft));
    p->Add(ids.idTop, "Top", ShapeField(nId, &CFakeShape::fTop));
    p->Add(ids.idWidth, "Width", ShapeField(nId, &CFakeShape::fWidth));
    p->Add(ids.idHeight, "Height", ShapeField(nId, &CFakeShape::fHeight));
    p->Add(ids.idDelete, "Delete", [nId](CFakeCall&) {
        g_doc.Remove(nId);
        return S_OK;
    });
    p->Add(ids.idZOrder, "ZOrder", Recorded);
    p->Add(ids.idLine, "Line",
           [strName](CFakeCall& c) { return c.ReturnObject(MakeLineFormat(strName)); });
    p->Add(ids.idPicture, "PictureFormat", [strName](CFakeCall& c) {
        return c.ReturnObject(
            MakeRecorder("picture[" + strName + "]",
                         {{0x6B, "TransparencyColor"}, {0x6C, "TransparentBackground"}}));
    });
    if (g_doc.nKind != kFakeWord)
        return p;
    p->Add(0x73, "Name", [strName](CFakeCall& c) { return c.ReturnText(strName); });
    p->Add(300, "RelativeHorizontalPosition", ShapeField(nId, &CFakeShape::nRelHorz));
    p->Add(301, "RelativeVerticalPosition", ShapeField(nId, &CFakeShape::nRelVert));
    p->Add(303, "WrapFormat", [strName](CFakeCall& c) {
        return c.ReturnObject(
            MakeRecorder("wrap[" + strName + "]", {{100, "Type"}, {101, "Side"}}));
    });
    p->Add(501, "Anchor", [strName](CFakeCall& c) { return c.ReturnObject(MakeAnchor(strName)); });
    return p;
}

IDispatch* MakeShapes(int nSlide) {
    auto* p = new CFakeObject(nSlide > 0 ? "shapes[" + std::to_string(nSlide) + "]" : "shapes");
    bool bExcel = g_doc.nKind == kFakeExcel;
    p->Add(bExcel ? 0x76 : 2, "Count", CountShapes);
    p->Add(bExcel ? 0xAA : 0, "Item", ItemOfShapes);
    p->Add(bExcel ? 0x6BE : 16, "AddPolyline", AddPolyline);
    DISPID idRange = bExcel ? 0xC5 : g_doc.nKind == kFakeWord ? 21 : 2003;
    p->Add(idRange, "Range",
           [](CFakeCall& c) { return c.ReturnObject(MakeRange(IndicesOf(c.Arg(0)))); });
    if (g_doc.nKind != kFakePowerPoint || nSlide < 1)
        return p;
    p->Add(2004, "HasTitle", [nSlide](CFakeCall& c) {
        return c.ReturnI4(g_doc.slides[static_cast<size_t>(nSlide - 1)].bHasTitle ? -1 : 0);
    });
    p->Add(2006, "Title", [nSlide](CFakeCall& c) { return c.ReturnObject(MakeTitle(nSlide)); });
    return p;
}

IDispatch* MakeCommandBars() {
    auto* p = new CFakeObject("bars");
    p->Add(0x60030003, "Count",
           [](CFakeCall& c) { return c.ReturnI4(static_cast<LONG>(g_doc.bars.size())); });
    p->Add(0, "Item", [](CFakeCall& c) {
        const VARIANT& v = c.Arg(0);
        for (size_t i = 0; i < g_doc.bars.size(); ++i) {
            bool bMatch = v.vt == VT_BSTR ? g_doc.bars[i].strName == c.Text(0)
                                          : static_cast<LONG>(i + 1) == c.I4(0);
            if (bMatch)
                return c.ReturnObject(MakeCommandBar(i));
        }
        return DISP_E_BADINDEX;
    });
    p->Add(0x60030002, "Add", [](CFakeCall& c) {
        g_doc.bars.push_back(CFakeBar{c.Text(0), 0});
        return c.ReturnObject(MakeCommandBar(g_doc.bars.size() - 1));
    });
    return p;
}
