#include "UserMessage.h"

#include "launcher/system/MessageCatalogue.h"

namespace {

const UINT CatalogueCodePage = 1252;

}  // namespace

UserMessage::UserMessage(const char* catalogueText) : length(0) {
    text[0] = L'\0';
    AddCatalogue(catalogueText, lstrlenA(catalogueText));
}

UserMessage::UserMessage(const char* format, std::initializer_list<const wchar_t*> inserts) : length(0) {
    text[0] = L'\0';
    const wchar_t* const* next = inserts.begin();
    const char* start = format;
    for (const char* p = format; *p != '\0'; ++p) {
        if (p[0] != '%' || (p[1] != 's' && p[1] != '%')) continue;
        AddCatalogue(start, static_cast<int>(p - start));
        if (p[1] == '%') {
            Add(L"%", 1);
        } else if (next != inserts.end()) {
            if (*next != nullptr) Add(*next, lstrlenW(*next));
            ++next;
        }
        start = p + 2;
        ++p;
    }
    AddCatalogue(start, lstrlenA(start));
}

void UserMessage::Add(const wchar_t* part, int partLength) {
    int room = Capacity - 1 - length;
    if (partLength > room) partLength = room;
    for (int i = 0; i < partLength; ++i) text[length + i] = part[i];
    length += partLength;
    text[length] = L'\0';
}

void UserMessage::AddCatalogue(const char* part, int partLength) {
    // Every byte of the catalogue's page is one character, so this converts
    // exactly, and only room cuts it short.
    int room = Capacity - 1 - length;
    if (partLength > room) partLength = room;
    if (partLength <= 0) return;
    int added = MultiByteToWideChar(CatalogueCodePage, 0, part, partLength, text + length, room);
    if (added > 0) length += added;
    text[length] = L'\0';
}

int UserMessage::Show(UINT flags) const {
    UserMessage title(GetMessageText(MSG_SETUP_TITLE));
    return MessageBoxW(nullptr, text, title.Text(), flags | MB_TOPMOST);
}
