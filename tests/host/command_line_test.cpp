// How the launcher takes its own command line from the process's.
#include <gtest/gtest.h>

#include "launcher/CommandLine.h"

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
        EXPECT_STREQ(c.rest, SkipProgramName(c.commandLine));
    }
}

}  // namespace
