#include "Content.h"

#include <vector>

namespace {

const int VocabularySize = 400;

// Pronounceable words of one to four syllables, the same for every file,
// so files share a vocabulary as a product's documents do.
std::vector<std::string> MakeVocabulary(uint64_t seed, bool identifiers) {
    static const char* const syllables[] = {"ka", "lo", "mi", "ne", "ru", "sa", "te", "vo", "di", "po", "ben", "tor",
                                            "al", "ex", "in", "or", "un", "set", "val", "dat"};
    const uint32_t count = sizeof syllables / sizeof syllables[0];
    BenchRandom random(seed);
    std::vector<std::string> words;
    for (int i = 0; i < VocabularySize; ++i) {
        std::string word;
        uint32_t parts = 1 + random.Below(4);
        for (uint32_t p = 0; p < parts; ++p) {
            std::string part = syllables[random.Below(count)];
            if (identifiers && p > 0) part[0] = static_cast<char>(part[0] - 'a' + 'A');
            word += part;
        }
        words.push_back(word);
    }
    return words;
}

// Skewed towards the first words, as word use is.
const std::string& PickWord(const std::vector<std::string>& words, BenchRandom& random) {
    uint64_t u = random.Below(1024);
    return words[u * u * u * words.size() >> 30];
}

void AppendText(std::string& out, uint64_t size, BenchRandom& random) {
    static const std::vector<std::string> words = MakeVocabulary(0x7465787400000001ull, false);
    size_t lineStart = out.size();
    while (out.size() < size) {
        uint32_t length = 4 + random.Below(16);
        for (uint32_t w = 0; w < length && out.size() < size; ++w) {
            std::string word = PickWord(words, random);
            if (w == 0) word[0] = static_cast<char>(word[0] - 'a' + 'A');
            if (out.size() - lineStart + word.size() > 76) {
                out += "\r\n";
                lineStart = out.size();
            } else if (out.size() > lineStart) {
                out += ' ';
            }
            out += word;
            if (w + 1 == length) out += random.Below(8) == 0 ? "," : ".";
        }
        if (random.Below(6) == 0) {
            out += "\r\n\r\n";
            lineStart = out.size();
        }
    }
}

void AppendCode(std::string& out, uint64_t size, BenchRandom& random) {
    static const std::vector<std::string> names = MakeVocabulary(0x636F646500000001ull, true);
    static const char* const types[] = {"int", "DWORD", "const char*", "bool", "QlString", "size_t"};
    static const char* const operators[] = {" < ", " == ", " != ", " >= ", " + ", " & "};
    int depth = 0;
    while (out.size() < size) {
        std::string line(4 * depth, ' ');
        // Opening and closing blocks are equally likely, four levels at most.
        uint32_t choice = random.Below(depth == 0 ? 3 : 8);
        if (depth >= 4 && (choice == 0 || choice == 3)) choice = 7;
        switch (choice) {
        case 0:
            line += std::string(types[random.Below(6)]) + " " + PickWord(names, random) + "(" +
                    types[random.Below(6)] + " " + PickWord(names, random) + ") {";
            ++depth;
            break;
        case 1:
            line += "// " + PickWord(names, random) + " " + PickWord(names, random) + " " + PickWord(names, random);
            break;
        case 2:
            line += std::string(types[random.Below(6)]) + " " + PickWord(names, random) + " = " +
                    std::to_string(random.Below(4096)) + ";";
            break;
        case 3:
            line += "if (" + PickWord(names, random) + operators[random.Below(6)] + PickWord(names, random) + ") {";
            ++depth;
            break;
        case 4:
            line += PickWord(names, random) + " = " + PickWord(names, random) + "(" + PickWord(names, random) + ", " +
                    std::to_string(random.Below(256)) + ");";
            break;
        case 5:
            line += "return " + PickWord(names, random) + ";";
            break;
        default:
            line = std::string(4 * --depth, ' ') + "}";
            break;
        }
        out += line + "\r\n";
    }
}

void AppendRandom(std::string& out, uint64_t size, BenchRandom& random) {
    while (out.size() + 8 <= size) {
        uint64_t value = random.Next();
        for (int i = 0; i < 8; ++i) out += static_cast<char>(value >> (8 * i));
    }
    uint64_t value = random.Next();
    while (out.size() < size) {
        out += static_cast<char>(value);
        value >>= 8;
    }
}

}  // namespace

std::string MakeContent(ContentKind kind, uint64_t size, uint64_t seed) {
    BenchRandom random(seed);
    std::string out;
    out.reserve(size + 128);
    if (kind == ContentKind::Text) AppendText(out, size, random);
    if (kind == ContentKind::Code) AppendCode(out, size, random);
    if (kind == ContentKind::Random) AppendRandom(out, size, random);
    out.resize(size);
    return out;
}
