// The automation connection to a running PowerPoint: the application and the slide being edited,
// or, while a slide show runs, the flag that lets the presenter exports drive the show. Shared by
// the Office insertion and the presenter exports through g_pPowerPoint.
#pragma once
#include "OfficeConnection.h"

class CPowerPointConnection : public COfficeConnection {
public:
    // Attaches to the running PowerPoint (no retries). IsConnected() tells whether a slide can be
    // drawn into; IsShowActive() whether a slide show was running.
    CPowerPointConnection();

    bool IsShowActive() const { return m_bShowActive; }
    void SetShowActive(bool b) { m_bShowActive = b; }
    const CDispatchDriver& Application() const { return m_app; }

    // True when PowerPoint is still registered as running and answers.
    static bool Probe();

    int Begin(HWND hwndDoc, const RECT& rcInk) override;
    int AddStroke(const RECT& rcStroke, const POINT* ppt, int nCount, COLORREF cr, float fWidth,
                  bool bBehind) override;
    int InsertPicture(HWND hwndOwner, const RECT& rcBitmap, HDC hdc, HBITMAP hbm,
                      bool bBehind) override;
    int Finish() override;

private:
    static CDispatchDriver AttachAnswering();
    void Connect();

    CDispatchDriver m_slide;
    bool m_bShowActive = false;
};

// PowerPoint members the presenter exports use as well.
namespace PowerPoint {
constexpr DISPID kAppActiveWindow = 2004;
constexpr DISPID kAppActivePresentation = 2005;
constexpr DISPID kAppSlideShowWindows = 2006;
constexpr DISPID kAppCommandBars = 2007;
constexpr DISPID kCount = 11;
constexpr DISPID kPresentationSlides = 2011;
constexpr DISPID kItem = 0;
constexpr DISPID kSlideShapes = 2003;
constexpr DISPID kShapesCount = 2;
} // namespace PowerPoint
