// QlString: a reference-counted, copy-on-write string of ANSI bytes.
//
// A QlString is one pointer to the NUL-terminated characters of a heap block
// that starts with a QlStringData header.  Copies share the block; the first
// change through one of the sharers gives it a private copy.  Blocks are
// allocated at exactly the capacity asked for, never rounded up.  Every
// empty string that owns no block shares one static empty representation
// (refCount -2) that is never counted and never freed.
//
// Byte-oriented throughout ("C" locale rules).  Nothing here reports errors
// except FormatMessageA, which throws when the system cannot format, and the
// edits whose result an int could not count, which throw std::bad_alloc as
// operator new does when a block cannot be had.  The unchecked accessors
// (GetAt, SetAt, ReleaseBuffer, GetBufferSetLength, the counted
// constructors) leave their limits to the caller.
#ifndef ORVANE_STRING_QLSTRING_H
#define ORVANE_STRING_QLSTRING_H

#include <stdarg.h>

struct QlStringData {
    long refCount;    // >= 1 shared count, -1 locked, -2 the empty representation
    int dataLength;   // characters before the terminating NUL
    int allocLength;  // capacity, not counting the NUL's byte

    char* data() { return reinterpret_cast<char*>(this + 1); }
};

class QlString {
public:
    QlString();
    QlString(const QlString& src);
    QlString(const char* text);
    QlString(const unsigned char* text);
    QlString(const char* chars, int length);
    QlString(char ch, int repeat);
    ~QlString();

    int GetLength() const;
    int GetAllocLength() const;
    bool IsEmpty() const;
    void Empty();

    char GetAt(int index) const;
    char operator[](int index) const;
    void SetAt(int index, char ch);
    operator const char*() const;

    const QlString& operator=(const QlString& src);
    const QlString& operator=(const char* text);
    const QlString& operator=(const unsigned char* text);
    const QlString& operator=(char ch);

    const QlString& operator+=(const QlString& src);
    const QlString& operator+=(const char* text);
    const QlString& operator+=(char ch);

    friend QlString operator+(const QlString& a, const QlString& b);
    friend QlString operator+(const QlString& a, const char* b);
    friend QlString operator+(const char* a, const QlString& b);
    friend QlString operator+(const QlString& a, char b);
    friend QlString operator+(char a, const QlString& b);

    // Direct access: the caller may write up to GetAllocLength() characters
    // and must then call ReleaseBuffer.
    char* GetBuffer(int minimum);
    void ReleaseBuffer(int length = -1);
    char* GetBufferSetLength(int length);
    void FreeExtra();
    char* LockBuffer();
    void UnlockBuffer();

    // Replace the text with printf-style output.  The format and the string
    // arguments must not point into this string's own block.
    void Format(const char* format, ...);
    void FormatV(const char* format, va_list args);
    // Replace the text with the system's message-insert formatting (%1, %2
    // take the arguments in order).  Throws when the system call fails.
    void FormatMessageA(const char* format, ...);

    // Comparison of the texts up to their first NUL; the argument must not be
    // null.  Compare and CompareNoCase return exactly -1, 0 or 1 and order by
    // unsigned byte value (CompareNoCase folds 'A'-'Z' to lower case first);
    // the Collate forms return the runtime's locale collation (strcoll and
    // _stricoll), which the "C" locale makes the same order.
    int Compare(const char* text) const;
    int CompareNoCase(const char* text) const;
    int Collate(const char* text) const;
    int CollateNoCase(const char* text) const;

    // Extraction: indexes and counts are clamped to the text.  The result
    // always has a block of its own (or is the empty representation); it
    // never shares this string's block.  The sets must not be null.
    QlString Mid(int first, int count) const;
    QlString Mid(int first) const;
    QlString Left(int count) const;
    QlString Right(int count) const;
    QlString SpanIncluding(const char* set) const;
    QlString SpanExcluding(const char* set) const;

    // Searches end at the text's first NUL and return the index of the hit,
    // or -1.  A negative start searches from 0; the arguments must not be
    // null.
    int Find(char ch) const;
    int Find(char ch, int start) const;
    int Find(const char* text) const;
    int Find(const char* text, int start) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    // Changes in place; each gives a shared block a private copy first.  Null
    // texts and sets mean the empty text.  Insert returns the new length,
    // Delete the length before the call (its count is cut at the end of the
    // text), Replace and Remove the number of characters or substrings
    // replaced or removed.  Growth throws std::bad_alloc, as operator new
    // does, also when the result could not be held in an int.
    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    void TrimRight();
    void TrimRight(char ch);
    void TrimRight(const char* set);
    void TrimLeft();
    void TrimLeft(char ch);
    void TrimLeft(const char* set);
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count);
    int Replace(char oldChar, char newChar);
    int Remove(char ch);
    int Replace(const char* oldText, const char* newText);
    int ReplaceNoCase(const char* oldText, const char* newText);

    // Code pages: the text up to its first NUL converted in place between the
    // ANSI and the OEM code page; the length does not change.
    void CharToOemA();
    void OemToCharA();
    // The text widened byte by byte ("C" locale), up to its first NUL.  It
    // lives in this string's own block, which grows to hold it and keeps that
    // capacity; the length is cut at the first NUL.  Valid until the string
    // is next changed, assigned or destroyed; never freed by the caller.
    operator const unsigned short*();

protected:
    char* m_pchData;

    QlStringData* GetData() const;
    void Init();
    void AllocCopy(QlString& dest, int copyLength, int copyIndex, int extraLength) const;
    void AllocBuffer(int length);
    void AssignCopy(int length, const char* src);
    void ConcatCopy(int length1, const char* src1, int length2, const char* src2);
    void ConcatInPlace(int length, const char* src);
    void CopyBeforeWrite();
    void AllocBeforeWrite(int length);
    void Release();
    static void Release(QlStringData* data);
    static int SafeStrlen(const char* text);
};

// Comparison operators: the sign of Compare between the left and the right
// text (case-sensitive, unsigned byte order, up to the first NUL).
bool operator==(const QlString& a, const QlString& b);
bool operator==(const QlString& a, const char* b);
bool operator==(const char* a, const QlString& b);
bool operator!=(const QlString& a, const QlString& b);
bool operator!=(const QlString& a, const char* b);
bool operator!=(const char* a, const QlString& b);
bool operator<(const QlString& a, const QlString& b);
bool operator<(const QlString& a, const char* b);
bool operator<(const char* a, const QlString& b);
bool operator>(const QlString& a, const QlString& b);
bool operator>(const QlString& a, const char* b);
bool operator>(const char* a, const QlString& b);
bool operator<=(const QlString& a, const QlString& b);
bool operator<=(const QlString& a, const char* b);
bool operator<=(const char* a, const QlString& b);
bool operator>=(const QlString& a, const QlString& b);
bool operator>=(const QlString& a, const char* b);
bool operator>=(const char* a, const QlString& b);

// The process-wide empty string; every empty QlString points at its NUL.
const QlString& QlGetEmptyString();

#endif
