#include "Tree.h"

#include <windows.h>

namespace {

bool IsDotName(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

void ListInto(const std::string& base, const std::string& relative, TreeListing& listing) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((base + relative + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (IsDotName(found.cFileName)) continue;
        const std::string path = relative + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            listing.folders.push_back(path);
            ListInto(base, path + "\\", listing);
        } else {
            listing.files.push_back(path);
            listing.size.files += 1;
            listing.size.bytes += (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

std::string WithBackslash(const std::string& folder) {
    return !folder.empty() && folder.back() != '\\' ? folder + "\\" : folder;
}

TreeListing ListTree(const std::string& folder) {
    TreeListing listing;
    ListInto(WithBackslash(folder), "", listing);
    return listing;
}

TreeSize MeasureTree(const std::string& folder) {
    return ListTree(folder).size;
}

bool MakeFolder(const std::string& folder) {
    if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
    DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CopyTree(const std::string& source, const std::string& target, std::string& failed) {
    const std::string from = WithBackslash(source), to = WithBackslash(target);
    const TreeListing listing = ListTree(from);
    if (!MakeFolder(to)) {
        failed = to;
        return false;
    }
    for (const std::string& folder : listing.folders) {
        if (!MakeFolder(to + folder)) {
            failed = to + folder;
            return false;
        }
    }
    for (const std::string& file : listing.files) {
        if (!CopyFileA((from + file).c_str(), (to + file).c_str(), FALSE)) {
            failed = from + file;
            return false;
        }
    }
    return true;
}
