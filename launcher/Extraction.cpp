#include "Extraction.h"

#include <windows.h>

#include "launcher/Launcher.h"

const char* const ExtractedArchives[] = {"BASE", "SETUPBASE", "SETUPWEB", "OVIMAGE", "OVVERSION", nullptr};

void ExtractArchives(const QlString&, FolderRegistry&, CleanupScript&) {
    for (const char* const* name = ExtractedArchives; *name != nullptr; ++name) {
        HRSRC resource = FindResourceA(AppInstance, *name, "OVArc");
        if (resource == nullptr) continue;
        // Placeholder: walking the archive and extracting its entries
        // arrives with the archive format.
    }
}
