// CPictures: the note's placed pictures in z-order (index 0 is drawn first, the last index lies
// on top) and the one selected picture. It owns the pictures and deletes them on removal. The
// canvas view forwards the picture tool's mouse events and the picture menu's commands here;
// operations that change what is visible return the page rectangle to repaint (the empty
// rectangle when nothing changed) or ask the view to repaint through IPictureView.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "Archive.h"
#include "Picture.h"
#include "resource.h"

// Commands of the picture menu (menu resource 214, its first pop-up "Picture").
namespace PictureMenu {
constexpr UINT kResource = IDR_PICTURE_MENU;
constexpr UINT kDelete = ID_PICTURE_DELETE;
constexpr UINT kMoveToFront = ID_PICTURE_TO_FRONT;
constexpr UINT kMoveToBack = ID_PICTURE_TO_BACK;
constexpr UINT kMoveForward = ID_PICTURE_FORWARD;
constexpr UINT kMoveBack = ID_PICTURE_BACKWARD;
} // namespace PictureMenu

// What the picture list needs from the view that shows it. All rectangles are page rectangles.
class IPictureView {
public:
    // Repaints a page rectangle (the pictures and the strokes over them).
    virtual void RepaintPageRect(const RECT& rc) = 0;
    // Shows the moving outline of a picture being dragged (a new call replaces the last one;
    // CPictureTracker::DrawDragOutline draws and erases it). The view removes the last outline
    // itself when the button is released: a drag that ends where it began repaints nothing.
    virtual void ShowDragOutline(const RECT& rc) = 0;
    // Shows the pop-up menu at the cursor, owned by the view, and routes the chosen command.
    virtual void ShowPictureMenu(HMENU hPopup) = 0;

protected:
    ~IPictureView() = default;
};

class CPictures {
public:
    CPictures() = default;
    virtual ~CPictures() = default;
    CPictures(const CPictures&) = delete;
    CPictures& operator=(const CPictures&) = delete;

    // Writes the count and each picture, or replaces the list with the pictures read (none
    // selected). A damaged list throws CArchiveException and leaves the list as it was.
    virtual void Serialize(CArchive& ar);

    // Appends a picture on top and takes ownership; returns its index.
    int Add(std::unique_ptr<CPicture> pPicture);
    int GetCount() const { return static_cast<int>(m_array.size()); }
    // The picture at nIndex; throws std::out_of_range outside 0 .. count - 1.
    CPicture* GetAt(int nIndex) const { return m_array.at(static_cast<std::size_t>(nIndex)).get(); }
    int GetSel() const { return m_nSel; }
    void RemoveAll();
    // Exchanges the pictures and selections of two lists (a note loaded aside takes over).
    void Swap(CPictures& other) noexcept;

    // Draws every picture, back to front, without trackers.
    void DrawAll(HDC hdc);
    // Draws the parts of the pictures inside rcClip, back to front, with the selected tracker.
    void DrawInRect(HDC hdc, const RECT& rcClip);
    // The largest right and bottom edges over all pictures, from (0, 0).
    POINT GetExtent() const;

    // Mouse button down at (x, y): selects the top picture there; true when the selection changed.
    bool SelectAt(IPictureView& view, int x, int y);
    // Mouse move: the tracker part under the point (button up) or a drag step (button down).
    int Track(IPictureView& view, bool bButtonDown, int x, int y);
    // Mouse button up: ends a drag; true when the selected picture moved or changed size.
    bool EndTrack(IPictureView& view, int x, int y);
    // Right button: shows the picture menu over the selected picture; true when shown.
    bool ShowMenu(IPictureView& view, int x, int y);

    RECT Deselect();
    RECT GetSelRect() const;
    RECT Delete();
    RECT MoveToFront();
    RECT MoveToBack();
    RECT MoveForward();
    RECT MoveBack();

private:
    CPicture* Selected() const;
    // Takes the selected picture out and puts it back at nIndex, selected there.
    RECT Reinsert(int nIndex);

    int m_nSel = -1;
    std::vector<std::unique_ptr<CPicture>> m_array;
};
