#include "PathList.h"

#include <windows.h>

PathList::~PathList() {
    Clear();
    delete spare;
}

void PathList::Reserve() {
    if (spare == nullptr) spare = new Node{nullptr, QlString()};
}

void PathList::AddFront(const QlString& path) {
    Reserve();
    Node* node = spare;
    spare = nullptr;
    node->next = head;
    node->path = path;
    head = node;
    ++count;
}

void PathList::Clear() {
    while (head != nullptr) {
        Node* next = head->next;
        delete head;
        head = next;
    }
    count = 0;
}

bool PathList::Holds(const QlString& path) const {
    for (const QlString& held : *this) {
        if (lstrcmpiA(held, path) == 0) return true;
    }
    return false;
}
