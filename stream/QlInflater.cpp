#include "QlInflater.h"

#include <string.h>

#include <new>

namespace {

const char ZlibError[] = "Zlib-Fehler";
const unsigned int PumpInputSize = 113;
const unsigned int FilterInputSize = 100;
const unsigned int PumpPieceSize = QlInflatePump::PieceSize;

void Raise(int cause) {
    throw QlStreamException(cause, ZlibError);
}

}  // namespace

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

    int result;
    unsigned int produced = InflateAhead(output, count, source, result);
    if (result != Z_OK) Finish(result);
    return produced;
}

unsigned int QlInflater::InflateAhead(void* output, unsigned int count, QlInStream& source, int& result) {
    zlib.next_out = static_cast<Bytef*>(output);
    zlib.avail_out = count;
    do {
        if (zlib.avail_in == 0) {
            zlib.next_in = buffer;
            zlib.avail_in = source.Read(buffer, bufferSize);
        }
        result = inflate(&zlib, Z_NO_FLUSH);
    } while (zlib.avail_out != 0 && result == Z_OK);
    return count - zlib.avail_out;
}

void QlInflater::Finish(int result) {
    // The end, input that ran out (Z_BUF_ERROR) or damage: no more output.
    state = Finished;
    streamEnded = result == Z_STREAM_END;
}

void QlInflater::EndInflate() {
    if (state != Inflating && state != Finished) Raise(WrongInflateState);
    if (inflateEnd(&zlib) != Z_OK) Raise(InflateEndFailed);
    state = Idle;
}

QlInflatePump::QlInflatePump() : QlInflater(PumpInputSize) {}

// zlib's fast decoder needs 258 bytes of output room, and every return
// from inflate costs a copy into its window: filled 100 bytes at a time, it
// never runs fast.  The staging buffer lets it; the output is still handed
// pieces of PieceSize bytes.
unsigned int QlInflatePump::Pump(QlOutStream& output, QlInStream& input, unsigned int limit) {
    if (limit == 0) limit = 0xFFFFFFFF;
    unsigned int total = 0;
    BeginInflate();
    unsigned char staging[StagingSize];
    int result = Z_OK;
    while (limit != 0 && result == Z_OK) {
        unsigned int staged = StageUpTo(staging, limit, input, result);
        unsigned int handed = 0;
        do {
            unsigned int piece = staged - handed < PumpPieceSize ? staged - handed : PumpPieceSize;
            // Once inflate has stopped (the end, or damage), the engine is
            // Finished before the last piece is written, and Inflating while
            // every piece before it is.
            if (handed + piece == staged && result != Z_OK) Finish(result);
            if (piece != 0) output.Write(staging + handed, piece);
            handed += piece;
        } while (handed != staged);
        total += staged;
        limit -= staged;
    }
    EndInflate();
    return total;
}

unsigned int QlInflatePump::StageUpTo(unsigned char* staging, unsigned int limit, QlInStream& input, int& result) {
    if (limit > StagingSize) return InflateAhead(staging, StagingSize, input, result);
    // The limit's last piece is inflated by a call of its own, after the
    // pieces before it: input for it is fetched only then, so whether the
    // stream's end is seen when the limit falls exactly on it does not
    // depend on the staging size.
    unsigned int before = limit > PumpPieceSize ? (limit - 1) / PumpPieceSize * PumpPieceSize : 0;
    unsigned int staged = before != 0 ? InflateAhead(staging, before, input, result) : 0;
    if (before == 0 || result == Z_OK) staged += InflateAhead(staging + staged, limit - staged, input, result);
    return staged;
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
