#include "RecentPathCombo.h"
#include "FieldPath.h"
#include "HistoryText.h"
#include "PathText.h"
#include "../framework/DropFiles.h"
#include "../framework/WinApp.h"

const MsgMapEntry CRecentPathCombo::s_entries[] = {
    MapReflect(CBN_KILLFOCUS, Thunk<CRecentPathCombo, &CRecentPathCombo::AddToHistory>),
    MapReflect(CBN_EDITUPDATE, Thunk<CRecentPathCombo, &CRecentPathCombo::AutoComplete>),
    MapMessage(WM_DROPFILES, Thunk<CRecentPathCombo, &CRecentPathCombo::OnDropFiles>),
    MapReflect(CBN_DROPDOWN, Thunk<CRecentPathCombo, &CRecentPathCombo::AddToHistory>),
};

const MsgMap CRecentPathCombo::messageMap = MakeMsgMap(&CComboBox::messageMap, s_entries);

namespace {
// The property of the edit part that names its field.
const char kFieldProp[] = "PelorinPathField";
} // namespace

CRecentPathCombo::CRecentPathCombo()
    : m_bHistory(true), m_bAutoComplete(true), m_nMaxHistory(10), m_bSettingText(false), m_hEditWatched(NULL),
      m_pfnEditProc(NULL), m_nEditDepth(0)
{
    m_before.dwStart = m_before.dwEnd = 0;
    m_before.nLength = 0;
    m_before.bKnown = false;
}

CRecentPathCombo::~CRecentPathCombo()
{
    // The edit part outlives the object: give it back its own procedure.
    if (m_hEditWatched && ::IsWindow(m_hEditWatched)) {
        ::SetWindowLongPtrW(m_hEditWatched, GWLP_WNDPROC, (LONG_PTR)m_pfnEditProc);
        ::RemovePropA(m_hEditWatched, kFieldProp);
    }
}

void CRecentPathCombo::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    WatchEdit();
}

// Every message the edit part gets passes here first: at the outermost one
// the edit's text and selection are noted, as they are before that message
// changes anything. The edit is watched in UTF-16, as it holds its text, so
// that no text is converted on its way through.
void CRecentPathCombo::WatchEdit()
{
    HWND hEdit = GetEditCtrl();
    if (!hEdit || m_hEditWatched || !::SetPropA(hEdit, kFieldProp, (HANDLE)this))
        return;
    m_hEditWatched = hEdit;
    m_pfnEditProc = (WNDPROC)::SetWindowLongPtrW(hEdit, GWLP_WNDPROC, (LONG_PTR)EditWatchProc);
}

LRESULT CALLBACK CRecentPathCombo::EditWatchProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CRecentPathCombo* pField = (CRecentPathCombo*)::GetPropA(hWnd, kFieldProp);
    if (!pField || pField->m_hEditWatched != hWnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    WNDPROC pfnEdit = pField->m_pfnEditProc;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnEdit);
        ::RemovePropA(hWnd, kFieldProp);
        pField->m_hEditWatched = NULL;
        return ::CallWindowProcW(pfnEdit, hWnd, message, wParam, lParam);
    }
    if (pField->m_nEditDepth == 0)
        pField->NoteEditState();
    pField->m_nEditDepth++;
    LRESULT lResult = ::CallWindowProcW(pfnEdit, hWnd, message, wParam, lParam);
    pField->m_nEditDepth--;
    return lResult;
}

// Asks the edit's own procedure, so that nothing passes the watch again.
void CRecentPathCombo::NoteEditState()
{
    HWND hEdit = m_hEditWatched;
    WNDPROC pfnEdit = m_pfnEditProc;
    m_before.bKnown = false;
    int n = (int)::CallWindowProcW(pfnEdit, hEdit, WM_GETTEXTLENGTH, 0, 0);
    WCHAR* p = n >= 0 ? m_before.text.GetBuffer(n) : NULL;
    if (!p)
        return;
    int nGot = (int)::CallWindowProcW(pfnEdit, hEdit, WM_GETTEXT, (WPARAM)(n + 1), (LPARAM)p);
    p[nGot >= 0 && nGot <= n ? nGot : 0] = 0;
    ::CallWindowProcW(pfnEdit, hEdit, EM_GETSEL, (WPARAM)&m_before.dwStart, (LPARAM)&m_before.dwEnd);
    m_before.nLength = (int)::CallWindowProcW(pfnEdit, hEdit, EM_LINELENGTH, 0, 0);
    m_before.bKnown = true;
}

// Whether the change that made the text now added text at its end and did
// nothing else (PathText.h), measured from the edit as it was before the
// message that changed it. A removal of any kind (a key, a cut, the edit's
// menu, an input method) adds nothing.
bool CRecentPathCombo::TextAddedAtEnd(const CWideString& now) const
{
    const EditState& b = m_before;
    // The selection, as the edit counts, must reach the end of the text.
    if (!b.bKnown || b.dwStart > b.dwEnd || (int)b.dwEnd != b.nLength)
        return false;
    int nKept = (int)b.dwStart;
    if (b.nLength != b.text.GetLength()) {
        // The edit counts the bytes of the text in the code page.
        CString ansi;
        if (!AfxExactAnsi(b.text, b.text.GetLength(), ansi) || nKept > ansi.GetLength())
            return false;
        nKept = ::MultiByteToWideChar(CP_ACP, 0, ansi, nKept, NULL, 0);
    }
    return nKept <= b.text.GetLength()
           && ::TextAddedAtEnd((const WCHAR*)b.text, b.text.GetLength(), nKept, b.text.GetLength(), (const WCHAR*)now,
                               now.GetLength());
}

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

// Whatever asks the combo box about its list, or changes it, fills it first
// (GetCount at save, say, and a reader outside the program); the edit part's
// own messages and the parts' handles do not need it.
LRESULT CRecentPathCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= CB_ADDSTRING && message < CB_GETCOMBOBOXINFO && message != CB_GETDROPPEDSTATE)
        FillList();
    return CComboBox::WindowProc(message, wParam, lParam);
}

void CRecentPathCombo::SetTextAndRemember(const char* pszText)
{
    SetWindowText(pszText);
    AddToHistory();
}

void CRecentPathCombo::SetTextAndRemember(const WCHAR* pszText)
{
    SetShownText(pszText);
    AddToHistory();
}

void CRecentPathCombo::SetShownText(const WCHAR* pszText)
{
    CString ansi;
    if (AfxExactAnsi(pszText, lstrlenW(pszText), ansi)) {
        SetWindowText(ansi);
        return;
    }
    // The combo box would pass the text on in the code page; the edit part
    // takes it as it is. Its edit event is the program's own, not the user's.
    m_bSettingText = true;
    ::SetWindowTextW(GetEditCtrl(), pszText);
    m_bSettingText = false;
}

// Called when the field loses the focus and when its list is about to drop
// down. The list holds the path the text names (CFieldPath: without its
// enclosing quotes, as its short name where the code page cannot hold it);
// the field keeps showing the text. A path that has no such form (a name
// outside the code page of an item without a short name) stays in the
// field only; OK says why it cannot be used.
void CRecentPathCombo::AddToHistory()
{
    if (!m_bHistory)
        return;
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
    for (int nCount = GetCount(); nCount > m_nMaxHistory && nCount != CB_ERR; nCount = GetCount()) {
        if (DeleteString(nCount - 1) == CB_ERR)
            break;
    }
}

// Called when the user's editing is about to show changed text. Only text
// added at its end (TextAddedAtEnd) is completed: a removal, however made,
// an edit inside the text, or one that leaves a selection, stays exactly as
// the user left it, and an empty text matches nothing; so does a text that
// the code page cannot hold, whose look-alike would match other paths. The
// caret's end of the text stays in view, the completed tail included.
void CRecentPathCombo::AutoComplete()
{
    if (m_bAutoComplete && !m_bSettingText)
        CompleteAddedText();
    // A further change within the same message is measured from this one.
    if (m_hEditWatched)
        NoteEditState();
}

void CRecentPathCombo::CompleteAddedText()
{
    CWideString shown;
    GetShownText(shown);
    CString text;
    if (!TextAddedAtEnd(shown) || !AfxExactAnsi(shown, shown.GetLength(), text))
        return;
    int nTyped = text.GetLength();
    DWORD dwStart = 0, dwEnd = 0;
    GetEditSel(&dwStart, &dwEnd);
    if (nTyped == 0 || dwStart != dwEnd || (int)dwEnd != GetEditLength())
        return;
    FillList();
    if (SelectString(-1, text) == CB_ERR)
        SetWindowText(text);
    SetEditSel(EditPosition(nTyped), -1);
    if (HWND hEdit = GetEditCtrl())
        ::SendMessageA(hEdit, EM_SCROLLCARET, 0, 0);
}

// The length of the text in the edit part's own units. An ANSI edit counts
// bytes on some systems and characters on others (Wine); only text with
// double-byte characters tells them apart.
int CRecentPathCombo::GetEditLength() const
{
    HWND hEdit = GetEditCtrl();
    return hEdit ? (int)::SendMessageA(hEdit, EM_LINELENGTH, 0, 0) : 0;
}

// The edit part's position of the byte offset nByte of its text.
int CRecentPathCombo::EditPosition(int nByte) const
{
    CString text = GetText();
    if (nByte > text.GetLength())
        nByte = text.GetLength();
    if (GetEditLength() == text.GetLength() || nByte <= 0)
        return nByte;
    return ::MultiByteToWideChar(CP_ACP, 0, text, nByte, NULL, 0);
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
    int nSel = hList ? (int)::SendMessageA(hList, LB_GETCURSEL, 0, 0) : LB_ERR;
    if (nSel < 0 || DeleteString(nSel) == CB_ERR)
        return false;
    int nCount = GetCount();
    if (nCount > 0)
        ::SendMessageA(hList, LB_SETCURSEL, (WPARAM)(nSel < nCount ? nSel : nCount - 1), 0);
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
    CString path;
    if (drop.GetCount() == 1 && drop.GetPath(0, path))
        SetWindowText(path);
}
