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
// text that has neither is left empty here (GetHistoryExact keeps it).
CString CRecentPathCombo::GetHistory() const
{
    CString history = CFieldPath(GetEditCtrl()).GetQuotedPath();
    int nCount = GetCount();
    for (int i = 0; i < nCount; i++) {
        CString entry = GetLBText(i);
        AppendHistoryEntry(history, entry, entry.GetLength());
    }
    return history;
}

bool CRecentPathCombo::GetHistoryExact(CWideString& history) const
{
    CFieldPath current(GetEditCtrl());
    if (current.GetKind() != CFieldPath::UNUSABLE)
        return false;
    history.Empty();
    history += current.GetText();
    int nCount = GetCount();
    for (int i = 0; i < nCount; i++) {
        CWideString entry(AfxWideFromAnsi(GetLBText(i)));
        AppendHistoryEntry(history, entry, entry.GetLength());
    }
    return true;
}

// Called once while the dialog opens, with the list still empty. The pieces
// are cut as SetHistory cuts them; UTF-16 has no "|" inside a character.
void CRecentPathCombo::SetHistoryExact(const WCHAR* pszHistory)
{
    bool bFirst = true;
    for (const WCHAR* rest = pszHistory; *rest;) {
        const WCHAR* end = rest;
        while (*end && *end != L'|')
            end++;
        CWideString piece;
        piece.Append(rest, (int)(end - rest));
        CString entry;
        if (bFirst)
            SetShownText(piece);
        else if (AfxAnsiPathFromWide(piece, entry))
            AppendHistoryEntry(m_strPending, entry, entry.GetLength());
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
        if (bFirst)
            SetWindowText(piece);
        else
            AppendHistoryEntry(m_strPending, piece, nPiece);
        bFirst = false;
    }
}

void CRecentPathCombo::FillList()
{
    if (m_strPending.IsEmpty())
        return;
    CString pending = m_strPending;
    m_strPending.Empty();
    // Each entry is "|" and its text, up to the next "|" or the end.
    const char* p = pending;
    const int nLength = pending.GetLength();
    for (int nStart = 1; nStart <= nLength;) {
        int nEntry = MbsFind(p + nStart, nLength - nStart, '|', AfxAnsiLeadBytes());
        if (nEntry < 0)
            nEntry = nLength - nStart;
        AddString(CString(p + nStart, nEntry));
        nStart += nEntry + 1;
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

