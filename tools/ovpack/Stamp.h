// Writing a payload's archives into a copy of the bare launcher, as
// resources of type OVARC in language 0x0407, the type and language the
// build's resource script gives them, and its manifest over the stub's
// (type 24, id 1, language neutral); for a launcher that waits for the next
// stage and exits with its exit code, the resource OVWAIT of type RCDATA,
// language neutral, as the build's resource script gives it.  Portable code
// writes the resources (PeResources.h), so every system writes the same
// bytes.
#ifndef ORVANE_TOOLS_OVPACK_STAMP_H
#define ORVANE_TOOLS_OVPACK_STAMP_H

#include <stdint.h>

#include <string>
#include <utility>
#include <vector>

using NamedArchive = std::pair<std::string, std::vector<uint8_t>>;

// "" when out holds the stub with the archives, the manifest and, with wait,
// the mark; otherwise the message, naming the file, and out is as it was.
// A stub that is no Windows program, holds archives already or is signed is
// refused.
std::string StampLauncher(const std::string& stub, const std::vector<NamedArchive>& archives,
                          const std::string& manifest, bool wait, const std::string& out);

#endif
