#pragma once

// Working lists of the layout, kept by the tree between layouts: at a million
// nodes they run to megabytes, and growing them afresh on every pass costs
// more than the pass's own arithmetic.

#include <cstdint>
#include <vector>

#include "orgchart/model/OcLayoutCopy.h"

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

    // The open tree, kept until the tree changes.
    TOcLayoutCopy copy;
    // Per family of the copy: the full-scale sums of its members' cells.
    struct Sums {
        int64_t width;
        int64_t height;
    };
    std::vector<Sums> sums;
    // A family of the copy that the pass places, and where its members go.
    struct PlacedFamily {
        uint32_t family;
        int childLeft;
        int childTop;
    };
    std::vector<PlacedFamily> placed;

    // Gives the memory back (the tree was emptied).
    void Release() { *this = TOcLayoutScratch(); }
};
