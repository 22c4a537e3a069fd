// The splash picture's DIB toolkit on the real platform: the bitmap resource
// of this program (built with the launcher's resources), packed DIBs in
// memory, palettes and painting into a memory canvas.
#include <gtest/gtest.h>

#include <windows.h>

#include <string.h>

#include <string>

#include "splash/Dib.h"
#include "splash_support.h"

using splashtest::Canvas;

namespace {

const int SplashBitmapId = 134;

std::string SplashResource() {
    return splashtest::ResourceBytes(GetModuleHandleA(nullptr), RT_BITMAP, SplashBitmapId);
}

// A packed DIB: a 40-byte header, colours x 4 bytes of colour table (entry
// i is i, i, i), then the bits.
std::string PackedDib(WORD bits, LONG width, LONG height, DWORD compression, DWORD sizeImage, DWORD clrUsed,
                      int colours, const std::string& pixelBits) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biCompression = compression;
    header.biSizeImage = sizeImage;
    header.biClrUsed = clrUsed;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    for (int i = 0; i < colours; ++i) block += std::string(3, static_cast<char>(i)) + '\0';
    return block + pixelBits;
}

std::string Bits(const BITMAPINFOHEADER* block, size_t count) {
    const char* start = reinterpret_cast<const char*>(block) + block->biSize + 4 * block->biClrUsed;
    return std::string(start, count);
}

TEST(LoadDibResource, GivesTheSplashPictureNormalisedInAWritableCopy) {
    std::string resource = SplashResource();
    ASSERT_EQ(169066u, resource.size());

    BITMAPINFOHEADER* dib = LoadDibResource(SplashBitmapId, GetModuleHandleA(nullptr));
    ASSERT_NE(nullptr, dib);
    EXPECT_EQ(168000u, dib->biSizeImage);
    EXPECT_EQ(256u, dib->biClrUsed);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), dib->biCompression);
    // Only the two header fields differ from the resource.
    std::string copy(reinterpret_cast<const char*>(dib), resource.size());
    EXPECT_EQ(resource.substr(40), copy.substr(40));

    // Patching the copy leaves the module's resource as it was.
    memset(reinterpret_cast<char*>(dib) + 40, 0x5A, 1024);
    EXPECT_EQ(resource, SplashResource());
    FreeDib(dib);

    EXPECT_EQ(nullptr, LoadDibResource(4711, GetModuleHandleA(nullptr)));
}

TEST(CopyPackedDib, NormalisesAndExpandsOrRefuses) {
    // A 4 x 2 picture of 8 bits: rows 65 65 65 66 and 17 34 51 (end of line).
    const std::string rle8("\3\x41\1\x42\0\0\0\3\x11\x22\x33\0\0\0\0\1", 16);
    const std::string expanded("\x41\x41\x41\x42\x11\x22\x33\0", 8);
    struct {
        const char* description;
        std::string block;
        bool usable;
        DWORD sizeImage, clrUsed;
        std::string bits;
    } cases[] = {
        // biSizeImage of RLE8 is the compressed size; the expansion takes
        // the size the dimensions give, in a copy with room for it.
        {"RLE8 expanded in place", PackedDib(8, 4, 2, BI_RLE8, 16, 2, 2, rle8), true, 8, 2, expanded},
        {"RLE8 shorter than its expansion", PackedDib(8, 4, 2, BI_RLE8, 4, 2, 2, std::string("\x08\x05\0\1", 4)),
         true, 8, 2, std::string(8, '\x05')},
        {"4 bits get 16 colours", PackedDib(4, 5, 2, BI_RGB, 0, 0, 16, std::string(8, '\x12')), true, 8, 16,
         std::string(8, '\x12')},
        {"RLE8 without its end", PackedDib(8, 4, 2, BI_RLE8, 0, 2, 2, rle8.substr(0, 14)), false, 0, 0, ""},
        {"uncompressed bits cut short", PackedDib(8, 4, 2, BI_RGB, 0, 2, 2, std::string(7, '\1')), false, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        BITMAPINFOHEADER* dib = CopyPackedDib(c.block.data(), static_cast<DWORD>(c.block.size()));
        EXPECT_EQ(c.usable, dib != nullptr);
        if (dib == nullptr) continue;
        EXPECT_EQ(static_cast<DWORD>(BI_RGB), dib->biCompression);
        EXPECT_EQ(c.sizeImage, dib->biSizeImage);
        EXPECT_EQ(c.clrUsed, dib->biClrUsed);
        EXPECT_EQ(c.bits, Bits(dib, c.bits.size()));
        FreeDib(dib);
    }
}

TEST(ExpandRle8, ReplacesTheStreamOnlyWhenItCompletes) {
    char stream[16] = {3, 9, 0, 0, 1, 8, 0, 1};
    ASSERT_TRUE(ExpandRle8(reinterpret_cast<BYTE*>(stream), 8, 8));
    EXPECT_EQ(std::string("\x09\x09\x09\0\x08\0\0\0", 8), std::string(stream, 8));

    char malformed[8] = {3, 9, 0, 0, 1, 8, 0, 0};
    EXPECT_FALSE(ExpandRle8(reinterpret_cast<BYTE*>(malformed), 8, 8));
    EXPECT_EQ(std::string("\3\x09\0\0\1\x08\0\0", 8), std::string(malformed, 8));
}

std::vector<PALETTEENTRY> Entries(HPALETTE palette) {
    std::vector<PALETTEENTRY> entries(GetPaletteEntries(palette, 0, 0, nullptr));
    GetPaletteEntries(palette, 0, static_cast<UINT>(entries.size()), entries.data());
    return entries;
}

TEST(CreateDibPalette, TakesTheColourTableOrTheStockPalette) {
    BITMAPINFOHEADER* dib = LoadDibResource(SplashBitmapId, GetModuleHandleA(nullptr));
    ASSERT_NE(nullptr, dib);
    HPALETTE palette = CreateDibPalette(dib);
    std::vector<PALETTEENTRY> entries = Entries(palette);
    ASSERT_EQ(256u, entries.size());
    const BYTE* table = reinterpret_cast<const BYTE*>(dib) + 40;
    for (int i = 0; i < 256; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(table[4 * i + 2], entries[i].peRed);
        EXPECT_EQ(table[4 * i + 1], entries[i].peGreen);
        EXPECT_EQ(table[4 * i], entries[i].peBlue);
        EXPECT_EQ(0, entries[i].peFlags);
    }
    DeleteObject(palette);
    FreeDib(dib);

    // True colour: the stock default palette, black where it has no entry.
    std::string trueColour = PackedDib(24, 1, 1, BI_RGB, 4, 0, 0, "abcd");
    palette = CreateDibPalette(reinterpret_cast<const BITMAPINFOHEADER*>(trueColour.data()));
    entries = Entries(palette);
    std::vector<PALETTEENTRY> stock = Entries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
    ASSERT_EQ(256u, entries.size());
    ASSERT_LT(0u, stock.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        PALETTEENTRY expected = i < stock.size() ? stock[i] : PALETTEENTRY{0, 0, 0, 0};
        EXPECT_EQ(expected.peRed, entries[i].peRed);
        EXPECT_EQ(expected.peGreen, entries[i].peGreen);
        EXPECT_EQ(expected.peBlue, entries[i].peBlue);
    }
    DeleteObject(palette);
}

TEST(PaintDib, DrawsThePicture1To1AtItsPlace) {
    std::string resource = SplashResource();
    BITMAPINFOHEADER* dib = LoadDibResource(SplashBitmapId, GetModuleHandleA(nullptr));
    ASSERT_NE(nullptr, dib);
    Canvas canvas(480, 350);
    EXPECT_EQ(350, PaintDib(dib, canvas.Dc(), 0, 0));
    EXPECT_EQ(0, splashtest::DifferingPixels(resource, canvas));

    Canvas offset(490, 360);
    EXPECT_EQ(350, PaintDib(dib, offset.Dc(), 3, 5));
    EXPECT_EQ(splashtest::PictureColour(resource, 0, 0), offset.Pixel(3, 5));
    EXPECT_EQ(0xFFFFFFu, offset.Pixel(2, 4));
    FreeDib(dib);

    Canvas untouched(4, 4);
    EXPECT_EQ(0, PaintDib(nullptr, untouched.Dc(), 0, 0));
    EXPECT_EQ(0xFFFFFFu, untouched.Pixel(0, 0));
    FreeDib(nullptr);
}

TEST(QlSelectedPalette, SelectsForItsScopeAndPutsThePreviousBack) {
    std::string colours = PackedDib(8, 4, 1, BI_RGB, 0, 2, 2, "abcd");
    HPALETTE palette = CreateDibPalette(reinterpret_cast<const BITMAPINFOHEADER*>(colours.data()));
    Canvas canvas(4, 4);
    HGDIOBJ before = GetCurrentObject(canvas.Dc(), OBJ_PAL);
    {
        QlSelectedPalette selected(canvas.Dc(), palette);
        EXPECT_EQ(palette, GetCurrentObject(canvas.Dc(), OBJ_PAL));
    }
    EXPECT_EQ(before, GetCurrentObject(canvas.Dc(), OBJ_PAL));
    {
        QlSelectedPalette none(canvas.Dc(), nullptr);
        EXPECT_EQ(before, GetCurrentObject(canvas.Dc(), OBJ_PAL));
    }
    EXPECT_EQ(before, GetCurrentObject(canvas.Dc(), OBJ_PAL));
    EXPECT_TRUE(DeleteObject(palette));
}

}  // namespace

namespace {

// The splash's picture and palette are released exactly once: on Reset,
// which takes the next one, and by the holder's end, which then has none.
TEST(DibHolders, ReleaseWhatTheyHoldExactlyOnce) {
    BITMAPINFOHEADER* first = LoadDibResource(SplashBitmapId, GetModuleHandleA(nullptr));
    BITMAPINFOHEADER* second = LoadDibResource(SplashBitmapId, GetModuleHandleA(nullptr));
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    HGLOBAL firstMemory = GlobalHandle(first);
    HGLOBAL secondMemory = GlobalHandle(second);
    HPALETTE firstPalette = CreateDibPalette(first);
    HPALETTE secondPalette = CreateDibPalette(first);
    {
        DibHolder dib(first);
        PaletteHolder palette(firstPalette);
        dib.Reset(first);  // the same block again: kept, not freed
        EXPECT_NE(0u, GlobalSize(firstMemory));
        dib.Reset(second);
        palette.Reset(secondPalette);
        EXPECT_EQ(0u, GlobalSize(firstMemory));
        EXPECT_EQ(0u, GetObjectType(firstPalette));
        EXPECT_NE(0u, GlobalSize(secondMemory));
        EXPECT_EQ(static_cast<DWORD>(OBJ_PAL), GetObjectType(secondPalette));
    }
    EXPECT_EQ(0u, GlobalSize(secondMemory));
    EXPECT_EQ(0u, GetObjectType(secondPalette));
}

}  // namespace
