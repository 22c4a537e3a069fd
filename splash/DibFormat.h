// The arithmetic of packed device-independent bitmaps (header, colour table
// and pixel bits in one block), kept free of the platform so it is also
// tested natively: the header fields a resource may leave 0, where the bits
// lie, how much of a block a header needs, RLE8 expansion and palette
// entries.  Nothing here allocates, and nothing reads or writes outside the
// buffers and lengths it is given.  Sizes are 64-bit so no header value can
// wrap them.
#ifndef ORVANE_SPLASH_DIBFORMAT_H
#define ORVANE_SPLASH_DIBFORMAT_H

#include <stddef.h>
#include <stdint.h>

// BITMAPINFOHEADER, field for field (40 bytes, little-endian).
struct DibHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};

const uint32_t DibRgb = 0;        // BI_RGB: uncompressed
const uint32_t DibRle8 = 1;       // BI_RLE8
const uint32_t DibBitFields = 3;  // BI_BITFIELDS: three masks instead of a colour table

// Rows of biWidth x biBitCount bits, each rounded up to 32 bits, times
// biHeight; 0 for a negative width or height.
uint64_t DibImageSize(const DibHeader& header);

// Fills in what a resource may leave 0: biSizeImage by the image size rule
// (when it fits 32 bits), biClrUsed with 2^biBitCount for up to 8 bits.
// Non-zero values are kept.
void NormaliseDibHeader(DibHeader& header);

// Offset of the pixel bits from the block's start: after the header and the
// colour table, or after the three masks of BI_BITFIELDS.
uint64_t DibBitsOffset(const DibHeader& header);

// What a usable picture needs of its block.
struct DibPlan {
    uint32_t bitsOffset;  // where the bits start
    uint32_t imageSize;   // bytes of uncompressed bits
    uint32_t copySize;    // a writable copy big enough to expand the bits in place
};

// Checks a normalised header against the resource's length: false for what
// could not be painted safely (header or colour table past the end,
// uncompressed bits past the end, a width or height not positive, an
// unknown bit depth, a compression other than BI_RGB or 8-bit BI_RLE8, or
// an image larger than MaxDibImageSize).
const uint32_t MaxDibImageSize = 64u << 20;
bool PlanDib(const DibHeader& header, uint64_t resourceSize, DibPlan& plan);

// Expands the RLE8 stream stream[0, streamSize) into out[0, outSize), which
// the caller has cleared.  The output position is counted from out; an end of
// line aligns it to the next multiple of 4.  True only when an end-of-bitmap
// escape is reached; false when the stream ends first or an escape or run
// would read past it or write past outSize (out then holds what came before).
bool ExpandRle8Stream(const uint8_t* stream, size_t streamSize, uint8_t* out, size_t outSize);

// count logical-palette entries (red, green, blue, flags 0) from count
// colour-table entries (blue, green, red, reserved).
void DibPaletteEntries(const uint8_t* colourTable, unsigned count, uint8_t* entries);

#endif
