#include "PeResources.h"

#include <algorithm>

namespace {

const char NotAProgram[] = "not a Windows program (no valid PE headers)";
const char Damaged[] = "its resources are damaged";
const uint32_t Discardable = 0x02000000;  // IMAGE_SCN_MEM_DISCARDABLE
const uint32_t Subdirectory = 0x80000000;
const int ResourceDirectory = 2, SecurityDirectory = 4;

uint16_t Get16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }
uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
    return Get16(b, at) | static_cast<uint32_t>(Get16(b, at + 2)) << 16;
}
void Put16(std::vector<uint8_t>& b, size_t at, uint32_t value) {
    b[at] = static_cast<uint8_t>(value), b[at + 1] = static_cast<uint8_t>(value >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t value) { Put16(b, at, value), Put16(b, at + 2, value >> 16); }

uint64_t Align(uint64_t value, uint32_t alignment) { return (value + alignment - 1) / alignment * alignment; }

struct Section {
    size_t header;
    uint32_t virtualSize, address, rawSize, rawOffset, flags;
    uint64_t Span() const { return std::max(virtualSize, rawSize); }
};

// What of the headers the resources concern.
struct Headers {
    size_t optional, checksum, directories;
    uint32_t directoryCount, sectionAlignment, fileAlignment;
    std::vector<Section> sections;

    uint32_t Directory(std::vector<uint8_t> const& b, int index, bool size = false) const {
        return static_cast<uint32_t>(index) < directoryCount ? Get32(b, directories + 8 * index + (size ? 4 : 0)) : 0;
    }
    // The file offset of rva, where length bytes from it lie in one section's data; else 0.
    size_t Offset(uint64_t rva, uint64_t length) const {
        for (const Section& s : sections) {
            if (rva >= s.address && rva - s.address + length <= s.rawSize) return s.rawOffset + (rva - s.address);
        }
        return 0;
    }
};

bool PowerOfTwo(uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

std::string ReadHeaders(const std::vector<uint8_t>& b, Headers& h) {
    if (b.size() < 0x40 || b[0] != 'M' || b[1] != 'Z') return NotAProgram;
    uint64_t pe = Get32(b, 0x3C);
    if (pe + 24 > b.size() || Get32(b, pe) != 0x4550) return NotAProgram;
    uint16_t count = Get16(b, pe + 6), optionalSize = Get16(b, pe + 20);
    h.optional = pe + 24;
    if (h.optional + optionalSize + 40ULL * count > b.size() || optionalSize < 96) return NotAProgram;
    uint16_t magic = Get16(b, h.optional);
    size_t directories = magic == 0x10B ? 96 : magic == 0x20B ? 112 : 0;
    if (directories == 0 || optionalSize < directories) return NotAProgram;
    h.checksum = h.optional + 64;
    h.directories = h.optional + directories;
    h.directoryCount = std::min<uint32_t>(Get32(b, h.directories - 4), (optionalSize - directories) / 8);
    h.sectionAlignment = Get32(b, h.optional + 32);
    h.fileAlignment = Get32(b, h.optional + 36);
    if (!PowerOfTwo(h.sectionAlignment) || !PowerOfTwo(h.fileAlignment)) return NotAProgram;
    h.sections.clear();
    for (size_t i = 0, at = h.optional + optionalSize; i < count; ++i, at += 40) {
        Section s{at, Get32(b, at + 8), Get32(b, at + 12), Get32(b, at + 16), Get32(b, at + 20), Get32(b, at + 36)};
        if (static_cast<uint64_t>(s.rawOffset) + s.rawSize > b.size()) return NotAProgram;
        h.sections.push_back(s);
    }
    return "";
}

ResourceName ReadName(const std::vector<uint8_t>& b, size_t root, size_t end, uint32_t field, bool& ok) {
    ResourceName name;
    if (!(field & Subdirectory)) {
        ok &= field <= 0xFFFF;
        name.id = static_cast<uint16_t>(field);
        return name;
    }
    size_t at = root + (field & ~Subdirectory);
    if (at + 2 > end || at + 2 + 2ULL * Get16(b, at) > end) {
        ok = false;
        return name;
    }
    for (size_t i = 0; i < Get16(b, at); ++i) name.text += static_cast<char16_t>(Get16(b, at + 2 + 2 * i));
    ok &= !name.text.empty();
    return name;
}

}  // namespace

ResourceName ResourceName::Of(uint16_t id) {
    ResourceName name;
    name.id = id;
    return name;
}

ResourceName ResourceName::Of(const std::string& ascii) {
    ResourceName name;
    name.text.assign(ascii.begin(), ascii.end());
    return name;
}

bool ResourceName::operator<(const ResourceName& other) const {
    if (text.empty() != other.text.empty()) return !text.empty();
    if (text.empty()) return id < other.id;
    auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; };
    auto below = [&](char16_t x, char16_t y) { return upper(x) < upper(y); };
    if (std::lexicographical_compare(text.begin(), text.end(), other.text.begin(), other.text.end(), below))
        return true;
    if (std::lexicographical_compare(other.text.begin(), other.text.end(), text.begin(), text.end(), below))
        return false;
    return text < other.text;
}

std::string ReadResources(const std::vector<uint8_t>& b, std::vector<Resource>& resources) {
    Headers h;
    std::string error = ReadHeaders(b, h);
    if (!error.empty()) return error;
    resources.clear();
    uint32_t rva = h.Directory(b, ResourceDirectory), size = h.Directory(b, ResourceDirectory, true);
    if (size == 0) return "";
    size_t root = h.Offset(rva, size);
    if (root == 0 || size < 16) return Damaged;
    size_t end = root + size;
    // Three levels, type, name and language, each a directory of entries;
    // bounds on the directories visited and the leaves keep entries that
    // share a directory from multiplying without end.
    uint64_t total = 0;
    size_t visited = 0;
    bool ok = true;
    Resource leaf;
    auto walk = [&](auto& self, size_t at, int level) -> void {
        if (!ok || at + 16 > end || ++visited > 65536) return void(ok = false);
        size_t count = Get16(b, at + 12) + Get16(b, at + 14);
        if (at + 16 + 8 * count > end) return void(ok = false);
        for (size_t i = 0; ok && i < count; ++i) {
            uint32_t field = Get32(b, at + 16 + 8 * i), target = Get32(b, at + 20 + 8 * i);
            ResourceName name = ReadName(b, root, end, field, ok);
            if (level == 0) leaf.type = name;
            if (level == 1) leaf.name = name;
            if (level == 2) leaf.language = name.id, ok &= name.text.empty();
            ok &= ((target & Subdirectory) != 0) == (level < 2);
            if (!ok) return;
            if (level < 2) {
                self(self, root + (target & ~Subdirectory), level + 1);
                continue;
            }
            size_t entry = root + target;
            if (entry + 16 > end) return void(ok = false);
            uint32_t dataSize = Get32(b, entry + 4);
            size_t data = h.Offset(Get32(b, entry), dataSize);
            total += dataSize;
            if (data == 0 || resources.size() >= 65536 || total > UINT32_MAX) return void(ok = false);
            leaf.codePage = Get32(b, entry + 8);
            leaf.data.assign(b.begin() + data, b.begin() + data + dataSize);
            resources.push_back(leaf);
        }
    };
    walk(walk, root, 0);
    return ok ? "" : Damaged;
}

namespace {

bool ByKey(const Resource& x, const Resource& y) {
    if (!(x.type == y.type)) return x.type < y.type;
    if (!(x.name == y.name)) return x.name < y.name;
    return x.language < y.language;
}

// The resource section for resources, sorted, at rva: the directories level
// by level, the data entries, the names, then the data, each 8-aligned.
std::vector<uint8_t> ResourceSection(const std::vector<Resource>& resources, uint32_t rva) {
    // The entries of every directory, as ranges of resources that share a
    // type (level 1) or a type and a name (level 2).
    std::vector<std::pair<size_t, size_t>> types, names;
    for (size_t i = 0; i < resources.size(); ++i) {
        if (i == 0 || !(resources[i].type == resources[i - 1].type)) types.push_back({i, i});
        if (i == 0 || !(resources[i].type == resources[i - 1].type) || !(resources[i].name == resources[i - 1].name))
            names.push_back({i, i});
        types.back().second = names.back().second = i + 1;
    }
    size_t directories = 16 * (1 + types.size() + names.size()) + 8 * (types.size() + names.size() + resources.size());
    size_t strings = directories + 16 * resources.size(), end = strings;
    std::vector<size_t> typeText(types.size()), nameText(names.size()), data(resources.size());
    auto text = [&](const ResourceName& name, size_t& at) {
        if (!name.text.empty()) at = end, end += 2 + 2 * name.text.size();
    };
    for (size_t t = 0; t < types.size(); ++t) text(resources[types[t].first].type, typeText[t]);
    for (size_t n = 0; n < names.size(); ++n) text(resources[names[n].first].name, nameText[n]);
    for (size_t i = 0; i < resources.size(); ++i) data[i] = end = Align(end, 8), end += resources[i].data.size();
    std::vector<uint8_t> out(Align(end, 8));

    size_t next = 0;  // where the next directory goes
    // One directory of count entries, whose name fields `name` gives and
    // whose targets `target` gives.
    auto directory = [&](size_t count, auto name, auto target) {
        size_t at = next;
        next += 16 + 8 * count;
        size_t named = 0;
        for (size_t i = 0; i < count; ++i) {
            uint32_t field = name(i);
            named += (field & Subdirectory) != 0;
            Put32(out, at + 16 + 8 * i, field);
            Put32(out, at + 20 + 8 * i, target(i));
        }
        Put16(out, at + 12, static_cast<uint32_t>(named));
        Put16(out, at + 14, static_cast<uint32_t>(count - named));
    };
    auto field = [](const ResourceName& name, size_t textAt) {
        return name.text.empty() ? uint32_t(name.id) : Subdirectory | static_cast<uint32_t>(textAt);
    };
    // Offsets of the type directories, then of the name directories.
    std::vector<size_t> typeAt(types.size()), nameAt(names.size());
    size_t at = 16 + 8 * types.size();
    for (size_t t = 0; t < types.size(); ++t) {
        typeAt[t] = at;
        for (size_t n = 0; n < names.size(); ++n)
            if (names[n].first >= types[t].first && names[n].first < types[t].second) at += 8;
        at += 16;
    }
    for (size_t n = 0; n < names.size(); ++n) nameAt[n] = at, at += 16 + 8 * (names[n].second - names[n].first);

    directory(
        types.size(), [&](size_t t) { return field(resources[types[t].first].type, typeText[t]); },
        [&](size_t t) { return Subdirectory | static_cast<uint32_t>(typeAt[t]); });
    size_t firstName = 0;
    for (size_t t = 0; t < types.size(); ++t) {
        size_t count = 0;
        while (firstName + count < names.size() && names[firstName + count].first < types[t].second) ++count;
        directory(
            count, [&](size_t n) { return field(resources[names[firstName + n].first].name, nameText[firstName + n]); },
            [&](size_t n) { return Subdirectory | static_cast<uint32_t>(nameAt[firstName + n]); });
        firstName += count;
    }
    for (const auto& name : names) {
        directory(
            name.second - name.first, [&](size_t i) { return uint32_t(resources[name.first + i].language); },
            [&](size_t i) { return static_cast<uint32_t>(directories + 16 * (name.first + i)); });
    }
    for (size_t i = 0; i < resources.size(); ++i) {
        size_t entry = directories + 16 * i;
        Put32(out, entry, rva + static_cast<uint32_t>(data[i]));
        Put32(out, entry + 4, static_cast<uint32_t>(resources[i].data.size()));
        Put32(out, entry + 8, resources[i].codePage);
        std::copy(resources[i].data.begin(), resources[i].data.end(), out.begin() + data[i]);
    }
    auto put = [&](const ResourceName& name, size_t textAt) {
        if (name.text.empty()) return;
        Put16(out, textAt, static_cast<uint32_t>(name.text.size()));
        for (size_t i = 0; i < name.text.size(); ++i) Put16(out, textAt + 2 + 2 * i, name.text[i]);
    };
    for (size_t t = 0; t < types.size(); ++t) put(resources[types[t].first].type, typeText[t]);
    for (size_t n = 0; n < names.size(); ++n) put(resources[names[n].first].name, nameText[n]);
    return out;
}

// The image's checksum, as the system computes it: the 16-bit words summed
// with their carries, the checksum's own place as 0, plus the length.
uint32_t Checksum(const std::vector<uint8_t>& b, size_t checksumAt) {
    uint64_t sum = 0;
    for (size_t i = 0; i < b.size(); i += 2) {
        if (i == checksumAt || i == checksumAt + 2) continue;
        sum += b[i] | (i + 1 < b.size() ? b[i + 1] << 8 : 0);
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    return static_cast<uint32_t>(((sum & 0xFFFF) + (sum >> 16)) + b.size());
}

}  // namespace

std::string WriteResources(std::vector<uint8_t>& b, std::vector<Resource> resources) {
    Headers h;
    std::string error = ReadHeaders(b, h);
    if (!error.empty()) return error;
    if (h.Directory(b, SecurityDirectory, true) != 0)
        return "is signed, and its signature would no longer match (give the unsigned bare launcher)";
    uint32_t rva = h.Directory(b, ResourceDirectory);
    auto found = std::find_if(h.sections.begin(), h.sections.end(), [&](const Section& s) { return s.address == rva; });
    if (h.Directory(b, ResourceDirectory, true) == 0 || found == h.sections.end())
        return "has no resource section of its own";
    // The sections after it move: only those the program never reads once
    // loaded (the relocations) may, and in the order of their addresses.
    // Those before it stay, their data before its own.
    size_t r = found - h.sections.begin();
    const Section rsrc = h.sections[r];
    uint64_t end = 0;  // where the sections' data ends in the file
    for (size_t i = 0; i < h.sections.size(); ++i) {
        const Section& s = h.sections[i];
        end = std::max<uint64_t>(end, static_cast<uint64_t>(s.rawOffset) + s.rawSize);
        if (i < r && s.rawSize != 0 && s.rawOffset + s.rawSize > rsrc.rawOffset)
            return "its resource section is not where its sections' data ends";
        if (i > r && (!(s.flags & Discardable) || s.address < h.sections[i - 1].address + h.sections[i - 1].Span() ||
                      s.rawOffset < h.sections[i - 1].rawOffset + h.sections[i - 1].rawSize))
            return "its resource section is followed by sections the program needs";
    }
    std::stable_sort(resources.begin(), resources.end(), ByKey);
    std::vector<uint8_t> section = ResourceSection(resources, rsrc.address);
    uint64_t rawSize = Align(section.size(), h.fileAlignment);
    if (section.size() > 0x7FFFFFFF) return "the resources would pass the 2 GiB a resource section can hold";

    std::vector<uint8_t> out(b.begin(), b.begin() + rsrc.rawOffset);
    out.insert(out.end(), section.begin(), section.end());
    out.resize(rsrc.rawOffset + rawSize);
    Put32(out, rsrc.header + 8, static_cast<uint32_t>(section.size()));
    Put32(out, rsrc.header + 16, static_cast<uint32_t>(rawSize));
    uint64_t address = Align(rsrc.address + section.size(), h.sectionAlignment);
    for (size_t i = r + 1; i < h.sections.size(); ++i) {
        const Section& s = h.sections[i];
        // What points into the section follows it.
        for (uint32_t d = 0; d < h.directoryCount; ++d) {
            uint32_t at = Get32(b, h.directories + 8 * d);
            if (d != SecurityDirectory && at >= s.address && at - s.address < s.Span())
                Put32(out, h.directories + 8 * d, static_cast<uint32_t>(at - s.address + address));
        }
        Put32(out, s.header + 12, static_cast<uint32_t>(address));
        Put32(out, s.header + 20, static_cast<uint32_t>(out.size()));
        out.insert(out.end(), b.begin() + s.rawOffset, b.begin() + s.rawOffset + s.rawSize);
        out.resize(Align(out.size(), h.fileAlignment));
        address = Align(address + s.Span(), h.sectionAlignment);
    }
    if (address > UINT32_MAX || out.size() > UINT32_MAX - (b.size() - end))
        return "the resources would pass the 4 GiB an image can hold";
    out.insert(out.end(), b.begin() + end, b.end());  // what follows the sections, as it was
    Put32(out, h.optional + 56, static_cast<uint32_t>(address));  // SizeOfImage
    Put32(out, h.optional + 8, static_cast<uint32_t>(Get32(out, h.optional + 8) + rawSize - rsrc.rawSize));
    Put32(out, h.directories + 8 * ResourceDirectory + 4, static_cast<uint32_t>(section.size()));
    Put32(out, h.checksum, Checksum(out, h.checksum));
    b.swap(out);
    return "";
}
