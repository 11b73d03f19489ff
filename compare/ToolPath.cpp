#include "ToolPath.h"

#include <string.h>

CString ToolPathFromValue(unsigned long /*type*/, const char* data, size_t size, const LeadByteTable& lead)
{
    if (size > kToolPathBytes)
        return CString();
    const char* zero = size ? (const char*)memchr(data, 0, size) : NULL;
    if (!zero && size == kToolPathBytes)
        return CString();   // no room left for the terminator
    int len = zero ? (int)(zero - data) : (int)size;
    if (len > 0 && lead.IsLead((unsigned char)data[len - 1]) && MbsSafeCut(data, len, len - 1, lead) == len - 1)
        len--;
    return CString(data, len);
}
