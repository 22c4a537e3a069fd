#include "FormatEstimate.h"

#include <string.h>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number at p, advancing p past its digits; 0 without digits.
// Saturates instead of overflowing on absurd widths.
long long ReadNumber(const char*& p) {
    long long value = 0;
    while (IsDigit(*p)) {
        if (value < 0x7FFFFFFF) value = value * 10 + (*p - '0');
        ++p;
    }
    return value;
}

long long Max(long long a, long long b) {
    return a > b ? a : b;
}

// Estimate of one conversion specification starting after its '%'.  Returns
// false when the format ends before the conversion character.
bool EstimateConversion(const char*& p, va_list& args, long long& total) {
    long long width = 0;
    long long precision = 0;

    for (; *p != '\0' && strchr("#*-+0 ", *p) != nullptr; ++p) {
        if (*p == '#')
            total += 2;  // room for a "0x" prefix
        else if (*p == '*')
            width = va_arg(args, int);
    }
    if (width == 0) width = ReadNumber(p);
    if (*p == '.') {
        ++p;
        if (*p == '*') {
            precision = va_arg(args, int);
            ++p;
        } else {
            precision = ReadNumber(p);
        }
    }
    if (width < 0) width = -width;          // a negative width means left alignment
    if (precision < 0) precision = 0;       // and a negative precision none at all
    if (*p != '\0' && strchr("FLNhl", *p) != nullptr) ++p;
    if (*p == '\0') return false;

    long long item = 0;
    bool stringRule = false;
    switch (*p) {
    case 'c':
        (void)va_arg(args, int);
        item = 2;
        stringRule = true;
        break;
    case 's': {
        const char* text = va_arg(args, const char*);
        if (text == nullptr) {
            item = 6;  // "(null)"
        } else {
            item = static_cast<long long>(strlen(text));
            if (item == 0) item = 1;
        }
        stringRule = true;
        break;
    }
    case 'd': case 'i': case 'o': case 'u': case 'x': case 'X':
        (void)va_arg(args, int);
        item = Max(32, width + precision);
        break;
    case 'e': case 'f': case 'g': case 'G':
        (void)va_arg(args, double);
        item = Max(128, width + precision);
        break;
    case 'p':
        (void)va_arg(args, void*);
        item = Max(32, width + precision);
        break;
    case 'n':
        (void)va_arg(args, void*);
        break;
    default:
        break;
    }
    if (stringRule) {
        if (precision != 0 && item > precision) item = precision;
        if (item < width) item = width;
    }
    total += item;
    ++p;
    return true;
}

}  // namespace

int EstimateFormatLength(const char* format, va_list args) {
    va_list walk;
    va_copy(walk, args);
    long long total = 0;
    const char* p = format;
    while (*p != '\0') {
        if (*p != '%') {
            ++total;
            ++p;
        } else if (p[1] == '%') {
            ++total;
            p += 2;
        } else {
            ++p;
            if (!EstimateConversion(p, walk, total)) break;
        }
    }
    va_end(walk);
    // The reservation is an int capacity; the formatter is bounded by it
    // anyway, so an absurd estimate is clipped rather than wrapped.
    return total > 0x7FFFFFF0 ? 0x7FFFFFF0 : static_cast<int>(total);
}
