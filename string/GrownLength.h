// The one rule for every edit that makes a QlString longer: a new length
// that an int cannot hold is an allocation that cannot be made, reported as
// operator new reports one, never wrapped.
#ifndef ORVANE_STRING_GROWNLENGTH_H
#define ORVANE_STRING_GROWNLENGTH_H

#include <limits.h>

#include <new>

inline int GrownLength(int length, long long growth) {
    long long grown = length + growth;
    if (grown > INT_MAX) throw std::bad_alloc();
    return static_cast<int>(grown);
}

#endif
