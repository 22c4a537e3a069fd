// A launcher's payload folder: for each archive name, a ready archive
// <NAME>.ovarc (taken as it is), a folder <NAME>/ that is packed (in the
// order of <NAME>.order when present), or nothing (no resource of that
// name).  The archives the launcher extracts must pass the checks of
// CheckExtractedCommand (Commands.h).  make launcher (through
// tools/pack-payload.sh) and ovpack launcher both build payloads here, so
// the same payload is taken or refused the same way.
#ifndef ORVANE_TOOLS_OVPACK_PAYLOAD_H
#define ORVANE_TOOLS_OVPACK_PAYLOAD_H

#include <string>
#include <vector>

// Writes <NAME>.ovarc into work (created when missing; archives left from
// an earlier payload are removed) for every archive the payload has, and
// names them in packed.  Returns the exit status: 0, or 1 after every
// refusal has been printed.
int PackPayload(const std::string& payload, const std::string& work, unsigned jobs, std::vector<std::string>& packed);

// Removes the archives PackPayload may have written into work, and work
// when that leaves it empty.
void RemovePackedPayload(const std::string& work);

#endif
