// The resource archive format, read in place and never outside its bytes.
//
//   offset 0      D: offset of the directory (u32, little-endian)
//   4 .. D        the stored bytes of all entries, back to back
//   D             N: number of records (u32)
//   D + 4 ...     N records: L (u8), L name bytes, then six u32 fields:
//                 DataOffset, StoredSize, InflatedSize, CreationTime,
//                 WriteTime, AccessTime (seconds since 1970, UTC)
//
// Each entry's stored bytes are one zlib stream.  Names are relative paths
// with backslash separators.
//
// Portable: no platform headers.  Shared by the launcher and the host tools.
#ifndef ORVANE_ARCHIVE_ARCHIVEFORMAT_H
#define ORVANE_ARCHIVE_ARCHIVEFORMAT_H

#include <stdint.h>

struct ArchiveEntry {
    const char* name;  // not NUL-terminated; nameLength bytes
    uint32_t nameLength;
    uint32_t dataOffset;
    uint32_t storedSize;
    uint32_t inflatedSize;
    uint32_t creationTime;
    uint32_t writeTime;
    uint32_t accessTime;
    const uint8_t* data;  // the stored bytes: base + dataOffset
};

// Walks the directory record by record.  Every count, offset and size is
// checked against the archive's size before it is used: a record that
// would reach past the end, or whose stored bytes lie outside the entry
// data area (4 .. D), stops the walk with an error.  The reader checks
// bounds only: placement without gaps, the zlib streams, names and times
// are for the caller (ovpack verify checks them all).  It keeps pointers
// into the archive, which must outlive it; it owns nothing.
class ArchiveReader {
public:
    ArchiveReader(const void* base, uint32_t size);

    // Reads D and N; false (with Error()) when they do not fit the size.
    bool Open();
    uint32_t Count() const { return count; }
    // D, the offset of the directory and the end of the entry data; valid
    // after a successful Open.
    uint32_t Directory() const { return directory; }

    // The next record in directory order; false at the end of the
    // directory or on an error (then Error() is not null).
    bool Next(ArchiveEntry& entry);

    // Null while the archive is sound so far; otherwise what is wrong.
    const char* Error() const { return error; }
    // Bytes of the directory not yet read (0 after the last record of a
    // well-formed archive).
    uint32_t Remaining() const { return size - position; }

private:
    const uint8_t* base;
    uint32_t size;
    uint32_t directory;
    uint32_t count;
    uint32_t index;
    uint32_t position;
    const char* error;
};

// Null when the name is safe to join to an extraction folder; otherwise
// why not: empty, a drive or colon, a leading backslash, a forward slash,
// an empty, "." or ".." level, a character Windows does not allow in names
// (control characters, < > " | ? *), a level ending in a dot or blank, or
// a device name as a level (CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-9
// and LPT1-9, their numbers also as Windows-1252's superscripts 1-3; with
// or without an extension, and with blanks before it), which Windows would
// open instead of a file.
const char* CheckEntryName(const char* name, uint32_t length);

#endif
