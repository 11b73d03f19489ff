// A text label that works as a web link: underlined, coloured, hover colour
// while the mouse is over it, a tooltip with the address, sized to its text,
// and a click opens the address in the browser.
#pragma once

#include "../framework/Controls.h"

class CWebLinkLabel : public CStatic
{
    DECLARE_MESSAGE_MAP()

public:
    CWebLinkLabel();
    virtual ~CWebLinkLabel();

    // Sizes the label to its text, keeping its alignment.
    void FitToText();
    // Called when the window's DPI has changed (by the version window, and by
    // the system in each child of a window whose DPI changed): the underlined
    // font is made again from the control's font as it is now, and the label
    // is fitted to its text again.
    void OnDpiChanged();

    virtual BOOL PreTranslateMessage(MSG* pMsg);


    BOOL m_bHover;          // the mouse is over the label (and it holds the capture)
    COLORREF m_clrLink;     // text colour when not hovered
    COLORREF m_clrHover;    // text colour while hovered
    CString m_strTarget;    // the address to open
    CFont m_fontLink;       // the underlined font
    CToolTipCtrl m_tip;     // shows the address

protected:
    virtual void PreSubclassWindow();

    // Called when the parent asks for the label's colours.
    HBRUSH CtlColor(HDC hDC, UINT nCtlColor);
    // Called when the mouse moves over the label, or anywhere while the
    // label holds the capture.
    void OnMouseMove(UINT nFlags, POINT point);
    // Called when the label loses the mouse capture; lParam is the window
    // that takes it.
    void OnCaptureChanged(UINT nUnused, LPARAM lParam);
    // Called when the label was clicked.
    void OnLinkClicked();
    // Gives the control an underlined copy of the font it uses now.
    void CreateLinkFont();
    void Redraw();
};
