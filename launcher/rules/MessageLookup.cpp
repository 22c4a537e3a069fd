#include "MessageLookup.h"

#include "MessageTable.h"

const char UnknownMessageText[] = "unknown msg text";

const char* LookUpMessage(int id, LanguageQuery user, LanguageQuery system) {
    const MessageRow* row = FindMessageRow(id);
    return row != nullptr ? row->texts[ColumnForLanguage(DefaultLanguage(user, system))] : UnknownMessageText;
}
