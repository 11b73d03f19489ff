// Wrappers of the standard controls the program attaches to. Each member is
// one message to the control; nothing is cached that the control knows.
#pragma once

#include "Wnd.h"

#include <commctrl.h>

class CComboBox : public CWnd
{
public:
    int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
    int AddString(const wchar_t* psz) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)psz); }
    int InsertString(int nIndex, const wchar_t* psz) { return (int)SendMessage(CB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)psz); }
    int DeleteString(int nIndex) { return (int)SendMessage(CB_DELETESTRING, (WPARAM)nIndex); }
    // Whole-entry match, letter case ignored, searching after nStartAfter (-1: from the top).
    int FindStringExact(int nStartAfter, const wchar_t* psz) const
    { return (int)SendMessage(CB_FINDSTRINGEXACT, (WPARAM)nStartAfter, (LPARAM)psz); }
    // Selects the first entry that begins with psz (letter case ignored) and
    // copies it into the edit part; CB_ERR when none does.
    int SelectString(int nStartAfter, const wchar_t* psz)
    { return (int)SendMessage(CB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)psz); }
    BOOL SetEditSel(int nStartChar, int nEndChar)
    { return (BOOL)SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar)); }
    // The edit part's selection, in characters.
    void GetEditSel(DWORD* pStart, DWORD* pEnd) const
    { SendMessage(CB_GETEDITSEL, (WPARAM)pStart, (LPARAM)pEnd); }
    BOOL GetDroppedState() const { return (BOOL)SendMessage(CB_GETDROPPEDSTATE); }
    // The edit part and the list part.
    HWND GetEditCtrl() const;
    HWND GetListBox() const;
    // An entry exactly as the list holds it; false when there is none.
    bool GetLBText(int nIndex, CString& text) const;
};

class CStatic : public CWnd
{
};

// A font object that owns its handle.
class CFont
{
public:
    CFont() : m_hObject(NULL) {}
    ~CFont() { DeleteObject(); }
    void DeleteObject();
    HFONT m_hObject;

private:
    CFont(const CFont&);
    CFont& operator=(const CFont&);
};

// A tooltip control; it is not subclassed, and it is destroyed with its object.
class CToolTipCtrl
{
public:
    CToolTipCtrl() : m_hWnd(NULL) {}
    ~CToolTipCtrl() { DestroyWindow(); }
    BOOL Create(CWnd* pParentWnd);
    BOOL AddTool(CWnd* pWnd, const wchar_t* pszText, const RECT* pRect, UINT_PTR nIDTool);
    void RelayEvent(MSG* pMsg);
    void DestroyWindow();
    HWND m_hWnd;

private:
    CToolTipCtrl(const CToolTipCtrl&);
    CToolTipCtrl& operator=(const CToolTipCtrl&);
};
