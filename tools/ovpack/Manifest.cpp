#include "Manifest.h"

#include "ManifestTemplate.h"  // generated: const char ManifestTemplate[]

const char DefaultExecutionLevel[] = "requireAdministrator";

bool IsExecutionLevel(const std::string& level) {
    return level == "asInvoker" || level == "highestAvailable" || level == DefaultExecutionLevel;
}

std::string LauncherManifest(const std::string& level) {
    std::string manifest = ManifestTemplate;
    const std::string placeholder = "@ov_execution_level@";
    return manifest.replace(manifest.find(placeholder), placeholder.size(), level);
}
