// Helpers of the native packer tests: a private temporary folder per test,
// files, and running the built ovpack.
#ifndef ORVANE_TESTS_HOST_OVPACK_SUPPORT_H
#define ORVANE_TESTS_HOST_OVPACK_SUPPORT_H

#include <string>
#include <vector>

#include "tests/common/archive_builder.h"

namespace archivetest {

// A folder of its own under /tmp, removed with its contents afterwards.
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
std::string ReadFile(const std::string& path);

// length bytes that alternate, in runs of uneven length, between text that
// compresses well, bytes that do not compress, and zeros; the same for the
// same seed.
std::string MixedContent(size_t length, unsigned seed);

struct Run {
    int status;  // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};
// Runs the packer with args; on a pseudo-terminal when terminal is set (its
// output then arrives in err).
Run RunOvpack(const std::vector<std::string>& args, bool terminal = false);

}  // namespace archivetest

#endif
