#include "Dib.h"

#include <string.h>

#include <memory>

#include "DibFormat.h"

static_assert(sizeof(DibHeader) == sizeof(BITMAPINFOHEADER), "DibHeader mirrors BITMAPINFOHEADER");

namespace {

DibHeader ReadHeader(const void* block) {
    DibHeader header;
    memcpy(&header, block, sizeof header);
    return header;
}

void WriteHeader(void* block, const DibHeader& header) {
    memcpy(block, &header, sizeof header);
}

// Moveable global memory, zeroed and locked while it is held; unlocked and
// freed exactly once, unless Release hands the locked block on.
class GlobalMemory {
public:
    explicit GlobalMemory(SIZE_T size)
        : handle(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)),
          data(handle != nullptr ? GlobalLock(handle) : nullptr) {}
    ~GlobalMemory() {
        if (handle == nullptr) return;
        if (data != nullptr) GlobalUnlock(handle);
        GlobalFree(handle);
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;

    void* Get() const { return data; }
    void* Release() {
        void* block = data;
        handle = nullptr;
        data = nullptr;
        return block;
    }

private:
    HGLOBAL handle;
    void* data;
};

struct LocalFreer {
    void operator()(void* block) const { LocalFree(block); }
};

}  // namespace

BITMAPINFOHEADER* LoadDibResource(int id, HINSTANCE module) {
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (resource == nullptr) return nullptr;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return nullptr;
    return CopyPackedDib(bytes, SizeofResource(module, resource));
}

BITMAPINFOHEADER* CopyPackedDib(const void* bytes, DWORD size) {
    if (size < sizeof(DibHeader)) return nullptr;
    DibHeader header = ReadHeader(bytes);
    NormaliseDibHeader(header);
    DibPlan plan;
    if (!PlanDib(header, size, plan)) return nullptr;

    GlobalMemory memory(plan.copySize);
    BITMAPINFOHEADER* block = static_cast<BITMAPINFOHEADER*>(memory.Get());
    if (block == nullptr) return nullptr;
    memcpy(block, bytes, size);
    WriteHeader(block, header);
    // Never hand out bits that are still compressed, or half expanded.
    if (!DecompressDib(block, plan.copySize)) return nullptr;
    return static_cast<BITMAPINFOHEADER*>(memory.Release());
}

bool DecompressDib(BITMAPINFOHEADER* block, DWORD blockSize) {
    DibHeader header = ReadHeader(block);
    if (header.biCompression == DibRgb) return true;
    if (header.biCompression != DibRle8 || header.biBitCount != 8) return false;
    uint64_t bitsOffset = DibBitsOffset(header);
    uint64_t imageSize = DibImageSize(header);
    if (bitsOffset > blockSize || imageSize == 0 || imageSize > blockSize - bitsOffset) return false;

    BYTE* bits = reinterpret_cast<BYTE*>(block) + bitsOffset;
    // The expanded size comes from the dimensions: for RLE8, biSizeImage is
    // the compressed size when it is set at all.
    if (!ExpandRle8(bits, static_cast<DWORD>(blockSize - bitsOffset), static_cast<DWORD>(imageSize))) return false;
    header.biSizeImage = static_cast<uint32_t>(imageSize);
    header.biCompression = DibRgb;
    WriteHeader(block, header);
    return true;
}

bool ExpandRle8(BYTE* stream, DWORD streamSize, DWORD expandedSize) {
    SIZE_T scratchSize = 2 * static_cast<SIZE_T>(expandedSize);
    GlobalMemory memory(scratchSize);
    BYTE* scratch = static_cast<BYTE*>(memory.Get());
    bool expanded = scratch != nullptr && ExpandRle8Stream(stream, streamSize, scratch, scratchSize);
    if (expanded) memcpy(stream, scratch, expandedSize);
    return expanded;
}

HPALETTE CreateDibPalette(const BITMAPINFOHEADER* block) {
    DibHeader header = ReadHeader(block);
    unsigned count = header.biClrUsed != 0 ? (header.biClrUsed & 0xFFFF) : 256;
    // Zeroed, so the entries the stock palette lacks are black.
    std::unique_ptr<LOGPALETTE, LocalFreer> owned(
        static_cast<LOGPALETTE*>(LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY))));
    LOGPALETTE* description = owned.get();
    if (description == nullptr) return nullptr;
    description->palVersion = 0x300;
    description->palNumEntries = static_cast<WORD>(count);
    if (header.biClrUsed != 0) {
        DibPaletteEntries(reinterpret_cast<const uint8_t*>(block) + header.biSize, count,
                          reinterpret_cast<uint8_t*>(description->palPalEntry));
    } else {
        GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 256, description->palPalEntry);
    }
    return CreatePalette(description);
}

int PaintDib(const BITMAPINFOHEADER* block, HDC dc, int x, int y) {
    if (block == nullptr) return 0;
    DibHeader header = ReadHeader(block);
    const BYTE* bits = reinterpret_cast<const BYTE*>(block) + DibBitsOffset(header);
    return StretchDIBits(dc, x, y, header.biWidth, header.biHeight, 0, 0, header.biWidth, header.biHeight, bits,
                         reinterpret_cast<const BITMAPINFO*>(block), DIB_RGB_COLORS, SRCCOPY);
}

void FreeDib(BITMAPINFOHEADER* block) {
    if (block == nullptr) return;
    HGLOBAL memory = GlobalHandle(block);
    GlobalUnlock(memory);
    GlobalFree(memory);
}

void DibHolder::Reset(BITMAPINFOHEADER* replacement) {
    if (replacement == block) return;
    FreeDib(block);
    block = replacement;
}

void PaletteHolder::Reset(HPALETTE replacement) {
    if (replacement == palette) return;
    if (palette != nullptr) DeleteObject(palette);
    palette = replacement;
}

QlSelectedPalette::QlSelectedPalette(HDC dc, HPALETTE palette) : dc(dc), previous(nullptr) {
    if (palette == nullptr) return;
    previous = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
}

QlSelectedPalette::~QlSelectedPalette() {
    if (previous != nullptr) SelectPalette(dc, previous, FALSE);
}
