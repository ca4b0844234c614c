#include "orgchart/OcNode.h"

#include <algorithm>
#include <string>

#include "orgchart/OcTree.h"

TOcNode::TOcNode(TOcTree* owner) : owner_(owner), imageAlign_(owner->DefaultImageAlign()) {}

bool TOcNode::IsRoot() const
{
    return owner_->Root() == this;
}

TOcNode* TOcNode::Parent() const
{
    return parent_ && !parent_->IsRoot() ? parent_ : nullptr;
}

TOcNode* TOcNode::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("Node index out of range (" + std::to_string(index) + ")");
    return children_[static_cast<size_t>(index)];
}

int TOcNode::Level() const
{
    int level = 0;
    for (const TOcNode* p = parent_; p && !p->IsRoot(); p = p->parent_)
        ++level;
    return level;
}

bool TOcNode::IsVisible() const
{
    if (IsRoot())
        return true;
    // Checking the parent's state first keeps this short inside closed subtrees.
    for (const TOcNode* n = this;; n = n->parent_) {
        if (!n->parent_)
            return false; // not in a tree
        if (n->parent_->IsRoot())
            return true;
        if (!n->parent_->expanded_)
            return false;
    }
}

bool TOcNode::Focused() const
{
    return Selected() && owner_->HasFocus();
}

bool TOcNode::Selected() const
{
    return owner_->Selected() == this;
}

void TOcNode::SetSelected(bool value)
{
    if (value)
        owner_->SetSelected(this);
    else if (Selected())
        owner_->SetSelected(nullptr);
}

void TOcNode::SetExpanded(bool value)
{
    if (value)
        Expand(false);
    else
        Collapse(false);
}

void TOcNode::DoSetFont(TFont& font)
{
    owner_->OnSetFont(owner_->EventSender(), this, font);
}

QString TOcNode::GetText()
{
    QString result = text_;
    if (owner_->OnGetText) {
        // The handler edits the stored text itself; the change shows from the next read.
        owner_->OnGetText(owner_->EventSender(), this, text_);
    }
    return result;
}

void TOcNode::StoreText(const QString& value)
{
    text_ = value;
    owner_->OnSetText(owner_->EventSender(), this, value);
}

void TOcNode::SetText(const QString& value)
{
    if (GetText() == value)
        return;
    StoreText(value);
    owner_->FitNodeToText(this);
    if (parent_) {
        owner_->RepaintNode(this);
        owner_->NodeChanged(this);
    }
}

void TOcNode::SetWidth(int value)
{
    value = std::clamp(value, 0, 0xFFFF);
    if (value != 0 && value < owner_->MinNodeWidth())
        value = owner_->MinNodeWidth();
    if (!Exchange(width_, static_cast<uint16_t>(value)))
        return;
    if (parent_) {
        owner_->SizesChanged(parent_, owner_->Rotated() ? skHeight : skWidth);
        owner_->NodeChanged(this);
    }
}

void TOcNode::SetHeight(int value)
{
    value = std::clamp(value, 0, 0xFFFF);
    if (value != 0 && value < owner_->MinNodeHeight())
        value = owner_->MinNodeHeight();
    if (!Exchange(height_, static_cast<uint16_t>(value)))
        return;
    if (parent_) {
        owner_->SizesChanged(parent_, owner_->Rotated() ? skWidth : skHeight);
        owner_->NodeChanged(this);
    }
}

void TOcNode::SetColor(TColor value)
{
    if (!Exchange(color_, value) || !parent_)
        return;
    owner_->RepaintNode(this);
    owner_->NodeChanged(this);
}

void TOcNode::SetShape(TOcShape value)
{
    if (value > shDiamond)
        value = shRectangle;
    const bool wasRectangle = shape_ == shRectangle;
    if (!Exchange(shape_, value) || !parent_)
        return;
    owner_->EndEditing(true);
    // Only a rectangle carries the 3D shadow, which widens the box and so the
    // cells around it.
    if (wasRectangle != (value == shRectangle))
        owner_->SizesChanged(this, skBoth);
    owner_->RepaintNode(this);
    owner_->ForgetHitOn(this);
    owner_->NodeChanged(this);
}

void TOcNode::SetChildAlign(TOcChildAlign value)
{
    if (value > caRight)
        value = caCenter;
    if (!Exchange(childAlign_, value) || !parent_)
        return;
    owner_->NodeChanged(this);
    owner_->RepaintColumn(parent_);
    if (IsVisible()) {
        owner_->EndEditing(true);
        owner_->ForgetHitOn(this);
        owner_->RepaintColumn(this);
    }
}

void TOcNode::SetImageIndex(int value)
{
    if (!Exchange(imageIndex_, static_cast<int16_t>(value)) || !parent_)
        return;
    owner_->RepaintNode(this);
    owner_->NodeChanged(this);
}

void TOcNode::SetImageAlign(TOcImageAlign value)
{
    if (value >= kOcImageAlignCount)
        value = iaNone;
    if (!Exchange(imageAlign_, value) || !parent_)
        return;
    owner_->RepaintNode(this);
    owner_->NodeChanged(this);
}

void TOcNode::Expand(bool recursive)
{
    if (!HasChildren())
        return;
    if (!recursive) {
        owner_->ExpandNode(this);
        return;
    }
    // Deepest nodes first, each before its parent; without recursion, as a
    // 100,000-level chain would overflow the stack.
    struct Frame {
        TOcNode* node;
        size_t next;
    };
    std::vector<Frame> stack{{this, 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next < top.node->children_.size()) {
            TOcNode* child = top.node->children_[top.next++];
            if (child->HasChildren())
                stack.push_back({child, 0});
            continue;
        }
        TOcNode* done = top.node;
        stack.pop_back();
        if (owner_->IsValid(done))
            owner_->ExpandNode(done);
    }
}

void TOcNode::Collapse(bool recursive)
{
    if (!HasChildren())
        return;
    if (!recursive) {
        owner_->CollapseNode(this);
        return;
    }
    // Each node before its children.
    std::vector<TOcNode*> stack{this};
    while (!stack.empty()) {
        TOcNode* node = stack.back();
        stack.pop_back();
        owner_->CollapseNode(node);
        for (auto it = node->children_.rbegin(); it != node->children_.rend(); ++it)
            if ((*it)->HasChildren())
                stack.push_back(*it);
    }
}

void TOcNode::MoveTo(TOcNode* destination, TOcAttachMode mode)
{
    if (!owner_->IsValid(this) || IsRoot())
        return;
    if (!destination) {
        if (mode == amAdd)
            mode = amAddChild;
        else if (mode == amAddFirst)
            mode = amAddChildFirst;
        else if (mode == amInsert)
            return;
    } else if (destination == this || !owner_->IsValid(destination) || destination->HasAsParent(this)) {
        return;
    }
    TOcNode* target = nullptr;
    int index = -1;
    switch (mode) {
    case amAdd: target = destination->parent_; index = -1; break;
    case amAddChild: target = destination; index = -1; break;
    case amAddFirst: target = destination->parent_; index = 0; break;
    case amAddChildFirst: target = destination; index = 0; break;
    case amInsert: target = destination->parent_; index = destination->index_; break;
    }
    TOcNode* targetParent = target ? target : owner_->Root();
    if (targetParent == parent_) {
        if (index >= 0 && index_ < index)
            --index;
        if (index == index_ || (index < 0 && parent_->children_.back() == this))
            return;
    }
    owner_->MoveNode(target && !target->IsRoot() ? target : nullptr, this, index);
}

void TOcNode::DeleteChildren()
{
    if (!HasChildren())
        return;
    if (owner_->selected_ && owner_->selected_ != this && owner_->selected_->HasAsParent(this))
        owner_->SetSelected(this);
    deleting_ = true;
    // Children of a node that is deleting its children stay listed until the end.
    const std::vector<TOcNode*> doomed = children_;
    for (TOcNode* child : doomed)
        owner_->Delete(child);
    deleting_ = false;
    children_.clear();
    children_.shrink_to_fit();
    firstChild_ = nullptr;
    if (!parent_ || !parent_->deleting_)
        owner_->SizesChanged(this, skBoth);
    if (!IsRoot())
        expanded_ = false;
}

void TOcNode::MakeVisible()
{
    owner_->MakeNodeVisible(this);
}

TOcNode* TOcNode::GetFirstChild() const
{
    return children_.empty() ? nullptr : children_.front();
}

TOcNode* TOcNode::GetLastChild() const
{
    return children_.empty() ? nullptr : children_.back();
}

TOcNode* TOcNode::GetNextSibling() const
{
    if (!parent_ || index_ + 1 >= parent_->Count())
        return nullptr;
    return parent_->children_[static_cast<size_t>(index_ + 1)];
}

TOcNode* TOcNode::GetPrevSibling() const
{
    if (!parent_ || index_ <= 0)
        return nullptr;
    return parent_->children_[static_cast<size_t>(index_ - 1)];
}

TOcNode* TOcNode::GetNext() const
{
    if (HasChildren())
        return children_.front();
    for (const TOcNode* n = this; n && !n->IsRoot(); n = n->parent_)
        if (TOcNode* sibling = n->GetNextSibling())
            return sibling;
    return nullptr;
}

TOcNode* TOcNode::GetPrev() const
{
    if (TOcNode* node = GetPrevSibling()) {
        while (node->HasChildren())
            node = node->children_.back();
        return node;
    }
    return Parent();
}

TOcNode* TOcNode::GetNextVisible() const
{
    const TOcNode* n = this;
    while (n && !n->IsVisible())
        n = n->parent_;
    if (!n)
        return nullptr;
    if (n->HasChildren() && (n->expanded_ || n->IsRoot()))
        return n->children_.front();
    for (; n && !n->IsRoot(); n = n->parent_)
        if (TOcNode* sibling = n->GetNextSibling())
            return sibling;
    return nullptr;
}

TOcNode* TOcNode::GetPrevVisible() const
{
    TOcNode* n = GetPrev();
    while (n && !n->IsVisible())
        n = n->Parent();
    return n;
}

bool TOcNode::HasAsParent(const TOcNode* node) const
{
    if (!node)
        return true;
    for (const TOcNode* p = parent_; p; p = p->parent_)
        if (p == node)
            return true;
    return false;
}
