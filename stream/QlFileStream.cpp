#include "QlFileStream.h"

#include <windows.h>

QlFileStream::QlFileStream() : handle(nullptr), owns(0) {}

QlFileStream::QlFileStream(const char* name, unsigned int flags) : handle(nullptr), owns(0) {
    if (!Open(name, flags)) throw new QlStreamException(OpenFailed, name);
}

QlFileStream::~QlFileStream() {
    if (handle != nullptr && owns) {
        // Never let a close failure leave a destructor: it may run while
        // another stream error is propagating.
        try {
            Close();
        } catch (QlStreamException* e) {
            delete e;
        }
    }
}

bool QlFileStream::Open(const char* name, unsigned int flags) {
    handle = nullptr;
    owns = 0;

    DWORD access;
    switch (flags & 0x3) {
    case OpenRead: access = GENERIC_READ; break;
    case OpenWrite: access = GENERIC_WRITE; break;
    case OpenReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: return false;
    }
    DWORD share;
    switch (flags & 0x70) {
    case 0x00:
    case ShareDenyAll: share = 0; break;
    case ShareDenyWrite: share = FILE_SHARE_READ; break;
    case ShareDenyRead: share = FILE_SHARE_WRITE; break;
    case ShareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: return false;
    }
    DWORD disposition = OPEN_EXISTING;
    if (flags & OpenCreate) disposition = (flags & OpenNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    HANDLE file = CreateFileA(name, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle = file;
    owns = 1;
    return true;
}

void QlFileStream::Close() {
    if (handle == nullptr) return;
    BOOL closed = CloseHandle(handle);
    handle = nullptr;
    owns = 0;
    if (!closed) throw new QlStreamException(CloseFailed);
}

unsigned int QlFileStream::Write(const void* buffer, unsigned int count) {
    if (count == 0) return 0;
    DWORD done = 0;
    if (!WriteFile(handle, buffer, count, &done, nullptr)) throw new QlStreamException(WriteFailed);
    // A full disk first shows as a short write that reports success.
    if (done != count) throw new QlStreamException(WriteIncomplete);
    return count;
}
