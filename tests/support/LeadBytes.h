// The lead-byte tables of the tests, built from ranges as the program builds the system's: 932,
// 936 (0x81-0xFE, 932's single-byte katakana 0xA1-0xDF included) and a single-byte code page.
#pragma once
#include "framework/Mbcs.h"
#include <string.h>
inline LeadByteTable TableOf(const char* r)
{ LeadByteTable t; LeadBytesFromRanges(t, (const unsigned char*)r, (int)strlen(r)); return t; }
inline const LeadByteTable& Cp932LeadBytes() { static const LeadByteTable t = TableOf("\x81\x9F\xE0\xFC"); return t; }
inline const LeadByteTable& Cp936LeadBytes() { static const LeadByteTable t = TableOf("\x81\xFE"); return t; }
inline const LeadByteTable& SingleByteLeadBytes() { static const LeadByteTable t = TableOf(""); return t; }
