#include "ButtonBar.h"

#include <windowsx.h>

#include "MainFrame.h"
#include "Resources.h"
#include "ScrivoView.h"
#include "resource.h"

namespace {
// A press handed on from elsewhere comes in screen coordinates, marked by this key state.
constexpr WPARAM kScreenPress = 255;

std::vector<CBarButton> WithWidthButtons(const CBarButton* pTable, std::size_t nButtons,
                                         bool bShown) {
    std::vector<CBarButton> table(pTable, pTable + nButtons);
    for (const auto& [nMarker, nID] : {std::pair<UINT, UINT>{IDC_PENCIL_WIDTH, ID_PENCIL_WIDTH},
                                       std::pair<UINT, UINT>{IDC_BRUSH_WIDTH, ID_BRUSH_WIDTH},
                                       std::pair<UINT, UINT>{IDC_MARKER_WIDTH, ID_MARKER_WIDTH}})
        table.push_back(
            {nMarker, nID, bShown, 0, {IDB_WIDTH, IDB_WIDTH_PRESSED, IDB_WIDTH_PRESSED}});
    return table;
}
} // namespace

CButtonBar::CButtonBar(const CBarButton* pTable, std::size_t nButtons, bool bWidthsShown)
    : m_table(WithWidthButtons(pTable, nButtons, bWidthsShown)),
      m_buttons(std::make_unique<CBMPButton[]>(m_table.size())) {}

bool CButtonBar::CreateBar(CMainFrame* pFrame, UINT nTemplate, UINT nStyle) {
    m_pFrame = pFrame;
    if (!CDialogBar::Create(pFrame->m_hWnd, nTemplate, nStyle, nTemplate))
        return false;
    m_drag.End();
    return true;
}

CBMPButton& CButtonBar::Button(UINT nID) {
    for (std::size_t i = 0; i < m_table.size(); ++i)
        if (m_table[i].nID == nID)
            return m_buttons[i];
    return m_none;
}

bool CButtonBar::Init() {
    CreateButtons();
    ArrangeForMode(kModeLetter);
    CreateToolTips();
    return true;
}

void CButtonBar::CreateButtons() {
    // All marks first: a mark may have the id of another button's command.
    std::vector<HWND> markers;
    for (const CBarButton& info : m_table)
        markers.push_back(GetDlgItem(m_hWnd, static_cast<int>(info.nMarker)));
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        const CBarButton& info = m_table[i];
        if (m_buttons[i].CreateOverMarker(m_hWnd, markers[i], info.nID, info.bVisible) &&
            info.nImages[0])
            m_buttons[i].LoadBitmaps(info.nImages[0], info.nImages[1], info.nImages[2],
                                     info.nImages[3]);
    }
}

void CButtonBar::CreateToolTips() {
    m_pToolTip = std::make_unique<CToolTipCtrl>();
    if (!m_pToolTip->Create(m_hWnd))
        return;
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        if (m_table[i].nTip && m_buttons[i].m_hWnd)
            m_pToolTip->AddTool(m_buttons[i].m_hWnd, LoadResString(m_table[i].nTip).c_str());
    }
    m_pToolTip->Activate(true);
    AddChildTips();
}

void CButtonBar::LoadBackground(UINT nBitmap) {
    m_bmBack.Reset(LoadResBitmap(MAKEINTRESOURCEW(nBitmap)));
}

int CButtonBar::Mode() const {
    return m_pFrame ? m_pFrame->m_nMode : kModeLetter;
}

CScrivoView* CButtonBar::View() const {
    return m_pFrame ? m_pFrame->GetView() : nullptr;
}

bool CButtonBar::PreTranslateMessage(MSG* pMsg) {
    if (m_pToolTip && m_hWnd && (pMsg->hwnd == m_hWnd || IsChild(m_hWnd, pMsg->hwnd)))
        m_pToolTip->RelayEvent(pMsg);
    return CDialogBar::PreTranslateMessage(pMsg);
}

void CButtonBar::OnPaint() {
    CPaintScope paint(m_hWnd);
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    DrawBackground(paint.Get(), m_bmBack.Get(), rc);
    PaintOver(paint.Get());
}

void CButtonBar::OnLButtonDown(POINT pt) {
    if (m_pFrame)
        m_pFrame->ClosePenWidthPopup();
    m_drag.Begin(m_hWnd, pt);
}

void CButtonBar::OnDestroy() {
    m_pToolTip.reset();
}

INT_PTR CButtonBar::DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (uMsg) {
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_LBUTTONDOWN: {
        POINT ptClient = pt;
        if (wParam == kScreenPress)
            ScreenToClient(m_hWnd, &ptClient);
        OnLButtonDown(ptClient);
        return FALSE;
    }
    case WM_LBUTTONUP:
        m_drag.End();
        return FALSE;
    case WM_MOUSEMOVE:
        m_drag.OnMouseMove(m_hWnd, pt, wParam);
        return FALSE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default:
        return CDialogBar::DialogProc(uMsg, wParam, lParam);
    }
}
