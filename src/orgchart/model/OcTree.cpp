#include "orgchart/model/OcTree.h"

#include <string>

#include "platform/base/HugePages.h"

namespace {

// One huge page; blocks past the first few come this many bytes at a time.
constexpr size_t kArenaBytes = size_t(2) << 20;
constexpr size_t kOwnBlocks = 4;

} // namespace

TOcTree::TOcTree() : root_(new TOcNode(this))
{
    root_->expanded_ = true;
}

TOcTree::~TOcTree()
{
    FreeAllNodes();
    delete root_;
}

void TOcTree::ArenaDeleter::operator()(std::byte* arena) const
{
    ::operator delete(arena, std::align_val_t(kArenaBytes));
}

TOcTree::Block* TOcTree::NewBlock()
{
    constexpr size_t perArena = kArenaBytes / sizeof(Block);
    if (blocks_.size() < kOwnBlocks || perArena < 2) {
        ownBlocks_.push_back(std::make_unique<Block>());
        return ownBlocks_.back().get();
    }
    if (arenaBlocksLeft_ == 0) {
        auto* arena = static_cast<std::byte*>(::operator new(kArenaBytes, std::align_val_t(kArenaBytes)));
        AdviseHugePages(arena, kArenaBytes);
        arenas_.emplace_back(arena);
        arenaBlocksLeft_ = perArena;
    }
    std::byte* at = arenas_.back().get() + (perArena - arenaBlocksLeft_--) * sizeof(Block);
    return new (at) Block();
}

void TOcTree::StartBlock()
{
    if (blocksUsed_ == blocks_.size())
        blocks_.push_back(NewBlock());
    ++blocksUsed_;
    lastBlockUsed_ = 0;
}

void* TOcTree::AllocateSlot(uint32_t& index, void*& cold)
{
    if (!freeSlots_.empty()) {
        index = freeSlots_.back();
        freeSlots_.pop_back();
    } else {
        if (lastBlockUsed_ == kBlockNodes)
            StartBlock();
        index = static_cast<uint32_t>((blocksUsed_ - 1) * kBlockNodes + lastBlockUsed_++);
    }
    Block& block = *blocks_[index / kBlockNodes];
    block.live[index % kBlockNodes] = true;
    cold = block.ColdAt(index % kBlockNodes);
    return block.At(index % kBlockNodes);
}

void TOcTree::FreeNode(TOcNode* node)
{
    if (!node->cold_->pooled) {
        --heapNodes_;
        delete node;
        return;
    }
    const uint32_t index = node->cold_->slot;
    // Only plain nodes are made in the blocks (MakeNode): no virtual call needed.
    node->TOcNode::~TOcNode();
    blocks_[index / kBlockNodes]->live[index % kBlockNodes] = false;
    freeSlots_.push_back(index);
}

size_t TOcTree::SlotsHandedOut() const
{
    return blocksUsed_ == 0 ? 0 : (blocksUsed_ - 1) * kBlockNodes + lastBlockUsed_;
}

void TOcTree::RestartSlots()
{
    // Freed slots would be handed out in the order the old tree went, which
    // scatters a tree read anew over its blocks; from the start again, it lies
    // in memory in the order it was read, as the first one did.
    if (freeSlots_.size() != SlotsHandedOut())
        return;
    freeSlots_.clear();
    blocksUsed_ = 0;
    lastBlockUsed_ = kBlockNodes;
    // The lists likewise, once no node holds one; the root's goes back first.
    if (heapNodes_ == 0) {
        root_->cold_->children.shrink_to_fit();
        listPool_.Reset();
    }
}

void TOcTree::FreeAllNodes()
{
    // Iterative, so that very deep trees free without deep recursion.
    std::vector<TOcNode*> stack(root_->cold_->children.begin(), root_->cold_->children.end());
    root_->cold_->children.clear();
    root_->firstChild_ = nullptr;
    while (!stack.empty()) {
        TOcNode* node = stack.back();
        stack.pop_back();
        stack.insert(stack.end(), node->cold_->children.begin(), node->cold_->children.end());
        FreeNode(node);
    }
    count_ = 0;
    selected_ = nullptr;
    RestartSlots();
    layoutScratch_.Release();
}

TOcNode* TOcTree::Items(int index) const
{
    if (index < 0 || index >= root_->Count())
        throw EListError("Node index out of range (" + std::to_string(index) + ")");
    return root_->cold_->children[static_cast<size_t>(index)];
}

TOcNode* TOcTree::Insert(TOcNode* sibling, intptr_t data)
{
    if (!sibling || sibling == root_ || !IsValid(sibling))
        return nullptr;
    return InsertNode(sibling->Parent(), data, sibling->cold_->index);
}

TOcNode* TOcTree::CreateNode()
{
    TOcNode* node = MakeNode<TOcNode>();
    if (OnCreateNode)
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
    auto& list = parent->cold_->children;
    node->cold_->parent = parent;
    if (index < 0 || index >= static_cast<int>(list.size())) {
        // Appending, as a reader or a builder does node after node.
        if (list.empty())
            parent->firstChild_ = node;
        else
            list.back()->nextSibling_ = node;
        node->nextSibling_ = nullptr;
        node->cold_->index = static_cast<int>(list.size());
        list.push_back(node);
    } else {
        list.insert(list.begin() + index, node);
        Relink(parent, static_cast<size_t>(index));
    }
    SizesChanged(parent, skBoth);
}

void TOcTree::Relink(TOcNode* parent, size_t index)
{
    auto& list = parent->cold_->children;
    parent->firstChild_ = list.empty() ? nullptr : list.front();
    if (index > 0 && index <= list.size())
        list[index - 1]->nextSibling_ = index < list.size() ? list[index] : nullptr;
    for (size_t i = index; i < list.size(); ++i) {
        list[i]->cold_->index = static_cast<int>(i);
        list[i]->nextSibling_ = i + 1 < list.size() ? list[i + 1] : nullptr;
    }
}

void TOcTree::Detach(TOcNode* node)
{
    auto& list = node->cold_->parent->cold_->children;
    list.erase(list.begin() + node->cold_->index);
    node->nextSibling_ = nullptr;
    Relink(node->cold_->parent, static_cast<size_t>(node->cold_->index));
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
    ForgetDoomed(node);
    if (!node || node == root_ || !IsValid(node))
        return;
    // At once, not only when the sizes go: the copy must not outlive a node.
    layoutScratch_.copy.MarkStale();
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
        if (!node->cold_->parent->cold_->deleting)
            SizesChanged(node, skBoth);
        node->expanded_ = false;
    }
    node->cold_->deleting = true;
    node->SetData(0);
    TOcNode* parent = node->cold_->parent;
    if (!parent->cold_->deleting) {
        Detach(node);
        SizesChanged(parent, skBoth);
        if (parent->cold_->children.empty()) {
            if (parent != root_)
                parent->expanded_ = false;
            parent->cold_->children.shrink_to_fit();
        }
    }
    if (selected_ == node)
        selected_ = nullptr; // a handler selected it again while it went
    --count_;
    node->cold_->parent = nullptr;
    FreeNode(node);
}

void TOcTree::DeleteDescendants(TOcNode* node)
{
    // The order of the recursive definition (each node's OnDeletion before its
    // children's, children in index order) without recursion.
    struct Frame {
        TOcNode* node;
        size_t next;
    };
    auto release = [this](TOcNode* done) {
        done->cold_->children.clear();
        done->SetData(0);
        if (selected_ == done)
            selected_ = nullptr;
        --count_;
        done->cold_->parent = nullptr;
        FreeNode(done);
    };
    node->cold_->deleting = true;
    std::vector<Frame> stack{{node, 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next < top.node->cold_->children.size()) {
            TOcNode* child = top.node->cold_->children[top.next++];
            if (OnDeletion)
                OnDeletion(EventSender(), child);
            child->cold_->deleting = true;
            // A leaf goes at once; a parent once its children have gone.
            if (child->HasChildren())
                stack.push_back({child, 0});
            else
                release(child);
            continue;
        }
        TOcNode* done = top.node;
        stack.pop_back();
        if (done == node)
            break;
        release(done);
    }
    node->cold_->children.clear();
    node->firstChild_ = nullptr;
    node->cold_->children.shrink_to_fit();
    node->cold_->deleting = false;
}

bool TOcTree::CanSweep() const
{
    // A node made but never attached is its maker's, and must outlive the
    // clearing; a selection still held would move from node to node as they go.
    return root_->HasChildren() && !OnDeletion && !selected_ && heapNodes_ == 0 &&
           SlotsHandedOut() - freeSlots_.size() == static_cast<size_t>(count_);
}

bool TOcTree::Sweep()
{
    // The views first, as Delete tells them of each top-level node. What they
    // run may change the tree; then it goes node by node after all.
    for (size_t i = 0; i < root_->cold_->children.size(); ++i)
        ForgetDoomed(root_->cold_->children[i]);
    if (!CanSweep())
        return false;
    root_->cold_->children.clear();
    root_->firstChild_ = nullptr;
    for (size_t b = 0; b < blocksUsed_; ++b) {
        Block& block = *blocks_[b];
        const size_t used = b + 1 == blocksUsed_ ? lastBlockUsed_ : kBlockNodes;
        for (size_t i = 0; i < used; ++i) {
            if (block.live[i]) {
                // All a block node holds is in its cold record (its text and
                // its list), so the node's own line need not be read at all.
                static_cast<TOcNode::Cold*>(block.ColdAt(i))->~Cold();
                block.live[i] = false;
            }
        }
    }
    freeSlots_.clear();
    blocksUsed_ = 0;
    lastBlockUsed_ = kBlockNodes;
    count_ = 0;
    SizesChanged(root_, skBoth);
    return true;
}

void TOcTree::Clear()
{
    SetSelected(nullptr);
    if (!CanSweep() || !Sweep())
        root_->DeleteChildren();
    RestartSlots();
    layoutScratch_.Release();
}

void TOcTree::ReserveChildren(TOcNode* node, int count)
{
    if (!IsValid(node) || count <= 0)
        return;
    auto& list = (node ? node : root_)->cold_->children;
    list.reserve(list.size() + static_cast<size_t>(count));
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
    TOcNode* old = node->cold_->parent;
    Detach(node);
    if (target != old)
        SizesChanged(old, skBoth);
    if (old->cold_->children.empty() && old != root_)
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
        for (TOcNode* p = node->cold_->parent; p && HasCachedW(p); p = p->cold_->parent)
            p->childrenWidth = 0;
    }
    if (kind & skHeight) {
        node->childrenHeight = 0;
        for (TOcNode* p = node->cold_->parent; p && HasCachedH(p); p = p->cold_->parent)
            p->childrenHeight = 0;
    }
    layoutScratch_.copy.MarkStale();
    SizesChangedNotice(node);
}

void TOcTree::DropAllSizes(TOcSizeKind kind)
{
    // Both sizes go by a new epoch; only when the stamps run out is every
    // node written, to start them again.
    const bool both = kind == skBoth;
    if (both && ++sizeEpoch_ != 0)
        return;
    if (both)
        sizeEpoch_ = 1;
    const int64_t keepW = (kind & skWidth) ? 0 : -1, keepH = (kind & skHeight) ? 0 : -1;
    auto drop = [&](TOcNode* node) {
        if (both)
            node->sizeStamp = 0;
        node->childrenWidth &= keepW;
        node->childrenHeight &= keepH;
    };
    drop(root_);
    if (heapNodes_ == 0) {
        // Every node lives in the blocks: run through them in memory order.
        for (size_t b = 0; b < blocksUsed_; ++b) {
            Block& block = *blocks_[b];
            const size_t used = b + 1 == blocksUsed_ ? lastBlockUsed_ : kBlockNodes;
            for (size_t i = 0; i < used; ++i)
                if (block.live[i])
                    drop(block.At(i));
        }
        return;
    }
    std::vector<TOcNode*> stack{root_};
    while (!stack.empty()) {
        TOcNode* node = stack.back();
        stack.pop_back();
        drop(node);
        stack.insert(stack.end(), node->cold_->children.begin(), node->cold_->children.end());
    }
}
