// The path field's edit watch and completion: the edit part's state before
// each message it handles, and typed text completed from the list.
#include "RecentPathCombo.h"
#include "PathText.h"

namespace {
// The property of the edit part that names its field.
const wchar_t kFieldProp[] = L"PelorinPathField";
} // namespace

// Gives the edit part, which outlives the field, back its own procedure.
void CRecentPathCombo::StopWatchingEdit()
{
    if (m_hEditWatched && ::IsWindow(m_hEditWatched)) {
        ::SetWindowLongPtrW(m_hEditWatched, GWLP_WNDPROC, (LONG_PTR)m_pfnEditProc);
        ::RemovePropW(m_hEditWatched, kFieldProp);
    }
}

// Every message the edit part gets passes here first: at the outermost one
// the edit's text and selection are noted, as they are before that message
// changes anything. The edit is watched in UTF-16, as it holds its text, so
// that no text is converted on its way through.
void CRecentPathCombo::WatchEdit()
{
    HWND hEdit = GetEditCtrl();
    if (!hEdit || m_hEditWatched || !::SetPropW(hEdit, kFieldProp, (HANDLE)this))
        return;
    m_hEditWatched = hEdit;
    m_pfnEditProc = (WNDPROC)::SetWindowLongPtrW(hEdit, GWLP_WNDPROC, (LONG_PTR)EditWatchProc);
}

LRESULT CALLBACK CRecentPathCombo::EditWatchProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CRecentPathCombo* pField = (CRecentPathCombo*)::GetPropW(hWnd, kFieldProp);
    if (!pField || pField->m_hEditWatched != hWnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    WNDPROC pfnEdit = pField->m_pfnEditProc;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnEdit);
        ::RemovePropW(hWnd, kFieldProp);
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
    m_before.text.ReleaseBuffer(nGot >= 0 && nGot <= n ? nGot : 0);
    ::CallWindowProcW(pfnEdit, hEdit, EM_GETSEL, (WPARAM)&m_before.dwStart, (LPARAM)&m_before.dwEnd);
    m_before.bKnown = true;
}

// Whether the change that made the text now added text at its end and did
// nothing else (PathText.h), measured from the edit as it was before the
// message that changed it. A removal of any kind (a key, a cut, the edit's
// menu, an input method) adds nothing.
bool CRecentPathCombo::TextAddedAtEnd(const CString& now) const
{
    const EditState& b = m_before;
    return b.bKnown && ::AddsOnlyAtEnd((const wchar_t*)b.text, b.text.GetLength(), (int)b.dwStart, (int)b.dwEnd,
                                       (const wchar_t*)now, now.GetLength());
}

// Called when the user's editing is about to show changed text. Only text
// added at its end (TextAddedAtEnd) is completed: a removal, however made,
// an edit inside the text, or one that leaves a selection, stays exactly as
// the user left it, and an empty text matches nothing. The caret's end of
// the text stays in view, the completed tail included.
void CRecentPathCombo::AutoComplete()
{
    CompleteAddedText();
    // A further change within the same message is measured from this one.
    if (m_hEditWatched)
        NoteEditState();
}

void CRecentPathCombo::CompleteAddedText()
{
    CString text = GetText();
    if (!TextAddedAtEnd(text))
        return;
    int nTyped = text.GetLength();
    DWORD dwStart = 0, dwEnd = 0;
    GetEditSel(&dwStart, &dwEnd);
    if (nTyped == 0 || dwStart != dwEnd || (int)dwEnd != nTyped)
        return;
    FillList();
    if (SelectString(-1, text) == CB_ERR)
        SetWindowText(text);
    SetEditSel(nTyped, -1);
    if (HWND hEdit = GetEditCtrl())
        ::SendMessageW(hEdit, EM_SCROLLCARET, 0, 0);
}
