// Helpers of the splash tests: modules with chosen resources, resource
// bytes, and pixels read back from a memory canvas or from the screen.
#ifndef ORVANE_TESTS_SPLASH_SUPPORT_H
#define ORVANE_TESTS_SPLASH_SUPPORT_H

#include <windows.h>

#include <stdint.h>

#include <string>
#include <vector>

#include "WinHarness.h"

namespace splashtest {

// The bytes of a resource of a module (found by type, id and language, or
// by type and id alone for language 0xFFFF); empty when there is none.
std::string ResourceBytes(HMODULE module, const char* type, int id, WORD language = 0xFFFF);

struct Resource {
    const char* type;  // MAKEINTRESOURCEA
    int id;
    WORD language;
    std::string bytes;
};

// A copy of this test program, in folder, whose resources are exactly the
// given ones, loaded as a module without running any of its code.  Freed
// when the object goes; the folder removes the file.
class ResourceModule {
public:
    ResourceModule(const harness::TestFolder& folder, const std::vector<Resource>& resources);
    ~ResourceModule();
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;
    HINSTANCE Handle() const { return module; }

private:
    HINSTANCE module;
};

// A 32-bit top-down DIB section selected into a memory DC, filled with
// 0xFFFFFF at first.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc; }
    // 0x00RRGGBB
    uint32_t Pixel(int x, int y) const;

private:
    int width;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    const uint32_t* bits;
};

// Copies width x height pixels of the screen from (left, top) into canvas.
void CaptureScreen(const Canvas& canvas, int left, int top, int width, int height);

// The colour (0x00RRGGBB) of pixel (x, y), counted from the top-left, of an
// uncompressed 8-bit bottom-up packed DIB with a 256-entry colour table.
uint32_t PictureColour(const std::string& packedDib, int x, int y);

// How many of the picture's pixels differ from canvas, drawn at (0, 0).
int DifferingPixels(const std::string& packedDib, const Canvas& canvas);

// Whether the window's client area on the screen comes to show the picture:
// the display receives what a window painted a little later, so this looks
// again, with the thread's messages pumped, for up to about 10 s.
bool ScreenComesToShow(HWND window, const std::string& packedDib);

}  // namespace splashtest

#endif
