// The size estimate of QlString::FormatV: how many characters to reserve
// for a printf-style format and its arguments, by fixed rules per
// conversion (32 for integers and pointers, 128 for floating point, the text
// length for strings, 2 for a character, 2 more for every '#').
//
// Portable: no platform headers, so it is tested natively too.  The walk
// never reads past the format's terminating NUL.  It takes the arguments
// from its own copy of the list, in the formatter's order, for the
// conversions it knows; formats with other conversions or two-letter size
// prefixes may get less than the formatter writes, so the caller must
// bound its output by the reservation.
#ifndef ORVANE_STRING_FORMATESTIMATE_H
#define ORVANE_STRING_FORMATESTIMATE_H

#include <stdarg.h>

int EstimateFormatLength(const char* format, va_list args);

#endif
