#include "Stamp.h"

std::string StampLauncher(const std::string&, const std::vector<NamedArchive>&, const std::string&, bool,
                          const std::string&) {
    return "launcher: only ovpack.exe on Windows writes resources into a launcher; here use "
           "make launcher PAYLOAD=<dir> OUT=<file.exe>";
}
