// The editable drop-down path field: a most-recent-first list of the paths
// used in it, completion of typed text from that list, a single item dropped
// from the shell, and its whole state as one history text. The class is
// defined over these files:
//   RecentPathCombo.cpp            routing table, texts set by the program,
//                                  Shift+Delete in the open list, a dropped item
//   RecentPathComboHistory.cpp     the list and the history text
//   RecentPathComboCompletion.cpp  the edit watch and completion
#pragma once

#include "../framework/Controls.h"

class CRecentPathCombo : public CComboBox
{
    DECLARE_MESSAGE_MAP()

public:
    CRecentPathCombo();
    virtual ~CRecentPathCombo();

    // The text exactly as the edit part shows it; the path it names is
    // CFieldPath(GetEditCtrl()).
    CString GetText() const { return GetWindowText(); }
    // The current text, then "|" and each list entry, exactly.
    void GetHistory(CString& history) const;
    // Restores the text and the list from a history text (list still empty).
    // The text shows at once; the list is filled when it is first used
    // (FillList).
    void SetHistory(const wchar_t* pszHistory);
    // Sets the text and moves it to the top of the list.
    void SetTextAndRemember(const wchar_t* pszText);
    // Moves the current text to the top of the list.
    void AddToHistory();
    // Completes the typed text from the list.
    void AutoComplete();

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual void PreSubclassWindow();
    void OnDropFiles(HDROP hDrop);
    bool RemoveHighlightedEntry();

    // Puts the restored entries that are not in the list yet into it. Called
    // before anything reads or changes the list: a key or the wheel in the
    // field, a list message from anyone, the list dropping down, and the
    // program's own uses of the list.
    void FillList();

private:
    // The restored entries not yet in the list: "|" and each entry, in list
    // order.
    CString m_strPending;

    // The edit part as it was before the message it handles now, so that a
    // change can be told apart: text added at the end, or anything else.
    struct EditState
    {
        CString text;
        DWORD dwStart, dwEnd;   // the selection
        bool bKnown;
    };
    EditState m_before;
    HWND m_hEditWatched;
    WNDPROC m_pfnEditProc;
    int m_nEditDepth;       // messages of the edit part being handled, nested
    void WatchEdit();
    void StopWatchingEdit();
    void NoteEditState();
    void CompleteAddedText();
    bool TextAddedAtEnd(const CString& now) const;
    static LRESULT CALLBACK EditWatchProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
