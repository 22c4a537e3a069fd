#include "Scan.h"

#include <algorithm>
#include <sstream>
#include <map>

#include "Files.h"
#include "Names.h"
#include "archive/ArchiveFormat.h"

namespace {

const size_t MaxNameLength = 255;  // the record's L is one byte

class FolderWalk {
public:
    FolderWalk(std::vector<SourceFile>& files, std::vector<std::string>& refusals)
        : files(files), refusals(refusals) {}

    // prefix: the archive name of the folder, "" for the top.
    void Folder(const std::string& path, const std::string& prefix) {
        std::vector<std::string> children;
        std::string error = ListFolder(path, children);
        if (!error.empty()) {
            refusals.push_back(error);
            return;
        }
        std::sort(children.begin(), children.end());
        if (children.empty() && !prefix.empty()) {
            refusals.push_back(PrintableName(path) + ": empty folder (an archive holds files only)");
        }
        for (const std::string& child : children) Child(path + "/" + child, prefix, child);
    }

private:
    void Child(const std::string& path, const std::string& prefix, const std::string& child) {
        // On Windows it would split into folders that are not there.
        if (child.find('\\') != std::string::npos) {
            refusals.push_back(PrintableName(path) + ": backslash in a file name");
            return;
        }
        std::string name = prefix.empty() ? child : prefix + "\\" + child;
        PathKind kind;
        uint64_t size;
        std::string error = Examine(path, kind, size);
        if (!error.empty()) {
            refusals.push_back(error);
        } else if (kind == PathKind::Folder) {
            Folder(path, name);
        } else if (kind == PathKind::LinkToFolder) {
            // Links to folders are not followed: they can loop.
            refusals.push_back(PrintableName(path) + ": symbolic link to a folder (not followed)");
        } else if (kind != PathKind::File) {
            refusals.push_back(PrintableName(path) + ": neither a file nor a folder");
        } else {
            Add(name, path, size);
        }
    }

    void Add(const std::string& name, const std::string& path, uint64_t size) {
        if (name.size() > MaxNameLength) {
            refusals.push_back(PrintableName(path) + ": name of " + std::to_string(name.size()) +
                               " bytes in the archive (at most " + std::to_string(MaxNameLength) + ")");
        } else if (const char* why = CheckEntryName(name.data(), static_cast<uint32_t>(name.size()))) {
            refusals.push_back(PrintableName(path) + ": unsafe name \"" + PrintableName(name) + "\": " + why);
        } else if (const char* why = CheckPortableName(name.data(), static_cast<uint32_t>(name.size()))) {
            refusals.push_back(PrintableName(path) + ": name \"" + PrintableName(name) + "\" " + why);
        } else if (size > UINT32_MAX) {
            refusals.push_back(PrintableName(path) + ": 4 GiB or larger (an entry holds less)");
        } else {
            files.push_back(SourceFile{name, path, size});
        }
    }

    std::vector<SourceFile>& files;
    std::vector<std::string>& refusals;
};

void RefuseClashes(const std::vector<SourceFile>& files, std::vector<std::string>& refusals) {
    NameClash names;
    for (const SourceFile& file : files) {
        std::string clash = names.Add(file.name, PrintableName(file.path));
        if (!clash.empty()) refusals.push_back(PrintableName(file.path) + ": " + clash);
    }
}

std::vector<SourceFile> ApplyOrder(const std::string& orderFile, const std::string& dir,
                                   const std::vector<SourceFile>& files, std::vector<std::string>& refusals) {
    std::vector<SourceFile> ordered;
    std::vector<uint8_t> bytes;
    std::string error = ReadWholeFile(orderFile, bytes);
    if (!error.empty()) {
        refusals.push_back(error);
        return ordered;
    }
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::map<std::string, size_t> byName;
    for (size_t i = 0; i < files.size(); ++i) byName[files[i].name] = i;
    std::vector<bool> listed(files.size(), false);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        std::replace(line.begin(), line.end(), '/', '\\');
        std::string where =
            PrintableName(orderFile) + ":" + std::to_string(number) + ": \"" + PrintableName(line) + "\" ";
        auto found = byName.find(line);
        if (found == byName.end()) {
            refusals.push_back(where + "is not a file below " + PrintableName(dir));
        } else if (listed[found->second]) {
            refusals.push_back(where + "is listed twice");
        } else {
            listed[found->second] = true;
            ordered.push_back(files[found->second]);
        }
    }
    for (size_t i = 0; i < files.size(); ++i) {
        if (!listed[i])
            refusals.push_back(PrintableName(files[i].path) + ": not listed in " + PrintableName(orderFile));
    }
    return ordered;
}

}  // namespace

std::vector<std::string> CollectSources(const std::string& folder, const std::string& orderFile,
                                        std::vector<SourceFile>& files) {
    std::vector<std::string> refusals;
    files.clear();
    std::string dir = folder;
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    PathKind kind;
    uint64_t size;
    std::string error = Examine(dir, kind, size);
    if (!error.empty() || kind == PathKind::Missing) {
        refusals.push_back(error.empty() ? PrintableName(dir) + ": no such folder" : error);
        return refusals;
    }
    if (kind != PathKind::Folder && kind != PathKind::LinkToFolder) {
        refusals.push_back(PrintableName(dir) + ": not a folder");
        return refusals;
    }
    FolderWalk(files, refusals).Folder(dir, "");
    RefuseClashes(files, refusals);
    if (!orderFile.empty()) {
        files = ApplyOrder(orderFile, dir, files, refusals);
    } else {
        std::sort(files.begin(), files.end(),
                  [](const SourceFile& a, const SourceFile& b) { return a.name < b.name; });
    }
    return refusals;
}
