// The automation connection to a running Excel: the application and its active sheet, into
// whose shapes the ink goes. Created by Brevix_Office_Begin, deleted by Brevix_Office_End.
#pragma once
#include "OfficeConnection.h"

class CExcelConnection : public COfficeConnection {
public:
    // Attaches to the running Excel; shows "Could not populate the worksheet." when it fails to
    // answer. IsConnected() tells whether it can be drawn into.
    CExcelConnection();

    int Begin(HWND hwndDoc, const RECT& rcInk) override;
    int AddStroke(const RECT& rcStroke, const POINT* ppt, int nCount, COLORREF cr, float fWidth,
                  bool bBehind) override;
    int InsertPicture(HWND hwndOwner, const RECT& rcBitmap, HDC hdc, HBITMAP hbm,
                      bool bBehind) override;
    int Finish() override;
    void RestoreSettings() override;

private:
    LONG CountShapes() const;

    CDispatchDriver m_sheet;
    bool m_bUpdatingOff = false;
};
