// Formatting into a QlString: the printf family through the runtime's own
// formatter (msvcrt), and the system's message-insert formatter.
#include "QlString.h"
#include "FormatEstimate.h"
#include "LocalText.h"

#include <windows.h>

#include <stdio.h>

#include <cxxabi.h>

#include <new>

void QlString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void QlString::FormatV(const char* format, va_list args) {
    char* buffer = GetBuffer(EstimateFormatLength(format, args));
    int capacity = GetAllocLength();

    // The formatter is bounded by the capacity.  The estimate falls short
    // for some formats (huge floating-point values, large precisions); then
    // measure the exact length and format once more, so the text is always
    // complete and nothing is written past the block.
    va_list pass;
    va_copy(pass, args);
    int written = -1;
    if (capacity > 0) {
        // _vsnprintf writes at most capacity characters and no NUL when the
        // output fills them exactly; the block always has room for one more.
        written = _vsnprintf(buffer, capacity, format, pass);
    } else if (_vscprintf(format, pass) == 0) {
        written = 0;  // nothing to write: the empty representation stays
    }
    va_end(pass);

    if (written < 0) {
        va_copy(pass, args);
        int needed = _vscprintf(format, pass);
        va_end(pass);
        if (needed > 0) {
            buffer = GetBuffer(needed);
            va_copy(pass, args);
            written = _vsnprintf(buffer, needed, format, pass);
            va_end(pass);
        }
        if (written < 0) written = 0;  // a format the runtime rejects gives no text
    }
    buffer[written] = '\0';
    ReleaseBuffer(-1);
}

void QlString::FormatMessageA(const char* format, ...) {
    va_list args;
    va_start(args, format);
    LocalText text;
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, format, 0, 0,
                                    text.Receive(), 0, &args);
    va_end(args);
    if (length == 0 || text.Get() == nullptr) {
        // The string keeps its text.  Inside a handler the caller gets the
        // exception it is handling; otherwise the system could not supply
        // the text, which is what an allocation failure means.
        if (abi::__cxa_current_exception_type() != nullptr) throw;
        throw std::bad_alloc();
    }
    *this = text.Get();
}
