#include "FakeDocument.h"

#include <algorithm>
#include <cmath>
#include <memory>

CFakeDocument g_doc;

namespace {
constexpr LONG kUnitCharacter = 1;
constexpr LONG kExtend = 2;

// Where a frame starts on the page, in points: the margin, the page's edge, or the anchor's
// column, paragraph or line.
float FrameOrigin(const CFakeShape& shape, bool bVertical, LONG nFrame) {
    if (bVertical)
        return nFrame == 0 ? g_doc.fVertMargin : nFrame == 1 ? 0 : shape.fAnchorY;
    return nFrame == 0 || nFrame == 2 ? g_doc.fHorzMargin : nFrame == 1 ? 0 : shape.fAnchorX;
}
} // namespace

CFakeShape& CFakeDocument::AddShape(const char* pszKind, float fLeft, float fTop, float fWidth,
                                    float fHeight, CFakeFrames frames) {
    CFakeShape shape;
    shape.nId = nNextId++;
    shape.strName = std::string(pszKind) + " " + std::to_string(shape.nId);
    shape.fLeft = fLeft;
    shape.fTop = fTop;
    shape.fWidth = fWidth;
    shape.fHeight = fHeight;
    shape.frames = frames;
    shape.fAnchorX = fAnchorX;
    shape.fAnchorY = fAnchorY + fAnchorStep * static_cast<float>(shape.nId - 1);
    shapes.push_back(shape);
    return shapes.back();
}

CFakeShape* CFakeDocument::Find(int nId) {
    for (CFakeShape& shape : shapes)
        if (shape.nId == nId)
            return &shape;
    return nullptr;
}

void CFakeDocument::Remove(int nId) {
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(),
                                [nId](const CFakeShape& s) { return s.nId == nId; }),
                 shapes.end());
}

std::vector<int> CFakeDocument::Ids(bool bInline) const {
    std::vector<int> ids;
    for (const CFakeShape& shape : shapes)
        if (shape.bInline == bInline)
            ids.push_back(shape.nId);
    return ids;
}

bool CFakeDocument::PasteDib(bool bInline) {
    if (!bPasteWorks)
        return false;
    if (!OpenClipboard(nullptr))
        return false;
    HANDLE h = GetClipboardData(CF_DIB);
    const BITMAPINFOHEADER* pHeader = h ? static_cast<BITMAPINFOHEADER*>(GlobalLock(h)) : nullptr;
    bool bPasted = false;
    if (pHeader) {
        LogLine("clipboard dib %ld %ld %d", static_cast<long>(pHeader->biWidth),
                static_cast<long>(pHeader->biHeight), pHeader->biBitCount);
        CFakeShape& shape = AddShape("Picture", fOriginX, fOriginY, pHeader->biWidth * fScale,
                                     std::abs(pHeader->biHeight) * fScale, newFrames);
        shape.bInline = bInline;
        if (bInline) {
            // The paste replaces the selection; the insertion point follows the picture.
            nInlineBeforeCaret = shape.nId;
            nSelectedInline = 0;
        }
        GlobalUnlock(h);
        bPasted = true;
    }
    CloseClipboard();
    return bPasted;
}

LONG CFakeDocument::MoveSelection(bool bLeft, LONG nUnit, LONG nCount, LONG nExtend) {
    // Backwards is to the left in left-to-right text and to the right in right-to-left text.
    const bool bBackwards = bLeft == (nOrientation == 0);
    const bool bOneCharacter = nUnit == kUnitCharacter && nCount == 1;
    if (nExtend != kExtend) {
        // A plain move collapses the selection and carries the insertion point.
        nSelectedInline = 0;
        if (bBackwards && bOneCharacter)
            nInlineBeforeCaret = 0;
        return nCount;
    }
    if (bBackwards && nSelectedInline == 0 && nInlineBeforeCaret != 0) {
        // Extending one character backwards takes in the picture before the insertion point.
        if (bOneCharacter)
            nSelectedInline = nInlineBeforeCaret;
        return nCount;
    }
    if (!bBackwards && nSelectedInline != 0 && bOneCharacter) {
        nSelectedInline = 0;
        return 1;
    }
    return 0;
}

int CFakeDocument::Group(const std::vector<LONG>& indices) {
    std::vector<int> ids = Ids(false);
    float fLeft = 1e9f, fTop = 1e9f, fRight = -1e9f, fBottom = -1e9f;
    std::vector<int> members;
    for (LONG index : indices) {
        if (index < 1 || index > static_cast<LONG>(ids.size()))
            return 0;
        members.push_back(ids[static_cast<size_t>(index - 1)]);
    }
    for (int nId : members) {
        const CFakeShape* p = Find(nId);
        fLeft = std::min(fLeft, p->fLeft);
        fTop = std::min(fTop, p->fTop);
        fRight = std::max(fRight, p->fLeft + p->fWidth);
        fBottom = std::max(fBottom, p->fTop + p->fHeight);
    }
    for (int nId : members)
        Remove(nId);
    CFakeShape& group = AddShape("Group", fLeft, fTop, fRight - fLeft, fBottom - fTop, groupFrames);
    LogLine("grouped %zu shapes as %s at top %.3f anchored at %.3f", members.size(),
            group.strName.c_str(), group.fTop, group.fAnchorY);
    return group.nId;
}

void CFakeDocument::SetFrame(CFakeShape& shape, bool bVertical, LONG nFrame) {
    LONG& nCurrent = bVertical ? shape.frames.nVert : shape.frames.nHorz;
    if (nCurrent == nFrame)
        return;
    if (nVersion >= 0x0900) {
        float& fPosition = bVertical ? shape.fTop : shape.fLeft;
        fPosition +=
            FrameOrigin(shape, bVertical, nCurrent) - FrameOrigin(shape, bVertical, nFrame);
        LogLine("%s %s moved to %.3f by the frame change", shape.strName.c_str(),
                bVertical ? "top" : "left", fPosition);
    }
    nCurrent = nFrame;
}

std::vector<LONG> IndicesOf(const VARIANT& v) {
    std::vector<LONG> indices;
    if (!(v.vt & VT_ARRAY) || !v.parray)
        return indices;
    LONG nLow = 0, nHigh = -1;
    SafeArrayGetLBound(v.parray, 1, &nLow);
    SafeArrayGetUBound(v.parray, 1, &nHigh);
    for (LONG i = nLow; i <= nHigh; ++i) {
        VARIANT item;
        VariantInit(&item);
        if ((v.vt & VT_TYPEMASK) == VT_VARIANT)
            SafeArrayGetElement(v.parray, &i, &item);
        VARIANT n;
        VariantInit(&n);
        if (SUCCEEDED(VariantChangeType(&n, &item, 0, VT_I4)))
            indices.push_back(n.lVal);
        VariantClear(&item);
    }
    return indices;
}

FakeMember Stored(VARTYPE vt, double fInitial) {
    auto pValue = std::make_shared<VARIANT>();
    VariantInit(pValue.get());
    pValue->vt = VT_R8;
    pValue->dblVal = fInitial;
    VariantChangeType(pValue.get(), pValue.get(), 0, vt);
    return [pValue, vt](CFakeCall& call) -> HRESULT {
        if (call.IsPut())
            return VariantChangeType(pValue.get(), const_cast<VARIANT*>(&call.Arg(0)), 0, vt);
        return call.ReturnCopy(*pValue);
    };
}

FakeMember Object(IDispatch* (*pfnMake)()) {
    return [pfnMake](CFakeCall& c) { return c.ReturnObject(pfnMake()); };
}

HRESULT Recorded(CFakeCall&) {
    return S_OK;
}
