#include "ToolPath.h"
#include "../framework/RegistryText.h"

CString ToolPathFromValue(unsigned long type, const char* data, size_t size, const LeadByteTable& lead)
{
    if (size > kToolPathBytes)
        return CString();
    int len = (int)ProfileTextLength(type, data, size);
    if (len == (int)kToolPathBytes)
        return CString();   // no room left for the terminator
    if (len > 0 && lead.IsLead((unsigned char)data[len - 1]) && MbsSafeCut(data, len, len - 1, lead) == len - 1)
        len--;
    return CString(data, len);
}
