#include "DropFiles.h"

CString CDropFiles::GetPath(UINT i) const
{
    CString path;
    UINT n = ::DragQueryFileW(m_hDrop, i, NULL, 0);
    WCHAR* p = n ? path.GetBuffer((int)n) : NULL;
    if (p) {
        UINT got = ::DragQueryFileW(m_hDrop, i, p, n + 1);
        path.ReleaseBuffer(got <= n ? (int)got : 0);
    }
    return path;
}
