#include "BlockSource.h"

#include <string.h>

#include "BlockDeflate.h"

namespace {

uint32_t ClampTime(int64_t seconds) {
    if (seconds < 0) return 0;
    return seconds > static_cast<int64_t>(UINT32_MAX) ? UINT32_MAX : static_cast<uint32_t>(seconds);
}

// The creation time is the file's birth time where the system keeps one,
// else the write time (Files.h); then the three are put in the order the
// format demands, the write time staying as it is.  Taken after reading,
// so where the access time cannot be kept it includes that read, and a
// second run sees the same times.
std::string TakeTimes(InputFile& input, const std::string& path, uint64_t bytesRead, EntryRecord& record) {
    uint64_t size;
    FileTimes times;
    std::string error = input.Status(size, times);
    if (!error.empty()) return error;
    if (size != bytesRead) return path + ": changed while it was being packed";
    record.writeTime = ClampTime(times.write);
    uint32_t creation = ClampTime(times.creation);
    uint32_t access = ClampTime(times.access);
    record.creationTime = creation < record.writeTime ? creation : record.writeTime;
    record.accessTime = access > record.writeTime ? access : record.writeTime;
    return "";
}

}  // namespace

const uint8_t* PackBlock::Content() const { return bytes.data() + DictionarySize; }

BlockSource::BlockSource(const std::vector<SourceFile>& files) : files(files), finished(files.empty()) {}

BlockSource::~BlockSource() = default;

bool BlockSource::Next(PackBlock& block) {
    if (finished) return false;
    block.entry = entry;
    block.first = block.last = false;
    block.dictionaryLength = block.length = 0;
    block.record = EntryRecord();
    block.error.clear();
    if (!open && !Open(block)) return true;
    block.first = first;
    first = false;
    block.bytes.swap(ahead);
    block.length = aheadLength;
    block.dictionaryLength = aheadDictionary;
    // A full block may still be the last; a short one is.
    bool last = block.length < BlockSize;
    if (!last) {
        if (!ReadAhead(block, block.Content(), block.length)) return true;
        last = aheadLength == 0;
    }
    if (!last) return true;
    block.last = true;
    std::string error = TakeTimes(input, files[entry].path, total, block.record);
    input.Close();
    open = false;
    if (!error.empty()) {
        Fail(block, error);
        return true;
    }
    block.record.inflatedSize = static_cast<uint32_t>(total);
    finished = ++entry == files.size();
    return true;
}

bool BlockSource::Open(PackBlock& block) {
    std::string error = input.Open(files[entry].path);
    if (!error.empty()) {
        Fail(block, error);
        return false;
    }
    open = true;
    total = 0;
    first = true;
    return ReadAhead(block, nullptr, 0);
}

bool BlockSource::ReadAhead(PackBlock& block, const uint8_t* previous, size_t previousLength) {
    ahead.resize(DictionarySize + BlockSize);
    aheadDictionary = previousLength < DictionarySize ? previousLength : DictionarySize;
    if (aheadDictionary > 0) {
        memcpy(ahead.data() + DictionarySize - aheadDictionary, previous + previousLength - aheadDictionary,
               aheadDictionary);
    }
    size_t got = 0;
    std::string error = input.Read(ahead.data() + DictionarySize, BlockSize, got);
    if (!error.empty()) {
        Fail(block, error);
        return false;
    }
    total += static_cast<uint64_t>(got);
    if (total > UINT32_MAX) {
        Fail(block, files[entry].path + ": grew to 4 GiB while it was being packed");
        return false;
    }
    bytesRead += static_cast<uint64_t>(got);
    aheadLength = static_cast<size_t>(got);
    return true;
}

void BlockSource::Fail(PackBlock& block, const std::string& message) {
    block.error = message;
    finished = true;
    input.Close();
    open = false;
}
