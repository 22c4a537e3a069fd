// Reading the files of an archive in archive order, block by block, for
// the block compressors (BlockDeflate.h).  Each block carries the content
// just before it as its dictionary, so it can be compressed on any thread;
// a file's last block carries what its record needs.  Files are read to
// their end, whatever size the scan saw.  The first file that cannot be
// read ends the sequence with a block carrying the message.  One reader:
// callers serialise Next; BytesRead may be asked from any thread.
#ifndef ORVANE_TOOLS_OVPACK_BLOCKSOURCE_H
#define ORVANE_TOOLS_OVPACK_BLOCKSOURCE_H

#include <stddef.h>
#include <stdint.h>

#include <atomic>
#include <string>
#include <vector>

#include "ArchiveWriter.h"
#include "Files.h"
#include "Scan.h"

struct PackBlock {
    size_t entry = 0;   // index into the files
    bool first = false;
    bool last = false;  // then record is complete
    // DictionarySize bytes of room, the dictionary at its end, then the
    // length bytes of content.
    std::vector<uint8_t> bytes;
    size_t dictionaryLength = 0;
    size_t length = 0;
    EntryRecord record;
    std::string error;  // set: the file at fault is entry, no block follows

    // Filled by the compressor: the raw deflate data, the content's Adler-32.
    std::vector<uint8_t> stored;
    uint32_t adler = 0;

    const uint8_t* Content() const;
    const uint8_t* Dictionary() const { return Content() - dictionaryLength; }
};

class BlockSource {
public:
    explicit BlockSource(const std::vector<SourceFile>& files);
    ~BlockSource();
    BlockSource(const BlockSource&) = delete;
    BlockSource& operator=(const BlockSource&) = delete;

    // Overwrites block with the next one (reusing its buffers); false when
    // every file has been read or a failure ended the sequence.
    bool Next(PackBlock& block);
    uint64_t BytesRead() const { return bytesRead; }

private:
    // Each false after Fail has put the message into block.
    bool Open(PackBlock& block);
    bool ReadAhead(PackBlock& block, const uint8_t* previous, size_t previousLength);
    void Fail(PackBlock& block, const std::string& message);

    const std::vector<SourceFile>& files;
    size_t entry = 0;
    InputFile input;
    bool open = false;
    bool finished;
    bool first = false;
    uint64_t total = 0;  // bytes read of the open file
    // The open file's next block, read one ahead: only a read that finds
    // the end tells that the block before it was the last.
    std::vector<uint8_t> ahead;
    size_t aheadLength = 0;
    size_t aheadDictionary = 0;
    std::atomic<uint64_t> bytesRead{0};
};

#endif
