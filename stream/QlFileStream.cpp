#include "QlFileStream.h"

#include <windows.h>

namespace {

void Raise(int cause) {
    throw new QlStreamException(cause);
}

}  // namespace

QlFileStream::QlFileStream() : handle(nullptr), owns(0) {}

QlFileStream::QlFileStream(void* handle) : handle(handle), owns(0) {}

QlFileStream::QlFileStream(const char* name, unsigned int flags) : handle(nullptr), owns(0) {
    if (!Open(name, flags)) throw new QlStreamException(OpenFailed, name);
}

QlFileStream::~QlFileStream() {
    if (handle != nullptr && owns) {
        // Never let a close failure leave a destructor: it may run while
        // another stream error is propagating.
        try {
            Close();
        } catch (QlStreamException* error) {
            delete error;
        }
    }
}

bool QlFileStream::Open(const char* name, unsigned int flags, _SECURITY_ATTRIBUTES* security) {
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
    DWORD disposition = OPEN_EXISTING;  // bit 13 alone changes nothing
    if (flags & OpenCreate) {
        if (flags & OpenNew)
            disposition = CREATE_NEW;
        else
            disposition = (flags & OpenNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    }

    HANDLE file = CreateFileA(name, access, share, security, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
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
    if (!closed) Raise(CloseFailed);
}

unsigned int QlFileStream::Read(void* buffer, unsigned int count) {
    if (count == 0) return 0;
    DWORD done = 0;
    if (!ReadFile(handle, buffer, count, &done, nullptr)) Raise(ReadFailed);
    return done;
}

unsigned int QlFileStream::Write(const void* buffer, unsigned int count) {
    if (count == 0) return 0;
    DWORD done = 0;
    if (!WriteFile(handle, buffer, count, &done, nullptr)) Raise(WriteFailed);
    // A full disk first shows as a short write that reports success.
    if (done != count) Raise(WriteIncomplete);
    return count;
}

unsigned int QlFileStream::Tell() {
    DWORD position = SetFilePointer(handle, 0, nullptr, FILE_CURRENT);
    if (position == INVALID_SET_FILE_POINTER) Raise(SeekFailed);
    return position;
}

unsigned int QlFileStream::Seek(long distance, int origin) {
    DWORD position = SetFilePointer(handle, distance, nullptr, static_cast<DWORD>(origin));
    if (position == INVALID_SET_FILE_POINTER) Raise(SeekFailed);
    return position;
}

unsigned int QlFileStream::Size() {
    unsigned int position = Seek(0, FILE_CURRENT);
    unsigned int size = Seek(0, FILE_END);
    if (Seek(static_cast<long>(position), FILE_BEGIN) != position) Raise(SeekFailed);
    return size;
}

int QlFileStream::Lock(unsigned int offset, unsigned int length, int) {
    return LockFile(handle, offset, 0, length, 0) ? 0 : -1;
}

int QlFileStream::Unlock(unsigned int offset, unsigned int length) {
    BOOL unlocked = UnlockFile(handle, offset, 0, length, 0);
    if (!unlocked) Raise(UnlockFailed);
    return unlocked;
}
