// The program's string resources, as the UTF-16 they are stored in.
#pragma once

#include "String.h"

// The framework's own string resources.
enum
{
    AFX_IDS_APP_TITLE = 0xE000,
    AFX_IDP_FAILED_TO_LAUNCH_HELP = 0xF107,
    AFX_IDP_INTERNAL_FAILURE = 0xF108
};

// String resource nID; empty when there is none.
CString AfxLoadString(unsigned int nID);
// String resource nIDS with "%1" and "%2" replaced by the texts (which are
// not searched for further replacements).
void AfxFormatString2(CString& out, unsigned int nIDS, const wchar_t* psz1 = 0, const wchar_t* psz2 = 0);
