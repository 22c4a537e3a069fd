#include "WriteFloor.h"

#include <windows.h>

#include <algorithm>

#include "WinHarness.h"

namespace {

bool WritePieces(HANDLE file, const std::string& content, size_t piece) {
    size_t step = piece == 0 ? content.size() : piece;
    for (size_t at = 0; at < content.size(); at += step) {
        DWORD asked = static_cast<DWORD>(std::min(step, content.size() - at)), written = 0;
        if (!WriteFile(file, content.data() + at, asked, &written, nullptr) || written != asked) return false;
    }
    return true;
}

}  // namespace

bool WriteFloor::Load(const std::vector<std::string>& sources, std::string& error) {
    folders.clear();
    files.clear();
    size = TreeSize();
    for (const std::string& source : sources) {
        const std::string from = WithBackslash(source);
        TreeListing listing = ListTree(from);
        for (const std::string& folder : listing.folders) {
            if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
        }
        unsigned long long read = 0;
        for (const std::string& file : listing.files) {
            files.emplace_back(file, harness::ReadFileBytes(from + file));
            read += files.back().second.size();
        }
        // A file that cannot be read comes back empty.
        if (read != listing.size.bytes) {
            error = "cannot read every file below " + from;
            return false;
        }
        size.files += listing.size.files;
        size.bytes += read;
    }
    return true;
}

bool WriteFloor::WriteAll(const std::string& target, size_t piece, std::string& error) const {
    const std::string to = WithBackslash(target);
    if (!MakeFolder(to)) {
        error = "cannot make " + to;
        return false;
    }
    for (const std::string& folder : folders) {
        if (!MakeFolder(to + folder)) {
            error = "cannot make " + to + folder;
            return false;
        }
    }
    for (const auto& file : files) {
        const std::string path = to + file.first;
        HANDLE handle =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        bool written = handle != INVALID_HANDLE_VALUE && WritePieces(handle, file.second, piece);
        if (handle != INVALID_HANDLE_VALUE && !CloseHandle(handle)) written = false;
        if (!written) {
            error = "cannot write " + path;
            return false;
        }
    }
    return true;
}
