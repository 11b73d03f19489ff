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

// What the framework's dialog loop does with each message before it is
// translated and dispatched: F1 asks the main window for help, and the
// windows the message is meant for see it first (PreTranslateMessage, which
// for a dialog includes its keyboard navigation). TRUE when the message has
// been handled and goes no further.
BOOL AfxPreTranslateMessage(MSG* pMsg);

// While an object of this class lives, the dialog loops of the thread that
// are not the framework's own (a system dialog's, such as the folder
// browser's) give each message meant for an enabled framework window the
// same pre-translation first, through the thread's message filter, which
// such a loop calls with every message. The framework's windows then keep
// their keys while that dialog runs beside them. Objects may nest.
// Such a dialog does not outlive the main window's: when that ends, the
// dialog named by SetDialog is cancelled as by its Cancel button, and
// MainEnded() tells its caller to discard whatever it still gives.
class CDialogLoopFilter
{
public:
    CDialogLoopFilter();
    ~CDialogLoopFilter();
    // The dialog this object serves, once its window exists.
    void SetDialog(HWND hDlg) { m_hDialog = hDlg; }
    bool MainEnded() const { return m_bMainEnded; }
    // Called when the main window's dialog ends: cancels every dialog served.
    static void EndAll();

private:
    CDialogLoopFilter* m_pOuter;
    HWND m_hDialog;
    bool m_bMainEnded;
    CDialogLoopFilter(const CDialogLoopFilter&);
    CDialogLoopFilter& operator=(const CDialogLoopFilter&);
};

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
