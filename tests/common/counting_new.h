// The global operator new of the test program whose one source file includes
// this: over malloc, counting the allocations and remembering the last size,
// and failing (std::bad_alloc) once a set number more have been made.
#ifndef ORVANE_TESTS_COMMON_COUNTING_NEW_H
#define ORVANE_TESTS_COMMON_COUNTING_NEW_H

#include <stdlib.h>

#include <new>

namespace countingnew {

inline int allocations = 0;
inline size_t lastSize = 0;
inline long allowed = -1;  // how many more may succeed; -1: all

}  // namespace countingnew

void* operator new(size_t size) {
    if (countingnew::allowed == 0) throw std::bad_alloc();
    if (countingnew::allowed > 0) --countingnew::allowed;
    ++countingnew::allocations;
    countingnew::lastSize = size;
    void* block = malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    return block;
}

void operator delete(void* block) noexcept {
    free(block);
}

void operator delete(void* block, size_t) noexcept {
    free(block);
}

#endif
