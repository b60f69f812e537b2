#include "ScrivoDoc.h"

#include <algorithm>
#include <cwctype>

#include "FileDialog.h"
#include "FrameWnd.h"
#include "FrameworkIds.h"
#include "GdiObjects.h"
#include "Message.h"
#include "PageRules.h"
#include "Resources.h"
#include "Settings.h"
#include "View.h"
#include "kvofunc.h"
#include "resource.h"

namespace {
CScrivoDoc::FilePrompt& Prompt() {
    static CScrivoDoc::FilePrompt prompt;
    return prompt;
}

std::wstring Upper(std::wstring str) {
    for (wchar_t& ch : str)
        ch = static_cast<wchar_t>(std::towupper(ch));
    return str;
}

std::wstring LastPart(const std::wstring& strPath) {
    std::wstring::size_type n = strPath.find_last_of(L'\\');
    return n == std::wstring::npos ? strPath : strPath.substr(n + 1);
}

constexpr DWORD kDialogFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

} // namespace

void CScrivoDoc::SetFilePrompt(FilePrompt prompt) {
    Prompt() = std::move(prompt);
}

IScrivoCanvas* CScrivoDoc::GetCanvas() const {
    return dynamic_cast<IScrivoCanvas*>(GetFirstView());
}

std::optional<std::wstring> CScrivoDoc::PromptFile(bool bOpen, const std::wstring& strFilter,
                                                   const std::wstring& strName) {
    if (Prompt())
        return Prompt()(bOpen, strFilter, strName);
    CFileDialog dlg(bOpen, L"Qzn", strName.c_str(), kDialogFlags, strFilter.c_str(),
                    GetFrame() ? GetFrame()->m_hWnd : nullptr);
    if (dlg.DoModal() != IDOK)
        return std::nullopt;
    return dlg.GetPathName();
}

std::wstring CScrivoDoc::SaveFilter(int nMode) {
    if (nMode == kModeDesktop)
        return L"Quillet(*.Qzn)|*.Qzn||";
    return L"Quillet(*.Qzn)|*.Qzn|JPG File (*.jpg)|*.jpg||";
}

std::wstring CScrivoDoc::MakeAutoName(const SYSTEMTIME& stToday, const std::wstring& strStored) {
    wchar_t szPrefix[32];
    wsprintfW(szPrefix, L"%02d%02d%04d-", stToday.wMonth, stToday.wDay, stToday.wYear);
    std::wstring strPrefix = szPrefix;
    if (strStored.find(strPrefix) == std::wstring::npos)
        return strPrefix + L"1";
    // The number after the 9-character prefix; what does not parse counts as 0.
    long long nLast = 0;
    for (std::size_t i = strPrefix.size(); i < strStored.size(); ++i) {
        if (strStored[i] < L'0' || strStored[i] > L'9')
            break;
        nLast = std::min<long long>(nLast * 10 + (strStored[i] - L'0'), 1'000'000'000);
    }
    return strPrefix + std::to_wstring(nLast + 1);
}

bool CScrivoDoc::IsJpegName(const std::wstring& strPath) {
    std::wstring::size_type n = strPath.find(L"jpg");
    return n != std::wstring::npos && n + 3 == strPath.size();
}

SIZE CScrivoDoc::JpegExportSize(const RECT& rcLines, const RECT& rcPictures, const RECT& rcPaper) {
    LONG cx = std::max(rcLines.right, rcPictures.right);
    LONG cy = std::max(rcLines.bottom, rcPictures.bottom);
    if (cx <= 0)
        cx = 300;
    if (cy <= 0)
        cy = 300;
    cx = std::min(cx + 20, rcPaper.right - rcPaper.left);
    cy = std::min(cy + 20, rcPaper.bottom - rcPaper.top);
    return {std::max(1L, cx), std::max(1L, cy)};
}

BOOL CScrivoDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return FALSE;
    IScrivoCanvas* pCanvas = GetCanvas();
    if (pCanvas)
        pCanvas->ScrollToOrigin();
    m_lines.RemoveAll();
    m_lines.ClearRedo();
    m_pictures.RemoveAll();
    if (pCanvas) {
        pCanvas->ClearPage();
        pCanvas->PaintPage(false);
    }
    m_strPath.clear();
    return TRUE;
}

BOOL CScrivoDoc::OnOpenDocument(const wchar_t* pszPath) {
    std::wstring strPath = pszPath ? pszPath : L"";
    if (Upper(strPath).find(L".QZN") == std::wstring::npos)
        return FALSE;
    if (!CDocument::OnOpenDocument(strPath.c_str()))
        return FALSE;
    if (IScrivoCanvas* pCanvas = GetCanvas()) {
        pCanvas->PaintPage(true);
        if (m_lines.GetCount() > 0 || m_pictures.GetCount() > 0)
            pCanvas->SetHasInk(true);
    }
    m_lines.ClearRedo();
    m_strPath = strPath;
    SetTitle(LastPart(strPath));
    return TRUE;
}

CNotePaper CScrivoDoc::CheckedPaper(const CNotePaper& stored) {
    CNotePaper paper = stored;
    paper.crBack = settings::SafeColor(stored.crBack, settings::kDefaultBackColor);
    paper.crLine = settings::SafeColor(stored.crLine, settings::kDefaultLineColor);
    paper.nLineHeight = settings::SafeLineHeight(stored.nLineHeight);
    if (!page::IsWritablePage(paper.rcPage))
        throw CArchiveException("paper rectangle out of range");
    return paper;
}

void CScrivoDoc::Serialize(CArchive& ar) {
    IScrivoCanvas* pCanvas = GetCanvas();
    if (ar.IsStoring()) {
        const CNotePaper paper = pCanvas ? pCanvas->GetPaper() : CNotePaper{};
        CNoteFile::Store(ar, paper, m_lines, m_pictures);
        return;
    }
    // The whole file is read aside first; only a note that reads completely replaces this one.
    CNoteFile note;
    note.Load(ar);
    CNotePaper paper = CheckedPaper(note.m_paper);
    if (pCanvas && !pCanvas->SetPaper(paper)) {
        // Every page the rules accept fits in memory when memory is free; when it is not, the
        // note open so far keeps its page, strokes and pictures.
        const RECT& rc = paper.rcPage;
        ShowMessage(OwnerWindow(),
                    FormatString1(LoadResString(IDS_PAGE_NO_MEMORY),
                                  std::to_wstring(rc.right - rc.left) + L" x " +
                                      std::to_wstring(rc.bottom - rc.top)),
                    LoadResString(IDS_APP_TITLE), MB_OK | MB_ICONEXCLAMATION);
        throw CUserException();
    }
    UpdateAllViews(nullptr);
    m_pictures.Swap(*note.m_pPictures);
    m_lines.Swap(*note.m_pLines);
}

bool CScrivoDoc::IsReadableNote(const std::wstring& strPath) {
    std::vector<std::uint8_t> data;
    if (ReadFileBytes(strPath.c_str(), data) != EFileError::None)
        return false;
    try {
        CArchive ar(std::move(data));
        CNoteFile note;
        note.Load(ar);
        CheckedPaper(note.m_paper);
        return true;
    } catch (...) {
        return false;
    }
}

BOOL CScrivoDoc::RestoreFrom(const std::wstring& strPath) {
    if (!OnOpenDocument(strPath.c_str()))
        return FALSE;
    ClearPathName();
    m_strPath.clear();
    SetTitle(L"Untitled");
    SetModifiedFlag(true);
    return TRUE;
}

BOOL CScrivoDoc::OnSaveDocument(const wchar_t* pszPath) {
    std::wstring strPath = pszPath ? pszPath : L"";
    if (m_bSaveAsJpg)
        return ExportPicture(strPath) ? TRUE : FALSE;
    if (m_bMailing)
        return SaveForMail(strPath);
    return CDocument::OnSaveDocument(strPath.c_str());
}

BOOL CScrivoDoc::SaveForMail(const std::wstring& strPath) {
    std::wstring strUpper = Upper(strPath);
    if (strUpper.find(L"JXM") == std::wstring::npos || strUpper.find(L".TMP") == std::wstring::npos)
        return TRUE;
    IScrivoCanvas* pCanvas = GetCanvas();
    if (pCanvas && pCanvas->GetFrameMode() == kModeDesktop)
        return SaveDesktopForMail(strUpper) ? TRUE : FALSE;
    return ExportPicture(strUpper) ? TRUE : FALSE;
}

bool CScrivoDoc::ExportPicture(const std::wstring& strPath) {
    IScrivoCanvas* pCanvas = GetCanvas();
    if (!pCanvas || !pCanvas->GetPageDC()) {
        ReportFileError(EFileError::SaveFailed, strPath);
        return false;
    }
    // The sizing handles of a selected picture belong to the screen, not to the picture file.
    pCanvas->DropPictureSelection();
    CNotePaper paper = pCanvas->GetPaper();
    POINT ptPictures = m_pictures.GetExtent();
    RECT rcPictures = {0, 0, ptPictures.x, ptPictures.y};
    SIZE size = JpegExportSize(m_lines.GetBound(), rcPictures, paper.rcPage);

    CWindowDC screen(nullptr);
    COwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
    CMemoryDC dc(screen.Get());
    bool bOk = bitmap && dc;
    if (bOk) {
        CSelectScope select(dc.Get(), bitmap.Get());
        BitBlt(dc.Get(), 0, 0, size.cx, size.cy, pCanvas->GetPageDC(), 0, 0, SRCCOPY);
        // The library writes beside the target and replaces it only on success, so a failure
        // keeps an older picture; its Unicode path reaches every folder the user can choose.
        bOk = CreateAttachmentW(dc.Get(), bitmap.Get(), strPath.c_str(), m_nImageFormat,
                                paper.crBack, paper.crLine) != FALSE;
    }
    if (!bOk)
        ReportFileError(EFileError::SaveFailed, strPath);
    return bOk;
}

BOOL CScrivoDoc::CanCloseFrame(CFrameWnd* pFrame) {
    IScrivoCanvas* pCanvas = GetCanvas();
    if (pCanvas)
        pCanvas->PauseForDialog(true);
    const BOOL bClose = CDocument::CanCloseFrame(pFrame);
    if (pCanvas && !bClose)
        pCanvas->PauseForDialog(false);
    return bClose;
}

void CScrivoDoc::OnFileOpen() {
    CCanvasPause pause(GetCanvas(), &IScrivoCanvas::PauseForDialog);
    // Unsaved writing is offered for saving first, as New and Close do; Cancel opens nothing.
    if (!SaveModified())
        return;
    std::optional<std::wstring> path = PromptFile(true, OpenFilter(), std::wstring());
    if (!path)
        return;
    if (OnOpenDocument(path->c_str()))
        SetPathName(*path);
}

void CScrivoDoc::OnFileSave() {
    IScrivoCanvas* pCanvas = GetCanvas();
    CCanvasPause pause(pCanvas, &IScrivoCanvas::PauseForDialog);
    int nMode = pCanvas ? pCanvas->GetFrameMode() : kModeLetter;
    // Automatic names belong to the alternative interface resources.
    bool bAutoName = GetResourceInstance() != GetModuleHandleW(nullptr);
    std::wstring strSuggested;
    if (bAutoName) {
        SYSTEMTIME st{};
        GetLocalTime(&st);
        strSuggested = MakeAutoName(st, settings::ReadRecordDate());
    }
    std::optional<std::wstring> path =
        PromptFile(false, SaveFilter(nMode), m_strPath.empty() ? strSuggested : m_strPath);
    if (!path)
        return;
    const std::wstring strName = LastPart(*path);
    m_bSaveAsJpg = IsJpegName(*path);
    const bool bNoteFile = !m_bSaveAsJpg && !m_bMailing;
    BOOL bOk = OnSaveDocument(path->c_str());
    m_bSaveAsJpg = false;
    // The note takes the new name once it is saved under it. A picture export leaves the note's
    // name and file alone, so that "Save changes to" names the note and its Yes saves the note
    // where it belongs, never into the picture.
    if (bOk && bNoteFile) {
        m_strPath = strName;
        SetPathName(*path);
    }
    if (bOk && bAutoName && !strSuggested.empty() &&
        strName.find(strSuggested) != std::wstring::npos)
        settings::WriteRecordDate(strSuggested);
}

BOOL CScrivoDoc::DoSave(const wchar_t* pszPath, bool bReplace) {
    if (pszPath && *pszPath)
        return CDocument::DoSave(pszPath, bReplace);
    std::optional<std::wstring> path = PromptFile(false, OpenFilter(), GetTitle());
    if (!path)
        return FALSE;
    std::wstring strPath = *path;
    if (IsPictureName(strPath))
        strPath += L".Qzn";
    return CDocument::DoSave(strPath.c_str(), bReplace);
}

bool CScrivoDoc::IsPictureName(const std::wstring& strPath) {
    const std::wstring strName = Upper(LastPart(strPath));
    const std::wstring::size_type nDot = strName.find_last_of(L'.');
    if (nDot == std::wstring::npos)
        return false;
    const std::wstring strExt = strName.substr(nDot + 1);
    return strExt == L"JPG" || strExt == L"JPEG" || strExt == L"BMP" || strExt == L"PNG" ||
           strExt == L"GIF";
}

bool CScrivoDoc::OnCmdMsg(UINT nID) {
    switch (nID) {
    case ID_FILE_OPEN:
        OnFileOpen();
        return true;
    case ID_FILE_SAVE:
        OnFileSave();
        return true;
    case ID_FILE_SEND_MAIL:
        OnFileSendMail();
        return true;
    default:
        return false;
    }
}
