#include "WebLinkLabel.h"

const MsgMap CWebLinkLabel::messageMap = { &CStatic::messageMap, 0, 0 };

CWebLinkLabel::CWebLinkLabel()
    : m_bHover(FALSE), m_clrLink(RGB(0, 0, 224)), m_clrHover(::GetSysColor(COLOR_HIGHLIGHT))
{
}

CWebLinkLabel::~CWebLinkLabel()
{
}

void CWebLinkLabel::FitToText()
{
}

BOOL CWebLinkLabel::PreTranslateMessage(MSG* pMsg)
{
    return CStatic::PreTranslateMessage(pMsg);
}

void CWebLinkLabel::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
}
