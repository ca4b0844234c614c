#include "orgchart/OcTree.h"

#include <string>

TOcTree::TOcTree() : root_(new TOcNode(this))
{
    root_->expanded_ = true;
}

TOcTree::~TOcTree()
{
    FreeAllNodes();
    delete root_;
}

void TOcTree::FreeAllNodes()
{
    // Iterative, so that very deep trees free without deep recursion.
    std::vector<TOcNode*> stack(root_->children_.begin(), root_->children_.end());
    root_->children_.clear();
    while (!stack.empty()) {
        TOcNode* node = stack.back();
        stack.pop_back();
        stack.insert(stack.end(), node->children_.begin(), node->children_.end());
        delete node;
    }
    count_ = 0;
    selected_ = nullptr;
}

TOcNode* TOcTree::Items(int index) const
{
    if (index < 0 || index >= root_->Count())
        throw EListError("Node index out of range (" + std::to_string(index) + ")");
    return root_->children_[static_cast<size_t>(index)];
}

bool TOcTree::IsValid(const TOcNode* node) const
{
    // Every node of this tree that has a parent hangs below the root: nodes are
    // detached only for the moment of a move and freed when deleted.
    return !node || node == root_ || (node->owner_ == this && node->parent_ != nullptr);
}

TOcNode* TOcTree::Insert(TOcNode* sibling, intptr_t data)
{
    if (!sibling || sibling == root_ || !IsValid(sibling))
        return nullptr;
    return InsertNode(sibling->Parent(), data, sibling->index_);
}

TOcNode* TOcTree::CreateNode()
{
    TOcNode* node = MakeNode<TOcNode>();
    OnCreateNode(EventSender(), node);
    return node;
}

void TOcTree::DoChanging(TOcNode* node, bool& allow)
{
    allow = true;
    OnChanging(EventSender(), node, allow);
}

TOcNode* TOcTree::InsertNode(TOcNode* parent, intptr_t data, int index)
{
    if (!IsValid(parent))
        return nullptr;
    TOcNode* node = CreateNode();
    if (!node)
        return nullptr;
    node->SetData(data);
    Attach(parent ? parent : root_, node, index);
    if (++count_ == 1)
        SetSelected(node);
    return node;
}

void TOcTree::Attach(TOcNode* parent, TOcNode* node, int index)
{
    auto& list = parent->children_;
    if (index < 0 || index > static_cast<int>(list.size()))
        index = static_cast<int>(list.size());
    node->parent_ = parent;
    list.insert(list.begin() + index, node);
    for (size_t i = static_cast<size_t>(index); i < list.size(); ++i)
        list[i]->index_ = static_cast<int>(i);
    SizesChanged(parent, skBoth);
}

void TOcTree::Detach(TOcNode* node)
{
    auto& list = node->parent_->children_;
    list.erase(list.begin() + node->index_);
    for (size_t i = static_cast<size_t>(node->index_); i < list.size(); ++i)
        list[i]->index_ = static_cast<int>(i);
}

void TOcTree::SetSelected(TOcNode* node)
{
    if (node == selected_ || !IsValid(node) || node == root_)
        return;
    selected_ = node;
    DoChange(node);
}

void TOcTree::Delete(TOcNode* node)
{
    if (!node || node == root_ || !IsValid(node))
        return;
    if (selected_ && (selected_ == node || selected_->HasAsParent(node))) {
        SetSelected(node->GetNextSibling());
        if (!selected_)
            SetSelected(node->GetPrevSibling());
        if (!selected_)
            SetSelected(node->Parent());
    }
    OnDeletion(EventSender(), node);
    if (node->HasChildren()) {
        DeleteDescendants(node);
        if (!node->parent_->deleting_)
            SizesChanged(node, skBoth);
        node->expanded_ = false;
    }
    node->deleting_ = true;
    node->SetData(0);
    TOcNode* parent = node->parent_;
    if (!parent->deleting_) {
        Detach(node);
        SizesChanged(parent, skBoth);
        if (parent->children_.empty()) {
            if (parent != root_)
                parent->expanded_ = false;
            parent->children_.shrink_to_fit();
        }
    }
    if (selected_ == node)
        selected_ = nullptr; // a handler selected it again while it went
    --count_;
    node->parent_ = nullptr;
    delete node;
}

void TOcTree::DeleteDescendants(TOcNode* node)
{
    // The order of the recursive definition (each node's OnDeletion before its
    // children's, children in index order) without recursion.
    struct Frame {
        TOcNode* node;
        size_t next;
    };
    node->deleting_ = true;
    std::vector<Frame> stack{{node, 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next < top.node->children_.size()) {
            TOcNode* child = top.node->children_[top.next++];
            OnDeletion(EventSender(), child);
            child->deleting_ = true;
            if (child->HasChildren())
                stack.push_back({child, 0});
            else
                stack.push_back({child, 0});
            continue;
        }
        TOcNode* done = top.node;
        stack.pop_back();
        if (done == node)
            break;
        done->children_.clear();
        done->SetData(0);
        if (selected_ == done)
            selected_ = nullptr;
        --count_;
        done->parent_ = nullptr;
        delete done;
    }
    node->children_.clear();
    node->children_.shrink_to_fit();
    node->deleting_ = false;
}

void TOcTree::Clear()
{
    SetSelected(nullptr);
    root_->DeleteChildren();
}

void TOcTree::FullExpand()
{
    root_->Expand(true);
}

void TOcTree::MoveNode(TOcNode* parent, TOcNode* node, int index)
{
    TOcNode* target = parent ? parent : root_;
    if (!node || node == root_ || !IsValid(node) || !IsValid(target))
        return;
    // A node cannot go below itself: the subtree would leave the tree.
    if (target == node || target->HasAsParent(node))
        return;
    TOcNode* old = node->parent_;
    Detach(node);
    if (target != old)
        SizesChanged(old, skBoth);
    if (old->children_.empty() && old != root_)
        old->expanded_ = false;
    Attach(target, node, index);
    OnMoveNode(parent, node, index);
}

void TOcTree::ExpandNode(TOcNode* node)
{
    if (!node->HasChildren() || node->expanded_)
        return;
    bool allow = true;
    OnExpansion(EventSender(), node, allow);
    if (!allow)
        return;
    const bool animated = BeginNodeAnimation(node);
    node->expanded_ = true;
    SizesChanged(node, skBoth);
    if (animated)
        PaintAnimation();
    OnExpanded(EventSender(), node);
}

void TOcTree::CollapseNode(TOcNode* node)
{
    if (!node->HasChildren() || !node->expanded_ || node == root_)
        return;
    bool allow = true;
    OnCollapsing(EventSender(), node, allow);
    if (!allow)
        return;
    const bool animated = BeginNodeAnimation(node);
    node->expanded_ = false;
    SizesChanged(node, skBoth);
    if (animated)
        PaintAnimation();
    OnCollapsed(EventSender(), node);
}

void TOcTree::SizesChanged(TOcNode* node, TOcSizeKind kind)
{
    // An ancestor whose size is not cached has no cached ancestor that depends
    // on it, so the climb stops there (see the layout's size computation).
    if (kind & skWidth) {
        node->childrenWidth = 0;
        for (TOcNode* p = node->parent_; p && p->childrenWidth != 0; p = p->parent_)
            p->childrenWidth = 0;
    }
    if (kind & skHeight) {
        node->childrenHeight = 0;
        for (TOcNode* p = node->parent_; p && p->childrenHeight != 0; p = p->parent_)
            p->childrenHeight = 0;
    }
    SizesChangedNotice(node);
}

void TOcTree::DropAllSizes(TOcSizeKind kind)
{
    std::vector<TOcNode*> stack{root_};
    while (!stack.empty()) {
        TOcNode* node = stack.back();
        stack.pop_back();
        if (kind & skWidth)
            node->childrenWidth = 0;
        if (kind & skHeight)
            node->childrenHeight = 0;
        for (TOcNode* k : node->children_)
            __builtin_prefetch(k, 1);
        stack.insert(stack.end(), node->children_.begin(), node->children_.end());
    }
}
