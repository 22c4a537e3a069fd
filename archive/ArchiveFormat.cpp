#include "ArchiveFormat.h"

#include <string.h>

namespace {

const uint32_t HeaderSize = 4;       // D
const uint32_t CountSize = 4;        // N
const uint32_t RecordFixedSize = 25; // L and the six fields, without the name

uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameAsciiIgnoringCase(const char* a, const char* b, uint32_t length) {
    for (uint32_t i = 0; i < length; ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

// A port's number as Windows reads it: a digit, or a superscript one, two
// or three (Windows-1252 0xB9, 0xB2, 0xB3).
bool IsPortNumber(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= '1' && u <= '9') || u == 0xB9 || u == 0xB2 || u == 0xB3;
}

// Windows opens these devices instead of a file, whatever the folder and
// whatever follows the first dot, and it drops the blanks before that dot
// when it compares, so "lib\nul .txt" would swallow an entry and the
// extraction would still look successful.
bool IsDeviceName(const char* level, uint32_t length) {
    uint32_t stem = 0;
    while (stem < length && level[stem] != '.') ++stem;
    while (stem > 0 && level[stem - 1] == ' ') --stem;
    static const char* const devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : devices) {
        if (stem == strlen(device) && SameAsciiIgnoringCase(level, device, stem)) return true;
    }
    if (stem == 4 && IsPortNumber(level[3])) {
        return SameAsciiIgnoringCase(level, "COM", 3) || SameAsciiIgnoringCase(level, "LPT", 3);
    }
    return false;
}

const char* CheckLevel(const char* level, uint32_t length) {
    if (length == 0) return "empty folder level";
    if ((length == 1 && level[0] == '.') || (length == 2 && level[0] == '.' && level[1] == '.'))
        return "\".\" or \"..\" level";
    if (level[length - 1] == '.' || level[length - 1] == ' ') return "level ending in a dot or blank";
    if (IsDeviceName(level, length)) return "device name";
    return nullptr;
}

}  // namespace

ArchiveReader::ArchiveReader(const void* base, uint32_t size)
    : base(static_cast<const uint8_t*>(base)), size(size), directory(0), count(0), index(0), position(0),
      error(nullptr) {}

bool ArchiveReader::Open() {
    index = 0;
    count = 0;
    position = size;
    if (base == nullptr || size < HeaderSize + CountSize) {
        error = "archive shorter than 8 bytes";
        return false;
    }
    directory = ReadU32(base);
    if (directory < HeaderSize || directory > size - CountSize) {
        error = "directory offset outside the archive";
        return false;
    }
    uint32_t records = ReadU32(base + directory);
    // Each record takes at least 25 bytes, so a count the rest cannot hold
    // is refused before anyone sizes anything by it.
    if (records > (size - directory - CountSize) / RecordFixedSize) {
        error = "more records than the directory can hold";
        return false;
    }
    count = records;
    position = directory + CountSize;
    error = nullptr;
    return true;
}

bool ArchiveReader::Next(ArchiveEntry& entry) {
    if (error != nullptr || index >= count) return false;
    uint32_t left = size - position;
    if (left < RecordFixedSize || left - RecordFixedSize < base[position]) {
        error = "record past the end of the archive";
        return false;
    }
    uint32_t nameLength = base[position];
    const uint8_t* fields = base + position + 1 + nameLength;
    uint32_t dataOffset = ReadU32(fields);
    uint32_t storedSize = ReadU32(fields + 4);
    if (dataOffset < HeaderSize || dataOffset > directory || storedSize > directory - dataOffset) {
        error = "stored bytes outside the entry data";
        return false;
    }
    entry.name = reinterpret_cast<const char*>(base + position + 1);
    entry.nameLength = nameLength;
    entry.dataOffset = dataOffset;
    entry.storedSize = storedSize;
    entry.inflatedSize = ReadU32(fields + 8);
    entry.creationTime = ReadU32(fields + 12);
    entry.writeTime = ReadU32(fields + 16);
    entry.accessTime = ReadU32(fields + 20);
    entry.data = base + dataOffset;
    position += RecordFixedSize + nameLength;
    ++index;
    return true;
}

const char* CheckEntryName(const char* name, uint32_t length) {
    if (length == 0) return "empty name";
    for (uint32_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c == ':') return "drive or colon";
        if (c == '/') return "forward slash";
        if (c < 0x20 || strchr("<>\"|?*", c) != nullptr) return "character not allowed in names";
    }
    if (name[0] == '\\') return "leading backslash";
    uint32_t start = 0;
    for (uint32_t i = 0; i <= length; ++i) {
        if (i < length && name[i] != '\\') continue;
        const char* why = CheckLevel(name + start, i - start);
        if (why != nullptr) return why;
        start = i + 1;
    }
    return nullptr;
}
