#include "MessageLookup.h"

#include "MessageTable.h"

const char UnknownMessageText[] = "unknown msg text";

const char* LookUpMessage(int id, LanguageQuery user, LanguageQuery system) {
    // The terminating row is tested before the comparison, so asking for its
    // own identifier finds nothing either.
    for (const MessageRow* row = MessageTable; row->id != MESSAGE_TABLE_END; ++row) {
        if (row->id == id) return row->texts[ColumnForLanguage(DefaultLanguage(user, system))];
    }
    return UnknownMessageText;
}
