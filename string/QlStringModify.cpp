// Changes of a QlString's characters in place: case, order, trimming, and
// replacing or removing single characters.  Each first gives a shared block
// a private copy (CopyBeforeWrite); a locked block is changed where it is.
// Only ASCII letters have case and only "C" locale white space is trimmed.
#include "QlString.h"

#include <ctype.h>
#include <string.h>

namespace {

bool IsWhiteSpace(unsigned char ch) {
    return isspace(ch) != 0;
}

// Stores a NUL where the run of matching characters that ends the text
// (before its first NUL) begins, and makes that the length.  A text that
// does not end in such a run is left alone.
template <class Matches>
void CutTrailingRun(char* text, int& length, Matches matches) {
    char* run = nullptr;
    for (char* p = text; *p != '\0'; ++p) {
        if (!matches(static_cast<unsigned char>(*p)))
            run = nullptr;
        else if (run == nullptr)
            run = p;
    }
    if (run == nullptr) return;
    *run = '\0';
    length = static_cast<int>(run - text);
}

// Moves the text after the leading run of matching characters, with its
// NUL, to the front.  The scan stops at the first NUL whatever matches says,
// so it never leaves the text.
template <class Matches>
void DropLeadingRun(char* text, int& length, Matches matches) {
    int skipped = 0;
    while (text[skipped] != '\0' && matches(static_cast<unsigned char>(text[skipped]))) ++skipped;
    if (skipped == 0) return;
    memmove(text, text + skipped, static_cast<size_t>(length - skipped) + 1);
    length -= skipped;
}

struct EqualTo {
    unsigned char ch;
    bool operator()(unsigned char c) const { return c == ch; }
};

// A null set is the empty set.
struct OneOf {
    const char* set;
    bool operator()(unsigned char c) const { return set != nullptr && strchr(set, c) != nullptr; }
};

}  // namespace

// ---------------------------------------------------------------------------
// Case and order, up to the first NUL

void QlString::MakeUpper() {
    CopyBeforeWrite();
    for (char* p = m_pchData; *p != '\0'; ++p)
        if (*p >= 'a' && *p <= 'z') *p = static_cast<char>(*p - ('a' - 'A'));
}

void QlString::MakeLower() {
    CopyBeforeWrite();
    for (char* p = m_pchData; *p != '\0'; ++p)
        if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p + ('a' - 'A'));
}

void QlString::MakeReverse() {
    CopyBeforeWrite();
    char* front = m_pchData;
    char* back = m_pchData + strlen(m_pchData);
    while (front + 1 < back) {
        char ch = *front;
        *front++ = *--back;
        *back = ch;
    }
}

// ---------------------------------------------------------------------------
// Trimming

void QlString::TrimRight() {
    CopyBeforeWrite();
    CutTrailingRun(m_pchData, GetData()->dataLength, IsWhiteSpace);
}

void QlString::TrimRight(char ch) {
    CopyBeforeWrite();
    CutTrailingRun(m_pchData, GetData()->dataLength, EqualTo{static_cast<unsigned char>(ch)});
}

void QlString::TrimRight(const char* set) {
    CopyBeforeWrite();
    CutTrailingRun(m_pchData, GetData()->dataLength, OneOf{set});
}

void QlString::TrimLeft() {
    CopyBeforeWrite();
    DropLeadingRun(m_pchData, GetData()->dataLength, IsWhiteSpace);
}

void QlString::TrimLeft(char ch) {
    CopyBeforeWrite();
    DropLeadingRun(m_pchData, GetData()->dataLength, EqualTo{static_cast<unsigned char>(ch)});
}

void QlString::TrimLeft(const char* set) {
    // Nothing to trim: not even a private copy.
    if (SafeStrlen(set) == 0) return;
    CopyBeforeWrite();
    DropLeadingRun(m_pchData, GetData()->dataLength, OneOf{set});
}

// ---------------------------------------------------------------------------
// Single characters, over the whole length (NUL bytes inside included)

int QlString::Replace(char oldChar, char newChar) {
    if (oldChar == newChar) return 0;
    CopyBeforeWrite();
    int replaced = 0;
    int length = GetData()->dataLength;
    for (int i = 0; i < length; ++i) {
        if (m_pchData[i] == oldChar) {
            m_pchData[i] = newChar;
            ++replaced;
        }
    }
    return replaced;
}

int QlString::Remove(char ch) {
    CopyBeforeWrite();
    QlStringData* data = GetData();
    int kept = 0;
    for (int i = 0; i < data->dataLength; ++i)
        if (m_pchData[i] != ch) m_pchData[kept++] = m_pchData[i];
    m_pchData[kept] = '\0';
    int removed = data->dataLength - kept;
    data->dataLength = kept;
    return removed;
}
