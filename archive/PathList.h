// A list of absolute paths, newest first: the folders and the files one run
// created, so that a run that fails can take back exactly those.  Adding
// shares the string in a node in front; nothing is sorted.  Room for the
// next path is reserved before what it names is created, so that recording
// it cannot fail once it exists, not even for want of memory.
#ifndef ORVANE_ARCHIVE_PATHLIST_H
#define ORVANE_ARCHIVE_PATHLIST_H

#include "../string/QlString.h"

class PathList {
    struct Node {
        Node* next;
        QlString path;
    };

public:
    class Iterator {
    public:
        explicit Iterator(const Node* node) : node(node) {}
        const QlString& operator*() const { return node->path; }
        Iterator& operator++() {
            node = node->next;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return node != other.node; }

    private:
        const Node* node;
    };

    PathList() : head(nullptr), spare(nullptr), count(0) {}
    ~PathList();
    PathList(const PathList&) = delete;
    PathList& operator=(const PathList&) = delete;

    // Room for one more path: the next AddFront then allocates nothing.
    // Throws std::bad_alloc.
    void Reserve();
    // path (not a locked string, whose copy would allocate) in front, in the
    // reserved room if there is one; throws std::bad_alloc only without it.
    void AddFront(const QlString& path);
    void Clear();
    int GetCount() const { return count; }
    // Whether the list holds path, compared as the system compares names
    // (case aside).
    bool Holds(const QlString& path) const;

    // From the newest path to the oldest.
    Iterator begin() const { return Iterator(head); }
    Iterator end() const { return Iterator(nullptr); }

private:
    Node* head;
    Node* spare;
    int count;
};

#endif
