// QlMemoryInStream: an input stream over a block of memory it does not own
// (an archive entry's stored bytes in the locked resources).  It copies;
// it never fails and never raises.
#ifndef ORVANE_STREAM_QLMEMORYINSTREAM_H
#define ORVANE_STREAM_QLMEMORYINSTREAM_H

#include "QlStream.h"

class QlMemoryInStream : public QlInStream {
public:
    QlMemoryInStream(const void* data, unsigned int size);

    // Copies min(count, remaining) bytes; 0 at the end.
    unsigned int Read(void* buffer, unsigned int count) override;

private:
    const unsigned char* next;
    unsigned int remaining;
};

#endif
