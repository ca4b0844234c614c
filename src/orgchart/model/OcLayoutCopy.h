#pragma once

// The open part of a chart's tree (every node whose ancestors are all
// expanded) as flat lists in level order, with what the layout reads of each
// node. A layout that sizes the whole chart sums these lists instead of the
// nodes and then writes each node once: at a million nodes the nodes fill
// 64 MB and every sweep over them waits on memory, while the lists take
// 14 bytes a node and are read front to back. The tree marks the copy stale
// on every change that can move a box; it is made again only when a layout
// wants it.

#include <cstdint>
#include <vector>

#include "orgchart/model/OcNode.h"

class TOcLayoutCopy {
public:
    // What the layout reads of a node below the hidden root.
    struct Box {
        uint16_t width;
        uint16_t height;
        uint8_t align : 2;
        // Only a rectangle carries the 3D shadow.
        bool rectangle : 1;
        bool expanded : 1;
        bool hasChildren : 1;
        // Its children form a family of their own.
        bool Open() const { return expanded && hasChildren; }
    };
    static Box BoxOf(const TOcNode* node)
    {
        return {static_cast<uint16_t>(node->Width()), static_cast<uint16_t>(node->Height()),
                static_cast<uint8_t>(node->ChildAlign()), node->Shape() == shRectangle, node->Expanded(),
                node->HasChildren()};
    }

    bool Current() const { return current_; }
    void MarkStale() { current_ = false; }
    // Copies the open tree below root.
    void Rebuild(TOcNode* root);

    // Every shown node, family after family: the root's children first, then
    // the children of each open node in this order. Apart from the nodes
    // themselves, so that summing the sizes reads nothing else.
    const std::vector<TOcNode*>& Nodes() const { return nodes_; }
    const std::vector<Box>& Boxes() const { return boxes_; }
    // The size of each family, in that order; family 0 is the root's, and the
    // k-th open node's is family k.
    const std::vector<uint32_t>& Families() const { return families_; }

private:
    std::vector<TOcNode*> nodes_;
    std::vector<Box> boxes_;
    std::vector<uint32_t> families_;
    bool current_ = false;
};
