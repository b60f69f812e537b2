#include "NoteFile.h"

void CNoteHeader::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteUInt32(m_crPaper);
        ar.WriteUInt32(m_crLine);
        ar.WriteInt32(m_nLineSpacing);
        ar.WriteInt32(m_rcPaper.left);
        ar.WriteInt32(m_rcPaper.top);
        ar.WriteInt32(m_rcPaper.right);
        ar.WriteInt32(m_rcPaper.bottom);
        return;
    }
    CNoteHeader h;
    h.m_crPaper = ar.ReadUInt32();
    h.m_crLine = ar.ReadUInt32();
    h.m_nLineSpacing = ar.ReadInt32();
    h.m_rcPaper.left = ar.ReadInt32();
    h.m_rcPaper.top = ar.ReadInt32();
    h.m_rcPaper.right = ar.ReadInt32();
    h.m_rcPaper.bottom = ar.ReadInt32();
    *this = h;
}

CNoteFile::CNoteFile()
    : m_pLines(std::make_unique<CLines>()), m_pPictures(std::make_unique<CPictures>()) {}

void CNoteFile::Store(CArchive& ar, const CNoteHeader& header, CLines& lines, CPictures& pictures) {
    CNoteHeader h = header;
    h.Serialize(ar);
    lines.Serialize(ar);
    pictures.Serialize(ar);
}

void CNoteFile::Load(CArchive& ar) {
    CNoteHeader header;
    auto pLines = std::make_unique<CLines>();
    auto pPictures = std::make_unique<CPictures>();
    header.Serialize(ar);
    pLines->Serialize(ar);
    pPictures->Serialize(ar);
    m_header = header;
    m_pLines = std::move(pLines);
    m_pPictures = std::move(pPictures);
}

namespace {

class CFile {
public:
    CFile(const std::wstring& strPath, DWORD dwAccess, DWORD dwCreate)
        : m_h(CreateFileW(strPath.c_str(), dwAccess, dwAccess == GENERIC_READ ? FILE_SHARE_READ : 0,
                          nullptr, dwCreate, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile() { Close(); }
    bool IsOpen() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }
    bool Close() {
        bool bOk = true;
        if (IsOpen())
            bOk = CloseHandle(m_h) != 0;
        m_h = INVALID_HANDLE_VALUE;
        return bOk;
    }

private:
    HANDLE m_h;
};

} // namespace

bool ReadNoteFileData(const std::wstring& strPath, std::vector<std::uint8_t>& data,
                      DWORD& dwError) {
    dwError = ERROR_SUCCESS;
    CFile file(strPath, GENERIC_READ, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!file.IsOpen() || !GetFileSizeEx(file.Get(), &size)) {
        dwError = GetLastError();
        return false;
    }
    if (size.QuadPart > CNoteFile::kMaxFileSize) {
        dwError = ERROR_FILE_TOO_LARGE;
        return false;
    }
    data.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD dwRead = 0;
    if (!data.empty() &&
        (!ReadFile(file.Get(), data.data(), static_cast<DWORD>(data.size()), &dwRead, nullptr) ||
         dwRead != data.size())) {
        dwError = dwRead != data.size() && GetLastError() == ERROR_SUCCESS ? ERROR_HANDLE_EOF
                                                                           : GetLastError();
        data.clear();
        return false;
    }
    return true;
}

bool WriteNoteFileData(const std::wstring& strPath, const std::vector<std::uint8_t>& data,
                       DWORD& dwError) {
    dwError = ERROR_SUCCESS;
    const std::wstring strTemp = strPath + L".tmp";
    CFile file(strTemp, GENERIC_WRITE, CREATE_ALWAYS);
    if (!file.IsOpen()) {
        dwError = GetLastError();
        return false;
    }
    DWORD dwWritten = 0;
    bool bOk = data.size() <= 0xFFFFFFFFu &&
               (data.empty() || (WriteFile(file.Get(), data.data(), static_cast<DWORD>(data.size()),
                                           &dwWritten, nullptr) &&
                                 dwWritten == data.size()));
    bOk = bOk && FlushFileBuffers(file.Get());
    if (!bOk)
        dwError = GetLastError();
    if (!file.Close() && bOk) {
        bOk = false;
        dwError = GetLastError();
    }
    if (bOk && !MoveFileExW(strTemp.c_str(), strPath.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        bOk = false;
        dwError = GetLastError();
    }
    if (!bOk)
        DeleteFileW(strTemp.c_str());
    if (!bOk && dwError == ERROR_SUCCESS)
        dwError = ERROR_WRITE_FAULT;
    return bOk;
}
