#include "ProfileValues.h"

#include <limits.h>

bool ScanDecimalInt(const wchar_t* text, int* value)
{
    if (!text)
        return false;
    const wchar_t* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r')
        p++;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = (*p++ == '-');
    if (*p < '0' || *p > '9')
        return false;
    long long n = 0;
    for (; *p >= '0' && *p <= '9'; p++) {
        if (n <= (long long)INT_MAX + 1)
            n = n * 10 + (*p - '0');
    }
    if (negative)
        n = -n;
    if (n > INT_MAX)
        n = INT_MAX;
    if (n < INT_MIN)
        n = INT_MIN;
    *value = (int)n;
    return true;
}
