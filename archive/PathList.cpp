#include "PathList.h"

#include <windows.h>

void PathList::AddFront(const QlString& path) {
    Node* node = new Node{head, nullptr, path};
    if (head != nullptr)
        head->prev = node;
    else
        tail = node;
    head = node;
    ++count;
}

void PathList::Clear() {
    while (head != nullptr) {
        Node* next = head->next;
        delete head;
        head = next;
    }
    tail = nullptr;
    count = 0;
}

bool PathList::Holds(const QlString& path) const {
    for (const QlString& held : *this) {
        if (lstrcmpiA(held, path) == 0) return true;
    }
    return false;
}
