// The automation connection to a running Word: the application, its active document, the
// measuring scribble kept as the reference shape for positioning, and the settings switched off
// during an insertion (screen updating, option 451) so that they can be put back.
#pragma once
#include "OfficeConnection.h"

class CWordConnection : public COfficeConnection {
public:
    // Attaches to the running Word; shows "Error CLSID Word.Application" when the class is not
    // registered. IsConnected() tells whether the active document can be drawn into.
    CWordConnection();

    int Begin(HWND hwndDoc, const RECT& rcInk) override;
    int AddStroke(const RECT& rcStroke, const POINT* ppt, int nCount, COLORREF cr, float fWidth,
                  bool bBehind) override;
    int InsertPicture(HWND hwndOwner, const RECT& rcBitmap, HDC hdc, HBITMAP hbm,
                      bool bBehind) override;
    int Finish() override;
    void RestoreSettings() override;

private:
    void Connect();
    CDispatchDriver Shapes() const;
    CDispatchDriver ShapeAt(const CDispatchDriver& shapes, LONG nIndex) const;
    void FindReferenceShape(LONG nShapes);
    void InsertFloating(float fX, float fY, float fWidth, float fHeight, bool bBehind);
    void InsertInline(float fX, float fY, float fWidth, float fHeight, bool bBehind);
    // Wrap, z-order, size, frames, position relative to the reference shape, transparency.
    void LayOut(const CDispatchDriver& shape, float fDx, float fDy, float fWidth, float fHeight,
                LONG nVertFrame, bool bBehind, bool bPicture);
    void SetWrap(const CDispatchDriver& shape) const;
    // Gives a shape (idAnchor its anchor member, 501) or a shape range (304) new frames; -1
    // keeps a frame.
    void ChangeFrames(const CDispatchDriver& shape, LONG nHorz, LONG nVert, DISPID idAnchor) const;
    void PlaceRelative(const CDispatchDriver& shape, float fDx, float fDy) const;
    static float AnchorPosition(const CDispatchDriver& shape, LONG nItem, DISPID idAnchor);
    void SetStatus(const char* pszText) const;
    void SetScreenUpdating(bool bOn);

    CDispatchDriver m_doc;
    CDispatchDriver m_lastShape;
    CDispatchDriver m_refShape;
    float m_fHorzOffset = 0;
    float m_fVertOffset = 0;
    bool m_bSavedOption = false;
    // The reference shape is the measuring scribble (not a shape of the user's document).
    bool m_bRefIsScribble = false;
    bool m_bOptionSwitched = false;
    bool m_bUpdatingOff = false;
};
