// The path field's list and its history text: restoring it while the dialog
// opens, filling the list when it is first used, entering the current text,
// and the text stored when the dialog closes.
#include "RecentPathCombo.h"
#include "FieldPath.h"
#include "HistoryText.h"

namespace {
// Most entries the list keeps when one is entered; a longer stored list
// loads whole.
const int kMaxHistory = 10;
} // namespace

void CRecentPathCombo::GetHistory(CString& history) const
{
    history = GetText();
    int nCount = GetCount();
    CString entry;
    for (int i = 0; i < nCount; i++) {
        GetLBText(i, entry);
        AppendHistoryEntry(history, entry, entry.GetLength());
    }
}

// Called once while the dialog opens, with the list still empty.
void CRecentPathCombo::SetHistory(const wchar_t* pszHistory)
{
    CString history(pszHistory);
    HistoryReader reader(history, history.GetLength());
    const wchar_t* piece;
    int nPiece;
    bool bFirst = true;
    while (reader.Next(piece, nPiece)) {
        if (bFirst)
            SetWindowText(CString(piece, nPiece));
        else
            AppendHistoryEntry(m_strPending, piece, nPiece);
        bFirst = false;
    }
}

void CRecentPathCombo::FillList()
{
    if (m_strPending.IsEmpty())
        return;
    // Taken first: nothing fills the list twice.
    CString pending(m_strPending);
    m_strPending.Empty();
    // Each entry is "|" and its text, up to the next "|" or the end.
    const wchar_t* const pEnd = (const wchar_t*)pending + pending.GetLength();
    for (const wchar_t* entry = (const wchar_t*)pending + 1; entry <= pEnd;) {
        const wchar_t* end = entry;
        while (end < pEnd && *end != L'|')
            end++;
        AddString(CString(entry, (int)(end - entry)));
        entry = end + 1;
    }
}

// Called when the field loses the focus and when its list is about to drop
// down. The list holds the path the text names (CFieldPath: without its
// enclosing quotes); the field keeps showing the text.
void CRecentPathCombo::AddToHistory()
{
    FillList();
    CFieldPath field(GetEditCtrl());
    const CString& text = field.GetPath();
    if (text.IsEmpty())
        return;
    int nFound = FindStringExact(-1, text);
    if (nFound != CB_ERR)
        DeleteString(nFound);
    InsertString(0, text);
    // Deleting the entry the edit part showed may have emptied it.
    SetWindowText(field.GetText());
    for (int nCount = GetCount(); nCount > kMaxHistory && nCount != CB_ERR; nCount = GetCount()) {
        if (DeleteString(nCount - 1) == CB_ERR)
            break;
    }
}
