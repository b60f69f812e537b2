// What the fake application's document holds: its shapes (floating and, for Word, inline), the
// command bars with the freehand scribble control, Word's selection, and the mapping from
// document-window pixels to points. The automation objects read and change it; the document
// window adds scribbles.
#pragma once
#include "FakeObject.h"

#include <string>
#include <vector>

enum FakeKind { kFakeWord, kFakeExcel, kFakePowerPoint };

// Word's relative frames of a floating shape: horizontal 0 margin, 1 page, 2 column,
// 3 character; vertical 0 margin, 1 page, 2 paragraph, 3 line.
struct CFakeFrames {
    LONG nHorz = 0;
    LONG nVert = 2;
};

struct CFakeShape {
    int nId = 0;
    std::string strName;
    float fLeft = 0, fTop = 0, fWidth = 0, fHeight = 0;
    CFakeFrames frames;
    // Page position of the paragraph the shape is anchored in (range information 5 and 6).
    float fAnchorX = 0, fAnchorY = 0;
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
    // Word's version code (major * 256 + minor): from 9.0 on Word keeps a shape where it is on
    // the page when its vertical frame changes, by moving its top into the new frame.
    int nVersion = 0x0B00;
    std::vector<CFakeShape> shapes;
    int nNextId = 1;
    std::vector<CFakeBar> bars{{"Standard", 10}, {"Formatting", 10}, {"Lines", 8}};
    std::vector<CFakeSlide> slides;
    bool bScribbleArmed = false;
    int nScribbleShapes = 1;
    std::string strScribbleName = "Freeform";
    // A paste adds nothing when false.
    bool bPasteWorks = true;
    // Word's selection: the inline shape just before the insertion point (0 none), and the
    // inline shape the selection holds (0 none, the selection is a bare insertion point).
    int nInlineBeforeCaret = 0;
    int nSelectedInline = 0;
    LONG nOrientation = 0;
    // Page position of the first shape's anchor; each later shape is anchored fAnchorStep
    // points further down.
    float fAnchorX = 90, fAnchorY = 100, fAnchorStep = 0;
    // Word's page margins (the option distances 83 and 84).
    float fHorzMargin = 90, fVertMargin = 72;
    // The frames Word gives the measuring scribble, other new shapes and a new group.
    CFakeFrames scribbleFrames, newFrames, groupFrames;
    // Document point of the window's client origin, and points per pixel.
    float fOriginX = 10, fOriginY = 20, fScale = 0.75f;

    CFakeShape& AddShape(const char* pszKind, float fLeft, float fTop, float fWidth, float fHeight,
                         CFakeFrames frames);
    CFakeShape* Find(int nId);
    void Remove(int nId);
    // Ids of the floating (or inline) shapes in order.
    std::vector<int> Ids(bool bInline) const;
    // Adds the picture on the clipboard (CF_DIB) as one shape; false when there is none. An
    // inline picture goes in at the insertion point, which then follows it.
    bool PasteDib(bool bInline);
    // Word's selection moved one unit backwards or forwards (the direction of the text decides
    // which of MoveLeft and MoveRight that is); the number of units moved.
    LONG MoveSelection(bool bLeft, LONG nUnit, LONG nCount, LONG nExtend);
    // Groups the floating shapes with the given 1-based indices into one new shape.
    int Group(const std::vector<LONG>& indices);
    // Word: sets a frame of a shape; from 9.0 on the position moves into the new frame.
    void SetFrame(CFakeShape& shape, bool bVertical, LONG nFrame);
};

extern CFakeDocument g_doc;

IDispatch* MakeShape(int nId);
IDispatch* MakeShapes(int nSlide);
IDispatch* MakeCommandBars();
// 1-based indices from an array of variants.
std::vector<LONG> IndicesOf(const VARIANT& v);
// A member that keeps the value last put (first the given one) and answers it on a get.
FakeMember Stored(VARTYPE vt, double fInitial);
// A member that answers an object made anew at each call.
FakeMember Object(IDispatch* (*pfnMake)());
// A method without result that only records its call (the object writes the log line).
HRESULT Recorded(CFakeCall& call);
