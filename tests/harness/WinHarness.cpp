#include "WinHarness.h"

#include <algorithm>
#include <vector>

namespace harness {

namespace {

// Sets or clears an environment variable for as long as the object lives.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name(name) {
        char old[4096];
        DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
        hadValue = length > 0 && length < sizeof old;
        if (hadValue) previous.assign(old, length);
        if (!value.empty()) SetEnvironmentVariableA(name, value.c_str());
        active = !value.empty();
    }
    ~ScopedEnvironment() {
        if (!active) return;
        SetEnvironmentVariableA(name, hadValue ? previous.c_str() : nullptr);
    }

private:
    const char* name;
    std::string previous;
    bool hadValue;
    bool active;
};

void PumpPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

DWORD RunProgram(const std::string& app, const std::string& commandLine, const std::string& workingDir,
                 const std::string& tempDir, DWORD timeoutMs) {
    ScopedEnvironment tmp("TMP", tempDir);
    ScopedEnvironment temp("TEMP", tempDir);

    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(app.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &process))
        return TimedOut;
    CloseHandle(process.hThread);

    DWORD start = GetTickCount();
    DWORD exitCode = TimedOut;
    for (;;) {
        DWORD waited = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 50, QS_ALLINPUT);
        if (waited == WAIT_OBJECT_0) {
            GetExitCodeProcess(process.hProcess, &exitCode);
            // What the program asked of our windows just before it ended
            // (a restore, say) may still wait in the queue.
            PumpPendingMessages();
            break;
        }
        PumpPendingMessages();
        if (GetTickCount() - start > timeoutMs) {
            TerminateProcess(process.hProcess, TimedOut);
            WaitForSingleObject(process.hProcess, 5000);
            exitCode = TimedOut;
            break;
        }
    }
    CloseHandle(process.hProcess);
    return exitCode;
}

TopWindow::TopWindow(const char* className, const char* title, int showCommand) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    window = CreateWindowA(className, title, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, showCommand);
    PumpPendingMessages();
}

TopWindow::~TopWindow() {
    if (window != nullptr) DestroyWindow(window);
    PumpPendingMessages();
}

MessageBoxAnswerer::MessageBoxAnswerer(const std::string& caption, int buttonId)
    : caption(caption), buttonId(buttonId), thread(nullptr), stop(0), answered(0) {
    thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    InterlockedExchange(&stop, 1);
    if (thread != nullptr) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
}

bool MessageBoxAnswerer::Answered() const {
    return answered != 0;
}

std::string MessageBoxAnswerer::Text() const {
    return answered ? text : std::string();
}

DWORD WINAPI MessageBoxAnswerer::Watch(void* context) {
    MessageBoxAnswerer* self = static_cast<MessageBoxAnswerer*>(context);
    while (!self->stop) {
        HWND box = FindWindowA("#32770", self->caption.c_str());
        if (box != nullptr) {
            // The message text is the static control with id 0xFFFF.
            char text[4096] = "";
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            self->text = text;
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(self->buttonId, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, self->buttonId)));
            InterlockedExchange(&self->answered, 1);
            return 0;
        }
        Sleep(20);
    }
    return 0;
}

TestFolder::TestFolder(const std::string& name) {
    static int counter = 0;
    char unique[64];
    wsprintfA(unique, "-%lu-%d\\", GetCurrentProcessId(), ++counter);
    path = "C:\\ovtest\\" + name + unique;
    RemoveTree(path);
    CreateFolders(path);
}

TestFolder::~TestFolder() {
    RemoveTree(path);
}

std::string TestFolder::Subfolder(const std::string& relative) const {
    std::string folder = path + relative;
    if (folder.back() != '\\') folder += '\\';
    CreateFolders(folder);
    return folder;
}

std::string FromUnixPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes;
    char buffer[65536];
    DWORD done = 0;
    while (ReadFile(file, buffer, sizeof buffer, &done, nullptr) && done > 0) bytes.append(buffer, done);
    CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD done = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(file);
}

void CreateFolders(const std::string& path) {
    for (size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

void RemoveTree(const std::string& path) {
    std::string folder = path;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string ListFolder(const std::string& path) {
    std::string folder = path;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : " ") + name;
    return list;
}

bool DriveMapped(char letter) {
    char root[] = {letter, ':', '\\', '\0'};
    return GetDriveTypeA(root) == DRIVE_FIXED;
}

std::string WaitForFile(const std::string& path, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!FileExists(path)) {
        if (GetTickCount() - start > timeoutMs) return std::string();
        Sleep(20);
    }
    return ReadFileBytes(path);
}

}  // namespace harness
