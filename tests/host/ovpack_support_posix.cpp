// The packer tests' helpers on POSIX systems: ovpack runs by fork and exec.
#include <fcntl.h>
#include <pty.h>
#include <stdlib.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "Files.h"
#include "PeResources.h"
#include "ovpack_support.h"

namespace archivetest {

TempFolder::TempFolder() {
    char pattern[] = "/tmp/ovpack-test-XXXXXX";
    path = mkdtemp(pattern);
}

void MakeFolderTree(const std::string& path) { std::filesystem::create_directories(path); }

std::string StubProgram() { return OV_STUB; }

namespace {

[[noreturn]] void Exec(const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(OVPACK_PATH)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(OVPACK_PATH, argv.data());
    _exit(127);
}

int Status(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

Run RunOvpack(const std::vector<std::string>& args, bool terminal) {
    Run run{-1, "", ""};
    if (terminal) {
        int master;
        pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
        if (pid == 0) Exec(args);
        char buffer[4096];
        ssize_t got;
        // The terminal reports EIO once the child has closed its side.
        while ((got = read(master, buffer, sizeof buffer)) > 0) run.err.append(buffer, static_cast<size_t>(got));
        close(master);
        run.status = Status(pid);
        return run;
    }
    char outName[] = "/tmp/ovpack-out-XXXXXX";
    char errName[] = "/tmp/ovpack-err-XXXXXX";
    int out = mkstemp(outName);
    int err = mkstemp(errName);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(out, 1);
        dup2(err, 2);
        Exec(args);
    }
    close(out);
    close(err);
    run.status = Status(pid);
    run.out = ReadFile(outName);
    run.err = ReadFile(errName);
    unlink(outName);
    unlink(errName);
    return run;
}

bool HasTerminals() { return true; }
bool MakeFifo(const std::string& path) { return mkfifo(path.c_str(), 0666) == 0; }
bool MakeLink(const std::string& target, const std::string& path) { return symlink(target.c_str(), path.c_str()) == 0; }
bool WindowsNames() { return false; }
bool ReadResource(const std::string& program, const char* type, const char* name, std::string& bytes) {
    std::vector<uint8_t> image;
    std::vector<Resource> resources;
    if (!ReadWholeFile(program, image).empty() || !ReadResources(image, resources).empty()) return false;
    auto named = [](const char* text) {
        return text[0] == '#' ? ResourceName::Of(static_cast<uint16_t>(atoi(text + 1))) : ResourceName::Of(text);
    };
    for (const Resource& resource : resources) {
        if (resource.type == named(type) && resource.name == named(name)) {
            bytes.assign(resource.data.begin(), resource.data.end());
            return true;
        }
    }
    return false;
}

void LimitFileSize(uint64_t bytes) {
    // A write past the limit then fails with EFBIG instead of ending the
    // process.
    signal(SIGXFSZ, bytes != 0 ? SIG_IGN : SIG_DFL);
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes != 0 ? static_cast<rlim_t>(bytes) : limit.rlim_max;
    setrlimit(RLIMIT_FSIZE, &limit);
}

void SetFileTimes(const std::string& path, int64_t access, int64_t write) {
    struct timespec times[2] = {{static_cast<time_t>(access), 0}, {static_cast<time_t>(write), 0}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
}

void SetVariable(const char* name, const char* value) {
    if (value != nullptr) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
}

}  // namespace archivetest
