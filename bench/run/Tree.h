// Folder trees on disk: what they hold, their size, and copying one into
// another (the copy floor of the benchmark).  Folder paths may end with a
// backslash or not; relative paths use backslashes and no leading one.
#ifndef ORVANE_BENCH_RUN_TREE_H
#define ORVANE_BENCH_RUN_TREE_H

#include <string>
#include <vector>

struct TreeSize {
    unsigned long long files = 0;
    unsigned long long bytes = 0;
    bool operator==(const TreeSize& other) const { return files == other.files && bytes == other.bytes; }
};

struct TreeListing {
    std::vector<std::string> folders;  // relative; each after the folder that holds it
    std::vector<std::string> files;    // relative
    TreeSize size;
};

// Everything below folder; empty for a missing folder.
TreeListing ListTree(const std::string& folder);

// The files below folder and their bytes; nothing for a missing folder.
TreeSize MeasureTree(const std::string& folder);

// Copies every file and folder below source into target, creating target
// and its sub-folders as needed and replacing files of the same name.
// False, with the path that failed, on the first failure.
bool CopyTree(const std::string& source, const std::string& target, std::string& failed);

// folder with a trailing backslash (added unless there is one).
std::string WithBackslash(const std::string& folder);

// Creates folder unless it exists as a folder; false otherwise.
bool MakeFolder(const std::string& folder);

#endif
