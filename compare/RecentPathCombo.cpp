#include "RecentPathCombo.h"
#include "HistoryText.h"
#include "../framework/WinApp.h"

#include <shellapi.h>
#include <string.h>

const MsgMapEntry CRecentPathCombo::s_entries[] = {
    MapReflect(CBN_KILLFOCUS, Thunk<CRecentPathCombo, &CRecentPathCombo::AddToHistory>),
    MapReflect(CBN_EDITUPDATE, Thunk<CRecentPathCombo, &CRecentPathCombo::AutoComplete>),
    MapMessage(WM_DROPFILES, Thunk<CRecentPathCombo, &CRecentPathCombo::OnDropFiles>),
    MapReflect(CBN_DROPDOWN, Thunk<CRecentPathCombo, &CRecentPathCombo::AddToHistory>),
};

const MsgMap CRecentPathCombo::messageMap = MakeMsgMap(&CComboBox::messageMap, s_entries);

CRecentPathCombo::CRecentPathCombo()
    : m_bHistory(true), m_bAutoComplete(true), m_bDoComplete(true), m_nMaxHistory(10)
{
}

CRecentPathCombo::~CRecentPathCombo()
{
}

CString CRecentPathCombo::GetHistory() const
{
    CString history = GetText();
    int nCount = GetCount();
    for (int i = 0; i < nCount; i++) {
        CString entry = GetLBText(i);
        AppendHistoryEntry(history, entry, entry.GetLength());
    }
    return history;
}

// Called once while the dialog opens, with the list still empty.
void CRecentPathCombo::SetHistory(const char* pszHistory)
{
    // A copy that can be cut into terminated pieces in place: each piece ends
    // at its separator or at the end of the text.
    CString text(pszHistory);
    int nLength = text.GetLength();
    char* p = text.GetBuffer(nLength);
    if (!p)
        return;
    HistoryReader reader(p, nLength, AfxAnsiLeadBytes());
    const char* piece;
    int nPiece;
    bool bFirst = true;
    while (reader.Next(piece, nPiece)) {
        p[piece - p + nPiece] = 0;
        if (bFirst)
            SetWindowText(piece);
        else
            AddString(piece);
        bFirst = false;
    }
}

void CRecentPathCombo::SetTextAndRemember(const char* pszText)
{
    SetWindowText(pszText);
    AddToHistory();
}

// Called when the field loses the focus and when its list is about to drop
// down.
void CRecentPathCombo::AddToHistory()
{
    if (!m_bHistory)
        return;
    CString text = GetText();
    if (text.IsEmpty())
        return;
    int nFound = FindStringExact(-1, text);
    if (nFound != CB_ERR)
        DeleteString(nFound);
    InsertString(0, text);
    // Deleting the entry the edit part showed may have emptied it.
    SetWindowText(text);
    for (int nCount = GetCount(); nCount > m_nMaxHistory && nCount != CB_ERR; nCount = GetCount()) {
        if (DeleteString(nCount - 1) == CB_ERR)
            break;
    }
}

// Called when the user's editing is about to show changed text.
void CRecentPathCombo::AutoComplete()
{
    if (!m_bAutoComplete || !m_bDoComplete)
        return;
    CString text = GetText();
    int nTyped = text.GetLength();
    if (SelectString(-1, text) == CB_ERR)
        SetWindowText(text);
    SetEditSel(EditPosition(nTyped), -1);
}

// The edit part's position of the byte offset nByte of its text. An ANSI edit
// counts bytes on some systems and characters on others (Wine); the end of
// the text tells which, and only text with double-byte characters differs.
int CRecentPathCombo::EditPosition(int nByte)
{
    CString text = GetText();
    int nChars = ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), NULL, 0);
    if (nChars == text.GetLength())
        return nByte;
    DWORD dwStart = 0, dwEnd = 0;
    SetEditSel(0, -1);
    SendMessage(CB_GETEDITSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    if ((int)dwEnd == text.GetLength())
        return nByte;
    if (nByte > text.GetLength())
        nByte = text.GetLength();
    return nByte > 0 ? ::MultiByteToWideChar(CP_ACP, 0, text, nByte, NULL, 0) : 0;
}

BOOL CRecentPathCombo::PreTranslateMessage(MSG* pMsg)
{
    // Deleting never completes: the completion would put back what was deleted.
    if (pMsg->message == WM_KEYDOWN)
        m_bDoComplete = !(pMsg->wParam == VK_DELETE || pMsg->wParam == VK_BACK);
    return CComboBox::PreTranslateMessage(pMsg);
}

// One item dropped on the field becomes its text; several are ignored.
void CRecentPathCombo::OnDropFiles(HDROP hDrop)
{
    if (::DragQueryFileA(hDrop, 0xFFFFFFFF, NULL, 0) == 1) {
        // The shell cuts a long name byte-wise, so read one byte more than
        // the path can hold: the cut below then sees whole characters.
        char szItem[MAX_PATH + 1];
        ZeroMemory(szItem, sizeof(szItem));
        ::DragQueryFileA(hDrop, 0, szItem, sizeof(szItem));
        szItem[sizeof(szItem) - 1] = 0;

        char szPath[MAX_PATH];
        MbsCopyCut(szPath, sizeof(szPath), szItem, AfxAnsiLeadBytes());
        SetWindowText(szPath);
    }
    ::DragFinish(hDrop);
}
