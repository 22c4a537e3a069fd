#include "Stamp.h"

#include <algorithm>

#include "Files.h"
#include "Names.h"
#include "PeResources.h"

namespace {

const uint16_t German = 0x0407, Neutral = 0, RcData = 10, Manifest = 24;

// Takes out every resource of type and name, whatever its language.
void Remove(std::vector<Resource>& resources, const ResourceName& type, const ResourceName& name) {
    resources.erase(std::remove_if(resources.begin(), resources.end(),
                                   [&](const Resource& r) { return r.type == type && r.name == name; }),
                    resources.end());
}

// In place of every resource of type and name.
void Put(std::vector<Resource>& resources, const ResourceName& type, const ResourceName& name, uint16_t language,
         std::vector<uint8_t> data) {
    Remove(resources, type, name);
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
    for (const NamedArchive& archive : archives)
        Put(resources, archiveType, ResourceName::Of(archive.first), German, archive.second);
    // The manifest and the mark replace the stub's, so the options alone decide.
    Put(resources, ResourceName::Of(Manifest), ResourceName::Of(1), Neutral,
        std::vector<uint8_t>(manifest.begin(), manifest.end()));
    const ResourceName markType = ResourceName::Of(RcData), mark = ResourceName::Of("OVWAIT");
    if (wait)
        Put(resources, markType, mark, Neutral, {'y', 'e', 's'});
    else
        Remove(resources, markType, mark);
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
