// The path field's list and its history text: restoring it while the dialog
// opens, filling the list when it is first used, entering the current text,
// and the text stored when the dialog closes.
#include "RecentPathCombo.h"
#include "FieldPath.h"
#include "HistoryText.h"
#include "../framework/CodePage.h"
#include "../framework/WinApp.h"

namespace {
// Most entries the list keeps when one is entered; a longer stored list
// loads whole.
const int kMaxHistory = 10;
} // namespace

// The current text is stored as it reads exactly, else as its short name; a
// text that has neither, or the one restored exactly and left as it was,
// exactly. The entries are stored as the list holds them, exactly.
void CRecentPathCombo::GetHistory(CWideString& history) const
{
    CFieldPath current(GetEditCtrl());
    history.Empty();
    if (current.GetKind() == CFieldPath::UNUSABLE || lstrcmpW(current.GetText(), m_strRestoredText) == 0)
        history += current.GetText();
    else
        history += AfxWideFromAnsi(current.GetQuotedPath());
    int nCount = GetCount();
    CWideString entry;
    for (int i = 0; i < nCount; i++) {
        GetLBText(i, entry);
        AppendHistoryEntry(history, entry, entry.GetLength());
    }
}

// Called once while the dialog opens, with the list still empty. The pieces
// are cut as SetHistory cuts them; UTF-16 has no "|" inside a character.
// Each piece is kept exactly, whether the code page holds it or not, so
// that what the user leaves alone is stored back as it was.
void CRecentPathCombo::SetHistoryExact(const WCHAR* pszHistory)
{
    bool bFirst = true;
    for (const WCHAR* rest = pszHistory; *rest;) {
        const WCHAR* end = rest;
        while (*end && *end != L'|')
            end++;
        if (bFirst) {
            m_strRestoredText.Append(rest, (int)(end - rest));
            SetShownText(m_strRestoredText);
        } else {
            AppendHistoryEntry(m_strPending, rest, (int)(end - rest));
        }
        bFirst = false;
        rest = *end ? end + 1 : end;
    }
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
        if (bFirst) {
            SetWindowText(piece);
        } else {
            CWideString entry(AfxWideFromAnsi(piece));
            AppendHistoryEntry(m_strPending, entry, entry.GetLength());
        }
        bFirst = false;
    }
}

void CRecentPathCombo::FillList()
{
    if (m_strPending.GetLength() == 0)
        return;
    // Taken first: nothing fills the list twice.
    CWideString pending;
    pending.Append(m_strPending, m_strPending.GetLength());
    m_strPending.Empty();
    // Each entry is "|" and its text, up to the next "|" or the end.
    const WCHAR* p = pending;
    const WCHAR* const pEnd = p + pending.GetLength();
    for (const WCHAR* entry = p + 1; entry <= pEnd;) {
        const WCHAR* end = entry;
        while (end < pEnd && *end != L'|')
            end++;
        CWideString text;
        text.Append(entry, (int)(end - entry));
        AddStringExact(text);
        entry = end + 1;
    }
}

// Called when the field loses the focus and when its list is about to drop
// down. The list holds the path the text names (CFieldPath: without its
// enclosing quotes, as its short name where the code page cannot hold it);
// the field keeps showing the text. A path that has no such form (a name
// outside the code page of an item without a short name) stays in the
// field only; OK says why it cannot be used.
void CRecentPathCombo::AddToHistory()
{
    FillList();
    CFieldPath field(GetEditCtrl());
    const CString& text = field.GetPath();
    if (field.GetKind() == CFieldPath::UNUSABLE || text.IsEmpty())
        return;
    int nFound = FindStringExact(-1, text);
    if (nFound != CB_ERR)
        DeleteString(nFound);
    InsertString(0, text);
    // Deleting the entry the edit part showed may have emptied it.
    SetShownText(field.GetText());
    for (int nCount = GetCount(); nCount > kMaxHistory && nCount != CB_ERR; nCount = GetCount()) {
        if (DeleteString(nCount - 1) == CB_ERR)
            break;
    }
}

