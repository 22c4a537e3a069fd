#include "Commands.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>

#include "Files.h"
#include "Inspect.h"
#include "Names.h"
#include "Pack.h"
#include "Scan.h"
#include "archive/ArchiveFormat.h"

namespace {

void Complain(const std::string& message) { fprintf(stderr, "ovpack: %s\n", message.c_str()); }

// The archive's bytes, or nothing after a complaint.
bool Load(const std::string& archive, std::vector<uint8_t>& bytes) {
    std::string error = ReadArchiveFile(archive, bytes);
    if (!error.empty()) Complain(error);
    return error.empty();
}

uint32_t SizeOf(const std::vector<uint8_t>& bytes) { return static_cast<uint32_t>(bytes.size()); }

std::string FormatTime(uint32_t seconds) {
    time_t value = static_cast<time_t>(seconds);
    struct tm parts;
    char text[32];
    gmtime_r(&value, &parts);
    strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

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
    // Not through a link someone left in the target folder.
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return SystemError(path);
    std::string writeError;
    std::string fault = InflateEntry(entry, [&](const uint8_t* data, size_t length) {
        if (WriteAll(fd, data, length)) return true;
        writeError = SystemError(path);
        return false;
    });
    struct timespec times[2] = {{static_cast<time_t>(entry.accessTime), 0}, {static_cast<time_t>(entry.writeTime), 0}};
    if (fault.empty() && futimens(fd, times) != 0) writeError = SystemError(path);
    if (close(fd) != 0 && writeError.empty()) writeError = SystemError(path);
    if (fault.empty() && writeError.empty()) return "";
    unlink(path.c_str());
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
                   Ratio(entry.storedSize, entry.inflatedSize).c_str(), FormatTime(entry.creationTime).c_str(),
                   FormatTime(entry.writeTime).c_str(), FormatTime(entry.accessTime).c_str(),
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
