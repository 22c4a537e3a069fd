// The files that go into an archive: everything below a folder, named as
// the archive names them (backslash separators), in the order they are
// stored.  Whatever the format cannot hold or the launcher must not meet
// is refused here, before anything is written.
#ifndef ORVANE_TOOLS_OVPACK_SCAN_H
#define ORVANE_TOOLS_OVPACK_SCAN_H

#include <stdint.h>

#include <string>
#include <vector>

struct SourceFile {
    std::string name;  // in the archive: relative, with backslashes
    std::string path;  // on disk
    uint64_t size;     // when scanned
};

// Collects the regular files below dir (symbolic links to files count as
// the file).  With an order file (one relative path per line, '/' or '\',
// blank lines ignored) the entries follow it and it must name every file
// exactly once; without one they are sorted by name, byte by byte.
// Refused, each with a message naming the file: names over 255 bytes,
// names CheckEntryName or CheckPortableName refuses, a backslash inside a file name, names that
// clash on Windows (Names.h), files of 4 GiB or more, empty folders (an archive
// holds files only), anything neither file nor folder.  Returns every
// refusal; files is complete only when none is returned.
std::vector<std::string> CollectSources(const std::string& dir, const std::string& orderFile,
                                        std::vector<SourceFile>& files);

#endif
