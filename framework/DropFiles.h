// The items of a drop from the shell, read whole. The drop is released when
// the object goes, whatever happened.
#pragma once

#include "Wnd.h"

class CDropFiles
{
public:
    explicit CDropFiles(HDROP hDrop) : m_hDrop(hDrop) {}
    ~CDropFiles() { ::DragFinish(m_hDrop); }

    UINT GetCount() const { return ::DragQueryFileW(m_hDrop, 0xFFFFFFFF, NULL, 0); }
    // Item i's full path in the ANSI code page, however long; empty when it
    // cannot be read. False, after telling the user, when the code page
    // cannot hold its name.
    bool GetPath(UINT i, CString& path) const;

private:
    HDROP m_hDrop;
    CDropFiles(const CDropFiles&);
    CDropFiles& operator=(const CDropFiles&);
};
