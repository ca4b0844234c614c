#pragma once

// Working lists of the layout, kept by the tree between layouts: at a million
// nodes they run to megabytes, and growing them afresh on every pass costs
// more than the pass's own arithmetic.

#include <vector>

class TOcNode;

struct TOcLayoutScratch {
    // Nodes whose sizes are being computed, in level order.
    std::vector<TOcNode*> order;
    // A family the layout pass has still to place: its next member and where
    // that member goes.
    struct Family {
        TOcNode* next;
        int childLeft;
        int childTop;
        bool childVisible;
    };
    std::vector<Family> families;

    // Gives the memory back (the tree was emptied).
    void Release() { *this = TOcLayoutScratch(); }
};
