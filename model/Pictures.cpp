#include "Pictures.h"

#include <algorithm>

#include "Resources.h"

namespace {

constexpr RECT kEmpty{0, 0, 0, 0};

// The rectangle with the tracker around it: what must be repainted when a tracker appears,
// moves or goes away.
RECT WithTracker(const RECT& rc) {
    RECT r = rc;
    InflateRect(&r, CPictureTracker::kHandleSize, CPictureTracker::kHandleSize);
    return r;
}

RECT Union(const RECT& a, const RECT& b) {
    RECT r;
    UnionRect(&r, &a, &b);
    return r;
}

} // namespace

void CPictures::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteInt32(GetCount());
        for (const auto& p : m_array)
            p->Serialize(ar);
        return;
    }
    const std::int32_t nCount = ar.ReadInt32();
    ar.CheckCount(nCount, CPicture::kRecordSize);
    std::vector<std::unique_ptr<CPicture>> loaded;
    loaded.reserve(static_cast<std::size_t>(nCount));
    for (std::int32_t i = 0; i < nCount; ++i) {
        auto p = std::make_unique<CPicture>();
        p->Serialize(ar);
        loaded.push_back(std::move(p));
    }
    m_array = std::move(loaded);
    m_nSel = -1;
}

int CPictures::Add(std::unique_ptr<CPicture> pPicture) {
    m_array.push_back(std::move(pPicture));
    return GetCount() - 1;
}

void CPictures::RemoveAll() {
    m_array.clear();
    m_nSel = -1;
}

void CPictures::Swap(CPictures& other) noexcept {
    m_array.swap(other.m_array);
    std::swap(m_nSel, other.m_nSel);
}

void CPictures::DrawAll(HDC hdc) {
    for (const auto& p : m_array)
        p->Draw(hdc);
}

void CPictures::DrawInRect(HDC hdc, const RECT& rcClip) {
    for (const auto& p : m_array)
        p->DrawInRect(hdc, rcClip);
}

POINT CPictures::GetExtent() const {
    POINT pt{0, 0};
    for (const auto& p : m_array) {
        pt.x = std::max(pt.x, p->m_rc.right);
        pt.y = std::max(pt.y, p->m_rc.bottom);
    }
    return pt;
}

CPicture* CPictures::Selected() const {
    return m_nSel >= 0 && m_nSel < GetCount() ? m_array[static_cast<std::size_t>(m_nSel)].get()
                                              : nullptr;
}

bool CPictures::SelectAt(IPictureView& view, int x, int y) {
    const POINT pt{x, y};
    int nHit = -1;
    for (int i = GetCount() - 1; i >= 0 && nHit < 0; --i) {
        CPicture& pic = *m_array[static_cast<std::size_t>(i)];
        const RECT rcHit = WithTracker(pic.m_rc);
        if (!PtInRect(&rcHit, pt))
            continue;
        nHit = i;
        // Inside the picture a press starts a move; in the margin, a press on a handle starts
        // a resize and anywhere else starts nothing.
        pic.m_nHit = PtInRect(&pic.m_rc, pt) ? int(CPictureTracker::hitMiddle)
                                             : CPictureTracker::HitTest(pic.m_rc, pt);
        pic.m_ptLast = pt;
        pic.m_rcDrag = pic.m_rc;
    }
    if (nHit < 0) {
        // A press on empty page keeps the selection but must not drag it.
        if (CPicture* pSel = Selected())
            pSel->m_nHit = CPictureTracker::hitNothing;
        return false;
    }
    if (nHit == m_nSel)
        return false;
    CPicture* pOld = Selected();
    m_nSel = nHit;
    CPicture& pic = *m_array[static_cast<std::size_t>(nHit)];
    pic.m_bSelected = 1;
    if (!pOld) {
        view.RepaintPageRect(WithTracker(pic.m_rc));
    } else {
        pOld->m_bSelected = 0;
        view.RepaintPageRect(Union(WithTracker(pOld->m_rc), WithTracker(pic.m_rc)));
    }
    return true;
}

int CPictures::Track(IPictureView& view, bool bButtonDown, int x, int y) {
    CPicture* p = Selected();
    if (!p)
        return CPictureTracker::hitNothing;
    const POINT pt{x, y};
    if (!bButtonDown) {
        p->m_nHit = CPictureTracker::HitTest(p->m_rc, pt);
        return p->m_nHit;
    }
    if (p->m_nHit < 0 || (pt.x == p->m_ptLast.x && pt.y == p->m_ptLast.y))
        return p->m_nHit;
    RECT& rc = p->m_rcDrag;
    switch (p->m_nHit) {
    case CPictureTracker::hitTopLeft:
        rc.left = x, rc.top = y;
        break;
    case CPictureTracker::hitTopRight:
        rc.right = x, rc.top = y;
        break;
    case CPictureTracker::hitBottomRight:
        rc.right = x, rc.bottom = y;
        break;
    case CPictureTracker::hitBottomLeft:
        rc.left = x, rc.bottom = y;
        break;
    case CPictureTracker::hitTop:
        rc.top = y;
        break;
    case CPictureTracker::hitRight:
        rc.right = x;
        break;
    case CPictureTracker::hitBottom:
        rc.bottom = y;
        break;
    case CPictureTracker::hitLeft:
        rc.left = x;
        break;
    default:
        OffsetRect(&rc, x - p->m_ptLast.x, y - p->m_ptLast.y);
        break;
    }
    p->m_ptLast = pt;
    view.ShowDragOutline(rc);
    return p->m_nHit;
}

bool CPictures::EndTrack(IPictureView& view, int, int) {
    CPicture* p = Selected();
    if (!p || p->m_nHit < 0 || EqualRect(&p->m_rcDrag, &p->m_rc))
        return false;
    const RECT rcOld = p->m_rc;
    const RECT rc = CPictureTracker::Normalize(p->m_rcDrag);
    // The picture takes its new place before the view repaints, which draws it there.
    p->m_rc = p->m_rcDrag = rc;
    view.RepaintPageRect(Union(WithTracker(rcOld), WithTracker(rc)));
    return true;
}

bool CPictures::ShowMenu(IPictureView& view, int x, int y) {
    CPicture* p = Selected();
    const POINT pt{x, y};
    if (!p || !PtInRect(&p->m_rc, pt))
        return false;
    p->m_nHit = CPictureTracker::hitNothing;
    LPCWSTR pszMenu = MAKEINTRESOURCEW(PictureMenu::kResource);
    HMENU hMenu = LoadMenuW(FindResourceModule(pszMenu, RT_MENU), pszMenu);
    HMENU hPopup = hMenu ? GetSubMenu(hMenu, 0) : nullptr;
    if (hPopup)
        view.ShowPictureMenu(hPopup);
    if (hMenu)
        DestroyMenu(hMenu);
    return hPopup != nullptr;
}

RECT CPictures::Deselect() {
    CPicture* p = Selected();
    m_nSel = -1;
    if (!p || !p->m_bSelected)
        return kEmpty;
    p->m_bSelected = 0;
    return WithTracker(p->m_rc);
}

RECT CPictures::GetSelRect() const {
    const CPicture* p = Selected();
    return p ? p->m_rc : kEmpty;
}

RECT CPictures::Delete() {
    CPicture* p = Selected();
    if (!p)
        return kEmpty;
    const RECT rc = WithTracker(p->m_rc);
    m_array.erase(m_array.begin() + m_nSel);
    m_nSel = -1;
    return rc;
}

RECT CPictures::Reinsert(int nIndex) {
    auto it = m_array.begin() + m_nSel;
    std::unique_ptr<CPicture> p = std::move(*it);
    m_array.erase(it);
    const RECT rc = p->m_rc;
    m_array.insert(m_array.begin() + nIndex, std::move(p));
    m_nSel = nIndex;
    return rc;
}

RECT CPictures::MoveToFront() {
    return Selected() && m_nSel < GetCount() - 1 ? Reinsert(GetCount() - 1) : kEmpty;
}

RECT CPictures::MoveToBack() {
    return Selected() && m_nSel > 0 ? Reinsert(0) : kEmpty;
}

RECT CPictures::MoveForward() {
    return Selected() && m_nSel < GetCount() - 1 ? Reinsert(m_nSel + 1) : kEmpty;
}

RECT CPictures::MoveBack() {
    return Selected() && m_nSel > 0 ? Reinsert(m_nSel - 1) : kEmpty;
}
