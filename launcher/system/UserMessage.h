// What the launcher says to the user, through the wide API, so that it
// reads the same on every system: catalogue texts are Windows-1252 and are
// converted exactly from that page, whatever the system's own page is
// (which would turn "é" into another letter); the names inserted into them
// are the wide names the user knows.
#ifndef ORVANE_LAUNCHER_USERMESSAGE_H
#define ORVANE_LAUNCHER_USERMESSAGE_H

#include <windows.h>

#include <initializer_list>

class UserMessage {
public:
    // The catalogue text as it stands, '%' included.
    explicit UserMessage(const char* text);
    // The catalogue format with each "%s" replaced by the next insert (an
    // absent one by nothing) and "%%" by '%'.
    UserMessage(const char* format, std::initializer_list<const wchar_t*> inserts);
    UserMessage(const UserMessage&) = delete;
    UserMessage& operator=(const UserMessage&) = delete;

    // Cut at the buffer's end, never past it.
    const wchar_t* Text() const { return text; }

    // Shows the text in a topmost box without owner, with the setup title;
    // the button the user pressed.
    int Show(UINT flags) const;

private:
    void Add(const wchar_t* part, int length);
    void AddCatalogue(const char* part, int length);

    static const int Capacity = 2048;
    wchar_t text[Capacity];
    int length;
};

#endif
