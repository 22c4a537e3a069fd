// ovpack: makes, lists, verifies and extracts the launcher's resource
// archives.  Exit status: 0 when all held, 1 on any refusal or defect,
// 2 on a usage error.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <iterator>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Commands.h"
#include "Manifest.h"
#include "archive/ArchiveNames.h"

namespace {

const char Usage[] =
    "usage: ovpack create OUT.ovarc DIR [--order FILE] [--jobs N]\n"
    "       ovpack list A.ovarc\n"
    "       ovpack verify A.ovarc\n"
    "       ovpack extract A.ovarc DIR\n"
    "       ovpack check-extracted [A.ovarc ...]\n"
    "       ovpack pack-payload PAYLOAD_DIR WORK_DIR [--jobs N]\n"
    "       ovpack launcher --stub BARE.exe --payload PAYLOAD_DIR -o SETUP.exe\n"
    "                [--execution-level asInvoker|highestAvailable|requireAdministrator] [--jobs N]\n"
    "       ovpack archive-names [--kept]\n";

int UsageError(const std::string& why) {
    fprintf(stderr, "ovpack: %s\n%s", why.c_str(), Usage);
    return 2;
}

// A whole decimal number from 1 to 1024, else 0.
unsigned ParseJobs(const char* text) {
    char* end;
    unsigned long value = strtoul(text, &end, 10);
    bool whole = *text >= '0' && *text <= '9' && *end == '\0';
    return whole && value >= 1 && value <= 1024 ? static_cast<unsigned>(value) : 0;
}

// A command's arguments: the values of the options it knows (each given
// once, never empty), --jobs, and the rest in order.
struct Arguments {
    std::map<std::string, std::string> options;
    std::vector<std::string> positional;
    unsigned jobs = 0;  // every core when not given
};

// "" when args fit, else the usage error's text.
std::string Parse(const std::vector<std::string>& args, const std::set<std::string>& known, Arguments& parsed) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--jobs" || known.count(arg) != 0) {
            if (i + 1 == args.size()) return arg + " needs a value";
            const std::string& value = args[++i];
            if (arg == "--jobs") {
                if (parsed.jobs != 0) return "--jobs given twice";
                parsed.jobs = ParseJobs(value.c_str());
                if (parsed.jobs == 0) return "--jobs takes a number from 1 to 1024, not \"" + value + "\"";
            } else if (parsed.options.count(arg) != 0 || value.empty()) {
                return arg + " takes one " + (arg == "--order" ? "file" : "value");
            } else {
                parsed.options[arg] = value;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option " + arg;
        } else {
            parsed.positional.push_back(arg);
        }
    }
    if (parsed.jobs == 0) {
        parsed.jobs = std::thread::hardware_concurrency();
        if (parsed.jobs == 0) parsed.jobs = 1;
    }
    return "";
}

int Create(const std::vector<std::string>& args) {
    Arguments parsed;
    std::string error = Parse(args, {"--order"}, parsed);
    if (!error.empty()) return UsageError(error);
    if (parsed.positional.size() != 2) return UsageError("create takes OUT.ovarc and DIR");
    return CreateCommand(parsed.positional[0], parsed.positional[1], parsed.options["--order"], parsed.jobs);
}

int PackPayload(const std::vector<std::string>& args) {
    Arguments parsed;
    std::string error = Parse(args, {}, parsed);
    if (!error.empty()) return UsageError(error);
    if (parsed.positional.size() != 2) return UsageError("pack-payload takes PAYLOAD_DIR and WORK_DIR");
    return PackPayloadCommand(parsed.positional[0], parsed.positional[1], parsed.jobs);
}

int Launcher(const std::vector<std::string>& args) {
    Arguments parsed;
    std::string error = Parse(args, {"--stub", "--payload", "-o", "--execution-level"}, parsed);
    if (!error.empty()) return UsageError(error);
    std::map<std::string, std::string>& options = parsed.options;
    if (!parsed.positional.empty() || options.size() != 3 + options.count("--execution-level"))
        return UsageError("launcher takes --stub, --payload and -o (and --execution-level), nothing else");
    // Refused before anything is packed.
    std::string level = options.count("--execution-level") ? options["--execution-level"] : DefaultExecutionLevel;
    if (!IsExecutionLevel(level))
        return UsageError("--execution-level takes asInvoker, highestAvailable or requireAdministrator, not \"" +
                          level + "\"");
    return LauncherCommand(options["--stub"], options["--payload"], options["-o"], level, parsed.jobs);
}

// The archives a launcher extracts, in order (or, with --kept, the ones it
// keeps), on one line, for scripts.
int ArchiveNames(const std::vector<std::string>& args) {
    bool kept = args.size() == 1 && args[0] == "--kept";
    if (!args.empty() && !kept) return UsageError("archive-names takes only --kept");
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
