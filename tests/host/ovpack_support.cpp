#include "ovpack_support.h"

#include <string.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace archivetest {

TempFolder::~TempFolder() { std::filesystem::remove_all(path); }

void WriteFile(const std::string& path, const std::string& content) {
    size_t slash = path.find_last_of('/');
    if (slash != std::string::npos) MakeFolderTree(path.substr(0, slash));
    std::ofstream(path, std::ios::binary) << content;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string MixedContent(size_t length, unsigned seed) {
    static const char* const words[] = {"setup ", "archive ", "entry ", "block ", "stream ", "folder ", "\r\n"};
    std::mt19937 random(seed);
    std::string content;
    while (content.size() < length) {
        size_t run = 1000 + random() % 90000;
        switch (random() % 3) {
        case 0:
            while (run > 0 && content.size() < length) {
                const char* word = words[random() % 7];
                content += word;
                run -= std::min(run, strlen(word));
            }
            break;
        case 1:
            for (; run > 0; --run) content += static_cast<char>(random());
            break;
        default:
            content.append(run, '\0');
        }
    }
    content.resize(length);
    return content;
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace archivetest
