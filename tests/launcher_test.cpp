// The launcher around the demo payload, end to end: hand-over to a running
// next stage, the next stage's command line from the launcher's own path,
// script and command line, and the temporary folder it works in.
#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include <cstring>
#include <regex>
#include <string>
#include <thread>

#include "LauncherRun.h"
#include "launcher/system/PrivateSecurity.h"

namespace {

const char* const NextStagePrefix =
    "Bootlace.exe ZAZezor SetupProgram=ZORoderaz Wnd=Normal Server=None Wnd=Maximized ";

// This process's user, as a SID in text form.
std::string UserSid() {
    HANDLE token;
    union {
        TOKEN_USER user;
        char bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } user;
    DWORD length;
    char* text = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        if (GetTokenInformation(token, TokenUser, &user, sizeof user, &length)) ConvertSidToStringSidA(user.user.User.Sid, &text);
        CloseHandle(token);
    }
    std::string sid = text != nullptr ? text : "no user";
    LocalFree(text);
    return sid;
}

class DemoLauncher : public harness::LauncherRun {
protected:
    DemoLauncher() { UseLauncher(harness::FromUnixPath(OV_LAUNCHER_EXE)); }

    std::string ExpectedCommandLine(const std::string& temp, const std::string& arguments) const {
        return NextStagePrefix + ("ResourceFile=\"" + launcher + "\" CleanUp=\"" + temp + "0.bat\" " + arguments);
    }
};

TEST_F(DemoLauncher, HandsItsOwnPathScriptAndCommandLineToTheNextStage) {
    std::string temp = folder.Subfolder("temp");
    ASSERT_EQ(0u, Run("  x", temp));

    harness::StandInRecord next = Record("Bootlace");
    EXPECT_EQ(ExpectedCommandLine(temp, "x"), next.commandLine);
    EXPECT_EQ(temp + "RERUvoro0", next.folder);
    EXPECT_EQ(temp + "RERUvoro0\\Bootlace.exe", next.module);
    EXPECT_EQ("0.bat RERUvoro0", harness::ListFolder(temp));
}

TEST_F(DemoLauncher, PassesArgumentsOnUnchangedAfterTheProgramName) {
    const struct {
        const char* after;
        const char* passed;
    } cases[] = {
        {"", ""},
        {" a \"b c\"  d", "a \"b c\"  d"},
        {"\t\x01 -y", "-y"},
        {"tail", "tail"},  // the quoted name ends at its closing quote
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        std::string temp = folder.Subfolder(std::string("temp") + std::to_string(&c - cases));
        ForgetRecords();
        ASSERT_EQ(0u, Run(c.after, temp));
        EXPECT_EQ(ExpectedCommandLine(temp, c.passed), Record("Bootlace").commandLine);
    }
}

TEST_F(DemoLauncher, RaisesARunningNextStageAndDoesNothingElse) {
    std::string temp = folder.Subfolder("temp");
    harness::TopWindow running("AfxFrameOrView42", "Orvane Setup", SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(running.Handle()));

    EXPECT_EQ(0u, Run("", temp));
    EXPECT_FALSE(IsIconic(running.Handle()));
    // Nothing was extracted, so no next stage can have started.
    EXPECT_EQ("", harness::ListFolder(temp));
    EXPECT_FALSE(Record("Bootlace", false).present());
}

TEST_F(DemoLauncher, NeverWaitsForAHungNextStage) {
    // A running next stage, minimised, whose thread then stops pumping.
    HANDLE shown = CreateEventA(nullptr, TRUE, FALSE, nullptr), release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread hung([&] {
        harness::TopWindow running("AfxFrameOrView42", "Orvane Setup", SW_SHOWMINNOACTIVE);
        SignalObjectAndWait(shown, release, INFINITE, FALSE);
    });
    WaitForSingleObject(shown, INFINITE);
    // A launcher that waited for the hung window would never end.
    EXPECT_EQ(0u, Run("", folder.Subfolder("temp"), 10000));
    EXPECT_EQ("", harness::ListFolder(folder.Subfolder("temp")));
    SetEvent(release);
    hung.join();
}

TEST_F(DemoLauncher, AWindowWithAnotherTitleIsNoRunningNextStage) {
    std::string temp = folder.Subfolder("temp");
    harness::TopWindow other("AfxFrameOrView42", "Orvane Setup - old", SW_SHOWMINNOACTIVE);

    EXPECT_EQ(0u, Run("", temp));
    EXPECT_TRUE(Record("Bootlace").present());
    EXPECT_TRUE(IsIconic(other.Handle()));
}

TEST_F(DemoLauncher, TemporaryPathsAreTakenAsTheyAre) {
    for (const char* name : {"MY TEMP", "100%d %s", "a&b (c)"}) {
        SCOPED_TRACE(name);
        ForgetRecords();
        std::string temp = folder.Subfolder(name);
        ASSERT_EQ(0u, Run("", temp));
        EXPECT_EQ(ExpectedCommandLine(temp, ""), Record("Bootlace").commandLine);
        EXPECT_EQ("0.bat RERUvoro0", harness::ListFolder(temp));
    }
}

TEST_F(DemoLauncher, AnExistingScriptNameIsSkippedForAnother) {
    std::string temp = folder.Subfolder("temp");
    harness::WriteFileBytes(temp + "0.bat", "someone else's");
    ASSERT_EQ(0u, Run("", temp));

    std::smatch match;
    std::string line = Record("Bootlace").commandLine;
    ASSERT_TRUE(std::regex_search(line, match, std::regex("CleanUp=\"(.*)\\\\([0-9]+)\\.bat\" $"))) << line;
    EXPECT_NE("0", match[2].str());
    // The folder's first candidate is 0 again, whatever the script needed.
    EXPECT_EQ(temp + "RERUvoro0", Record("Bootlace").folder);
    EXPECT_EQ("someone else's", harness::ReadFileBytes(temp + "0.bat"));
}

TEST_F(DemoLauncher, AnUnusableTemporaryPathFallsBackToTheRootOfC) {
    for (const char* temp : {"\\\\server\\share\\", "\\\\server\\share"}) {
        SCOPED_TRACE(temp);
        ForgetRecords();
        ASSERT_EQ(0u, Run("", temp));
        std::smatch match;
        harness::StandInRecord next = Record("Bootlace");
        ASSERT_TRUE(std::regex_search(next.commandLine, match, std::regex("CleanUp=\"C:\\\\([0-9]+\\.bat)\" $")))
            << next.commandLine;
        std::smatch folderMatch;
        ASSERT_TRUE(std::regex_match(next.folder, folderMatch, std::regex("C:\\\\RERUvoro[0-9]+"))) << next.folder;
        // Any user may change what C:\ holds, but not the run's own: full
        // access for this user, SYSTEM and Administrators, nothing else
        // (Wine shows the first two alone, from the Unix permissions).
        std::string script = "C:\\" + match[1].str();
        std::regex grantedOnly("D:P?(\\(A;(OICI)?;FA;;;(SY|BA|" + UserSid() + ")\\))+");
        for (const std::string& made : {next.folder, script}) {
            DWORD sd[1024], length;
            char* dacl;
            ASSERT_TRUE(GetFileSecurityA(made.c_str(), DACL_SECURITY_INFORMATION, sd, sizeof sd, &length) &&
                        ConvertSecurityDescriptorToStringSecurityDescriptorA(sd, SDDL_REVISION_1,
                                                                             DACL_SECURITY_INFORMATION, &dacl, nullptr));
            EXPECT_TRUE(std::regex_match(dacl, grantedOnly) && std::strstr(dacl, UserSid().c_str()) != nullptr &&
                        std::strstr(dacl, ";SY)") != nullptr)
                << made << ": " << dacl;
            LocalFree(dacl);
        }
        EXPECT_EQ(0u, harness::RunCleanupScript(script));
        EXPECT_FALSE(harness::FileExists(next.folder) || harness::FileExists(script));
    }
}

// Under UAC the user's unelevated programs share the elevated run's user
// SID: its folder and script take a high label with no write up, an
// unelevated run's none.  Wine keeps no label on the file itself, so this
// reads the descriptor they are created with, for the test's own token and
// its linked one, one elevated and one not.
TEST(PrivateSecurity, LabelsTheFolderAndScriptOfAnElevatedTokenAlone) {
    HANDLE own;
    TOKEN_LINKED_TOKEN linked;
    DWORD length;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own));
    ASSERT_TRUE(GetTokenInformation(own, TokenLinkedToken, &linked, sizeof linked, &length));
    int elevatedTokens = 0;
    for (HANDLE token : {own, linked.LinkedToken}) {
        TOKEN_ELEVATION elevation;
        ASSERT_TRUE(GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &length));
        elevatedTokens += elevation.TokenIsElevated != 0;
        for (PrivateSecurity::Kind kind : {PrivateSecurity::Folder, PrivateSecurity::Script}) {
            SCOPED_TRACE(testing::Message() << "elevated " << elevation.TokenIsElevated << ", kind " << kind);
            PrivateSecurity security(kind, token);
            ASSERT_NE(nullptr, security.Get());
            BOOL present = FALSE, defaulted;
            ACL* sacl = nullptr;
            SYSTEM_MANDATORY_LABEL_ACE* label = nullptr;
            ASSERT_TRUE(GetSecurityDescriptorSacl(security.Get()->lpSecurityDescriptor, &present, &sacl, &defaulted));
            if (present && sacl != nullptr && sacl->AceCount == 1) GetAce(sacl, 0, reinterpret_cast<void**>(&label));
            EXPECT_EQ(elevation.TokenIsElevated != 0, present && sacl != nullptr && sacl->AceCount > 0);
            if (label == nullptr) continue;
            EXPECT_EQ(SYSTEM_MANDATORY_LABEL_ACE_TYPE, label->Header.AceType);
            EXPECT_EQ(kind == PrivateSecurity::Folder ? OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE : 0, label->Header.AceFlags);
            EXPECT_EQ(static_cast<DWORD>(SYSTEM_MANDATORY_LABEL_NO_WRITE_UP), label->Mask);
            EXPECT_TRUE(IsWellKnownSid(&label->SidStart, WinHighLabelSid));
        }
    }
    EXPECT_EQ(1, elevatedTokens);
    CloseHandle(linked.LinkedToken);
    CloseHandle(own);
}

}  // namespace
