// The text the system allocates for FormatMessageA or FormatMessageW (with
// FORMAT_MESSAGE_ALLOCATE_BUFFER), freed exactly once with LocalFree, also
// when copying it out throws.
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
    const Char* Get() const { return text; }

private:
    Char* text;
};

typedef LocalBlock<char> LocalText;
typedef LocalBlock<wchar_t> LocalTextW;

#endif
