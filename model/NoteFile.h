// CNoteFile: a whole note as it is stored in a .Qzn file: the paper settings (CNotePaper), then
// the strokes, then the pictures, each class writing its own records with no tags or version.
// Storing writes the three in that order. Loading reads them into fresh lists that the note
// file holds, so a damaged file (CArchiveException) leaves whatever the caller has untouched;
// the document takes the lists over only after a load has succeeded.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Archive.h"
#include "Lines.h"
#include "Pictures.h"

// The paper of a note: the canvas's settings that head its file (28 bytes). The default is the
// paper of the settings file's defaults, with no page yet.
struct CNotePaper {
    static constexpr std::size_t kSize = 28;

    COLORREF crBack = 13427429; // 0x00CCE2E5
    COLORREF crLine = 11321541; // 0x00ACC0C5
    std::int32_t nLineHeight = 90;
    RECT rcPage{0, 0, 0, 0};

    void Serialize(CArchive& ar);
};

class CNoteFile {
public:
    CNoteFile();
    CNoteFile(const CNoteFile&) = delete;
    CNoteFile& operator=(const CNoteFile&) = delete;

    // Writes header, strokes and pictures in file order.
    static void Store(CArchive& ar, const CNotePaper& paper, CLines& lines, CPictures& pictures);
    // Reads a whole note from the archive into this object, replacing what it held only when
    // everything was read. Bytes after the last picture are ignored. Throws CArchiveException
    // for a file that ends early or holds a count or size it cannot hold.
    void Load(CArchive& ar);

    CNotePaper m_paper;
    std::unique_ptr<CLines> m_pLines;
    std::unique_ptr<CPictures> m_pPictures;
};
