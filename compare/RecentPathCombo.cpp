#include "RecentPathCombo.h"
#include "../framework/DropFiles.h"
#include "../framework/WinApp.h"

const MsgMapEntry CRecentPathCombo::s_entries[] = {
    MapReflect(CBN_KILLFOCUS, Thunk<CRecentPathCombo, &CRecentPathCombo::AddToHistory>),
    MapReflect(CBN_EDITUPDATE, Thunk<CRecentPathCombo, &CRecentPathCombo::AutoComplete>),
    MapMessage(WM_DROPFILES, Thunk<CRecentPathCombo, &CRecentPathCombo::OnDropFiles>),
    MapReflect(CBN_DROPDOWN, Thunk<CRecentPathCombo, &CRecentPathCombo::AddToHistory>),
};

const MsgMap CRecentPathCombo::messageMap = MakeMsgMap(&CComboBox::messageMap, s_entries);

CRecentPathCombo::CRecentPathCombo()
    : m_hEditWatched(NULL), m_pfnEditProc(NULL), m_nEditDepth(0)
{
    m_before.dwStart = m_before.dwEnd = 0;
    m_before.bKnown = false;
}

CRecentPathCombo::~CRecentPathCombo()
{
    StopWatchingEdit();
}

void CRecentPathCombo::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    WatchEdit();
}

// Whatever asks the combo box about its list, or changes it, fills it first
// (GetCount at save, say, and a reader outside the program); the edit part's
// own messages and the parts' handles do not need it.
LRESULT CRecentPathCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= CB_ADDSTRING && message < CB_GETCOMBOBOXINFO && message != CB_GETDROPPEDSTATE)
        FillList();
    return CComboBox::WindowProc(message, wParam, lParam);
}

void CRecentPathCombo::SetTextAndRemember(const wchar_t* pszText)
{
    SetWindowText(pszText);
    AddToHistory();
}

BOOL CRecentPathCombo::PreTranslateMessage(MSG* pMsg)
{
    // A key may move through the list without dropping it down.
    if ((pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) || pMsg->message == WM_MOUSEWHEEL)
        FillList();
    if (pMsg->message == WM_KEYDOWN) {
        // Shift+Delete on the highlighted entry of the open list removes it.
        if (pMsg->wParam == VK_DELETE && ::GetKeyState(VK_SHIFT) < 0 && ::GetKeyState(VK_CONTROL) >= 0
            && GetDroppedState() && RemoveHighlightedEntry())
            return TRUE;
    }
    return CComboBox::PreTranslateMessage(pMsg);
}

// Takes the highlighted entry out of the open list; the highlight moves to
// the entry after it, and the text does not change. False when no entry is
// highlighted.
bool CRecentPathCombo::RemoveHighlightedEntry()
{
    FillList();
    HWND hList = GetListBox();
    int nSel = hList ? (int)::SendMessageW(hList, LB_GETCURSEL, 0, 0) : LB_ERR;
    if (nSel < 0 || DeleteString(nSel) == CB_ERR)
        return false;
    int nCount = GetCount();
    if (nCount > 0)
        ::SendMessageW(hList, LB_SETCURSEL, (WPARAM)(nSel < nCount ? nSel : nCount - 1), 0);
    return true;
}

// One item dropped on the field becomes its text, whole; several are
// ignored, and so is any drop while the field or its dialog is disabled (a
// modal window is open), as a click would be.
void CRecentPathCombo::OnDropFiles(HDROP hDrop)
{
    CDropFiles drop(hDrop);
    if (!::IsWindowEnabled(m_hWnd) || !::IsWindowEnabled(::GetAncestor(m_hWnd, GA_ROOT)))
        return;
    if (drop.GetCount() == 1)
        SetWindowText(drop.GetPath(0));
}
