#include "archive_builder.h"

#include <zlib.h>

namespace archivetest {

std::string Deflate(const std::string& content) {
    uLongf size = compressBound(static_cast<uLong>(content.size()));
    std::string stored(size, '\0');
    compress2(reinterpret_cast<Bytef*>(&stored[0]), &size, reinterpret_cast<const Bytef*>(content.data()),
              static_cast<uLong>(content.size()), 6);
    stored.resize(size);
    return stored;
}

uint32_t GetU32(const std::string& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes.at(offset + i));
    return value;
}

void PutU32(std::string& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<char>(value >> (8 * i));
}

std::string BuildArchive(const std::vector<RawEntry>& entries, uint32_t gapAtEnd, uint32_t junkAtEnd) {
    std::string data(4, '\0');
    std::string directory(4, '\0');
    PutU32(directory, 0, static_cast<uint32_t>(entries.size()));
    for (const RawEntry& entry : entries) {
        data.append(entry.gapBefore, '\x55');
        std::string stored = entry.stored.empty() ? Deflate(entry.content) : entry.stored;
        std::string record(25 + entry.name.size(), '\0');
        record[0] = static_cast<char>(entry.name.size());
        record.replace(1, entry.name.size(), entry.name);
        uint32_t fields[6] = {static_cast<uint32_t>(data.size()), static_cast<uint32_t>(stored.size()),
                              static_cast<uint32_t>(entry.content.size()), entry.times[0], entry.times[1],
                              entry.times[2]};
        for (int i = 0; i < 6; ++i) PutU32(record, 1 + entry.name.size() + 4 * i, fields[i]);
        data += stored;
        directory += record;
    }
    data.append(gapAtEnd, '\x55');
    PutU32(data, 0, static_cast<uint32_t>(data.size()));
    return data + directory + std::string(junkAtEnd, '\x55');
}

size_t FieldOffset(const std::string& archive, int entry, int field) {
    size_t position = GetU32(archive, 0) + 4;
    for (int i = 0; i < entry; ++i) position += 25 + static_cast<unsigned char>(archive.at(position));
    if (field < 0) return position;
    return position + 1 + static_cast<unsigned char>(archive.at(position)) + 4 * field;
}

}  // namespace archivetest
