// The message catalogue's texts: one constant, statically initialised row
// per message identifier, 0 to 36 in ascending order, then a terminating row
// whose identifier is 37 and whose texts are empty.  Portable.
//
// Texts are Windows-1252 bytes (an accented letter is one byte), with "\n"
// line breaks and never a CR.  Some are printf formats; the table never
// formats, its callers do.  Nothing writes to it.
#ifndef ORVANE_LAUNCHER_MESSAGETABLE_H
#define ORVANE_LAUNCHER_MESSAGETABLE_H

#include "MessageLanguage.h"

// The terminating row's identifier; a lookup stops at it.
const int MESSAGE_TABLE_END = 37;
const int MESSAGE_TABLE_ROWS = MESSAGE_TABLE_END + 1;

struct MessageRow {
    int id;
    const char* texts[MESSAGE_COLUMNS];  // indexed by MessageColumn
};

extern const MessageRow MessageTable[MESSAGE_TABLE_ROWS];

// The launcher's own reports, a block of the same catalogue apart from the
// numbering above: identifiers REPORT_TABLE_FIRST upwards in ascending
// order, then a terminating row of identifier REPORT_TABLE_END with empty
// texts.
const int REPORT_TABLE_FIRST = 100;
const int REPORT_TABLE_END = 111;
const int REPORT_TABLE_ROWS = REPORT_TABLE_END - REPORT_TABLE_FIRST + 1;

extern const MessageRow ReportTable[REPORT_TABLE_ROWS];

// The row of id in either block; null for an identifier neither holds
// (negative, 37 to 99, or past the launcher's reports, terminating rows
// included).
const MessageRow* FindMessageRow(int id);

#endif
