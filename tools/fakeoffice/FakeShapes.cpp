// Shapes, shape collections, formats and command bars of the fake applications, with the
// dispatch identifiers and signatures each application uses for them.
#include "FakeDocument.h"

#include <algorithm>
#include <memory>
#include <type_traits>

namespace {
struct CShapeIds {
    DISPID idLeft, idTop, idWidth, idHeight, idDelete, idZOrder, idLine, idPicture;
};
constexpr CShapeIds kExcelShape{0x7F, 0x7E, 0x7A, 0x7B, 0x75, 0x26E, 0x331, 0x65F};
constexpr CShapeIds kOfficeShape{0x6F, 0x7B, 0x80, 0x6D, 11, 24, 0x70, 0x76};
// Word's value for a property that differs between the shapes of a range.
constexpr LONG kUndefined = 9999999;

const CShapeIds& ShapeIds() {
    return g_doc.nKind == kFakeExcel ? kExcelShape : kOfficeShape;
}

// A float property of a shape that may have been deleted in the meantime.
FakeMember ShapeFloat(int nId, float CFakeShape::*pField) {
    return [nId, pField](CFakeCall& call) -> HRESULT {
        CFakeShape* p = g_doc.Find(nId);
        if (!p)
            return DISP_E_EXCEPTION;
        if (call.IsPut()) {
            p->*pField = call.R4(0);
            return S_OK;
        }
        return call.ReturnR4(p->*pField);
    };
}

// Word's relative frame of the shapes nIds (one shape, or the shapes of a range).
FakeMember ShapesFrame(std::shared_ptr<std::vector<int>> pIds, bool bVertical) {
    return [pIds, bVertical](CFakeCall& call) -> HRESULT {
        std::vector<CFakeShape*> shapes;
        for (int nId : *pIds)
            if (CFakeShape* p = g_doc.Find(nId))
                shapes.push_back(p);
        if (shapes.empty())
            return DISP_E_EXCEPTION;
        if (call.IsPut()) {
            for (CFakeShape* p : shapes)
                g_doc.SetFrame(*p, bVertical, call.I4(0));
            return S_OK;
        }
        const auto frame = [bVertical](const CFakeShape* p) {
            return bVertical ? p->frames.nVert : p->frames.nHorz;
        };
        const bool bSame = std::all_of(shapes.begin(), shapes.end(),
                                       [&](CFakeShape* p) { return frame(p) == frame(shapes[0]); });
        return call.ReturnI4(bSame ? frame(shapes[0]) : kUndefined);
    };
}

IDispatch* MakeRecorder(const std::string& strLabel,
                        std::initializer_list<std::pair<DISPID, const char*>> members, VARTYPE vt) {
    auto* p = new CFakeObject(strLabel);
    for (const auto& member : members)
        p->Add(member.first, member.second, GetPut(vt), Stored(vt, 0));
    return p;
}

IDispatch* MakeLineFormat(const std::string& strShape) {
    auto* p = new CFakeObject("line[" + strShape + "]");
    p->Add(0x71, "Weight", GetPut(VT_R4), Stored(VT_R4, 0.75));
    if (g_doc.nKind == kFakeWord)
        p->Add(0x70, "Visible", GetPut(VT_I4), Stored(VT_I4, 0));
    p->Add(0x6C, "ForeColor", Get(), [strShape](CFakeCall& call) {
        return call.ReturnObject(MakeRecorder("color[" + strShape + "]", {{0, "RGB"}}, VT_I4));
    });
    return p;
}

// The paragraph a shape (or the first shape of a range) is anchored in.
IDispatch* MakeAnchor(const std::string& strLabel, int nId) {
    auto* p = new CFakeObject("anchor[" + strLabel + "]");
    p->Add(313, "Information", Get({VT_I4}), [nId](CFakeCall& call) -> HRESULT {
        const CFakeShape* pShape = g_doc.Find(nId);
        const LONG nItem = call.I4(0);
        if (!pShape || (nItem != 5 && nItem != 6))
            return DISP_E_EXCEPTION;
        return call.ReturnR4(nItem == 5 ? pShape->fAnchorX : pShape->fAnchorY);
    });
    return p;
}

// Word's shape range: grouping, and the frames, top and anchor of the shapes it holds (after
// grouping, of the group).
void AddWordRangeMembers(CFakeObject* p, std::shared_ptr<std::vector<int>> pIds) {
    p->Add(300, "RelativeHorizontalPosition", GetPut(VT_I4), ShapesFrame(pIds, false));
    p->Add(301, "RelativeVerticalPosition", GetPut(VT_I4), ShapesFrame(pIds, true));
    p->Add(0x7B, "Top", GetPut(VT_R4), [pIds](CFakeCall& call) -> HRESULT {
        if (pIds->empty() || !g_doc.Find(pIds->front()))
            return DISP_E_EXCEPTION;
        return ShapeFloat(pIds->front(), &CFakeShape::fTop)(call);
    });
    p->Add(304, "Anchor", Get(), [pIds](CFakeCall& call) -> HRESULT {
        if (pIds->empty() || !g_doc.Find(pIds->front()))
            return DISP_E_EXCEPTION;
        return call.ReturnObject(MakeAnchor("range", pIds->front()));
    });
}

IDispatch* MakeRange(const std::vector<LONG>& indices) {
    auto* p = new CFakeObject("range");
    auto pIds = std::make_shared<std::vector<int>>();
    const std::vector<int> ids = g_doc.Ids(false);
    for (LONG index : indices)
        if (index >= 1 && index <= static_cast<LONG>(ids.size()))
            pIds->push_back(ids[static_cast<size_t>(index - 1)]);
    DISPID idGroup = g_doc.nKind == kFakeExcel ? 0x2E : g_doc.nKind == kFakeWord ? 19 : 2016;
    p->Add(idGroup, "Group", Method(), [indices, pIds](CFakeCall& call) {
        int nId = g_doc.Group(indices);
        if (nId)
            *pIds = {nId};
        return nId ? call.ReturnObject(MakeShape(nId)) : DISP_E_EXCEPTION;
    });
    if (g_doc.nKind == kFakeWord)
        AddWordRangeMembers(p, pIds);
    return p;
}

HRESULT AddPolyline(CFakeCall& call) {
    const VARIANT& v = call.Arg(0);
    LONG nLow = 0, nHigh = -1;
    SafeArrayGetLBound(v.parray, 1, &nLow);
    SafeArrayGetUBound(v.parray, 1, &nHigh);
    float fLeft = 1e9f, fTop = 1e9f, fRight = -1e9f, fBottom = -1e9f;
    for (LONG i = nLow; i <= nHigh; ++i) {
        float f[2] = {0, 0};
        for (LONG j = 0; j < 2; ++j) {
            LONG index[2] = {i, j};
            if (FAILED(SafeArrayGetElement(v.parray, index, &f[j])))
                return DISP_E_TYPEMISMATCH;
        }
        fLeft = std::min(fLeft, f[0]);
        fRight = std::max(fRight, f[0]);
        fTop = std::min(fTop, f[1]);
        fBottom = std::max(fBottom, f[1]);
    }
    if (nHigh < nLow)
        return E_INVALIDARG;
    CFakeShape& shape =
        g_doc.AddShape("Freeform", fLeft, fTop, fRight - fLeft, fBottom - fTop, g_doc.newFrames);
    return call.ReturnObject(MakeShape(shape.nId));
}

// An index argument: a 1-based number, or (Word) a shape's name.
HRESULT ItemOfShapes(CFakeCall& call) {
    std::vector<int> ids = g_doc.Ids(false);
    const VARIANT& v = call.Arg(0);
    if (v.vt == VT_BSTR) {
        for (int nId : ids)
            if (g_doc.Find(nId)->strName == call.Text(0))
                return call.ReturnObject(MakeShape(nId));
        return DISP_E_BADINDEX;
    }
    VARIANT index;
    VariantInit(&index);
    if (FAILED(VariantChangeType(&index, const_cast<VARIANT*>(&v), 0, VT_I4)))
        return DISP_E_TYPEMISMATCH;
    if (index.lVal < 1 || index.lVal > static_cast<LONG>(ids.size()))
        return DISP_E_BADINDEX;
    return call.ReturnObject(MakeShape(ids[static_cast<size_t>(index.lVal - 1)]));
}

HRESULT CountShapes(CFakeCall& call) {
    return call.ReturnI4(static_cast<LONG>(g_doc.Ids(false).size()));
}

IDispatch* MakeTitle(int nSlide) {
    const CFakeSlide& slide = g_doc.slides[static_cast<size_t>(nSlide - 1)];
    auto* pTitle = new CFakeObject("title[" + std::to_string(nSlide) + "]");
    pTitle->Add(0x79, "TextFrame", Get(), [slide, nSlide](CFakeCall& call) {
        auto* pFrame = new CFakeObject("textframe[" + std::to_string(nSlide) + "]");
        pFrame->Add(2003, "HasText", Get(),
                    [slide](CFakeCall& c) { return c.ReturnI4(slide.strTitle.empty() ? 0 : -1); });
        pFrame->Add(2004, "TextRange", Get(), [slide, nSlide](CFakeCall& c) {
            auto* pRange = new CFakeObject("textrange[" + std::to_string(nSlide) + "]");
            pRange->Add(0, "Text", GetPut(VT_BSTR),
                        [slide](CFakeCall& t) { return t.ReturnText(slide.strTitle); });
            return c.ReturnObject(pRange);
        });
        return call.ReturnObject(pFrame);
    });
    return pTitle;
}

IDispatch* MakeControl(size_t nBar, LONG nIndex) {
    auto* p =
        new CFakeObject("control[" + g_doc.bars[nBar].strName + "/" + std::to_string(nIndex) + "]");
    const bool bScribble = g_doc.bars[nBar].strName == "Lines" && nIndex == 6;
    p->Add(0x6004000C, "Execute", Method(), [bScribble](CFakeCall&) {
        if (bScribble)
            g_doc.bScribbleArmed = true;
        return S_OK;
    });
    for (auto [id, pszName] : {std::pair<DISPID, const char*>{0x60040003, "Caption"},
                               {0x6004001A, "OnAction"},
                               {0x60040023, "Tag"},
                               {0x60040025, "TooltipText"}})
        p->Add(id, pszName, GetPut(VT_BSTR), Stored(VT_BSTR, 0));
    p->Add(0x6004000A, "Enabled", GetPut(VT_BOOL), Stored(VT_BOOL, 1));
    p->Add(0x60040029, "Visible", GetPut(VT_BOOL), Stored(VT_BOOL, 1));
    p->Add(0x60050003, "FaceId", GetPut(VT_I4), Stored(VT_I4, 0));
    p->Add(0x6005000A, "Style", GetPut(VT_I4), Stored(VT_I4, 0));
    return p;
}

void AddCommandBarControls(CFakeObject* pBar, size_t nBar) {
    pBar->Add(0x60040003, "Controls", Get(), [nBar](CFakeCall& call) {
        auto* p = new CFakeObject("controls[" + g_doc.bars[nBar].strName + "]");
        p->Add(0, "Item", Get({VT_VARIANT}), [nBar](CFakeCall& c) -> HRESULT {
            LONG nIndex = c.I4(0);
            if (nIndex < 1 || nIndex > g_doc.bars[nBar].nControls)
                return DISP_E_BADINDEX;
            return c.ReturnObject(MakeControl(nBar, nIndex));
        });
        p->Add(0x60030000, "Add",
               Method({VT_VARIANT, VT_VARIANT, VT_VARIANT, VT_VARIANT, VT_VARIANT}, 5),
               [nBar](CFakeCall& c) {
                   return c.ReturnObject(MakeControl(nBar, ++g_doc.bars[nBar].nControls));
               });
        return call.ReturnObject(p);
    });
}

IDispatch* MakeCommandBar(size_t nBar) {
    auto* p = new CFakeObject("bar[" + g_doc.bars[nBar].strName + "]");
    p->Add(0x6004000E, "Name", Get(),
           [nBar](CFakeCall& c) { return c.ReturnText(g_doc.bars[nBar].strName); });
    p->Add(0x6004001E, "Visible", GetPut(VT_BOOL), Stored(VT_BOOL, 0));
    AddCommandBarControls(p, nBar);
    return p;
}

void AddWordShapeMembers(CFakeObject* p, int nId, const std::string& strName) {
    auto pIds = std::make_shared<std::vector<int>>(1, nId);
    p->Add(0x73, "Name", Get(), [strName](CFakeCall& c) { return c.ReturnText(strName); });
    p->Add(300, "RelativeHorizontalPosition", GetPut(VT_I4), ShapesFrame(pIds, false));
    p->Add(301, "RelativeVerticalPosition", GetPut(VT_I4), ShapesFrame(pIds, true));
    p->Add(303, "WrapFormat", Get(), [strName](CFakeCall& c) {
        return c.ReturnObject(
            MakeRecorder("wrap[" + strName + "]", {{100, "Type"}, {101, "Side"}}, VT_I4));
    });
    p->Add(501, "Anchor", Get(),
           [strName, nId](CFakeCall& c) { return c.ReturnObject(MakeAnchor(strName, nId)); });
}
} // namespace

IDispatch* MakeShape(int nId) {
    CFakeShape* pShape = g_doc.Find(nId);
    if (!pShape)
        return nullptr;
    std::string strName = pShape->strName;
    const CShapeIds& ids = ShapeIds();
    auto* p = new CFakeObject("shape[" + strName + "]");
    p->Add(ids.idLeft, "Left", GetPut(VT_R4), ShapeFloat(nId, &CFakeShape::fLeft));
    p->Add(ids.idTop, "Top", GetPut(VT_R4), ShapeFloat(nId, &CFakeShape::fTop));
    p->Add(ids.idWidth, "Width", GetPut(VT_R4), ShapeFloat(nId, &CFakeShape::fWidth));
    p->Add(ids.idHeight, "Height", GetPut(VT_R4), ShapeFloat(nId, &CFakeShape::fHeight));
    p->Add(ids.idDelete, "Delete", Method(), [nId](CFakeCall&) {
        g_doc.Remove(nId);
        return S_OK;
    });
    p->Add(ids.idZOrder, "ZOrder", Method({VT_I4}), Recorded);
    p->Add(ids.idLine, "Line", Get(),
           [strName](CFakeCall& c) { return c.ReturnObject(MakeLineFormat(strName)); });
    p->Add(ids.idPicture, "PictureFormat", Get(), [strName](CFakeCall& c) {
        return c.ReturnObject(
            MakeRecorder("picture[" + strName + "]",
                         {{0x6B, "TransparencyColor"}, {0x6C, "TransparentBackground"}}, VT_I4));
    });
    if (g_doc.nKind == kFakeWord)
        AddWordShapeMembers(p, nId, strName);
    return p;
}

IDispatch* MakeShapes(int nSlide) {
    auto* p = new CFakeObject(nSlide > 0 ? "shapes[" + std::to_string(nSlide) + "]" : "shapes");
    const bool bExcel = g_doc.nKind == kFakeExcel, bWord = g_doc.nKind == kFakeWord;
    p->Add(bExcel ? 0x76 : 2, "Count", Get(), CountShapes);
    p->Add(bExcel ? 0xAA : 0, "Item", Method({VT_VARIANT}), ItemOfShapes);
    // Word's polyline takes an optional anchor after the points.
    p->Add(bExcel ? 0x6BE : 16, "AddPolyline",
           bWord ? Method({VT_ARRAY | VT_R4, VT_VARIANT}, 1) : Method({VT_ARRAY | VT_R4}),
           AddPolyline);
    const DISPID idRange = bExcel ? 0xC5 : bWord ? 21 : 2003;
    p->Add(idRange, "Range", bExcel ? Get({VT_VARIANT}) : Method({VT_VARIANT}),
           [](CFakeCall& c) -> HRESULT {
               const std::vector<LONG> indices = IndicesOf(c.Arg(0));
               if (indices.empty())
                   return DISP_E_TYPEMISMATCH;
               return c.ReturnObject(MakeRange(indices));
           });
    if (g_doc.nKind != kFakePowerPoint || nSlide < 1)
        return p;
    p->Add(2004, "HasTitle", Get(), [nSlide](CFakeCall& c) {
        return c.ReturnI4(g_doc.slides[static_cast<size_t>(nSlide - 1)].bHasTitle ? -1 : 0);
    });
    p->Add(2006, "Title", Get(),
           [nSlide](CFakeCall& c) { return c.ReturnObject(MakeTitle(nSlide)); });
    return p;
}

IDispatch* MakeCommandBars() {
    auto* p = new CFakeObject("bars");
    p->Add(0x60030003, "Count", Get(),
           [](CFakeCall& c) { return c.ReturnI4(static_cast<LONG>(g_doc.bars.size())); });
    p->Add(0, "Item", Get({VT_VARIANT}), [](CFakeCall& c) -> HRESULT {
        const VARIANT& v = c.Arg(0);
        for (size_t i = 0; i < g_doc.bars.size(); ++i) {
            bool bMatch = v.vt == VT_BSTR ? g_doc.bars[i].strName == c.Text(0)
                                          : static_cast<LONG>(i + 1) == c.I4(0);
            if (bMatch)
                return c.ReturnObject(MakeCommandBar(i));
        }
        return DISP_E_BADINDEX;
    });
    p->Add(0x60030002, "Add", Method({VT_VARIANT, VT_VARIANT, VT_VARIANT, VT_VARIANT}, 4),
           [](CFakeCall& c) {
               g_doc.bars.push_back(CFakeBar{c.Text(0), 0});
               return c.ReturnObject(MakeCommandBar(g_doc.bars.size() - 1));
           });
    return p;
}
