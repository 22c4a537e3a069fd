// Extraction of the five archives the launcher unpacks, in order, into the
// extraction folder, with one script line per extracted file.
#ifndef ORVANE_LAUNCHER_EXTRACTION_H
#define ORVANE_LAUNCHER_EXTRACTION_H

#include <windows.h>

#include "archive/PathList.h"
#include "launcher/CleanupScript.h"
#include "string/QlString.h"

// The archives are those of archive/ArchiveNames.h, in its order, resources
// of the module instance.  Checks
// every present archive's directory, names and target lengths first,
// so a malformed archive, an unsafe name or a path too long stops the run
// before anything is extracted; then extracts each entry into folders and
// files this run creates new (never into an existing one, or through a
// link), and writes its script line.  A missing archive is skipped.
// folderPath is the run's own folder, just created, with its trailing
// backslash.  Folders created on the way are recorded in folders, and
// every file this run created in files (so a run that fails can take back
// exactly what it wrote).  Raises QlStreamException by pointer:
// ArchiveMalformed with the archive's name, EntryNameRefused with an unsafe
// entry's name, EntryNameForeign with one this system's code pages cannot
// hold, PathTooLong with the target, and whatever CreateEntryFolders and
// ExtractEntry raise.
void ExtractArchives(HINSTANCE instance, const QlString& folderPath, PathList& folders, PathList& files,
                     CleanupScript& script);

#endif
