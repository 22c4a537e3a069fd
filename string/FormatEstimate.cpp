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

// What stands between a conversion's '%' and its conversion character.
struct Specification {
    long long prefixes = 0;   // room for "0x" prefixes: 2 for every '#'
    long long width = 0;      // never negative: a negative width means left alignment
    long long precision = 0;  // never negative: a negative precision means none at all
};

// Reads the flags, width, precision and size prefix after a '%', taking
// starred values from args, and leaves p at the conversion character (at
// the NUL when the format ends first).
Specification ReadSpecification(const char*& p, va_list& args) {
    Specification spec;
    for (; *p != '\0' && strchr("#*-+0 ", *p) != nullptr; ++p) {
        if (*p == '#')
            spec.prefixes += 2;
        else if (*p == '*')
            spec.width = va_arg(args, int);
    }
    if (spec.width == 0) spec.width = ReadNumber(p);
    if (*p == '.') {
        ++p;
        if (*p == '*') {
            spec.precision = va_arg(args, int);
            ++p;
        } else {
            spec.precision = ReadNumber(p);
        }
    }
    if (spec.width < 0) spec.width = -spec.width;
    if (spec.precision < 0) spec.precision = 0;
    if (*p != '\0' && strchr("FLNhl", *p) != nullptr) ++p;
    return spec;
}

// Text and characters: the precision cuts them, the width pads them.
long long TextRoom(long long length, const Specification& spec) {
    if (spec.precision != 0 && length > spec.precision) length = spec.precision;
    return Max(length, spec.width);
}

// The room for one conversion's output, taking its argument from args.
long long ConversionRoom(char conversion, const Specification& spec, va_list& args) {
    switch (conversion) {
    case 'c':
        (void)va_arg(args, int);
        return TextRoom(2, spec);
    case 's': {
        const char* text = va_arg(args, const char*);
        long long length = text == nullptr ? 6 : static_cast<long long>(strlen(text));  // "(null)"
        return TextRoom(length == 0 ? 1 : length, spec);
    }
    case 'd': case 'i': case 'o': case 'u': case 'x': case 'X':
        (void)va_arg(args, int);
        return Max(32, spec.width + spec.precision);
    case 'e': case 'f': case 'g': case 'G':
        (void)va_arg(args, double);
        return Max(128, spec.width + spec.precision);
    case 'p':
        (void)va_arg(args, void*);
        return Max(32, spec.width + spec.precision);
    case 'n':
        (void)va_arg(args, void*);
        return 0;
    default:
        return 0;
    }
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
            Specification spec = ReadSpecification(p, walk);
            total += spec.prefixes;
            if (*p == '\0') break;
            total += ConversionRoom(*p++, spec, walk);
        }
    }
    va_end(walk);
    // The reservation is an int capacity; the formatter is bounded by it
    // anyway, so an absurd estimate is clipped rather than wrapped.
    return total > 0x7FFFFFF0 ? 0x7FFFFFF0 : static_cast<int>(total);
}
