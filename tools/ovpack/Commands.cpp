#include "Commands.h"

#include <stdio.h>

#include <algorithm>

#include "Files.h"
#include "Inspect.h"
#include "Manifest.h"
#include "Names.h"
#include "Pack.h"
#include "Payload.h"
#include "Scan.h"
#include "Stamp.h"
#include "archive/ArchiveFormat.h"

namespace {

void Complain(const std::string& message) { fprintf(stderr, "ovpack: %s\n", message.c_str()); }

// The archive's bytes, or nothing after a complaint.
bool Load(const std::string& archive, std::vector<uint8_t>& bytes) {
    std::string error = ReadWholeFile(archive, bytes);
    if (!error.empty()) Complain(error);
    return error.empty();
}

uint32_t SizeOf(const std::vector<uint8_t>& bytes) { return static_cast<uint32_t>(bytes.size()); }

std::string Ratio(uint32_t stored, uint32_t inflated) {
    if (inflated == 0) return "-";
    char text[16];
    snprintf(text, sizeof text, "%.1f%%", 100.0 * stored / inflated);
    return text;
}

// Writes one verified entry to its file below dir.
std::string ExtractOne(const ArchiveEntry& entry, const std::string& dir) {
    std::string relative(entry.name, entry.nameLength);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    std::string path = dir + "/" + relative;
    std::string error = MakeFolders(path.substr(0, path.find_last_of('/')));
    if (!error.empty()) return error;
    OutputFile file;
    std::string writeError = file.Create(path);
    if (!writeError.empty()) return writeError;
    std::string fault = InflateEntry(entry, [&](const uint8_t* data, size_t length) {
        writeError = file.Write(data, length);
        return writeError.empty();
    });
    if (fault.empty() && writeError.empty()) writeError = file.SetTimes(entry.writeTime, entry.accessTime);
    std::string closing = file.Close();
    if (writeError.empty()) writeError = closing;
    if (fault.empty() && writeError.empty()) return "";
    RemoveFile(path);
    return writeError.empty() ? path + ": " + fault : writeError;
}

}  // namespace

int CreateCommand(const std::string& out, const std::string& dir, const std::string& orderFile, unsigned jobs) {
    std::vector<SourceFile> files;
    std::vector<std::string> refusals = CollectSources(dir, orderFile, files);
    for (const std::string& refusal : refusals) Complain(refusal);
    if (!refusals.empty()) {
        Complain(out + ": not written");
        return 1;
    }
    std::string error = PackArchive(files, out, jobs);
    if (!error.empty()) {
        Complain(error);
        Complain(out + ": not written");
        return 1;
    }
    return 0;
}

int ListCommand(const std::string& archive) {
    std::vector<uint8_t> bytes;
    if (!Load(archive, bytes)) return 1;
    ArchiveReader reader(bytes.data(), SizeOf(bytes));
    ArchiveEntry entry;
    uint64_t inflated = 0;
    uint64_t stored = 0;
    if (reader.Open()) {
        printf("%10s %10s %6s  %-19s  %-19s  %-19s  %s\n", "inflated", "stored", "ratio", "created", "written",
               "accessed", "name");
        while (reader.Next(entry)) {
            printf("%10u %10u %6s  %s  %s  %s  %s\n", entry.inflatedSize, entry.storedSize,
                   Ratio(entry.storedSize, entry.inflatedSize).c_str(), UtcText(entry.creationTime).c_str(),
                   UtcText(entry.writeTime).c_str(), UtcText(entry.accessTime).c_str(),
                   PrintableName(entry.name, entry.nameLength).c_str());
            inflated += entry.inflatedSize;
            stored += entry.storedSize;
        }
    }
    if (reader.Error() != nullptr) {
        Complain(archive + ": " + reader.Error());
        return 1;
    }
    printf("%u entries, %llu bytes inflated, %llu stored\n", reader.Count(), static_cast<unsigned long long>(inflated),
           static_cast<unsigned long long>(stored));
    return 0;
}

int VerifyCommand(const std::string& archive) {
    std::vector<uint8_t> bytes;
    if (!Load(archive, bytes)) return 1;
    std::vector<std::string> defects = VerifyArchive(bytes.data(), SizeOf(bytes));
    for (const std::string& defect : defects) Complain(archive + ": " + defect);
    if (!defects.empty()) return 1;
    printf("%s: ok\n", archive.c_str());
    return 0;
}

int ExtractCommand(const std::string& archive, const std::string& dir) {
    std::vector<uint8_t> bytes;
    if (!Load(archive, bytes)) return 1;
    std::vector<std::string> defects = VerifyArchive(bytes.data(), SizeOf(bytes));
    for (const std::string& defect : defects) Complain(archive + ": " + defect);
    if (!defects.empty()) {
        Complain(archive + ": refused, nothing extracted");
        return 1;
    }
    std::string error = MakeFolders(dir);
    ArchiveReader reader(bytes.data(), SizeOf(bytes));
    reader.Open();
    ArchiveEntry entry;
    while (error.empty() && reader.Next(entry)) error = ExtractOne(entry, dir);
    if (!error.empty()) {
        Complain(error);
        return 1;
    }
    return 0;
}

int CheckExtractedCommand(const std::vector<std::string>& archives) {
    NameClash names;
    bool nextStage = false;
    int status = 0;
    for (const std::string& archive : archives) {
        std::vector<uint8_t> bytes;
        if (!Load(archive, bytes)) {
            status = 1;
            continue;
        }
        ArchiveReader reader(bytes.data(), SizeOf(bytes));
        ArchiveEntry entry;
        if (reader.Open()) {
            while (reader.Next(entry)) {
                std::string name(entry.name, entry.nameLength);
                std::string label = archive + " \"" + PrintableName(entry.name, entry.nameLength) + "\"";
                if (FoldCase(name) == "BOOTLACE.EXE") nextStage = true;
                std::string clash = names.Add(name, label);
                if (clash.empty()) continue;
                Complain(label + ": " + clash + " (extracted into one folder, they would collide)");
                status = 1;
            }
        }
        if (reader.Error() != nullptr) {
            Complain(archive + ": " + reader.Error());
            status = 1;
        }
    }
    if (!nextStage) {
        Complain("none of the archives the launcher extracts holds Bootlace.exe at its top level: "
                 "the launcher would have no next stage to start");
        status = 1;
    }
    return status;
}

int PackPayloadCommand(const std::string& payload, const std::string& work, unsigned jobs) {
    std::vector<std::string> packed;
    return PackPayload(payload, work, jobs, packed);
}

int LauncherCommand(const std::string& stub, const std::string& payload, const std::string& out,
                    const std::string& level, bool wait, unsigned jobs) {
    std::string work = out + TemporarySuffix() + ".payload";
    std::vector<std::string> packed;
    int status = PackPayload(payload, work, jobs, packed);
    std::vector<NamedArchive> archives;
    std::string error;
    for (const std::string& name : packed) {
        archives.emplace_back(name, std::vector<uint8_t>());
        if (error.empty()) error = ReadWholeFile(work + "/" + name + ".ovarc", archives.back().second);
    }
    RemovePackedPayload(work);
    if (status == 0 && error.empty()) error = StampLauncher(stub, archives, LauncherManifest(level), wait, out);
    if (!error.empty()) Complain(error);
    if (status != 0 || !error.empty()) {
        Complain(out + ": not written");
        return 1;
    }
    return 0;
}
