// The rules for the texts the launcher hands on, natively: each path as one
// word of a clean-up script line, '%' made literal, and the next stage's
// command line.
#include <gtest/gtest.h>

#include <string>

#include "launcher/rules/ScriptText.h"

namespace {

TEST(ScriptText, EveryPathIsOneWordThatCmdReadsAsItself) {
    const struct {
        const char* oemPath;
        const char* word;  // null: refused
    } cases[] = {
        {"C:\\TEMP\\RERUvoro0\\one.dll", "C:\\TEMP\\RERUvoro0\\one.dll"},
        {"C:\\MY TEMP\\a.txt", "\"C:\\MY TEMP\\a.txt\""},
        {"C:\\100%\\a%b%%c", "C:\\100%%\\a%%b%%%%c"},
        {"C:\\100% x\\%PATH%", "\"C:\\100%% x\\%%PATH%%\""},
        // Every character cmd.exe splits at or acts on.
        {"C:\\a&b", "\"C:\\a&b\""},      {"C:\\a(b)", "\"C:\\a(b)\""}, {"C:\\a[b]", "\"C:\\a[b]\""},
        {"C:\\a{b}", "\"C:\\a{b}\""},    {"C:\\a^b", "\"C:\\a^b\""},   {"C:\\a=b", "\"C:\\a=b\""},
        {"C:\\a;b", "\"C:\\a;b\""},      {"C:\\a!b", "\"C:\\a!b\""},   {"C:\\a'b", "\"C:\\a'b\""},
        {"C:\\a+b", "\"C:\\a+b\""},      {"C:\\a,b", "\"C:\\a,b\""},   {"C:\\a`b", "\"C:\\a`b\""},
        {"C:\\a~1\\b", "\"C:\\a~1\\b\""}, {"C:\\a<b", "\"C:\\a<b\""},  {"C:\\a>b", "\"C:\\a>b\""},
        {"C:\\a|b", "\"C:\\a|b\""},
        // Bytes outside ASCII: their meaning is the code page's, so quoted.
        {"C:\\J\x81rgen\\x", "\"C:\\J\x81rgen\\x\""},
        {"C:\\\xE0\xE1\\y", "\"C:\\\xE0\xE1\\y\""},
        // No path holds these; they would end the word or the line.
        {"C:\\a\"&md pwned&\"\\b", nullptr},
        {"C:\\a\r\nmd pwned", nullptr},
        {"C:\\a\tb", nullptr},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.oemPath);
        QlString word("unchanged");
        EXPECT_EQ(c.word != nullptr, ScriptWord(c.oemPath, word));
        if (c.word != nullptr) {
            EXPECT_STREQ(c.word, word);
        }
    }
}

TEST(ScriptText, PercentSignsAreDoubledAndNothingElseChanges) {
    EXPECT_STREQ("C:\\100%%d %%s\\", EscapePercent("C:\\100%d %s\\"));
    EXPECT_STREQ("%%%%", EscapePercent("%%"));
    EXPECT_STREQ("C:\\\xFC & (x)\\", EscapePercent("C:\\\xFC & (x)\\"));
    EXPECT_STREQ("", EscapePercent(""));
}

TEST(ScriptText, TheNextStageGetsBothPathsQuotedAndABlankBeforeTheArguments) {
    EXPECT_STREQ("Bootlace.exe ZAZezor SetupProgram=ZORoderaz Wnd=Normal Server=None Wnd=Maximized "
                 "ResourceFile=\"C:\\DOWN LOAD\\SETUP.EXE\" CleanUp=\"C:\\TEMP\\0.bat\" ",
                 NextStageCommand("C:\\DOWN LOAD\\SETUP.EXE", "C:\\TEMP\\0.bat"));
}

}  // namespace
