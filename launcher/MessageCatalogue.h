// The launcher's user-visible texts, by message identifier, in the user's
// (else the system's) default language, asked anew at every lookup.  Texts
// are Windows-1252 bytes with "\n" line breaks, static and constant.
#ifndef ORVANE_LAUNCHER_MESSAGECATALOGUE_H
#define ORVANE_LAUNCHER_MESSAGECATALOGUE_H

#include "MessageLanguage.h"

// The catalogue holds identifiers 0 to 36; these are the ones the launcher shows.
enum {
    MSG_SETUP_TITLE = 0,
    MSG_CONFIRM_INTERRUPT = 1,
    MSG_INSUFFICIENT_SPACE = 5,  // format: drive (%s), MB required, MB free (%.1f)
};

// Never null: an identifier the catalogue does not hold gives "unknown msg
// text" without asking for the language.
const char* GetMessageText(int id);

// The column of the user's (else the system's) default language, asked now,
// for launcher texts kept outside the catalogue in the same four languages.
MessageColumn GetMessageColumn();

#endif
