// A block the system allocates for its caller with LocalAlloc (the text of
// FormatMessageA or FormatMessageW with FORMAT_MESSAGE_ALLOCATE_BUFFER, the
// text of a SID's conversion), freed exactly once with LocalFree, also when
// copying it out throws.
#ifndef ORVANE_STRING_LOCALTEXT_H
#define ORVANE_STRING_LOCALTEXT_H

#include <windows.h>

template <typename Char>
class LocalBlock {
public:
    LocalBlock() : text(nullptr) {}
    ~LocalBlock() {
        if (text != nullptr) LocalFree(text);
    }
    LocalBlock(const LocalBlock&) = delete;
    LocalBlock& operator=(const LocalBlock&) = delete;

    // Where FormatMessage stores the block's address.
    Char* Receive() { return reinterpret_cast<Char*>(&text); }
    // Where the other calls store it.
    Char** Address() { return &text; }
    const Char* Get() const { return text; }

private:
    Char* text;
};

typedef LocalBlock<char> LocalText;
typedef LocalBlock<wchar_t> LocalTextW;

#endif
