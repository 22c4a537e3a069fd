#include "Race.h"

#include <stdlib.h>
#include <string.h>

#include <memory>
#include <vector>

#include "WinHarness.h"

namespace {

// Closes a kernel handle exactly once; null is "none".
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle = nullptr) : handle(handle) {}
    ~OwnedHandle() { Reset(nullptr); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE Get() const { return handle; }
    void Reset(HANDLE other) {
        if (handle != nullptr) CloseHandle(handle);
        handle = other;
    }

private:
    HANDLE handle;
};

LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Milliseconds(LONGLONG ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return ticks * 1000.0 / frequency.QuadPart;
}

bool Overridden(const char* variable) {
    static const char* const names[] = {"TMP=", "TEMP=", "OV_BENCH_RECORD=", "OV_BENCH_EVENT="};
    for (const char* name : names) {
        if (_strnicmp(variable, name, strlen(name)) == 0) return true;
    }
    return false;
}

// The caller's environment with the run's own four variables.
std::vector<char> MakeEnvironment(const std::string& folder, const std::string& eventName) {
    std::vector<char> block;
    char* strings = GetEnvironmentStringsA();
    for (const char* variable = strings; *variable != '\0'; variable += strlen(variable) + 1) {
        if (!Overridden(variable)) block.insert(block.end(), variable, variable + strlen(variable) + 1);
    }
    FreeEnvironmentStringsA(strings);
    const std::string own[] = {"TMP=" + folder + "tmp", "TEMP=" + folder + "tmp",
                               "OV_BENCH_RECORD=" + folder + "record.txt", "OV_BENCH_EVENT=" + eventName};
    for (const std::string& variable : own) {
        block.insert(block.end(), variable.c_str(), variable.c_str() + variable.size() + 1);
    }
    block.push_back('\0');
    return block;
}

std::string Number(unsigned long value) {
    char text[16];
    _ultoa(value, text, 10);
    return text;
}

// "<counter> <process id>\r\n<own path>\r\n", as the stand-in writes it.
bool ParseRecord(const std::string& record, LONGLONG& counter, DWORD& processId, std::string& path) {
    char* end;
    counter = static_cast<LONGLONG>(strtoull(record.c_str(), &end, 10));
    if (*end != ' ') return false;
    processId = strtoul(end + 1, &end, 10);
    if (end[0] != '\r' || end[1] != '\n') return false;
    size_t from = end + 2 - record.c_str();
    size_t to = record.find("\r\n", from);
    if (to == std::string::npos || to == from) return false;
    path = record.substr(from, to - from);
    return true;
}

double ThreadCpuMs(HANDLE thread) {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(thread, &created, &exited, &kernel, &user)) return 0;
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return (k.QuadPart + u.QuadPart) / 10000.0;  // 100 ns units
}

// One started program and what has been seen of it.
struct Run {
    std::string folder;
    OwnedHandle event, process, thread;
    LONGLONG startTicks = 0, exitTicks = 0;
    bool exited = false, started = false;
    double cpuAtNextStageMs = 0, cpuAtExitMs = 0;
};

// Starts commandLine in run.folder with the run's own TMP, TEMP and record.
bool StartRun(const std::string& app, const std::string& commandLine, Run& run, std::string& error) {
    static LONG runs = 0;
    std::string eventName = "OvBench-" + Number(GetCurrentProcessId()) + "-" + Number(InterlockedIncrement(&runs));
    run.event.Reset(CreateEventA(nullptr, TRUE, FALSE, eventName.c_str()));
    if (run.event.Get() == nullptr || !CreateDirectoryA((run.folder + "tmp").c_str(), nullptr)) {
        error = "cannot prepare the run in " + run.folder;
        return false;
    }
    std::vector<char> environment = MakeEnvironment(run.folder, eventName);
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};

    run.startTicks = Now();
    if (!CreateProcessA(app.c_str(), line.data(), nullptr, nullptr, FALSE, 0, environment.data(), run.folder.c_str(),
                        &startup, &started)) {
        error = "cannot start " + app + " (error " + Number(GetLastError()) + ")";
        return false;
    }
    run.process.Reset(started.hProcess);
    run.thread.Reset(started.hThread);
    return true;
}

// Waits for every program's exit and every stand-in's event, as they come;
// a program's exit time is taken as soon as it is seen to end, and its
// main thread's CPU time when its stand-in is seen to start and when it
// ends.  A program that fails ends the wait at once: no stand-in is coming
// then.
bool WaitForRuns(const std::vector<Run*>& runs, const RaceLimits& limits, std::string& error) {
    for (;;) {
        HANDLE pending[MAXIMUM_WAIT_OBJECTS];
        Run* owner[MAXIMUM_WAIT_OBJECTS];
        DWORD count = 0;
        bool running = false;
        for (Run* run : runs) {
            if (!run->exited) {
                running = true;
                owner[count] = run;
                pending[count++] = run->process.Get();
            }
            if (!run->started) {
                owner[count] = run;
                pending[count++] = run->event.Get();
            }
        }
        if (count == 0) return true;
        DWORD waited = WaitForMultipleObjects(count, pending, FALSE, running ? limits.exitMs : limits.standInMs);
        if (waited >= WAIT_OBJECT_0 + count) {
            error = running ? "the program did not exit in time" : "no stand-in recorded its start";
            return false;
        }
        Run& run = *owner[waited - WAIT_OBJECT_0];
        if (pending[waited - WAIT_OBJECT_0] == run.process.Get()) {
            run.exitTicks = Now();
            run.exited = true;
            run.cpuAtExitMs = ThreadCpuMs(run.thread.Get());
            if (!run.started) run.cpuAtNextStageMs = run.cpuAtExitMs;
            DWORD exitCode = 1;
            GetExitCodeProcess(run.process.Get(), &exitCode);
            if (exitCode != 0) {
                error = "the program exited with code " + Number(exitCode);
                return false;
            }
        } else {
            run.started = true;
            if (!run.exited) run.cpuAtNextStageMs = ThreadCpuMs(run.thread.Get());
        }
    }
}

// Reads the stand-in's record of a finished run and waits for its exit.
bool ReadResult(const Run& run, const RaceLimits& limits, RaceResult& result, std::string& error) {
    LONGLONG standInTicks;
    DWORD standInId;
    std::string standInPath;
    if (!ParseRecord(harness::ReadFileBytes(run.folder + "record.txt"), standInTicks, standInId, standInPath) ||
        standInTicks < run.startTicks) {
        error = "the stand-in's record in " + run.folder + " is not readable";
        return false;
    }
    // The stand-in may still be ending; its folder is removed next.
    OwnedHandle standIn(OpenProcess(SYNCHRONIZE, FALSE, standInId));
    if (standIn.Get() != nullptr && WaitForSingleObject(standIn.Get(), limits.standInMs) != WAIT_OBJECT_0) {
        error = "the stand-in did not exit";
        return false;
    }
    result.nextStageMs = Milliseconds(standInTicks - run.startTicks);
    result.exitMs = Milliseconds(run.exitTicks - run.startTicks);
    result.cpuAfterNextStageMs = run.cpuAtExitMs - run.cpuAtNextStageMs;
    result.standInFolder = standInPath.substr(0, standInPath.rfind('\\') + 1);
    return true;
}

}  // namespace

bool TimeRun(const std::string& app, const std::string& commandLine, const std::string& folder,
             const RaceLimits& limits, RaceResult& result, std::string& error) {
    std::vector<RaceResult> results;
    if (!TimeRunsTogether(app, commandLine, {folder}, limits, results, error)) return false;
    result = results[0];
    return true;
}

bool TimeRunsTogether(const std::string& app, const std::string& commandLine, const std::vector<std::string>& folders,
                      const RaceLimits& limits, std::vector<RaceResult>& results, std::string& error) {
    // Two handles a program to wait on: its process and its stand-in's event.
    if (folders.size() > MAXIMUM_WAIT_OBJECTS / 2) {
        error = "too many programs at once";
        return false;
    }
    std::vector<std::unique_ptr<Run>> runs;
    std::vector<Run*> started;
    bool ok = true;
    for (const std::string& folder : folders) {
        runs.push_back(std::unique_ptr<Run>(new Run));
        runs.back()->folder = folder;
        if (!StartRun(app, commandLine, *runs.back(), error)) {
            ok = false;
            break;
        }
        started.push_back(runs.back().get());
    }
    if (ok) ok = WaitForRuns(started, limits, error);
    if (!ok) {
        for (Run* run : started) {
            if (WaitForSingleObject(run->process.Get(), 0) == WAIT_TIMEOUT) TerminateProcess(run->process.Get(), 1);
        }
        return false;
    }
    results.assign(started.size(), RaceResult());
    for (size_t i = 0; i < started.size(); ++i) {
        if (!ReadResult(*started[i], limits, results[i], error)) return false;
    }
    return true;
}
