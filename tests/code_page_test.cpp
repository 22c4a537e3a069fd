// The launcher on systems of other ANSI code pages (CTest runs this once per
// locale; OV_EXPECT_ACP and OV_EXPECT_COLUMN name the code page and the
// catalogue column it gives): the next stage receives the launcher's
// arguments exactly as they were given, and what the launcher cannot do it
// says in the user's language, with names as the user knows them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "LauncherRun.h"
#include "TestArchive.h"
#include "launcher/rules/MessageTable.h"
#include "launcher/system/MessageCatalogue.h"

using harness::FromUnixPath;
using harness::StandIn;
using harness::Widen;

namespace {

class CodePage : public harness::LauncherRun {
protected:
    void SetUp() override {
        const char* codePage = std::getenv("OV_EXPECT_ACP");
        const char* column = std::getenv("OV_EXPECT_COLUMN");
        if (codePage == nullptr || column == nullptr) GTEST_SKIP() << "run through CTest, which sets the locale";
        ASSERT_EQ(static_cast<UINT>(std::atoi(codePage)), GetACP());
        language = static_cast<MessageColumn>(std::atoi(column));
    }

    // Builds the launcher around BASE and runs it with these arguments and a
    // temporary folder of its own, which holds nothing afterwards unless the
    // run succeeded.
    DWORD RunWith(const std::vector<archivetest::RawEntry>& base, const std::wstring& arguments) {
        EXPECT_TRUE(harness::MakeLauncher(FromUnixPath(OV_BARE_LAUNCHER_EXE), launcher,
                                          {{"BASE", archivetest::BuildArchive(base)}}));
        temp = Widen(folder.Subfolder("temp" + std::to_string(++runs)));
        std::wstring program = Widen(launcher);
        harness::Program run(program, L"\"" + program + L"\" " + arguments, Widen(folder.Path()),
                             {{L"TMP", temp}, {L"TEMP", temp}});
        run.Resume();
        return run.Wait();
    }

    // The catalogue's text in the column the locale should give.
    const char* Text(int id) const { return FindMessageRow(id)->texts[language]; }

    MessageColumn language = MESSAGE_ENGLISH;
    std::wstring temp;
    int runs = 0;
};

const std::vector<archivetest::RawEntry> Payload() {
    return {{"Bootlace.exe", StandIn()}, {"exitgate.exe", StandIn()}};
}

TEST_F(CodePage, TheNextStageGetsTheArgumentsExactly) {
    const wchar_t* const cases[] = {
        L"\"/LOG=C:\\logs\\a\xFF02 /S \xFF02" L"b\" /Q",  // fullwidth quotes: best fit makes them '"'
        L"/DIR=\"C:\\W\x0142odek\\\x041E\x043B\x0435\x0433\"",  // no code page holds both
        L"/DIR=\"C:\\x\x00A5\" /S",  // '\' in code page 932
    };
    for (const wchar_t* arguments : cases) {
        SCOPED_TRACE(harness::Narrow(arguments));
        ForgetRecords();
        ASSERT_EQ(0u, RunWith(Payload(), arguments));
        harness::StandInRecord next = Record("Bootlace");
        ASSERT_TRUE(next.present());
        std::wstring tail = std::wstring(L"\" ") + arguments;
        ASSERT_GE(next.wideCommandLine.size(), tail.size());
        EXPECT_EQ(tail, next.wideCommandLine.substr(next.wideCommandLine.size() - tail.size()));
        EXPECT_EQ(0u, harness::RunCleanupScript(harness::QuotedValue(next.commandLine, "CleanUp")));
    }
}

TEST_F(CodePage, RefusalsSayWhyInTheUsersLanguageAndLeaveNothing) {
    // As long as the launcher's own command line may be: too long once the
    // next stage's fixed part comes before it.
    const std::wstring longest(32766 - (Widen(launcher).size() + 3), L'x');
    const struct {
        const char* description;
        std::vector<archivetest::RawEntry> base;
        std::wstring arguments;
        int message;
        const wchar_t* named;  // what the message names, as the user knows it; null: no name
    } cases[] = {
        {"name of no code page", {{"Bootlace.exe", StandIn()}, {"a\x81.txt", "x"}}, L"", MSG_FOREIGN_NAME, L"txt"},
        {"not a program", {{"Bootlace.exe", "MZ but no program"}}, L"", MSG_START_FAILURE, L"\\Bootlace.exe\n"},
        {"command line too long", Payload(), longest, MSG_COMMAND_LINE_TOO_LONG, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        ForgetRecords();
        harness::MessageBoxAnswerer answer(Text(MSG_SETUP_TITLE), IDOK);
        EXPECT_EQ(2u, RunWith(c.base, c.arguments));
        ASSERT_TRUE(answer.Answered());
        std::wstring text = answer.TextW();
        std::wstring format = Widen(Text(c.message), 1252);
        EXPECT_EQ(format.substr(0, format.find(L"%s")), text.substr(0, format.find(L"%s"))) << harness::Narrow(text);
        EXPECT_TRUE(c.named != nullptr ? text.find(c.named) != std::wstring::npos : text == format)
            << harness::Narrow(text);
        // A system text's insert is filled, and its line end goes.
        EXPECT_EQ(std::wstring::npos, text.find(L"%1")) << harness::Narrow(text);
        EXPECT_NE(L'\n', text.back());
        EXPECT_EQ(L"", harness::ListFolderW(temp));
        EXPECT_FALSE(Record("Bootlace", false).present());
    }
}

}  // namespace
