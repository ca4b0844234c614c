#pragma once

// The node tree of the organisation chart: a hidden root whose children are the
// top-level nodes, the count of all nodes, the selected node, the operations that
// build, reorder, expand and delete, and the model's events. The chart control
// owns one whose hooks it answers (repainting, animation, minimum sizes); on
// its own the tree is a plain model, used by tests and the stream fuzzer.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include <QString>

#include "orgchart/model/OcLayoutScratch.h"
#include "orgchart/model/OcListPool.h"
#include "orgchart/model/OcNode.h"
#include "orgchart/model/OcTypes.h"
#include "platform/base/Object.h"

class TFont;

using TOcEvent = TEvent<TObject*, TOcNode*>;
using TOcAllowEvent = TEvent<TObject*, TOcNode*, bool&>;
using TOcGetTextEvent = TEvent<TObject*, TOcNode*, QString&>;
using TOcSetTextEvent = TEvent<TObject*, TOcNode*, const QString&>;
using TOcFontEvent = TEvent<TObject*, TOcNode*, TFont&>;
using TOcMoveNodeEvent = TEvent<TOcNode*, TOcNode*, int>;

class TOcTree {
public:
    TOcTree();
    virtual ~TOcTree();
    TOcTree(const TOcTree&) = delete;
    TOcTree& operator=(const TOcTree&) = delete;

    // All nodes, the hidden root excluded.
    int Count() const { return count_; }
    // Top-level node by index; EListError out of range.
    TOcNode* Items(int index) const;
    int TopCount() const { return root_->Count(); }
    TOcNode* FirstNode() const { return root_->HasChildren() ? root_->cold_->children[0] : nullptr; }
    TOcNode* Root() const { return root_; }

    TOcNode* Add(TOcNode* parent, intptr_t data = 0) { return InsertNode(parent, data, -1); }
    TOcNode* AddChild(TOcNode* parent, intptr_t data = 0) { return InsertNode(parent, data, -1); }
    TOcNode* AddFirst(TOcNode* parent, intptr_t data = 0) { return InsertNode(parent, data, 0); }
    TOcNode* Insert(TOcNode* sibling, intptr_t data = 0);
    void Clear();
    // Room for count more children of node (none: the top level), for a
    // reader that knows how many come.
    void ReserveChildren(TOcNode* node, int count);
    void FullExpand();
    // None, the hidden root, or a node with the hidden root among its ancestors.
    bool IsValid(const TOcNode* node) const
    {
        // Every node of this tree that has a parent hangs below the root: nodes
        // are detached only for the moment of a move and freed when deleted.
        return !node || node == root_ || (node->cold_->owner == this && node->cold_->parent != nullptr);
    }

    TOcNode* Selected() const { return selected_; }
    virtual void SetSelected(TOcNode* node);

    TOcImageAlign DefaultImageAlign() const { return defaultImageAlign_; }
    void SetDefaultImageAlign(TOcImageAlign v) { defaultImageAlign_ = v; }

    // Overridable operations, in slot order.
    virtual TOcNode* InsertNode(TOcNode* parent, intptr_t data, int index);
    virtual void MoveNode(TOcNode* parent, TOcNode* node, int index);
    virtual TOcNode* CreateNode();
    virtual void NodeChanged(TOcNode* node) {}
    virtual void DoChange(TOcNode* node) { OnChange(EventSender(), node); }
    virtual void DoChanging(TOcNode* node, bool& allow);
    virtual void Delete(TOcNode* node);

    // Hooks for the view; neutral here.
    virtual TObject* EventSender() { return nullptr; }
    virtual int MinNodeWidth() const { return 16; }
    virtual int MinNodeHeight() const { return 16; }
    virtual bool Rotated() const { return false; }
    virtual bool HasFocus() const { return false; }
    // A node's size changed: the chain's cached sizes are already dropped.
    virtual void SizesChangedNotice(TOcNode* node) {}
    virtual void DropAllSizes(TOcSizeKind kind);
    // Called before a node expands or collapses; true when an animation starts.
    virtual bool BeginNodeAnimation(TOcNode* node) { return false; }
    virtual void PaintAnimation() {}
    virtual void RepaintNode(TOcNode* node) {}
    virtual void RepaintColumn(TOcNode* node) {}
    virtual void EndEditing(bool save) {}
    virtual void ForgetHitOn(TOcNode* node) {}
    // Node and its descendants are about to go (node may be invalid, even none).
    virtual void ForgetDoomed(TOcNode* node) {}
    virtual void FitNodeToText(TOcNode* node) {}
    virtual void MakeNodeVisible(TOcNode* node) {}

    // Drops the cached sizes of node and its ancestors, then tells the view.
    void SizesChanged(TOcNode* node, TOcSizeKind kind);
    // The layout's working lists.
    TOcLayoutScratch& LayoutScratch() { return layoutScratch_; }
    // Cached sizes stamped with another value were dropped (never 0).
    uint8_t SizeEpoch() const { return sizeEpoch_; }
    // Whether node's cached width, height counts.
    bool HasCachedW(const TOcNode* n) const { return n->sizeStamp == sizeEpoch_ && n->childrenWidth != 0; }
    bool HasCachedH(const TOcNode* n) const { return n->sizeStamp == sizeEpoch_ && n->childrenHeight != 0; }

    TOcEvent OnCreateNode;
    TOcEvent OnDeletion;
    TOcAllowEvent OnExpansion;
    TOcEvent OnExpanded;
    TOcAllowEvent OnCollapsing;
    TOcEvent OnCollapsed;
    TOcAllowEvent OnChanging;
    TOcEvent OnChange;
    TOcGetTextEvent OnGetText;
    TOcSetTextEvent OnSetText;
    TOcFontEvent OnSetFont;
    TOcMoveNodeEvent OnMoveNode;

protected:
    // Node construction for descendants that make their own node classes.
    template <class N>
    N* MakeNode()
    {
        if constexpr (std::is_same_v<N, TOcNode>) {
            uint32_t slot = 0;
            void* cold = nullptr;
            N* node = new (AllocateSlot(slot, cold)) N(this, cold);
            node->cold_->slot = slot;
            return node;
        } else {
            ++heapNodes_;
            return new N(this);
        }
    }
    // Frees every node without events (the last step of destruction).
    void FreeAllNodes();
    TOcNode* selected_ = nullptr;

private:
    friend class TOcNode;
    void Attach(TOcNode* parent, TOcNode* node, int index);
    void Detach(TOcNode* node);
    // OnDeletion for node and its descendants (pre-order), then frees the descendants.
    void DeleteDescendants(TOcNode* node);
    void ExpandNode(TOcNode* node);
    void CollapseNode(TOcNode* node);
    // Keeps the first-child and next-sibling links of parent's list from index on.
    static void Relink(TOcNode* parent, size_t index);

    // Nodes are made in blocks, in creation order, so that a tree built in one
    // go (read from a stream, generated level by level) lies in memory close
    // to the order the layout walks it. Freed slots are reused.
    static constexpr size_t kBlockNodes = 1024;
    struct Block {
        alignas(64) std::byte storage[kBlockNodes * sizeof(TOcNode)];
        alignas(8) std::byte cold[kBlockNodes * TOcNode::kColdSize];
        bool live[kBlockNodes];
        TOcNode* At(size_t i) { return reinterpret_cast<TOcNode*>(storage + i * sizeof(TOcNode)); }
        void* ColdAt(size_t i) { return cold + i * TOcNode::kColdSize; }
    };
    // Storage for a node and, through cold, for its cold record.
    void* AllocateSlot(uint32_t& index, void*& cold);
    Block* NewBlock();
    // Once in a thousand nodes; kept out of the node-making path.
    [[gnu::noinline]] void StartBlock();
    void FreeNode(TOcNode* node);
    // Whether every node of the blocks hangs in the tree and no handler hears
    // nodes go, so that Clear may free them all in one sweep.
    bool CanSweep() const;
    // Frees every node block by block, in memory order, and no node's event
    // runs; false when nothing was freed after all.
    bool Sweep();
    // Slots taken from the blocks so far, freed ones included.
    size_t SlotsHandedOut() const;
    // Once the last node went, hands out slots from the first block again.
    void RestartSlots();

    // The first blocks are allocated one by one; later ones are carved from
    // arenas the system may back with huge pages, so that a walk over a
    // million nodes does not miss the address translation every few dozen.
    struct ArenaDeleter {
        void operator()(std::byte* arena) const;
    };
    std::vector<std::unique_ptr<Block>> ownBlocks_;
    std::vector<std::unique_ptr<std::byte, ArenaDeleter>> arenas_;
    size_t arenaBlocksLeft_ = 0;
    std::vector<Block*> blocks_;
    // Blocks handed out so far; those past them are kept from an earlier tree.
    size_t blocksUsed_ = 0;
    size_t lastBlockUsed_ = kBlockNodes;
    std::vector<uint32_t> freeSlots_;
    int heapNodes_ = 0;
    // Before the root, which takes its list from it too.
    TOcListPool listPool_;
    TOcNode* root_;
    int count_ = 0;
    TOcImageAlign defaultImageAlign_ = iaNone;
    TOcLayoutScratch layoutScratch_;
    uint8_t sizeEpoch_ = 1;
};
