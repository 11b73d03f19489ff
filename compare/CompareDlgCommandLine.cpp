#include "CompareDlg.h"
#include "CommandLine.h"
#include "../framework/MessageBox.h"
#include "../framework/StringResource.h"

namespace {

// The path as a full one: a relative path is taken in the folder Pelorin
// was started in, however long the result; a full path stays as it is. A
// path the system cannot make full stays as it is too.
void MakeFullPath(const WCHAR* p, int n, CString& full)
{
    full.Empty();
    full.Append(p, n);
    if (n == 0 || IsFullPath(p, n))
        return;
    DWORD need = ::GetFullPathNameW(full, 0, NULL, NULL);
    for (int tries = 0; need > 0 && tries < 3; tries++) {
        CString made;
        WCHAR* buf = made.GetBuffer((int)need);
        if (!buf)
            return;
        DWORD got = ::GetFullPathNameW(full, need, buf, NULL);
        if (got > 0 && got < need) {
            full.Empty();
            full.Append(buf, (int)got);
            return;
        }
        need = got;   // the current folder changed in between: again
    }
}

} // namespace

// Called before the dialog opens. One or two paths (NextPath: blank
// arguments left out) are the paths the dialog opens with, taken as a drop
// of the same items would take them, exactly. More paths are none, after a
// box that says how many there were.
void CCompareDlg::ReadStartPaths()
{
    m_nStartPaths = 0;
    const WCHAR* line = ::GetCommandLineW();
    int len = line ? lstrlenW(line) : 0;
    CString args;
    WCHAR* out = args.GetBuffer(len);
    if (!out)
        return;
    int pos = 0, used = 0, count = 0;
    int first[2] = { 0, 0 }, length[2] = { 0, 0 };
    NextArgument(line, len, &pos, out);   // the program's own name
    for (int n; (n = NextPath(line, len, &pos, out + used)) >= 0; count++) {
        if (count < 2) {
            first[count] = used;
            length[count] = n;
            used += n;
        }
    }
    if (count > 2) {
        WCHAR number[16];
        ::wsprintfW(number, L"%d", count);
        CString text;
        AfxFormatString2(text, IDS_TOO_MANY_PATHS, number);
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    for (int i = 0; i < count; i++)
        MakeFullPath(out + first[i], length[i], m_startPaths[i]);
    m_nStartPaths = count;
}

// Called while the dialog opens. The paths Pelorin was started with become
// the field texts, without entering a history; with two, OK takes the
// focus, so that Enter compares them; with one, the second field does.
// False when there are none.
bool CCompareDlg::ShowStartPaths()
{
    if (m_nStartPaths == 0)
        return false;
    m_comboDir1.SetWindowText(m_startPaths[0]);
    if (m_nStartPaths == 2)
        m_comboDir2.SetWindowText(m_startPaths[1]);
    SendMessage(WM_NEXTDLGCTL, (WPARAM)GetDlgItem(m_nStartPaths == 2 ? IDOK : IDC_DIR2), TRUE);
    return true;
}
