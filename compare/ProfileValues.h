// Text forms of the stored settings values.
#pragma once

// "%d" scanning: skips leading white space, takes an optional sign and the
// decimal digits that follow. True and *value set when a number was read;
// false (and *value untouched) otherwise. Out-of-range numbers saturate.
bool ScanDecimalInt(const wchar_t* text, int* value);
