#include "NoteFile.h"

void CNotePaper::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteUInt32(crBack);
        ar.WriteUInt32(crLine);
        ar.WriteInt32(nLineHeight);
        ar.WriteInt32(rcPage.left);
        ar.WriteInt32(rcPage.top);
        ar.WriteInt32(rcPage.right);
        ar.WriteInt32(rcPage.bottom);
        return;
    }
    CNotePaper paper;
    paper.crBack = ar.ReadUInt32();
    paper.crLine = ar.ReadUInt32();
    paper.nLineHeight = ar.ReadInt32();
    paper.rcPage.left = ar.ReadInt32();
    paper.rcPage.top = ar.ReadInt32();
    paper.rcPage.right = ar.ReadInt32();
    paper.rcPage.bottom = ar.ReadInt32();
    *this = paper;
}

CNoteFile::CNoteFile()
    : m_pLines(std::make_unique<CLines>()), m_pPictures(std::make_unique<CPictures>()) {}

void CNoteFile::Store(CArchive& ar, const CNotePaper& paper, CLines& lines, CPictures& pictures) {
    CNotePaper stored = paper;
    stored.Serialize(ar);
    lines.Serialize(ar);
    pictures.Serialize(ar);
}

void CNoteFile::Load(CArchive& ar) {
    CNotePaper paper;
    auto pLines = std::make_unique<CLines>();
    auto pPictures = std::make_unique<CPictures>();
    paper.Serialize(ar);
    pLines->Serialize(ar);
    pPictures->Serialize(ar);
    m_paper = paper;
    m_pLines = std::move(pLines);
    m_pPictures = std::move(pPictures);
}
