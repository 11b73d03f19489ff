#include "RegistryText.h"

#include <string.h>

bool ProfileValueReadable(size_t size)
{
    return size <= 0x1FFFFFF0;
}

size_t ProfileTextLength(unsigned long /*type*/, const char* data, size_t size)
{
    const char* zero = size ? (const char*)memchr(data, 0, size) : NULL;
    return zero ? (size_t)(zero - data) : size;
}
