// What the fake application's document holds: its shapes (floating and, for Word, inline), the
// command bars with the freehand scribble control, and the mapping from document-window pixels
// to points. The automation objects read and change it; the document window adds scribbles.
#pragma once
#include "FakeObject.h"

#include <string>
#include <vector>

enum FakeKind { kFakeWord, kFakeExcel, kFakePowerPoint };

struct CFakeShape {
    int nId = 0;
    std::string strName;
    float fLeft = 0, fTop = 0, fWidth = 0, fHeight = 0;
    LONG nRelHorz = 0, nRelVert = 2;
    bool bInline = false;
};

struct CFakeBar {
    std::string strName;
    int nControls = 0;
};

struct CFakeSlide {
    bool bHasTitle = false;
    std::string strTitle;
};

struct CFakeDocument {
    FakeKind nKind = kFakeWord;
    std::vector<CFakeShape> shapes;
    int nNextId = 1;
    std::vector<CFakeBar> bars{{"Standard", 10}, {"Formatting", 10}, {"Lines", 8}};
    std::vector<CFakeSlide> slides;
    bool bScribbleArmed = false;
    int nScribbleShapes = 1;
    std::string strScribbleName = "Freeform";
    // A paste adds nothing when false.
    bool bPasteWorks = true;
    // The inline shape the selection holds (0 none).
    int nSelectedInline = 0;
    // Page positions of every anchor (range information items 5 and 6).
    float fAnchorX = 90, fAnchorY = 100;
    // Document point of the window's client origin, and points per pixel.
    float fOriginX = 10, fOriginY = 20, fScale = 0.75f;

    CFakeShape& AddShape(const char* pszKind, float fLeft, float fTop, float fWidth, float fHeight);
    CFakeShape* Find(int nId);
    void Remove(int nId);
    // Ids of the floating (or inline) shapes in order.
    std::vector<int> Ids(bool bInline) const;
    // Adds the picture on the clipboard (CF_DIB) as one shape; false when there is none.
    bool PasteDib(bool bInline);
    // Groups the floating shapes with the given 1-based indices into one new shape.
    int Group(const std::vector<LONG>& indices);
};

extern CFakeDocument g_doc;

IDispatch* MakeShape(int nId);
IDispatch* MakeShapes(int nSlide);
IDispatch* MakeCommandBars();
// 1-based indices from an array of variants.
std::vector<LONG> IndicesOf(const VARIANT& v);
