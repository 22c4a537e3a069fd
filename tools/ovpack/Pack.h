// Writing an archive from collected files.  Entries are compressed in
// independent blocks (BlockDeflate.h), on several threads when asked, even
// within one entry, and written in order, so the bytes are the same
// whatever the number of jobs: one zlib stream per entry at level 6 (it
// begins 0x78 0x9C), times from the files (see BlockSource.cpp), no other
// input.  Memory holds a few blocks per job, however large the files.  The
// archive is written to a temporary file beside out and renamed into place
// only when complete: a failed run leaves out as it was.
#ifndef ORVANE_TOOLS_OVPACK_PACK_H
#define ORVANE_TOOLS_OVPACK_PACK_H

#include <string>
#include <vector>

#include "Scan.h"

// "" on success, else the message naming the file or entry at fault (the
// first in archive order when several fail).  jobs >= 1.
std::string PackArchive(const std::vector<SourceFile>& files, const std::string& out, unsigned jobs);

#endif
