// QlFileStream: a file on the Win32 file API, without buffering of its own:
// every Read is one ReadFile and every Write one WriteFile with exactly the
// caller's count.  Positions and lengths are 32-bit (files up to 4 GiB).
//
// Open flags: access in bits 0-1 (OpenRead 0, OpenWrite 1, OpenReadWrite 2),
// sharing in bits 4-6 (0x00/0x10 none, 0x20 deny write, 0x30 deny read,
// 0x40 deny none), creation in bits 12-13 (0x1000 create or empty, 0x3000
// create or keep, 0x5000 create only: the name must be free, so a file or
// link someone else put there is never opened; otherwise the file must
// exist).  Other access and sharing values are refused.  The launcher's
// clean-up script and extracted files are opened with 0x5001: write only,
// not shared, created new.
//
// Failures are thrown as a new QlStreamException by pointer; the handler
// deletes it.  After a failed operation the stream keeps its handle and can
// still be closed or destroyed.  Destruction never throws: a failing close
// there is dropped.
#ifndef ORVANE_STREAM_QLFILESTREAM_H
#define ORVANE_STREAM_QLFILESTREAM_H

#include "QlStream.h"
#include "QlStreamException.h"

struct _SECURITY_ATTRIBUTES;

enum QlOpenFlags {
    OpenRead = 0x0000,
    OpenWrite = 0x0001,
    OpenReadWrite = 0x0002,
    ShareDenyAll = 0x0010,
    ShareDenyWrite = 0x0020,
    ShareDenyRead = 0x0030,
    ShareDenyNone = 0x0040,
    OpenCreate = 0x1000,
    OpenNoTruncate = 0x2000,
    OpenNew = 0x4000,  // with OpenCreate: fail when the name exists
};

class QlFileStream : public QlRandomStream {
public:
    // Without a file.
    QlFileStream();
    // Over a handle the caller keeps: destruction leaves it open, Close
    // closes it.
    explicit QlFileStream(void* handle);
    // Raises OpenFailed, with the name as passed, when the file cannot be opened.
    QlFileStream(const char* name, unsigned int flags);
    virtual ~QlFileStream();

    QlFileStream(const QlFileStream&) = delete;
    QlFileStream& operator=(const QlFileStream&) = delete;

    // Only for a stream without a file; false when the flags are
    // meaningless or the system refuses (GetLastError() tells why).  A file
    // it creates gets security, or the default when that is null.
    bool Open(const char* name, unsigned int flags, _SECURITY_ATTRIBUTES* security = nullptr);
    // Nothing without a file; CloseFailed when the system cannot close.
    void Close();

    unsigned int Read(void* buffer, unsigned int count) override;     // ReadFailed
    unsigned int Write(const void* buffer, unsigned int count) override;  // WriteFailed, WriteIncomplete
    unsigned int Size() override;                                      // SeekFailed
    unsigned int Tell() override;                                      // SeekFailed
    unsigned int Seek(long distance, int origin) override;             // SeekFailed
    int Lock(unsigned int offset, unsigned int length, int mode) override;
    int Unlock(unsigned int offset, unsigned int length) override;     // UnlockFailed

private:
    void* handle;  // null while the stream has no file
    int owns;      // 1 when this stream opened the file and closes it
};

#endif
