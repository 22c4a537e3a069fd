// The resources of a Windows program (a PE image, 32- or 64-bit), read from
// its bytes and written back into them by portable code, so that every
// system writes a launcher to the same bytes: the resource section is
// rebuilt whole, the sections after it move with it, and the headers and
// the checksum follow.  Failures come back as a message without the file's
// name; nothing here prints.
#ifndef ORVANE_TOOLS_OVPACK_PERESOURCES_H
#define ORVANE_TOOLS_OVPACK_PERESOURCES_H

#include <stdint.h>

#include <string>
#include <vector>

// A resource type or name: a number, or (text not empty) a name.
struct ResourceName {
    std::u16string text;
    uint16_t id = 0;

    static ResourceName Of(uint16_t id);
    static ResourceName Of(const std::string& ascii);
    bool operator==(const ResourceName& other) const { return text == other.text && id == other.id; }
    // As the system's loader searches: names (case aside) before numbers.
    bool operator<(const ResourceName& other) const;
};

struct Resource {
    ResourceName type, name;
    uint16_t language = 0;
    uint32_t codePage = 0;
    std::vector<uint8_t> data;
};

// "" with the image's resources in resources; otherwise why they cannot be read.
std::string ReadResources(const std::vector<uint8_t>& image, std::vector<Resource>& resources);

// "" with image holding exactly resources; otherwise why, and image as it
// was.  The image must have a resource section that only sections the
// program does not need once loaded (relocations) follow, and no signature.
std::string WriteResources(std::vector<uint8_t>& image, std::vector<Resource> resources);

#endif
