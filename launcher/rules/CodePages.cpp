#include "CodePages.h"

namespace {

const unsigned long NoBestFitChars = 0x400;  // WC_NO_BEST_FIT_CHARS

}  // namespace

unsigned long NoBestFitFlags(unsigned int codePage) {
    switch (codePage) {
    case 42:                                               // symbol
    case 50220: case 50221: case 50222: case 50225:        // ISO 2022
    case 50227: case 50229:
    case 54936:                                            // GB18030
    case 65000: case 65001:                                // UTF-7, UTF-8
        return 0;
    default:
        return codePage >= 57002 && codePage <= 57011 ? 0 : NoBestFitChars;  // ISCII
    }
}
