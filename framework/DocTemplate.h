// CSingleDocTemplate: ties the program's one document, its frame and its view together. It
// creates them on the first New or Open and afterwards reuses them for every note.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

class CDocument;
class CFrameWnd;
class CView;

class CSingleDocTemplate {
public:
    // The newline-separated parts of the document string (resource nIDResource).
    enum EDocString {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    using DocFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;
    using ViewFactory = std::function<std::unique_ptr<CView>()>;

    CSingleDocTemplate(UINT nIDResource, DocFactory newDoc, FrameFactory newFrame,
                       ViewFactory newView);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    // A new note (null path) or the named file. The current note is offered for saving first.
    // Null when the user cancelled or the file could not be read; a frame that was created for
    // the failed attempt is destroyed again.
    CDocument* OpenDocumentFile(const wchar_t* pszPath, bool bMakeVisible = true);

    std::wstring GetDocString(EDocString nIndex) const;
    UINT GetResourceId() const { return m_nIDResource; }
    CDocument* GetDocument() const { return m_pDocument.get(); }
    CFrameWnd* GetFrame() const { return m_pFrame.get(); }
    // Forgets the frame after its window has gone (the frame calls this on its destruction).
    void CloseFrame();

private:
    bool CreateFrame();
    void InitialUpdateFrame(bool bMakeVisible);

    UINT m_nIDResource;
    DocFactory m_newDoc;
    FrameFactory m_newFrame;
    ViewFactory m_newView;
    std::unique_ptr<CDocument> m_pDocument;
    std::unique_ptr<CFrameWnd> m_pFrame;
};
