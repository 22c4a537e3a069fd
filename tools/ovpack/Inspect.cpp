#include "Inspect.h"

#include <string.h>
#include <zlib.h>

#include "Names.h"


namespace {

const size_t ChunkSize = 64 * 1024;

std::string Number(uint64_t value) { return std::to_string(value); }

// Appends the defects of one readable record; previousEnd is where its
// stored bytes should start.
void CheckRecord(uint32_t index, const ArchiveEntry& entry, uint32_t previousEnd,
                 NameClash& names, std::vector<std::string>& defects) {
    std::string label = EntryLabel(index, entry);
    auto report = [&](const std::string& what) { defects.push_back(label + ": " + what); };

    if (entry.dataOffset < previousEnd) {
        report("stored bytes overlap the previous entry's by " + Number(previousEnd - entry.dataOffset) +
               " bytes");
    } else if (entry.dataOffset > previousEnd) {
        report("gap of " + Number(entry.dataOffset - previousEnd) + " bytes before its stored bytes");
    }
    if (entry.storedSize < 2 || entry.data[0] != 0x78 || entry.data[1] != 0x9C) {
        report("stored bytes do not begin with 0x78 0x9C");
    } else {
        std::string fault = InflateEntry(entry, ContentSink());
        if (!fault.empty()) report(fault);
    }

    if (const char* why = CheckEntryName(entry.name, entry.nameLength)) report(std::string("unsafe name: ") + why);
    if (const char* why = CheckPortableName(entry.name, entry.nameLength)) report(std::string("name ") + why);
    std::string clash = names.Add(std::string(entry.name, entry.nameLength), label);
    if (!clash.empty()) report(clash);

    if (entry.creationTime > entry.writeTime) report("CreationTime is later than WriteTime");
    if (entry.writeTime > entry.accessTime) report("WriteTime is later than AccessTime");
}

// The record the reader stopped at starts at position.  Its name is named
// when its length byte and all its bytes lie inside the archive, which
// holds even when the fields after it do not.
std::string FailedRecordLabel(const uint8_t* base, uint32_t size, uint32_t position, uint32_t index) {
    if (position >= size || base[position] > size - position - 1) return "entry " + Number(index);
    ArchiveEntry named{};
    named.name = reinterpret_cast<const char*>(base + position + 1);
    named.nameLength = base[position];
    return EntryLabel(index, named);
}

}  // namespace

std::string InflateEntry(const ArchiveEntry& entry, const ContentSink& sink) {
    z_stream stream;
    memset(&stream, 0, sizeof stream);
    if (inflateInit(&stream) != Z_OK) return "zlib could not start";
    // zlib counts in uInt, which holds any 32-bit StoredSize.
    stream.next_in = const_cast<Bytef*>(entry.data);
    stream.avail_in = entry.storedSize;

    std::vector<uint8_t> chunk(ChunkSize);
    uint64_t produced = 0;
    std::string fault;
    int status = Z_OK;
    while (fault.empty() && status != Z_STREAM_END) {
        // One byte beyond the record's claim is enough to prove it wrong.
        uint64_t room = static_cast<uint64_t>(entry.inflatedSize) + 1 - produced;
        stream.next_out = chunk.data();
        stream.avail_out = static_cast<uInt>(room < chunk.size() ? room : chunk.size());
        uInt offered = stream.avail_out;
        status = inflate(&stream, Z_NO_FLUSH);
        size_t got = offered - stream.avail_out;
        produced += got;
        if (status == Z_DATA_ERROR) {
            bool check = stream.msg != nullptr && strcmp(stream.msg, "incorrect data check") == 0;
            fault = check ? "bad Adler-32: the content does not match its check value"
                          : std::string("damaged stream (zlib: ") + (stream.msg ? stream.msg : "data error") + ")";
        } else if (status == Z_MEM_ERROR) {
            fault = "out of memory while inflating";
        } else if (status == Z_NEED_DICT) {
            fault = "stream asks for a preset dictionary";
        } else if (produced > entry.inflatedSize) {
            fault = "inflates to more than the recorded " + Number(entry.inflatedSize) + " bytes";
        } else if (got > 0 && sink && !sink(chunk.data(), got)) {
            fault = "could not take the content";
        } else if (status == Z_BUF_ERROR) {
            // Output room was offered, so zlib is waiting for input.
            fault = "stream cut short: it needs more than its " + Number(entry.storedSize) + " stored bytes";
        }
    }
    if (fault.empty() && stream.avail_in != 0) {
        fault = "stream ends after " + Number(entry.storedSize - stream.avail_in) + " of its " +
                Number(entry.storedSize) + " stored bytes";
    }
    if (fault.empty() && produced != entry.inflatedSize) {
        fault = "inflates to " + Number(produced) + " bytes, the record says " + Number(entry.inflatedSize);
    }
    inflateEnd(&stream);
    return fault;
}

std::vector<std::string> VerifyArchive(const uint8_t* base, uint32_t size) {
    std::vector<std::string> defects;
    ArchiveReader reader(base, size);
    if (!reader.Open()) {
        defects.push_back(std::string("archive: ") + reader.Error());
        return defects;
    }
    NameClash names;
    uint32_t index = 0;
    uint32_t end = 4;  // where the next entry's stored bytes should start
    ArchiveEntry entry;
    while (reader.Next(entry)) {
        CheckRecord(index, entry, end, names, defects);
        end = entry.dataOffset + entry.storedSize;
        ++index;
    }
    if (reader.Error() != nullptr) {
        defects.push_back(FailedRecordLabel(base, size, size - reader.Remaining(), index) + ": " + reader.Error());
        return defects;
    }
    if (end < reader.Directory()) {
        defects.push_back("archive: gap of " + Number(reader.Directory() - end) +
                          " bytes between the last stored bytes and the directory");
    }
    if (reader.Remaining() != 0) {
        defects.push_back("archive: " + Number(reader.Remaining()) + " bytes after the last record");
    }
    return defects;
}

std::string EntryLabel(uint32_t index, const ArchiveEntry& entry) {
    return "\"" + PrintableName(entry.name, entry.nameLength) + "\" (entry " + Number(index) + ")";
}
