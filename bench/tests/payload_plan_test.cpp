// The generated payload: its shape at both benchmark sizes, names the
// launcher and the packer accept, exact sizes, repeatable content, and
// content that compresses as the kind it stands for.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>

#include "Content.h"
#include "PayloadPlan.h"
#include "archive/ArchiveFormat.h"
#include "archive/ArchiveNames.h"

namespace {

const uint64_t FiveMegabytes = 5ull << 20;
const uint64_t FiftyMegabytes = 50ull << 20;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

double CompressedShare(const std::string& content) {
    uLongf size = compressBound(content.size());
    std::string packed(size, '\0');
    EXPECT_EQ(Z_OK, compress2(reinterpret_cast<Bytef*>(&packed[0]), &size,
                              reinterpret_cast<const Bytef*>(content.data()), content.size(), Z_DEFAULT_COMPRESSION));
    return static_cast<double>(size) / content.size();
}

TEST(PayloadPlan, HasTheShapeOfTheProductsPayloadAtBothSizes) {
    for (uint64_t total : {FiveMegabytes, FiftyMegabytes}) {
        SCOPED_TRACE(total);
        std::vector<PlannedFile> plan = PlanPayload(total);
        std::map<std::string, int> perArchive;
        std::set<std::string> names{"bootlace.exe"};
        std::set<std::string> folders;
        uint64_t bytes = 0;
        for (const PlannedFile& file : plan) {
            ++perArchive[file.archive];
            bytes += file.size;
            EXPECT_GT(file.size, 0u) << file.path;
            // One extraction folder takes all five archives: no name twice,
            // whatever its case, and every name one the launcher accepts.
            EXPECT_TRUE(names.insert(Lower(file.path)).second) << file.path;
            EXPECT_EQ(nullptr, CheckEntryName(file.path.data(), static_cast<uint32_t>(file.path.size())))
                << file.path;
            size_t cut = file.path.rfind('\\');
            if (cut != std::string::npos) folders.insert(file.path.substr(0, cut));
        }
        // Every archive the launcher extracts holds files, and nothing else does.
        for (const char* archive : ExtractedArchives) EXPECT_GT(perArchive[archive], 0) << archive;
        EXPECT_EQ(std::size(ExtractedArchives), perArchive.size());
        EXPECT_EQ(total, bytes);
        EXPECT_TRUE(std::any_of(folders.begin(), folders.end(),
                                [](const std::string& f) { return std::count(f.begin(), f.end(), '\\') >= 2; }));
    }
}

TEST(PayloadPlan, KeepsItsNamesAcrossSizesAndGivesTinyTotalsOneBytePerFile) {
    std::vector<PlannedFile> small = PlanPayload(FiveMegabytes), large = PlanPayload(FiftyMegabytes);
    for (size_t i = 0; i < small.size(); ++i) {
        EXPECT_EQ(small[i].archive + small[i].path, large[i].archive + large[i].path);
        EXPECT_EQ(small[i].seed, large[i].seed);
    }
    for (const PlannedFile& file : PlanPayload(10)) EXPECT_GE(file.size, 1u) << file.path;
}

TEST(Content, HasExactlyTheAskedSizeAndDependsOnlyOnItsSeed) {
    for (ContentKind kind : {ContentKind::Text, ContentKind::Code, ContentKind::Random}) {
        for (uint64_t size : {0, 1, 7, 8, 9, 77, 65537}) {
            SCOPED_TRACE(size);
            std::string content = MakeContent(kind, size, 42);
            EXPECT_EQ(size, content.size());
            EXPECT_EQ(content, MakeContent(kind, size, 42));
        }
        EXPECT_NE(MakeContent(kind, 4096, 1), MakeContent(kind, 4096, 2));
        // A longer file begins as the shorter one of the same seed.
        EXPECT_EQ(MakeContent(kind, 1000, 5), MakeContent(kind, 100000, 5).substr(0, 1000));
    }
}

TEST(Content, CompressesAsTheKindOfFileItStandsFor) {
    struct Band {
        ContentKind kind;
        double lowest, highest;  // zlib's output as a share of the input
    };
    const Band bands[] = {
        {ContentKind::Text, 0.25, 0.50},   // prose: a third or so
        {ContentKind::Code, 0.10, 0.35},   // sources: repetitive
        {ContentKind::Random, 0.99, 1.01}, // already compressed data, images
    };
    for (const Band& band : bands) {
        double share = CompressedShare(MakeContent(band.kind, 1 << 20, 7));
        EXPECT_GE(share, band.lowest) << static_cast<int>(band.kind);
        EXPECT_LE(share, band.highest) << static_cast<int>(band.kind);
    }
    // And so does the whole payload: about half its size.
    std::string all;
    for (const PlannedFile& file : PlanPayload(2 << 20)) all += MakeContent(file.kind, file.size, file.seed);
    double share = CompressedShare(all);
    EXPECT_GT(share, 0.4);
    EXPECT_LT(share, 0.7);
}

}  // namespace
