#include "DocTemplate.h"

#include "Document.h"
#include "FrameWnd.h"
#include "Resources.h"
#include "View.h"
#include "WinApp.h"

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, DocFactory newDoc, FrameFactory newFrame,
                                       ViewFactory newView)
    : m_nIDResource(nIDResource), m_newDoc(std::move(newDoc)), m_newFrame(std::move(newFrame)),
      m_newView(std::move(newView)) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    // The frame's window goes first, while the document it shows still exists.
    m_pFrame.reset();
    m_pDocument.reset();
}

std::wstring CSingleDocTemplate::GetDocString(EDocString nIndex) const {
    std::wstring str = LoadResString(m_nIDResource);
    int n = 0;
    std::size_t nStart = 0;
    while (n < nIndex) {
        std::size_t nNext = str.find(L'\n', nStart);
        if (nNext == std::wstring::npos)
            return std::wstring();
        nStart = nNext + 1;
        ++n;
    }
    std::size_t nEnd = str.find(L'\n', nStart);
    return str.substr(nStart, nEnd == std::wstring::npos ? std::wstring::npos : nEnd - nStart);
}

bool CSingleDocTemplate::CreateFrame() {
    m_pFrame = m_newFrame();
    std::unique_ptr<CView> pView = m_newView();
    m_pDocument->m_pFrame = m_pFrame.get();
    m_pDocument->m_pView = pView.get();
    pView->m_pDocument = m_pDocument.get();
    if (!m_pFrame->LoadFrame(m_nIDResource, std::move(pView), m_pDocument.get())) {
        m_pDocument->m_pFrame = nullptr;
        m_pDocument->m_pView = nullptr;
        m_pFrame.reset();
        return false;
    }
    if (CWinApp::Get() && !CWinApp::Get()->m_pMainWnd)
        CWinApp::Get()->m_pMainWnd = m_pFrame.get();
    return true;
}

void CSingleDocTemplate::CloseFrame() {
    if (m_pDocument) {
        m_pDocument->m_pFrame = nullptr;
        m_pDocument->m_pView = nullptr;
    }
    if (CWinApp::Get() && CWinApp::Get()->m_pMainWnd == m_pFrame.get())
        CWinApp::Get()->m_pMainWnd = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const wchar_t* pszPath, bool bMakeVisible) {
    bool bCreated = false;
    if (m_pDocument && m_pFrame && m_pFrame->m_hWnd) {
        if (!m_pDocument->SaveModified())
            return nullptr;
    } else {
        if (!m_pDocument) {
            m_pDocument = m_newDoc();
            m_pDocument->m_pDocTemplate = this;
        }
        if (!CreateFrame())
            return nullptr;
        bCreated = true;
    }
    BOOL bOk = pszPath ? m_pDocument->OnOpenDocument(pszPath) : m_pDocument->OnNewDocument();
    if (!bOk) {
        if (bCreated) {
            CloseFrame();
            m_pFrame.reset();
        }
        return nullptr;
    }
    if (pszPath)
        m_pDocument->SetPathName(pszPath);
    if (bCreated)
        InitialUpdateFrame(bMakeVisible);
    return m_pDocument.get();
}

void CSingleDocTemplate::InitialUpdateFrame(bool bMakeVisible) {
    if (CView* pView = m_pFrame->GetActiveView())
        pView->OnInitialUpdate();
    m_pFrame->OnUpdateFrameTitle();
    if (!bMakeVisible)
        return;
    int nCmdShow = CWinApp::Get() ? CWinApp::Get()->m_nCmdShow : SW_SHOWNORMAL;
    ShowWindow(m_pFrame->m_hWnd, nCmdShow);
    if (nCmdShow != SW_HIDE)
        SetForegroundWindow(m_pFrame->m_hWnd);
}
