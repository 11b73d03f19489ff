// The window layer: command targets with static routing tables, and CWnd,
// which attaches an object to a window handle by subclassing it.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <shellapi.h>

#include "String.h"

class CCmdTarget;
class CWnd;
class CDataExchange;

// A window's text exactly as it holds it.
CString AfxGetWindowText(HWND hWnd);

// ---------------------------------------------------------------------------
// Routing tables
//
// Each class that reacts to events declares one static table. An entry names
// the event and a thunk that unpacks the message parameters and calls the
// member; the thunks are generated from the member's own signature, so a
// handler with the wrong shape does not compile.

enum MsgKind
{
    MK_MESSAGE,         // a window message, by message number
    MK_COMMAND,         // WM_COMMAND from a control id with a notification code
    MK_REFLECT,         // a control notification reflected back to the control
    MK_CTLCOLOR_REFLECT // the parent's colour request reflected back to the control
};

typedef LRESULT (*MsgThunk)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

struct MsgMapEntry
{
    int nKind;
    UINT nMessage;      // MK_MESSAGE: the message; MK_COMMAND, MK_REFLECT: the notification code
    UINT nID;           // MK_COMMAND: the control or command id
    MsgThunk pfn;
};

struct MsgMap
{
    const MsgMap* pBaseMap;
    const MsgMapEntry* pEntries;
    int nEntries;
};

template <size_t N>
constexpr MsgMap MakeMsgMap(const MsgMap* pBase, const MsgMapEntry (&entries)[N])
{
    return MsgMap{ pBase, entries, (int)N };
}

// Thunks, one per handler shape.
template <class T, void (T::*F)()>
LRESULT Thunk(CCmdTarget* p, WPARAM, LPARAM) { (static_cast<T*>(p)->*F)(); return 0; }
template <class T, void (T::*F)(UINT, LPARAM)>
LRESULT Thunk(CCmdTarget* p, WPARAM w, LPARAM l) { (static_cast<T*>(p)->*F)((UINT)w, l); return 0; }
template <class T, void (T::*F)(HDROP)>
LRESULT Thunk(CCmdTarget* p, WPARAM w, LPARAM) { (static_cast<T*>(p)->*F)((HDROP)w); return 0; }
template <class T, void (T::*F)(UINT, POINT)>
LRESULT Thunk(CCmdTarget* p, WPARAM w, LPARAM l)
{
    POINT pt = { (short)LOWORD(l), (short)HIWORD(l) };
    (static_cast<T*>(p)->*F)((UINT)w, pt);
    return 0;
}
template <class T, BOOL (T::*F)()>
LRESULT Thunk(CCmdTarget* p, WPARAM, LPARAM) { return (LRESULT)(static_cast<T*>(p)->*F)(); }
template <class T, HCURSOR (T::*F)()>
LRESULT Thunk(CCmdTarget* p, WPARAM, LPARAM) { return (LRESULT)(static_cast<T*>(p)->*F)(); }
template <class T, HBRUSH (T::*F)(HDC, UINT)>
LRESULT Thunk(CCmdTarget* p, WPARAM w, LPARAM l) { return (LRESULT)(static_cast<T*>(p)->*F)((HDC)w, (UINT)l); }

// Table entries. constexpr, so that every table is built at compile time.
constexpr MsgMapEntry MapMessage(UINT nMessage, MsgThunk pfn)
{
    return MsgMapEntry{ MK_MESSAGE, nMessage, 0, pfn };
}
constexpr MsgMapEntry MapCommand(UINT nID, MsgThunk pfn, UINT nCode = 0 /* BN_CLICKED */)
{
    return MsgMapEntry{ MK_COMMAND, nCode, nID, pfn };
}
constexpr MsgMapEntry MapReflect(UINT nCode, MsgThunk pfn)
{
    return MsgMapEntry{ MK_REFLECT, nCode, 0, pfn };
}
constexpr MsgMapEntry MapCtlColorReflect(MsgThunk pfn)
{
    return MsgMapEntry{ MK_CTLCOLOR_REFLECT, 0, 0, pfn };
}

// Declares the routing table of a class that reacts to events: its entries
// (s_entries) and the table (messageMap), both defined in the class's .cpp
// file, the table with MakeMsgMap(&Base::messageMap, s_entries). Put it at the
// top of the class; the access that follows it is protected.
#define DECLARE_MESSAGE_MAP()                                               \
public:                                                                     \
    virtual const MsgMap* GetMessageMap() const { return &messageMap; }     \
    static const MsgMap messageMap;                                         \
protected:                                                                  \
    static const MsgMapEntry s_entries[];

// ---------------------------------------------------------------------------

class CCmdTarget
{
public:
    virtual ~CCmdTarget() {}
    virtual const MsgMap* GetMessageMap() const;

    // Looks for a table entry of the kind and calls it; true when one ran.
    bool Dispatch(int nKind, UINT nMessage, UINT nID, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Runs the command nID with notification nCode; true when handled.
    virtual bool OnCmdMsg(UINT nID, UINT nCode);

    static const MsgMap messageMap;
};

class CWnd : public CCmdTarget
{
public:
    CWnd();
    virtual ~CWnd();

    HWND m_hWnd;

    // Attaching and routing.
    static CWnd* FromHandlePermanent(HWND hWnd);
    bool SubclassWindow(HWND hWnd);
    virtual void PreSubclassWindow() {}
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    // A notification from this control, sent to its parent; true when this
    // control's table took it.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default handling of the message being handled now.
    LRESULT Default();
    // Offers pMsg to PreTranslateMessage of each window with an object, from
    // the target up to its top-level window.
    static BOOL WalkPreTranslateTree(MSG* pMsg);

    // Data exchange.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX) { (void)pDX; }

    // Thin conveniences.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    { return ::SendMessageW(m_hWnd, message, wParam, lParam); }
    CString GetWindowText() const { return AfxGetWindowText(m_hWnd); }
    void SetWindowText(const wchar_t* psz) { ::SetWindowTextW(m_hWnd, psz); }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    DWORD GetStyle() const { return (DWORD)::GetWindowLongPtrW(m_hWnd, GWL_STYLE); }
    void CenterWindow();
    // The help topic this window answers for; 0 when it has none.
    virtual DWORD GetHelpContext() const { return 0; }

    virtual const MsgMap* GetMessageMap() const { return &messageMap; }
    static const MsgMap messageMap;

private:
    void Attach(HWND hWnd);
    void Detach();
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend class CDialog;

    WNDPROC m_pfnSuper;
    CWnd* m_pNextWnd;    // the list of attached objects
    CWnd(const CWnd&);
    CWnd& operator=(const CWnd&);
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
