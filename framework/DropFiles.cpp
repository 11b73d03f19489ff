#include "DropFiles.h"
#include "CodePage.h"
#include "MessageBox.h"

bool CDropFiles::GetPath(UINT i, CString& path) const
{
    path.Empty();
    UINT n = ::DragQueryFileW(m_hDrop, i, NULL, 0);
    CWideString item;
    WCHAR* p = item.GetBuffer((int)n);
    if (!p || n == 0)
        return true;
    UINT got = ::DragQueryFileW(m_hDrop, i, p, n + 1);
    p[got <= n ? got : n] = 0;
    if (AfxAnsiPathFromWide(item, path))
        return true;
    AfxReportUnusablePath(item);
    return false;
}
