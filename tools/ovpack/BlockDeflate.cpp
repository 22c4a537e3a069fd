#include "BlockDeflate.h"

#include <string.h>

namespace {

const int Level = 6;            // zlib's default: the header is 0x78 0x9C
const int RawWindowBits = -15;  // negative: no zlib header or trailer per block
const int MemoryLevel = 8;      // zlib's default, as deflateInit uses it

}  // namespace

const uint8_t ZlibHeader[2] = {0x78, 0x9C};

void ZlibTrailer(uint32_t adler, uint8_t trailer[4]) {
    for (int i = 0; i < 4; ++i) trailer[i] = static_cast<uint8_t>(adler >> (8 * (3 - i)));
}

BlockDeflater::BlockDeflater() {
    memset(&stream, 0, sizeof stream);
    ready = deflateInit2(&stream, Level, Z_DEFLATED, RawWindowBits, MemoryLevel, Z_DEFAULT_STRATEGY) == Z_OK;
}

BlockDeflater::~BlockDeflater() {
    if (ready) deflateEnd(&stream);
}

bool BlockDeflater::Deflate(const uint8_t* dictionary, size_t dictionaryLength, const uint8_t* data, size_t length,
                            bool last, std::vector<uint8_t>& out) {
    // A reset state matches a fresh one exactly, so which block this
    // deflater made before leaves no trace in the bytes.
    if (!ready || deflateReset(&stream) != Z_OK) return false;
    if (dictionaryLength > 0 &&
        deflateSetDictionary(&stream, dictionary, static_cast<uInt>(dictionaryLength)) != Z_OK) {
        return false;
    }
    // The bound covers a finished stream; a sync flush adds its empty
    // stored block, and the loop grows the buffer should that not fit.
    out.resize(deflateBound(&stream, static_cast<uLong>(length)) + 16);
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = static_cast<uInt>(length);
    size_t produced = 0;
    for (;;) {
        stream.next_out = out.data() + produced;
        stream.avail_out = static_cast<uInt>(out.size() - produced);
        int status = deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
        produced = out.size() - stream.avail_out;
        if (status == Z_STREAM_ERROR) return false;
        // A flush is complete once it leaves room in the output.
        if (last ? status == Z_STREAM_END : stream.avail_out != 0) break;
        out.resize(out.size() * 2);
    }
    out.resize(produced);
    return true;
}

std::vector<uint8_t> DeflateInBlocks(const uint8_t* content, size_t length) {
    BlockDeflater deflater;
    std::vector<uint8_t> stream(ZlibHeader, ZlibHeader + sizeof ZlibHeader);
    std::vector<uint8_t> piece;
    size_t done = 0;
    do {
        size_t block = length - done < BlockSize ? length - done : BlockSize;
        size_t dictionary = done < DictionarySize ? done : DictionarySize;
        if (!deflater.Deflate(content + done - dictionary, dictionary, content + done, block, done + block == length,
                              piece)) {
            return {};
        }
        stream.insert(stream.end(), piece.begin(), piece.end());
        done += block;
    } while (done < length);
    uint8_t trailer[4];
    ZlibTrailer(static_cast<uint32_t>(adler32_z(adler32(0, Z_NULL, 0), content, length)), trailer);
    stream.insert(stream.end(), trailer, trailer + 4);
    return stream;
}
