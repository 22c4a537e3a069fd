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

// Creates every missing folder of path, below the deepest level that
// exists, recording each new one (as the system reports its full path) at
// the front of the registry, when one is given.  0 when every level exists
// or could be made, or the path already exists (a file counts too), 1 on
// failure.  Nothing is entered: the current drive and the current folder of
// every drive stay as they are.
int CreateFolderPath(const char* path, FolderRegistry* registry);

// Inflates storedSize bytes of one zlib stream into the file targetPath
// (created or emptied, not shared), creating its folders first.  With
// newFileOnly the file is created only where no file or link of that name
// exists, and its folders are the caller's to make (CreateEntryFolders), so
// none is probed or made here.  Never
// writes more than inflatedSize + 1 bytes, however far the data would
// inflate.  Raises QlStreamException by pointer, with the target path:
// OpenFailed, WriteFailed, WriteIncomplete from the file, the inflate
// engine's causes, EntryDamaged when the stream does not end with a good
// check value after exactly inflatedSize bytes, and PathTooLong for a target
// of more than MaxTargetPath characters.  The file exists afterwards unless
// the cause is OpenFailed or PathTooLong.
void ExtractEntry(const void* stored, unsigned int storedSize, unsigned int inflatedSize, const char* targetPath,
                  FolderRegistry* registry, bool newFileOnly = false);

// Creates the folder levels of an entry's name below root (a folder this
// run created, with its trailing backslash), each of them new, and records
// each one at the front of the registry.  A level the registry already holds
// was made by this run and is used again.  Raises QlStreamException by
// pointer with the level's path: OpenFailed when a level exists that this
// run did not make, or cannot be made, or turns out to be a link, so nothing
// is ever written into someone else's folder or through a link.
void CreateEntryFolders(const char* root, const char* name, unsigned int nameLength, FolderRegistry& registry);

#endif
