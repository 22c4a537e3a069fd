#include "MessageLanguage.h"

namespace {

// A Windows language identifier keeps its primary language in the low 10
// bits and the region (sublanguage) above them.
const unsigned PrimaryLanguageMask = 0x3FF;

const unsigned LangGerman = 7;
const unsigned LangFrench = 12;
const unsigned LangItalian = 16;

}  // namespace

MessageColumn ColumnForLanguage(unsigned langId) {
    switch (langId & PrimaryLanguageMask) {
    case LangGerman:
        return MESSAGE_GERMAN;
    case LangFrench:
        return MESSAGE_FRENCH;
    case LangItalian:
        return MESSAGE_ITALIAN;
    default:
        return MESSAGE_ENGLISH;
    }
}

unsigned short DefaultLanguage(LanguageQuery user, LanguageQuery system) {
    unsigned short langId = user();
    if (langId == 0) langId = system();
    return langId;
}
