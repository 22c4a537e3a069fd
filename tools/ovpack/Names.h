// Entry names as the target system sees them: compared by ASCII case rules,
// and a file and a folder cannot share a path.  Also their form in messages.
#ifndef ORVANE_TOOLS_OVPACK_NAMES_H
#define ORVANE_TOOLS_OVPACK_NAMES_H

#include <stdint.h>

#include <map>
#include <string>

// Upper case by ASCII rules, as the target system compares names.
std::string FoldCase(const std::string& name);

// The name for messages: bytes below 0x20, above 0x7E and the quote are
// written as \xNN, so a hostile name cannot garble a terminal.
std::string PrintableName(const char* name, uint32_t length);
std::string PrintableName(const std::string& name);

// Null when every byte of the name is ASCII; else why it is refused.  The
// launcher reads a name in the ANSI code page of the system it runs on, as
// the next stage reads the names it looks for, so a byte above 0x7F means
// another letter on another system ("\xE9" is "é" in the West, "й" in
// Cyrillic), or none.
const char* CheckPortableName(const char* name, uint32_t length);

// The names that end up in one folder tree.  Two names clash when they are
// equal ignoring case (one file would overwrite the other), or when one
// names a file where the other needs a folder ("a" and "A\b").
class NameClash {
public:
    // "" when name (backslash separators) fits with those added before;
    // else why not, with the label given for the earlier name.  The name
    // is recorded either way.
    std::string Add(const std::string& name, const std::string& label);

private:
    std::map<std::string, std::string> files;    // folded name to its label
    std::map<std::string, std::string> folders;  // folded folder to the first label below it
};

#endif
