#include "DibFormat.h"

#include <string.h>

uint64_t DibImageSize(const DibHeader& header) {
    if (header.biWidth < 0 || header.biHeight < 0) return 0;
    uint64_t rowBits = static_cast<uint64_t>(header.biWidth) * header.biBitCount;
    uint64_t rowBytes = ((rowBits + 31) & ~static_cast<uint64_t>(31)) / 8;
    // At most 2^44 bytes a row times 2^31 rows: saturate instead of wrapping.
    if (header.biHeight != 0 && rowBytes > UINT64_MAX / static_cast<uint64_t>(header.biHeight)) return UINT64_MAX;
    return rowBytes * static_cast<uint64_t>(header.biHeight);
}

void NormaliseDibHeader(DibHeader& header) {
    if (header.biSizeImage == 0) {
        uint64_t size = DibImageSize(header);
        if (size <= UINT32_MAX) header.biSizeImage = static_cast<uint32_t>(size);
    }
    if (header.biClrUsed == 0 && header.biBitCount <= 8) header.biClrUsed = 1u << header.biBitCount;
}

uint64_t DibBitsOffset(const DibHeader& header) {
    if (header.biCompression == DibBitFields) return static_cast<uint64_t>(header.biSize) + 12;
    return static_cast<uint64_t>(header.biSize) + 4 * static_cast<uint64_t>(header.biClrUsed);
}

namespace {

bool KnownBitCount(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

bool PlanDib(const DibHeader& header, uint64_t resourceSize, DibPlan& plan) {
    if (header.biSize < sizeof(DibHeader) || header.biSize > resourceSize) return false;
    if (header.biWidth <= 0 || header.biHeight <= 0 || !KnownBitCount(header.biBitCount)) return false;
    bool rle8 = header.biCompression == DibRle8 && header.biBitCount == 8;
    if (header.biCompression != DibRgb && !rle8) return false;

    uint64_t bitsOffset = DibBitsOffset(header);
    uint64_t imageSize = DibImageSize(header);
    if (bitsOffset > resourceSize || imageSize > MaxDibImageSize) return false;
    // Uncompressed bits are painted straight from the block: all of them
    // must be there.  RLE8 bits are expanded where the stream stood.
    uint64_t needed = bitsOffset + imageSize;
    if (!rle8 && needed > resourceSize) return false;
    plan.bitsOffset = static_cast<uint32_t>(bitsOffset);
    plan.imageSize = static_cast<uint32_t>(imageSize);
    plan.copySize = static_cast<uint32_t>(needed > resourceSize ? needed : resourceSize);
    return true;
}

bool ExpandRle8Stream(const uint8_t* stream, size_t streamSize, uint8_t* out, size_t outSize) {
    size_t in = 0;
    size_t position = 0;  // may pass outSize by an end-of-line alignment only
    while (streamSize - in >= 2) {
        uint8_t first = stream[in];
        uint8_t second = stream[in + 1];
        in += 2;
        if (first > 0) {  // encoded run
            if (position > outSize || first > outSize - position) return false;
            memset(out + position, second, first);
            position += first;
            continue;
        }
        switch (second) {
        case 0:  // end of line
            position = (position + 3) & ~static_cast<size_t>(3);
            break;
        case 1:  // end of bitmap
            return true;
        case 2:  // delta: the offsets are skipped, the output stays
            if (streamSize - in < 2) return false;
            in += 2;
            break;
        default: {  // absolute run, padded to a 16-bit boundary of the stream
            size_t count = second;
            size_t padded = count + (count & 1);
            if (streamSize - in < padded) return false;
            if (position > outSize || count > outSize - position) return false;
            memcpy(out + position, stream + in, count);
            position += count;
            in += padded;
            break;
        }
        }
    }
    return false;
}

void DibPaletteEntries(const uint8_t* colourTable, unsigned count, uint8_t* entries) {
    for (unsigned i = 0; i < count; ++i) {
        const uint8_t* quad = colourTable + 4 * i;
        uint8_t* entry = entries + 4 * i;
        entry[0] = quad[2];
        entry[1] = quad[1];
        entry[2] = quad[0];
        entry[3] = 0;
    }
}
