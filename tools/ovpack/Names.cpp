#include "Names.h"

#include <stdio.h>

std::string FoldCase(const std::string& name) {
    std::string folded = name;
    for (char& c : folded) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return folded;
}

std::string PrintableName(const char* name, uint32_t length) {
    std::string text;
    for (uint32_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c > 0x7E || c == '"') {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\x%02X", c);
            text += escaped;
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

std::string PrintableName(const std::string& name) {
    return PrintableName(name.data(), static_cast<uint32_t>(name.size()));
}

const char* CheckPortableName(const char* name, uint32_t length) {
    for (uint32_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(name[i]) > 0x7F)
            return "holds characters outside ASCII; only ASCII names mean the same on every system";
    }
    return nullptr;
}

std::string NameClash::Add(const std::string& name, const std::string& label) {
    std::string folded = FoldCase(name);
    std::string clash;
    auto file = files.find(folded);
    auto folder = folders.find(folded);
    if (file != files.end()) {
        clash = "same name as " + file->second + " ignoring case";
    } else if (folder != folders.end()) {
        clash = "names a file where " + folder->second + " needs a folder";
    }
    for (size_t slash = folded.find('\\'); slash != std::string::npos; slash = folded.find('\\', slash + 1)) {
        std::string parent = folded.substr(0, slash);
        auto parentFile = files.find(parent);
        if (clash.empty() && parentFile != files.end()) {
            clash = "needs a folder where " + parentFile->second + " is a file";
        }
        folders.emplace(parent, label);
    }
    files.emplace(folded, label);
    return clash;
}
