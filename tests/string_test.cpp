// QlString's representation: sharing, copy-on-write, locking, exact
// allocation and the shared empty representation.
#include <gtest/gtest.h>

#include <limits.h>
#include <stdlib.h>
#include <string.h>

#include <new>

#include "string/QlString.h"

// Counts the global allocations, so tests can tell that empty strings
// allocate nothing and blocks are allocated at exactly their size.
#include "tests/common/counting_new.h"

namespace {

// Reaches the block header through the protected accessor.
class Inspect : public QlString {
public:
    static const QlStringData* Data(const QlString& s) { return static_cast<const Inspect&>(s).GetData(); }
};

long RefCount(const QlString& s) {
    return Inspect::Data(s)->refCount;
}

bool IsEmptyRepresentation(const QlString& s) {
    return static_cast<const char*>(s) == static_cast<const char*>(QlGetEmptyString());
}

bool SameBlock(const QlString& a, const QlString& b) {
    return static_cast<const char*>(a) == static_cast<const char*>(b);
}

TEST(QlStringEmpty, EveryEmptyStringSharesTheStaticRepresentationWithoutAllocating) {
    int before = countingnew::allocations;
    QlString byDefault;
    QlString fromNull(static_cast<const char*>(nullptr));
    QlString fromEmpty("");
    QlString fromCount("abc", 0);
    QlString fromRepeat('x', -3);
    QlString sum = fromEmpty + fromNull;
    QlString copy(byDefault);
    EXPECT_EQ(before, countingnew::allocations);

    for (const QlString* s : {&byDefault, &fromNull, &fromEmpty, &fromCount, &fromRepeat, &sum, &copy}) {
        EXPECT_TRUE(IsEmptyRepresentation(*s));
        EXPECT_EQ(0, s->GetLength());
        EXPECT_EQ(0, s->GetAllocLength());
        EXPECT_STREQ("", *s);
    }
    EXPECT_EQ(-2, RefCount(QlGetEmptyString()));
    EXPECT_EQ(-2, RefCount(copy));
}

TEST(QlStringEmpty, OperationsOnTheEmptyRepresentationLeaveItIntact) {
    QlString s;
    s.Empty();
    s.FreeExtra();
    s.ReleaseBuffer(-1);
    s.LockBuffer();
    s.UnlockBuffer();
    s += "";
    s = "";
    s.GetBuffer(0);
    s.ReleaseBuffer(0);
    EXPECT_TRUE(IsEmptyRepresentation(s));
    EXPECT_EQ(-2, RefCount(QlGetEmptyString()));
    EXPECT_EQ(0, QlGetEmptyString().GetLength());
    EXPECT_EQ('\0', *static_cast<const char*>(QlGetEmptyString()));
}

TEST(QlStringConstruction, CountsAndRepeats) {
    QlString xs('x', 3);
    EXPECT_STREQ("xxx", xs);
    EXPECT_EQ(3, xs.GetAllocLength());

    QlString withNuls("ab\0cd", 5);
    EXPECT_EQ(5, withNuls.GetLength());
    EXPECT_EQ(0, memcmp("ab\0cd", static_cast<const char*>(withNuls), 6));

    const unsigned char bytes[] = {0xE1, 'b', 0};
    QlString fromBytes(bytes);
    EXPECT_EQ(2, fromBytes.GetLength());
    EXPECT_EQ('\xE1', fromBytes[0]);
}

TEST(QlStringAllocation, BlocksAreExactlyHeaderTextAndNul) {
    countingnew::lastSize = 0;
    QlString s("abc");
    EXPECT_EQ(sizeof(QlStringData) + 3 + 1, countingnew::lastSize);
#ifdef _WIN32
    EXPECT_EQ(12u, sizeof(QlStringData));  // the exported 32-bit layout
#endif
    EXPECT_EQ(sizeof(char*), sizeof(QlString));
    EXPECT_EQ(3, s.GetAllocLength());
    EXPECT_EQ(1, RefCount(s));

    // No growth slack: every append past the capacity reallocates exactly.
    s += "d";
    EXPECT_EQ(4, s.GetAllocLength());
    EXPECT_EQ(sizeof(QlStringData) + 4 + 1, countingnew::lastSize);
}

TEST(QlStringSharing, CopiesShareUntilTheFirstChange) {
    QlString a("abc");
    QlString b(a);
    EXPECT_TRUE(SameBlock(a, b));
    EXPECT_EQ(2, RefCount(a));

    b.SetAt(0, 'x');
    EXPECT_FALSE(SameBlock(a, b));
    EXPECT_STREQ("abc", a);
    EXPECT_STREQ("xbc", b);
    EXPECT_EQ(1, RefCount(a));
    EXPECT_EQ(1, RefCount(b));

    QlString c;
    c = a;
    EXPECT_TRUE(SameBlock(a, c));
    EXPECT_EQ(2, RefCount(a));
    {
        QlString d(c);
        EXPECT_EQ(3, RefCount(a));
    }
    EXPECT_EQ(2, RefCount(a));

    // Appending to a sharer never changes the shared block.
    c += "def";
    EXPECT_STREQ("abc", a);
    EXPECT_STREQ("abcdef", c);
    EXPECT_EQ(1, RefCount(a));
}

TEST(QlStringSharing, SumsNeverShareAnOperandsBlock) {
    QlString a("abc");
    QlString empty;
    QlString sum = empty + a;
    EXPECT_FALSE(SameBlock(sum, a));
    EXPECT_EQ(1, RefCount(a));
    EXPECT_STREQ("abc", sum);
    EXPECT_STREQ("abcx", a + 'x');
    EXPECT_STREQ("xabc", 'x' + a);
    EXPECT_STREQ("-abc", "-" + a);
    EXPECT_STREQ("abc-", a + "-");
    EXPECT_EQ(4, (a + '\0').GetLength());  // a NUL counts as a character
}

TEST(QlStringAssignment, SelfReferencesAndCharacters) {
    QlString s("hello world");
    s = s;
    EXPECT_STREQ("hello world", s);
    s = static_cast<const char*>(s) + 6;  // a part of its own text
    EXPECT_STREQ("world", s);
    EXPECT_EQ(11, s.GetAllocLength());  // an unshared block that fits is reused

    s = '\0';
    EXPECT_EQ(1, s.GetLength());
    s = static_cast<const char*>(nullptr);
    EXPECT_EQ(0, s.GetLength());
    EXPECT_EQ(11, s.GetAllocLength());
}

TEST(QlStringAppend, AppendingAStringToItselfDoublesIt) {
    // The block is kept when the doubled text fits it, exactly or with room
    // to spare.
    const struct {
        int reserved;
        bool kept;
        int allocated;
    } cases[] = {{3, false, 6}, {6, true, 6}, {10, true, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reserved);
        QlString s;
        strcpy(s.GetBuffer(c.reserved), "abc");
        s.ReleaseBuffer();
        const char* block = s;
        s += s;
        EXPECT_STREQ("abcabc", s);
        EXPECT_EQ(c.kept, block == static_cast<const char*>(s));
        EXPECT_EQ(c.allocated, s.GetAllocLength());
    }
}

TEST(QlStringAppend, ASumTooLongForAnIntThrowsBeforeAnythingIsCopied) {
    // A header that claims INT_MAX characters stands in for a string that long.
    QlString big("x");
    const_cast<QlStringData*>(Inspect::Data(big))->dataLength = INT_MAX;
    EXPECT_THROW(big + big, std::bad_alloc);
    EXPECT_THROW(big + "y", std::bad_alloc);
    EXPECT_THROW("y" + big, std::bad_alloc);
    EXPECT_THROW(big + 'y', std::bad_alloc);
    EXPECT_THROW('y' + big, std::bad_alloc);
    EXPECT_THROW(big += big, std::bad_alloc);
    EXPECT_THROW(big += "y", std::bad_alloc);
    EXPECT_THROW(big += 'y', std::bad_alloc);
    const_cast<QlStringData*>(Inspect::Data(big))->dataLength = 1;
}

TEST(QlStringEmpty, EmptyingKeepsABlockThatHoldsNoText) {
    QlString s;
    s.GetBuffer(8);
    s.ReleaseBuffer(0);
    s.Empty();
    EXPECT_EQ(8, s.GetAllocLength());

    QlString t("abc");
    t.Empty();
    EXPECT_TRUE(IsEmptyRepresentation(t));
}

TEST(QlStringBuffer, ReserveMeasureAndShrink) {
    QlString s;
    char* buffer = s.GetBuffer(10);
    EXPECT_EQ(10, s.GetAllocLength());
    EXPECT_EQ(0, s.GetLength());
    strcpy(buffer, "abcde");
    s.ReleaseBuffer(-1);
    EXPECT_EQ(5, s.GetLength());
    s.GetBuffer(0);
    s.ReleaseBuffer(3);
    EXPECT_STREQ("abc", s);
    EXPECT_EQ(10, s.GetAllocLength());

    s.FreeExtra();
    EXPECT_EQ(3, s.GetAllocLength());
    EXPECT_STREQ("abc", s);

    s.GetBuffer(20);
    s.ReleaseBuffer(0);
    s.FreeExtra();
    EXPECT_TRUE(IsEmptyRepresentation(s));

    // A measurement never runs past the capacity.
    QlString full;
    memset(full.GetBuffer(4), 'z', 5);  // overwrites the NUL at the capacity
    full.ReleaseBuffer(-1);
    EXPECT_EQ(4, full.GetLength());
}

TEST(QlStringBuffer, ReservedRoomIsReusedByLaterAssignments) {
    QlString s;
    s.GetBuffer(64);
    s.ReleaseBuffer(0);
    const char* block = s;
    s = "some text";
    s += " and more";
    EXPECT_EQ(block, static_cast<const char*>(s));
    EXPECT_EQ(64, s.GetAllocLength());

    QlString shared(s);
    char* own = shared.GetBufferSetLength(4);
    EXPECT_NE(block, own);
    EXPECT_STREQ("some", shared);
    EXPECT_STREQ("some text and more", s);
}

TEST(QlStringLock, ALockedBlockIsNeverShared) {
    QlString s("abc");
    s.LockBuffer();
    EXPECT_EQ(-1, RefCount(s));

    QlString copy(s);
    EXPECT_FALSE(SameBlock(copy, s));
    EXPECT_STREQ("abc", copy);
    QlString assigned;
    assigned = s;
    EXPECT_FALSE(SameBlock(assigned, s));

    // Changes that fit keep the lock and the block.
    const char* block = s;
    s = "xy";
    s.Empty();
    EXPECT_EQ(block, static_cast<const char*>(s));
    EXPECT_EQ(-1, RefCount(s));

    s.UnlockBuffer();
    EXPECT_EQ(1, RefCount(s));
    QlString shares(s);
    EXPECT_TRUE(SameBlock(shares, s));
}

TEST(QlStringLock, CopiesFromALockedStringKeepItsNulBytes) {
    QlString s("ab\0cd", 5);
    s.LockBuffer();
    QlString copy(s);  // copy construction copies the whole length, as assignment does
    EXPECT_EQ(5, copy.GetLength());
    EXPECT_EQ(0, memcmp("ab\0cd", static_cast<const char*>(copy), 5));
    QlString assigned("x");
    assigned = s;  // assignment copies the whole length
    EXPECT_EQ(5, assigned.GetLength());
    EXPECT_EQ(0, memcmp("ab\0cd", static_cast<const char*>(assigned), 5));
}

TEST(QlStringLock, GrowthEndsTheLockAndUnlockLeavesOthersAlone) {
    QlString s("abc");
    s.LockBuffer();
    s += "defgh";  // beyond the capacity: the locked block is replaced
    EXPECT_EQ(1, RefCount(s));
    EXPECT_STREQ("abcdefgh", s);

    QlString a("shared");
    QlString b(a);
    a.UnlockBuffer();  // not locked: the true count stays
    EXPECT_EQ(2, RefCount(b));

    // Locking a shared string gives it a private block first.
    a.LockBuffer();
    EXPECT_FALSE(SameBlock(a, b));
    EXPECT_EQ(1, RefCount(b));
}

}  // namespace
