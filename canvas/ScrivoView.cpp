#include "ScrivoView.h"

#include <windowsx.h>

#include "FrameWnd.h"
#include "PageRules.h"
#include "FrameworkIds.h"
#include "Resources.h"
#include "ScrivoFrame.h"
#include "Settings.h"
#include "resource.h"

namespace {
// The framework's range of recent-file commands.
constexpr UINT kRecentFileIds = 16;

// The commands that act on the note as a file: a writing run or a capture in progress has no
// note to give them.
bool IsFileCommand(UINT nID) {
    switch (nID) {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_CLOSE:
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_FILE_PRINT_SETUP:
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_FILE_SEND_MAIL:
        return true;
    default:
        return nID >= ID_FILE_MRU_FILE1 && nID < ID_FILE_MRU_FILE1 + kRecentFileIds;
    }
}
} // namespace

CScrivoView::CScrivoView() = default;

CScrivoView::~CScrivoView() {
    DestroyWindow();
    if (m_hOldPageBitmap)
        SelectObject(m_dcPage.Get(), m_hOldPageBitmap);
}

CScrivoDoc* CScrivoView::GetDocument() const {
    return static_cast<CScrivoDoc*>(CView::GetDocument());
}

IScrivoFrame* CScrivoView::GetScrivoFrame() const {
    return dynamic_cast<IScrivoFrame*>(GetParentFrame());
}

int CScrivoView::GetFrameMode() const {
    IScrivoFrame* pFrame = GetScrivoFrame();
    return pFrame ? pFrame->GetMode() : kModeLetter;
}

bool CScrivoView::PreCreateWindow(CREATESTRUCTW& cs) {
    // No cursor and a null background brush: the tools set the cursor, and OnDraw covers the
    // whole client area, so the background is never erased.
    WNDCLASSEXW wc{};
    wc.style = CS_DBLCLKS;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = L"ScrivoView";
    if (!RegisterFrameworkClass(wc))
        return false;
    cs.lpszClass = L"ScrivoView";
    cs.style |= WS_HSCROLL | WS_VSCROLL;
    return true;
}

int CScrivoView::OnCreate() {
    m_fZoom = 1.0f;
    SetScrollSizes(MM_TEXT, {800, 800});
    m_nTool = kToolPencil;
    m_nPencilLevel = m_nBrushLevel = m_nMarkerLevel = 2;
    m_crPen = settings::ReadPenColor();
    m_nLineHeight = settings::ReadLineHeight();
    m_crBack = settings::ReadBackColor();
    m_crLine = settings::ReadLineColor();
    OpenViewContext();
    m_rcPage = page::InitialPage(GetScreenSize());
    RebuildPageBitmap();
    PaintPage(false);
    return m_run.CreateOverlay() ? 0 : -1;
}

void CScrivoView::OnDestroy() {
    CloseTabletContext();
    m_run.DestroyOverlay();
    if (m_hOldPageBitmap) {
        SelectObject(m_dcPage.Get(), m_hOldPageBitmap);
        m_hOldPageBitmap = nullptr;
    }
    m_bmPage.Reset();
    m_dcShown.Reset();
}

bool CScrivoView::IsRunInProgress() const {
    return m_bInkArmed || m_nCaptureState == kCaptureSelecting;
}

bool CScrivoView::OnCmdMsg(UINT nID) {
    // The strokes of a writing run are in screen pixels over a frozen screen and belong to the
    // application under them, not to a note: a file command there (or its shortcut) would clear,
    // replace or save them behind the ink still shown, and its dialog would open under the
    // overlay during a capture. It is not available until the run or the capture ends.
    if (IsFileCommand(nID) && IsRunInProgress()) {
        TabletBeep();
        return true;
    }
    switch (nID) {
    case ID_ZOOM_IN:
        OnZoomIn();
        return true;
    case ID_ZOOM_OUT:
        OnZoomOut();
        return true;
    case ID_ADD_LINE:
        OnAddLine();
        return true;
    case ID_SCRIPT_LINE_COLOR:
        OnScriptLineColor();
        return true;
    case ID_EDIT_COPY:
        OnEditCopy();
        return true;
    case ID_EDIT_PASTE:
        OnEditPaste();
        return true;
    case ID_INSERT_IMAGE:
        OnInsertImage();
        return true;
    case ID_CAPTURE_SCREEN:
        m_run.OnCaptureScreen();
        return true;
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
        OnFilePrintCommand(nID == ID_FILE_PRINT_DIRECT);
        return true;
    case ID_FILE_PRINT_PREVIEW:
        OnFilePrintPreviewCommand();
        return true;
    default:
        return m_run.OnInkingCommand(nID) || OnPictureCommand(nID) || OnPenCommand(nID) ||
               OnWidthCommand(nID);
    }
}

bool CScrivoView::OnUpdateCmdUI(CCmdUI& cmdUI) {
    switch (cmdUI.m_nID) {
    case ID_ZOOM_IN:
        cmdUI.Enable(m_fZoom < 4.0f);
        return true;
    case ID_ZOOM_OUT:
        cmdUI.Enable(m_fZoom > 0.5f);
        return true;
    default:
        return false;
    }
}

LRESULT CScrivoView::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_CREATE:
        return OnCreate();
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintWindow();
        return 0;
    case WM_ADD_LINE:
        OnAddLine();
        return 0;
    case WM_RENDERFORMAT:
        OnRenderFormat(static_cast<UINT>(wParam));
        return 0;
    case WM_RENDERALLFORMATS:
        OnRenderAllFormats();
        return 0;
    default: {
        LRESULT lResult = 0;
        if (OnPictureMessage(uMsg, wParam, lParam, lResult))
            return lResult;
        if (OnPenMessage(uMsg, wParam, lParam, lResult))
            return lResult;
        return CScrollView::WindowProc(uMsg, wParam, lParam);
    }
    }
}

CNotePaper CScrivoView::GetPaper() const {
    return {m_crBack, m_crLine, m_nLineHeight, m_rcPage};
}

bool CScrivoView::SetPaper(const CNotePaper& paper) {
    const RECT& rc = paper.rcPage;
    bool bResize = rc.right != m_rcPage.right || rc.bottom != m_rcPage.bottom ||
                   rc.left != m_rcPage.left || rc.top != m_rcPage.top || !m_bmPage;
    if (bResize) {
        COwnedBitmap bitmap(CreatePageBitmap(rc));
        if (!bitmap)
            return false;
        m_rcPage = rc;
        SelectPageBitmap(std::move(bitmap));
        SetZoomScroll(m_fZoom);
    }
    m_crBack = paper.crBack;
    m_crLine = paper.crLine;
    m_nLineHeight = paper.nLineHeight;
    return true;
}

// The bridge announces its delayed clipboard formats with this window as their owner.
void CScrivoView::OnRenderFormat(UINT uFormat) {
    m_run.Bridge().RenderFormat(m_hWnd, uFormat);
    m_run.Bridge().RenderFormatHtmlTimeOut(m_hWnd);
}

void CScrivoView::OnRenderAllFormats() {
    m_run.Bridge().RenderFormat(m_hWnd, 0);
}

void CScrivoView::ScrollToOrigin() {
    ScrollToPosition({0, 0});
}
