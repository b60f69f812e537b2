// The view's printing and print preview: the printer's device context, the page loop, and the
// preview window that draws the pages through the same OnPrint.
#include "View.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>

#include "DocTemplate.h"
#include "Document.h"
#include "FrameWnd.h"
#include "Message.h"
#include "PrintInfo.h"
#include "Resources.h"
#include "WinApp.h"

namespace {

std::wstring NoPrinterText() {
    return L"Before you can print or preview a note, you need to install a printer.";
}

// The default printer, or the printer chosen in Print Setup, without a dialog.
HDC DefaultPrinterDC() {
    PRINTDLGW pd{};
    pd.lStructSize = sizeof(pd);
    CWinApp* pApp = CWinApp::Get();
    if (pApp && pApp->m_hDevNames) {
        pd.hDevMode = pApp->m_hDevMode;
        pd.hDevNames = pApp->m_hDevNames;
    }
    pd.Flags = PD_RETURNDC | (pd.hDevNames ? 0 : PD_RETURNDEFAULT);
    if (pd.hDevNames) {
        // With a stored choice the dialog is not shown: the names say which printer.
        auto* pNames = static_cast<DEVNAMES*>(GlobalLock(pd.hDevNames));
        auto* pMode = pd.hDevMode ? static_cast<DEVMODEW*>(GlobalLock(pd.hDevMode)) : nullptr;
        const wchar_t* pszBase = reinterpret_cast<const wchar_t*>(pNames);
        HDC hdc = CreateDCW(pszBase + pNames->wDriverOffset, pszBase + pNames->wDeviceOffset,
                            nullptr, pMode);
        if (pMode)
            GlobalUnlock(pd.hDevMode);
        GlobalUnlock(pd.hDevNames);
        return hdc;
    }
    if (!PrintDlgW(&pd))
        return nullptr;
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    return pd.hDC;
}

} // namespace

CPrintInfo::~CPrintInfo() {
    if (m_hdcPrinter)
        DeleteDC(m_hdcPrinter);
}

bool CView::DoPreparePrinting(CPrintInfo& info) {
    const CWinApp* pApp = CWinApp::Get();
    const CCommandLineInfo* pCmd = pApp ? pApp->m_pCmdInfo : nullptr;
    if (pCmd && pCmd->m_nShellCommand == CCommandLineInfo::FilePrintTo) {
        info.m_bDirect = true;
        info.m_strPrinter = pCmd->m_strPrinterName;
        info.m_strDriver = pCmd->m_strDriverName;
        info.m_strPort = pCmd->m_strPortName;
    }
    if (!info.m_strPrinter.empty()) {
        info.m_hdcPrinter = CreateDCW(L"WINSPOOL", info.m_strPrinter.c_str(), nullptr, nullptr);
    } else if (info.m_bDirect || info.m_bPreview) {
        info.m_hdcPrinter = DefaultPrinterDC();
    } else {
        PRINTDLGW pd{};
        pd.lStructSize = sizeof(pd);
        pd.hwndOwner = GetParentFrame() ? GetParentFrame()->m_hWnd : m_hWnd;
        CWinApp* pWritable = CWinApp::Get();
        pd.hDevMode = pWritable ? pWritable->m_hDevMode : nullptr;
        pd.hDevNames = pWritable ? pWritable->m_hDevNames : nullptr;
        pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
        pd.nMinPage = static_cast<WORD>(info.GetMinPage());
        pd.nMaxPage = static_cast<WORD>(std::min<UINT>(info.GetMaxPage(), 0xFFFF));
        pd.nFromPage = pd.nMinPage;
        pd.nToPage = pd.nMaxPage;
        pd.nCopies = 1;
        if (!PrintDlgW(&pd)) {
            // Cancel says nothing; a machine without a printer is told so.
            if (CommDlgExtendedError() == PDERR_NODEFAULTPRN)
                ShowMessage(pd.hwndOwner, NoPrinterText(), LoadResString(57344),
                            MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        if (pWritable) {
            pWritable->m_hDevMode = pd.hDevMode;
            pWritable->m_hDevNames = pd.hDevNames;
        }
        if (pd.Flags & PD_PAGENUMS) {
            info.m_nFromPage = std::max<UINT>(pd.nFromPage, info.GetMinPage());
            info.m_nToPage = std::min<UINT>(pd.nToPage, info.GetMaxPage());
        }
        info.m_hdcPrinter = pd.hDC;
        return info.m_hdcPrinter != nullptr;
    }
    if (!info.m_hdcPrinter)
        ShowMessage(GetParentFrame() ? GetParentFrame()->m_hWnd : m_hWnd, NoPrinterText(),
                    LoadResString(57344), MB_OK | MB_ICONEXCLAMATION);
    return info.m_hdcPrinter != nullptr;
}

void CView::OnFilePrint(bool bDirect) {
    CPrintInfo info;
    info.m_bDirect = bDirect;
    if (!OnPreparePrinting(info) || !info.m_hdcPrinter)
        return;
    HDC hdc = info.m_hdcPrinter;
    const std::wstring strTitle = GetDocument() && !GetDocument()->GetTitle().empty()
                                      ? GetDocument()->GetTitle()
                                      : LoadResString(57344);
    DOCINFOW doc{};
    doc.cbSize = sizeof(doc);
    doc.lpszDocName = strTitle.c_str();
    if (StartDocW(hdc, &doc) <= 0) {
        ShowMessage(GetParentFrame() ? GetParentFrame()->m_hWnd : m_hWnd,
                    L"Failed to start the print job.", LoadResString(57344),
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    OnBeginPrinting(hdc, info);
    bool bOk = true;
    for (UINT nPage = info.GetFromPage(); bOk && nPage <= info.GetToPage(); ++nPage) {
        info.m_nCurPage = nPage;
        info.m_rectDraw = {0, 0, GetDeviceCaps(hdc, HORZRES), GetDeviceCaps(hdc, VERTRES)};
        bOk = StartPage(hdc) > 0;
        if (bOk) {
            OnPrint(hdc, info);
            bOk = EndPage(hdc) > 0;
        }
    }
    if (bOk)
        EndDoc(hdc);
    else
        AbortDoc(hdc);
    OnEndPrinting(hdc, info);
}

void CView::OnFilePrintPreview() {
    if (m_pPreview && m_pPreview->m_hWnd)
        return;
    auto pInfo = std::make_unique<CPrintInfo>();
    pInfo->m_bPreview = true;
    if (!OnPreparePrinting(*pInfo) || !pInfo->m_hdcPrinter)
        return;
    OnBeginPrinting(pInfo->m_hdcPrinter, *pInfo);
    m_pPreview = std::make_unique<CPreviewWnd>(this, std::move(pInfo));
    if (!m_pPreview->Create(GetParentFrame())) {
        EndPrintPreview();
        return;
    }
    if (GetParentFrame())
        GetParentFrame()->RecalcLayout();
}

void CView::EndPrintPreview() {
    if (!m_pPreview)
        return;
    CPrintInfo& info = m_pPreview->Info();
    OnEndPrinting(info.m_hdcPrinter, info);
    OnEndPrintPreview(info.m_hdcPrinter, info);
}

void CView::OnEndPrintPreview(HDC /*hdc*/, CPrintInfo& /*info*/) {
    // The preview's window goes now; the object goes with the next preview or the view, as this
    // may run inside the preview's own window procedure.
    m_pPreview->DestroyWindow();
    if (GetParentFrame())
        GetParentFrame()->RecalcLayout();
    InvalidateRect(m_hWnd, nullptr, FALSE);
}
