// libFuzzer target: the archive walker, the name check and the whole
// verification (which inflates every entry) on arbitrary bytes.  libFuzzer
// hands over a heap block of exactly the input's size, so AddressSanitizer
// reports any read outside the archive.
#include <stddef.h>
#include <stdint.h>

#include "Inspect.h"
#include "archive/ArchiveFormat.h"

namespace {

// Reads every byte the walker says belongs to an entry: a bound that is
// off by one shows up here even where zlib (not instrumented) would read.
void TouchEntry(const ArchiveEntry& entry) {
    static volatile uint8_t sink;
    uint8_t sum = 0;
    for (uint32_t i = 0; i < entry.nameLength; ++i) sum += static_cast<uint8_t>(entry.name[i]);
    for (uint32_t i = 0; i < entry.storedSize; ++i) sum += entry.data[i];
    sink = sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > UINT32_MAX) return 0;
    ArchiveReader reader(data, static_cast<uint32_t>(size));
    if (reader.Open()) {
        ArchiveEntry entry;
        while (reader.Next(entry)) {
            TouchEntry(entry);
            CheckEntryName(entry.name, entry.nameLength);
        }
        if (reader.Error() == nullptr && reader.Remaining() > size) __builtin_trap();
    }
    VerifyArchive(data, static_cast<uint32_t>(size));
    return 0;
}
