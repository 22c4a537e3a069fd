#include "Payload.h"

#include <stdio.h>

#include "Commands.h"
#include "archive/ArchiveNames.h"
#include "Files.h"

namespace {

PathKind KindOf(const std::string& path) {
    PathKind kind;
    uint64_t size;
    return Examine(path, kind, size).empty() ? kind : PathKind::Missing;
}

std::string CopyArchive(const std::string& from, const std::string& to) {
    std::vector<uint8_t> bytes;
    std::string error = ReadWholeFile(from, bytes);
    OutputFile file;
    if (error.empty()) error = file.Create(to);
    if (error.empty()) error = file.Write(bytes.data(), bytes.size());
    std::string closing = file.Close();
    return error.empty() ? closing : error;
}

// 0 when the archive name was packed, copied or is absent; else 1.
int PackOne(const std::string& payload, const std::string& work, const std::string& name, unsigned jobs,
            std::vector<std::string>& packed) {
    std::string ready = payload + "/" + name + ".ovarc";
    std::string folder = payload + "/" + name;
    std::string order = payload + "/" + name + ".order";
    std::string out = work + "/" + name + ".ovarc";
    int status = 0;
    if (KindOf(ready) == PathKind::File) {
        std::string error = CopyArchive(ready, out);
        if (!error.empty()) fprintf(stderr, "ovpack: %s\n", error.c_str());
        status = error.empty() ? 0 : 1;
    } else if (KindOf(folder) == PathKind::Folder) {
        status = CreateCommand(out, folder, KindOf(order) == PathKind::File ? order : "", jobs);
    } else {
        return 0;
    }
    if (status == 0) packed.push_back(name);
    return status;
}

void RemoveArchives(const std::string& work) {
    for (const char* name : ExtractedArchives) RemoveFile(work + "/" + name + ".ovarc");
    for (const char* name : KeptArchives) RemoveFile(work + "/" + name + ".ovarc");
}

}  // namespace

int PackPayload(const std::string& payload, const std::string& work, unsigned jobs, std::vector<std::string>& packed) {
    packed.clear();
    std::string error = MakeFolders(work);
    if (!error.empty()) {
        fprintf(stderr, "ovpack: %s\n", error.c_str());
        return 1;
    }
    RemoveArchives(work);
    int status = 0;
    std::vector<std::string> extracted;
    for (const char* name : ExtractedArchives) {
        status |= PackOne(payload, work, name, jobs, packed);
        if (!packed.empty() && packed.back() == name) extracted.push_back(work + "/" + name + ".ovarc");
    }
    for (const char* name : KeptArchives) status |= PackOne(payload, work, name, jobs, packed);
    if (status == 0) status = CheckExtractedCommand(extracted);
    if (status != 0) fprintf(stderr, "ovpack: payload %s cannot make a launcher: see above\n", payload.c_str());
    return status;
}

void RemovePackedPayload(const std::string& work) {
    RemoveArchives(work);
    RemoveFolder(work);
}
