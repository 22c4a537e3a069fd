// The block scheme of the packer's compression: whatever the length, one
// zlib stream that plain zlib inflates; one block is exactly what a single
// compress2 call gives (so archives of small files kept their bytes); and
// each block really starts from the content before it.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "BlockDeflate.h"
#include "ovpack_support.h"

namespace {

std::string InBlocks(const std::string& content) {
    std::vector<uint8_t> stream = DeflateInBlocks(reinterpret_cast<const uint8_t*>(content.data()), content.size());
    return std::string(stream.begin(), stream.end());
}

std::string Uncompress(const std::string& stored, size_t length) {
    std::string content(length + 1, '\0');  // one spare byte: a longer result fails
    uLongf size = static_cast<uLongf>(content.size());
    int status = uncompress(reinterpret_cast<Bytef*>(&content[0]), &size, reinterpret_cast<const Bytef*>(stored.data()),
                            static_cast<uLong>(stored.size()));
    EXPECT_EQ(Z_OK, status);
    content.resize(size);
    return content;
}

TEST(BlockDeflate, OneZlibStreamAtEveryLength) {
    const struct {
        const char* description;
        size_t length;
    } cases[] = {
        {"empty", 0},
        {"one byte", 1},
        {"one short of a block", BlockSize - 1},
        {"exactly one block", BlockSize},
        {"one past a block", BlockSize + 1},
        {"exactly three blocks", 3 * BlockSize},
        {"several blocks and a piece", 5 * BlockSize + 12345},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.description);
        std::string content = archivetest::MixedContent(test.length, static_cast<unsigned>(test.length));
        std::string stored = InBlocks(content);
        ASSERT_GE(stored.size(), 6u);
        EXPECT_EQ("\x78\x9C", stored.substr(0, 2));
        EXPECT_TRUE(content == Uncompress(stored, content.size()));
        if (test.length <= BlockSize) {
            EXPECT_TRUE(archivetest::Deflate(content) == stored);
        }
    }
}

TEST(BlockDeflate, EachBlockSeesTheContentBeforeIt) {
    // A random period shorter than the dictionary, repeated over four
    // blocks: the blocks after the first find it in their dictionary, so
    // the whole costs about what one continuous stream does.  Blocks
    // started cold would store the period once per block.
    std::mt19937 random(8);
    std::string period(20000, '\0');
    for (char& c : period) c = static_cast<char>(random());
    std::string content;
    while (content.size() < 4 * BlockSize) content += period;
    std::string stored = InBlocks(content);
    EXPECT_TRUE(content == Uncompress(stored, content.size()));
    EXPECT_LT(stored.size(), archivetest::Deflate(content).size() + 100);
}

TEST(BlockDeflate, SameBytesFromAReusedDeflater) {
    // A worker's deflater makes blocks of any entry in any order; what it
    // made before must not show in the next block.
    std::string content = archivetest::MixedContent(3 * BlockSize, 5);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(content.data());
    BlockDeflater fresh;
    BlockDeflater reused;
    std::vector<uint8_t> expected, actual, other;
    ASSERT_TRUE(fresh.Deflate(bytes + BlockSize - DictionarySize, DictionarySize, bytes + BlockSize, BlockSize, false,
                              expected));
    ASSERT_TRUE(reused.Deflate(nullptr, 0, bytes + 2 * BlockSize, BlockSize, true, other));
    ASSERT_TRUE(reused.Deflate(bytes + BlockSize - DictionarySize, DictionarySize, bytes + BlockSize, BlockSize, false,
                               actual));
    EXPECT_TRUE(expected == actual);
}

}  // namespace
