// A list of absolute paths, newest first: the folders and the files one run
// created, so that a run that fails can take back exactly those.  Adding
// copies the string into a new node in front; nothing is sorted.
#ifndef ORVANE_ARCHIVE_PATHLIST_H
#define ORVANE_ARCHIVE_PATHLIST_H

#include "../string/QlString.h"

class PathList {
    struct Node {
        Node* next;
        Node* prev;
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

    PathList() : head(nullptr), tail(nullptr), count(0) {}
    ~PathList() { Clear(); }
    PathList(const PathList&) = delete;
    PathList& operator=(const PathList&) = delete;

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
    Node* tail;
    int count;
};

#endif
