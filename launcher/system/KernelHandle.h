// A kernel object's handle (process, thread, token: the kinds whose invalid
// value is null), closed exactly once: by Reset or when the holder goes.
#ifndef ORVANE_LAUNCHER_SYSTEM_KERNELHANDLE_H
#define ORVANE_LAUNCHER_SYSTEM_KERNELHANDLE_H

#include <windows.h>

class KernelHandle {
public:
    explicit KernelHandle(HANDLE handle = nullptr) : handle(handle) {}
    ~KernelHandle() { Reset(); }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    // Closes the handle held, then holds this one.
    void Reset(HANDLE replacement = nullptr) {
        if (handle != nullptr) CloseHandle(handle);
        handle = replacement;
    }
    // Where a system call stores a new handle; the one held is closed first.
    HANDLE* Receive() {
        Reset();
        return &handle;
    }
    HANDLE Get() const { return handle; }

private:
    HANDLE handle;
};

#endif
