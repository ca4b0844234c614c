#pragma once

// One box of the organisation chart: its place in the tree, its look, its text
// and the positions the layout pass gives it. Nodes belong to their tree
// (TOcTree) and are made and destroyed only by it.

#include <cstdint>
#include <vector>

#include <QString>

#include "orgchart/model/OcListPool.h"
#include "orgchart/model/OcTypes.h"
#include "platform/canvas/Color.h"
#include "platform/base/Object.h"

class TOcNode;
class TOcTree;
class TFont;

// A node's children, in its tree's list pool.
using TOcNodeList = std::vector<TOcNode*, TOcListAllocator<TOcNode*>>;

class TOcNode : public TObject {
public:
    const char* ClassName() const override { return "TOcNode"; }

    TOcTree* Owner() const { return cold_->owner; }
    // None for a top-level node (the hidden root is not shown to users).
    TOcNode* Parent() const;
    int Index() const { return cold_->index; }
    int Count() const { return static_cast<int>(cold_->children.size()); }
    // EListError for an index out of range.
    TOcNode* Items(int index) const;
    bool HasChildren() const { return firstChild_ != nullptr; }
    int Level() const;
    bool IsVisible() const;
    // Selected, and the chart has the input focus.
    bool Focused() const;
    bool IsRoot() const;

    QString Text() { return GetText(); }
    // Compares with the current text; then stores, fits the box and repaints.
    void SetText(const QString& value);
    intptr_t Data() const { return cold_->data; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Non-zero sizes below the chart's minimum node size are raised to it.
    void SetWidth(int value);
    void SetHeight(int value);
    TColor Color() const { return cold_->color; }
    void SetColor(TColor value);
    TOcChildAlign ChildAlign() const { return static_cast<TOcChildAlign>(childAlign_); }
    void SetChildAlign(TOcChildAlign value);
    TOcShape Shape() const { return static_cast<TOcShape>(shape_); }
    void SetShape(TOcShape value);
    int ImageIndex() const { return cold_->imageIndex; }
    void SetImageIndex(int value);
    TOcImageAlign ImageAlign() const { return cold_->imageAlign; }
    void SetImageAlign(TOcImageAlign value);
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool value);
    bool Selected() const;
    void SetSelected(bool value);
    bool Deleting() const { return cold_->deleting; }

    void Expand(bool recursive);
    void Collapse(bool recursive);
    void MoveTo(TOcNode* destination, TOcAttachMode mode);
    void DeleteChildren();
    void MakeVisible();

    TOcNode* GetFirstChild() const;
    TOcNode* GetLastChild() const;
    TOcNode* GetNextSibling() const;
    TOcNode* GetPrevSibling() const;
    TOcNode* GetNext() const;
    TOcNode* GetPrev() const;
    TOcNode* GetNextVisible() const;
    TOcNode* GetPrevVisible() const;
    // True for none, or a proper ancestor (the hidden root included).
    bool HasAsParent(const TOcNode* node) const;

    // Overridable operations, in the order descendants refine them.
    virtual void SetData(intptr_t value) { cold_->data = value; }
    virtual void DoSetFont(TFont& font);
    virtual QString GetText();
    // Stores the text and fires OnSetText (the Text setter's storing step).
    virtual void StoreText(const QString& value);

    const TOcNodeList& Children() const { return cold_->children; }
    TOcNode* RawParent() const { return cold_->parent; }
    // The children as a chain, for walks that touch nothing but the nodes.
    TOcNode* FirstChildLink() const { return firstChild_; }
    TOcNode* NextSiblingLink() const { return nextSibling_; }

protected:
    explicit TOcNode(TOcTree* owner);
    ~TOcNode() override;

private:
    friend class TOcTree;
    // Made in a tree's node block, whose cold-field slot is at cold.
    TOcNode(TOcTree* owner, void* cold);

    // What the layout passes read and write is the whole object, one cache line:
    // a million-node chart is laid out at memory speed only if a pass streams
    // nothing else. The rest of a node lives in its cold record.
    TOcNode* firstChild_ = nullptr;
    TOcNode* nextSibling_ = nullptr;
    // Eight-byte fields first and the small ones packed after them: every byte
    // here is written when a tree is read and read again when it is cleared.
    struct Cold {
        Cold(TOcTree* tree, TOcListPool* pool, TOcImageAlign align, bool inBlock)
            : owner(tree), children(TOcListAllocator<TOcNode*>(pool)), imageAlign(align), pooled(inBlock)
        {
        }
        TOcNode* parent = nullptr;
        TOcTree* owner;
        TOcNodeList children;
        intptr_t data = 0;
        QString text;
        int index = 0;
        TColor color = static_cast<TColor>(kOcColorNone);
        int animX0 = 0, animY0 = 0;
        int16_t imageIndex = -1;
        TOcImageAlign imageAlign = iaNone;
        bool deleting = false;
        // In the tree's node blocks (at slot) rather than on the heap.
        bool pooled = false;
        uint32_t slot = 0;
    };
    Cold* cold_;

public:
    // Layout state, owned by the chart's layout code. Full-scale cached sizes of
    // the children; 0 = not computed. They count only while sizeStamp equals
    // the tree's SizeEpoch(), so that dropping every size writes no node.
    int64_t childrenWidth = 0;
    int64_t childrenHeight = 0;
    int animX = 0, animY = 0;

private:
    uint16_t width_ = 0;
    uint16_t height_ = 0;
    uint8_t shape_ : 4 = shRectangle;
    uint8_t childAlign_ : 4 = caCenter;
    bool expanded_ = false;

public:
    bool drawFlag = false;
    uint8_t sizeStamp = 0;
    // Where an animation starts from (recorded by the layout pass).
    int AnimX0() const { return cold_->animX0; }
    int AnimY0() const { return cold_->animY0; }
    void SetAnimStart(int x, int y)
    {
        cold_->animX0 = x;
        cold_->animY0 = y;
    }
    static constexpr size_t kColdSize = sizeof(Cold);
};
