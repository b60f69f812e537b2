// ETool: the drawing tools by the numbers the view, the bars, the pen-width popup and the stroke
// record share. A stroke stores its tool in the note file, so the numbers never change.
#pragma once

enum ETool : int {
    kToolPicture = 0, // moves and sizes pictures, draws nothing
    kToolEraser = 1,
    kToolPencil = 2,
    kToolBrush = 3,
    kToolMarker = 4,
};

constexpr int kToolCount = 5;
