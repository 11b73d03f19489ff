// The lead-byte tables the tests run the text logic in, built from ranges as
// the program builds the system's: 932 (0x81-0x9F, 0xE0-0xFC), 936
// (0x81-0xFE, 932's single-byte katakana 0xA1-0xDF included) and none.
#pragma once

#include "framework/Mbcs.h"

#include <string.h>

inline LeadByteTable TableOf(const char* ranges)
{
    LeadByteTable t;
    LeadBytesFromRanges(t, (const unsigned char*)ranges, (int)strlen(ranges));
    return t;
}
inline const LeadByteTable& Cp932LeadBytes() { static const LeadByteTable t = TableOf("\x81\x9F\xE0\xFC"); return t; }
inline const LeadByteTable& Cp936LeadBytes() { static const LeadByteTable t = TableOf("\x81\xFE"); return t; }
inline const LeadByteTable& SingleByteLeadBytes() { static const LeadByteTable t = TableOf(""); return t; }
