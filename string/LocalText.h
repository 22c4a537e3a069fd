// The text the system allocates for FormatMessageA (with
// FORMAT_MESSAGE_ALLOCATE_BUFFER), freed exactly once with LocalFree, also
// when copying it out throws.
#ifndef ORVANE_STRING_LOCALTEXT_H
#define ORVANE_STRING_LOCALTEXT_H

#include <windows.h>

class LocalText {
public:
    LocalText() : text(nullptr) {}
    ~LocalText() {
        if (text != nullptr) LocalFree(text);
    }
    LocalText(const LocalText&) = delete;
    LocalText& operator=(const LocalText&) = delete;

    // Where FormatMessageA stores the block's address.
    LPSTR Receive() { return reinterpret_cast<LPSTR>(&text); }
    const char* Get() const { return text; }

private:
    char* text;
};

#endif
