#include "MessageLookup.h"

#include "MessageTable.h"

const char UnknownMessageText[] = "unknown msg text";

const char* LookUpMessage(int id, LanguageQuery user, LanguageQuery system) {
    // Each block's terminating row is tested before the comparison, so
    // asking for its own identifier finds nothing either.
    bool report = id >= REPORT_TABLE_FIRST;
    const int end = report ? REPORT_TABLE_END : MESSAGE_TABLE_END;
    for (const MessageRow* row = report ? ReportTable : MessageTable; row->id != end; ++row) {
        if (row->id == id) return row->texts[ColumnForLanguage(DefaultLanguage(user, system))];
    }
    return UnknownMessageText;
}
