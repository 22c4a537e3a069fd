// The built packer end to end, on real files in a folder of each test's
// own: round trips, the same bytes whatever the job count, what it
// refuses, and its exit statuses.  The same tests run natively and under
// Wine against ovpack.exe, but for the cases Windows cannot set up.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>

#include "BlockDeflate.h"
#include "archive/ArchiveFormat.h"
#include "ovpack_support.h"

namespace {

using archivetest::ReadFile;
using archivetest::RunOvpack;
using archivetest::TempFolder;
using archivetest::WriteFile;

std::string RandomBytes(size_t length, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(length, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % (seed % 2 ? 256 : 4));  // odd seeds barely compress
    return bytes;
}

std::vector<ArchiveEntry> Entries(const std::string& archive) {
    std::vector<ArchiveEntry> entries;
    ArchiveReader reader(archive.data(), static_cast<uint32_t>(archive.size()));
    EXPECT_TRUE(reader.Open());
    ArchiveEntry entry;
    while (reader.Next(entry)) entries.push_back(entry);
    EXPECT_EQ(nullptr, reader.Error());
    return entries;
}

std::string Name(const ArchiveEntry& entry) { return std::string(entry.name, entry.nameLength); }

// A tree with nested folders, an empty file, names with blanks, and
// contents that do and do not compress.
void MakeTree(const TempFolder& folder) {
    WriteFile(folder / "in/Bootlace.exe", RandomBytes(70000, 3));
    WriteFile(folder / "in/empty.txt", "");
    WriteFile(folder / "in/doc/en/read me.txt", RandomBytes(200000, 4));
    WriteFile(folder / "in/doc/uebersicht.rtf", "text");
    WriteFile(folder / "in/lib/big.dat", RandomBytes(1 << 20, 6));
}

TEST(Ovpack, RoundTripListAndVerify) {
    TempFolder folder;
    MakeTree(folder);
    ASSERT_EQ(0, RunOvpack({"create", folder / "a.ovarc", folder / "in"}).status);
    std::string archive = ReadFile(folder / "a.ovarc");
    std::vector<std::string> names;
    for (const ArchiveEntry& entry : Entries(archive)) names.push_back(Name(entry));
    EXPECT_EQ((std::vector<std::string>{"Bootlace.exe", "doc\\en\\read me.txt", "doc\\uebersicht.rtf", "empty.txt",
                                        "lib\\big.dat"}),
              names);

    archivetest::Run verify = RunOvpack({"verify", folder / "a.ovarc"});
    EXPECT_EQ(0, verify.status) << verify.err;
    archivetest::Run list = RunOvpack({"list", folder / "a.ovarc"});
    EXPECT_EQ(0, list.status);
    EXPECT_NE(std::string::npos, list.out.find("  200000 "));
    EXPECT_NE(std::string::npos, list.out.find("doc\\uebersicht.rtf\n"));
    EXPECT_NE(std::string::npos, list.out.find("5 entries, 1318580 bytes inflated"));

    ASSERT_EQ(0, RunOvpack({"extract", folder / "a.ovarc", folder / "out"}).status);
    for (const char* name : {"Bootlace.exe", "empty.txt", "doc/en/read me.txt", "doc/uebersicht.rtf", "lib/big.dat"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadFile(folder / "in/" + name), ReadFile(folder / "out/" + name));
        struct stat in, out;
        ASSERT_EQ(0, stat((folder / "in/" + name).c_str(), &in));
        ASSERT_EQ(0, stat((folder / "out/" + name).c_str(), &out));
        EXPECT_EQ(in.st_mtime, out.st_mtime);
    }
}

TEST(Ovpack, SameBytesWhateverTheJobCount) {
    TempFolder folder;
    MakeTree(folder);
    for (int i = 0; i < 40; ++i) WriteFile(folder / ("in/many/f" + std::to_string(i)), RandomBytes(3000 * i, i));
    ASSERT_EQ(0, RunOvpack({"create", folder / "1.ovarc", folder / "in", "--jobs", "1"}).status);
    std::string reference = ReadFile(folder / "1.ovarc");
    for (const char* jobs : {"2", "7", ""}) {
        SCOPED_TRACE(jobs);
        std::vector<std::string> args{"create", folder / "n.ovarc", folder / "in"};
        if (*jobs) args.insert(args.end(), {"--jobs", jobs});
        ASSERT_EQ(0, RunOvpack(args).status);
        EXPECT_TRUE(reference == ReadFile(folder / "n.ovarc"));
    }
}

// Large entries are compressed in blocks on several threads: still one
// zlib stream each, the same bytes as the block scheme made in one pass,
// and the same archive for any job count.  Small entries between them and
// an entry of exactly two blocks (whose end only a further read finds)
// share the threads.
TEST(Ovpack, LargeEntriesInBlocksAreOneZlibStreamWhateverTheJobCount) {
    TempFolder folder;
    const std::pair<const char*, std::string> files[] = {
        {"a.txt", "small before"},
        {"big.bin", archivetest::MixedContent(9 * BlockSize + 4321, 11)},
        {"m.txt", "small between"},
        {"two.bin", archivetest::MixedContent(2 * BlockSize, 12)},
        {"z.txt", ""},
    };
    for (const auto& file : files) WriteFile(folder / "in/" + file.first, file.second);
    std::string reference;
    for (const char* jobs : {"1", "2", "7"}) {
        SCOPED_TRACE(jobs);
        std::string out = folder / (std::string(jobs) + ".ovarc");
        ASSERT_EQ(0, RunOvpack({"create", out, folder / "in", "--jobs", jobs}).status);
        if (reference.empty()) reference = ReadFile(out);
        EXPECT_TRUE(reference == ReadFile(out));
    }
    std::vector<ArchiveEntry> entries = Entries(reference);
    ASSERT_EQ(5u, entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string& content = files[i].second;
        SCOPED_TRACE(files[i].first);
        EXPECT_EQ(files[i].first, Name(entries[i]));
        EXPECT_EQ(content.size(), entries[i].inflatedSize);
        std::string stored(reinterpret_cast<const char*>(entries[i].data), entries[i].storedSize);
        EXPECT_EQ("\x78\x9C", stored.substr(0, 2));
        std::string inflated(content.size() + 1, '\0');
        uLongf size = static_cast<uLongf>(inflated.size());
        ASSERT_EQ(Z_OK, uncompress(reinterpret_cast<Bytef*>(&inflated[0]), &size,
                                   reinterpret_cast<const Bytef*>(stored.data()), static_cast<uLong>(stored.size())));
        inflated.resize(size);
        EXPECT_TRUE(content == inflated);
        std::vector<uint8_t> scheme = DeflateInBlocks(reinterpret_cast<const uint8_t*>(content.data()), content.size());
        EXPECT_TRUE(std::string(scheme.begin(), scheme.end()) == stored);
    }
    archivetest::Run verify = RunOvpack({"verify", folder / "7.ovarc"});
    EXPECT_EQ(0, verify.status) << verify.err;
    ASSERT_EQ(0, RunOvpack({"extract", folder / "7.ovarc", folder / "out"}).status);
    for (const auto& file : files) EXPECT_TRUE(file.second == ReadFile(folder / "out/" + file.first)) << file.first;
}

// A file whose content is not what its size said (a /proc file claims 0
// bytes) is found only once it is read, while other threads compress the
// blocks around it: the run stops, naming it, and leaves nothing behind.
// Windows has no such file to pack.
#ifndef _WIN32
TEST(Ovpack, AFileThatChangesWhilePackedStopsTheRun) {
    for (const char* jobs : {"1", "2", "7"}) {
        SCOPED_TRACE(jobs);
        TempFolder folder;
        WriteFile(folder / "in/a.bin", archivetest::MixedContent(5 * BlockSize, 1));
        ASSERT_TRUE(archivetest::MakeLink("/proc/self/status", folder / "in/b.status"));
        WriteFile(folder / "in/c.bin", archivetest::MixedContent(5 * BlockSize, 2));
        WriteFile(folder / "out/a.ovarc", "before");
        archivetest::Run run = RunOvpack({"create", folder / "out/a.ovarc", folder / "in", "--jobs", jobs});
        EXPECT_EQ(1, run.status);
        EXPECT_NE(std::string::npos, run.err.find("in/b.status: changed while it was being packed")) << run.err;
        EXPECT_EQ("before", ReadFile(folder / "out/a.ovarc"));
        EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(folder / "out"),
                                   std::filesystem::directory_iterator()));
    }
}
#endif

TEST(Ovpack, TimesComeFromTheFilesInTheirOrder) {
    TempFolder folder;
    const struct {
        const char* name;
        time_t access, write;
    } files[] = {{"old-access", 1000000000, 1500000000}, {"new-access", 1600000000, 1500000000}};
    for (const auto& file : files) {
        WriteFile(folder / "in/" + file.name, "x");
        archivetest::SetFileTimes(folder / "in/" + file.name, file.access, file.write);
    }
    WriteFile(folder / "order", "old-access\r\n\r\n  \nnew-access\n");
    ASSERT_EQ(0, RunOvpack({"create", folder / "a.ovarc", folder / "in", "--order", folder / "order"}).status);
    std::string archive = ReadFile(folder / "a.ovarc");
    std::vector<ArchiveEntry> entries = Entries(archive);
    ASSERT_EQ(2u, entries.size());
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(files[i].name);
        EXPECT_EQ(files[i].name, Name(entries[i]));
        struct stat now;
        ASSERT_EQ(0, stat((folder / "in/" + files[i].name).c_str(), &now));
        // Creation (birth, else write) not after write, write as it is,
        // access not before write.
        EXPECT_EQ(1500000000u, entries[i].creationTime);
        EXPECT_EQ(1500000000u, entries[i].writeTime);
        EXPECT_EQ(std::max<time_t>(now.st_atime, 1500000000), static_cast<time_t>(entries[i].accessTime));
    }
    // list shows them on both lines: created and written, in UTC.
    std::string times = "%  2017-07-14 02:40:00  2017-07-14 02:40:00  2";
    std::string listed = RunOvpack({"list", folder / "a.ovarc"}).out;
    EXPECT_NE(std::string::npos, listed.find(times, listed.find(times) + 1)) << listed;
}

TEST(Ovpack, RefusesWhatTheFormatCannotHoldOrTheLauncherMustNotMeet) {
    const struct {
        const char* description;
        std::function<void(const TempFolder&)> make;
        const char* expected;
        bool posixOnly = false;  // Windows cannot make such a file (or path)
    } cases[] = {
        {"name over 255 bytes",
         [](const TempFolder& f) { WriteFile(f / "in/" + std::string(200, 'd') + "/" + std::string(60, 'f'), ""); },
         "name of 261 bytes in the archive (at most 255)", true},
        {"same name ignoring case", [](const TempFolder& f) { WriteFile(f / "in/a.txt", ""), WriteFile(f / "in/A.TXT", ""); },
         "in/a.txt: same name as ", true},
        {"file where a folder is needed",
         [](const TempFolder& f) { WriteFile(f / "in/lib", ""), WriteFile(f / "in/LIB/x", ""); },
         "in/lib: names a file where ", true},
        {"colon", [](const TempFolder& f) { WriteFile(f / "in/a:b", ""); }, "in/a:b: unsafe name \"a:b\": drive or colon",
         true},
        {"device name", [](const TempFolder& f) { WriteFile(f / "in/sub/nul.txt", ""); }, "device name", true},
        {"terminal escape in a name", [](const TempFolder& f) { WriteFile(f / "in/a\x1B[2Jb", ""); },
         "in/a\\x1B[2Jb: unsafe name \"a\\x1B[2Jb\": character not allowed in names", true},
        {"terminal escape in a dangling link's name",
         [](const TempFolder& f) { archivetest::MakeLink(f / "gone", f / "in/a\x1B[2Jc"); }, "in/a\\x1B[2Jc: ", true},
        {"device name with a blank", [](const TempFolder& f) { WriteFile(f / "in/lib/NUL .log", ""); },
         "in/lib/NUL .log: unsafe name \"lib\\NUL .log\": device name", true},
        {"name outside ASCII", [](const TempFolder& f) { WriteFile(f / "in/L\xC3\xA9" "ame.rtf", ""); },
         "\" holds characters outside ASCII; only ASCII names mean the same on every system"},
        {"backslash in a name", [](const TempFolder& f) { WriteFile(f / "in/a\\b", ""); }, "backslash in a file name",
         true},
        {"empty folder", [](const TempFolder& f) { archivetest::MakeFolderTree(f / "in/void"); }, "in/void: empty folder"},
        {"no such folder", [](const TempFolder& f) { std::filesystem::remove_all(f / "in"); }, "in: "},
        {"a write that fails, as on a full disk",
         [](const TempFolder& f) { WriteFile(f / "in/a.bin", RandomBytes(200000, 5)), archivetest::LimitFileSize(100000); },
         "a.ovarc.tmp", true},
        {"a read that fails (the process's memory at address 0)",
         [](const TempFolder& f) { archivetest::MakeLink("/proc/self/mem", f / "in/mem"); },
         "in/mem: Input/output error", true},
        {"fifo", [](const TempFolder& f) { archivetest::MakeFifo(f / "in/pipe"); }, "in/pipe: neither a file nor a folder",
         true},
        {"link to a folder", [](const TempFolder& f) { archivetest::MakeLink("/tmp", f / "in/tmp"); },
         "symbolic link to a folder", true},
        {"4 GiB", [](const TempFolder& f) { std::filesystem::resize_file(f / "in/one.dat", 1ULL << 32); },
         "4 GiB or larger"},
        {"unlisted file", [](const TempFolder& f) { WriteFile(f / "order", "one.dat\n"), WriteFile(f / "in/two", ""); },
         "in/two: not listed in "},
        {"unknown in order", [](const TempFolder& f) { WriteFile(f / "order", "one.dat\nthree\n"); },
         "order:2: \"three\" is not a file below "},
        {"listed twice", [](const TempFolder& f) { WriteFile(f / "order", "one.dat\none.dat\n"); },
         "order:2: \"one.dat\" is listed twice"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.description);
        if (test.posixOnly && archivetest::WindowsNames()) continue;
        TempFolder folder;
        WriteFile(folder / "in/one.dat", "1");
        WriteFile(folder / "a.ovarc", "before");
        test.make(folder);
        std::vector<std::string> args{"create", folder / "a.ovarc", folder / "in"};
        if (std::filesystem::exists(folder / "order")) args.insert(args.end(), {"--order", folder / "order"});
        archivetest::Run run = RunOvpack(args);
        archivetest::LimitFileSize(0);
        EXPECT_EQ(1, run.status);
        EXPECT_NE(std::string::npos, run.err.find(test.expected)) << run.err;
        EXPECT_EQ("before", ReadFile(folder / "a.ovarc"));  // left as it was
    }
}

TEST(Ovpack, DamagedArchivesAreReportedAndNotExtracted) {
    TempFolder folder;
    std::string archive = archivetest::BuildArchive({{"ok.txt", "fine"}, {"..\\escape.txt", "evil"}});
    WriteFile(folder / "bad.ovarc", archive);
    WriteFile(folder / "short.ovarc", archive.substr(0, archive.size() - 1));
    archivetest::Run verify = RunOvpack({"verify", folder / "bad.ovarc"});
    EXPECT_EQ(1, verify.status);
    EXPECT_NE(std::string::npos, verify.err.find("bad.ovarc: \"..\\escape.txt\" (entry 1): unsafe name")) << verify.err;
    archivetest::Run extract = RunOvpack({"extract", folder / "bad.ovarc", folder / "out/x"});
    EXPECT_EQ(1, extract.status);
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));  // nothing written, not even the folder
    EXPECT_FALSE(std::filesystem::exists(folder / "escape.txt"));
    archivetest::Run list = RunOvpack({"list", folder / "short.ovarc"});
    EXPECT_EQ(1, list.status);
    EXPECT_NE(std::string::npos, list.out.find("ok.txt"));
    EXPECT_NE(std::string::npos, list.err.find("short.ovarc: record past the end of the archive"));
}

TEST(Ovpack, CheckExtractedWantsDistinctNamesAndTheNextStage) {
    TempFolder folder;
    const std::pair<const char*, std::vector<archivetest::RawEntry>> archives[] = {
        {"base", {{"bootlace.EXE", "1"}, {"lib\\a.dll", "2"}}},
        {"setup", {{"LIB\\A.dll", "3"}}},
        {"nested", {{"tools\\Bootlace.exe", "4"}}},
        {"other", {{"lib\\b.dll", "5"}}},
    };
    for (const auto& archive : archives) WriteFile(folder / archive.first, archivetest::BuildArchive(archive.second));
    WriteFile(folder / "broken", "\x09\0\0\0");
    const struct {
        std::vector<std::string> archives;
        int status;
        const char* expected;
    } cases[] = {
        {{"base", "other"}, 0, ""},
        {{"base", "setup"}, 1, "setup \"LIB\\A.dll\": same name as " },
        {{"nested", "other"}, 1, "none of the archives the launcher extracts holds Bootlace.exe at its top level"},
        {{}, 1, "holds Bootlace.exe"},
        {{"base", "broken"}, 1, "broken: archive shorter than 8 bytes"},
    };
    for (const auto& test : cases) {
        std::vector<std::string> args{"check-extracted"};
        for (const std::string& name : test.archives) args.push_back(folder / name);
        archivetest::Run run = RunOvpack(args);
        SCOPED_TRACE(run.err);
        EXPECT_EQ(test.status, run.status);
        EXPECT_NE(std::string::npos, run.err.find(test.expected));
    }
}

TEST(Ovpack, APayloadWithAnArchiveThatFailsIsRefused) {
    TempFolder folder;
    WriteFile(folder / "payload/BASE/Bootlace.exe", "x");
    archivetest::MakeFolderTree(folder / "payload/SETUPBASE/void");
    WriteFile(folder / "stub.exe", "stub");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"pack-payload", folder / "payload", folder / "work"},
             {"launcher", "--stub", folder / "stub.exe", "--payload", folder / "payload", "-o", folder / "setup.exe"}}) {
        SCOPED_TRACE(args[0]);
        archivetest::Run run = RunOvpack(args);
        EXPECT_EQ(1, run.status);
        EXPECT_NE(std::string::npos, run.err.find("SETUPBASE/void: empty folder")) << run.err;
    }
    // pack-payload writes into the work folder it is given; the launcher
    // leaves nothing of its own, not even the archives it packed.
    EXPECT_EQ((std::vector<std::string>{"payload", "stub.exe", "work"}), archivetest::FolderNames(folder / ""));
}

// A sound payload and a stub: the launcher is the stub with the payload's
// archives as resources, the same bytes each time; a stub that cannot take
// them is refused, naming it, and nothing is left behind.
TEST(Ovpack, LauncherWritesTheStubWithTheArchivesOrNothing) {
    TempFolder folder;
    WriteFile(folder / "payload/BASE/Bootlace.exe", "x");
    WriteFile(folder / "stub.exe", ReadFile(archivetest::StubProgram()));
    ASSERT_EQ(0, RunOvpack({"create", folder / "base.ovarc", folder / "payload/BASE"}).status);
    auto stamp = [&](const std::string& stub, const std::string& out, std::vector<std::string> more = {}) {
        std::vector<std::string> args{"launcher", "--stub", folder / stub, "--payload", folder / "payload", "-o", folder / out};
        args.insert(args.end(), more.begin(), more.end());
        return RunOvpack(args);
    };
    archivetest::Run run = stamp("stub.exe", "setup.exe");
    EXPECT_EQ(0, run.status) << run.err;
    std::string base, mark;
    EXPECT_TRUE(archivetest::ReadResource(folder / "setup.exe", "OVARC", "BASE", base));
    EXPECT_TRUE(ReadFile(folder / "base.ovarc") == base);
    EXPECT_TRUE(archivetest::ReadResource(folder / "setup.exe", "#14", "#101", mark));  // the stub's icon kept
    // Only a launcher asked to wait for the next stage carries the mark.
    EXPECT_FALSE(archivetest::ReadResource(folder / "setup.exe", "#10", "OVWAIT", mark));
    EXPECT_EQ(0, stamp("stub.exe", "waits.exe", {"--wait-for-next-stage"}).status);
    EXPECT_TRUE(archivetest::ReadResource(folder / "waits.exe", "#10", "OVWAIT", mark) && mark == "yes");
    EXPECT_EQ(0, stamp("stub.exe", "again.exe").status);
    EXPECT_TRUE(ReadFile(folder / "again.exe") == ReadFile(folder / "setup.exe"));

    using archivetest::GetU32;
    using archivetest::PutU32;
    std::string signature = ReadFile(folder / "stub.exe"), shared = signature;
    size_t optional = GetU32(signature, 0x3C) + 24, root = 0;
    PutU32(signature, optional + 96 + 8 * 4 + 4, 1);  // a 32-bit image's certificate table, no longer empty
    // Resource directories that all lead to one another: n types, each to
    // one name directory of n entries, each to one empty directory.
    for (size_t header = optional + 224; root == 0; header += 40)
        if (GetU32(shared, header + 12) == GetU32(shared, optional + 96 + 8 * 2)) root = GetU32(shared, header + 20);
    const uint32_t n = 10000, names = 16 + 8 * n, languages = names + 16 + 8 * n;
    for (uint32_t directory : {0u, names}) {
        PutU32(shared, root + directory + 12, n << 16);  // no named entries, n numbered
        for (uint32_t i = 0; i < n; ++i) {
            PutU32(shared, root + directory + 16 + 8 * i, i + 1);
            PutU32(shared, root + directory + 20 + 8 * i, 0x80000000 | (directory == 0 ? names : languages));
        }
    }
    PutU32(shared, root + languages + 12, 0);
    for (const auto& row : std::vector<std::pair<std::string, const char*>>{
             {"MZ, and no more", "not a Windows program"},
             {ReadFile(folder / "setup.exe"), "holds archives already"},
             {signature, "is signed, and its signature would no longer match"},
             {shared, "its resources are damaged"}}) {
        SCOPED_TRACE(row.second);
        WriteFile(folder / "bad.exe", row.first);
        run = stamp("bad.exe", "refused.exe");
        EXPECT_EQ(1, run.status);
        EXPECT_NE(std::string::npos, run.err.find("bad.exe: " + std::string(row.second))) << run.err;
        EXPECT_NE(std::string::npos, run.err.find("refused.exe: not written")) << run.err;
    }
    EXPECT_EQ((std::vector<std::string>{"again.exe", "bad.exe", "base.ovarc", "payload", "setup.exe", "stub.exe",
                                        "waits.exe"}),
              archivetest::FolderNames(folder / ""));  // no temporary file or folder
}

TEST(Ovpack, EachCommandsStatusAndOutputAndTheProgressLine) {
    TempFolder folder;
    WriteFile(folder / "in/a", std::string(BlockSize, 'a'));
    WriteFile(folder / "in/b", std::string(3 * BlockSize, 'b'));
    WriteFile(folder / "good.ovarc", archivetest::BuildArchive({{"Bootlace.exe", "x"}}));
    WriteFile(folder / "payload/BASE/Bootlace.exe", "x");
    WriteFile(folder / "file", "");
    const std::string good = folder / "good.ovarc", missing = folder / "missing.ovarc";
    const struct {
        std::vector<std::string> args;
        int status;
        const char* out;  // what stdout and stderr hold; "" when they must be empty
        const char* err;
    } cases[] = {
        {{"--help"}, 0, "usage: ovpack create OUT.ovarc DIR", ""},
        {{"archive-names"}, 0, "BASE SETUPBASE SETUPWEB OVIMAGE OVVERSION\n", ""},
        {{"archive-names", "--kept"}, 0, "APPBASE WEBBASE WEBIMPORTS WEBUPDATE\n", ""},
        {{"verify", good}, 0, "good.ovarc: ok\n", ""},
        {{"check-extracted", good}, 0, "", ""},
        {{"pack-payload", folder / "payload", folder / "work"}, 0, "", ""},
        {{"list", missing}, 1, "", "missing.ovarc: no such file"},
        {{"verify", missing}, 1, "", "missing.ovarc: no such file"},
        {{"extract", missing, folder / "out"}, 1, "", "missing.ovarc: no such file"},
        {{"extract", good, folder / "file"}, 1, "", "file: exists and is not a folder"},
        {{}, 2, "", "ovpack: no command\nusage:"},
        {{"pack"}, 2, "", "unknown command \"pack\""},
        {{"create", "x"}, 2, "", "create takes OUT.ovarc and DIR"},
        {{"create", "x", "y", "--jobs", "0"}, 2, "", "usage:"}, {{"create", "x", "y", "--jobs", "2x"}, 2, "", "usage:"},
        {{"create", "x", "y", "--jobs", "99999999999999999999"}, 2, "", "usage:"}, {{"create", "x", "y", "--order"}, 2, "", "usage:"},
        {{"create", "x", "y", "--order", ""}, 2, "", "usage:"}, {{"create", "x", "y", "--fast"}, 2, "", "usage:"},
        {{"create", "x", "y", "--order", "a", "--order", "b"}, 2, "", "usage:"},
        {{"list"}, 2, "", "list takes one archive"},
        {{"extract", "a"}, 2, "", "extract takes an archive and a folder"},
        {{"archive-names", "x"}, 2, "", "archive-names takes only --kept"},
        {{"pack-payload", "p"}, 2, "", "pack-payload takes PAYLOAD_DIR and WORK_DIR"},
        {{"launcher", "--stub", "s", "--payload", "p"}, 2, "", "launcher takes --stub, --payload and -o"},
        {{"launcher", "--stub", "s", "--payload", "p", "-o", "o", "x"}, 2, "", "launcher takes --stub"},
        {{"launcher", "--stub", "s", "--payload", "p", "-o", "o", "--execution-level", "root"}, 2, "",
         "--execution-level takes asInvoker, highestAvailable or requireAdministrator, not \"root\""},
    };
    for (const auto& test : cases) {
        archivetest::Run run = RunOvpack(test.args);
        SCOPED_TRACE(testing::PrintToString(test.args));
        EXPECT_EQ(test.status, run.status);
        for (const auto& stream : {std::make_pair(test.out, &run.out), std::make_pair(test.err, &run.err)}) {
            if (*stream.first == '\0') {
                EXPECT_EQ("", *stream.second);
            } else {
                EXPECT_NE(std::string::npos, stream.second->find(stream.first)) << *stream.second;
            }
        }
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
    // Only a terminal gets the progress line; the delay is shortened so a
    // small archive shows it.
    archivetest::SetVariable("OVPACK_PROGRESS_DELAY_MS", "0");
    archivetest::Run piped = RunOvpack({"create", folder / "a.ovarc", folder / "in", "--jobs", "1"});
    EXPECT_EQ(0, piped.status);
    EXPECT_EQ("", piped.err);
    if (archivetest::HasTerminals()) {
        archivetest::Run terminal = RunOvpack({"create", folder / "a.ovarc", folder / "in", "--jobs", "1"}, true);
        EXPECT_EQ(0, terminal.status);
        EXPECT_NE(std::string::npos, terminal.err.find("a.ovarc: 0/2 entries, 0.1 of 0.5 MiB (25%)")) << terminal.err;
    }
    archivetest::SetVariable("OVPACK_PROGRESS_DELAY_MS", nullptr);
}

}  // namespace
