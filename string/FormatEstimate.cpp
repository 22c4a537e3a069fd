#include "FormatEstimate.h"

#include <string.h>

namespace {

// The formatter reads a format character by character, each one moving it
// from state to state by the character's class.  The estimate moves the
// same way, so it takes an argument exactly where the formatter does.
enum State { Normal, Percent, Flag, Width, Dot, Precision, Size, Type };
enum Class { Other, PercentSign, DotSign, Star, Zero, Digit, FlagSign, SizePrefix, Conversion };

Class ClassOf(char c) {
    if (c == '%') return PercentSign;
    if (c == '.') return DotSign;
    if (c == '*') return Star;
    if (c == '0') return Zero;
    if (c >= '1' && c <= '9') return Digit;
    if (strchr(" #+-", c) != nullptr) return FlagSign;
    if (strchr("FILNhlw", c) != nullptr) return SizePrefix;
    if (strchr("ACEGSXZacdefginopsux", c) != nullptr) return Conversion;
    return Other;
}

// The next state by class (rows) and present state (columns, in the order
// of State): N normal text, P '%', F flag, W width, D dot, R precision,
// S size prefix, T conversion.  A character that fits nowhere ends the
// conversion and is written as text.
State NextState(Class c, State s) {
    static const char* const transitions[] = {
        "NNNNNNNN",  // Other
        "PNNNNNNP",  // PercentSign
        "NDDDNNNN",  // DotSign
        "NWWNRNNN",  // Star
        "NFFWRRNN",  // Zero
        "NWWWRRNN",  // Digit
        "NFFNNNNN",  // FlagSign
        "NSSSSSSN",  // SizePrefix
        "NTTTTTTN",  // Conversion
    };
    switch (transitions[c][s]) {
    case 'P': return Percent;
    case 'F': return Flag;
    case 'W': return Width;
    case 'D': return Dot;
    case 'R': return Precision;
    case 'S': return Size;
    case 'T': return Type;
    default: return Normal;
    }
}

// The size prefixes' marks; F, L and N are taken and mean nothing (long
// double is double to this runtime).
const int ShortSize = 1, LongSize = 2, LongLongSize = 4, Int64Size = 8, WideSize = 16;

long long Max(long long a, long long b) {
    return a > b ? a : b;
}

// Widths and precisions saturate instead of overflowing on absurd values.
long long AddDigit(long long value, char digit) {
    return value > -0x7FFFFFFF && value < 0x7FFFFFFF ? value * 10 + (digit - '0') : value;
}

// What stands between a conversion's '%' and its conversion character.
struct Specification {
    int sizes = 0;             // the size prefixes' marks
    long long width = 0;       // never negative: a negative width means left alignment
    long long precision = -1;  // -1: none
};

// Takes the size prefix c, whose letters after it p points at; false when
// the formatter takes the 'I' as text instead (not followed by 64, 32 or
// an integer conversion).
bool TakeSizePrefix(char c, const char*& p, Specification& spec) {
    switch (c) {
    case 'l':
        if (*p == 'l') {
            ++p;
            spec.sizes |= LongLongSize;
        } else {
            spec.sizes |= LongSize;
        }
        return true;
    case 'I':
        if (p[0] == '6' && p[1] == '4') {
            p += 2;
            spec.sizes |= Int64Size;
        } else if (p[0] == '3' && p[1] == '2') {
            p += 2;
            spec.sizes &= ~Int64Size;
        } else if (*p == '\0' || strchr("diouxX", *p) == nullptr) {
            return false;
        }
        return true;
    case 'h':
        spec.sizes |= ShortSize;
        return true;
    case 'w':
        spec.sizes |= WideSize;
        return true;
    default:
        return true;
    }
}

// Text and characters: the precision cuts them, the width pads them.
long long TextRoom(long long length, const Specification& spec) {
    if (spec.precision >= 0 && length > spec.precision) length = spec.precision;
    return Max(length, spec.width);
}

// Wide text is written in the ANSI code page, where one wide character
// may take two bytes; the width pads by characters.
long long WideTextRoom(long long characters, const Specification& spec) {
    return Max(characters, spec.width) + characters;
}

long long Limit(const Specification& spec) {
    return spec.precision >= 0 ? spec.precision : 0x7FFFFFFF;
}

// Scans no further than the limit: a text with a precision may have no NUL.
long long NarrowLength(const char* text, long long limit) {
    long long length = 0;
    while (length < limit && text[length] != '\0') ++length;
    return length;
}

// Wide characters are two bytes on Windows, whatever wchar_t is here.
long long WideLength(const void* text, long long limit) {
    const unsigned char* bytes = static_cast<const unsigned char*>(text);
    long long length = 0;
    while (length < limit && (bytes[2 * length] != 0 || bytes[2 * length + 1] != 0)) ++length;
    return length;
}

// ANSI_STRING and UNICODE_STRING: a count of bytes, not of characters.
struct CountedString {
    unsigned short length;
    unsigned short maximumLength;
    const void* buffer;
};

const long long NullTextLength = 6;  // "(null)"

// The room for one conversion's output, taking its argument from args.
long long ConversionRoom(char conversion, Specification& spec, va_list& args) {
    bool wideUnlessSized = (spec.sizes & (ShortSize | LongSize | WideSize)) == 0;
    bool sixtyFour = (spec.sizes & (LongLongSize | Int64Size)) != 0;
    switch (conversion) {
    case 'C':
    case 'c':
        (void)va_arg(args, int);
        return TextRoom(2, spec);
    case 'S':
        if (wideUnlessSized) spec.sizes |= WideSize;
        // fall through
    case 's': {
        const void* text = va_arg(args, const void*);
        long long limit = Limit(spec);
        bool wide = (spec.sizes & (LongSize | WideSize)) != 0;
        long long length = text == nullptr ? (NullTextLength < limit ? NullTextLength : limit)
                           : wide          ? WideLength(text, limit)
                                           : NarrowLength(static_cast<const char*>(text), limit);
        if (wide) return WideTextRoom(length, spec);
        return TextRoom(length == 0 ? 1 : length, spec);  // an empty text still gets one
    }
    case 'Z': {
        // The formatter writes the whole count, whatever the precision;
        // the text itself is never read here.
        const CountedString* counted = va_arg(args, const CountedString*);
        if (counted == nullptr || counted->buffer == nullptr) return Max(NullTextLength, spec.width);
        if (spec.sizes & WideSize) return WideTextRoom(counted->length / 2, spec);
        return Max(counted->length, spec.width);
    }
    case 'd': case 'i': case 'o': case 'u': case 'x': case 'X': case 'p':
        if (sixtyFour)
            (void)va_arg(args, long long);
        else if (conversion == 'p')
            (void)va_arg(args, void*);
        else
            (void)va_arg(args, int);
        return Max(32, spec.width + Max(spec.precision, 0));
    case 'e': case 'E': case 'f': case 'g': case 'G': case 'a': case 'A':
        (void)va_arg(args, double);
        return Max(128, spec.width + Max(spec.precision, 0));
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
    State state = Normal;
    Specification spec;
    for (const char* p = format; *p != '\0';) {
        char c = *p++;
        state = NextState(ClassOf(c), state);
        switch (state) {
        case Normal:
            ++total;
            break;
        case Percent:
            spec = Specification();
            break;
        case Flag:
            if (c == '#') total += 2;
            break;
        case Width:
            if (c == '*') {
                long long width = va_arg(walk, int);
                spec.width = width < 0 ? -width : width;
            } else {
                spec.width = AddDigit(spec.width, c);
            }
            break;
        case Dot:
            spec.precision = 0;
            break;
        case Precision:
            if (c == '*') {
                long long precision = va_arg(walk, int);
                spec.precision = precision < 0 ? -1 : precision;
            } else {
                spec.precision = AddDigit(spec.precision, c);
            }
            break;
        case Size:
            if (!TakeSizePrefix(c, p, spec)) {
                state = Normal;
                ++total;
            }
            break;
        case Type:
            total += ConversionRoom(c, spec, walk);
            break;
        }
    }
    va_end(walk);
    // The reservation is an int capacity; the formatter is bounded by it
    // anyway, so an absurd estimate is clipped rather than wrapped.
    return total > 0x7FFFFFF0 ? 0x7FFFFFF0 : static_cast<int>(total);
}
