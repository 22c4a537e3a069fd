// The catalogue's lookup, with the language queries handed in.  Portable:
// GetMessageText (MessageCatalogue.h) passes the system's queries.
#ifndef ORVANE_LAUNCHER_MESSAGELOOKUP_H
#define ORVANE_LAUNCHER_MESSAGELOOKUP_H

#include "MessageLanguage.h"

// The one text for identifiers the table does not hold, English only.
extern const char UnknownMessageText[];

// The text of id in the column of the user's (else the system's) default
// language.  The language is asked anew at each lookup of an identifier the
// table holds, and not at all for one it does not (negative, 37 to 99, or
// past the launcher's reports),
// which yields UnknownMessageText.  Never null; the text is static and
// constant, the caller neither changes nor frees it.
const char* LookUpMessage(int id, LanguageQuery user, LanguageQuery system);

#endif
