// The size estimate of QlString::FormatV, natively: the reservation for
// each kind of conversion, and formats that end in the middle of one.
#include <gtest/gtest.h>

#include <stdarg.h>
#include <string.h>

#include "string/FormatEstimate.h"

namespace {

int Estimate(const char* format, ...) {
    va_list args;
    va_start(args, format);
    int estimate = EstimateFormatLength(format, args);
    va_end(args);
    return estimate;
}

TEST(FormatEstimate, FixedReservationsPerConversion) {
    EXPECT_EQ(0, Estimate(""));
    EXPECT_EQ(3, Estimate("abc"));
    EXPECT_EQ(4, Estimate("100%%"));
    EXPECT_EQ(36, Estimate("%d.bat", 7));
    EXPECT_EQ(32, Estimate("%i", 1));
    EXPECT_EQ(32, Estimate("%o", 1));
    EXPECT_EQ(32, Estimate("%u", 1u));
    EXPECT_EQ(32, Estimate("%X", 1));
    EXPECT_EQ(40, Estimate("%30.10d", 1));
    EXPECT_EQ(128, Estimate("%e", 1.0));
    EXPECT_EQ(128, Estimate("%G", 1.0));
    EXPECT_EQ(200, Estimate("%150.50f", 1.0));
    EXPECT_EQ(32, Estimate("%p", static_cast<void*>(nullptr)));
    EXPECT_EQ(0, Estimate("%n", static_cast<int*>(nullptr)));
    EXPECT_EQ(65, Estimate("%ld|%hd", 5L, 6));
    EXPECT_EQ(34, Estimate("%#x", 255));
    // Every size prefix takes the argument's own size, and the next one is a text again.
    EXPECT_EQ(35, Estimate("%hhd%s", 1, "abc"));
    EXPECT_EQ(35, Estimate("%lld%s", 5LL, "abc"));
    EXPECT_EQ(35, Estimate("%I64d%s", 5LL, "abc"));
    EXPECT_EQ(35, Estimate("%I32x%s", 5, "abc"));
    EXPECT_EQ(131, Estimate("%E%s", 1.0, "abc"));
    EXPECT_EQ(131, Estimate("%La%s", 1.0, "abc"));
    EXPECT_EQ(6, Estimate("%Is|%s", "abc"));  // an 'I' without a number after it is text
}

TEST(FormatEstimate, TextAndCharacters) {
    EXPECT_EQ(8, Estimate("[%s]", static_cast<const char*>(nullptr)));
    EXPECT_EQ(3, Estimate("<%s>", ""));  // at least one
    EXPECT_EQ(6, Estimate("%s", "abcdef"));
    EXPECT_EQ(3, Estimate("%.3s", "abcdef"));
    EXPECT_EQ(10, Estimate("%10.3s", "abcdef"));
    EXPECT_EQ(2, Estimate("%c", 'x'));
    EXPECT_EQ(1, Estimate("%.1c", 'x'));
    EXPECT_EQ(5, Estimate("%5c", 'x'));
    EXPECT_EQ(172, Estimate("%-8s|%5.2f|%#x", "ab", 1.5, 255));
    EXPECT_EQ(5, Estimate("%C%s", 'x', "abc"));
    EXPECT_EQ(5, Estimate("%wc%s", 'x', "abc"));
    EXPECT_EQ(11, Estimate("%S%s", u"wide", "abc"));  // two bytes a wide character
    const struct { unsigned short length, maximumLength; const void* buffer; } ansi{3, 3, "abc"}, wide{8, 8, u"wide"};
    EXPECT_EQ(6, Estimate("%Z|%s", &ansi, "de"));
    EXPECT_EQ(8, Estimate("%wZ", &wide));
}

TEST(FormatEstimate, WidthsAndPrecisionsFromTheArguments) {
    EXPECT_EQ(32, Estimate("%*d", -20, 5));
    EXPECT_EQ(45, Estimate("%*d", 45, 5));
    EXPECT_EQ(10, Estimate("%*.*s", -10, -1, "abc"));
    EXPECT_EQ(2, Estimate("%.*s", 2, "abc"));
    // The arguments after a starred width are taken in the formatter's order.
    EXPECT_EQ(32 + 1 + 5, Estimate("%*d|%s", 3, 7, "hello"));
    // A precision bounds the read: counted texts need no NUL.
    const char counted[3] = {'a', 'b', 'c'};
    const char16_t countedWide[2] = {'a', 'b'};
    EXPECT_EQ(3, Estimate("%.3s", counted));
    EXPECT_EQ(2, Estimate("%.*s", 2, counted));
    EXPECT_EQ(4, Estimate("%.2ls", countedWide));
}

TEST(FormatEstimate, FormatsCutShortEndWithoutReadingPastTheirEnd) {
    // Copied to exact-size heap blocks so a read past the NUL is caught.
    const struct {
        const char* format;
        int estimate;
    } cases[] = {{"abc%", 3}, {"abc%-", 3}, {"%#", 2}, {"%5", 0}, {"%.", 0}, {"%.3", 0}, {"%l", 0}, {"%#-0 +", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        size_t size = strlen(c.format) + 1;
        char* exact = new char[size];
        memcpy(exact, c.format, size);
        EXPECT_EQ(c.estimate, Estimate(exact));
        delete[] exact;
    }
}

}  // namespace
