// CDialog: a window made from a dialog template, shown either modally (DoModal, which returns
// when the dialog ends) or modelessly (Create). A modeless dialog's keyboard navigation runs
// through the program's message loop: its PreTranslateMessage hands its input to
// IsDialogMessage. The dialog's commands that it does not handle itself go to its owner.
#pragma once
#include "Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate = 0) : m_nIDTemplate(nIDTemplate) {}
    ~CDialog() override { DestroyWindow(); }

    // Shows the dialog modally over hwndParent; returns what EndDialog was given, or -1 when the
    // template is missing.
    INT_PTR DoModal(HWND hwndParent);
    // Creates the dialog modelessly (shown only when its template says so); false on failure.
    bool Create(HWND hwndParent);
    // Ends a modal dialog with nResult; hides a modeless one.
    void EndDialog(INT_PTR nResult);
    bool IsModal() const { return m_bModal; }
    UINT GetTemplateId() const { return m_nIDTemplate; }

    bool PreTranslateMessage(MSG* pMsg) override;

protected:
    // Called when the dialog's controls exist; TRUE lets the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Handles one message; the default runs OnInitDialog, OK and Cancel, and passes other
    // commands to the owner.
    INT_PTR DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDTemplate;

private:
    bool m_bModal = false;
};
