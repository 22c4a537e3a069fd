// Launchers carrying archives made by the tests themselves
// (tests/common/archive_builder.h): the archives are written into a copy of
// a launcher executable as OVArc resources, as the payload build embeds them.
#ifndef ORVANE_TESTS_HARNESS_TESTARCHIVE_H
#define ORVANE_TESTS_HARNESS_TESTARCHIVE_H

#include <map>
#include <string>

#include "tests/common/archive_builder.h"

namespace harness {

// Copies launcher to path and replaces its archives by these (name to
// bytes), in language 1031 like the build's, and marks it as a launcher that
// waits for the next stage when wait is set, as the build does; false when
// the system refuses.
bool MakeLauncher(const std::string& launcher, const std::string& path,
                  const std::map<std::string, std::string>& archives, bool wait = false);

}  // namespace harness

#endif
