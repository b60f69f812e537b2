#include "WordPositioning.h"

float WordFrameTop(int nKey, float fTop, float fAnchor, float fMargin) {
    switch (nKey) {
    case 0x01:
        return fTop + fMargin;
    case 0x02:
        return fTop + fMargin - fAnchor;
    case 0x10:
        return fTop - fMargin;
    case 0x12:
        return fTop - fAnchor;
    case 0x20:
        return fTop + fAnchor - fMargin;
    case 0x21:
        return fTop + fAnchor;
    default:
        return fTop;
    }
}

float WordBaseOffset(int nKey, float fRef, float fRefAnchor, float fObjAnchor, float fMargin) {
    switch (nKey) {
    case 0x01:
        return fRef - fMargin + fRefAnchor - fObjAnchor;
    case 0x02:
        return fRef + 2 * fRefAnchor - fMargin - fObjAnchor;
    case 0x10:
        return fRef + fMargin + fRefAnchor - fObjAnchor;
    case 0x12:
        return fRef + 2 * fRefAnchor - fObjAnchor;
    case 0x20:
        return fRef + fMargin - fObjAnchor;
    case 0x21:
        return fRef - fObjAnchor;
    default:
        return fRef + fRefAnchor - fObjAnchor;
    }
}
