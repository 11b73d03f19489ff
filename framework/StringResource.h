// The program's string resources, loaded as the UTF-16 they are stored in,
// so that a text reaches the screen whole whatever the ANSI code page.
#pragma once

#include "WideString.h"

// The framework's own string resources.
enum
{
    AFX_IDS_APP_TITLE = 0xE000,
    AFX_IDP_FAILED_TO_LAUNCH_HELP = 0xF107,
    AFX_IDP_INTERNAL_FAILURE = 0xF108,
    AFX_IDP_PATH_UNUSABLE = 0xF120      // "%1": a name the code page cannot hold
};

// String resource nID; empty when there is none.
void AfxLoadString(unsigned int nID, CWideString& text);
// String resource nIDS with "%1" and "%2" replaced by the texts (which are
// not searched for further replacements).
void AfxFormatString2(CWideString& out, unsigned int nIDS, const wchar_t* psz1 = 0, const wchar_t* psz2 = 0);
