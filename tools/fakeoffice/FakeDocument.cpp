#include "FakeDocument.h"

#include <algorithm>
#include <cmath>

CFakeDocument g_doc;

CFakeShape& CFakeDocument::AddShape(const char* pszKind, float fLeft, float fTop, float fWidth,
                                    float fHeight) {
    CFakeShape shape;
    shape.nId = nNextId++;
    shape.strName = std::string(pszKind) + " " + std::to_string(shape.nId);
    shape.fLeft = fLeft;
    shape.fTop = fTop;
    shape.fWidth = fWidth;
    shape.fHeight = fHeight;
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
                                     std::abs(pHeader->biHeight) * fScale);
        shape.bInline = bInline;
        if (bInline)
            nSelectedInline = shape.nId;
        GlobalUnlock(h);
        bPasted = true;
    }
    CloseClipboard();
    return bPasted;
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
    CFakeShape& group = AddShape("Group", fLeft, fTop, fRight - fLeft, fBottom - fTop);
    LogLine("grouped %zu shapes as %s", members.size(), group.strName.c_str());
    return group.nId;
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
