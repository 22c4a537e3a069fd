// The folder registry: the absolute paths of the folders that extraction
// created, newest first.  Adding copies the string into a new node in front;
// nothing is sorted or compared, and each folder is created (so added) once.
#ifndef ORVANE_ARCHIVE_FOLDERREGISTRY_H
#define ORVANE_ARCHIVE_FOLDERREGISTRY_H

#include "../string/QlString.h"

class FolderRegistry {
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

    FolderRegistry() : head(nullptr), tail(nullptr), count(0) {}
    ~FolderRegistry() { Clear(); }
    FolderRegistry(const FolderRegistry&) = delete;
    FolderRegistry& operator=(const FolderRegistry&) = delete;

    void AddFront(const QlString& path);
    void Clear();
    int GetCount() const { return count; }

    // From the newest folder to the oldest.
    Iterator begin() const { return Iterator(head); }
    Iterator end() const { return Iterator(nullptr); }

private:
    Node* head;
    Node* tail;
    int count;
};

#endif
