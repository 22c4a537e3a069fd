// The string's reference count, changed in one place: atomically, so
// strings shared between threads count right, and with the compiler's own
// atomics rather than a platform call, so the string class also builds and
// is tested natively under the sanitizers.
#ifndef ORVANE_STRING_REFCOUNT_H
#define ORVANE_STRING_REFCOUNT_H

// Each returns the count after the change.
inline long IncrementRefCount(long* count) {
    return __atomic_add_fetch(count, 1, __ATOMIC_SEQ_CST);
}

inline long DecrementRefCount(long* count) {
    return __atomic_sub_fetch(count, 1, __ATOMIC_SEQ_CST);
}

#endif
