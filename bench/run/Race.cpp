#include "Race.h"

#include <stdlib.h>
#include <string.h>

#include <vector>

#include "WinHarness.h"

namespace {

// Closes a kernel handle exactly once; null is "none".
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle = nullptr) : handle(handle) {}
    ~OwnedHandle() {
        if (handle != nullptr) CloseHandle(handle);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE Get() const { return handle; }

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

// Waits for the program's exit and the stand-in's event, whichever comes
// first; exitTicks is taken as soon as the program is seen to end.  A
// program that fails ends the wait at once: no stand-in is coming then.
bool WaitForBoth(HANDLE process, HANDLE event, const RaceLimits& limits, LONGLONG& exitTicks, std::string& error) {
    bool exited = false, started = false;
    while (!exited || !started) {
        HANDLE pending[2];
        DWORD count = 0;
        if (!exited) pending[count++] = process;
        if (!started) pending[count++] = event;
        DWORD waited = WaitForMultipleObjects(count, pending, FALSE, exited ? limits.standInMs : limits.exitMs);
        if (waited >= WAIT_OBJECT_0 + count) {
            error = exited ? "no stand-in recorded its start" : "the program did not exit in time";
            return false;
        }
        if (pending[waited - WAIT_OBJECT_0] == process) {
            exitTicks = Now();
            exited = true;
            DWORD exitCode = 1;
            GetExitCodeProcess(process, &exitCode);
            if (exitCode != 0) {
                error = "the program exited with code " + Number(exitCode);
                return false;
            }
        } else {
            started = true;
        }
    }
    return true;
}

}  // namespace

bool TimeRun(const std::string& app, const std::string& commandLine, const std::string& folder,
             const RaceLimits& limits, RaceResult& result, std::string& error) {
    static LONG runs = 0;
    std::string eventName = "OvBench-" + Number(GetCurrentProcessId()) + "-" + Number(InterlockedIncrement(&runs));
    OwnedHandle event(CreateEventA(nullptr, TRUE, FALSE, eventName.c_str()));
    if (event.Get() == nullptr || !CreateDirectoryA((folder + "tmp").c_str(), nullptr)) {
        error = "cannot prepare the run in " + folder;
        return false;
    }
    std::vector<char> environment = MakeEnvironment(folder, eventName);
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};

    LONGLONG startTicks = Now();
    if (!CreateProcessA(app.c_str(), line.data(), nullptr, nullptr, FALSE, 0, environment.data(), folder.c_str(),
                        &startup, &started)) {
        error = "cannot start " + app + " (error " + Number(GetLastError()) + ")";
        return false;
    }
    CloseHandle(started.hThread);
    OwnedHandle process(started.hProcess);
    LONGLONG exitTicks = 0;
    if (!WaitForBoth(process.Get(), event.Get(), limits, exitTicks, error)) {
        if (WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT) TerminateProcess(process.Get(), 1);
        return false;
    }
    LONGLONG standInTicks;
    DWORD standInId;
    std::string standInPath;
    if (!ParseRecord(harness::ReadFileBytes(folder + "record.txt"), standInTicks, standInId, standInPath) ||
        standInTicks < startTicks) {
        error = "the stand-in's record in " + folder + " is not readable";
        return false;
    }
    // The stand-in may still be ending; its folder is removed next.
    OwnedHandle standIn(OpenProcess(SYNCHRONIZE, FALSE, standInId));
    if (standIn.Get() != nullptr && WaitForSingleObject(standIn.Get(), limits.standInMs) != WAIT_OBJECT_0) {
        error = "the stand-in did not exit";
        return false;
    }
    result.nextStageMs = Milliseconds(standInTicks - startTicks);
    result.exitMs = Milliseconds(exitTicks - startTicks);
    result.standInFolder = standInPath.substr(0, standInPath.rfind('\\') + 1);
    return true;
}
