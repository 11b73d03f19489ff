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
    // Item i's full path exactly, however long; empty when it cannot be read.
    CString GetPath(UINT i) const;

private:
    HDROP m_hDrop;
    CDropFiles(const CDropFiles&);
    CDropFiles& operator=(const CDropFiles&);
};
