// ovpack: makes, lists, verifies and extracts the launcher's resource
// archives.  Exit status: 0 when all held, 1 on any refusal or defect,
// 2 on a usage error.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <thread>
#include <vector>

#include "Commands.h"

namespace {

const char Usage[] =
    "usage: ovpack create OUT.ovarc DIR [--order FILE] [--jobs N]\n"
    "       ovpack list A.ovarc\n"
    "       ovpack verify A.ovarc\n"
    "       ovpack extract A.ovarc DIR\n"
    "       ovpack check-extracted [A.ovarc ...]\n";

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

int Create(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::string order;
    bool ordered = false;
    unsigned jobs = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--order" || arg == "--jobs") {
            if (i + 1 == args.size()) return UsageError(arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "--order") {
                if (ordered || value.empty()) return UsageError("--order takes one file");
                order = value;
                ordered = true;
            } else {
                if (jobs != 0) return UsageError("--jobs given twice");
                jobs = ParseJobs(value.c_str());
                if (jobs == 0) return UsageError("--jobs takes a number from 1 to 1024, not \"" + value + "\"");
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) return UsageError("create takes OUT.ovarc and DIR");
    if (jobs == 0) {
        jobs = std::thread::hardware_concurrency();
        if (jobs == 0) jobs = 1;
    }
    return CreateCommand(positional[0], positional[1], order, jobs);
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
