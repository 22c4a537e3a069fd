#include "PayloadPlan.h"

#include "archive/ArchiveNames.h"

namespace {

const uint64_t PlanSeed = 0x4F7276616E650001ull;

struct ArchiveShape {
    const char* name;
    int files;
    std::vector<const char*> folders;  // "" is the archive's top level
};

// Counts as in the product's own payload; folders nested up to three levels.
const ArchiveShape Shapes[] = {
    {ExtractedArchives[0], 8, {"", "system", "system\\fonts", "lang\\en", "lang\\de"}},
    {ExtractedArchives[1], 41,
     {"", "setup", "setup\\res", "setup\\res\\img", "setup\\scripts", "setup\\scripts\\lib", "help", "help\\html",
      "help\\html\\topics"}},
    {ExtractedArchives[2], 17, {"web", "web\\pages", "web\\pages\\css", "web\\js", "web\\js\\vendor"}},
};

const char* const Extensions[3][4] = {
    {".txt", ".ini", ".xml", ".htm"},
    {".js", ".cpp", ".h", ".inf"},
    {".dll", ".cab", ".dat", ".ocx"},
};

// Consonant-vowel pairs, so no stem can spell a device name (CON, COM1...).
std::string MakeStem(BenchRandom& random) {
    static const char consonants[] = "bdfgklmnprstvz";
    static const char vowels[] = "aeiou";
    std::string stem;
    for (int i = 0; i < 2; ++i) {
        stem += consonants[random.Below(sizeof consonants - 1)];
        stem += vowels[random.Below(sizeof vowels - 1)];
    }
    return stem;
}

// Sizes from 1 to about 256 units, spread evenly on a log scale.
uint64_t MakeWeight(BenchRandom& random) {
    return static_cast<uint64_t>(1024 + random.Below(1024)) << random.Below(8);
}

// Gives the kind's share to its files in proportion to their weights; the
// last one takes the rounding remainder, so the share is met exactly.
void Distribute(std::vector<PlannedFile>& files, const std::vector<uint64_t>& weights, ContentKind kind,
                uint64_t share) {
    uint64_t total = 0;
    size_t last = files.size();
    for (size_t i = 0; i < files.size(); ++i) {
        if (files[i].kind != kind || files[i].size != 0) continue;
        total += weights[i];
        last = i;
    }
    if (last == files.size()) return;
    uint64_t given = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        if (files[i].kind != kind || files[i].size != 0 || i == last) continue;
        uint64_t size = share / total * weights[i] + share % total * weights[i] / total;
        files[i].size = size > 0 ? size : 1;
        given += files[i].size;
    }
    files[last].size = share > given ? share - given : 1;
}

}  // namespace

uint64_t BenchRandom::Next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::vector<PlannedFile> PlanPayload(uint64_t totalBytes) {
    BenchRandom random(PlanSeed);
    std::vector<PlannedFile> files;
    std::vector<uint64_t> weights;
    int index = 0;
    for (const ArchiveShape& shape : Shapes) {
        for (int i = 0; i < shape.files; ++i, ++index) {
            PlannedFile file;
            file.archive = shape.name;
            file.kind = static_cast<ContentKind>(index % 3);
            std::string folder = shape.folders[random.Below(static_cast<uint32_t>(shape.folders.size()))];
            file.path = folder.empty() ? "" : folder + "\\";
            file.path += MakeStem(random) + std::to_string(index) +
                         Extensions[index % 3][random.Below(4)];
            file.size = 0;
            file.seed = random.Next();
            files.push_back(file);
            weights.push_back(MakeWeight(random));
        }
    }
    // A disc image stands for OVIMAGE; a version note for OVVERSION.
    uint64_t imageSize = totalBytes / 10 > 0 ? totalBytes / 10 : 1;
    files.push_back({ExtractedArchives[3], "ovimage.bin", ContentKind::Random, imageSize, random.Next()});
    weights.push_back(0);
    files.push_back({ExtractedArchives[4], "version.txt", ContentKind::Text, 0, random.Next()});
    weights.push_back(1024);

    uint64_t randomShare = totalBytes * 4 / 10;
    uint64_t textShare = totalBytes * 3 / 10;
    uint64_t codeShare = totalBytes - randomShare - textShare;
    Distribute(files, weights, ContentKind::Random, randomShare > imageSize ? randomShare - imageSize : 1);
    Distribute(files, weights, ContentKind::Text, textShare);
    Distribute(files, weights, ContentKind::Code, codeShare);
    return files;
}
