// CPrintInfo: one print or preview run of a view: its pages, the page being printed, the
// printer's drawing rectangle for it, and how the run was asked for (preview, direct print without
// the dialog, or print to a printer named on the command line).
#pragma once
#include <windows.h>

#include <string>

class CPrintInfo {
public:
    CPrintInfo() = default;
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;
    // Deletes the printer's device context.
    ~CPrintInfo();

    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    UINT GetMinPage() const { return 1; }
    // The pages to print: all of them, or the range chosen in the print dialog.
    UINT GetFromPage() const { return m_nFromPage ? m_nFromPage : GetMinPage(); }
    UINT GetToPage() const { return m_nToPage ? m_nToPage : m_nMaxPage; }

    bool m_bPreview = false;
    // No print dialog: the default printer, or the printer named by m_strPrinter.
    bool m_bDirect = false;
    std::wstring m_strPrinter;
    std::wstring m_strDriver;
    std::wstring m_strPort;
    // The printer's device context, made by CView::DoPreparePrinting.
    HDC m_hdcPrinter = nullptr;
    UINT m_nCurPage = 1;
    // The part of the page to draw on, in the printer's device units.
    RECT m_rectDraw{0, 0, 0, 0};
    UINT m_nFromPage = 0;
    UINT m_nToPage = 0;

private:
    UINT m_nMaxPage = 1;
};
