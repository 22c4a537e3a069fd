// The launcher's application manifest, for ovpack.exe launcher to write:
// the same bytes make launcher embeds, from the one template
// (resources/launcher.manifest.in, compiled in).
#ifndef ORVANE_TOOLS_OVPACK_MANIFEST_H
#define ORVANE_TOOLS_OVPACK_MANIFEST_H

#include <string>

extern const char DefaultExecutionLevel[];  // requireAdministrator

// Whether level is one Windows knows: asInvoker, highestAvailable or
// requireAdministrator.
bool IsExecutionLevel(const std::string& level);

// The manifest that asks Windows for level.
std::string LauncherManifest(const std::string& level);

#endif
