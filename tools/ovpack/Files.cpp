#include "Files.h"

#include "Names.h"

std::string ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    PathKind kind;
    uint64_t size;
    std::string error = Examine(path, kind, size);
    if (!error.empty()) return error;
    if (kind == PathKind::Missing) return PrintableName(path) + ": no such file";
    if (kind != PathKind::File) return PrintableName(path) + ": not a regular file";
    if (size > UINT32_MAX) return PrintableName(path) + ": larger than any archive can be (4 GiB)";
    InputFile file;
    error = file.Open(path);
    if (!error.empty()) return error;
    bytes.resize(static_cast<size_t>(size));
    size_t got = 0;
    error = file.Read(bytes.data(), bytes.size(), got);
    if (error.empty() && got != bytes.size()) error = PrintableName(path) + ": shorter than it was a moment ago";
    return error;
}

std::string MakeFolders(const std::string& path) {
    PathKind kind;
    uint64_t size;
    std::string error = Examine(path, kind, size);
    if (!error.empty()) return error;
    // As before any link existed: a link to a folder is that folder.
    if (kind == PathKind::Folder || kind == PathKind::LinkToFolder) return "";
    if (kind != PathKind::Missing) return PrintableName(path) + ": exists and is not a folder";
    size_t slash = path.find_last_of(PathSeparators);
    if (slash != std::string::npos && slash > 0) {
        error = MakeFolders(path.substr(0, slash));
        if (!error.empty()) return error;
    }
    return MakeFolder(path);
}
