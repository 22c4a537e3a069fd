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
// except FormatMessageA, which throws when the system cannot format.  The
// unchecked accessors (GetAt, SetAt, ReleaseBuffer, GetBufferSetLength, the
// counted constructors) leave their limits to the caller.
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

// The process-wide empty string; every empty QlString points at its NUL.
const QlString& QlGetEmptyString();

#endif
