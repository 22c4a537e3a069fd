// The launcher's user-visible texts, by message identifier, in the user's
// (else the system's) default language.  Texts are Windows-1252 bytes.
#ifndef ORVANE_LAUNCHER_MESSAGECATALOGUE_H
#define ORVANE_LAUNCHER_MESSAGECATALOGUE_H

enum {
    MSG_SETUP_TITLE = 0,
    MSG_CONFIRM_INTERRUPT = 1,
    MSG_INSUFFICIENT_SPACE = 5,  // format: drive (%s), MB required, MB free (%.1f)
};

// Never null: an identifier the catalogue does not hold gives "unknown msg text".
const char* GetMessageText(int id);

#endif
