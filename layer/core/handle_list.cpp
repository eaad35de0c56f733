#include "layer/core/handle_list.h"

namespace layer {

int ResetHandleList(HandleNode* head, HandleNode* tail) {
    *head = HandleNode{-1, nullptr, nullptr, tail};
    *tail = HandleNode{-1, nullptr, head, nullptr};
    return 0;
}

int LinkHandleNode(HandleNode* after, HandleNode* node, int value, void* data) {
    node->handle = value;
    node->data = data;
    node->previous = after;
    node->next = after->next;
    if (after->next != nullptr) {
        after->next->previous = node;
    }
    after->next = node;
    return 0;
}

int UnlinkHandleNode(HandleNode* node) {
    if (node->previous != nullptr) {
        node->previous->next = node->next;
    }
    if (node->next != nullptr) {
        node->next->previous = node->previous;
    }
    node->previous = nullptr;
    node->next = nullptr;
    return 0;
}

}  // namespace layer
