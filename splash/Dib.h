// The splash picture as a packed DIB: header, colour table and pixel bits in
// one block.  The loader copies the resource into moveable global memory
// (the resource section is read-only, and the header and RLE8 bits are
// patched in place), fills in the header fields the resource leaves 0 and
// expands RLE8 bits; what it returns is always uncompressed and fits its
// block, so painting it cannot read past it.  The caller owns the block and
// releases it with FreeDib; a palette belongs to whoever created it.
// Nothing here throws.
#ifndef ORVANE_SPLASH_DIB_H
#define ORVANE_SPLASH_DIB_H

#include <windows.h>

// The bitmap resource id of the module, normalised and uncompressed; null
// when it is missing or unusable (see PlanDib in DibFormat.h), when its RLE8
// bits cannot be expanded, or when memory runs out.
BITMAPINFOHEADER* LoadDibResource(int id, HINSTANCE module);

// The same for size bytes of a packed DIB anywhere in memory.
BITMAPINFOHEADER* CopyPackedDib(const void* bytes, DWORD size);

// Expands the bits of an RLE8 block of blockSize bytes in place and marks it
// uncompressed, with biSizeImage the expanded size; an uncompressed block is
// left as it is.  false, with the block untouched, for another compression,
// a block too small for its expanded bits, or bits that cannot be expanded.
bool DecompressDib(BITMAPINFOHEADER* block, DWORD blockSize);

// Expands the RLE8 stream of streamSize bytes through a scratch buffer of
// twice expandedSize and copies expandedSize bytes back over the stream,
// which must have room for them.  false, with the stream untouched, when
// the scratch buffer cannot be had or the stream is malformed (see
// ExpandRle8Stream).
bool ExpandRle8(BYTE* stream, DWORD streamSize, DWORD expandedSize);

// A logical palette of the block's colour table (biClrUsed entries), or of
// the 256 entries of the stock default palette when biClrUsed is 0 (the
// entries it lacks are black); null when memory runs out.
HPALETTE CreateDibPalette(const BITMAPINFOHEADER* block);

// Draws the whole picture 1:1 with its top-left corner at (x, y); returns
// the scan lines drawn, 0 for a null block.
int PaintDib(const BITMAPINFOHEADER* block, HDC dc, int x, int y);

// Releases a block of LoadDibResource or CopyPackedDib; nothing for null.
void FreeDib(BITMAPINFOHEADER* block);

// A block of LoadDibResource or CopyPackedDib, released exactly once: by
// Reset or when the holder goes.
class DibHolder {
public:
    explicit DibHolder(BITMAPINFOHEADER* block = nullptr) : block(block) {}
    ~DibHolder() { FreeDib(block); }
    DibHolder(const DibHolder&) = delete;
    DibHolder& operator=(const DibHolder&) = delete;

    // Releases the block held, then holds this one.
    void Reset(BITMAPINFOHEADER* replacement = nullptr);
    BITMAPINFOHEADER* Get() const { return block; }

private:
    BITMAPINFOHEADER* block;
};

// A palette, deleted exactly once: by Reset or when the holder goes.
class PaletteHolder {
public:
    explicit PaletteHolder(HPALETTE palette = nullptr) : palette(palette) {}
    ~PaletteHolder() { Reset(); }
    PaletteHolder(const PaletteHolder&) = delete;
    PaletteHolder& operator=(const PaletteHolder&) = delete;

    void Reset(HPALETTE replacement = nullptr);
    HPALETTE Get() const { return palette; }

private:
    HPALETTE palette;
};

// Selects a palette into a device context as a foreground palette and
// realises it; puts the previous one back when it goes.  Nothing for a null
// palette.
class QlSelectedPalette {
public:
    QlSelectedPalette(HDC dc, HPALETTE palette);
    ~QlSelectedPalette();
    QlSelectedPalette(const QlSelectedPalette&) = delete;
    QlSelectedPalette& operator=(const QlSelectedPalette&) = delete;

private:
    HDC dc;
    HPALETTE previous;
};

#endif
