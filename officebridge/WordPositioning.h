// Word places floating objects relative to reference frames (horizontal: 0 margin, 1 page,
// 2 column, 3 character; vertical: 0 margin, 1 page, 2 paragraph, 3 line). These two functions
// convert positions between frames; they are kept apart from the automation so that the tables
// can be checked on their own.
#pragma once

// Top of an object whose vertical frame changes; nKey = current frame * 16 + target frame,
// fTop the current top, fAnchor the vertical page position of its anchor, fMargin the top margin
// distance. Combinations without a conversion keep the top.
float WordFrameTop(int nKey, float fTop, float fAnchor, float fMargin);

// Base position of an object placed relative to the reference shape; nKey = object's frame * 16
// + reference's frame, fRef the reference's left (or top), fRefAnchor and fObjAnchor the page
// positions of the two anchors, fMargin the margin distance. Combinations without a formula (a
// character or line frame against another frame) use the same-frame placement.
float WordBaseOffset(int nKey, float fRef, float fRefAnchor, float fObjAnchor, float fMargin);
