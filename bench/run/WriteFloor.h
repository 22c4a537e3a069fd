// The write floor of the benchmark: the payload's files, held in memory,
// written to disk as new files the way an extractor writes them, whole or
// in pieces of a fixed size (one WriteFile, so one system call, each), to
// show what the size of the pieces costs.
#ifndef ORVANE_BENCH_RUN_WRITEFLOOR_H
#define ORVANE_BENCH_RUN_WRITEFLOOR_H

#include <string>
#include <vector>

#include "Tree.h"

class WriteFloor {
public:
    // Reads every file below the source folders into memory, the trees
    // merged as one; false, naming it, when a file cannot be read whole.
    bool Load(const std::vector<std::string>& sources, std::string& error);

    // Creates target (which must not hold the files yet), the folders and
    // every file, written in pieces of piece bytes (0: each file in one
    // piece).  False, naming the path, on any failure, a short write too.
    bool WriteAll(const std::string& target, size_t piece, std::string& error) const;

    TreeSize Size() const { return size; }

private:
    std::vector<std::string> folders;
    std::vector<std::pair<std::string, std::string>> files;  // relative path, content
    TreeSize size;
};

#endif
