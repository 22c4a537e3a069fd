// Helpers for end-to-end tests of Windows programs under Wine: start a
// program with an exact command line and temporary folder, stand in for a
// running next stage with a top-level window, answer a message box from
// outside, and work in private folders on drive C:.
#ifndef ORVANE_TESTS_HARNESS_WINHARNESS_H
#define ORVANE_TESTS_HARNESS_WINHARNESS_H

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace harness {

const DWORD TimedOut = 0xFFFFFFFF;

// Text in the ANSI code page and back.
std::wstring Widen(const std::string& text, UINT codePage = CP_ACP);
std::string Narrow(const std::wstring& text);

// A program started suspended, with these environment variables (name,
// value) set for it alone; an empty value leaves a variable as it is.
// Resume starts it; several resumed back to back start in the same instant.
// On desktop ("station\\desktop") when it is not empty.
class Program {
public:
    Program(const std::wstring& app, const std::wstring& commandLine, const std::wstring& workingDir,
            const std::vector<std::pair<std::wstring, std::wstring>>& environment,
            const std::wstring& desktop = L"");
    // Terminates a program that is still running.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return process != nullptr; }
    void Resume();
    // Waits for it, pumping this thread's messages meanwhile (so windows of
    // the caller answer); the full 32-bit exit code, or TimedOut after
    // terminating a program that ran longer than timeoutMs.
    DWORD Wait(DWORD timeoutMs = 60000);

private:
    HANDLE process;
    HANDLE thread;
};

// Starts app with exactly commandLine as its raw command line, in
// workingDir, with TMP and TEMP set to tempDir when it is not empty, and
// waits for it, pumping this thread's messages meanwhile (so windows of the
// caller answer).  Returns the full 32-bit exit code, or TimedOut after
// terminating a program that ran longer than timeoutMs.
DWORD RunProgram(const std::string& app, const std::string& commandLine, const std::string& workingDir,
                 const std::string& tempDir, DWORD timeoutMs = 60000);

// A top-level window of the given class and title, owned by this thread.
class TopWindow {
public:
    TopWindow(const char* className, const char* title, int showCommand);
    ~TopWindow();
    TopWindow(const TopWindow&) = delete;
    TopWindow& operator=(const TopWindow&) = delete;
    HWND Handle() const { return window; }

private:
    HWND window;
};

// A window station of its own without visible display surfaces, as a
// deployment agent's, with one desktop, made once: what a program started
// there shows, nobody can see or answer.  Its desktop's name, for Program.
const std::wstring& HiddenDesktop();

// Watches, on a thread of its own, for a message box with this caption;
// records its text and presses the button with this id (IDOK, IDYES, IDNO).
// It answers the first box only, or every box that comes when every is set.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer(const std::string& caption, int buttonId, bool every = false);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    bool Answered() const;
    std::string Text() const;    // the last box's text as it showed it
    std::wstring TextW() const;  // the same, with what the ANSI code page lacks
    int Count() const { return answered; }

private:
    static DWORD WINAPI Watch(void* self);

    std::string caption;
    int buttonId;
    bool every;
    HANDLE thread;
    volatile LONG stop;
    volatile LONG answered;
    std::wstring text;
};

// A new, empty folder C:\ovtest\<name>-<pid>-<n>\ removed with everything
// in it when the object dies.
class TestFolder {
public:
    explicit TestFolder(const std::string& name);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder with its trailing backslash.
    const std::string& Path() const { return path; }
    // A subfolder (created with its parents), with a trailing backslash.
    std::string Subfolder(const std::string& relative) const;

private:
    std::string path;
};

// A Unix path as Wine shows it (drive Z: is the root).
std::string FromUnixPath(const std::string& unixPath);

bool FileExists(const std::string& path);
inline bool HandleOpen(HANDLE handle) { DWORD flags; return GetHandleInformation(handle, &flags) != 0; }
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
void CreateFolders(const std::string& path);
void RemoveTree(const std::string& path);
// Names in a folder (files and folders, without "." and ".."), sorted.
std::string ListFolder(const std::string& path);
std::wstring ListFolderW(const std::wstring& path);

// Whether a small test drive (tools/small-drives.sh) is mapped at letter:.
bool DriveMapped(char letter);

// Waits up to timeoutMs for a file to appear and returns its bytes.
std::string WaitForFile(const std::string& path, DWORD timeoutMs = 15000);

}  // namespace harness

#endif
