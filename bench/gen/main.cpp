// ovbenchgen: the host side of the benchmark.
//
//   ovbenchgen payload DIR BYTES STANDIN   writes a payload folder for
//       `make launcher` (one sub-folder per extracted archive) with about
//       BYTES of generated files and STANDIN as SETUPBASE\Bootlace.exe;
//       BYTES 0 gives the stand-in alone.  Prints "files N bytes B".
//   ovbenchgen pe-sizes EXE                prints "file F resources R code C"
//       (C = F - R: the executable without its resource section).
//
// Exit status 0, 1 on a failure (said on stderr), 2 on a usage error.
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <filesystem>
#include <string>

#include "Content.h"
#include "PayloadPlan.h"
#include "PeSizes.h"
#include "tools/cli/Arguments.h"

namespace {

namespace fs = std::filesystem;

bool ReadWhole(const std::string& path, std::string& bytes) {
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    char buffer[65536];
    size_t done;
    while ((done = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, done);
    bool ok = !ferror(file);
    fclose(file);
    return ok;
}

bool WriteWhole(const fs::path& path, const std::string& bytes) {
    std::error_code ignored;
    fs::create_directories(path.parent_path(), ignored);
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

int Fail(const std::string& what) {
    fprintf(stderr, "ovbenchgen: %s: %s\n", what.c_str(), errno != 0 ? strerror(errno) : "failed");
    return 1;
}

int Payload(const fs::path& dir, uint64_t totalBytes, const std::string& standIn) {
    std::error_code error;
    if (fs::exists(dir, error) && !fs::is_empty(dir, error)) {
        fprintf(stderr, "ovbenchgen: %s is not empty\n", dir.c_str());
        return 1;
    }
    std::string standInBytes;
    if (!ReadWhole(standIn, standInBytes)) return Fail(standIn);
    uint64_t files = 1, bytes = standInBytes.size();
    if (!WriteWhole(dir / "SETUPBASE" / "Bootlace.exe", standInBytes)) return Fail("Bootlace.exe");
    if (totalBytes > 0) {
        for (const PlannedFile& planned : PlanPayload(totalBytes)) {
            std::string relative = planned.path;
            for (char& c : relative) c = c == '\\' ? '/' : c;
            if (!WriteWhole(dir / planned.archive / relative, MakeContent(planned.kind, planned.size, planned.seed)))
                return Fail(planned.archive + "\\" + planned.path);
            ++files;
            bytes += planned.size;
        }
    }
    printf("files %llu bytes %llu\n", static_cast<unsigned long long>(files), static_cast<unsigned long long>(bytes));
    return 0;
}

int Sizes(const std::string& exe) {
    std::string bytes, why;
    if (!ReadWhole(exe, bytes)) return Fail(exe);
    PeSizes sizes;
    if (!ReadPeSizes(bytes, sizes, why)) {
        fprintf(stderr, "ovbenchgen: %s: %s\n", exe.c_str(), why.c_str());
        return 1;
    }
    printf("file %llu resources %llu code %llu\n", static_cast<unsigned long long>(sizes.file),
           static_cast<unsigned long long>(sizes.resources),
           static_cast<unsigned long long>(sizes.WithoutResources()));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    uint64_t total;
    if (argc == 5 && strcmp(argv[1], "payload") == 0 && Arguments::Number(argv[3], 0, UINT64_MAX, total))
        return Payload(argv[2], total, argv[4]);
    if (argc == 3 && strcmp(argv[1], "pe-sizes") == 0) return Sizes(argv[2]);
    fputs("usage: ovbenchgen payload DIR BYTES STANDIN\n"
          "       ovbenchgen pe-sizes EXE\n",
          stderr);
    return 2;
}
