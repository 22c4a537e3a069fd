// Extraction of one archive entry into a new file, in folders this run
// creates new.
#ifndef ORVANE_ARCHIVE_EXTRACT_H
#define ORVANE_ARCHIVE_EXTRACT_H

#include "archive/PathList.h"
#include "stream/QlStreamException.h"

// The longest paths extraction makes, in characters without the NUL, as the
// system's narrow calls take them: a file's (MAX_PATH with its NUL), and a
// new folder's, which must leave room for an 8.3 name inside it (248 with
// its NUL).  Longer ones are refused, never cut into another path.
const int MaxFilePath = 259;
const int MaxNewFolderPath = 247;

// Inflates storedSize bytes of one zlib stream into the new file targetPath,
// created only where no file or link of that name exists, in folders made
// before (CreateEntryFolders).  Never writes more than inflatedSize + 1
// bytes, however far the data would inflate.  Raises QlStreamException by
// pointer, with the target path: OpenFailed, WriteFailed, WriteIncomplete
// from the file, the inflate engine's causes, EntryDamaged when the stream
// does not end with a good check value after exactly inflatedSize bytes, and
// PathTooLong for a target of more than MaxFilePath characters.  The file
// exists afterwards unless the cause is OpenFailed or PathTooLong; it is
// recorded in created, when given, the moment it exists, so that whatever
// fails after (std::bad_alloc too) it is known to be this run's.
void ExtractEntry(const void* stored, unsigned int storedSize, unsigned int inflatedSize, const QlString& targetPath,
                  PathList* created = nullptr);

// Creates the folder levels of an entry's name below root (a folder this
// run created, with its trailing backslash), each of them new, and records
// each one at the front of folders the moment it exists.  A level that
// folders already holds was made by this run and is used again.  Raises
// QlStreamException by pointer with the level's path: OpenFailed when a
// level exists that this run did not make, or cannot be made, or turns out
// to be a link, so nothing is ever written into someone else's folder or
// through a link.
void CreateEntryFolders(const char* root, const char* name, unsigned int nameLength, PathList& folders);

#endif
