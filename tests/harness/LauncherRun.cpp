#include "LauncherRun.h"

#include <stdlib.h>

namespace harness {

LauncherRun::LauncherRun()
    : folder(::testing::UnitTest::GetInstance()->current_test_info()->name()),
      downloads(folder.Subfolder("DOWN LOAD")),
      launcher(downloads + "SET UP.EXE"),
      records(folder.Subfolder("records")) {
    SetEnvironmentVariableA("OV_RECORD", records.c_str());
}

LauncherRun::~LauncherRun() {
    SetEnvironmentVariableA("OV_RECORD", nullptr);
}

void LauncherRun::UseLauncher(const std::string& executable) {
    if (!CopyFileA(executable.c_str(), launcher.c_str(), FALSE)) {
        DWORD error = GetLastError();
        ADD_FAILURE() << "cannot copy " << executable << " to " << launcher << ": error " << error;
    }
}

DWORD LauncherRun::Run(const std::string& after, const std::string& tempDir, DWORD timeoutMs) {
    return RunProgram(launcher, "\"" + launcher + "\"" + after, folder.Path(), tempDir, timeoutMs);
}

namespace {

// Wine's quoted form of a wide text (L"...", with \n, \r, \t, \", \\ and
// a backslash and four hex digits for the rest) back to the text; cut when
// "..." follows.
std::pair<std::wstring, bool> WineText(const std::string& line, size_t at) {
    std::wstring text;
    for (; at < line.size() && line[at] != '"'; ++at) {
        bool escaped = line[at] == '\\' && at + 1 < line.size();
        size_t known = escaped ? std::string("nrt\"\\").find(line[++at]) : std::string::npos;
        if (known != std::string::npos) {
            text += L"\n\r\t\"\\"[known];
        } else if (escaped) {
            text += static_cast<wchar_t>(std::stoul(line.substr(at, 4), nullptr, 16));
            at += 3;
        } else {
            text += static_cast<wchar_t>(static_cast<unsigned char>(line[at]));
        }
    }
    return {text, line.compare(at, 4, "\"...") == 0};
}

}  // namespace

RunTrace LauncherRun::RunTraced(const std::string& after, const std::string& tempDir, bool unseen,
                                const std::vector<std::pair<std::wstring, std::wstring>>& environment) {
    // Wine traces to the standard error of the test, which CTest sends to
    // OV_TRACE; its programs share it.
    char traced[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("OV_TRACE", traced, MAX_PATH);
    std::string traceFile = length > 0 && length < MAX_PATH ? FromUnixPath(traced) : "";
    EXPECT_TRUE(!traceFile.empty() && (!unseen || !HiddenDesktop().empty())) << "OV_TRACE: " << traceFile;
    WIN32_FILE_ATTRIBUTE_DATA before = {};
    GetFileAttributesExA(traceFile.c_str(), GetFileExInfoStandard, &before);
    size_t start = before.nFileSizeLow;  // what earlier runs traced
    std::vector<std::pair<std::wstring, std::wstring>> variables = {
        {L"TMP", Widen(tempDir)}, {L"TEMP", Widen(tempDir)}, {L"WINEDEBUG", L"-all,err+eventlog,trace+dialog"}};
    variables.insert(variables.end(), environment.begin(), environment.end());
    Program program(Widen(launcher), Widen("\"" + launcher + "\"" + after), Widen(folder.Path()), variables,
                    unseen ? HiddenDesktop() : L"");
    program.Resume();
    // Well inside CTest's time-out: a run that waits for a person never ends.
    RunTrace result = {program.Wait(30000), {}, 0};
    std::string lines = ReadFileBytes(traceFile).substr(start);
    for (size_t at = 0; (at = lines.find(":trace:dialog:DIALOG_CreateIndirect", at)) != std::string::npos; ++at)
        ++result.dialogs;
    const std::string event = ":err:eventlog:ReportEventW L\"";
    for (size_t at = 0; (at = lines.find(event, at)) != std::string::npos; ++at)
        result.events.push_back(WineText(lines, at + event.size()));
    return result;
}

std::string QuotedValue(const std::string& commandLine, const char* key) {
    std::string start = std::string(key) + "=\"";
    size_t at = commandLine.find(start);
    if (at == std::string::npos) return "";
    at += start.size();
    size_t end = commandLine.find('"', at);
    return end == std::string::npos ? "" : commandLine.substr(at, end - at);
}

DWORD RunCleanupScript(const std::string& script) {
    return RunProgram("C:\\windows\\system32\\cmd.exe", "cmd /s /c \"\"" + script + "\" done\"", "C:\\", "");
}

StandInRecord ReadStandInRecord(const std::string& path, bool wait) {
    std::string bytes = wait ? WaitForFile(path) : ReadFileBytes(path);
    StandInRecord record;
    size_t first = bytes.find('\n');
    size_t second = bytes.find('\n', first + 1);
    size_t third = bytes.find('\n', second + 1);
    size_t fourth = bytes.find('\n', third + 1);
    size_t fifth = bytes.find('\n', fourth + 1);
    if (fifth == std::string::npos) return record;
    record.commandLine = bytes.substr(0, first);
    std::string utf8 = bytes.substr(fourth + 1, fifth - fourth - 1);
    record.wideCommandLine.resize(utf8.size());
    record.wideCommandLine.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                                      &record.wideCommandLine[0], static_cast<int>(utf8.size())));
    record.folder = bytes.substr(first + 1, second - first - 1);
    record.module = bytes.substr(second + 1, third - second - 1);
    // The record is written just before the stand-in ends; wait for the end,
    // so its executable can be deleted.
    DWORD id = strtoul(bytes.c_str() + third + 1, nullptr, 10);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (process != nullptr) {
        WaitForSingleObject(process, 15000);
        CloseHandle(process);
    }
    return record;
}

StandInRecord LauncherRun::Record(const char* program, bool wait) {
    return ReadStandInRecord(records + program + ".txt", wait);
}

void LauncherRun::ForgetRecords() {
    RemoveTree(records);
    CreateFolders(records);
}

namespace {

std::string ResourceId(LPCSTR id) { return IS_INTRESOURCE(id) ? "#" + std::to_string(LOWORD(id)) : id; }

struct ResourceWalk {
    HMODULE module;
    ResourceMap found;
};

BOOL CALLBACK OnLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR walk) {
    HRSRC resource = FindResourceExA(module, type, name, language);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    std::string key = ResourceId(type) + "/" + ResourceId(name) + "/" + std::to_string(language);
    reinterpret_cast<ResourceWalk*>(walk)->found[key] = std::string(bytes, SizeofResource(module, resource));
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR walk) {
    return EnumResourceLanguagesA(module, type, name, OnLanguage, walk);
}

BOOL CALLBACK OnType(HMODULE module, LPSTR type, LONG_PTR walk) {
    return EnumResourceNamesA(module, type, OnName, walk);
}

}  // namespace

ResourceMap Resources(const std::string& path) {
    ResourceWalk walk{LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), {}};
    if (walk.module == nullptr) return walk.found;
    EnumResourceTypesA(walk.module, OnType, reinterpret_cast<LONG_PTR>(&walk));
    FreeLibrary(walk.module);
    return walk.found;
}

}  // namespace harness
