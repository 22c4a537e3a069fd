// The packer tests' helpers under Windows: ovpack.exe runs by
// CreateProcess, its output going to files.
#include <windows.h>

#include "WinHarness.h"
#include "ovpack_support.h"

namespace archivetest {

TempFolder::TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static unsigned made = 0;
    do {
        path = std::string(temp) + "ovpack-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made);
    } while (!CreateDirectoryA(path.c_str(), nullptr));
}

void MakeFolderTree(const std::string& path) {
    for (size_t at = path.find_first_of("/\\", 3); at != std::string::npos; at = path.find_first_of("/\\", at + 1)) {
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryA(path.c_str(), nullptr);
}

namespace {

// One argument as the C runtime splits command lines: quoted, with the
// backslashes before a quote doubled.
std::string Quote(const std::string& arg) {
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + "\"";
}

// An inheritable file that disappears when closed.
HANDLE Capture(const std::string& name) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

std::string Captured(HANDLE file) {
    std::string text;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    char buffer[4096];
    DWORD got;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    CloseHandle(file);
    // The runtime writes text with CR LF here; the tests expect lines as
    // the native packer writes them.
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
    return text;
}

}  // namespace

std::string StubProgram() { return harness::FromUnixPath(OV_STUB); }

Run RunOvpack(const std::vector<std::string>& args, bool) {
    const std::string program = harness::FromUnixPath(OVPACK_PATH);
    std::string commandLine = Quote(program);
    for (const std::string& arg : args) commandLine += " " + Quote(arg);
    TempFolder folder;
    HANDLE out = Capture(folder / "out");
    HANDLE err = Capture(folder / "err");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process;
    Run run{-1, "", ""};
    if (CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code;
        if (GetExitCodeProcess(process.hProcess, &code)) run.status = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    run.out = Captured(out);
    run.err = Captured(err);
    return run;
}

bool HasTerminals() { return false; }
bool MakeFifo(const std::string&) { return false; }
bool MakeLink(const std::string&, const std::string&) { return false; }
bool WindowsNames() { return true; }
bool ReadResource(const std::string& program, const char* type, const char* name, std::string& bytes) {
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return false;
    HRSRC found = FindResourceA(module, name, type);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const char* data = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (data != nullptr) bytes.assign(data, SizeofResource(module, found));
    FreeLibrary(module);
    return data != nullptr;
}
void LimitFileSize(uint64_t) {}

void SetFileTimes(const std::string& path, int64_t access, int64_t write) {
    auto time = [](int64_t seconds) {
        uint64_t ticks = 116444736000000000ULL + static_cast<uint64_t>(seconds) * 10000000ULL;
        return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    };
    FILETIME accessed = time(access), written = time(write);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, &accessed, &written);
    CloseHandle(file);
}

void SetVariable(const char* name, const char* value) { SetEnvironmentVariableA(name, value); }

}  // namespace archivetest
