#include "WinHarness.h"

#include <stdio.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace harness {

namespace {

// Sets an environment variable for as long as the object lives; an empty
// value leaves it as it is.
class ScopedEnvironment {
public:
    ScopedEnvironment(const std::wstring& name, const std::wstring& value) : name(name), active(!value.empty()) {
        if (!active) return;
        wchar_t old[4096];
        DWORD length = GetEnvironmentVariableW(name.c_str(), old, 4096);
        hadValue = length > 0 && length < 4096;
        if (hadValue) previous.assign(old, length);
        SetEnvironmentVariableW(name.c_str(), value.c_str());
    }
    ~ScopedEnvironment() {
        if (active) SetEnvironmentVariableW(name.c_str(), hadValue ? previous.c_str() : nullptr);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::wstring name;
    std::wstring previous;
    bool hadValue = false;
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

std::wstring Widen(const std::string& text, UINT codePage) {
    std::wstring wide(text.size(), L'\0');
    int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                     static_cast<int>(wide.size()));
    wide.resize(length > 0 ? length : 0);
    return wide;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow(text.size() * 2, '\0');
    int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &narrow[0],
                                     static_cast<int>(narrow.size()), nullptr, nullptr);
    narrow.resize(length > 0 ? length : 0);
    return narrow;
}

Program::Program(const std::wstring& app, const std::wstring& commandLine, const std::wstring& workingDir,
                 const std::vector<std::pair<std::wstring, std::wstring>>& environment, const std::wstring& desktop)
    : process(nullptr), thread(nullptr) {
    // The child copies the environment when it is created.
    std::vector<std::unique_ptr<ScopedEnvironment>> scoped;
    for (const auto& variable : environment)
        scoped.emplace_back(new ScopedEnvironment(variable.first, variable.second));
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::vector<wchar_t> desktopName(desktop.begin(), desktop.end());
    desktopName.push_back(L'\0');
    if (!desktop.empty()) startup.lpDesktop = desktopName.data();
    PROCESS_INFORMATION started = {};
    if (CreateProcessW(app.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                       workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &started)) {
        process = started.hProcess;
        thread = started.hThread;
    } else {
        // Else it would read as a program that ran too long.
        DWORD error = GetLastError();
        fprintf(stderr, "cannot start %s: error %lu\n", Narrow(app).c_str(), error);
    }
}

const std::wstring& HiddenDesktop() {
    static const std::wstring name = [] {
        std::wstring station = L"OvHidden" + std::to_wstring(GetCurrentProcessId());
        HWINSTA made = CreateWindowStationW(station.c_str(), 0, WINSTA_ALL_ACCESS, nullptr);
        // A desktop is made on the process's own window station.
        HWINSTA own = GetProcessWindowStation();
        bool ok = made != nullptr && SetProcessWindowStation(made) &&
                  CreateDesktopW(L"Unseen", nullptr, nullptr, 0, GENERIC_ALL, nullptr) != nullptr;
        SetProcessWindowStation(own);
        return ok ? station + L"\\Unseen" : std::wstring();
    }();
    return name;
}

Program::~Program() {
    if (process == nullptr) return;
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process, TimedOut);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(thread);
    CloseHandle(process);
}

void Program::Resume() {
    if (thread != nullptr) ResumeThread(thread);
}

DWORD Program::Wait(DWORD timeoutMs) {
    if (process == nullptr) return TimedOut;
    DWORD start = GetTickCount();
    for (;;) {
        // Wakes for the process's end or a message to this thread, nothing else.
        DWORD spent = GetTickCount() - start;
        DWORD waited = WAIT_TIMEOUT;
        if (spent < timeoutMs) waited = MsgWaitForMultipleObjects(1, &process, FALSE, timeoutMs - spent, QS_ALLINPUT);
        if (waited == WAIT_OBJECT_0) {
            DWORD exitCode = TimedOut;
            GetExitCodeProcess(process, &exitCode);
            // What the program asked of our windows just before it ended
            // (a restore, say) may still wait in the queue.
            PumpPendingMessages();
            return exitCode;
        }
        PumpPendingMessages();
        if (waited == WAIT_TIMEOUT) {
            TerminateProcess(process, TimedOut);
            WaitForSingleObject(process, 5000);
            return TimedOut;
        }
    }
}

DWORD RunProgram(const std::string& app, const std::string& commandLine, const std::string& workingDir,
                 const std::string& tempDir, DWORD timeoutMs) {
    Program program(Widen(app), Widen(commandLine), Widen(workingDir),
                    {{L"TMP", Widen(tempDir)}, {L"TEMP", Widen(tempDir)}});
    program.Resume();
    return program.Wait(timeoutMs);
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

MessageBoxAnswerer::MessageBoxAnswerer(const std::string& caption, int buttonId, bool every)
    : caption(caption), buttonId(buttonId), every(every), thread(nullptr), stop(0), answered(0) {
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
    return answered ? Narrow(text) : std::string();
}

std::wstring MessageBoxAnswerer::TextW() const {
    return answered ? text : std::wstring();
}

// It looks for the box: Wine 8 sends a window-event hook only
// EVENT_OBJECT_CREATE, before the box has its text or is shown.
DWORD WINAPI MessageBoxAnswerer::Watch(void* context) {
    MessageBoxAnswerer* self = static_cast<MessageBoxAnswerer*>(context);
    HWND last = nullptr;
    while (!self->stop) {
        HWND box = FindWindowA("#32770", self->caption.c_str());
        if (box != nullptr && box != last) {
            // The message text is the static control with id 0xFFFF.
            wchar_t text[4096] = L"";
            GetDlgItemTextW(box, 0xFFFF, text, 4096);
            self->text = text;
            // Counted before the press: the box's owner may return from it
            // and ask at once.
            InterlockedIncrement(&self->answered);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(self->buttonId, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, self->buttonId)));
            if (!self->every) return 0;
            last = box;
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
    std::replace(path.begin(), path.end(), '/', '-');  // a parameterised test's name
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
    // Sharing delete too: a program that has just renamed the file into place
    // may still hold it open for the rename, and an open that does not share
    // delete then fails, which would read as an empty file.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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

namespace {

// Wide, so names the ANSI code page cannot hold go too.
void RemoveTreeW(const std::wstring& path) {
    std::wstring folder = path;
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring child = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                // A link goes, never what it points to.
                if (!RemoveDirectoryW(child.c_str())) DeleteFileW(child.c_str());
            } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTreeW(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

void RemoveTree(const std::string& path) {
    RemoveTreeW(Widen(path));
}

std::wstring ListFolderW(const std::wstring& path) {
    std::wstring folder = path;
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") names.push_back(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    std::wstring list;
    for (const std::wstring& name : names) list += (list.empty() ? L"" : L" ") + name;
    return list;
}

std::string ListFolder(const std::string& path) {
    return Narrow(ListFolderW(Widen(path)));
}

bool DriveMapped(char letter) {
    char root[] = {letter, ':', '\\', '\0'};
    return GetDriveTypeA(root) == DRIVE_FIXED;
}

std::string WaitForFile(const std::string& path, DWORD timeoutMs) {
    // Woken by its folder's change notification, not by a clock: the file
    // comes by a creation or a rename there.  Watched before the first look,
    // so a file that comes in between still wakes the wait.
    std::string folder = path.substr(0, path.find_last_of('\\'));
    HANDLE change = FindFirstChangeNotificationA(folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    DWORD start = GetTickCount();
    while (!FileExists(path) && change != INVALID_HANDLE_VALUE) {
        DWORD waited = GetTickCount() - start;
        if (waited >= timeoutMs || WaitForSingleObject(change, timeoutMs - waited) != WAIT_OBJECT_0) break;
        FindNextChangeNotification(change);
    }
    if (change != INVALID_HANDLE_VALUE) FindCloseChangeNotification(change);
    return ReadFileBytes(path);
}

}  // namespace harness
