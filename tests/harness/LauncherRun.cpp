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
    CopyFileA(executable.c_str(), launcher.c_str(), FALSE);
}

DWORD LauncherRun::Run(const std::string& after, const std::string& tempDir) {
    return RunProgram(launcher, "\"" + launcher + "\"" + after, folder.Path(), tempDir);
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

}  // namespace harness
