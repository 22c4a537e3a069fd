// Edits that change a QlString's length: Insert, Delete and substring
// replacement.  Growth gives the string a block of exactly the new length;
// shrinking works in place.  Texts taken from the string's own block are
// copied before the block is changed or replaced, so s.Insert(0, s) and
// s.Replace(s, "x") are safe.
#include "QlString.h"
#include "GrownLength.h"

#include <stdint.h>
#include <string.h>

namespace {

// Whether text lies in s's block (its characters and its NUL).
bool InBlockOf(const char* text, const QlString& s) {
    uintptr_t at = reinterpret_cast<uintptr_t>(text);
    uintptr_t first = reinterpret_cast<uintptr_t>(static_cast<const char*>(s));
    return at >= first && at - first <= static_cast<uintptr_t>(s.GetAllocLength());
}

// Opens a gap of n characters at index (clamped to the text) and returns
// its first character; the rest of the text moves right with its NUL.  The
// block grows to exactly the new length when its capacity falls short.
char* OpenGap(QlString& s, int index, int n) {
    int length = s.GetLength();
    if (index < 0) index = 0;
    if (index > length) index = length;
    int newLength = GrownLength(length, n);
    char* text = s.GetBuffer(newLength);
    memmove(text + index + n, text + index, static_cast<size_t>(length - index) + 1);
    s.ReleaseBuffer(newLength);
    return text + index;
}

using Finder = const char* (*)(const char* text, const char* sought);

const char* FindExact(const char* text, const char* sought) {
    return strstr(text, sought);
}

char FoldUpper(char ch) {
    return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - ('a' - 'A')) : ch;
}

// strstr with ASCII letters matched regardless of case.
const char* FindNoCase(const char* text, const char* sought) {
    for (; *text != '\0'; ++text) {
        const char* t = text;
        const char* s = sought;
        while (*s != '\0' && FoldUpper(*t) == FoldUpper(*s)) ++t, ++s;
        if (*s == '\0') return text;
    }
    return nullptr;
}

// The text's first length bytes are a sequence of NUL-terminated pieces;
// the hits of sought (never overlapping) are counted piece by piece.
int CountHits(const char* text, int length, const char* sought, int soughtLength, Finder find) {
    int count = 0;
    const char* end = text + length;
    for (const char* at = text; at < end;) {
        const char* hit = find(at, sought);
        if (hit != nullptr) {
            ++count;
            at = hit + soughtLength;
        } else {
            at += strlen(at) + 1;  // past this piece's NUL
        }
    }
    return count;
}

// A null text is the empty text.
int TextLength(const char* text) {
    return text == nullptr ? 0 : static_cast<int>(strlen(text));
}

int ReplaceHits(QlString& s, const char* oldText, const char* newText, Finder find) {
    int m = TextLength(oldText);
    if (m == 0) return 0;
    int length = s.GetLength();
    int count = CountHits(s, length, oldText, m, find);
    if (count == 0) return 0;

    // Copies of texts that the edit is about to move or free.
    QlString oldCopy;
    QlString newCopy;
    if (InBlockOf(oldText, s)) {
        oldCopy = oldText;
        oldText = oldCopy;
    }
    int k = TextLength(newText);
    if (k > 0 && InBlockOf(newText, s)) {
        newCopy = newText;
        newText = newCopy;
    }
    int newLength = GrownLength(length, static_cast<long long>(k - m) * count);

    // The same pieces in the same order; the search goes on after the
    // inserted text, so it is never searched again and the hits are those
    // counted.  In place, every intermediate length lies between the old
    // and the new one, so the capacity always holds the text.
    char* text = s.GetBuffer(newLength);
    char* end = text + length;
    char* at = text;
    for (int done = 0; done < count && at < end;) {
        char* hit = const_cast<char*>(find(at, oldText));
        if (hit == nullptr) {
            at += strlen(at) + 1;
            continue;
        }
        memmove(hit + k, hit + m, static_cast<size_t>(end - (hit + m)));
        if (k > 0) memcpy(hit, newText, static_cast<size_t>(k));  // a null newText removes
        end += k - m;
        *end = '\0';
        at = hit + k;
        ++done;
    }
    s.ReleaseBuffer(newLength);
    return count;
}

}  // namespace

int QlString::Insert(int index, char ch) {
    CopyBeforeWrite();
    *OpenGap(*this, index, 1) = ch;
    return GetData()->dataLength;
}

int QlString::Insert(int index, const char* text) {
    int n = SafeStrlen(text);
    if (n == 0) return GetData()->dataLength;
    // Our own text would move under the copy, or be freed by the growth.
    QlString ownText;
    if (InBlockOf(text, *this)) {
        ownText = text;
        text = ownText;
    }
    CopyBeforeWrite();
    memmove(OpenGap(*this, index, n), text, static_cast<size_t>(n));
    return GetData()->dataLength;
}

int QlString::Delete(int index, int count) {
    int length = GetData()->dataLength;
    if (index < 0) index = 0;
    if (count > 0 && index < length) {
        // A count past the end deletes to the end, and no further.
        if (count > length - index) count = length - index;
        CopyBeforeWrite();
        memmove(m_pchData + index, m_pchData + index + count, static_cast<size_t>(length - index - count) + 1);
        GetData()->dataLength = length - count;
    }
    return length;
}

int QlString::Replace(const char* oldText, const char* newText) {
    return ReplaceHits(*this, oldText, newText, FindExact);
}

int QlString::ReplaceNoCase(const char* oldText, const char* newText) {
    return ReplaceHits(*this, oldText, newText, FindNoCase);
}
