// The path that a path field's or the tool path edit's text names: the one
// rule by which the launch, the pickers, the history and the settings read
// such a text.
#pragma once

#include "../framework/CodePage.h"

class CFieldPath
{
public:
    // How the text names its path.
    enum Kind
    {
        EXACT,          // the code page holds the path exactly
        SHORT_NAME,     // it does not; the item's short name does
        UNUSABLE        // neither: no text in the code page names the item
    };

    // Reads the text of an edit (or a combo box's edit part) exactly. The
    // path is the text inside one enclosing pair of double quotes
    // (PathInText), else the text as it stands.
    explicit CFieldPath(HWND hEdit);

    Kind GetKind() const { return m_kind; }
    // The path in the code page, without the enclosing quotes; empty when
    // UNUSABLE.
    const CString& GetPath() const { return m_strPath; }
    // The same with the text's enclosing quotes, if it had them, kept around
    // it: the form in which a field's text is stored.
    CString GetQuotedPath() const;
    // The path as read, without its quotes, for a message.
    const WCHAR* GetShownPath() const { return m_strShownPath; }
    // The whole text exactly as the edit shows it.
    const WCHAR* GetText() const { return m_strText; }

private:
    CWideString m_strText;
    CWideString m_strShownPath;
    CString m_strPath;
    bool m_bQuoted;
    Kind m_kind;
    CFieldPath(const CFieldPath&);
    CFieldPath& operator=(const CFieldPath&);
};
