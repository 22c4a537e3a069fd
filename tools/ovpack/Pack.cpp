#include "Pack.h"

#include <zlib.h>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "ArchiveWriter.h"
#include "BlockDeflate.h"
#include "BlockSource.h"
#include "Progress.h"

namespace {

void Compress(BlockDeflater& deflater, const std::vector<SourceFile>& files, PackBlock& block) {
    if (!block.error.empty()) return;
    block.adler = static_cast<uint32_t>(adler32_z(adler32(0, Z_NULL, 0), block.Content(), block.length));
    if (!deflater.Deflate(block.Dictionary(), block.dictionaryLength, block.Content(), block.length, block.last,
                          block.stored)) {
        block.error = files[block.entry].path + ": zlib could not start";
    }
}

// Puts the compressed blocks, taken in order, together into entries: the
// zlib header before an entry's first block, the Adler-32 of its content
// after its last, then its record.
class EntryAssembler {
public:
    EntryAssembler(ArchiveWriter& writer, const std::vector<SourceFile>& files) : writer(writer), files(files) {}

    std::string Add(const PackBlock& block) {
        if (!block.error.empty()) return block.error;
        const SourceFile& file = files[block.entry];
        std::string error;
        if (block.first) {
            adler = adler32(0, Z_NULL, 0);
            error = writer.Append(file, ZlibHeader, sizeof ZlibHeader);
        }
        if (error.empty()) error = writer.Append(file, block.stored.data(), block.stored.size());
        adler = adler32_combine(adler, block.adler, static_cast<z_off_t>(block.length));
        if (error.empty() && block.last) {
            uint8_t trailer[4];
            ZlibTrailer(static_cast<uint32_t>(adler), trailer);
            error = writer.Append(file, trailer, sizeof trailer);
            if (error.empty()) writer.EndEntry(file, block.record);
            ++entriesDone;
        }
        return error;
    }
    uint32_t EntriesDone() const { return entriesDone; }

private:
    ArchiveWriter& writer;
    const std::vector<SourceFile>& files;
    uLong adler = 0;
    uint32_t entriesDone = 0;
};

// Workers read blocks in turn, compress them side by side and leave them
// in a ring for the writer, who takes them in the order they were read.
// No worker reads more than window blocks ahead of the writer, so memory
// holds a few blocks whatever the size of the entries.
class BlockPipeline {
public:
    BlockPipeline(BlockSource& source, const std::vector<SourceFile>& files, unsigned jobs)
        : source(source), files(files), ring(2 * jobs + 2) {
        for (unsigned i = 0; i < jobs; ++i) threads.emplace_back([this] { Work(); });
    }
    ~BlockPipeline() {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stop = true;
        }
        changed.notify_all();
        for (std::thread& thread : threads) thread.join();
    }
    BlockPipeline(const BlockPipeline&) = delete;
    BlockPipeline& operator=(const BlockPipeline&) = delete;

    // The next block in reading order, compressed; null after the last.
    // Progress is redrawn while waiting.
    std::unique_ptr<PackBlock> Take(Progress& progress, uint32_t entriesDone) {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            std::unique_ptr<PackBlock>& slot = ring[taken % ring.size()];
            if (slot) {
                ++taken;
                changed.notify_all();
                return std::move(slot);
            }
            if (ended && taken == issued) return nullptr;
            changed.wait_for(lock, std::chrono::milliseconds(100));
            progress.Update(entriesDone, source.BytesRead());
        }
    }

private:
    void Work() {
        BlockDeflater deflater;
        for (;;) {
            std::unique_ptr<PackBlock> block(new PackBlock);
            uint64_t sequence;
            {
                // One reader at a time, so the sequence is the file order.
                std::lock_guard<std::mutex> reading(readMutex);
                {
                    std::unique_lock<std::mutex> lock(mutex);
                    changed.wait(lock, [this] { return stop || ended || issued < taken + ring.size(); });
                    if (stop || ended) return;
                }
                bool more = source.Next(*block);
                std::lock_guard<std::mutex> lock(mutex);
                if (!more) {
                    ended = true;
                    changed.notify_all();
                    return;
                }
                sequence = issued++;
            }
            Compress(deflater, files, *block);
            std::lock_guard<std::mutex> lock(mutex);
            ring[sequence % ring.size()] = std::move(block);
            changed.notify_all();
        }
    }

    BlockSource& source;
    const std::vector<SourceFile>& files;
    std::vector<std::unique_ptr<PackBlock>> ring;
    uint64_t issued = 0;  // blocks read
    uint64_t taken = 0;   // blocks handed to the writer
    bool ended = false;   // the source has no more
    bool stop = false;
    std::mutex readMutex;  // taken before mutex, never after
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::thread> threads;
};

uint64_t TotalSize(const std::vector<SourceFile>& files) {
    uint64_t total = 0;
    for (const SourceFile& file : files) total += file.size;
    return total;
}

// As the scan saw the files: more threads than blocks would only wait.
uint64_t BlockCount(const std::vector<SourceFile>& files) {
    uint64_t count = 0;
    for (const SourceFile& file : files) count += std::max<uint64_t>(1, (file.size + BlockSize - 1) / BlockSize);
    return count;
}

}  // namespace

std::string PackArchive(const std::vector<SourceFile>& files, const std::string& out, unsigned jobs) {
    ArchiveWriter writer(out);
    std::string error = writer.Start();
    if (!error.empty()) return error;
    Progress progress(out, static_cast<uint32_t>(files.size()), TotalSize(files));
    BlockSource source(files);
    EntryAssembler assembler(writer, files);
    unsigned workers = static_cast<unsigned>(std::min<uint64_t>(jobs, BlockCount(files)));
    if (workers > 1) {
        BlockPipeline pipeline(source, files, workers);
        while (error.empty()) {
            std::unique_ptr<PackBlock> block = pipeline.Take(progress, assembler.EntriesDone());
            if (!block) break;
            error = assembler.Add(*block);
        }
    } else {
        BlockDeflater deflater;
        PackBlock block;
        while (error.empty() && source.Next(block)) {
            progress.Update(assembler.EntriesDone(), source.BytesRead());
            Compress(deflater, files, block);
            error = assembler.Add(block);
        }
    }
    progress.Finish();
    return error.empty() ? writer.Commit() : error;
}
