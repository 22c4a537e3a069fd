#include "ArchiveWriter.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include "Files.h"

namespace {

void PutU32(std::vector<uint8_t>& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

ArchiveWriter::ArchiveWriter(const std::string& out)
    : out(out), temporary(out + ".tmp" + std::to_string(getpid())), offset(4), entryOffset(4) {
    fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    PutU32(directory, 0);  // N, known at the end
}

ArchiveWriter::~ArchiveWriter() {
    if (fd >= 0) close(fd);
    if (!committed) unlink(temporary.c_str());
}

std::string ArchiveWriter::Start() {
    static const uint8_t placeholder[4] = {0, 0, 0, 0};  // D, known at the end
    if (fd < 0 || !WriteAll(fd, placeholder, 4)) return SystemError(temporary);
    return "";
}

std::string ArchiveWriter::Append(const SourceFile& file, const void* data, size_t length) {
    // Checked before writing, so a run that cannot fit stops there rather
    // than filling the disk first.
    if (offset + length > UINT32_MAX) return out + ": the stored bytes would pass 4 GiB at " + file.path;
    if (!WriteAll(fd, data, length)) return SystemError(temporary);
    offset += length;
    return "";
}

void ArchiveWriter::EndEntry(const SourceFile& file, const EntryRecord& record) {
    directory.push_back(static_cast<uint8_t>(file.name.size()));
    directory.insert(directory.end(), file.name.begin(), file.name.end());
    for (uint32_t field : {static_cast<uint32_t>(entryOffset), static_cast<uint32_t>(offset - entryOffset),
                           record.inflatedSize, record.creationTime, record.writeTime, record.accessTime}) {
        PutU32(directory, field);
    }
    entryOffset = offset;
    ++count;
}

std::string ArchiveWriter::Commit() {
    if (offset + directory.size() > UINT32_MAX) return out + ": the archive would be 4 GiB or larger";
    for (int i = 0; i < 4; ++i) directory[i] = static_cast<uint8_t>(count >> (8 * i));
    uint8_t start[4];
    for (int i = 0; i < 4; ++i) start[i] = static_cast<uint8_t>(offset >> (8 * i));
    if (!WriteAll(fd, directory.data(), directory.size()) || pwrite(fd, start, 4, 0) != 4)
        return SystemError(temporary);
    int closing = close(fd);
    fd = -1;
    if (closing != 0) return SystemError(temporary);
    if (rename(temporary.c_str(), out.c_str()) != 0) return SystemError(out);
    committed = true;
    return "";
}
