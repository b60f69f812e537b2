// The part of an automation connection that Word, Excel and PowerPoint share: attaching to the
// running application, its version code, the ink rectangle and its mapping from screen pixels to
// document points (measured with a scribble the application draws itself), and the count of
// drawing objects added. Each application's connection derives from it and owns its references.
#pragma once
#include "DispatchDriver.h"
#include "InkClipboard.h"

#include <string>
#include <vector>

// Dispatch identifiers of the drawing members that each application has under its own numbers.
struct CDrawingMembers {
    DISPID idCount, idItem, idAddPolyline, idRange;
    WORD wRangeKind; // DISPATCH_PROPERTYGET or DISPATCH_METHOD
    DISPID idGroup;
    DISPID idLeft, idTop, idWidth, idHeight, idDelete, idZOrder, idLine, idPicture;
};

class COfficeConnection {
public:
    COfficeConnection() = default;
    COfficeConnection(const COfficeConnection&) = delete;
    COfficeConnection& operator=(const COfficeConnection&) = delete;
    virtual ~COfficeConnection() = default;

    bool IsConnected() const { return m_bConnected; }
    int Version() const { return m_nVersion; }

    // The steps of one Office insertion. Automation failures throw CDispatchError; the exports
    // catch them, call RestoreSettings and then Invalidate.
    virtual int Begin(HWND hwndDoc, const RECT& rcInk) = 0;
    virtual int AddStroke(const RECT& rcStroke, const POINT* ppt, int nCount, COLORREF cr,
                          float fWidth, bool bBehind) = 0;
    virtual int InsertPicture(HWND hwndOwner, const RECT& rcBitmap, HDC hdc, HBITMAP hbm,
                              bool bBehind) = 0;
    virtual int Finish() = 0;
    // Puts back, as far as the application still answers, what the insertion switched off.
    virtual void RestoreSettings() {}
    // After an automation failure the connection is no longer used for drawing.
    void Invalidate() { m_bConnected = false; }

    // Screen pixels to document points. The ink rectangle's edges both count as pixels, so its
    // width is right - left + 1 and one of width 0 divides by 1.
    float MapX(LONG x) const;
    float MapY(LONG y) const;
    float MapWidth(LONG l, LONG r) const;
    float MapHeight(LONG t, LONG b) const;

    // Version code from a version text: major * 256 + minor ("11.0" gives 0x0B00).
    static int ParseVersion(const std::string& strVersion);

protected:
    // Looks up the class of the ProgID; false when it is not registered.
    static bool LookUpClass(const wchar_t* pszProgId, CLSID* pclsid);
    // Gets the running instance's dispatch interface, trying nRetries more times a second apart.
    static CDispatchDriver AttachRunning(const CLSID& clsid, int nRetries);
    void ReadVersion(DISPID idVersion);
    void SetInk(const RECT& rcInk) { m_rcInk = rcInk; }
    // The measuring scribble: mouse messages posted to the document window.
    static void PostClick(HWND hwndDoc, POINT pt);
    static void PostDrag(HWND hwndDoc, POINT ptFrom, POINT ptTo);
    // The ink rectangle's centre M and top-left corner K in the document window's client space.
    POINT InkCentre(HWND hwndDoc) const;
    POINT InkCorner(HWND hwndDoc) const;
    // Executes the freehand scribble control (index 6 of the command bar "Lines").
    static void SelectScribbleTool(const CDispatchDriver& commandBars);
    // Takes the scribble's bounds as the scale: the scribble runs between the ink rectangle's
    // top-left corner and its centre, so its position is the rectangle's and its size half of it.
    void SetScale(float fLeft, float fTop, float fWidth, float fHeight);
    // A two-column array of floats with the mapped points; fAddX is added to every x.
    CVariant MapPolyline(const POINT* ppt, int nCount, float fAddX) const;
    // An array of variants holding the 1-based indices first..last.
    static CVariant IndexRange(LONG nFirst, LONG nLast);

    // The checks before measuring: "rect error" for a reversed rectangle, pszRefusal (none when
    // null) for an unusable connection; false when the begin must stop.
    bool CanMeasure(const RECT& rcInk, const wchar_t* pszRefusal);
    // Shows pszInitError when the connection was given up while selecting the tool; false then.
    bool ToolSelected(const wchar_t* pszInitError) const;

    // Shared steps of the applications, each given the application's member numbers.
    // Excel and PowerPoint: the measuring scribble's bounds become the scale, then the scribble
    // is deleted and nothing counts as added yet.
    void Measure(const CDispatchDriver& shape, const CDrawingMembers& ids);
    // A polyline of the mapped points with the line weight and colour; behind the text when
    // bBehind. Returns the new shape.
    CDispatchDriver AddPolyline(const CDispatchDriver& shapes, const CDrawingMembers& ids,
                                const POINT* ppt, int nCount, COLORREF cr, float fWidth,
                                bool bBehind, float fAddX) const;
    // Places the shape the paste added (if it added exactly one after nBefore) over the bitmap
    // rectangle, with white transparent.
    void PlacePasted(const CDispatchDriver& shapes, LONG nBefore, const CDrawingMembers& ids,
                     const RECT& rcBitmap, bool bBehind) const;
    // Excel and PowerPoint: one stroke added to the shapes and counted for GroupAdded.
    int AddCountedStroke(const CDispatchDriver& shapes, const CDrawingMembers& ids,
                         const RECT& rcStroke, const POINT* ppt, int nCount, COLORREF cr,
                         float fWidth, bool bBehind);
    // Excel and PowerPoint: the bitmap on the clipboard, pasted by paste(), then placed.
    template <class F>
    void PasteAndPlace(const CDispatchDriver& shapes, const CDrawingMembers& ids, HWND hwndOwner,
                       const RECT& rcBitmap, HDC hdc, HBITMAP hbm, bool bBehind, F paste) const {
        PutInkOnClipboard(hwndOwner, hdc, hbm, false);
        LONG nShapes = shapes.GetI4(ids.idCount);
        paste();
        PlacePasted(shapes, nShapes, ids, rcBitmap, bBehind);
    }
    // Groups the last m_nAdded shapes (never more than exist); null when there is nothing to
    // group. The shape range that was grouped goes to *pRange when asked for.
    CDispatchDriver GroupAdded(const CDispatchDriver& shapes, const CDrawingMembers& ids,
                               CDispatchDriver* pRange = nullptr);
    static void SetLineColor(const CDispatchDriver& shape, DISPID idLine, COLORREF cr,
                             float fWidth);
    static void SetTransparentWhite(const CDispatchDriver& shape, DISPID idPicture);

    CDispatchDriver m_app;
    bool m_bConnected = false;
    int m_nVersion = 0;
    RECT m_rcInk{};
    float m_fLeft = 0, m_fTop = 0, m_fWidth = 0, m_fHeight = 0;
    int m_nAdded = 0;
    RECT m_rcStroke{};
};

// The Office version codes that change how the applications are driven.
constexpr int kVersion8 = 2048;
constexpr int kVersion9 = 2304;
constexpr int kVersion10 = 2560;

// Z-order commands and picture transparency shared by the three applications.
constexpr LONG kZInFrontOfText = 4;
constexpr LONG kZBehindText = 5;
constexpr LONG kTransparentWhite = 0x00FFFFFF;
