#include "QlMemoryInStream.h"

#include <string.h>

QlMemoryInStream::QlMemoryInStream(const void* data, unsigned int size)
    : next(static_cast<const unsigned char*>(data)), remaining(size) {}

unsigned int QlMemoryInStream::Read(void* buffer, unsigned int count) {
    if (count > remaining) count = remaining;
    if (count == 0) return 0;
    memcpy(buffer, next, count);
    next += count;
    remaining -= count;
    return count;
}
