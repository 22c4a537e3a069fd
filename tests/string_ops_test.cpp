// QlString's operations: comparison, extraction, searches, changes in
// place, code pages and the wide view, on texts with NUL bytes inside and
// bytes above 0x7F, and their effect on sharing, locks and capacity.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <limits.h>

#include <functional>
#include <new>
#include <string>

#include "string/QlString.h"

namespace {

// The block header lies just before the characters.
const QlStringData* Header(const QlString& s) {
    return reinterpret_cast<const QlStringData*>(static_cast<const char*>(s)) - 1;
}

bool IsEmptyRepresentation(const QlString& s) {
    return static_cast<const char*>(s) == static_cast<const char*>(QlGetEmptyString());
}

// All of the text, NUL bytes included.
std::string Text(const QlString& s) {
    return std::string(static_cast<const char*>(s), static_cast<size_t>(s.GetLength()));
}

QlString Bytes(const std::string& bytes) {
    return QlString(bytes.data(), static_cast<int>(bytes.size()));
}

const std::string kNulInside("ab\0cd", 5);

int Sign(int value) {
    return (value > 0) - (value < 0);
}

bool IsAscii(const std::string& text) {
    for (char ch : text)
        if (static_cast<unsigned char>(ch) > 0x7F) return false;
    return true;
}

template <class L, class R>
void ExpectOrder(const L& left, const R& right, int sign) {
    EXPECT_EQ(sign == 0, left == right);
    EXPECT_EQ(sign != 0, left != right);
    EXPECT_EQ(sign < 0, left < right);
    EXPECT_EQ(sign > 0, left > right);
    EXPECT_EQ(sign <= 0, left <= right);
    EXPECT_EQ(sign >= 0, left >= right);
}

TEST(QlStringCompare, UnsignedByteOrderLowerCaseFoldingAndEveryOperatorForm) {
    struct Row {
        std::string left;
        const char* right;
        int compare;
        int noCase;
    } rows[] = {
        {"a", "B", 1, -1},        {"ab", "abc", -1, -1},   {"abc", "ab", 1, 1},
        {"abc", "abc", 0, 0},     {"ABC", "abc", -1, 0},   {"Zebra", "apple", -1, 1},
        {"_", "A", 1, -1},        {"\x80", "z", 1, 1},     {"\xff", "\x7f", 1, 1},
        {"\xC9", "\xE9", -1, -1}, {"", "", 0, 0},          {"", "a", -1, -1},
        {kNulInside, "ab", 0, 0}, {kNulInside, "abcd", -1, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.left + " vs " + row.right);
        QlString left = Bytes(row.left);
        QlString right(row.right);
        EXPECT_EQ(row.compare, left.Compare(row.right));
        EXPECT_EQ(row.noCase, left.CompareNoCase(row.right));
        EXPECT_EQ(-row.compare, right.Compare(left));
        // The "C" locale collates in the same order.  (Wine's _stricoll
        // takes bytes above 0x7F as signed, unlike Windows' runtime.)
        EXPECT_EQ(row.compare, Sign(left.Collate(row.right)));
        if (IsAscii(row.left) && IsAscii(row.right)) {
            EXPECT_EQ(row.noCase, Sign(left.CollateNoCase(row.right)));
        }
        ExpectOrder(left, right, row.compare);
        ExpectOrder(left, row.right, row.compare);
        ExpectOrder(row.right, left, -row.compare);
    }
}

TEST(QlStringExtract, ClampsAndNeverSharesTheReceiversBlock) {
    const QlString s("abcdef");
    struct Row {
        const char* description;
        std::function<QlString()> extract;
        std::string expected;
    } rows[] = {
        {"Mid(-2, 3)", [&] { return s.Mid(-2, 3); }, "abc"},
        {"Mid(4, 10)", [&] { return s.Mid(4, 10); }, "ef"},
        {"Mid(1, INT_MAX)", [&] { return s.Mid(1, INT_MAX); }, "bcdef"},
        {"Mid(INT_MAX, 1)", [&] { return s.Mid(INT_MAX, 1); }, ""},
        {"Mid(7)", [&] { return s.Mid(7); }, ""},
        {"Mid(2)", [&] { return s.Mid(2); }, "cdef"},
        {"Mid(INT_MIN)", [&] { return s.Mid(INT_MIN); }, "abcdef"},
        {"Left(-1)", [&] { return s.Left(-1); }, ""},
        {"Left(0)", [&] { return s.Left(0); }, ""},
        {"Mid(5, 1)", [&] { return s.Mid(5, 1); }, "f"},
        {"Left(1)", [&] { return s.Left(1); }, "a"},
        {"Right(1)", [&] { return s.Right(1); }, "f"},
        {"Left(3)", [&] { return s.Left(3); }, "abc"},
        {"Left(10)", [&] { return s.Left(10); }, "abcdef"},
        {"Right(2)", [&] { return s.Right(2); }, "ef"},
        {"Right(10)", [&] { return s.Right(10); }, "abcdef"},
        {"Right(-3)", [&] { return s.Right(-3); }, ""},
        {"SpanIncluding(cba)", [&] { return s.SpanIncluding("cba"); }, "abc"},
        {"SpanIncluding(x)", [&] { return s.SpanIncluding("x"); }, ""},
        {"SpanExcluding(xd)", [&] { return s.SpanExcluding("xd"); }, "abc"},
        {"SpanExcluding(empty)", [&] { return s.SpanExcluding(""); }, "abcdef"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.description);
        QlString part = row.extract();
        EXPECT_EQ(row.expected, Text(part));
        EXPECT_NE(static_cast<const char*>(s), static_cast<const char*>(part));
        EXPECT_EQ(1, Header(s)->refCount);
        if (row.expected.empty()) {
            EXPECT_TRUE(IsEmptyRepresentation(part));
        } else {
            EXPECT_EQ(1, Header(part)->refCount);
            EXPECT_EQ(part.GetLength(), part.GetAllocLength());
        }
    }
    // NUL bytes inside the text are copied like any other byte.
    EXPECT_EQ(std::string("b\0c", 3), Text(Bytes(kNulInside).Mid(1, 3)));
}

TEST(QlStringFind, SearchesClampTheStartAndEndAtTheFirstNul) {
    const QlString s("abcabc");
    const QlString nul = Bytes(kNulInside);
    const QlString high("a\xE9" "b\xE9");
    struct Row {
        const char* description;
        int found;
        int expected;
    } rows[] = {
        {"Find('c')", s.Find('c'), 2},
        {"Find('c', 3)", s.Find('c', 3), 5},
        {"Find('c', -5)", s.Find('c', -5), 2},
        {"Find('a', INT_MAX)", s.Find('a', INT_MAX), -1},
        {"Find(NUL)", s.Find('\0'), 6},
        {"Find(bc)", s.Find("bc"), 1},
        {"Find(bc, 2)", s.Find("bc", 2), 4},
        {"Find(bc, -1)", s.Find("bc", -1), 1},
        {"Find(empty)", s.Find(""), 0},
        {"Find(empty, length)", s.Find("", 6), 6},
        {"Find(empty, length + 1)", s.Find("", 7), -1},
        {"Find(x)", s.Find("x"), -1},
        {"ReverseFind('a')", s.ReverseFind('a'), 3},
        {"FindOneOf(xc)", s.FindOneOf("xc"), 2},
        {"FindOneOf(empty)", s.FindOneOf(""), -1},
        {"NUL inside: Find(cd)", nul.Find("cd"), -1},
        {"NUL inside: Find('d')", nul.Find('d'), -1},
        {"NUL inside: Find(NUL)", nul.Find('\0'), 2},
        {"NUL inside: ReverseFind('a')", nul.ReverseFind('a'), 0},
        {"high byte: Find", high.Find('\xE9'), 1},
        {"high byte: ReverseFind", high.ReverseFind('\xE9'), 3},
        {"high byte: FindOneOf", high.FindOneOf("\xE9"), 1},
    };
    for (const Row& row : rows) EXPECT_EQ(row.expected, row.found) << row.description;
    for (int ch = 0; ch < 256; ++ch) EXPECT_EQ(-1, s.Find(static_cast<char>(ch), s.GetLength())) << ch;
}

// One change in place, applied to a fresh string built from before.
struct Change {
    const char* description;
    std::string before;
    std::function<int(QlString&)> change;  // returns the operation's result, or 0
    std::string after;
    int result;
};

void ExpectChanges(const Change* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const Change& row = rows[i];
        SCOPED_TRACE(row.description);
        QlString original = Bytes(row.before);
        QlString s(original);  // shared: the change must not reach original
        EXPECT_EQ(row.result, row.change(s));
        EXPECT_EQ(row.after, Text(s));
        EXPECT_EQ('\0', s[s.GetLength()]);
        EXPECT_EQ(row.before, Text(original));
    }
}

TEST(QlStringChange, InsertAndDeleteClampTheirIndexes) {
    const Change rows[] = {
        {"Delete(1, 2)", "abcdef", [](QlString& s) { return s.Delete(1, 2); }, "adef", 6},
        {"Delete(-3, 2)", "abcdef", [](QlString& s) { return s.Delete(-3, 2); }, "cdef", 6},
        {"Delete(4, 100)", "abcdef", [](QlString& s) { return s.Delete(4, 100); }, "abcd", 6},
        {"Delete(2, INT_MAX)", "abcdef", [](QlString& s) { return s.Delete(2, INT_MAX); }, "ab", 6},
        {"Delete(6, 1)", "abcdef", [](QlString& s) { return s.Delete(6, 1); }, "abcdef", 6},
        {"Delete(1, -2)", "abcdef", [](QlString& s) { return s.Delete(1, -2); }, "abcdef", 6},
        {"Delete inside NULs", kNulInside, [](QlString& s) { return s.Delete(1, 2); }, "acd", 5},
        {"Insert(99, xy)", "abcdef", [](QlString& s) { return s.Insert(99, "xy"); }, "abcdefxy", 8},
        {"Insert(2, xy)", "abcdef", [](QlString& s) { return s.Insert(2, "xy"); }, "abxycdef", 8},
        {"Insert(-5, 'x')", "abcdef", [](QlString& s) { return s.Insert(-5, 'x'); }, "xabcdef", 7},
        {"Insert(6, NUL)", "ab", [](QlString& s) { return s.Insert(6, '\0'); }, std::string("ab\0", 3), 3},
        {"Insert(3, empty)", "abcdef", [](QlString& s) { return s.Insert(3, ""); }, "abcdef", 6},
        {"Insert(3, null)", "abcdef", [](QlString& s) { return s.Insert(3, nullptr); }, "abcdef", 6},
        {"Insert into empty", "", [](QlString& s) { return s.Insert(0, "xy"); }, "xy", 2},
        {"Insert after NULs", kNulInside, [](QlString& s) { return s.Insert(4, 'x'); }, std::string("ab\0cxd", 6), 6},
    };
    ExpectChanges(rows, sizeof rows / sizeof rows[0]);
}

TEST(QlStringChange, TrimsCaseAndOrder) {
    const Change rows[] = {
        {"TrimRight()", "  a b \t\r\n", [](QlString& s) { return s.TrimRight(), 0; }, "  a b", 0},
        {"TrimRight() all white", " \t ", [](QlString& s) { return s.TrimRight(), 0; }, "", 0},
        {"TrimRight() before NUL", std::string("ab \0cd", 6), [](QlString& s) { return s.TrimRight(), 0; }, "ab", 0},
        {"TrimRight() not 0xA0", "a\xA0", [](QlString& s) { return s.TrimRight(), 0; }, "a\xA0", 0},
        {"TrimRight('x')", "axxbxx", [](QlString& s) { return s.TrimRight('x'), 0; }, "axxb", 0},
        {"TrimRight(NUL)", "ab", [](QlString& s) { return s.TrimRight('\0'), 0; }, "ab", 0},
        {"TrimRight(xy)", "abyxyx", [](QlString& s) { return s.TrimRight("xy"), 0; }, "ab", 0},
        {"TrimRight(null)", "ab  ", [](QlString& s) { return s.TrimRight(nullptr), 0; }, "ab  ", 0},
        {"TrimLeft()", " \t a b ", [](QlString& s) { return s.TrimLeft(), 0; }, "a b ", 0},
        {"TrimLeft() moves NULs", std::string(" ab\0cd ", 7), [](QlString& s) { return s.TrimLeft(), 0; },
         std::string("ab\0cd ", 6), 0},
        {"TrimLeft('x')", "xxaxx", [](QlString& s) { return s.TrimLeft('x'), 0; }, "axx", 0},
        {"TrimLeft(NUL)", std::string("\0ab", 3), [](QlString& s) { return s.TrimLeft('\0'), 0; },
         std::string("\0ab", 3), 0},
        {"TrimLeft(xy)", "yxab", [](QlString& s) { return s.TrimLeft("xy"), 0; }, "ab", 0},
        {"TrimLeft(empty)", "  ab", [](QlString& s) { return s.TrimLeft(""), 0; }, "  ab", 0},
        {"TrimLeft(null)", "  ab", [](QlString& s) { return s.TrimLeft(nullptr), 0; }, "  ab", 0},
        {"MakeUpper", "aZ_\xE9z", [](QlString& s) { return s.MakeUpper(), 0; }, "AZ_\xE9Z", 0},
        {"MakeLower", "Az_\xC9Z", [](QlString& s) { return s.MakeLower(), 0; }, "az_\xC9z", 0},
        {"MakeUpper before NUL", kNulInside, [](QlString& s) { return s.MakeUpper(), 0; }, std::string("AB\0cd", 5), 0},
        {"MakeReverse", "abcd", [](QlString& s) { return s.MakeReverse(), 0; }, "dcba", 0},
        {"MakeReverse odd", "abc", [](QlString& s) { return s.MakeReverse(), 0; }, "cba", 0},
        {"MakeReverse before NUL", kNulInside, [](QlString& s) { return s.MakeReverse(), 0; },
         std::string("ba\0cd", 5), 0},
    };
    ExpectChanges(rows, sizeof rows / sizeof rows[0]);
}

TEST(QlStringChange, ReplacementsNeverOverlapOrSearchInsertedText) {
    const Change rows[] = {
        {"Replace(empty, x)", "abc", [](QlString& s) { return s.Replace("", "x"); }, "abc", 0},
        {"Replace(null, x)", "abc", [](QlString& s) { return s.Replace(nullptr, "x"); }, "abc", 0},
        {"aaaa: aa -> b", "aaaa", [](QlString& s) { return s.Replace("aa", "b"); }, "bb", 2},
        {"aaa: aa -> b", "aaa", [](QlString& s) { return s.Replace("aa", "b"); }, "ba", 1},
        {"aa: a -> aa", "aa", [](QlString& s) { return s.Replace("a", "aa"); }, "aaaa", 2},
        {"a.a: a -> xa", "a.a", [](QlString& s) { return s.Replace("a", "xa"); }, "xa.xa", 2},
        {"grows between hits", "a.b.c", [](QlString& s) { return s.Replace(".", "--"); }, "a--b--c", 2},
        {"to null", "abcb", [](QlString& s) { return s.Replace("b", nullptr); }, "ac", 2},
        {"no hit", "abc", [](QlString& s) { return s.Replace("x", "y"); }, "abc", 0},
        {"every NUL-separated piece", std::string("ab\0ab", 5), [](QlString& s) { return s.Replace("ab", "xyz"); },
         std::string("xyz\0xyz", 7), 2},
        {"NoCase", "abAbaB", [](QlString& s) { return s.ReplaceNoCase("AB", "x"); }, "xxx", 3},
        {"NoCase ASCII only", "\xC9\xE9", [](QlString& s) { return s.ReplaceNoCase("\xE9", "x"); }, "\xC9x", 1},
        {"NoCase aa -> a", "AaAa", [](QlString& s) { return s.ReplaceNoCase("aA", "a"); }, "aa", 2},
        {"Replace('a', 'a')", "aaa", [](QlString& s) { return s.Replace('a', 'a'); }, "aaa", 0},
        {"Replace('c', 'x') past NUL", kNulInside, [](QlString& s) { return s.Replace('c', 'x'); },
         std::string("ab\0xd", 5), 1},
        {"Replace(NUL, '-')", kNulInside, [](QlString& s) { return s.Replace('\0', '-'); }, "ab-cd", 1},
        {"Remove('d') past NUL", kNulInside, [](QlString& s) { return s.Remove('d'); }, std::string("ab\0c", 4), 1},
        {"Remove(NUL)", kNulInside, [](QlString& s) { return s.Remove('\0'); }, "abcd", 1},
        {"Remove all", "aaa", [](QlString& s) { return s.Remove('a'); }, "", 3},
    };
    ExpectChanges(rows, sizeof rows / sizeof rows[0]);
}

TEST(QlStringChange, TextsFromTheStringsOwnBlockAreSafe) {
    const Change rows[] = {
        {"Insert itself", "abc", [](QlString& s) { return s.Insert(0, s); }, "abcabc", 6},
        {"Insert own tail", "abc", [](QlString& s) { return s.Insert(0, static_cast<const char*>(s) + 1); }, "bcabc", 5},
        {"Replace itself", "abc", [](QlString& s) { return s.Replace(s, "x"); }, "x", 1},
        {"Replace by itself", "abc", [](QlString& s) { return s.Replace("b", s); }, "aabcc", 1},
        {"Replace by own tail", "abab", [](QlString& s) { return s.Replace("a", static_cast<const char*>(s) + 2); },
         "abbabb", 2},
    };
    // Unshared, so nothing else keeps the old text: once growing into a new
    // block, once in place in room reserved beforehand.
    for (int reserve : {0, 20}) {
        for (const Change& row : rows) {
            SCOPED_TRACE(std::string(row.description) + (reserve ? " in place" : " growing"));
            QlString s(row.before.c_str());
            s.GetBuffer(reserve);
            const char* block = s;
            EXPECT_EQ(row.result, row.change(s));
            EXPECT_EQ(row.after, Text(s));
            if (reserve != 0) {
                EXPECT_EQ(block, static_cast<const char*>(s));
            }
        }
    }
}

TEST(QlStringChange, GrowthIsExactShrinkingStaysInPlaceAndLocksHold) {
    QlString s("abcdef");
    s.Insert(2, "xy");
    EXPECT_EQ(8, s.GetAllocLength());
    s.Replace("xy", "12345");
    EXPECT_EQ(11, s.GetAllocLength());
    const char* block = s;
    s.Replace("345", "");
    s.Delete(0, 2);
    s.Remove('e');
    EXPECT_STREQ("12cdf", s);
    EXPECT_EQ(block, static_cast<const char*>(s));
    EXPECT_EQ(11, s.GetAllocLength());

    // A locked block is changed where it is and stays locked until it must grow.
    char* locked = s.LockBuffer();
    s.Insert(0, "ab");
    s.MakeUpper();
    s.TrimLeft('A');
    EXPECT_EQ(-1, Header(s)->refCount);
    EXPECT_EQ(locked, static_cast<const char*>(s));
    s.Replace("B", "long enough to grow");
    EXPECT_EQ(1, Header(s)->refCount);
    EXPECT_STREQ("long enough to grow12CDF", s);
}

TEST(QlStringChange, AReplacementTooLongForAnIntThrowsAndChangesNothing) {
    QlString s('a', 70000);
    const QlString longer('b', 40000);  // 70000 * 40000 characters would wrap
    EXPECT_THROW(s.Replace("a", longer), std::bad_alloc);
    EXPECT_EQ(70000, s.GetLength());
    EXPECT_EQ(-1, s.Find('b'));
}

// The wide view and the code pages are Windows' own.
#ifdef _WIN32
TEST(QlStringWide, TheViewLivesInTheBlockAndCutsAtTheFirstNul) {
    struct Row {
        std::string narrow;
        std::wstring wide;
        int capacity;  // 3n, n the even number just above the length
    } rows[] = {
        {"", L"", 6},
        {"a", L"a", 6},
        {"abc", L"abc", 12},
        {"\xE9\xFF\x80", L"\x00E9\x00FF\x0080", 12},
        {kNulInside, L"ab", 18},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.narrow);
        QlString original = Bytes(row.narrow);
        QlString s(original);
        const unsigned short* wide = s;
        const char* chars = s;
        EXPECT_EQ(row.wide, std::wstring(reinterpret_cast<const wchar_t*>(wide)));
        EXPECT_EQ(row.capacity, s.GetAllocLength());
        EXPECT_EQ(static_cast<int>(row.wide.size()), s.GetLength());
        EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(wide) % 2);
        EXPECT_EQ(chars + row.capacity / 3, reinterpret_cast<const char*>(wide));
        EXPECT_EQ(row.narrow, Text(original));
        // Enough room already: the block stays.
        wide = s;
        EXPECT_EQ(row.wide, std::wstring(reinterpret_cast<const wchar_t*>(wide)));
        EXPECT_EQ(chars, static_cast<const char*>(s));
    }
}

TEST(QlStringCodePage, ConvertsInPlaceUpToTheFirstNul) {
    UINT oem = GetOEMCP();
    if (GetACP() != 1252 || (oem != 437 && oem != 850)) GTEST_SKIP() << "code pages " << GetACP() << "/" << oem;
    // Windows-1252 u-umlaut is 0xFC; both OEM pages hold it at 0x81.
    QlString original = Bytes(std::string("\xFCx\0\xFC", 4));
    QlString s(original);
    s.CharToOemA();
    EXPECT_EQ(std::string("\x81x\0\xFC", 4), Text(s));
    s.OemToCharA();
    EXPECT_EQ(Text(original), Text(s));
    EXPECT_NE(static_cast<const char*>(original), static_cast<const char*>(s));
    QlString empty;
    empty.CharToOemA();
    EXPECT_TRUE(IsEmptyRepresentation(empty));
}

#endif

}  // namespace
