// Writing an archive as it grows: each entry's stored bytes go to the file
// as they come, piece by piece, and its record waits in memory for the
// directory.  Everything goes to a temporary file beside out, renamed into
// place by Commit only: an archive that is never committed is removed, and
// out stays as it was.  Every method returns "" or the message naming the
// file at fault; after a failure the writer is only good for destruction.
#ifndef ORVANE_TOOLS_OVPACK_ARCHIVEWRITER_H
#define ORVANE_TOOLS_OVPACK_ARCHIVEWRITER_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "Files.h"
#include "Scan.h"

// What a file gives its record besides its name and its stored bytes.
struct EntryRecord {
    uint32_t inflatedSize = 0;
    uint32_t creationTime = 0;
    uint32_t writeTime = 0;
    uint32_t accessTime = 0;
};

class ArchiveWriter {
public:
    explicit ArchiveWriter(const std::string& out);
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    std::string Start();
    // Stored bytes of file, the entry after the last one ended.
    std::string Append(const SourceFile& file, const void* data, size_t length);
    // Closes file's entry: its record covers what was appended since the
    // previous entry ended.
    void EndEntry(const SourceFile& file, const EntryRecord& record);
    std::string Commit();

private:
    std::string out;
    std::string temporary;
    OutputFile output;
    std::string opening;  // why the temporary file could not be created
    uint64_t offset;       // where the next stored byte goes
    uint64_t entryOffset;  // where the current entry's stored bytes began
    uint32_t count = 0;
    std::vector<uint8_t> directory;
    bool committed = false;
};

#endif
