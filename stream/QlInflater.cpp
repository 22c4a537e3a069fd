#include "QlInflater.h"

#include <string.h>

#include <new>

namespace {

const char ZlibError[] = "Zlib-Fehler";
const unsigned int PumpInputSize = 113;
const unsigned int FilterInputSize = 100;
const unsigned int PumpPieceSize = 100;

void Raise(int cause) {
    throw QlStreamException(cause, ZlibError);
}

}  // namespace

// zlib's CRC-32, bit by bit.  inflate refers to it for gzip streams only,
// which the launcher never reads (its entries are zlib streams, checked
// with Adler-32); defined here, next to the engine that brings inflate in,
// this exact but small version is linked instead of zlib's 8 KB of tables.
extern "C" uLong crc32(uLong crc, const Bytef* bytes, uInt length) {
    if (bytes == nullptr) return 0;
    crc = ~crc & 0xFFFFFFFFul;
    while (length-- > 0) {
        crc ^= *bytes++;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320ul & (0ul - (crc & 1)));
    }
    return ~crc & 0xFFFFFFFFul;
}

QlInflater::QlInflater(unsigned int bufferSize)
    : buffer(nullptr), bufferSize(bufferSize), state(Idle), streamEnded(false) {
    memset(&zlib, 0, sizeof zlib);  // null allocator: zlib's default
    buffer = new (std::nothrow) unsigned char[bufferSize];
    if (buffer == nullptr) Raise(NoInputBuffer);
}

QlInflater::~QlInflater() {
    // An error that interrupted a pump leaves the stream running; end it so
    // its state is not leaked.
    if (state != Idle) inflateEnd(&zlib);
    delete[] buffer;
}

void QlInflater::BeginInflate() {
    if (state != Idle) Raise(WrongInflateState);
    if (inflateInit(&zlib) != Z_OK) Raise(InflateInitFailed);
    zlib.avail_in = 0;  // the first InflateInto fetches input
    streamEnded = false;
    state = Inflating;
}

unsigned int QlInflater::InflateInto(void* output, unsigned int count, QlInStream& source) {
    if (state != Inflating && state != Finished) Raise(WrongInflateState);
    // Nothing asked: inflate could only report no progress, which would
    // wrongly end the stream.
    if (state == Finished || count == 0) return 0;

    zlib.next_out = static_cast<Bytef*>(output);
    zlib.avail_out = count;
    int result;
    do {
        if (zlib.avail_in == 0) {
            zlib.next_in = buffer;
            zlib.avail_in = source.Read(buffer, bufferSize);
        }
        result = inflate(&zlib, Z_NO_FLUSH);
    } while (zlib.avail_out != 0 && result == Z_OK);

    if (result != Z_OK) {
        // The end, input that ran out (Z_BUF_ERROR) or damage: no more output.
        state = Finished;
        streamEnded = result == Z_STREAM_END;
    }
    return count - zlib.avail_out;
}

void QlInflater::EndInflate() {
    if (state != Inflating && state != Finished) Raise(WrongInflateState);
    if (inflateEnd(&zlib) != Z_OK) Raise(InflateEndFailed);
    state = Idle;
}

QlInflatePump::QlInflatePump() : QlInflater(PumpInputSize) {}

unsigned int QlInflatePump::Pump(QlOutStream& output, QlInStream& input, unsigned int limit) {
    if (limit == 0) limit = 0xFFFFFFFF;
    unsigned int total = 0;
    BeginInflate();
    unsigned char piece[PumpPieceSize];
    unsigned int produced;
    do {
        produced = InflateInto(piece, limit < PumpPieceSize ? limit : PumpPieceSize, input);
        if (produced != 0) {
            output.Write(piece, produced);
            total += produced;
            limit -= produced;
        }
    } while (limit != 0 && produced != 0);
    EndInflate();
    return total;
}

unsigned int QlInflatePump::Reserved(QlOutStream&, QlInStream&, unsigned int) {
    return 0;
}

QlInflateInStream::QlInflateInStream(QlInStream& source) : QlInflater(FilterInputSize), source(source) {
    BeginInflate();
}

QlInflateInStream::~QlInflateInStream() {
    try {
        EndInflate();
    } catch (const QlStreamException&) {
        // Nothing to report to from a destructor; the engine's own
        // destruction still releases the buffer.
    }
}

unsigned int QlInflateInStream::Read(void* buffer, unsigned int count) {
    return InflateInto(buffer, count, source);
}
