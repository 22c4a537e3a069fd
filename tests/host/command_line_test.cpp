// How the launcher takes its own command line from the process's.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "launcher/rules/CommandLine.h"

namespace {

TEST(SkipProgramName, LeavesWhatFollowsTheProgramNameUnchanged) {
    const struct {
        const char* commandLine;
        const char* rest;
    } cases[] = {
        {"\"C:\\DOWN LOAD\\SET UP.EXE\"  x", "x"},
        {"\"C:\\DOWN LOAD\\SET UP.EXE\"", ""},
        {"\"C:\\SETUP.EXE\"tail x", "tail x"},
        {"\"C:\\unterminated x", ""},
        {"C:\\SETUP.EXE a \"b c\" d", "a \"b c\" d"},
        {"C:\\SETUP.EXE\t\x01\x1f y ", "y "},
        {"SETUP", ""},
        {"", ""},
        {"  leading", "leading"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        std::wstring wide(c.commandLine, c.commandLine + std::strlen(c.commandLine));
        EXPECT_EQ(std::wstring(c.rest, c.rest + std::strlen(c.rest)), SkipProgramName(wide.c_str()));
    }
}

}  // namespace
