#pragma once

namespace layer {

// A node of an intrusive doubly linked list between a head and a tail sentinel (both with
// handle -1 and no data). The nodes are owned by the records that embed them.
struct HandleNode {
    int handle = -1;
    void* data = nullptr;
    HandleNode* previous = nullptr;
    HandleNode* next = nullptr;
};

// Links the two sentinels to each other; 0.
int ResetHandleList(HandleNode* head, HandleNode* tail);
// Stores the value and data in the node and links it directly after `after` (callers pass the
// head, so the newest node comes first); 0.
int LinkHandleNode(HandleNode* after, HandleNode* node, int value, void* data);
// Joins the node's neighbours; 0.
int UnlinkHandleNode(HandleNode* node);

}  // namespace layer
