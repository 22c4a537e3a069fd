// The splash dialog under Wine on the virtual display: this program carries
// the launcher's own resources, so the splash shows as the launcher shows
// it.  Messages are sent to the dialog as the system or the user would.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "WinHarness.h"
#include "splash/Splash.h"
#include "splash_support.h"

using harness::TestFolder;

namespace {

const wchar_t* const ConfirmInterruptEnglish =
    L"You are about to interrupt the Orvane download.\n"
    L"To continue downloading, you just need to restart the setup program.\n"
    L"Files already downloaded won't be downloaded again.\n"
    L"Do you really want to interrupt the download?";

// A clock for the final wait: starts at start, steps by step on each call.
// Its sleeps only record how long they were asked for.
struct FakeClock {
    static DWORD now, step;
    static int calls;
    static std::vector<DWORD> sleeps;
    static void Start(DWORD start, DWORD by) {
        now = start;
        step = by;
        calls = 0;
        sleeps.clear();
    }
    static DWORD Read() {
        ++calls;
        DWORD value = now;
        now += step;
        return value;
    }
    static DWORD Sleep(DWORD timeoutMs) {
        sleeps.push_back(timeoutMs);
        return WAIT_TIMEOUT;
    }
    // A sleep after which the splash has ended.
    static DWORD SleepThenEnd(DWORD timeoutMs) {
        NoteSplashEnded();
        return Sleep(timeoutMs);
    }
};
DWORD FakeClock::now, FakeClock::step;
int FakeClock::calls;
std::vector<DWORD> FakeClock::sleeps;

void DrainMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

class Splash : public ::testing::Test {
protected:
    Splash()
        : folder(::testing::UnitTest::GetInstance()->current_test_info()->name()),
          instance(GetModuleHandleA(nullptr)),
          window(nullptr) {
        ResetSplashState();  // as at program start
    }
    ~Splash() override {
        if (window != nullptr && IsWindow(window)) DestroyWindow(window);
        DrainMessages();
    }

    void Show() {
        window = CreateSplash(Setup());
        ASSERT_NE(nullptr, window);
    }

    // The integer rule: left = (screen width - outer width) / 2, likewise top.
    void ExpectCentred() {
        RECT outer;
        GetWindowRect(window, &outer);
        EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2, outer.left);
        EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2, outer.top);
    }

    SplashSetup Setup() const { return {instance, L"Orvane Setup", ConfirmInterruptEnglish}; }

    void ExpectShownAndAlive() {
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_FALSE(SplashHasEnded());
    }

    void ExpectEnded() {
        EXPECT_TRUE(IsWindow(window));  // ended, not destroyed
        EXPECT_FALSE(IsWindowVisible(window));
        EXPECT_TRUE(SplashHasEnded());
        EXPECT_TRUE(SplashHasPainted());
    }

    TestFolder folder;
    HINSTANCE instance;
    HWND window;
};

TEST_F(Splash, ShowsThePictureCentredAndActive) {
    Show();
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(480, client.right);
    EXPECT_EQ(350, client.bottom);
    ExpectCentred();
    ExpectShownAndAlive();
    EXPECT_EQ(window, GetFocus());
    EXPECT_FALSE(SplashHasPainted());  // nothing is painted before the launcher pumps
}

TEST_F(Splash, TheScreenShowsTheBitmapsPixelsAfterTheFirstPaint) {
    Show();
    WaitForFirstPaint();
    std::string picture = splashtest::ResourceBytes(GetModuleHandleA(nullptr), RT_BITMAP, 134);
    EXPECT_TRUE(splashtest::ScreenComesToShow(window, picture));
}

TEST_F(Splash, EveryPaintClearsThePendingFlag) {
    Show();
    WaitForFirstPaint();
    ResetSplashState();
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    EXPECT_TRUE(SplashHasPainted());
}

TEST_F(Splash, CloseAnsweredNoChangesNothing) {
    Show();
    WaitForFirstPaint();
    harness::MessageBoxAnswerer answerer("Orvane Setup", IDNO);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(answerer.Answered());
    EXPECT_EQ(ConfirmInterruptEnglish, answerer.TextW());
    ExpectShownAndAlive();
}

TEST_F(Splash, CloseAnsweredYesEndsTheProcessWithExitCode0) {
    EXPECT_EXIT(
        {
            Show();
            harness::MessageBoxAnswerer answerer("Orvane Setup", IDYES);
            SendMessageA(window, WM_CLOSE, 0, 0);
            exit(3);  // not reached when Yes ends the process
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(Splash, LosingTheFocusEndsItOnlyAfterTheLaunch) {
    Show();
    WaitForFirstPaint();
    SendMessageA(window, WM_KILLFOCUS, 0, 0);
    ExpectShownAndAlive();

    NoteNextStageStarted();
    SendMessageA(window, WM_KILLFOCUS, 0, 0);
    ExpectEnded();
}

TEST_F(Splash, DestroyingItAfterTheLaunchEndsItAndTheFinalWaitAtOnce) {
    // The launcher's own order: launch, destroy while it has the focus, linger.
    Show();
    WaitForFirstPaint();
    NoteNextStageStarted();
    ASSERT_EQ(window, GetFocus());
    DestroyWindow(window);
    EXPECT_TRUE(SplashHasEnded());
    FakeClock::Start(1000, 1);
    LingerWhileSplashAlive(FakeClock::Read);
    EXPECT_EQ(1, FakeClock::calls);  // t0 only
}

TEST_F(Splash, TheFinalWaitWakesForAMessageFromAnotherThread) {
    Show();
    WaitForFirstPaint();
    NoteNextStageStarted();
    // Cancel is posted once the wait is about to sleep; the clock stands
    // still, so only that message can end the wait.
    static HANDLE sleeping;
    static std::vector<DWORD> answers;
    sleeping = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    answers.clear();
    std::thread poster([this] {
        WaitForSingleObject(sleeping, INFINITE);
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    FakeClock::Start(1000, 0);
    LingerWhileSplashAlive(FakeClock::Read, [](DWORD timeoutMs) {
        SetEvent(sleeping);
        DWORD answer = WaitForMessage(timeoutMs);
        answers.push_back(answer);
        return answer;
    });
    poster.join();
    CloseHandle(sleeping);
    ExpectEnded();
    ASSERT_FALSE(answers.empty());
    for (DWORD answer : answers) EXPECT_EQ(WAIT_OBJECT_0, answer);  // woken by a message, never timed out
}

TEST_F(Splash, AnyTimerStopsTimer1AndPostsCancel) {
    Show();
    WaitForFirstPaint();
    ASSERT_NE(0u, SetTimer(window, 1, 600000, nullptr));
    SendMessageA(window, WM_TIMER, 77, 0);
    EXPECT_FALSE(KillTimer(window, 1));  // already stopped
    ExpectShownAndAlive();

    MSG posted;
    ASSERT_TRUE(PeekMessageA(&posted, window, WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
    EXPECT_EQ(static_cast<WPARAM>(IDCANCEL), posted.wParam);
    EXPECT_EQ(0, posted.lParam);
    PumpOneMessage();
    ExpectEnded();
}

TEST_F(Splash, OnlyAPlainCancelCommandEndsIt) {
    Show();
    for (WPARAM ignored : {WPARAM(1), WPARAM(0x10002), WPARAM(IDOK)}) {
        SendMessageA(window, WM_COMMAND, ignored, 0);
        ExpectShownAndAlive();
    }
    // Before the first paint: the first wait must still end.
    EXPECT_FALSE(SplashHasPainted());
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    ExpectEnded();
}

TEST_F(Splash, WithoutItsDialogNeitherWaitBlocks) {
    splashtest::ResourceModule empty(folder, {});
    instance = empty.Handle();
    EXPECT_EQ(nullptr, CreateSplash(Setup()));
    EXPECT_TRUE(SplashHasPainted());
    EXPECT_TRUE(SplashHasEnded());
    WaitForFirstPaint();
    FakeClock::Start(1000, 1);
    LingerWhileSplashAlive(FakeClock::Read);
    EXPECT_EQ(1, FakeClock::calls);
}

TEST_F(Splash, WithoutItsBitmapItKeepsTheTemplatesSizeCentred) {
    std::string dialog = splashtest::ResourceBytes(GetModuleHandleA(nullptr), RT_DIALOG, 103);
    splashtest::ResourceModule dialogOnly(folder, {{RT_DIALOG, 103, 1031, dialog}});
    instance = dialogOnly.Handle();
    Show();
    RECT client, units = {0, 0, 323, 213};
    GetClientRect(window, &client);
    MapDialogRect(window, &units);
    EXPECT_EQ(units.right, client.right);
    EXPECT_EQ(units.bottom, client.bottom);
    ExpectCentred();
    WaitForFirstPaint();
    ExpectShownAndAlive();
}

TEST(LingerExpired, ComparesTheWrappedDeadlineUnsigned) {
    struct {
        DWORD t0, now;
        bool expired;
    } cases[] = {
        {0, 4999, false},
        {0, 5000, true},
        {0xFFFFEC76, 0xFFFFFFFD, false},  // t0 + 5000 is 0xFFFFFFFE
        {0xFFFFEC76, 0xFFFFFFFE, true},
        // Within 5000 ms of the wrap the deadline wraps to a small value.
        {0xFFFFF000, 0xFFFFF000, true},
        {0xFFFFFFFF, 0xFFFFFFFF, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.t0 << " " << c.now);
        EXPECT_EQ(c.expired, LingerExpired(c.t0, c.now));
    }
}

TEST(LingerWhileSplashAlive, WaitsAtMost5000ClockMilliseconds) {
    ResetSplashState();
    FakeClock::Start(100, 1000);
    LingerWhileSplashAlive(FakeClock::Read, FakeClock::Sleep);
    EXPECT_EQ(6, FakeClock::calls);  // 100, then 1100 .. 5100
    EXPECT_EQ(6100u, FakeClock::now);
    // Asleep between the looks, each time until the deadline.
    EXPECT_EQ((std::vector<DWORD>{4000, 3000, 2000, 1000}), FakeClock::sleeps);

    FakeClock::Start(0xFFFFF000, 1);
    LingerWhileSplashAlive(FakeClock::Read, FakeClock::Sleep);
    EXPECT_EQ(2, FakeClock::calls);  // ends at its first test
    EXPECT_TRUE(FakeClock::sleeps.empty());

    // The clock wrapped after t0: the deadline (0xFFFFFFFF) lies almost 2^32
    // ms ahead, which must not become a sleep without end (INFINITE).
    FakeClock::Start(0xFFFFEC77, 0x13A0);
    LingerWhileSplashAlive(FakeClock::Read, FakeClock::SleepThenEnd);
    EXPECT_EQ((std::vector<DWORD>{5000}), FakeClock::sleeps);
}

}  // namespace
