#include "splash_support.h"

#include <string.h>

#include <stdexcept>

namespace splashtest {

std::string ResourceBytes(HMODULE module, const char* type, int id, WORD language) {
    HRSRC resource = language == 0xFFFF ? FindResourceA(module, MAKEINTRESOURCEA(id), type)
                                        : FindResourceExA(module, type, MAKEINTRESOURCEA(id), language);
    if (resource == nullptr) return std::string();
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    return bytes != nullptr ? std::string(bytes, SizeofResource(module, resource)) : std::string();
}

ResourceModule::ResourceModule(const harness::TestFolder& folder, const std::vector<Resource>& resources) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string copy = folder.Path() + "resources.exe";
    if (!CopyFileA(self, copy.c_str(), FALSE)) throw std::runtime_error("cannot copy the test program");
    HANDLE update = BeginUpdateResourceA(copy.c_str(), TRUE /* drop all the copy's own resources */);
    if (update == nullptr) throw std::runtime_error("cannot update resources");
    for (const Resource& r : resources) {
        UpdateResourceA(update, r.type, MAKEINTRESOURCEA(r.id), r.language, const_cast<char*>(r.bytes.data()),
                        static_cast<DWORD>(r.bytes.size()));
    }
    if (!EndUpdateResourceA(update, FALSE)) throw std::runtime_error("cannot write resources");
    module = LoadLibraryExA(copy.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (module == nullptr) throw std::runtime_error("cannot load the copy");
}

ResourceModule::~ResourceModule() {
    FreeLibrary(module);
}

Canvas::Canvas(int width, int height) : width(width) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (dc == nullptr || bitmap == nullptr) throw std::runtime_error("cannot create a canvas");
    bits = static_cast<const uint32_t*>(pixels);
    memset(pixels, 0xFF, static_cast<size_t>(width) * height * 4);
    previous = SelectObject(dc, bitmap);
}

Canvas::~Canvas() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

uint32_t Canvas::Pixel(int x, int y) const {
    GdiFlush();
    return bits[y * width + x] & 0xFFFFFF;
}

void CaptureScreen(const Canvas& canvas, int left, int top, int width, int height) {
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.Dc(), 0, 0, width, height, screen, left, top, SRCCOPY);
    ReleaseDC(nullptr, screen);
}

uint32_t PictureColour(const std::string& packedDib, int x, int y) {
    const unsigned char* block = reinterpret_cast<const unsigned char*>(packedDib.data());
    BITMAPINFOHEADER header;
    memcpy(&header, block, sizeof header);
    const unsigned char* table = block + header.biSize;
    const unsigned char* bits = table + 4 * 256;
    unsigned index = bits[(header.biHeight - 1 - y) * ((header.biWidth + 3) & ~3) + x];
    const unsigned char* quad = table + 4 * index;
    return (quad[2] << 16) | (quad[1] << 8) | quad[0];
}

int DifferingPixels(const std::string& packedDib, const Canvas& canvas) {
    BITMAPINFOHEADER header;
    memcpy(&header, packedDib.data(), sizeof header);
    int differing = 0;
    for (int y = 0; y < header.biHeight; ++y)
        for (int x = 0; x < header.biWidth; ++x)
            if (canvas.Pixel(x, y) != PictureColour(packedDib, x, y)) ++differing;
    return differing;
}

bool ScreenComesToShow(HWND window, const std::string& packedDib) {
    BITMAPINFOHEADER header;
    memcpy(&header, packedDib.data(), sizeof header);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    Canvas screen(header.biWidth, header.biHeight);
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (attempt > 0) Sleep(50);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        CaptureScreen(screen, origin.x, origin.y, header.biWidth, header.biHeight);
        if (DifferingPixels(packedDib, screen) == 0) return true;
    }
    return false;
}

}  // namespace splashtest
