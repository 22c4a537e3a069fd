// ovrun: starts a Windows program with an exact raw command line and a
// chosen temporary folder, optionally with a stand-in next-stage window or
// a message-box answer, and prints the program's full exit code.
//
//   ovrun [--tmp DIR] [--cwd DIR] [--window CLASS TITLE] [--answer CAPTION ID]
//         APP COMMANDLINE
//
// Exits with the program's exit code (modulo 256 through wine).
#include <stdio.h>

#include <memory>
#include <string>

#include "WinHarness.h"
#include "tools/cli/Arguments.h"

int main(int argc, char** argv) {
    Arguments parsed(argc, argv, 1);
    std::string tempDir, workingDir, className, title, caption;
    int buttonId = 0;
    parsed.Take("--tmp", tempDir);
    parsed.Take("--cwd", workingDir);
    bool window = parsed.Take("--window", {&className, &title});
    std::string id;
    bool answer = parsed.Take("--answer", {&caption, &id}) && parsed.CheckNumber("--answer ID", id, 1, 65535, buttonId);
    const std::vector<std::string>& rest = parsed.Rest();
    if (!parsed.Error().empty() || rest.size() != 2) {
        fprintf(stderr, "ovrun: %s\nusage: ovrun [--tmp DIR] [--cwd DIR] [--window CLASS TITLE] "
                        "[--answer CAPTION ID] APP COMMANDLINE\n",
                parsed.Error().empty() ? "APP and COMMANDLINE, nothing else" : parsed.Error().c_str());
        return 255;
    }
    std::unique_ptr<harness::TopWindow> shown;
    if (window) shown.reset(new harness::TopWindow(className.c_str(), title.c_str(), SW_SHOWMINNOACTIVE));
    std::unique_ptr<harness::MessageBoxAnswerer> answerer;
    if (answer) answerer.reset(new harness::MessageBoxAnswerer(caption, buttonId));
    DWORD code = harness::RunProgram(rest[0], rest[1], workingDir, tempDir);
    if (answerer && answerer->Answered()) printf("message box: %s\n", answerer->Text().c_str());
    printf("exit code: %lu\n", static_cast<unsigned long>(code));
    return static_cast<int>(code);
}
