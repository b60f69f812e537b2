// CNoteFile: a whole note as it is stored in a .Qzn file: the paper settings (CNoteHeader), then
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

// The canvas's paper settings at the head of a note file (28 bytes).
struct CNoteHeader {
    static constexpr std::size_t kSize = 28;

    COLORREF m_crPaper = 13427429; // 0x00CCE2E5
    COLORREF m_crLine = 11321541;  // 0x00ACC0C5
    std::int32_t m_nLineSpacing = 90;
    RECT m_rcPaper{0, 0, 0, 0};

    void Serialize(CArchive& ar);
};

class CNoteFile {
public:
    // The largest note file that is read into memory (1 GiB).
    static constexpr std::int64_t kMaxFileSize = 1LL << 30;

    CNoteFile();
    CNoteFile(const CNoteFile&) = delete;
    CNoteFile& operator=(const CNoteFile&) = delete;

    // Writes header, strokes and pictures in file order.
    static void Store(CArchive& ar, const CNoteHeader& header, CLines& lines, CPictures& pictures);
    // Reads a whole note from the archive into this object, replacing what it held only when
    // everything was read. Bytes after the last picture are ignored. Throws CArchiveException
    // for a file that ends early or holds a count or size it cannot hold.
    void Load(CArchive& ar);

    CNoteHeader m_header;
    std::unique_ptr<CLines> m_pLines;
    std::unique_ptr<CPictures> m_pPictures;
};

// Reads a whole file into memory. False with the system error code when it cannot be opened or
// read, or is larger than a note can be (ERROR_FILE_TOO_LARGE).
bool ReadNoteFileData(const std::wstring& strPath, std::vector<std::uint8_t>& data, DWORD& dwError);
// Writes the bytes to a temporary file beside strPath and then replaces strPath with it, so a
// failed write leaves no partial file and the previous file as it was. False with the system
// error code on failure.
bool WriteNoteFileData(const std::wstring& strPath, const std::vector<std::uint8_t>& data,
                       DWORD& dwError);
