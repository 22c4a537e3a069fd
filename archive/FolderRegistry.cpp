#include "FolderRegistry.h"

void FolderRegistry::AddFront(const QlString& path) {
    Node* node = new Node{head, nullptr, path};
    if (head != nullptr)
        head->prev = node;
    else
        tail = node;
    head = node;
    ++count;
}

void FolderRegistry::Clear() {
    while (head != nullptr) {
        Node* next = head->next;
        delete head;
        head = next;
    }
    tail = nullptr;
    count = 0;
}
