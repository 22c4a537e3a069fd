// Catching the stream errors that are thrown by pointer, in tests.
#ifndef ORVANE_TESTS_HARNESS_STREAMERRORS_H
#define ORVANE_TESTS_HARNESS_STREAMERRORS_H

#include <memory>
#include <string>

#include "stream/QlStreamException.h"

namespace harness {

// Runs body and returns the cause of the QlStreamException it throws by
// pointer (deleting it), with its text when asked; 0 when it throws nothing.
template <typename Body>
int CauseOf(Body body, std::string* text = nullptr) {
    try {
        body();
    } catch (QlStreamException* error) {
        std::unique_ptr<QlStreamException> owned(error);
        if (text != nullptr) *text = error->text != nullptr ? error->text : "";
        return error->cause;
    }
    return 0;
}

}  // namespace harness

#endif
