#include "Stamp.h"

#include <algorithm>

#include "Files.h"
#include "Names.h"
#include "PeResources.h"

namespace {

const uint16_t German = 0x0407, Neutral = 0, RcData = 10, Manifest = 24;

void Put(std::vector<Resource>& resources, ResourceName type, ResourceName name, uint16_t language,
         std::vector<uint8_t> data) {
    Resource resource;
    resource.type = type, resource.name = name, resource.language = language, resource.data = std::move(data);
    resources.push_back(std::move(resource));
}

}  // namespace

std::string StampLauncher(const std::string& stub, const std::vector<NamedArchive>& archives,
                          const std::string& manifest, bool wait, const std::string& out) {
    std::vector<uint8_t> image;
    std::string error = ReadWholeFile(stub, image);
    if (!error.empty()) return error;
    std::vector<Resource> resources;
    error = ReadResources(image, resources);
    const ResourceName archiveType = ResourceName::Of("OVARC");
    for (const Resource& resource : resources) {
        if (error.empty() && resource.type == archiveType)
            error = "holds archives already (give the bare launcher, ZAZezorBare.exe)";
    }
    // The manifest replaces the stub's, whatever its language.
    resources.erase(std::remove_if(resources.begin(), resources.end(),
                                   [](const Resource& r) { return r.type == ResourceName::Of(Manifest); }),
                    resources.end());
    for (const NamedArchive& archive : archives) Put(resources, archiveType, ResourceName::Of(archive.first), German, archive.second);
    Put(resources, ResourceName::Of(Manifest), ResourceName::Of(1), Neutral,
        std::vector<uint8_t>(manifest.begin(), manifest.end()));
    if (wait) Put(resources, ResourceName::Of(RcData), ResourceName::Of("OVWAIT"), Neutral, {'y', 'e', 's'});
    if (error.empty()) error = WriteResources(image, std::move(resources));
    if (!error.empty()) return PrintableName(stub) + ": " + error;

    // Written beside out and renamed into place: out appears whole or not at all.
    std::string temporary = out + TemporarySuffix();
    OutputFile file;
    error = file.Create(temporary);
    if (error.empty()) error = file.Write(image.data(), image.size());
    std::string closing = file.Close();
    if (error.empty()) error = closing;
    if (error.empty()) error = RenameOver(temporary, out);
    if (!error.empty()) RemoveFile(temporary);
    return error;
}
