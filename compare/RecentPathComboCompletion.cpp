// The path field's edit watch and completion: the edit part's state before
// each message it handles, and typed text completed from the list.
#include "RecentPathCombo.h"
#include "PathText.h"
#include "../framework/CodePage.h"

namespace {
// The property of the edit part that names its field.
const char kFieldProp[] = "PelorinPathField";
} // namespace

// Gives the edit part, which outlives the field, back its own procedure.
void CRecentPathCombo::StopWatchingEdit()
{
    if (m_hEditWatched && ::IsWindow(m_hEditWatched)) {
        ::SetWindowLongPtrW(m_hEditWatched, GWLP_WNDPROC, (LONG_PTR)m_pfnEditProc);
        ::RemovePropA(m_hEditWatched, kFieldProp);
    }
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
           && ::AddsOnlyAtEnd((const WCHAR*)b.text, b.text.GetLength(), nKept, b.text.GetLength(), (const WCHAR*)now,
                              now.GetLength());
}

// Called when the user's editing is about to show changed text. Only text
// added at its end (TextAddedAtEnd) is completed: a removal, however made,
// an edit inside the text, or one that leaves a selection, stays exactly as
// the user left it, and an empty text matches nothing; so does a text that
// the code page cannot hold, whose look-alike would match other paths. The
// caret's end of the text stays in view, the completed tail included.
void CRecentPathCombo::AutoComplete()
{
    if (!m_bSettingText)
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

