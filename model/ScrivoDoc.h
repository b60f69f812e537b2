// CScrivoDoc: the program's one note. It owns the strokes and the placed pictures, knows the
// note's file, and carries out New, Open and Save, including the export of the note as a JPEG
// picture. The paper settings it stores belong to the canvas, which it reaches through the
// narrow interface IScrivoCanvas that the canvas view implements.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "Document.h"
#include "FrameMode.h"
#include "Lines.h"
#include "NoteFile.h"
#include "Pictures.h"

// What the document needs of the canvas that shows it.
class IScrivoCanvas {
public:
    virtual CNotePaper GetPaper() const = 0;
    // Takes over paper settings read from a file; false (and nothing changed) when the page
    // bitmap for them cannot be made.
    virtual bool SetPaper(const CNotePaper& paper) = 0;
    // Resets the page for a new note (size, flags); the caller repaints.
    virtual void ClearPage() = 0;
    // Repaints the whole page bitmap, with or without pictures and strokes.
    virtual void PaintPage(bool bContent) = 0;
    virtual void ScrollToOrigin() = 0;
    virtual void SetHasInk(bool bHasInk) = 0;
    // The memory device context that holds the page bitmap (at zoom 1).
    virtual HDC GetPageDC() const = 0;
    // The main frame's mode, an EFrameMode.
    virtual int GetFrameMode() const = 0;
    // Desktop mode, around a dialog of the document: with true the tablet context closes and the
    // overlay is marked busy; with false the context opens again and the overlay shows again.
    // Nothing in the other modes.
    virtual void PauseForDialog(bool bPause) = 0;
    // Desktop mode, around the mail client: with true the main frame is minimised, the overlay
    // hidden and the tablet context closed, so that the screen shows the other programs and the
    // pen writes nothing; with false all comes back. Nothing in the other modes.
    virtual void PauseForMail(bool bPause) = 0;
    // The screen as desktop mode froze it (null in the other modes): the ground of the mail
    // picture, so that the ink lies on what it was written over.
    virtual HDC GetDesktopImage() const = 0;
    // Drops the picture selection and repaints the page without its sizing handles.
    virtual void DropPictureSelection() = 0;
    // A stroke is being written (the pen or the button is down): no time for slow work.
    virtual bool IsWriting() const = 0;

protected:
    ~IScrivoCanvas() = default;
};

// The canvas paused for the life of the object, through PauseForDialog or PauseForMail: true at
// the start, false on every way out.
class CCanvasPause {
public:
    using PauseFn = void (IScrivoCanvas::*)(bool);
    CCanvasPause(IScrivoCanvas* pCanvas, PauseFn pfnPause) : m_pCanvas(pCanvas), m_pfn(pfnPause) {
        if (m_pCanvas)
            (m_pCanvas->*m_pfn)(true);
    }
    CCanvasPause(const CCanvasPause&) = delete;
    CCanvasPause& operator=(const CCanvasPause&) = delete;
    ~CCanvasPause() {
        if (m_pCanvas)
            (m_pCanvas->*m_pfn)(false);
    }

private:
    IScrivoCanvas* m_pCanvas;
    PauseFn m_pfn;
};

class CScrivoDoc : public CDocument {
public:
    // Replaces the file dialogs of Open and Save (tests). Given open/save, the filter and the
    // suggested name, it returns the chosen path or nothing for Cancel.
    using FilePrompt = std::function<std::optional<std::wstring>(
        bool bOpen, const std::wstring& strFilter, const std::wstring& strName)>;
    static void SetFilePrompt(FilePrompt prompt);

    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(const wchar_t* pszPath) override;
    BOOL OnSaveDocument(const wchar_t* pszPath) override;
    BOOL CanCloseFrame(CFrameWnd* pFrame) override;
    // Saves the note; without a path (the Yes of "Save changes to") it asks for a note name,
    // and a picture's name gets ".Qzn" added: a note is never written over a picture.
    BOOL DoSave(const wchar_t* pszPath, bool bReplace = true) override;
    void Serialize(CArchive& ar) override;
    bool OnCmdMsg(UINT nID) override;

    // The Open and Save commands.
    void OnFileOpen();
    void OnFileSave();
    // Send to Mail Recipient (ScrivoDocMail.cpp): the note's picture attached to a new mail.
    void OnFileSendMail();
    // The attachment's name: the title and the extension of the image format.
    static std::wstring MailFileName(const std::wstring& strTitle, int nImageFormat);

    // True when the file holds a whole note that this program can open.
    static bool IsReadableNote(const std::wstring& strPath);
    // Takes over the note in strPath (a recovery copy) as a new, unnamed note whose changes are
    // not saved yet; false, with the open note as it was, when it cannot be read.
    BOOL RestoreFrom(const std::wstring& strPath);

    // "MMDDYYYY-n": n is one more than the number of strStored when it carries today's prefix,
    // else 1.
    static std::wstring MakeAutoName(const SYSTEMTIME& stToday, const std::wstring& strStored);
    // True when the first lower-case "jpg" in the path is at its very end.
    static bool IsJpegName(const std::wstring& strPath);
    // True when the file name ends in a picture's extension (.jpg, .jpeg, .bmp, .png, .gif).
    static bool IsPictureName(const std::wstring& strPath);
    // The exported picture's size: the ink's and pictures' right and bottom edges (300 when 0),
    // plus a margin of 20, cut to the paper.
    static SIZE JpegExportSize(const RECT& rcLines, const RECT& rcPictures, const RECT& rcPaper);
    // The filters of Open and Save.
    static std::wstring OpenFilter() { return L"Quillet(*.Qzn)|*.Qzn||"; }
    static std::wstring SaveFilter(int nMode);

    IScrivoCanvas* GetCanvas() const;
    // The paper of a note file made safe, or CArchiveException when the file's page is not one
    // the program can write (PageRules.h).
    static CNotePaper CheckedPaper(const CNotePaper& stored);

    CPictures m_pictures;
    int m_nImageFormat = 1;
    CLines m_lines;
    std::wstring m_strPath;
    bool m_bMailing = false;
    bool m_bSaveAsJpg = false;

protected:
    // Writes the page as a picture file; false after a failure has been reported.
    bool ExportPicture(const std::wstring& strPath);
    // The save of the mail command: the attachment picture.
    virtual BOOL SaveForMail(const std::wstring& strPath);
    // Desktop mode's mail picture (ScrivoDocDesktop.cpp): the screen around the ink, with the ink;
    // false after "Mail must be sent with written script" or a failure that has been reported.
    bool SaveDesktopForMail(const std::wstring& strPath);

public:
    // The area of desktop mode's mail picture: the ink's bounds and the pen's width around them
    // (5 pixels), grown by every top-level window
    // that meets them (from the top of the z-order down, against the grown area), within the
    // screen. Minimised, disabled, hidden and untitled windows, "Program Manager" and the windows
    // of this program are left out. bInk false: no ink, no area.
    static RECT MailArea(bool bInk, const RECT& rcInk);

private:
    std::optional<std::wstring> PromptFile(bool bOpen, const std::wstring& strFilter,
                                           const std::wstring& strName);
};
