#include "BlockSource.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "BlockDeflate.h"
#include "Files.h"

namespace {

uint32_t ClampTime(int64_t seconds) {
    if (seconds < 0) return 0;
    return seconds > static_cast<int64_t>(UINT32_MAX) ? UINT32_MAX : static_cast<uint32_t>(seconds);
}

// The creation time is the file's birth time where the file system keeps
// one (statx: ext4, btrfs, tmpfs), else the write time.  The status-change
// time would not do: it moves with every chmod and link.  Then the three
// are put in the order the format demands, the write time staying as it
// is.  Taken after reading, so the access time includes that read and a
// second run sees the same times.
std::string TakeTimes(int fd, uint64_t bytesRead, EntryRecord& record) {
    struct statx status;
    if (statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &status) != 0) return strerror(errno);
    if (status.stx_size != bytesRead) return "changed while it was being packed";
    record.writeTime = ClampTime(status.stx_mtime.tv_sec);
    uint32_t creation = (status.stx_mask & STATX_BTIME) ? ClampTime(status.stx_btime.tv_sec) : record.writeTime;
    uint32_t access = ClampTime(status.stx_atime.tv_sec);
    record.creationTime = creation < record.writeTime ? creation : record.writeTime;
    record.accessTime = access > record.writeTime ? access : record.writeTime;
    return "";
}

// Reading must not change the access time where we may prevent it, so the
// same input gives the same bytes on every run.
int OpenForReading(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOATIME);
    if (fd < 0 && errno == EPERM) fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return fd;
}

// Up to length bytes, fewer only at the end of the file; -1 with errno.
ssize_t ReadFull(int fd, uint8_t* buffer, size_t length) {
    size_t done = 0;
    while (done < length) {
        ssize_t got = read(fd, buffer + done, length - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

}  // namespace

const uint8_t* PackBlock::Content() const { return bytes.data() + DictionarySize; }

BlockSource::BlockSource(const std::vector<SourceFile>& files) : files(files), finished(files.empty()) {}

BlockSource::~BlockSource() {
    if (fd >= 0) close(fd);
}

bool BlockSource::Next(PackBlock& block) {
    if (finished) return false;
    block.entry = entry;
    block.first = block.last = false;
    block.dictionaryLength = block.length = 0;
    block.record = EntryRecord();
    block.error.clear();
    if (fd < 0 && !Open(block)) return true;
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
    std::string error = TakeTimes(fd, total, block.record);
    close(fd);
    fd = -1;
    if (!error.empty()) {
        Fail(block, files[entry].path + ": " + error);
        return true;
    }
    block.record.inflatedSize = static_cast<uint32_t>(total);
    finished = ++entry == files.size();
    return true;
}

bool BlockSource::Open(PackBlock& block) {
    fd = OpenForReading(files[entry].path);
    if (fd < 0) {
        Fail(block, SystemError(files[entry].path));
        return false;
    }
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
    ssize_t got = ReadFull(fd, ahead.data() + DictionarySize, BlockSize);
    if (got < 0) {
        Fail(block, files[entry].path + ": " + strerror(errno));
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
    if (fd >= 0) close(fd);
    fd = -1;
}
