// Packed-DIB arithmetic and RLE8 expansion, natively under the sanitizers:
// every buffer is exactly as long as it claims, so a read or write past it
// is caught.
#include <gtest/gtest.h>

#include <stdint.h>

#include <vector>

#include "splash/DibFormat.h"

namespace {

typedef std::vector<uint8_t> Bytes;

struct Rle8Case {
    const char* description;
    Bytes stream;
    size_t outSize;
    bool complete;
    Bytes expanded;  // the start of the output; the rest stays 0
};

const Rle8Case Rle8Cases[] = {
    {"encoded run", {3, 65, 0, 1}, 8, true, {65, 65, 65}},
    {"absolute run of odd count skips its pad byte", {0, 3, 17, 34, 51, 0, 2, 9, 0, 1}, 8, true, {17, 34, 51, 9, 9}},
    {"absolute run of even count has no pad", {0, 4, 1, 2, 3, 4, 1, 7, 0, 1}, 8, true, {1, 2, 3, 4, 7}},
    {"end of line after five bytes moves to 8", {5, 1, 0, 0, 1, 2, 0, 1}, 12, true, {1, 1, 1, 1, 1, 0, 0, 0, 2}},
    {"end of line at 8 stays there", {8, 1, 0, 0, 1, 2, 0, 1}, 12, true, {1, 1, 1, 1, 1, 1, 1, 1, 2}},
    {"end of line at the start stays there", {0, 0, 1, 2, 0, 1}, 4, true, {2}},
    {"delta skips its offsets and writes nothing", {1, 3, 0, 2, 5, 7, 1, 4, 0, 1}, 4, true, {3, 4}},
    {"end of bitmap stops before the rest", {1, 3, 0, 1, 1, 4}, 4, true, {3, 0}},
    {"a run that fills the output exactly", {4, 6, 0, 1}, 4, true, {6, 6, 6, 6}},
    {"end of line past the output without a write", {5, 1, 0, 0, 0, 1}, 5, true, {1, 1, 1, 1, 1}},
    // Malformed streams stop safely and report it.
    {"empty stream", {}, 4, false, {}},
    {"no end of bitmap", {1, 3}, 4, false, {3}},
    {"a lone trailing byte", {1, 3, 0}, 4, false, {3}},
    {"encoded run past the output", {5, 1, 0, 1}, 4, false, {0}},
    {"absolute run past the output", {0, 3, 1, 2, 3, 0, 0, 1}, 2, false, {0, 0}},
    {"absolute run past the stream", {0, 5, 1, 2}, 8, false, {0}},
    {"absolute run without its pad byte", {0, 3, 1, 2, 3}, 8, false, {0}},
    {"delta past the stream", {0, 2, 5}, 4, false, {}},
    {"write after an end of line past the output", {5, 1, 0, 0, 1, 1, 0, 1}, 5, false, {1, 1, 1, 1, 1}},
};

TEST(ExpandRle8Stream, ExpandsOrStopsSafely) {
    for (const Rle8Case& c : Rle8Cases) {
        SCOPED_TRACE(c.description);
        // Exact-size heap copies: the sanitizer sees any step outside them.
        uint8_t* stream = new uint8_t[c.stream.size() + (c.stream.empty() ? 1 : 0)];
        std::copy(c.stream.begin(), c.stream.end(), stream);
        Bytes out(c.outSize, 0);
        EXPECT_EQ(c.complete, ExpandRle8Stream(stream, c.stream.size(), out.data(), out.size()));
        Bytes expected = c.expanded;
        expected.resize(c.outSize, 0);
        EXPECT_EQ(expected, out);
        delete[] stream;
    }
}

DibHeader Header(uint16_t bits, int32_t width, int32_t height, uint32_t sizeImage = 0, uint32_t colours = 0) {
    DibHeader header = {};
    header.biSize = 40;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biSizeImage = sizeImage;
    header.biClrUsed = colours;
    return header;
}

TEST(NormaliseDibHeader, FillsOnlyWhatIsZero) {
    struct {
        const char* description;
        DibHeader header;
        uint32_t sizeImage, colours;
    } cases[] = {
        {"the splash picture", Header(8, 480, 350), 168000, 256},
        {"4 bits, rows rounded to 32 bits", Header(4, 5, 3), 12, 16},
        {"1 bit, 33 pixels take two words", Header(1, 33, 2), 16, 2},
        {"24 bits keep no colour table", Header(24, 5, 2), 32, 0},
        {"32 bits", Header(32, 3, 3), 36, 0},
        {"set values are kept", Header(8, 4, 4, 99, 7), 99, 7},
        {"a size beyond 32 bits is left 0", Header(24, 0x7FFFFFFF, 0x7FFFFFFF), 0, 0},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.description);
        NormaliseDibHeader(c.header);
        EXPECT_EQ(c.sizeImage, c.header.biSizeImage);
        EXPECT_EQ(c.colours, c.header.biClrUsed);
    }
}

TEST(PlanDib, AcceptsWhatCanBePaintedSafely) {
    DibPlan plan;
    DibHeader splash = Header(8, 480, 350, 168000, 256);
    ASSERT_TRUE(PlanDib(splash, 169066, plan));
    EXPECT_EQ(1064u, plan.bitsOffset);
    EXPECT_EQ(168000u, plan.imageSize);
    EXPECT_EQ(169066u, plan.copySize);

    // RLE8 bits are shorter than the image: the copy has room to expand.
    DibHeader rle = Header(8, 4, 2, 8, 2);
    rle.biCompression = DibRle8;
    ASSERT_TRUE(PlanDib(rle, 40 + 8 + 4, plan));
    EXPECT_EQ(48u, plan.bitsOffset);
    EXPECT_EQ(56u, plan.copySize);
}

TEST(PlanDib, RefusesWhatCannotBe) {
    struct {
        const char* description;
        DibHeader header;
        uint64_t resourceSize;
    } cases[] = {
        {"header shorter than 40 bytes", Header(8, 4, 4, 16, 256), 2000},
        {"header longer than the resource", Header(8, 4, 4, 16, 256), 39},
        {"width 0", Header(8, 0, 4, 16, 256), 2000},
        {"top-down rows", Header(8, 4, -4, 16, 256), 2000},
        {"7 bits per pixel", Header(7, 4, 4, 16, 128), 2000},
        {"colour table past the end", Header(8, 4, 4, 16, 0xFFFFFFFF), 2000},
        {"bits one byte short", Header(8, 4, 4, 16, 256), 40 + 1024 + 15},
        {"an image beyond 64 MiB", Header(32, 4100, 4100, 1, 0), UINT64_MAX},
        {"RLE4", Header(4, 4, 4, 8, 16), 2000},
        {"bit-field masks", Header(16, 4, 4, 32, 0), 2000},
        {"RLE8 of 4 bits per pixel", Header(4, 4, 4, 8, 16), 2000},
    };
    cases[0].header.biSize = 39;
    cases[8].header.biCompression = 2;
    cases[9].header.biCompression = DibBitFields;
    cases[10].header.biCompression = DibRle8;
    for (auto& c : cases) {
        SCOPED_TRACE(c.description);
        DibPlan plan;
        EXPECT_FALSE(PlanDib(c.header, c.resourceSize, plan));
    }
}

TEST(DibPaletteEntries, TakesRedGreenBlueFromTheThirdSecondAndFirstByte) {
    const uint8_t table[] = {10, 20, 30, 40, 1, 2, 3, 4};
    uint8_t entries[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    DibPaletteEntries(table, 2, entries);
    const uint8_t expected[] = {30, 20, 10, 0, 3, 2, 1, 0};
    EXPECT_EQ(Bytes(expected, expected + 8), Bytes(entries, entries + 8));
}

}  // namespace
