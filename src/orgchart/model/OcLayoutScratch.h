#pragma once

// Working lists of the layout, kept by the tree between layouts: at a million
// nodes they run to megabytes, and growing them afresh on every pass costs
// more than the pass's own arithmetic.

#include <vector>

class TOcNode;

struct TOcLayoutScratch {
    // Nodes whose sizes are being computed, in level order.
    struct Sizing {
        TOcNode* node;
        TOcNode* parent;
        // Its first child, to fetch ahead without reading the node.
        TOcNode* first;
    };
    std::vector<Sizing> order;
    // A family the layout pass has still to place: its next member and where
    // that member goes.
    struct Family {
        TOcNode* next;
        TOcNode* parent;
        int childLeft;
        int childTop;
        bool childVisible;
    };
    std::vector<Family> families;

    // Gives the memory back (the tree was emptied).
    void Release() { *this = TOcLayoutScratch(); }
};
