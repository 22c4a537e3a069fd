// The run's steps in process, with the demo payload as this program's own
// resources: an allocation that fails anywhere on the way to the next stage
// is one more recorded failure of the one path.  Every allocation of the run
// is made to fail in turn.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "WinHarness.h"
#include "launcher/Run.h"
#include "launcher/system/MessageCatalogue.h"
#include "launcher/system/UserMessage.h"

#include "tests/common/counting_new.h"

namespace {

TEST(Run, AnAllocationThatFailsIsReportedAndWhatWasWrittenIsRemoved) {
    harness::TestFolder folder("RunAllocations");
    std::string temp = folder.Subfolder("temp");
    SetEnvironmentVariableA("TMP", temp.c_str());
    SetEnvironmentVariableA("TEMP", temp.c_str());
    UserMessage outOfMemory(GetMessageText(MSG_OUT_OF_MEMORY));
    int failed = 0;
    for (long fail = 0;; ++fail) {
        SCOPED_TRACE(fail);
        RunOutput output;
        RunFailure failure;
        KernelHandle nextStage;
        countingnew::allowed = fail;
        bool started = RunSetup(GetModuleHandleA(nullptr), L"", output, failure, &nextStage);
        countingnew::allowed = -1;
        if (started) {
            WaitForSingleObject(nextStage.Get(), 10000);
            break;
        }
        ++failed;
        EXPECT_EQ(2, failure.ExitCode());
        output.Remove();
        EXPECT_EQ("", harness::ListFolder(temp));
        // What the user is told, once: every failure here is the same one.
        if (fail == 0) {
            harness::MessageBoxAnswerer answer("Orvane Setup", IDOK);
            failure.Report(GetModuleHandleA(nullptr), true);
            EXPECT_EQ(std::wstring(outOfMemory.Text()), answer.TextW());
        }
        if (HasFailure()) break;
    }
    EXPECT_GT(failed, 50);  // the run allocates, so that many of them failed
}

}  // namespace
