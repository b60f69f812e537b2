// CDocument: the data behind the frame and the view. It knows its title, its file, and whether it
// changed since it was last opened or saved; it reads and writes its file through Serialize and
// asks "Save changes to %1?" before changes would be lost.
//
// Unlike a reader that empties the document first, OnOpenDocument leaves the contents alone: a
// Serialize that loads must build the new contents aside and take them over only when the whole
// file was read, so that a damaged file leaves the open note as it was. OnSaveDocument writes a
// temporary file beside the target and replaces the target only when the write succeeded.
#pragma once
#include <windows.h>

#include <string>

#include "Archive.h"
#include "CmdTarget.h"

class CFrameWnd;
class CView;
class CSingleDocTemplate;

// Thrown from Serialize after the user has been told why the file cannot be read: the open
// fails without a second message.
class CUserException : public std::runtime_error {
public:
    CUserException() : std::runtime_error("reported to the user") {}
};

class CDocument : public CCmdTarget {
public:
    // What went wrong while reading or writing a file; each has its own message.
    enum class EFileError { None, OpenFailed, SaveFailed, BadFormat, ReadError, DiskFull };

    CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const wchar_t* pszPath);
    virtual BOOL OnSaveDocument(const wchar_t* pszPath);
    virtual void DeleteContents() {}
    virtual void Serialize(CArchive& /*ar*/) {}
    // Asks to save a modified document; false when the user cancels or the save fails.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);

    // Saves under pszPath, or asks for a name when it is null; false on cancel or failure.
    virtual BOOL DoSave(const wchar_t* pszPath, bool bReplace = true);
    BOOL DoFileSave();

    bool IsModified() const { return m_bModified; }
    // Each change counts: the number grows with every call that marks the document modified.
    void SetModifiedFlag(bool bModified = true) {
        m_bModified = bModified;
        if (bModified)
            ++m_nChanges;
    }
    unsigned GetChangeCount() const { return m_nChanges; }
    // Writes the document to pszPath as its own file, through a temporary file that replaces
    // pszPath only when complete; its name, title and modified flag stay as they are and nothing
    // is shown. False when it could not be written.
    bool StoreCopy(const wchar_t* pszPath);
    const std::wstring& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const std::wstring& strTitle);
    const std::wstring& GetPathName() const { return m_strPathName; }
    // Takes the full path, makes its last part the title and, optionally, adds it to the list of
    // recent files.
    virtual void SetPathName(const std::wstring& strPath, bool bAddToMRU = true);
    // The document has no file any more (its title stays until it is set).
    void ClearPathName() { m_strPathName.clear(); }

    CView* GetFirstView() const { return m_pView; }
    CFrameWnd* GetFrame() const { return m_pFrame; }
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    // Lets the view know that the document changed.
    void UpdateAllViews(CView* pSender);

    // Shows the message for a failed read or write of strPath.
    void ReportFileError(EFileError nError, const std::wstring& strPath) const;
    // The framework's message texts.
    static std::wstring FileErrorText(EFileError nError, const std::wstring& strPath);

    // Reads a whole file (at most 1 GiB: anything larger cannot be a note) into data.
    static EFileError ReadFileBytes(const wchar_t* pszPath, std::vector<std::uint8_t>& data);
    // Writes what store puts into a storing archive to a new temporary file beside pszPath, piece
    // by piece as it comes, and replaces pszPath with it only when the whole write succeeded
    // (an exception from store fails it); a failure leaves the previous file and no partial one.
    static EFileError WriteFileReplacing(const wchar_t* pszPath,
                                         const std::function<void(CArchive&)>& store);
    // The same with bytes already gathered.
    static EFileError WriteFileReplacing(const wchar_t* pszPath,
                                         const std::vector<std::uint8_t>& data);

protected:
    HWND OwnerWindow() const;

private:
    friend class CSingleDocTemplate;
    bool m_bModified = false;
    unsigned m_nChanges = 0;
    std::wstring m_strTitle;
    std::wstring m_strPathName;
    CView* m_pView = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    CSingleDocTemplate* m_pDocTemplate = nullptr;
};
