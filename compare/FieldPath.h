// The path that a path field's or the tool path edit's text names: the one
// rule by which the launch, the pickers and the history read such a text.
#pragma once

#include "PathText.h"
#include "../framework/Wnd.h"

class CFieldPath
{
public:
    // Reads the text of an edit (or a combo box's edit part) exactly. The
    // path is the text inside one enclosing pair of double quotes
    // (PathInText), else the text as it stands.
    explicit CFieldPath(HWND hEdit) : m_strText(AfxGetWindowText(hEdit))
    {
        int nFirst = 0, nCount = m_strText.GetLength();
        PathInText((const wchar_t*)m_strText, nCount, &nFirst, &nCount);
        m_strPath = CString((const wchar_t*)m_strText + nFirst, nCount);
    }

    // The path, without the enclosing quotes.
    const CString& GetPath() const { return m_strPath; }
    // The whole text exactly as the edit shows it.
    const CString& GetText() const { return m_strText; }

private:
    CString m_strText;
    CString m_strPath;
};
