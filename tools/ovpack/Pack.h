// Writing an archive from collected files.  Entries are compressed
// independently, on several threads when asked, and written in order, so
// the bytes are the same whatever the number of jobs: zlib level 6 (every
// stream begins 0x78 0x9C), times from the files (see Pack.cpp), no other
// input.  The archive is written to a temporary file beside out and renamed
// into place only when complete: a failed run leaves out as it was.
#ifndef ORVANE_TOOLS_OVPACK_PACK_H
#define ORVANE_TOOLS_OVPACK_PACK_H

#include <string>
#include <vector>

#include "Scan.h"

// "" on success, else the message naming the file or entry at fault (the
// first in archive order when several fail).  jobs >= 1.
std::string PackArchive(const std::vector<SourceFile>& files, const std::string& out, unsigned jobs);

#endif
