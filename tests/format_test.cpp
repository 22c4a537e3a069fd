// QlString's formatting: the reservation made by the size estimate (seen as
// the capacity of a fresh string), the text produced by the runtime's
// formatter, and the message-insert formatter.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <new>
#include <string>

#include "string/QlString.h"

namespace {

template <typename... Args>
QlString Formatted(const char* format, Args... args) {
    QlString s;
    s.Format(format, args...);
    return s;
}

// What the runtime's formatter gives for the same arguments, unbounded.
template <typename... Args>
std::string Reference(const char* format, Args... args) {
    int length = _scprintf(format, args...);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    _snprintf(&text[0], text.size(), format, args...);
    text.resize(strlen(text.c_str()));
    return text;
}

struct Case {
    const char* description;
    QlString result;
    const char* text;
    int reserved;
};

TEST(QlStringFormat, ReservesByTheEstimateAndFormatsWithTheRuntime) {
    const Case cases[] = {
        {"integer and text", Formatted("%d.bat", 7), "7.bat", 36},
        {"percent pair", Formatted("100%%"), "100%", 4},
        {"null string", Formatted("[%s]", static_cast<const char*>(nullptr)), "[(null)]", 8},
        {"flags, width, precision, '#'", Formatted("%-8s|%5.2f|%#x", "ab", 1.5, 255), "ab      | 1.50|0xff", 172},
        {"precision cuts text", Formatted("%.3s", "abcdef"), "abc", 3},
        {"width raises text", Formatted("%10.3s", "abcdef"), "       abc", 10},
        {"character width", Formatted("%5c", 'x'), "    x", 5},
        {"negative star width", Formatted("%*d", -20, 5), "5                   ", 32},
        {"negative star precision", Formatted("%*.*s", -10, -1, "abc"), "abc       ", 10},
        {"empty text counts one", Formatted("<%s>", ""), "<>", 3},
        // The runtime prints all of a pointer's digits: 8 or 16 by the width.
        {"pointer", Formatted("%p", reinterpret_cast<void*>(0x1234)),
         sizeof(void*) == 8 ? "0000000000001234" : "00001234", 32},
        {"size prefix", Formatted("%ld|%hd", 5L, 6), "5|6", 65},
        {"plain text", Formatted("C:\\TEMP\\RERUvoro%d", 0), "C:\\TEMP\\RERUvoro0", 48},
        {"launcher's space message",
         Formatted("Insufficient space on drive %s to run setup!\n(%.1f MB required, only %.1f MB available)", "C:",
                   10485760 / 1048576.0, 10485759 / 1048576.0),
         "Insufficient space on drive C: to run setup!\n(10.0 MB required, only 10.0 MB available)", 335},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        EXPECT_STREQ(c.text, c.result);
        EXPECT_EQ(static_cast<int>(strlen(c.text)), c.result.GetLength());
        EXPECT_EQ(c.reserved, c.result.GetAllocLength());
    }
}

TEST(QlStringFormat, ANulCharacterEndsTheText) {
    QlString s = Formatted("a%cb", '\0');
    EXPECT_EQ(1, s.GetLength());
    EXPECT_STREQ("a", s);
}

TEST(QlStringFormat, FormatsCutShortAtTheEndAreWalkedNoFurther) {
    QlString percent = Formatted("abc%");
    EXPECT_EQ(3, percent.GetAllocLength());
    EXPECT_EQ(0, strncmp("abc", percent, 3));
    QlString flag = Formatted("abc%-");
    EXPECT_EQ(3, flag.GetAllocLength());
    QlString hash = Formatted("%#");
    EXPECT_EQ(2, hash.GetAllocLength());
}

TEST(QlStringFormat, AnEmptyFormatKeepsTheReceiversBlock) {
    QlString empty = Formatted("");
    EXPECT_EQ(0, empty.GetAllocLength());
    EXPECT_EQ(static_cast<const char*>(QlGetEmptyString()), static_cast<const char*>(empty));

    QlString s("previous text");
    const char* block = s;
    s.Format("");
    EXPECT_EQ(0, s.GetLength());
    EXPECT_EQ(13, s.GetAllocLength());
    EXPECT_EQ(block, static_cast<const char*>(s));
}

TEST(QlStringFormat, ASharedReceiverGetsABlockOfItsOwn) {
    QlString a("shared text");
    QlString b(a);
    a.Format("%d", 42);
    EXPECT_STREQ("42", a);
    EXPECT_STREQ("shared text", b);

    QlString roomy;
    roomy.GetBuffer(500);
    roomy.ReleaseBuffer(0);
    const char* block = roomy;
    roomy.Format("%s-%d", "x", 1);
    EXPECT_STREQ("x-1", roomy);
    EXPECT_EQ(block, static_cast<const char*>(roomy));
    EXPECT_EQ(500, roomy.GetAllocLength());
}

// Where the estimate falls short of the formatter, the text is still whole:
// the formatter is bounded by the block, which grows to the exact length.
TEST(QlStringFormat, OutputBeyondTheEstimateIsStillComplete) {
    struct Shortfall {
        const char* description;
        QlString result;
        std::string expected;
    } cases[] = {
        {"huge fixed-point value", Formatted("%f", 1e300), Reference("%f", 1e300)},
        {"large precision", Formatted("%.300f", 1.0 / 3), Reference("%.300f", 1.0 / 3)},
        {"unknown conversion", Formatted("%E|%s", 1.5, "tail"), Reference("%E|%s", 1.5, "tail")},
        // On 32 bits each 64-bit argument takes two slots, then the text.
        {"two-letter prefixes, then text", Formatted("%I64d|%lld|%s", 1099511627776LL, -5LL, "tail"),
         Reference("%I64d|%lld|%s", 1099511627776LL, -5LL, "tail")},
        {"precision with sign", Formatted("%+.40d", 7), Reference("%+.40d", 7)},
        {"no reservation at all", Formatted("%E", 2.5), Reference("%E", 2.5)},
    };
    for (const Shortfall& c : cases) {
        SCOPED_TRACE(c.description);
        ASSERT_FALSE(c.expected.empty());
        EXPECT_EQ(c.expected, std::string(c.result));
        EXPECT_EQ(static_cast<int>(c.expected.size()), c.result.GetLength());
        EXPECT_GE(c.result.GetAllocLength(), c.result.GetLength());
    }
}

TEST(QlStringFormatMessage, InsertsTakeTheArgumentsInOrder) {
    QlString s;
    s.FormatMessageA("%1 and %2", "x", "y");
    EXPECT_STREQ("x and y", s);
    s.FormatMessageA("%2 before %1", "x", "y");
    EXPECT_STREQ("y before x", s);
}

TEST(QlStringFormatMessage, AFailureThrowsAndKeepsTheText) {
    QlString s("kept");
    EXPECT_THROW(s.FormatMessageA(""), std::bad_alloc);
    EXPECT_STREQ("kept", s);

    // Inside a handler, the exception being handled is thrown on.
    struct Handled {};
    try {
        try {
            throw Handled();
        } catch (const Handled&) {
            s.FormatMessageA("");
        }
        FAIL() << "FormatMessageA did not throw";
    } catch (const Handled&) {
    }
    EXPECT_STREQ("kept", s);
}

}  // namespace
