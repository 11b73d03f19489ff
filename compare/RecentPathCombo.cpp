#include "RecentPathCombo.h"

const MsgMap CRecentPathCombo::messageMap = { &CComboBox::messageMap, 0, 0 };

CRecentPathCombo::CRecentPathCombo()
    : m_bHistory(true), m_bAutoComplete(true), m_bDoComplete(true), m_nMaxHistory(10)
{
}

CRecentPathCombo::~CRecentPathCombo()
{
}

CString CRecentPathCombo::GetHistory() const
{
    return GetText();
}

void CRecentPathCombo::SetHistory(const char* pszHistory)
{
    (void)pszHistory;
}

void CRecentPathCombo::SetTextAndRemember(const char* pszText)
{
    SetWindowText(pszText);
}

void CRecentPathCombo::AddToHistory()
{
}

void CRecentPathCombo::AutoComplete()
{
}

BOOL CRecentPathCombo::PreTranslateMessage(MSG* pMsg)
{
    return CComboBox::PreTranslateMessage(pMsg);
}

void CRecentPathCombo::OnDropFiles(HDROP hDrop)
{
    (void)hDrop;
}
