// An in-process KVOmail: the application object, its document template and one main frame with
// the canvas view, on a pretended screen size, with the settings file in a folder of the test's
// own and every message box captured instead of shown.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DocTemplate.h"
#include "MainFrame.h"
#include "Message.h"
#include "Resources.h"
#include "ScrivoApp.h"
#include "ScrivoDoc.h"
#include "ScrivoView.h"
#include "Settings.h"
#include "TestFolder.h"
#include "resource.h"

// Lets the thread's messages run until pred() holds or nMs have passed.
template <class Pred> bool PumpUntil(Pred pred, DWORD nMs) {
    const DWORD nStart = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - nStart > nMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

// Modal dialogs of this thread that AnswerThreadDialogs has seen, each counted once, and the
// button it answers them with.
inline int g_nDialogsAnswered = 0;
inline WPARAM g_nDialogAnswer = IDCANCEL;

// A thread timer procedure that answers each visible modal dialog of this thread once it has
// painted (Cancel unless a test says otherwise), as a user closing it would, and counts it.
inline VOID CALLBACK AnswerThreadDialogs(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM) -> BOOL {
            wchar_t szClass[16] = {};
            GetClassNameW(hwnd, szClass, 16);
            if (lstrcmpW(szClass, L"#32770") == 0 && IsWindowVisible(hwnd)) {
                if (!GetPropW(hwnd, L"QuilletSeen")) {
                    SetPropW(hwnd, L"QuilletSeen", reinterpret_cast<HANDLE>(1));
                    ++g_nDialogsAnswered;
                }
                UpdateWindow(hwnd);
                PostMessageW(hwnd, WM_COMMAND, g_nDialogAnswer, 0);
            }
            return TRUE;
        },
        0);
}

// A file's bytes as text.
inline std::string FileText(const std::wstring& strPath) {
    const std::vector<std::uint8_t> bytes = CTestFolder::ReadBytes(strPath);
    return std::string(bytes.begin(), bytes.end());
}

// The little-endian 32-bit value at offset n of a file's bytes.
inline std::uint32_t U32(const std::vector<std::uint8_t>& d, std::size_t n) {
    return d[n] | d[n + 1] << 8 | d[n + 2] << 16 | static_cast<std::uint32_t>(d[n + 3]) << 24;
}

struct CShownMessage {
    std::wstring strText;
    std::wstring strCaption;
    UINT uType;
};

class CAppFixture : public ::testing::Test {
protected:
    // The screen the program believes it has.
    virtual SIZE ScreenSize() const { return {1024, 768}; }
    // The canvas view the document template creates.
    virtual std::unique_ptr<CScrivoView> MakeView() const {
        return std::make_unique<CScrivoView>();
    }

    void SetUp() override {
        SetScreenSizeOverride(ScreenSize());
        settings::SetFolderOverride(m_folder.Path());
        SetMessageHook(
            [this](const std::wstring& strText, const std::wstring& strCaption, UINT uType) {
                m_messages.push_back({strText, strCaption, uType});
                return m_nAnswer;
            });
        m_app = std::make_unique<CScrivoApp>();
        m_app->m_nCmdShow = SW_HIDE;
        m_app->AddDocTemplate(std::make_unique<CSingleDocTemplate>(
            IDR_MAINFRAME, [] { return std::make_unique<CScrivoDoc>(); },
            [] { return std::make_unique<CMainFrame>(); }, [this] { return MakeView(); }));
        ASSERT_NE(m_app->OpenDocumentFile(nullptr), nullptr);
        // The test process binds no tablet library: the view says so as it opens. The tests
        // see only what comes after.
        m_startMessages.swap(m_messages);
        m_pFrame = static_cast<CMainFrame*>(m_app->m_pMainWnd);
        ASSERT_NE(m_pFrame, nullptr);
        m_pView = m_pFrame->GetView();
        m_pDoc = m_pView->GetDocument();
    }

    void TearDown() override {
        CScrivoDoc::SetFilePrompt(nullptr);
        if (m_pDoc)
            m_pDoc->SetModifiedFlag(false);
        m_app.reset();
        SetMessageHook(nullptr);
        settings::SetFolderOverride(L"");
        SetScreenSizeOverride({0, 0});
    }

    // Answers the next Open or Save dialog with strPath and records what it was offered.
    void AnswerFileDialog(std::wstring strPath) {
        CScrivoDoc::SetFilePrompt([this, strPath](bool bOpen, const std::wstring& strFilter,
                                                  const std::wstring& strName) {
            m_bPromptOpen = bOpen;
            m_strPromptFilter = strFilter;
            m_strPromptName = strName;
            return std::optional<std::wstring>(strPath);
        });
    }

    std::wstring FrameText() const {
        wchar_t sz[256] = {};
        GetWindowTextW(m_pFrame->m_hWnd, sz, 256);
        return sz;
    }

    CTestFolder m_folder;
    std::vector<CShownMessage> m_messages;
    std::vector<CShownMessage> m_startMessages;
    int m_nAnswer = IDOK;
    std::unique_ptr<CScrivoApp> m_app;
    CMainFrame* m_pFrame = nullptr;
    CScrivoView* m_pView = nullptr;
    CScrivoDoc* m_pDoc = nullptr;
    bool m_bPromptOpen = false;
    std::wstring m_strPromptFilter;
    std::wstring m_strPromptName;
};
