// ovbench: the Windows side of the benchmark, run under Wine.
//
//   ovbench race [--runs N] [--expect FILES BYTES] ROOT LABEL=PROGRAM...
//       Starts the programs in turn (one warm-up each, then N rounds in
//       the same order), each in a new folder under ROOT with its own
//       TMP, and times program start to the stand-in's start and to the
//       program's exit.  With --expect, the stand-in must have run from a
//       folder under that TMP holding exactly FILES files of BYTES bytes.
//       Also takes the CPU time each program's main thread uses after its
//       stand-in has started.
//   ovbench together [--runs N] [--count K] ROOT PROGRAM
//       Starts K copies of the program at once (default 4), round after
//       round, each copy as race starts a program; times each as race does.
//   ovbench inflate [--runs N] ARCHIVE...
//       Times inflating every entry of the archives from memory to memory.
//   ovbench pump [--runs N] ARCHIVE...
//       Times the launcher's inflate pump on every entry of the archives,
//       from memory into an output stream that keeps nothing.
//   ovbench copy [--runs N] ROOT SOURCE...
//       Times copying the trees SOURCE... into one new folder under ROOT.
//   ovbench write [--runs N] [--piece BYTES] ROOT SOURCE...
//       Reads the trees SOURCE... into memory, then times writing them as
//       new files into one new folder under ROOT, in pieces of BYTES (by
//       default each file in one piece).
//
// Prints "run ..." lines as it goes and "median ..." (and for two or more
// programs "ratio FIRST/OTHER ..." for each other one, the median of the
// per-round ratios; together also "most ..." CPU time) at the end, times
// in milliseconds.  Run folders are made and removed outside the timed
// part.  Exit status 0, 1 when a run fails, 2 on a usage error.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include "InflateFloor.h"
#include "Race.h"
#include "Stats.h"
#include "Tree.h"
#include "WinHarness.h"
#include "WriteFloor.h"
#include "tools/cli/Arguments.h"

namespace {

struct Options {
    int runs = 7;
    int count = 4;
    size_t piece = 0;
    bool expect = false;
    TreeSize expected;
    std::vector<std::string> rest;
};

int Usage() {
    fputs("usage: ovbench race [--runs N] [--expect FILES BYTES] ROOT LABEL=PROGRAM...\n"
          "       ovbench together [--runs N] [--count K] ROOT PROGRAM\n"
          "       ovbench inflate [--runs N] ARCHIVE...\n"
          "       ovbench pump [--runs N] ARCHIVE...\n"
          "       ovbench copy [--runs N] ROOT SOURCE...\n"
          "       ovbench write [--runs N] [--piece BYTES] ROOT SOURCE...\n",
          stderr);
    return 2;
}

int Fail(const std::string& why) {
    fprintf(stderr, "ovbench: %s\n", why.c_str());
    return 1;
}

// false, with the fault told, when the options do not fit.
bool ParseOptions(int argc, char** argv, Options& options) {
    Arguments parsed(argc, argv, 2);
    parsed.TakeNumber("--runs", 1, 1000000, options.runs);
    parsed.TakeNumber("--count", 1, MAXIMUM_WAIT_OBJECTS / 2, options.count);
    parsed.TakeNumber("--piece", 0, UINT32_MAX, options.piece);
    std::string files, bytes;
    if (parsed.Take("--expect", {&files, &bytes})) {
        options.expect = parsed.CheckNumber("--expect FILES", files, 0, UINT64_MAX, options.expected.files) &&
                         parsed.CheckNumber("--expect BYTES", bytes, 0, UINT64_MAX, options.expected.bytes);
    }
    options.rest = parsed.Rest();
    if (!parsed.Error().empty()) fprintf(stderr, "ovbench: %s\n", parsed.Error().c_str());
    return parsed.Error().empty();
}

// A new, empty folder for one run; removed by EndRunFolder.
bool StartRunFolder(const std::string& folder) {
    harness::RemoveTree(folder);
    harness::CreateFolders(folder);
    return harness::FileExists(folder) && harness::ListFolder(folder).empty();
}

bool EndRunFolder(const std::string& folder) {
    harness::RemoveTree(folder);
    return !harness::FileExists(folder);
}

struct Side {
    std::string label;
    std::string program;
    std::vector<double> nextStage, exit, cpuAfter;
};

void Record(Side& side, const RaceResult& result, bool counted) {
    printf("run %s%s next %.1f exit %.1f cpu-after %.1f\n", side.label.c_str(), counted ? "" : " (warm-up)",
           result.nextStageMs, result.exitMs, result.cpuAfterNextStageMs);
    fflush(stdout);
    if (!counted) return;
    side.nextStage.push_back(result.nextStageMs);
    side.exit.push_back(result.exitMs);
    side.cpuAfter.push_back(result.cpuAfterNextStageMs);
}

void PrintMedians(const Side& side) {
    printf("median %s next %.1f exit %.1f cpu-after %.1f\n", side.label.c_str(), Median(side.nextStage),
           Median(side.exit), Median(side.cpuAfter));
}

bool RaceOnce(const Options& options, const std::string& folder, Side& side, bool counted, std::string& error) {
    if (!StartRunFolder(folder)) {
        error = "cannot make " + folder;
        return false;
    }
    RaceResult result;
    bool ok = TimeRun(side.program, "\"" + side.program + "\"", folder, RaceLimits(), result, error);
    if (ok && options.expect) {
        TreeSize found = MeasureTree(result.standInFolder);
        const std::string temp = folder + "tmp\\";
        if (_strnicmp(result.standInFolder.c_str(), temp.c_str(), temp.size()) != 0 || !(found == options.expected)) {
            error = side.label + ": the stand-in ran from " + result.standInFolder + " holding " +
                    std::to_string(found.files) + " files of " + std::to_string(found.bytes) + " bytes";
            ok = false;
        }
    }
    if (!EndRunFolder(folder) && ok) {
        error = "cannot remove " + folder;
        ok = false;
    }
    if (!ok) return false;
    Record(side, result, counted);
    return true;
}

int Race(const Options& options) {
    if (options.rest.size() < 2) return Usage();
    const std::string root = WithBackslash(options.rest[0]);
    std::vector<Side> sides;
    for (size_t i = 1; i < options.rest.size(); ++i) {
        size_t equals = options.rest[i].find('=');
        if (equals == std::string::npos || equals == 0) return Usage();
        sides.push_back({options.rest[i].substr(0, equals), options.rest[i].substr(equals + 1), {}, {}, {}});
    }
    std::string error;
    int run = 0;
    for (int round = -1; round < options.runs; ++round) {
        for (Side& side : sides) {
            if (!RaceOnce(options, root + "run" + std::to_string(run++) + "\\", side, round >= 0, error))
                return Fail(error);
        }
    }
    harness::RemoveTree(root);
    for (const Side& side : sides) PrintMedians(side);
    for (size_t i = 1; i < sides.size(); ++i) {
        printf("ratio %s/%s next %.2f exit %.2f\n", sides[0].label.c_str(), sides[i].label.c_str(),
               MedianRatio(sides[0].nextStage, sides[i].nextStage), MedianRatio(sides[0].exit, sides[i].exit));
    }
    return 0;
}

// Copies of one program started at once compete for the focus: the
// splash of all but one may lose it before its launcher starts the next
// stage.
int Together(const Options& options) {
    if (options.rest.size() != 2) return Usage();
    const std::string root = WithBackslash(options.rest[0]);
    const std::string program = options.rest[1];
    Side side = {"together", program, {}, {}, {}};
    double mostCpuAfter = 0;
    int run = 0;
    for (int round = -1; round < options.runs; ++round) {
        std::vector<std::string> folders;
        for (int i = 0; i < options.count; ++i) {
            folders.push_back(root + "run" + std::to_string(run++) + "\\");
            if (!StartRunFolder(folders.back())) return Fail("cannot make " + folders.back());
        }
        std::vector<RaceResult> results;
        std::string error;
        bool ok = TimeRunsTogether(program, "\"" + program + "\"", folders, RaceLimits(), results, error);
        for (const std::string& folder : folders) {
            if (!EndRunFolder(folder) && ok) {
                error = "cannot remove " + folder;
                ok = false;
            }
        }
        if (!ok) return Fail(error);
        for (const RaceResult& result : results) {
            Record(side, result, round >= 0);
            if (round >= 0 && result.cpuAfterNextStageMs > mostCpuAfter) mostCpuAfter = result.cpuAfterNextStageMs;
        }
    }
    harness::RemoveTree(root);
    PrintMedians(side);
    printf("most together cpu-after %.1f\n", mostCpuAfter);
    return 0;
}

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
}

// Times op on the archives' entries, loaded into memory first, round
// after round; label names it in the output.
int TimeOnEntries(const Options& options, const char* label,
                  bool (InflateFloor::*op)(std::string& error)) {
    if (options.rest.empty()) return Usage();
    InflateFloor floor;
    std::string error;
    if (!floor.Load(options.rest, error)) return Fail(error);
    std::vector<double> times;
    for (int round = -1; round < options.runs; ++round) {
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        if (!(floor.*op)(error)) return Fail(error);
        double ms = MillisecondsSince(start);
        if (round >= 0) times.push_back(ms);
        printf("run %s%s %.1f\n", label, round < 0 ? " (warm-up)" : "", ms);
    }
    printf("median %s %.1f entries %u bytes %llu\n", label, Median(times), static_cast<unsigned>(floor.Entries()),
           floor.InflatedBytes());
    return 0;
}

// Times op, which fills a new folder under root, round after round; the
// folder must then hold exactly expected, and is removed untimed.
int TimeIntoFolders(const Options& options, const std::string& label, const TreeSize& expected,
                    const std::function<bool(const std::string&, std::string&)>& op) {
    const std::string root = WithBackslash(options.rest[0]);
    std::vector<double> times;
    for (int round = -1; round < options.runs; ++round) {
        const std::string target = root + label + std::to_string(round + 1) + "\\";
        if (!StartRunFolder(target)) return Fail("cannot make " + target);
        std::string error;
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        if (!op(target, error)) return Fail(error);
        double ms = MillisecondsSince(start);
        if (!(MeasureTree(target) == expected)) return Fail("the " + label + " in " + target + " is incomplete");
        if (!EndRunFolder(target)) return Fail("cannot remove " + target);
        if (round >= 0) times.push_back(ms);
        printf("run %s%s %.1f\n", label.c_str(), round < 0 ? " (warm-up)" : "", ms);
    }
    harness::RemoveTree(root);
    printf("median %s %.1f files %llu bytes %llu\n", label.c_str(), Median(times), expected.files, expected.bytes);
    return 0;
}

int Copy(const Options& options) {
    if (options.rest.size() < 2) return Usage();
    const std::vector<std::string> sources(options.rest.begin() + 1, options.rest.end());
    TreeSize expected;
    for (const std::string& source : sources) {
        TreeSize size = MeasureTree(source);
        expected.files += size.files;
        expected.bytes += size.bytes;
    }
    return TimeIntoFolders(options, "copy", expected, [&](const std::string& target, std::string& error) {
        for (const std::string& source : sources) {
            if (!CopyTree(source, target, error)) {
                error = "cannot copy " + error;
                return false;
            }
        }
        return true;
    });
}

int Write(const Options& options) {
    if (options.rest.size() < 2) return Usage();
    WriteFloor floor;
    std::string error;
    if (!floor.Load(std::vector<std::string>(options.rest.begin() + 1, options.rest.end()), error)) return Fail(error);
    return TimeIntoFolders(options, "write", floor.Size(), [&](const std::string& target, std::string& error) {
        return floor.WriteAll(target, options.piece, error);
    });
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (argc < 2 || !ParseOptions(argc, argv, options)) return Usage();
    if (strcmp(argv[1], "race") == 0) return Race(options);
    if (strcmp(argv[1], "together") == 0) return Together(options);
    if (strcmp(argv[1], "inflate") == 0) return TimeOnEntries(options, "inflate", &InflateFloor::InflateAll);
    if (strcmp(argv[1], "pump") == 0) return TimeOnEntries(options, "pump", &InflateFloor::PumpAll);
    if (strcmp(argv[1], "copy") == 0) return Copy(options);
    if (strcmp(argv[1], "write") == 0) return Write(options);
    return Usage();
}
