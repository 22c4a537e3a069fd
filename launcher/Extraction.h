// Extraction of the five archives the launcher unpacks, in order, into the
// extraction folder, with one script line per extracted file.
#ifndef ORVANE_LAUNCHER_EXTRACTION_H
#define ORVANE_LAUNCHER_EXTRACTION_H

#include "archive/FolderRegistry.h"
#include "launcher/CleanupScript.h"
#include "string/QlString.h"

// The archive resources extracted, in this order, null-terminated; the
// other four stay in the executable for the next stage.
extern const char* const ExtractedArchives[];

// Checks every present archive's directory and names first, so a malformed
// archive or an unsafe name stops the run before anything is written; then
// extracts each entry and writes its script line.  A missing archive is
// skipped.  Folders created on the way are recorded in the registry, and
// every target path in files before its extraction begins (so a run that
// fails can take back what it wrote).
// Raises QlStreamException: ArchiveMalformed with the archive's name,
// EntryNameRefused with the entry's name, and whatever ExtractEntry raises.
void ExtractArchives(const QlString& folderPath, FolderRegistry& registry, FolderRegistry& files,
                     CleanupScript& script);

#endif
