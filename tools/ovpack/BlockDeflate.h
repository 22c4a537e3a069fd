// An entry's stored bytes made in independent blocks, so that one large
// entry can keep several cores busy.  The content is cut into blocks of
// BlockSize bytes; each is deflated on its own (raw deflate, level 6),
// primed with the DictionarySize bytes of content before it, and ends with
// a sync flush, the last one with the end of the stream, so the pieces
// concatenate into one deflate stream.  ZlibHeader before the first piece
// and ZlibTrailer (the Adler-32 of the whole content) after the last make
// it one complete zlib stream that begins 0x78 0x9C.  Every piece depends
// on the content alone, so the bytes are the same whatever thread made
// them; content of at most one block gives exactly what zlib's compress2
// at level 6 gives.
#ifndef ORVANE_TOOLS_OVPACK_BLOCKDEFLATE_H
#define ORVANE_TOOLS_OVPACK_BLOCKDEFLATE_H

#include <stddef.h>
#include <stdint.h>
#include <zlib.h>

#include <vector>

// Part of the format of every archive the packer writes: changing either
// changes the bytes.
const size_t BlockSize = 128 * 1024;
const size_t DictionarySize = 32 * 1024;  // deflate's whole window

// The two bytes before the first block's deflate data.
extern const uint8_t ZlibHeader[2];
// The four bytes after the last block's: adler, the content's Adler-32,
// most significant byte first.
void ZlibTrailer(uint32_t adler, uint8_t trailer[4]);

// One deflate state, reset for every block; one per thread.
class BlockDeflater {
public:
    BlockDeflater();
    ~BlockDeflater();
    BlockDeflater(const BlockDeflater&) = delete;
    BlockDeflater& operator=(const BlockDeflater&) = delete;

    // Replaces out with the raw deflate data of length bytes at data,
    // dictionaryLength (at most DictionarySize) bytes at dictionary being
    // the content just before them.  False when zlib could not start (out
    // of memory); out is then unspecified.
    bool Deflate(const uint8_t* dictionary, size_t dictionaryLength, const uint8_t* data, size_t length, bool last,
                 std::vector<uint8_t>& out);

private:
    z_stream stream;
    bool ready;
};

// The whole zlib stream of length bytes at content, block by block on the
// calling thread; empty when zlib could not start.
std::vector<uint8_t> DeflateInBlocks(const uint8_t* content, size_t length);

#endif
