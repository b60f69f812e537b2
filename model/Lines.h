// CLines: the note's strokes in drawing order (index 0 oldest, drawn first) and the stack of
// strokes taken back by undo. It owns every stroke in both; undo and redo move the very same
// stroke objects between them. Operations that change what is visible return the page
// rectangle to repaint, (0,0,0,0) when nothing changed.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "Archive.h"
#include "Line.h"

class CLines {
public:
    CLines() = default;
    virtual ~CLines() = default;
    CLines(const CLines&) = delete;
    CLines& operator=(const CLines&) = delete;

    // Writes the stroke count and the strokes, or replaces the strokes with those read. A
    // damaged list throws CArchiveException and leaves the strokes as they were.
    virtual void Serialize(CArchive& ar);

    // Appends a stroke and takes ownership; returns its index.
    int Add(std::unique_ptr<CLine> pLine);
    int GetCount() const { return static_cast<int>(m_lines.size()); }
    // The stroke at nIndex; throws std::out_of_range outside 0 .. count - 1.
    CLine* GetAt(int nIndex) const;
    int GetRedoCount() const { return static_cast<int>(m_redo.size()); }

    // Moves the newest stroke onto the redo stack; returns the rectangle its pixels lay in
    // (CLine::GetPaintBound).
    RECT Undo();
    // Moves the top of the redo stack back to the end, draws it on hdc (when given) and returns
    // the rectangle its pixels lie in.
    RECT Redo(HDC hdc);
    void RemoveAll() { m_lines.clear(); }
    // Deletes the stroke at nIndex; throws std::out_of_range outside 0 .. count - 1.
    void RemoveAt(int nIndex);
    // Exchanges the strokes and redo stacks of two lists (a note loaded aside takes over).
    void Swap(CLines& other) noexcept {
        m_lines.swap(other.m_lines);
        m_redo.swap(other.m_redo);
    }
    void ClearRedo() { m_redo.clear(); }
    // Treats the newest stroke as an eraser path: removes it and every stroke it touches, and
    // returns the union of the touched strokes' reach bounds (CLine::GetReachBound).
    RECT EraseByLast();

    void DrawAll(HDC hdc);
    void DrawInRect(HDC hdc, const RECT& rcClip);

    RECT GetBound() const;
    RECT GetMarkerBound() const;
    RECT GetInkBound() const;

private:
    enum class EBoundOf { All, Marker, Ink };
    RECT UniteBounds(EBoundOf nWhich) const;

    std::vector<std::unique_ptr<CLine>> m_lines;
    std::vector<std::unique_ptr<CLine>> m_redo;
};
