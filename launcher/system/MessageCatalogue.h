// The launcher's user-visible texts, by message identifier, in the user's
// (else the system's) default language, asked anew at every lookup.  Texts
// are Windows-1252 bytes with "\n" line breaks, static and constant.
#ifndef ORVANE_LAUNCHER_MESSAGECATALOGUE_H
#define ORVANE_LAUNCHER_MESSAGECATALOGUE_H

#include "launcher/rules/MessageLanguage.h"

// The catalogue holds identifiers 0 to 36; these are the ones the launcher shows.
enum {
    MSG_SETUP_TITLE = 0,
    MSG_CONFIRM_INTERRUPT = 1,
    MSG_INSUFFICIENT_SPACE = 5,  // format: drive (%s), MB required, MB free (%.1f)
};

// The launcher's own reports, from 100 on (MessageTable.h); a "%s" takes a
// name or a reason, in that order.
enum {
    MSG_FILE_FAILURE = 100,        // file, reason
    MSG_REASON_DISK = 101,
    MSG_REASON_ACCESS = 102,
    MSG_REASON_DAMAGED = 103,
    MSG_REASON_PATH_LENGTH = 104,
    MSG_START_FAILURE = 105,       // program, the system's reason
    MSG_UNUSABLE_PATH = 106,       // folder or file
    MSG_DRIVE_FAILURE = 107,       // drive or folder, the system's reason
    MSG_FOREIGN_NAME = 108,        // entry name as this system reads it
    MSG_COMMAND_LINE_TOO_LONG = 109,
    MSG_OUT_OF_MEMORY = 110,
};

// Never null: an identifier the catalogue does not hold gives "unknown msg
// text" without asking for the language.
const char* GetMessageText(int id);


#endif
