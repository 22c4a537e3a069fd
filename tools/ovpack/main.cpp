// ovpack: makes, lists, verifies and extracts the launcher's resource
// archives.  Exit status: 0 when all held, 1 on any refusal or defect,
// 2 on a usage error.
#include <stdio.h>

#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "Commands.h"
#include "Manifest.h"
#include "archive/ArchiveNames.h"
#include "tools/cli/Arguments.h"

namespace {

const char Usage[] =
    "usage: ovpack create OUT.ovarc DIR [--order FILE] [--jobs N]\n"
    "       ovpack list A.ovarc\n"
    "       ovpack verify A.ovarc\n"
    "       ovpack extract A.ovarc DIR\n"
    "       ovpack check-extracted [A.ovarc ...]\n"
    "       ovpack pack-payload PAYLOAD_DIR WORK_DIR [--jobs N]\n"
    "       ovpack launcher --stub BARE.exe --payload PAYLOAD_DIR -o SETUP.exe\n"
    "                [--execution-level asInvoker|highestAvailable|requireAdministrator]\n"
    "                [--wait-for-next-stage] [--jobs N]\n"
    "       ovpack archive-names [--kept]\n";

int UsageError(const std::string& why) {
    fprintf(stderr, "ovpack: %s\n%s", why.c_str(), Usage);
    return 2;
}

// --jobs N, from 1 to 1024; every core when not given.
unsigned Jobs(Arguments& parsed) {
    unsigned jobs = 0;
    if (!parsed.TakeNumber("--jobs", 1, 1024, jobs)) {
        jobs = std::thread::hardware_concurrency();
        if (jobs == 0) jobs = 1;
    }
    return jobs;
}

int Create(const std::vector<std::string>& args) {
    Arguments parsed(args);
    std::string order;
    parsed.Take("--order", order);
    unsigned jobs = Jobs(parsed);
    const std::vector<std::string>& rest = parsed.Rest();
    if (!parsed.Error().empty()) return UsageError(parsed.Error());
    if (rest.size() != 2) return UsageError("create takes OUT.ovarc and DIR");
    return CreateCommand(rest[0], rest[1], order, jobs);
}

int PackPayload(const std::vector<std::string>& args) {
    Arguments parsed(args);
    unsigned jobs = Jobs(parsed);
    const std::vector<std::string>& rest = parsed.Rest();
    if (!parsed.Error().empty()) return UsageError(parsed.Error());
    if (rest.size() != 2) return UsageError("pack-payload takes PAYLOAD_DIR and WORK_DIR");
    return PackPayloadCommand(rest[0], rest[1], jobs);
}

int Launcher(const std::vector<std::string>& args) {
    Arguments parsed(args);
    std::string stub, payload, out;
    std::string level = DefaultExecutionLevel;
    bool all = parsed.Take("--stub", stub) & parsed.Take("--payload", payload) & parsed.Take("-o", out);
    parsed.Take("--execution-level", level);
    bool wait = parsed.Take("--wait-for-next-stage");
    unsigned jobs = Jobs(parsed);
    bool alone = parsed.Rest().empty();
    if (!parsed.Error().empty()) return UsageError(parsed.Error());
    if (!all || !alone)
        return UsageError(
            "launcher takes --stub, --payload and -o (and --execution-level, --wait-for-next-stage), nothing else");
    // Refused before anything is packed.
    if (!IsExecutionLevel(level))
        return UsageError("--execution-level takes asInvoker, highestAvailable or requireAdministrator, not \"" +
                          level + "\"");
    return LauncherCommand(stub, payload, out, level, wait, jobs);
}

// The archives a launcher extracts, in order (or, with --kept, the ones it
// keeps), on one line, for scripts.
int ArchiveNames(const std::vector<std::string>& args) {
    Arguments parsed(args);
    bool kept = parsed.Take("--kept");
    if (!parsed.Rest().empty() || !parsed.Error().empty()) return UsageError("archive-names takes only --kept");
    const char* separator = "";
    for (const char* name : kept ? std::vector<const char*>(std::begin(KeptArchives), std::end(KeptArchives))
                                 : std::vector<const char*>(std::begin(ExtractedArchives), std::end(ExtractedArchives))) {
        printf("%s%s", separator, name);
        separator = " ";
    }
    printf("\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return UsageError("no command");
    std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h") {
        fputs(Usage, stdout);
        return 0;
    }
    if (command == "create") return Create(args);
    if (command == "check-extracted") return CheckExtractedCommand(args);
    if (command == "pack-payload") return PackPayload(args);
    if (command == "launcher") return Launcher(args);
    if (command == "archive-names") return ArchiveNames(args);
    if (command == "list" || command == "verify") {
        if (args.size() != 1) return UsageError(command + " takes one archive");
        return command == "list" ? ListCommand(args[0]) : VerifyCommand(args[0]);
    }
    if (command == "extract") {
        if (args.size() != 2) return UsageError("extract takes an archive and a folder");
        return ExtractCommand(args[0], args[1]);
    }
    return UsageError("unknown command \"" + command + "\"");
}
