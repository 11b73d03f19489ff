// Double-byte-aware text helpers for the ANSI code page. Free of
// <windows.h>: the program hands in the lead-byte table of the system's ANSI
// code page, whichever it is; the tests build their own for code pages 932
// and 936 and for a single-byte one.
#pragma once

#include "String.h"

struct LeadByteTable
{
    bool lead[256];
    bool IsLead(unsigned char c) const { return lead[c]; }
};

// Fills t from lead-byte ranges as Windows gives them (CPINFO::LeadByte):
// pairs of a first and a last byte, up to count bytes or up to a pair of
// zeros.
void LeadBytesFromRanges(LeadByteTable& t, const unsigned char* ranges, int count);

// Byte offset of the first single-byte character ch in s[0, len), stepping
// over double-byte characters, so a trail byte equal to ch never matches.
// A lead byte in the last position stands alone. -1 when there is none.
int MbsFind(const char* s, int len, char ch, const LeadByteTable& t);
// Likewise, the last such character.
int MbsFindLast(const char* s, int len, char ch, const LeadByteTable& t);
// Byte offset of the first occurrence of sub[0, subLen) that starts and ends
// on character boundaries of s; -1 when there is none. An empty sub matches
// at 0.
int MbsFindStr(const char* s, int len, const char* sub, int subLen, const LeadByteTable& t);
// Replaces every single-byte character from by to, in place (trail bytes stay).
void MbsReplaceChar(char* s, int len, char from, char to, const LeadByteTable& t);
// The longest length <= maxBytes (and <= len) at which s can be cut without
// splitting a double-byte character.
int MbsSafeCut(const char* s, int len, int maxBytes, const LeadByteTable& t);

// The application name from the executable's full path: cut at the last "."
// (when it stands after the last separator) and keep what follows the last
// "\", "/" or ":".
CString AppNameFromModulePath(const char* path, const LeadByteTable& t);
