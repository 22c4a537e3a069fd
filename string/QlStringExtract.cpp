// Extraction of parts of a QlString and searches in its text.  Extraction
// always builds a block of its own for the result (AllocCopy), so a part
// never shares the receiver's block, even when it is the whole text.
// Searches end at the text's first NUL, as the C string functions do.
#include "QlString.h"

#include <string.h>

namespace {

int IndexOrNotFound(const char* hit, const char* text) {
    return hit == nullptr ? -1 : static_cast<int>(hit - text);
}

}  // namespace

// ---------------------------------------------------------------------------
// Extraction

QlString QlString::Mid(int first, int count) const {
    int length = GetData()->dataLength;
    if (first < 0) first = 0;
    if (first > length) first = length;
    if (count < 0) count = 0;
    // Written as a difference so that a huge count cannot wrap.
    if (count > length - first) count = length - first;
    QlString part;
    AllocCopy(part, count, first, 0);
    return part;
}

QlString QlString::Mid(int first) const {
    return Mid(first, GetData()->dataLength - (first < 0 ? 0 : first));
}

QlString QlString::Left(int count) const {
    int length = GetData()->dataLength;
    if (count < 0) count = 0;
    if (count > length) count = length;
    QlString part;
    AllocCopy(part, count, 0, 0);
    return part;
}

QlString QlString::Right(int count) const {
    int length = GetData()->dataLength;
    if (count < 0) count = 0;
    if (count > length) count = length;
    QlString part;
    AllocCopy(part, count, length - count, 0);
    return part;
}

QlString QlString::SpanIncluding(const char* set) const {
    return Left(static_cast<int>(strspn(m_pchData, set)));
}

QlString QlString::SpanExcluding(const char* set) const {
    return Left(static_cast<int>(strcspn(m_pchData, set)));
}

// ---------------------------------------------------------------------------
// Searches

int QlString::Find(char ch) const {
    return IndexOrNotFound(strchr(m_pchData, static_cast<unsigned char>(ch)), m_pchData);
}

int QlString::Find(char ch, int start) const {
    if (start < 0) start = 0;
    if (start >= GetData()->dataLength) return -1;
    return IndexOrNotFound(strchr(m_pchData + start, static_cast<unsigned char>(ch)), m_pchData);
}

int QlString::Find(const char* text) const {
    return IndexOrNotFound(strstr(m_pchData, text), m_pchData);
}

int QlString::Find(const char* text, int start) const {
    if (start < 0) start = 0;
    // The end itself is searched, so the empty text is found there.
    if (start > GetData()->dataLength) return -1;
    return IndexOrNotFound(strstr(m_pchData + start, text), m_pchData);
}

int QlString::ReverseFind(char ch) const {
    return IndexOrNotFound(strrchr(m_pchData, static_cast<unsigned char>(ch)), m_pchData);
}

int QlString::FindOneOf(const char* set) const {
    return IndexOrNotFound(strpbrk(m_pchData, set), m_pchData);
}
