// The byte-stream interfaces.  Streams do no buffering of their own: every
// operation is one system call or one memory copy, and the caller chooses
// the piece sizes.  Failures raise QlStreamException (see each stream for
// whether by pointer or by value).  Counts, positions and lengths are 32-bit.
//
// None of the interfaces has a virtual destructor: a stream is deleted
// through its own type.
#ifndef ORVANE_STREAM_QLSTREAM_H
#define ORVANE_STREAM_QLSTREAM_H

// A source of bytes.  Read places 0 to count bytes; fewer than asked, and 0
// at the end, are not errors.
class QlInStream {
public:
    virtual unsigned int Read(void* buffer, unsigned int count) = 0;
};

// A sink of bytes.  Write either takes all count bytes or raises.
class QlOutStream {
public:
    virtual unsigned int Write(const void* buffer, unsigned int count) = 0;
};

// Positioning and byte-range locking, shared by the input and output sides
// of a random-access stream (a virtual base: one position for both).
class QlRandomAccess {
public:
    virtual unsigned int Size() = 0;
    virtual unsigned int Tell() = 0;
    // origin: 0 from the start, 1 from the current position, 2 from the end.
    virtual unsigned int Seek(long distance, int origin) = 0;
    // 0 when the range is locked, -1 when it is not; never raises.
    virtual int Lock(unsigned int offset, unsigned int length, int mode) = 0;
    // Nonzero on success.
    virtual int Unlock(unsigned int offset, unsigned int length) = 0;
};

class QlRandomInStream : public QlInStream, public virtual QlRandomAccess {};

class QlRandomOutStream : public QlOutStream, public virtual QlRandomAccess {};

class QlRandomStream : public QlRandomInStream, public QlRandomOutStream {};

#endif
