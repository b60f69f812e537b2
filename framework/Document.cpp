#include "Document.h"

#include <algorithm>
#include <memory>

#include "DocTemplate.h"
#include "FileDialog.h"
#include "FileHandle.h"
#include "FrameWnd.h"
#include "FrameworkIds.h"
#include "Message.h"
#include "Resources.h"
#include "View.h"
#include "WaitCursor.h"
#include "WinApp.h"

namespace {
// A note file larger than this cannot be one of ours; refusing it avoids a huge allocation.
constexpr LONGLONG kMaxFileBytes = 1LL << 30;

std::wstring FolderOf(const std::wstring& strPath) {
    std::wstring::size_type n = strPath.find_last_of(L"\\/");
    if (n == std::wstring::npos)
        return L".";
    if (n == 2 && strPath[1] == L':')
        return strPath.substr(0, 3);
    return strPath.substr(0, n);
}

CDocument::EFileError WriteError(DWORD dwError) {
    if (dwError == ERROR_DISK_FULL || dwError == ERROR_HANDLE_DISK_FULL)
        return CDocument::EFileError::DiskFull;
    return CDocument::EFileError::SaveFailed;
}

// Thrown by the file's sink to stop the storing when a write fails.
struct CWriteFailed {
    DWORD dwError;
};

bool WriteAll(HANDLE hFile, const std::uint8_t* p, std::size_t n) {
    std::size_t nDone = 0;
    while (nDone < n) {
        const DWORD nChunk = static_cast<DWORD>(std::min<std::size_t>(n - nDone, 1 << 24));
        DWORD nWritten = 0;
        if (!WriteFile(hFile, p + nDone, nChunk, &nWritten, nullptr) || nWritten == 0)
            return false;
        nDone += nWritten;
    }
    return true;
}

// Lets store write through a storing archive straight into the file.
CDocument::EFileError StoreInto(HANDLE hFile, const std::function<void(CArchive&)>& store) {
    CArchive ar([hFile](const std::uint8_t* p, std::size_t n) {
        if (!WriteAll(hFile, p, n))
            throw CWriteFailed{GetLastError()};
    });
    try {
        store(ar);
        ar.Flush();
    } catch (const CWriteFailed& failed) {
        return WriteError(failed.dwError);
    } catch (...) {
        return CDocument::EFileError::SaveFailed;
    }
    return CDocument::EFileError::None;
}
} // namespace

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    SetTitle(L"Untitled");
    return TRUE;
}

CDocument::EFileError CDocument::ReadFileBytes(const wchar_t* pszPath,
                                               std::vector<std::uint8_t>& data) {
    CFileHandle file(CFileHandle::OpenToRead(pszPath));
    if (!file.IsValid())
        return EFileError::OpenFailed;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size))
        return EFileError::ReadError;
    if (size.QuadPart > kMaxFileBytes)
        return EFileError::BadFormat;
    data.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t nDone = 0;
    while (nDone < data.size()) {
        DWORD nChunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - nDone, 1 << 24));
        DWORD nRead = 0;
        if (!ReadFile(file.Get(), data.data() + nDone, nChunk, &nRead, nullptr))
            return EFileError::ReadError;
        if (nRead == 0)
            break;
        nDone += nRead;
    }
    data.resize(nDone);
    return EFileError::None;
}

CDocument::EFileError CDocument::WriteFileReplacing(const wchar_t* pszPath,
                                                    const std::function<void(CArchive&)>& store) {
    wchar_t szFull[MAX_PATH * 2] = {};
    if (!GetFullPathNameW(pszPath, static_cast<DWORD>(std::size(szFull)), szFull, nullptr))
        return EFileError::SaveFailed;
    wchar_t szTemp[MAX_PATH * 2] = {};
    if (!GetTempFileNameW(FolderOf(szFull).c_str(), L"qzn", 0, szTemp))
        return WriteError(GetLastError());
    EFileError nError = EFileError::None;
    {
        CFileHandle file(CreateFileW(szTemp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
        nError = file.IsValid() ? StoreInto(file.Get(), store) : WriteError(GetLastError());
        if (nError == EFileError::None && !FlushFileBuffers(file.Get()))
            nError = WriteError(GetLastError());
        if (!file.Close() && nError == EFileError::None)
            nError = WriteError(GetLastError());
    }
    if (nError == EFileError::None &&
        !MoveFileExW(szTemp, szFull, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        nError = WriteError(GetLastError());
    if (nError != EFileError::None)
        DeleteFileW(szTemp);
    return nError;
}

CDocument::EFileError CDocument::WriteFileReplacing(const wchar_t* pszPath,
                                                    const std::vector<std::uint8_t>& data) {
    return WriteFileReplacing(pszPath,
                              [&data](CArchive& ar) { ar.WriteBytes(data.data(), data.size()); });
}

BOOL CDocument::OnOpenDocument(const wchar_t* pszPath) {
    CWaitCursor wait;
    std::vector<std::uint8_t> data;
    EFileError nError = ReadFileBytes(pszPath, data);
    if (nError == EFileError::None) {
        try {
            CArchive ar(std::move(data));
            Serialize(ar);
        } catch (const CArchiveException&) {
            nError = EFileError::BadFormat;
        } catch (const CUserException&) {
            return FALSE;
        } catch (...) {
            nError = EFileError::OpenFailed;
        }
    }
    if (nError != EFileError::None) {
        ReportFileError(nError, pszPath);
        return FALSE;
    }
    SetModifiedFlag(false);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const wchar_t* pszPath) {
    CWaitCursor wait;
    const EFileError nError = WriteFileReplacing(pszPath, [this](CArchive& ar) { Serialize(ar); });
    if (nError != EFileError::None) {
        ReportFileError(nError, pszPath);
        return FALSE;
    }
    SetModifiedFlag(false);
    return TRUE;
}

bool CDocument::StoreCopy(const wchar_t* pszPath) {
    return WriteFileReplacing(pszPath, [this](CArchive& ar) {
               ar.SetQuiet(true);
               Serialize(ar);
           }) == EFileError::None;
}

BOOL CDocument::SaveModified() {
    if (!IsModified())
        return TRUE;
    std::wstring strName = m_strTitle.empty() ? std::wstring(L"Untitled") : m_strTitle;
    std::wstring strText = FormatString1(L"Save changes to %1?", strName);
    switch (ShowMessage(OwnerWindow(), strText, LoadResString(IDS_APP_TITLE),
                        MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    default:
        return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* /*pFrame*/) {
    return SaveModified();
}

BOOL CDocument::DoFileSave() {
    DWORD dwAttrib =
        m_strPathName.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(m_strPathName.c_str());
    if (m_strPathName.empty() ||
        (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_READONLY)))
        return DoSave(nullptr);
    return DoSave(m_strPathName.c_str());
}

BOOL CDocument::DoSave(const wchar_t* pszPath, bool bReplace) {
    std::wstring strPath = pszPath ? pszPath : L"";
    if (strPath.empty()) {
        std::wstring strFilter, strExt;
        if (m_pDocTemplate) {
            strFilter = m_pDocTemplate->GetDocString(CSingleDocTemplate::filterName) + L"|*" +
                        m_pDocTemplate->GetDocString(CSingleDocTemplate::filterExt) + L"||";
            strExt = m_pDocTemplate->GetDocString(CSingleDocTemplate::filterExt);
        }
        if (!strExt.empty() && strExt[0] == L'.')
            strExt.erase(0, 1);
        CFileDialog dlg(false, strExt.c_str(), m_strTitle.c_str(),
                        OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, strFilter.c_str(), OwnerWindow());
        if (dlg.DoModal() != IDOK)
            return FALSE;
        strPath = dlg.GetPathName();
    }
    if (!OnSaveDocument(strPath.c_str()))
        return FALSE;
    if (bReplace)
        SetPathName(strPath);
    return TRUE;
}

void CDocument::SetTitle(const std::wstring& strTitle) {
    m_strTitle = strTitle;
    if (m_pFrame)
        m_pFrame->OnUpdateFrameTitle();
}

void CDocument::SetPathName(const std::wstring& strPath, bool bAddToMRU) {
    wchar_t szFull[MAX_PATH * 2] = {};
    DWORD n =
        GetFullPathNameW(strPath.c_str(), static_cast<DWORD>(std::size(szFull)), szFull, nullptr);
    m_strPathName = (n > 0 && n < std::size(szFull)) ? std::wstring(szFull) : strPath;
    std::wstring::size_type nSlash = m_strPathName.find_last_of(L"\\/");
    SetTitle(nSlash == std::wstring::npos ? m_strPathName : m_strPathName.substr(nSlash + 1));
    if (bAddToMRU && CWinApp::Get())
        CWinApp::Get()->AddToRecentFileList(m_strPathName);
}

void CDocument::UpdateAllViews(CView* pSender) {
    if (m_pView && m_pView != pSender)
        m_pView->OnUpdate(pSender);
}

std::wstring CDocument::FileErrorText(EFileError nError, const std::wstring& strPath) {
    switch (nError) {
    case EFileError::None:
        return std::wstring();
    case EFileError::OpenFailed:
        return L"Failed to open document.";
    case EFileError::SaveFailed:
        return L"Failed to save document.";
    case EFileError::BadFormat:
        return L"Unexpected file format.";
    case EFileError::ReadError:
        return FormatString1(L"Encountered an unexpected error while reading %1.", strPath);
    case EFileError::DiskFull:
        return L"Destination disk drive is full.";
    }
    return std::wstring();
}

void CDocument::ReportFileError(EFileError nError, const std::wstring& strPath) const {
    if (nError == EFileError::None)
        return;
    ShowMessage(OwnerWindow(), FileErrorText(nError, strPath), LoadResString(IDS_APP_TITLE),
                MB_OK | MB_ICONEXCLAMATION);
}

HWND CDocument::OwnerWindow() const {
    return m_pFrame ? m_pFrame->m_hWnd : nullptr;
}
