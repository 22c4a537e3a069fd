#include "MessageCatalogue.h"

// Placeholder until the catalogue arrives: English only, and only the three
// messages the launcher shows.
const char* GetMessageText(int id) {
    switch (id) {
    case MSG_SETUP_TITLE:
        return "Orvane Setup";
    case MSG_CONFIRM_INTERRUPT:
        return "You are about to interrupt the Orvane download.\n"
               "To continue downloading, you just need to restart the setup program.\n"
               "Files already downloaded won't be downloaded again.\n"
               "Do you really want to interrupt the download?";
    case MSG_INSUFFICIENT_SPACE:
        return "Insufficient space on drive %s to run setup!\n"
               "(%.1f MB required, only %.1f MB available)";
    default:
        return "unknown msg text";
    }
}
