// The tools' command line (tools/cli/Arguments.h): a number option, one row
// per line, with the value it gives or the fault it reports.
#include <gtest/gtest.h>

#include "tools/cli/Arguments.h"

namespace {

TEST(Arguments, NumbersAreWholeAndWithinTheirBoundsOrAFault) {
    const struct {
        std::vector<std::string> words;
        uint64_t value;     // --piece, 7 when not given
        const char* error;  // "" when the line fits
        size_t rest;        // words left when it fits
    } cases[] = {
        {{"a", "--piece", "100", "b"}, 100, "", 2},
        {{"a"}, 7, "", 1},
        {{"--piece", "abc"}, 7, "--piece takes a number from 0 to 4096, not \"abc\"", 0},
        {{"--piece", "-1"}, 7, "--piece takes a number from 0 to 4096", 0},
        {{"--piece", "4097"}, 7, "--piece takes a number from 0 to 4096", 0},
        {{"--piece", "99999999999999999999"}, 7, "--piece takes a number", 0},
        {{"--piece", "1", "--piece", "2"}, 7, "--piece given twice", 0},
        {{"--piece"}, 7, "--piece needs a value", 0},
        {{"--piece", ""}, 7, "--piece takes a value, not an empty word", 0},
        {{"--pieces", "1"}, 7, "unknown option --pieces", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        Arguments parsed(c.words);
        uint64_t value = 7;
        parsed.TakeNumber("--piece", 0, 4096, value);
        size_t rest = parsed.Rest().size();
        if (*c.error == '\0') {
            EXPECT_EQ("", parsed.Error());
            EXPECT_EQ(c.rest, rest);
        } else {
            EXPECT_EQ(0u, parsed.Error().find(c.error)) << parsed.Error();
        }
        EXPECT_EQ(c.value, value);
    }
}

}  // namespace
