// Extraction of the five archives the launcher unpacks, in order, into the
// extraction folder, with one script line per extracted file.
#ifndef ORVANE_LAUNCHER_EXTRACTION_H
#define ORVANE_LAUNCHER_EXTRACTION_H

#include "archive/FolderRegistry.h"
#include "launcher/CleanupScript.h"
#include "string/QlString.h"

// The archive resources extracted, in this order; the other four stay in
// the executable for the next stage.
extern const char* const ExtractedArchives[];

// A missing archive is skipped.  Folders created on the way are recorded
// in the registry.  Stream failures raise QlStreamException.
void ExtractArchives(const QlString& folderPath, FolderRegistry& registry, CleanupScript& script);

#endif
