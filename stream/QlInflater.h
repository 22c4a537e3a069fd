// The inflate engine and its two front ends.
//
// QlInflater drives one zlib stream (RFC 1950) with an input buffer of a
// size fixed at construction, pulling compressed bytes from any QlInStream.
// States: Idle -> Inflating (BeginInflate) -> Finished (inflate returned
// anything but Z_OK: the end, missing input or damaged data) -> Idle
// (EndInflate).  Damaged or truncated data raise nothing: the output just
// ends early; StreamEnded() tells a complete stream (its Adler-32 checked)
// from one that stopped short.  The engine raises QlStreamException by
// value, always with the text "Zlib-Fehler".
//
// QlInflatePump pushes a whole input stream into an output stream in
// pieces of at most 100 bytes (one Write each), reading at most 113 bytes
// at a time; it inflates ahead into a staging buffer of its own, at most
// StagingSize bytes and never more than its limit still allows.
// QlInflateInStream pulls: it reads as the inflated content of another
// input stream, which it does not own.
#ifndef ORVANE_STREAM_QLINFLATER_H
#define ORVANE_STREAM_QLINFLATER_H

#include <zlib.h>

#include "QlStream.h"
#include "QlStreamException.h"

class QlInflater {
public:
    enum State { Idle = 0, Inflating = 2, Finished = 3 };

    // Raises NoInputBuffer when the buffer cannot be allocated.
    explicit QlInflater(unsigned int bufferSize);
    // Also ends a zlib stream that an error left running.
    virtual ~QlInflater();

    QlInflater(const QlInflater&) = delete;
    QlInflater& operator=(const QlInflater&) = delete;

    void BeginInflate();  // Idle only; InflateInitFailed, WrongInflateState
    // Up to count inflated bytes into output; 0 once Finished.
    unsigned int InflateInto(void* output, unsigned int count, QlInStream& source);
    void EndInflate();  // Inflating or Finished only; InflateEndFailed, WrongInflateState

    State GetState() const { return state; }
    // Whether the last stream reached its end with a good check value.
    bool StreamEnded() const { return streamEnded; }

protected:
    // InflateInto's work without its state change, for a caller that hands
    // the output on later: result is inflate's last answer, Z_OK while more
    // may follow (count was then filled).  Inflating only.
    unsigned int InflateAhead(void* output, unsigned int count, QlInStream& source, int& result);
    // The output is over: Finished, ended when result is Z_STREAM_END.
    void Finish(int result);

private:
    z_stream zlib;
    unsigned char* buffer;
    unsigned int bufferSize;
    State state;
    bool streamEnded;
};

class QlStreamPump {
public:
    // Moves input to output, at most limit bytes (0: no limit); returns the
    // number of bytes written.
    virtual unsigned int Pump(QlOutStream& output, QlInStream& input, unsigned int limit) = 0;
    virtual unsigned int Reserved(QlOutStream& output, QlInStream& input, unsigned int limit) = 0;
};

class QlInflatePump : public QlInflater, public QlStreamPump {
public:
    static constexpr unsigned int PieceSize = 100;
    // A whole number of pieces, so that every piece the output gets is a
    // full one but the stream's or the limit's last.
    static constexpr unsigned int StagingSize = 320 * PieceSize;

    QlInflatePump();

    // Inflates until the end of the data, the end of the input, damaged
    // data or limit bytes.  Raises only what the engine or the output
    // raise; the pump is Idle again afterwards unless one of them did.
    unsigned int Pump(QlOutStream& output, QlInStream& input, unsigned int limit) override;
    // Does nothing and returns 0.
    unsigned int Reserved(QlOutStream& output, QlInStream& input, unsigned int limit) override;

private:
    // Inflates the next part of the output into staging: a full staging
    // buffer, or what is left of the limit when that is no more.
    unsigned int StageUpTo(unsigned char* staging, unsigned int limit, QlInStream& input, int& result);
};

class QlInflateInStream : public QlInflater, public QlInStream {
public:
    // source must outlive the filter.
    explicit QlInflateInStream(QlInStream& source);
    ~QlInflateInStream() override;

    unsigned int Read(void* buffer, unsigned int count) override;

private:
    QlInStream& source;
};

#endif
