#pragma once

// One box of the organisation chart: its place in the tree, its look, its text
// and the positions the layout pass gives it. Nodes belong to their tree
// (TOcTree) and are made and destroyed only by it.

#include <cstdint>
#include <vector>

#include <QString>

#include "orgchart/OcTypes.h"
#include "platform/Color.h"
#include "platform/Object.h"

class TOcTree;
class TFont;

class TOcNode : public TObject {
public:
    const char* ClassName() const override { return "TOcNode"; }

    TOcTree* Owner() const { return owner_; }
    // None for a top-level node (the hidden root is not shown to users).
    TOcNode* Parent() const;
    int Index() const { return index_; }
    int Count() const { return static_cast<int>(children_.size()); }
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
    intptr_t Data() const { return data_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Non-zero sizes below the chart's minimum node size are raised to it.
    void SetWidth(int value);
    void SetHeight(int value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TOcChildAlign ChildAlign() const { return childAlign_; }
    void SetChildAlign(TOcChildAlign value);
    TOcShape Shape() const { return shape_; }
    void SetShape(TOcShape value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TOcImageAlign ImageAlign() const { return imageAlign_; }
    void SetImageAlign(TOcImageAlign value);
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool value);
    bool Selected() const;
    void SetSelected(bool value);
    bool Deleting() const { return deleting_; }

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
    virtual void SetData(intptr_t value) { data_ = value; }
    virtual void DoSetFont(TFont& font);
    virtual QString GetText();
    // Stores the text and fires OnSetText (the Text setter's storing step).
    virtual void StoreText(const QString& value);

    const std::vector<TOcNode*>& Children() const { return children_; }
    TOcNode* RawParent() const { return parent_; }
    // The children as a chain, for walks that touch nothing but the nodes.
    TOcNode* FirstChildLink() const { return firstChild_; }
    TOcNode* NextSiblingLink() const { return nextSibling_; }

protected:
    explicit TOcNode(TOcTree* owner);
    ~TOcNode() override = default;

private:
    friend class TOcTree;

    // What the layout passes read and write comes first and fits one cache
    // line with the object's header: large charts are laid out at memory speed.
    TOcNode* firstChild_ = nullptr;
    TOcNode* nextSibling_ = nullptr;
    TOcNode* parent_ = nullptr;

public:
    // Layout state, owned by the chart's layout code. Full-scale cached sizes of
    // the children; 0 = not computed.
    int64_t childrenWidth = 0;
    int64_t childrenHeight = 0;
    int animX = 0, animY = 0;

private:
    uint16_t width_ = 0;
    uint16_t height_ = 0;
    TOcShape shape_ = shRectangle;
    TOcChildAlign childAlign_ = caCenter;
    bool expanded_ = false;

public:
    bool drawFlag = false;
    int animX0 = 0, animY0 = 0;

private:
    TOcTree* owner_;
    std::vector<TOcNode*> children_;
    int index_ = 0;
    intptr_t data_ = 0;
    TColor color_ = static_cast<TColor>(kOcColorNone);
    QString text_;
    int16_t imageIndex_ = -1;
    TOcImageAlign imageAlign_ = iaNone;
    bool deleting_ = false;
    // Made in the tree's node blocks (at slot_) rather than on the heap.
    bool pooled_ = false;
    uint32_t slot_ = 0;
};
