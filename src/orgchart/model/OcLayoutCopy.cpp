#include "orgchart/model/OcLayoutCopy.h"

namespace {

// How many nodes ahead in memory the copying walk fetches.
constexpr size_t kCopyAhead = 32;

} // namespace

void TOcLayoutCopy::Rebuild(TOcNode* root)
{
    nodes_.clear();
    boxes_.clear();
    families_.clear();
    // Appending each open node's family when the node is reached is level order.
    auto addFamily = [this](const TOcNode* parent) {
        const size_t first = nodes_.size();
        for (TOcNode* c = parent->FirstChildLink(); c; c = c->NextSiblingLink()) {
            // A chart built level by level lies in memory in about this order:
            // fetching ahead keeps the walk from waiting on each node in turn.
            __builtin_prefetch(reinterpret_cast<const char*>(c) + kCopyAhead * sizeof(TOcNode));
            nodes_.push_back(c);
            boxes_.push_back(BoxOf(c));
        }
        families_.push_back(static_cast<uint32_t>(nodes_.size() - first));
    };
    if (root->HasChildren())
        addFamily(root);
    for (size_t i = 0; i < nodes_.size(); ++i)
        if (boxes_[i].Open())
            addFamily(nodes_[i]);
    current_ = true;
}
