#include "ArchiveWriter.h"


namespace {

void PutU32(std::vector<uint8_t>& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

ArchiveWriter::ArchiveWriter(const std::string& out)
    : out(out), temporary(out + TemporarySuffix()), offset(4), entryOffset(4) {
    opening = output.Create(temporary);
    PutU32(directory, 0);  // N, known at the end
}

ArchiveWriter::~ArchiveWriter() {
    output.Close();
    if (!committed) RemoveFile(temporary);
}

std::string ArchiveWriter::Start() {
    static const uint8_t placeholder[4] = {0, 0, 0, 0};  // D, known at the end
    return opening.empty() ? output.Write(placeholder, 4) : opening;
}

std::string ArchiveWriter::Append(const SourceFile& file, const void* data, size_t length) {
    // Checked before writing, so a run that cannot fit stops there rather
    // than filling the disk first.
    if (offset + length > UINT32_MAX) return out + ": the stored bytes would pass 4 GiB at " + file.path;
    std::string error = output.Write(data, length);
    if (error.empty()) offset += length;
    return error;
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
    std::string error = output.Write(directory.data(), directory.size());
    if (error.empty()) error = output.WriteAt(0, start, 4);
    if (error.empty()) error = output.Close();
    if (error.empty()) error = RenameOver(temporary, out);
    committed = error.empty();
    return error;
}
