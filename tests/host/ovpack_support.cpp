#include "ovpack_support.h"

#include <fcntl.h>
#include <pty.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace archivetest {

TempFolder::TempFolder() {
    char pattern[] = "/tmp/ovpack-test-XXXXXX";
    path = mkdtemp(pattern);
}

TempFolder::~TempFolder() { std::filesystem::remove_all(path); }

void WriteFile(const std::string& path, const std::string& content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string MixedContent(size_t length, unsigned seed) {
    static const char* const words[] = {"setup ", "archive ", "entry ", "block ", "stream ", "folder ", "\r\n"};
    std::mt19937 random(seed);
    std::string content;
    while (content.size() < length) {
        size_t run = 1000 + random() % 90000;
        switch (random() % 3) {
        case 0:
            while (run > 0 && content.size() < length) {
                const char* word = words[random() % 7];
                content += word;
                run -= std::min(run, strlen(word));
            }
            break;
        case 1:
            for (; run > 0; --run) content += static_cast<char>(random());
            break;
        default:
            content.append(run, '\0');
        }
    }
    content.resize(length);
    return content;
}

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

}  // namespace archivetest
