// Checking an archive held in memory against the whole format: bounds,
// placement of the stored bytes, the zlib stream of every entry, names and
// times.  Nothing here touches files; messages name the entry at fault.
#ifndef ORVANE_TOOLS_OVPACK_INSPECT_H
#define ORVANE_TOOLS_OVPACK_INSPECT_H

#include <stddef.h>
#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

#include "archive/ArchiveFormat.h"

// Receives inflated content piece by piece; false stops the inflation.
using ContentSink = std::function<bool(const uint8_t* data, size_t length)>;

// Inflates entry's stored bytes into sink (which may be empty).  Returns ""
// when they are one complete zlib stream of exactly storedSize bytes that
// inflates to exactly inflatedSize bytes with a good Adler-32; otherwise
// what is wrong.  It never inflates more than inflatedSize + 1 bytes, so a
// hostile record costs no more than its own claim.  The sink gets nothing
// beyond inflatedSize bytes; after a fault it may have had part.
std::string InflateEntry(const ArchiveEntry& entry, const ContentSink& sink);

// Every defect of the archive, in the order found, each naming the entry
// ("\"lib\\two.dat\" (entry 3): ...", by index alone where its name cannot
// be read) or the archive part at fault.  Empty when everything holds.
// Names must pass CheckEntryName and CheckPortableName and must not clash
// (Names.h).  A directory that cannot be walked further ends the list.
std::vector<std::string> VerifyArchive(const uint8_t* base, uint32_t size);

// "\"lib\\two.dat\" (entry 3)": a user knows the name; index counts from 0.
std::string EntryLabel(uint32_t index, const ArchiveEntry& entry);

#endif
