// A text label that works as a web link: underlined, coloured, hover colour
// while the mouse is over it, a tooltip with the address, sized to its text,
// and a click opens the address in the browser.
#pragma once

#include "../framework/Controls.h"

class CWebLinkLabel : public CStatic
{
public:
    CWebLinkLabel();
    virtual ~CWebLinkLabel();

    // Sizes the label to its text, keeping its alignment.
    void FitToText();

    virtual BOOL PreTranslateMessage(MSG* pMsg);

    virtual const MsgMap* GetMessageMap() const { return &messageMap; }
    static const MsgMap messageMap;

    BOOL m_bHover;          // the mouse is over the label (and it holds the capture)
    COLORREF m_clrLink;     // text colour when not hovered
    COLORREF m_clrHover;    // text colour while hovered
    CString m_strTarget;    // the address to open
    CFont m_fontLink;       // the underlined font
    CToolTipCtrl m_tip;     // shows the address

protected:
    virtual void PreSubclassWindow();
};
