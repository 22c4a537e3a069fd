// Representation, construction, assignment, concatenation and buffer access
// of QlString.  Every character copy is a move: Insert, Delete and
// assignments from a string's own text overlap source and destination.
#include "QlString.h"
#include "GrownLength.h"
#include "RefCount.h"

#include <stddef.h>
#include <string.h>

#include <new>

namespace {

// The shared empty representation: a header followed directly by one NUL,
// in writable storage because operations may store a length 0 and a NUL.
struct EmptyRepresentation {
    QlStringData header;
    char nul;
};
static_assert(offsetof(EmptyRepresentation, nul) == sizeof(QlStringData),
              "the characters follow the header directly");

EmptyRepresentation g_emptyRepresentation = {{-2, 0, 0}, 0};
char* g_emptyChars = &g_emptyRepresentation.nul;

void FreeBlock(QlStringData* data) {
    ::operator delete(data);
}

}  // namespace

const QlString& QlGetEmptyString() {
    // A QlString is exactly one character pointer, so the static pointer can
    // be viewed as one.
    return *reinterpret_cast<const QlString*>(&g_emptyChars);
}

// ---------------------------------------------------------------------------
// Representation primitives

QlStringData* QlString::GetData() const {
    return reinterpret_cast<QlStringData*>(m_pchData) - 1;
}

void QlString::Init() {
    m_pchData = g_emptyChars;
}

int QlString::SafeStrlen(const char* text) {
    return text == nullptr ? 0 : static_cast<int>(strlen(text));
}

void QlString::AllocBuffer(int length) {
    if (length <= 0) {
        Init();
        return;
    }
    // Exact size: header, the characters and the NUL, with no slack.
    QlStringData* data = static_cast<QlStringData*>(
        ::operator new(sizeof(QlStringData) + static_cast<size_t>(length) + 1));
    data->refCount = 1;
    data->dataLength = length;
    data->allocLength = length;
    data->data()[length] = '\0';
    m_pchData = data->data();
}

void QlString::Release() {
    QlStringData* data = GetData();
    if (data->refCount == -2) return;
    if (DecrementRefCount(&data->refCount) <= 0) FreeBlock(data);
    Init();
}

void QlString::Release(QlStringData* data) {
    if (data->refCount == -2) return;
    if (DecrementRefCount(&data->refCount) <= 0) FreeBlock(data);
}

void QlString::AllocBeforeWrite(int length) {
    QlStringData* data = GetData();
    if (data->refCount > 1 || length > data->allocLength) {
        Release();
        AllocBuffer(length);
    }
}

void QlString::CopyBeforeWrite() {
    QlStringData* old = GetData();
    if (old->refCount <= 1) return;
    // The private copy is complete before the shared block is given up.
    int length = old->dataLength;
    AllocBuffer(length);
    memmove(m_pchData, old->data(), static_cast<size_t>(length) + 1);
    Release(old);
}

void QlString::AssignCopy(int length, const char* src) {
    AllocBeforeWrite(length);
    // An empty source may be null, which memmove must never be given.
    if (length > 0) memmove(m_pchData, src, static_cast<size_t>(length));
    GetData()->dataLength = length;
    m_pchData[length] = '\0';
}

void QlString::AllocCopy(QlString& dest, int copyLength, int copyIndex, int extraLength) const {
    int total = copyLength + extraLength;
    if (total == 0) {
        dest.Init();
        return;
    }
    dest.AllocBuffer(total);
    memmove(dest.m_pchData, m_pchData + copyIndex, static_cast<size_t>(copyLength));
}

void QlString::ConcatCopy(int length1, const char* src1, int length2, const char* src2) {
    int total = GrownLength(length1, length2);
    if (total == 0) return;
    AllocBuffer(total);
    memmove(m_pchData, src1, static_cast<size_t>(length1));
    memmove(m_pchData + length1, src2, static_cast<size_t>(length2));
}

void QlString::ConcatInPlace(int length, const char* src) {
    if (length == 0) return;
    QlStringData* data = GetData();
    if (data->refCount <= 1 && GrownLength(data->dataLength, length) <= data->allocLength) {
        memmove(m_pchData + data->dataLength, src, static_cast<size_t>(length));
        data->dataLength += length;
        m_pchData[data->dataLength] = '\0';
        return;
    }
    // The source may be our own text: keep the old block until it is copied.
    ConcatCopy(data->dataLength, m_pchData, length, src);
    Release(data);
}

// ---------------------------------------------------------------------------
// Construction, destruction, assignment

QlString::QlString() {
    Init();
}

QlString::QlString(const QlString& src) {
    if (src.GetData()->refCount >= 0) {
        m_pchData = src.m_pchData;
        IncrementRefCount(&GetData()->refCount);
    } else {
        // Locked blocks are never shared; the empty representation has no
        // count.  The copy takes the whole length, NUL bytes included, as
        // assignment does.
        Init();
        AssignCopy(src.GetData()->dataLength, src.m_pchData);
    }
}

QlString::QlString(const char* text) {
    Init();
    int length = SafeStrlen(text);
    if (length > 0) {
        AllocBuffer(length);
        memmove(m_pchData, text, static_cast<size_t>(length));
    }
}

QlString::QlString(const unsigned char* text) {
    Init();
    *this = reinterpret_cast<const char*>(text);
}

QlString::QlString(const char* chars, int length) {
    Init();
    if (length > 0) {
        AllocBuffer(length);
        memmove(m_pchData, chars, static_cast<size_t>(length));
    }
}

QlString::QlString(char ch, int repeat) {
    Init();
    if (repeat >= 1) {
        AllocBuffer(repeat);
        memset(m_pchData, static_cast<unsigned char>(ch), static_cast<size_t>(repeat));
    }
}

QlString::~QlString() {
    QlStringData* data = GetData();
    if (data->refCount != -2 && DecrementRefCount(&data->refCount) <= 0) FreeBlock(data);
}

const QlString& QlString::operator=(const QlString& src) {
    if (m_pchData == src.m_pchData) return *this;
    QlStringData* mine = GetData();
    QlStringData* theirs = src.GetData();
    if (mine->refCount == -2 && theirs->refCount == -2) return *this;
    if (mine->refCount == -1 || theirs->refCount == -1) {
        // A locked block is never shared: copy, NUL bytes included.
        AssignCopy(theirs->dataLength, src.m_pchData);
    } else if (theirs->refCount == -2) {
        Release();
    } else {
        Release();
        m_pchData = src.m_pchData;
        IncrementRefCount(&theirs->refCount);
    }
    return *this;
}

const QlString& QlString::operator=(const char* text) {
    AssignCopy(SafeStrlen(text), text);
    return *this;
}

const QlString& QlString::operator=(const unsigned char* text) {
    return *this = reinterpret_cast<const char*>(text);
}

const QlString& QlString::operator=(char ch) {
    AssignCopy(1, &ch);
    return *this;
}

// ---------------------------------------------------------------------------
// Length and characters

int QlString::GetLength() const {
    return GetData()->dataLength;
}

int QlString::GetAllocLength() const {
    return GetData()->allocLength;
}

bool QlString::IsEmpty() const {
    return GetData()->dataLength == 0;
}

void QlString::Empty() {
    QlStringData* data = GetData();
    if (data->dataLength == 0) return;
    if (data->refCount >= 0)
        Release();
    else
        AssignCopy(0, "");  // locked: keep the block, now empty
}

char QlString::GetAt(int index) const {
    return m_pchData[index];
}

char QlString::operator[](int index) const {
    return m_pchData[index];
}

void QlString::SetAt(int index, char ch) {
    CopyBeforeWrite();
    m_pchData[index] = ch;
}

QlString::operator const char*() const {
    return m_pchData;
}

// ---------------------------------------------------------------------------
// Concatenation

QlString operator+(const QlString& a, const QlString& b) {
    QlString result;
    result.ConcatCopy(a.GetData()->dataLength, a.m_pchData, b.GetData()->dataLength, b.m_pchData);
    return result;
}

QlString operator+(const QlString& a, const char* b) {
    QlString result;
    result.ConcatCopy(a.GetData()->dataLength, a.m_pchData, QlString::SafeStrlen(b), b);
    return result;
}

QlString operator+(const char* a, const QlString& b) {
    QlString result;
    result.ConcatCopy(QlString::SafeStrlen(a), a, b.GetData()->dataLength, b.m_pchData);
    return result;
}

QlString operator+(const QlString& a, char b) {
    QlString result;
    result.ConcatCopy(a.GetData()->dataLength, a.m_pchData, 1, &b);
    return result;
}

QlString operator+(char a, const QlString& b) {
    QlString result;
    result.ConcatCopy(1, &a, b.GetData()->dataLength, b.m_pchData);
    return result;
}

const QlString& QlString::operator+=(const QlString& src) {
    ConcatInPlace(src.GetData()->dataLength, src.m_pchData);
    return *this;
}

const QlString& QlString::operator+=(const char* text) {
    ConcatInPlace(SafeStrlen(text), text);
    return *this;
}

const QlString& QlString::operator+=(char ch) {
    ConcatInPlace(1, &ch);
    return *this;
}

// ---------------------------------------------------------------------------
// Direct buffer access

char* QlString::GetBuffer(int minimum) {
    QlStringData* old = GetData();
    if (old->refCount > 1 || minimum > old->allocLength) {
        int length = old->dataLength;
        AllocBuffer(minimum > length ? minimum : length);
        memmove(m_pchData, old->data(), static_cast<size_t>(length) + 1);
        GetData()->dataLength = length;
        Release(old);
    }
    return m_pchData;
}

void QlString::ReleaseBuffer(int length) {
    CopyBeforeWrite();
    QlStringData* data = GetData();
    if (length == -1) {
        // Never measure past the capacity, even when the caller left no NUL.
        const void* nul = memchr(m_pchData, 0, static_cast<size_t>(data->allocLength));
        length = nul ? static_cast<int>(static_cast<const char*>(nul) - m_pchData) : data->allocLength;
    }
    data->dataLength = length;
    m_pchData[length] = '\0';
}

char* QlString::GetBufferSetLength(int length) {
    GetBuffer(length);
    GetData()->dataLength = length;
    m_pchData[length] = '\0';
    return m_pchData;
}

void QlString::FreeExtra() {
    QlStringData* old = GetData();
    if (old->dataLength == old->allocLength) return;
    AllocBuffer(old->dataLength);
    memmove(m_pchData, old->data(), static_cast<size_t>(old->dataLength));
    Release(old);
}

char* QlString::LockBuffer() {
    char* chars = GetBuffer(0);
    // The empty representation has no block to lock; it stays uncounted.
    if (GetData()->refCount != -2) GetData()->refCount = -1;
    return chars;
}

void QlString::UnlockBuffer() {
    // Only a locked block changes; a shared count or the empty one stays true.
    if (GetData()->refCount == -1) GetData()->refCount = 1;
}
