#include "InflateFloor.h"

#include <zlib.h>

#include "WinHarness.h"
#include "archive/ArchiveFormat.h"
#include "stream/QlInflater.h"
#include "stream/QlMemoryInStream.h"

namespace {

// Keeps nothing: the pump's own work is what is timed.
class CountingOut : public QlOutStream {
public:
    unsigned int Write(const void*, unsigned int count) override {
        bytes += count;
        return count;
    }
    unsigned long long bytes = 0;
};

}  // namespace

bool InflateFloor::Load(const std::vector<std::string>& archives, std::string& error) {
    // Every file first: entries point into these strings, which must not move.
    files.clear();
    for (const std::string& path : archives) {
        files.push_back(harness::ReadFileBytes(path));
        if (files.back().size() < 8 || files.back().size() > UINT32_MAX) {
            error = path + ": not readable as an archive";
            return false;
        }
    }
    entries.clear();
    inflatedBytes = 0;
    size_t largest = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        ArchiveReader reader(files[i].data(), static_cast<uint32_t>(files[i].size()));
        ArchiveEntry entry;
        if (reader.Open()) {
            while (reader.Next(entry)) {
                entries.push_back({std::string(entry.name, entry.nameLength), entry.data, entry.storedSize,
                                   entry.inflatedSize});
                inflatedBytes += entry.inflatedSize;
                if (entry.inflatedSize > largest) largest = entry.inflatedSize;
            }
        }
        if (reader.Error() != nullptr) {
            error = archives[i] + ": " + reader.Error();
            return false;
        }
    }
    output.assign(largest > 0 ? largest : 1, 0);
    return true;
}

bool InflateFloor::InflateAll(std::string& error) {
    for (const Entry& entry : entries) {
        z_stream stream = {};
        if (inflateInit(&stream) != Z_OK) {
            error = "inflateInit failed";
            return false;
        }
        stream.next_in = const_cast<Bytef*>(entry.data);
        stream.avail_in = entry.storedSize;
        stream.next_out = output.data();
        stream.avail_out = entry.inflatedSize;
        int result = inflate(&stream, Z_FINISH);
        bool exact = result == Z_STREAM_END && stream.avail_in == 0 && stream.total_out == entry.inflatedSize;
        inflateEnd(&stream);
        if (!exact) {
            error = entry.name + ": does not inflate as recorded";
            return false;
        }
    }
    return true;
}

bool InflateFloor::PumpAll(std::string& error) {
    for (const Entry& entry : entries) {
        QlMemoryInStream input(entry.data, entry.storedSize);
        CountingOut output;
        QlInflatePump pump;
        unsigned int pumped = pump.Pump(output, input, 0);
        if (!pump.StreamEnded() || pumped != entry.inflatedSize || output.bytes != entry.inflatedSize) {
            error = entry.name + ": does not pump as recorded";
            return false;
        }
    }
    return true;
}
