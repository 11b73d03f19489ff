// Modal dialogs from templates, and data exchange between a dialog's
// controls and its members.
#pragma once

#include "Wnd.h"

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_bFailed(false) {}
    BOOL m_bSaveAndValidate;    // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;
    bool m_bFailed;
    // The control's handle; marks the exchange failed when there is none.
    HWND PrepareCtrl(int nIDC);
};

// Attaches the control to rControl (subclassing it) the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// The check state of a button; a value outside 0 to 2 is shown as 0.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);

class CDialog : public CWnd
{
    DECLARE_MESSAGE_MAP()

public:
    explicit CDialog(UINT nIDTemplate);
    virtual ~CDialog();

    // Creates the dialog, runs its modal loop until EndDialog, hides and
    // destroys it; returns the EndDialog result, -1 when it could not run.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual DWORD GetHelpContext() const { return HID_BASE + m_nIDTemplate; }

    UINT m_nIDTemplate;

protected:
    virtual bool OnCmdMsg(UINT nID, UINT nCode);

private:
    enum { HID_BASE = 0x20000 };
    void RunModalLoop();
    static INT_PTR CALLBACK StaticDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool m_bContinueModal;
    INT_PTR m_nModalResult;
};
