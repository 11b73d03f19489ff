// The editable drop-down path field: a most-recent-first list of the paths
// used in it, completion of typed text from that list, a single item dropped
// from the shell, and its whole state as one history text.
#pragma once

#include "../framework/Controls.h"

class CRecentPathCombo : public CComboBox
{
    DECLARE_MESSAGE_MAP()

public:
    CRecentPathCombo();
    virtual ~CRecentPathCombo();

    CString GetText() const { return GetWindowText(); }
    // The current text, then "|" and each list entry.
    CString GetHistory() const;
    // Restores the text and the list from a history text (list still empty).
    void SetHistory(const char* pszHistory);
    // Sets the text and moves it to the top of the list.
    void SetTextAndRemember(const char* pszText);
    // Moves the current text to the top of the list.
    void AddToHistory();
    // Completes the typed text from the list.
    void AutoComplete();

    virtual BOOL PreTranslateMessage(MSG* pMsg);


    bool m_bHistory;        // entries are added to the list
    bool m_bAutoComplete;   // completion while typing is on
    bool m_bDoComplete;     // the edit the last key caused may be completed
    int m_nMaxHistory;      // most entries kept when one is added

protected:
    void OnDropFiles(HDROP hDrop);
    bool RemoveHighlightedEntry();
    // The edit part's text length, and the position of a byte offset of its
    // text, in the edit's own units.
    int GetEditLength() const;
    int EditPosition(int nByte) const;
};
