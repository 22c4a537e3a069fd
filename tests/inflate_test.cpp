// The memory input stream and the inflate engine with its pump and filter,
// over zlib streams made here: complete, limited, empty, cut short,
// damaged and followed by other bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stream/QlInflater.h"
#include "stream/QlMemoryInStream.h"
#include "tests/common/archive_builder.h"

namespace {

using archivetest::Deflate;

// Some text that compresses, then bytes that do not: several pieces long.
std::string Content() {
    std::string content;
    for (int i = 0; i < 200; ++i) content += "line " + std::to_string(i) + " of the payload\r\n";
    unsigned int seed = 12345;
    for (int i = 0; i < 3000; ++i) {
        seed = seed * 1103515245u + 12345u;
        content += static_cast<char>(seed >> 24);
    }
    return content;
}

// An output stream that keeps what it gets and the largest single write.
class CollectingOut : public QlOutStream {
public:
    unsigned int Write(const void* buffer, unsigned int count) override {
        bytes.append(static_cast<const char*>(buffer), count);
        if (count > largestWrite) largestWrite = count;
        ++writes;
        return count;
    }
    std::string bytes;
    unsigned int largestWrite = 0;
    int writes = 0;
};

// An input stream over a string (which must outlive it) that records the
// largest read asked for.
class CountingIn : public QlInStream {
public:
    explicit CountingIn(const std::string& bytes) : memory(bytes.data(), static_cast<unsigned int>(bytes.size())) {}
    unsigned int Read(void* buffer, unsigned int count) override {
        if (count > largestRead) largestRead = count;
        return memory.Read(buffer, count);
    }
    QlMemoryInStream memory;
    unsigned int largestRead = 0;
};

struct PumpResult {
    unsigned int returned;
    std::string written;
    bool ended;
};

PumpResult PumpAll(const std::string& stored, unsigned int limit = 0) {
    QlMemoryInStream input(stored.data(), static_cast<unsigned int>(stored.size()));
    CollectingOut output;
    QlInflatePump pump;
    unsigned int returned = pump.Pump(output, input, limit);
    EXPECT_EQ(QlInflater::Idle, pump.GetState());
    return {returned, output.bytes, pump.StreamEnded()};
}

TEST(MemoryInStream, DeliversItsBytesOnceThenNothing) {
    QlMemoryInStream stream("abcde", 5);
    char buffer[8] = {};
    EXPECT_EQ(0u, stream.Read(buffer, 0));
    EXPECT_EQ(3u, stream.Read(buffer, 3));
    EXPECT_EQ(2u, stream.Read(buffer, 3));
    EXPECT_EQ('e', buffer[1]);
    EXPECT_EQ(0u, stream.Read(buffer, 3));
    EXPECT_EQ(0u, stream.Read(buffer, 3));
}

TEST(InflatePump, InflatesWholeLimitedEmptyShortDamagedAndPaddedInput) {
    const std::string content = Content();
    const std::string stored = Deflate(content);
    std::string damaged = stored;
    damaged[damaged.size() / 2] ^= 0x55;
    std::string badCheck = stored;
    badCheck[badCheck.size() - 1] ^= 0x01;

    PumpResult whole = PumpAll(stored);
    EXPECT_EQ(content.size(), whole.returned);
    EXPECT_EQ(content, whole.written);
    EXPECT_TRUE(whole.ended);

    PumpResult limited = PumpAll(stored, 1234);
    EXPECT_EQ(1234u, limited.returned);
    EXPECT_EQ(content.substr(0, 1234), limited.written);
    EXPECT_FALSE(limited.ended);

    PumpResult empty = PumpAll("");
    EXPECT_EQ(0u, empty.returned);
    EXPECT_EQ("", empty.written);
    EXPECT_FALSE(empty.ended);

    // Cut short or damaged: whatever zlib could produce, and no error.
    PumpResult cut = PumpAll(stored.substr(0, stored.size() / 2));
    EXPECT_GT(cut.returned, 0u);
    EXPECT_LT(cut.returned, content.size());
    EXPECT_EQ(content.substr(0, cut.returned), cut.written);
    EXPECT_FALSE(cut.ended);

    PumpResult broken = PumpAll(damaged);
    EXPECT_EQ(broken.returned, broken.written.size());
    EXPECT_FALSE(broken.ended);

    // Every byte arrives, but the check value tells the damage.
    PumpResult unchecked = PumpAll(badCheck);
    EXPECT_EQ(content, unchecked.written);
    EXPECT_FALSE(unchecked.ended);

    PumpResult padded = PumpAll(stored + "trailing bytes of something else");
    EXPECT_EQ(content, padded.written);
    EXPECT_TRUE(padded.ended);
}

TEST(InflatePump, WritesAtMostAHundredAndReadsAtMost113BytesAtATime) {
    const std::string content = Content();
    const std::string stored = Deflate(content);
    CountingIn input(stored);
    CollectingOut output;
    QlInflatePump pump;
    EXPECT_EQ(content.size(), pump.Pump(output, input, 0));
    EXPECT_EQ(100u, output.largestWrite);
    EXPECT_EQ(static_cast<int>((content.size() + 99) / 100), output.writes);
    EXPECT_EQ(113u, input.largestRead);

    // The same pump runs again like the first time.
    const std::string storedAgain = Deflate("second");
    CountingIn again(storedAgain);
    CollectingOut second;
    EXPECT_EQ(6u, pump.Pump(second, again, 0));
    EXPECT_EQ("second", second.bytes);
}

// Output longer than the pump's staging buffer: the pieces run on across
// its fills, and a limit may end anywhere in or after one.
TEST(InflatePump, PiecesRunOnAcrossStagingFillsAndLimitsFallAnywhere) {
    std::string content;
    while (content.size() < 3 * QlInflatePump::StagingSize + 4321) content += Content();
    content.resize(3 * QlInflatePump::StagingSize + 4321);
    const std::string stored = Deflate(content);

    QlMemoryInStream input(stored.data(), static_cast<unsigned int>(stored.size()));
    CollectingOut output;
    QlInflatePump pump;
    EXPECT_EQ(content.size(), pump.Pump(output, input, 0));
    EXPECT_EQ(content, output.bytes);
    EXPECT_EQ(100u, output.largestWrite);
    EXPECT_EQ(static_cast<int>((content.size() + 99) / 100), output.writes);
    EXPECT_TRUE(pump.StreamEnded());

    for (unsigned int limit : {QlInflatePump::StagingSize - 1, QlInflatePump::StagingSize,
                               QlInflatePump::StagingSize + 1, 2 * QlInflatePump::StagingSize + 150}) {
        SCOPED_TRACE(limit);
        PumpResult limited = PumpAll(stored, limit);
        EXPECT_EQ(limit, limited.returned);
        EXPECT_EQ(content.substr(0, limit), limited.written);
        EXPECT_FALSE(limited.ended);
    }
}

TEST(InflateEngine, OperationsInTheWrongStateRaiseByValue) {
    QlInflatePump pump;
    QlMemoryInStream input("", 0);
    char buffer[4];
    auto expectWrongState = [](auto operation) {
        try {
            operation();
            ADD_FAILURE() << "no exception";
        } catch (const QlStreamException& error) {
            EXPECT_EQ(WrongInflateState, error.cause);
            EXPECT_STREQ("Zlib-Fehler", error.text);
        }
    };
    expectWrongState([&] { pump.InflateInto(buffer, 4, input); });
    expectWrongState([&] { pump.EndInflate(); });
    pump.BeginInflate();
    expectWrongState([&] { pump.BeginInflate(); });
    EXPECT_EQ(0u, pump.InflateInto(buffer, 4, input));  // no input: finished
    EXPECT_EQ(QlInflater::Finished, pump.GetState());
    EXPECT_EQ(0u, pump.InflateInto(buffer, 4, input));
    pump.EndInflate();
}

// An output that fails after a while, as a full disk does.
class FailingOut : public QlOutStream {
public:
    unsigned int Write(const void*, unsigned int count) override {
        if (++writes == 3) throw new QlStreamException(WriteFailed);
        return count;
    }
    int writes = 0;
};

TEST(InflateEngine, AnOutputErrorPassesThroughAndLeavesTheEngineRunning) {
    std::string stored = Deflate(Content());
    QlMemoryInStream input(stored.data(), static_cast<unsigned int>(stored.size()));
    FailingOut output;
    QlInflatePump pump;
    try {
        pump.Pump(output, input, 0);
        FAIL() << "no exception";
    } catch (QlStreamException* error) {
        EXPECT_EQ(WriteFailed, error->cause);
        delete error;
    }
    EXPECT_EQ(QlInflater::Inflating, pump.GetState());
    // Destroying it now ends the zlib stream as well.
}

TEST(InflateInStream, ReadsAsTheInflatedContent) {
    const std::string content = Content();
    const std::string stored = Deflate(content);
    QlMemoryInStream source(stored.data(), static_cast<unsigned int>(stored.size()));
    QlInflateInStream filter(source);
    std::string read;
    char buffer[77];
    EXPECT_EQ(0u, filter.Read(buffer, 0));  // asking for nothing does not end the stream
    for (unsigned int n; (n = filter.Read(buffer, sizeof buffer)) != 0;) read.append(buffer, n);
    EXPECT_EQ(content, read);
    EXPECT_TRUE(filter.StreamEnded());
    EXPECT_EQ(0u, filter.Read(buffer, sizeof buffer));
}

}  // namespace
