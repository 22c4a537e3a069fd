#include "MessageCatalogue.h"

#include <windows.h>

#include "launcher/rules/MessageLookup.h"

namespace {

// The system's calls use their own calling convention; the portable lookup
// takes plain functions.
unsigned short UserLanguage() {
    return GetUserDefaultLangID();
}

unsigned short SystemLanguage() {
    return GetSystemDefaultLangID();
}

}  // namespace

const char* GetMessageText(int id) {
    return LookUpMessage(id, UserLanguage, SystemLanguage);
}
