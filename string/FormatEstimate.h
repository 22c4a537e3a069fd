// The size estimate of QlString::FormatV: how many characters to reserve
// for a printf-style format and its arguments, by fixed rules per
// conversion (32 for integers and pointers, 128 for floating point, the text
// length for strings, 2 for a character, 2 more for every '#'; wide text
// two bytes a character, as a double-byte code page may need).
//
// It walks the format as the runtime's formatter (msvcrt's _vsnprintf, in
// the "C" locale) does and takes exactly the arguments it takes, of the
// same sizes: the size prefixes h, hh, l, ll, L, I, I32, I64, w, F and N (ll
// and I64 take 64 bits; L, F and N change nothing) and the conversions c C s
// S Z d i o u x X e E f g G a A p n.  A character the formatter does not
// take as part of a conversion ends it and counts as text, as does an 'I'
// not followed by 32, 64 or an integer conversion.  A string is never read
// further than its precision or its NUL; a %Z counted string (ANSI_STRING,
// or UNICODE_STRING with %wZ) is sized by its count, its text is never read.
//
// Portable: no platform headers, so it is tested natively too.  The walk
// never reads past the format's terminating NUL.  It takes the arguments
// from its own copy of the list.  Large floating-point values and
// precisions may get less than the formatter writes, so the caller must
// bound its output by the reservation.
#ifndef ORVANE_STRING_FORMATESTIMATE_H
#define ORVANE_STRING_FORMATESTIMATE_H

#include <stdarg.h>

int EstimateFormatLength(const char* format, va_list args);

#endif
