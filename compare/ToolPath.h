// The comparison tool's path as the development tools register it. Free of
// <windows.h>, so that the rule can be tested natively.
#pragma once

#include "../framework/Mbcs.h"

// The located path's buffer: at most 511 bytes of text and the terminator.
const size_t kToolPathBytes = 512;

// The path a registered "Path" value names, or empty when it is not taken.
// size is the value's whole size as the registry reports it; of data, no
// more than kToolPathBytes bytes are looked at. Whatever the value's type,
// the path is its data up to the first zero byte; data without a zero ends
// where it ends. A value that does not fit kToolPathBytes with a terminator
// is not taken at all: a path cut short would name another file. A lead
// byte standing alone at the end is no character and is dropped.
CString ToolPathFromValue(unsigned long type, const char* data, size_t size, const LeadByteTable& lead);
