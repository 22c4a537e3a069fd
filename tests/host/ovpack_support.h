// Helpers of the packer tests: a private temporary folder per test, files,
// and running the built packer.  The tests run natively against ovpack and
// under Wine against ovpack.exe; ovpack_support_posix.cpp and
// ovpack_support_win32.cpp hold what differs.
#ifndef ORVANE_TESTS_HOST_OVPACK_SUPPORT_H
#define ORVANE_TESTS_HOST_OVPACK_SUPPORT_H

#include <stdint.h>

#include <string>
#include <vector>

#include "tests/common/archive_builder.h"

namespace archivetest {

// A folder of its own in the temporary folder, removed with its contents
// afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string operator/(const std::string& relative) const { return path + "/" + relative; }

private:
    std::string path;
};

// Writes content to path, creating its folders.
void WriteFile(const std::string& path, const std::string& content);
void MakeFolderTree(const std::string& path);
std::string ReadFile(const std::string& path);

// length bytes that alternate, in runs of uneven length, between text that
// compresses well, bytes that do not compress, and zeros; the same for the
// same seed.
std::string MixedContent(size_t length, unsigned seed);

// The names in folder, sorted: what a command left there.
std::vector<std::string> FolderNames(const std::string& folder);

// A small Windows program with the launcher's own resources and no
// archives, built by the cross compiler: it stands in for the bare launcher.
std::string StubProgram();

struct Run {
    int status;  // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};
// Runs the packer with args; on a pseudo-terminal when terminal is set (its
// output then arrives in err; POSIX only, see HasTerminals).
Run RunOvpack(const std::vector<std::string>& args, bool terminal = false);

// What only some systems have; each false where the system has none.
bool HasTerminals();
bool MakeFifo(const std::string& path);
bool MakeLink(const std::string& target, const std::string& path);
// True where names follow Windows rules: no colon or backslash in a name,
// no device names, no two names that differ only in case, paths shorter
// than MAX_PATH; a test cannot make such files there.
bool WindowsNames();
// The bytes of one resource of a program ("#10" for a number), false where
// there is none: the system's loader reads them on Windows, the packer's own
// reader elsewhere.
bool ReadResource(const std::string& program, const char* type, const char* name, std::string& bytes);

// Limits the size of every file this process and the packers it runs
// write (0: no limit), so a write fails as on a full disk; POSIX only.
void LimitFileSize(uint64_t bytes);
void SetFileTimes(const std::string& path, int64_t access, int64_t write);
// Sets or, with null, removes an environment variable.
void SetVariable(const char* name, const char* value);

}  // namespace archivetest

#endif
