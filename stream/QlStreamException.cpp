#include "QlStreamException.h"

#include <string.h>

namespace {

char* DuplicateText(const char* text) {
    if (text == nullptr) return nullptr;
    size_t size = strlen(text) + 1;
    char* copy = new char[size];
    memcpy(copy, text, size);
    return copy;
}

}  // namespace

QlStreamException::QlStreamException(int cause) : cause(cause), text(nullptr) {}

QlStreamException::QlStreamException(int cause, const char* text)
    : cause(cause), text(DuplicateText(text)) {}

QlStreamException::QlStreamException(const QlStreamException& other)
    : cause(other.cause), text(DuplicateText(other.text)) {}

QlStreamException& QlStreamException::operator=(const QlStreamException& other) {
    if (this != &other) {
        char* copy = DuplicateText(other.text);
        delete[] text;
        text = copy;
        cause = other.cause;
    }
    return *this;
}

QlStreamException::~QlStreamException() {
    delete[] text;
}

void ThrowNamingFile(QlStreamException* error, const char* file) {
    if (error->text != nullptr) throw error;
    int cause = error->cause;
    delete error;
    throw new QlStreamException(cause, file);
}

void ThrowNamingFile(const QlStreamException& error, const char* file) {
    throw new QlStreamException(error.cause, file);
}
