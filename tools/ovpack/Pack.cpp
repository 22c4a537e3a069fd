#include "Pack.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "Files.h"
#include "Progress.h"

namespace {

const size_t ChunkSize = 256 * 1024;
const int Level = 6;  // zlib's default: the streams begin 0x78 0x9C

struct Packed {
    std::vector<uint8_t> stored;
    uint32_t inflatedSize = 0;
    uint32_t creationTime = 0;
    uint32_t writeTime = 0;
    uint32_t accessTime = 0;
    std::string error;
};

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
std::string TakeTimes(int fd, uint64_t bytesRead, Packed& packed) {
    struct statx status;
    if (statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &status) != 0) return strerror(errno);
    if (status.stx_size != bytesRead) return "changed while it was being packed";
    packed.writeTime = ClampTime(status.stx_mtime.tv_sec);
    uint32_t creation = (status.stx_mask & STATX_BTIME) ? ClampTime(status.stx_btime.tv_sec) : packed.writeTime;
    uint32_t access = ClampTime(status.stx_atime.tv_sec);
    packed.creationTime = creation < packed.writeTime ? creation : packed.writeTime;
    packed.accessTime = access > packed.writeTime ? access : packed.writeTime;
    return "";
}

// Reading must not change the access time where we may prevent it, so the
// same input gives the same bytes on every run.
int OpenForReading(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOATIME);
    if (fd < 0 && errno == EPERM) fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return fd;
}

std::string Deflate(int fd, Packed& packed, const std::function<void(size_t)>& onRead) {
    z_stream stream;
    memset(&stream, 0, sizeof stream);
    if (deflateInit(&stream, Level) != Z_OK) return "zlib could not start";
    std::vector<uint8_t> input(ChunkSize);
    std::vector<uint8_t> output(ChunkSize);
    uint64_t total = 0;
    std::string error;
    int flush = Z_NO_FLUSH;
    while (error.empty() && flush != Z_FINISH) {
        ssize_t got = read(fd, input.data(), input.size());
        if (got < 0) {
            if (errno != EINTR) error = strerror(errno);
            continue;
        }
        total += static_cast<uint64_t>(got);
        if (total > UINT32_MAX) {
            error = "grew to 4 GiB while it was being packed";
            break;
        }
        onRead(static_cast<size_t>(got));
        flush = got == 0 ? Z_FINISH : Z_NO_FLUSH;
        stream.next_in = input.data();
        stream.avail_in = static_cast<uInt>(got);
        do {
            stream.next_out = output.data();
            stream.avail_out = static_cast<uInt>(output.size());
            deflate(&stream, flush);
            packed.stored.insert(packed.stored.end(), output.data(), output.data() + output.size() - stream.avail_out);
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    packed.inflatedSize = static_cast<uint32_t>(total);
    return error.empty() ? TakeTimes(fd, total, packed) : error;
}

std::unique_ptr<Packed> CompressFile(const SourceFile& file, const std::function<void(size_t)>& onRead) {
    std::unique_ptr<Packed> packed(new Packed);
    int fd = OpenForReading(file.path);
    if (fd < 0) {
        packed->error = SystemError(file.path);
        return packed;
    }
    std::string error = Deflate(fd, *packed, onRead);
    close(fd);
    if (!error.empty()) packed->error = file.path + ": " + error;
    return packed;
}

void PutU32(std::vector<uint8_t>& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// The archive as it grows: stored bytes go to the file at once, records
// wait in memory for the directory.  Removes its file unless committed.
class ArchiveWriter {
public:
    explicit ArchiveWriter(const std::string& out)
        : out(out), temporary(out + ".tmp" + std::to_string(getpid())), offset(4) {
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        PutU32(directory, 0);  // N, known at the end
    }
    ~ArchiveWriter() {
        if (fd >= 0) close(fd);
        if (!committed) unlink(temporary.c_str());
    }

    std::string Start() {
        static const uint8_t placeholder[4] = {0, 0, 0, 0};
        if (fd < 0 || !WriteAll(fd, placeholder, 4)) return SystemError(temporary);
        return "";
    }

    std::string Append(const SourceFile& file, const Packed& packed) {
        if (offset + packed.stored.size() > UINT32_MAX) return out + ": the stored bytes would pass 4 GiB at " + file.path;
        if (!WriteAll(fd, packed.stored.data(), packed.stored.size())) return SystemError(temporary);
        directory.push_back(static_cast<uint8_t>(file.name.size()));
        directory.insert(directory.end(), file.name.begin(), file.name.end());
        for (uint32_t field : {static_cast<uint32_t>(offset), static_cast<uint32_t>(packed.stored.size()),
                               packed.inflatedSize, packed.creationTime, packed.writeTime, packed.accessTime}) {
            PutU32(directory, field);
        }
        offset += packed.stored.size();
        ++count;
        return "";
    }

    std::string Commit() {
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

private:
    std::string out;
    std::string temporary;
    int fd;
    uint64_t offset;
    uint32_t count = 0;
    std::vector<uint8_t> directory;
    bool committed = false;
};

uint64_t TotalSize(const std::vector<SourceFile>& files) {
    uint64_t total = 0;
    for (const SourceFile& file : files) total += file.size;
    return total;
}

// Workers take entries in order, at most window ahead of the writer, so
// memory holds a few compressed entries, not the whole archive.
class Compressors {
public:
    Compressors(const std::vector<SourceFile>& files, unsigned jobs)
        : files(files), results(files.size()), window(2 * jobs) {
        for (unsigned i = 0; i < jobs; ++i) threads.emplace_back([this] { Work(); });
    }
    ~Compressors() {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stop = true;
        }
        changed.notify_all();
        for (std::thread& thread : threads) thread.join();
    }

    // Entry index once compressed; progress is redrawn while waiting.
    std::unique_ptr<Packed> Take(size_t index, Progress& progress) {
        std::unique_lock<std::mutex> lock(mutex);
        while (!results[index]) {
            changed.wait_for(lock, std::chrono::milliseconds(100));
            progress.Update(static_cast<uint32_t>(index), bytesRead);
        }
        written = index + 1;
        changed.notify_all();
        return std::move(results[index]);
    }

private:
    void Work() {
        for (;;) {
            size_t index;
            {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock, [this] { return stop || next >= files.size() || next < written + window; });
                if (stop || next >= files.size()) return;
                index = next++;
            }
            std::unique_ptr<Packed> packed = CompressFile(files[index], [this](size_t n) { bytesRead += n; });
            std::lock_guard<std::mutex> lock(mutex);
            results[index] = std::move(packed);
            changed.notify_all();
        }
    }

    const std::vector<SourceFile>& files;
    std::vector<std::unique_ptr<Packed>> results;
    size_t window;
    size_t next = 0;
    size_t written = 0;
    bool stop = false;
    std::atomic<uint64_t> bytesRead{0};
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::thread> threads;
};

}  // namespace

std::string PackArchive(const std::vector<SourceFile>& files, const std::string& out, unsigned jobs) {
    ArchiveWriter writer(out);
    std::string error = writer.Start();
    if (!error.empty()) return error;
    Progress progress(out, static_cast<uint32_t>(files.size()), TotalSize(files));
    uint64_t bytesRead = 0;
    std::unique_ptr<Compressors> compressors;
    if (jobs > 1 && files.size() > 1) {
        compressors.reset(new Compressors(files, static_cast<unsigned>(std::min<size_t>(jobs, files.size()))));
    }
    for (size_t i = 0; i < files.size() && error.empty(); ++i) {
        std::unique_ptr<Packed> packed;
        if (compressors) {
            packed = compressors->Take(i, progress);
        } else {
            packed = CompressFile(files[i], [&](size_t n) {
                bytesRead += n;
                progress.Update(static_cast<uint32_t>(i), bytesRead);
            });
        }
        error = packed->error.empty() ? writer.Append(files[i], *packed) : packed->error;
    }
    compressors.reset();
    progress.Finish();
    return error.empty() ? writer.Commit() : error;
}
