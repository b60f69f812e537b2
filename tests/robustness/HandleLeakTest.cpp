// The program's GDI and USER objects over a thousand cycles of everyday work: write a stroke,
// undo, redo, erase it, zoom in and out, Add Line and New.
#include "AppFixture.h"
#include "FrameworkIds.h"
#include "GuiObjects.h"

namespace {
// A canvas view that takes letter-mode packets from the test instead of a tablet.
class CPacketView : public CScrivoView {
public:
    void Packet(DWORD nButtons, POINT ptClient, UINT nPressure) {
        POINT pt = ptClient;
        ClientToScreen(m_hWnd, &pt);
        OnLetterPacket(GetTickCount(), nButtons, pt.x, pt.y, nPressure);
    }
    // Pen down at the first point, through the others, up at the last.
    void Stroke(std::initializer_list<POINT> points) {
        PenMouseDown();
        DWORD nEvent = TBN_DOWN;
        for (POINT pt : points) {
            Packet(MAKELONG(0, nEvent), pt, 600);
            nEvent = TBN_NONE;
        }
        Packet(MAKELONG(0, TBN_UP), *(points.end() - 1), 0);
        PenMouseUp();
    }
};

class HandleLeak : public CAppFixture {
protected:
    // A small screen keeps the page, which New and Add Line repaint, small.
    SIZE ScreenSize() const override { return {320, 240}; }
    std::unique_ptr<CScrivoView> MakeView() const override {
        return std::make_unique<CPacketView>();
    }

    void SetUp() override {
        CAppFixture::SetUp();
        SetWindowPos(m_pFrame->m_hWnd, nullptr, 0, 0, 400, 320, SWP_NOZORDER | SWP_NOACTIVATE);
        m_nAnswer = IDNO; // New does not save the note
    }

    // One cycle; the numbers of strokes after writing, undo, redo and erasing.
    std::vector<int> Cycle() {
        auto* pView = static_cast<CPacketView*>(m_pView);
        std::vector<int> counts;
        pView->Stroke({{30, 40}, {50, 42}, {70, 40}});
        counts.push_back(m_pDoc->m_lines.GetCount());
        m_pFrame->RouteCommand(ID_EDIT_UNDO_STROKE);
        counts.push_back(m_pDoc->m_lines.GetCount());
        m_pFrame->RouteCommand(ID_EDIT_REDO_STROKE);
        counts.push_back(m_pDoc->m_lines.GetCount());
        m_pFrame->RouteCommand(ID_TOOL_ERASER);
        pView->Stroke({{50, 20}, {52, 40}, {50, 60}});
        counts.push_back(m_pDoc->m_lines.GetCount());
        m_pFrame->RouteCommand(ID_TOOL_PENCIL);
        m_pFrame->RouteCommand(ID_ZOOM_IN);
        m_pFrame->RouteCommand(ID_ZOOM_OUT);
        m_pFrame->RouteCommand(ID_ADD_LINE);
        m_pFrame->RouteCommand(ID_FILE_NEW);
        return counts;
    }
};
} // namespace

TEST_F(HandleLeak, AThousandCyclesOfWritingErasingZoomingAndNewKeepEveryObjectCount) {
    // One cycle first: what the system makes once (stock objects, cached cursors) stays made.
    ASSERT_EQ(Cycle(), (std::vector<int>{1, 0, 1, 0}));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, L"Save changes to Untitled?");
    m_messages.clear();
    const CGuiObjects before = CGuiObjects::Count();
    for (int i = 0; i < 1000; ++i)
        Cycle();
    const CGuiObjects after = CGuiObjects::Count();
    EXPECT_EQ(after, before);
    EXPECT_EQ(m_messages.size(), 1000u) << "New asked about each cycle's note";

    // The count sees one pen and one menu more when they are made and not destroyed.
    HPEN hPen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HMENU hMenu = CreateMenu();
    const CGuiObjects leaked = CGuiObjects::Count();
    EXPECT_EQ(leaked.Gdi(), after.Gdi() + 1);
    EXPECT_EQ(leaked.Of("pen"), after.Of("pen") + 1);
    EXPECT_EQ(leaked.User(), after.User() + 1);
    DeleteObject(hPen);
    DestroyMenu(hMenu);
    EXPECT_EQ(CGuiObjects::Count(), after);
}
