// QlStreamException: the error of every stream, a cause code and an
// optional owned text.  The file stream throws it by pointer (the handler
// owns and deletes the object); the inflate engine throws it by value.
#ifndef ORVANE_STREAM_QLSTREAMEXCEPTION_H
#define ORVANE_STREAM_QLSTREAMEXCEPTION_H

enum QlStreamCause {
    ReadFailed = 1,
    WriteFailed = 2,
    WriteIncomplete = 3,
    SeekFailed = 4,
    UnlockFailed = 6,
    OpenFailed = 7,
    CloseFailed = 8,
    // Raised by the extraction, by pointer, with the entry, target or
    // archive at fault as the text.
    EntryDamaged = 9,      // did not inflate completely to its recorded size
    ArchiveMalformed = 10, // a count, offset or size outside the archive
    EntryNameRefused = 11, // a name that would leave the extraction folder
    PathTooLong = 12,      // a target or folder path beyond the extractor's limits
    EntryNameForeign = 13, // a name this system's code pages read as other letters, or none
    InflateInitFailed = -5,
    InflateEndFailed = -9,
    NoInputBuffer = -10,
    WrongInflateState = -11,
};

class QlStreamException {
public:
    explicit QlStreamException(int cause);
    QlStreamException(int cause, const char* text);
    // A copy owns a copy of the text, so each text is freed exactly once.
    QlStreamException(const QlStreamException& other);
    QlStreamException& operator=(const QlStreamException& other);
    virtual ~QlStreamException();

    int cause;
    char* text;  // owned, NUL-terminated, or null
};

// Raises the error again, by pointer, with file as its text unless it names
// a file already: a file stream's read or write errors name none, the inflate
// engine's (by value) never do, and the report must say which file failed.
// The pointer form is taken over: rethrown as it is, or deleted.
[[noreturn]] void ThrowNamingFile(QlStreamException* error, const char* file);
[[noreturn]] void ThrowNamingFile(const QlStreamException& error, const char* file);

#endif
