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
#include "../framework/WideString.h"

class CRecentPathCombo : public CComboBox
{
    DECLARE_MESSAGE_MAP()

public:
    CRecentPathCombo();
    virtual ~CRecentPathCombo();

    CString GetText() const { return GetWindowText(); }
    // The text exactly as the edit part shows it; the path it names is
    // CFieldPath(GetEditCtrl()).
    void GetShownText(CWideString& text) const { AfxGetWindowTextWide(GetEditCtrl(), text); }
    // The current text, then "|" and each list entry, exactly: the text
    // as it names its path (CFieldPath), unless no text in the code page
    // names it or it is the text restored exactly and left alone.
    void GetHistory(CWideString& history) const;
    // Restores the text and the list from a history text (list still empty).
    // The text shows at once; the list is filled when it is first used
    // (FillList).
    void SetHistory(const char* pszHistory);
    // The same for a history text that the code page cannot hold: the text
    // and every entry exactly.
    void SetHistoryExact(const WCHAR* pszHistory);
    // Sets the text and moves it to the top of the list.
    void SetTextAndRemember(const char* pszText);
    void SetTextAndRemember(const WCHAR* pszText);
    // Moves the current text to the top of the list.
    void AddToHistory();
    // Completes the typed text from the list.
    void AutoComplete();

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual void PreSubclassWindow();
    // Sets the text exactly, raising no edit event.
    void SetShownText(const WCHAR* pszText);
    void OnDropFiles(HDROP hDrop);
    bool RemoveHighlightedEntry();
    // The edit part's text length, and the position of a byte offset of its
    // text, in the edit's own units.
    int GetEditLength() const;
    int EditPosition(int nByte) const;

    // Puts the restored entries that are not in the list yet into it. Called
    // before anything reads or changes the list: a key or the wheel in the
    // field, a list message from anyone, the list dropping down, and the
    // program's own uses of the list.
    void FillList();

private:
    bool m_bSettingText;    // the program sets the edit part's text
    // The restored entries not yet in the list: "|" and each entry, in list
    // order.
    CWideString m_strPending;
    // The text restored exactly (SetHistoryExact).
    CWideString m_strRestoredText;

    // The edit part as it was before the message it handles now, so that a
    // change can be told apart: text added at the end, or anything else.
    struct EditState
    {
        CWideString text;
        DWORD dwStart, dwEnd;   // the selection, in the edit's own units
        int nLength;            // the text's length in the same units
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
    bool TextAddedAtEnd(const CWideString& now) const;
    static LRESULT CALLBACK EditWatchProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
