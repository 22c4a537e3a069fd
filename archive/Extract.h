// Extraction of one archive entry to a file, creating and recording the
// folders on its way.
#ifndef ORVANE_ARCHIVE_EXTRACT_H
#define ORVANE_ARCHIVE_EXTRACT_H

#include "archive/FolderRegistry.h"
#include "stream/QlStreamException.h"

// The longest paths the extractor handles: targets, one folder level, and
// the absolute path of a folder it creates.  Longer ones are refused, never
// cut into another path.
const int MaxTargetPath = 511;
const int MaxLevel = 256;
const int MaxFolderPath = 255;

// Creates every missing folder of path, recording each new one (as the
// system reports it once entered) at the front of the registry, when one is
// given.  0 when every level could be entered or the path already exists
// (a file counts too), 1 on failure.  The current drive and the current
// folder of every drive are as before, also after a failure.
int CreateFolderPath(const char* path, FolderRegistry* registry);

// Inflates storedSize bytes of one zlib stream into the file targetPath
// (created or emptied, not shared), creating its folders first.  Raises
// QlStreamException: by pointer from the file (OpenFailed, WriteFailed,
// WriteIncomplete, all with the target path), and EntryDamaged with the target
// path when the stream does not end with a good check value after exactly
// inflatedSize bytes; by value from the inflate engine.  PathTooLong for a
// target of more than MaxTargetPath characters.
void ExtractEntry(const void* stored, unsigned int storedSize, unsigned int inflatedSize, const char* targetPath,
                  FolderRegistry* registry);

#endif
