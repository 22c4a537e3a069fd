// ovrun: starts a Windows program with an exact raw command line and a
// chosen temporary folder, optionally with a stand-in next-stage window or
// a message-box answer, and prints the program's full exit code.
//
//   ovrun [--tmp DIR] [--cwd DIR] [--window CLASS TITLE] [--answer CAPTION ID]
//         APP COMMANDLINE
//
// Exits with the program's exit code (modulo 256 through wine).
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>

#include "WinHarness.h"

int main(int argc, char** argv) {
    std::string tempDir, workingDir;
    std::unique_ptr<harness::TopWindow> window;
    std::unique_ptr<harness::MessageBoxAnswerer> answerer;
    int i = 1;
    for (; i < argc; ++i) {
        if (strcmp(argv[i], "--tmp") == 0 && i + 1 < argc) {
            tempDir = argv[++i];
        } else if (strcmp(argv[i], "--cwd") == 0 && i + 1 < argc) {
            workingDir = argv[++i];
        } else if (strcmp(argv[i], "--window") == 0 && i + 2 < argc) {
            window.reset(new harness::TopWindow(argv[i + 1], argv[i + 2], SW_SHOWMINNOACTIVE));
            i += 2;
        } else if (strcmp(argv[i], "--answer") == 0 && i + 2 < argc) {
            answerer.reset(new harness::MessageBoxAnswerer(argv[i + 1], atoi(argv[i + 2])));
            i += 2;
        } else {
            break;
        }
    }
    if (argc - i != 2) {
        fprintf(stderr, "usage: ovrun [--tmp DIR] [--cwd DIR] [--window CLASS TITLE] "
                        "[--answer CAPTION ID] APP COMMANDLINE\n");
        return 255;
    }
    DWORD code = harness::RunProgram(argv[i], argv[i + 1], workingDir, tempDir);
    if (answerer && answerer->Answered()) printf("message box: %s\n", answerer->Text().c_str());
    printf("exit code: %lu\n", static_cast<unsigned long>(code));
    return static_cast<int>(code);
}
