// The version window, reached from the main window's system menu.
#pragma once

#include "../framework/Dialog.h"
#include "../res/resource.h"
#include "../res/version.h"
#include "WebLinkLabel.h"

// Appends a separator and the version entry (string 101, command 16) to the
// window's system menu.
void AddVersionMenuItem(HWND hWnd);

class CVersionDlg : public CDialog
{
    DECLARE_MESSAGE_MAP()

public:
    CVersionDlg();
    virtual ~CVersionDlg();

    enum { IDD = IDD_VERSION };

    CWebLinkLabel m_link;   // control 1005

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    // Called when the window moved to a screen of another DPI.
    void OnDpiChanged(UINT nDpi, LPARAM lParam);
};
