// The pieces the failure report is made of, with the real Windows API: the
// catalogue format's inserts and the system's reason with its "%1" filled;
// unique names claimed through a fake claim; the holders.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>

#include "WinHarness.h"
#include "launcher/FailureReport.h"
#include "launcher/system/KernelHandle.h"
#include "launcher/system/MessageCatalogue.h"
#include "launcher/system/UniqueName.h"
#include "launcher/system/UserMessage.h"
#include "string/LocalText.h"

namespace {

TEST(UserMessage, EachPercentSTakesTheNextInsertAndPercentPercentIsOnePercent) {
    const struct {
        const char* format;
        std::initializer_list<const wchar_t*> inserts;
        const wchar_t* text;
    } cases[] = {
        {"%s and %s", {L"C:\\\x0416", L"b"}, L"C:\\\x0416 and b"},
        {"100%% of %s%%", {L"x"}, L"100% of x%"},
        {"%s|%s|%s", {L"a", nullptr}, L"a||"},          // an absent insert is nothing
        {"%d %1 %", {L"a"}, L"%d %1 %"},                // other conversions stay text
        {"caf\xE9 %s", {L"\xE9"}, L"caf\xE9 \xE9"},     // the catalogue's page, whatever the system's
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(std::wstring(c.text), UserMessage(c.format, c.inserts).Text());
    }
    std::wstring longInsert(5000, L'x');
    EXPECT_EQ(2047u, std::wstring(UserMessage("a%sb", {longInsert.c_str()}).Text()).size());  // cut, never past
}

TEST(SystemReason, FillsTheSubjectAndDropsTheClosingLineEnd) {
    SystemReason badProgram(ERROR_BAD_EXE_FORMAT, L"C:\\T\\Bootlace.exe");
    std::wstring text = badProgram.Text();
    EXPECT_NE(std::wstring::npos, text.find(L"C:\\T\\Bootlace.exe"));
    EXPECT_EQ(std::wstring::npos, text.find(L"%1"));
    EXPECT_FALSE(text.empty() || text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ');
    EXPECT_STREQ(L"Error 536870911", SystemReason(0x1FFFFFFF, L"x").Text());  // no text: its number
}

// Takes the first `taken` names it is offered, then answers `last`.
struct FakeClaim {
    int taken;
    NameClaim last;
    int offered;
    std::string first;

    static NameClaim Claim(const char* name, void* self) {
        FakeClaim& claim = *static_cast<FakeClaim*>(self);
        if (claim.offered++ == 0) claim.first = name;
        return claim.offered <= claim.taken ? NameTaken : claim.last;
    }
};

TEST(MakeUniqueName, TriesZeroThenOtherNumbersUntilAClaimSucceedsOrIsRefused) {
    const struct {
        int taken;
        NameClaim last;
        bool made;
        int offered;
    } cases[] = {
        {0, NameClaimed, true, 1}, {3, NameClaimed, true, 4}, {2, NameRefused, false, 3}, {1000, NameClaimed, false, 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.taken);
        FakeClaim claim{c.taken, c.last, 0, ""};
        QlString name;
        EXPECT_EQ(c.made, MakeUniqueName("C:\\T\\%d.bat", FakeClaim::Claim, &claim, name));
        EXPECT_EQ(c.offered, claim.offered);
        EXPECT_EQ("C:\\T\\0.bat", claim.first);
        // The name claimed or refused; none after a thousand taken ones.
        std::string last = static_cast<const char*>(name);
        EXPECT_TRUE(c.taken < 1000 ? std::regex_match(last, std::regex("C:\\\\T\\\\[0-9]+\\.bat")) : last.empty()) << last;
    }
}

TEST(Holders, ReleaseWhatTheyHoldExactlyOnce) {
    HANDLE first = CreateEventA(nullptr, TRUE, FALSE, nullptr), second = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        KernelHandle held(first);
        held.Reset(second);
        EXPECT_FALSE(harness::HandleOpen(first));
        EXPECT_TRUE(harness::HandleOpen(second));
        EXPECT_EQ(second, held.Get());
    }
    EXPECT_FALSE(harness::HandleOpen(second));
    // A block the system allocates: LocalFree, once, with the holder.
    HLOCAL block;
    {
        LocalText text;
        ASSERT_TRUE(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, ERROR_ACCESS_DENIED, 0, text.Receive(), 0, nullptr) != 0);
        block = LocalHandle(text.Get());
        EXPECT_NE(0u, LocalSize(block));
    }
    EXPECT_EQ(0u, LocalSize(block));
}

}  // namespace
