// Comparison of QlString texts: byte order, ASCII case folding, the
// runtime's collation, and the comparison operators built on Compare.
#include "QlString.h"

#include <string.h>

namespace {

int Sign(int difference) {
    return (difference > 0) - (difference < 0);
}

// Folding towards lower case, so '_' sorts before both 'a' and 'A'.
unsigned char FoldLower(unsigned char ch) {
    return ch >= 'A' && ch <= 'Z' ? static_cast<unsigned char>(ch + ('a' - 'A')) : ch;
}

}  // namespace

int QlString::Compare(const char* text) const {
    // strcmp orders by unsigned byte value; only its sign is portable.
    return Sign(strcmp(m_pchData, text));
}

int QlString::CompareNoCase(const char* text) const {
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_pchData);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(text);
    for (;; ++a, ++b) {
        unsigned char ca = FoldLower(*a);
        unsigned char cb = FoldLower(*b);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

int QlString::Collate(const char* text) const {
    return strcoll(m_pchData, text);
}

int QlString::CollateNoCase(const char* text) const {
    return _stricoll(m_pchData, text);
}

// Each operator in its three forms.  With the plain text on the left, the
// right operand compares itself with it, so the sign is reversed by writing
// the comparison the other way round.
#define QL_STRING_COMPARISON(op)                                                               \
    bool operator op(const QlString& a, const QlString& b) { return a.Compare(b) op 0; }    \
    bool operator op(const QlString& a, const char* b) { return a.Compare(b) op 0; }        \
    bool operator op(const char* a, const QlString& b) { return 0 op b.Compare(a); }

QL_STRING_COMPARISON(==)
QL_STRING_COMPARISON(!=)
QL_STRING_COMPARISON(<)
QL_STRING_COMPARISON(>)
QL_STRING_COMPARISON(<=)
QL_STRING_COMPARISON(>=)

#undef QL_STRING_COMPARISON
