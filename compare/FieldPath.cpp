#include "FieldPath.h"
#include "PathText.h"
#include "../framework/Wnd.h"

CFieldPath::CFieldPath(HWND hEdit) : m_bQuoted(false), m_kind(UNUSABLE)
{
    AfxGetWindowTextWide(hEdit, m_strText);
    int nFirst = 0, nCount = m_strText.GetLength();
    PathInText((const WCHAR*)m_strText, nCount, &nFirst, &nCount);
    m_bQuoted = nFirst != 0;
    m_strShownPath.Append((const WCHAR*)m_strText + nFirst, nCount);
    if (AfxExactAnsi(m_strShownPath, m_strShownPath.GetLength(), m_strPath))
        m_kind = EXACT;
    else if (AfxShortAnsiPath(m_strShownPath, m_strPath))
        m_kind = SHORT_NAME;
}

CString CFieldPath::GetQuotedPath() const
{
    return m_bQuoted && m_kind != UNUSABLE ? "\"" + m_strPath + "\"" : m_strPath;
}
