// The command line of the project's own tools (ovpack, ovbench, ovbenchgen,
// ovrun, the squatter): options with their values anywhere among the other
// words, each option at most once, values never empty, numbers whole and
// decimal within their bounds.  The first fault is kept and the calls after
// it change nothing, so a tool takes what it knows and reads Error() once.
// Header-only and portable: the tools build natively and for Windows.
#ifndef ORVANE_TOOLS_CLI_ARGUMENTS_H
#define ORVANE_TOOLS_CLI_ARGUMENTS_H

#include <stdint.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

class Arguments {
public:
    explicit Arguments(std::vector<std::string> words) : words(std::move(words)) {}
    Arguments(int argc, char** argv, int first) : words(argv + std::min(first, argc), argv + argc) {}

    // A whole decimal number from low to high; false for anything else,
    // signs, blanks and numbers past 64 bits included.
    static bool Number(const std::string& text, uint64_t low, uint64_t high, uint64_t& value) {
        if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != std::string::npos)
            return false;
        value = strtoull(text.c_str(), nullptr, 10);
        return value >= low && value <= high;
    }

    // Takes "name value..." (as many values as given), wherever it stands;
    // false when name is absent or the line is at fault.
    bool Take(const std::string& name, const std::vector<std::string*>& values) {
        auto at = std::find(words.begin(), words.end(), name);
        if (!error.empty() || at == words.end()) return false;
        if (static_cast<size_t>(words.end() - at) <= values.size()) return Fault(name + " needs a value");
        for (size_t i = 0; i < values.size(); ++i) {
            *values[i] = at[i + 1];
            if (values[i]->empty()) return Fault(name + " takes a value, not an empty word");
        }
        words.erase(at, at + 1 + values.size());
        if (std::find(words.begin(), words.end(), name) != words.end()) return Fault(name + " given twice");
        return true;
    }
    bool Take(const std::string& name, std::string& value) { return Take(name, std::vector<std::string*>{&value}); }
    bool Take(const std::string& name) { return Take(name, std::vector<std::string*>{}); }

    // Takes "name N" with N from low to high; value stays as it was when
    // name is absent.
    template <typename T>
    bool TakeNumber(const std::string& name, uint64_t low, uint64_t high, T& value) {
        std::string text;
        if (!Take(name, text)) return false;
        return CheckNumber(name, text, low, high, value);
    }

    // text as a number from low to high for what; a fault otherwise.
    template <typename T>
    bool CheckNumber(const std::string& what, const std::string& text, uint64_t low, uint64_t high, T& value) {
        uint64_t number;
        if (!Number(text, low, high, number))
            return Fault(what + " takes a number from " + std::to_string(low) + " to " + std::to_string(high) +
                         ", not \"" + text + "\"");
        value = static_cast<T>(number);
        return true;
    }

    // The words no option took, in order; a word that looks like an option
    // is a fault (an option this tool does not know).
    const std::vector<std::string>& Rest() {
        for (const std::string& word : words) {
            if (word.size() > 1 && word[0] == '-') Fault("unknown option " + word);
        }
        return words;
    }

    // "" while every word fits.
    const std::string& Error() const { return error; }

private:
    bool Fault(const std::string& why) {
        if (error.empty()) error = why;
        return false;
    }

    std::vector<std::string> words;
    std::string error;
};

#endif
