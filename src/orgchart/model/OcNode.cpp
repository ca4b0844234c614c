#include "orgchart/model/OcNode.h"

#include <algorithm>
#include <new>
#include <string>

#include "orgchart/model/OcTree.h"

static_assert(sizeof(TOcNode) == 64, "a node's hot bytes fill exactly one cache line");
static_assert(TOcNode::kColdSize <= 112, "a node's cold record stays without padding holes");

TOcNode::TOcNode(TOcTree* owner) : TOcNode(owner, nullptr) {}

TOcNode::TOcNode(TOcTree* owner, void* cold)
    : cold_(cold ? new (cold) Cold(owner, &owner->listPool_, owner->DefaultImageAlign(), true)
                 : new Cold(owner, &owner->listPool_, owner->DefaultImageAlign(), false))
{
}

TOcNode::~TOcNode()
{
    if (cold_->pooled)
        cold_->~Cold();
    else
        delete cold_;
}

bool TOcNode::IsRoot() const
{
    return cold_->owner->Root() == this;
}

TOcNode* TOcNode::Parent() const
{
    return cold_->parent && !cold_->parent->IsRoot() ? cold_->parent : nullptr;
}

TOcNode* TOcNode::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("Node index out of range (" + std::to_string(index) + ")");
    return cold_->children[static_cast<size_t>(index)];
}

int TOcNode::Level() const
{
    int level = 0;
    for (const TOcNode* p = cold_->parent; p && !p->IsRoot(); p = p->cold_->parent)
        ++level;
    return level;
}

bool TOcNode::IsVisible() const
{
    if (IsRoot())
        return true;
    // Checking the parent's state first keeps this short inside closed subtrees.
    for (const TOcNode* n = this;; n = n->cold_->parent) {
        if (!n->cold_->parent)
            return false; // not in a tree
        if (n->cold_->parent->IsRoot())
            return true;
        if (!n->cold_->parent->expanded_)
            return false;
    }
}

bool TOcNode::Focused() const
{
    return Selected() && cold_->owner->HasFocus();
}

bool TOcNode::Selected() const
{
    return cold_->owner->Selected() == this;
}

void TOcNode::SetSelected(bool value)
{
    if (value)
        cold_->owner->SetSelected(this);
    else if (Selected())
        cold_->owner->SetSelected(nullptr);
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
    cold_->owner->OnSetFont(cold_->owner->EventSender(), this, font);
}

QString TOcNode::GetText()
{
    QString result = cold_->text;
    if (cold_->owner->OnGetText) {
        // The handler edits the stored text itself; the change shows from the next read.
        cold_->owner->OnGetText(cold_->owner->EventSender(), this, cold_->text);
    }
    return result;
}

void TOcNode::StoreText(const QString& value)
{
    cold_->text = value;
    if (cold_->owner->OnSetText)
        cold_->owner->OnSetText(cold_->owner->EventSender(), this, value);
}

void TOcNode::SetText(const QString& value)
{
    if (GetText() == value)
        return;
    StoreText(value);
    cold_->owner->FitNodeToText(this);
    if (cold_->parent) {
        cold_->owner->RepaintNode(this);
        cold_->owner->NodeChanged(this);
    }
}

void TOcNode::SetWidth(int value)
{
    value = std::clamp(value, 0, 0xFFFF);
    if (value != 0 && value < cold_->owner->MinNodeWidth())
        value = cold_->owner->MinNodeWidth();
    if (!Exchange(width_, static_cast<uint16_t>(value)))
        return;
    if (cold_->parent) {
        cold_->owner->SizesChanged(cold_->parent, cold_->owner->Rotated() ? skHeight : skWidth);
        cold_->owner->NodeChanged(this);
    }
}

void TOcNode::SetHeight(int value)
{
    value = std::clamp(value, 0, 0xFFFF);
    if (value != 0 && value < cold_->owner->MinNodeHeight())
        value = cold_->owner->MinNodeHeight();
    if (!Exchange(height_, static_cast<uint16_t>(value)))
        return;
    if (cold_->parent) {
        cold_->owner->SizesChanged(cold_->parent, cold_->owner->Rotated() ? skWidth : skHeight);
        cold_->owner->NodeChanged(this);
    }
}

void TOcNode::SetColor(TColor value)
{
    if (!Exchange(cold_->color, value) || !cold_->parent)
        return;
    cold_->owner->RepaintNode(this);
    cold_->owner->NodeChanged(this);
}

void TOcNode::SetShape(TOcShape value)
{
    if (value > shDiamond)
        value = shRectangle;
    const bool wasRectangle = shape_ == shRectangle;
    if (shape_ == value)
        return;
    shape_ = value;
    if (!cold_->parent)
        return;
    cold_->owner->EndEditing(true);
    // Only a rectangle carries the 3D shadow, which widens the box and so the
    // cells around it.
    if (wasRectangle != (value == shRectangle))
        cold_->owner->SizesChanged(this, skBoth);
    cold_->owner->RepaintNode(this);
    cold_->owner->ForgetHitOn(this);
    cold_->owner->NodeChanged(this);
}

void TOcNode::SetChildAlign(TOcChildAlign value)
{
    if (value > caRight)
        value = caCenter;
    if (childAlign_ == value)
        return;
    childAlign_ = value;
    if (!cold_->parent)
        return;
    cold_->owner->LayoutScratch().copy.MarkStale();
    cold_->owner->NodeChanged(this);
    cold_->owner->RepaintColumn(cold_->parent);
    if (IsVisible()) {
        cold_->owner->EndEditing(true);
        cold_->owner->ForgetHitOn(this);
        cold_->owner->RepaintColumn(this);
    }
}

void TOcNode::SetImageIndex(int value)
{
    if (!Exchange(cold_->imageIndex, static_cast<int16_t>(value)) || !cold_->parent)
        return;
    cold_->owner->RepaintNode(this);
    cold_->owner->NodeChanged(this);
}

void TOcNode::SetImageAlign(TOcImageAlign value)
{
    if (value >= kOcImageAlignCount)
        value = iaNone;
    if (!Exchange(cold_->imageAlign, value) || !cold_->parent)
        return;
    cold_->owner->RepaintNode(this);
    cold_->owner->NodeChanged(this);
}

void TOcNode::Expand(bool recursive)
{
    if (!HasChildren())
        return;
    if (!recursive) {
        cold_->owner->ExpandNode(this);
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
        if (top.next < top.node->cold_->children.size()) {
            TOcNode* child = top.node->cold_->children[top.next++];
            if (child->HasChildren())
                stack.push_back({child, 0});
            continue;
        }
        TOcNode* done = top.node;
        stack.pop_back();
        if (cold_->owner->IsValid(done))
            cold_->owner->ExpandNode(done);
    }
}

void TOcNode::Collapse(bool recursive)
{
    if (!HasChildren())
        return;
    if (!recursive) {
        cold_->owner->CollapseNode(this);
        return;
    }
    // Each node before its children.
    std::vector<TOcNode*> stack{this};
    while (!stack.empty()) {
        TOcNode* node = stack.back();
        stack.pop_back();
        cold_->owner->CollapseNode(node);
        for (auto it = node->cold_->children.rbegin(); it != node->cold_->children.rend(); ++it)
            if ((*it)->HasChildren())
                stack.push_back(*it);
    }
}

void TOcNode::MoveTo(TOcNode* destination, TOcAttachMode mode)
{
    if (!cold_->owner->IsValid(this) || IsRoot())
        return;
    if (!destination) {
        if (mode == amAdd)
            mode = amAddChild;
        else if (mode == amAddFirst)
            mode = amAddChildFirst;
        else if (mode == amInsert)
            return;
    } else if (destination == this || !cold_->owner->IsValid(destination) || destination->HasAsParent(this)) {
        return;
    }
    TOcNode* target = nullptr;
    int index = -1;
    switch (mode) {
    case amAdd: target = destination->cold_->parent; index = -1; break;
    case amAddChild: target = destination; index = -1; break;
    case amAddFirst: target = destination->cold_->parent; index = 0; break;
    case amAddChildFirst: target = destination; index = 0; break;
    case amInsert: target = destination->cold_->parent; index = destination->cold_->index; break;
    }
    TOcNode* targetParent = target ? target : cold_->owner->Root();
    if (targetParent == cold_->parent) {
        if (index >= 0 && cold_->index < index)
            --index;
        if (index == cold_->index || (index < 0 && cold_->parent->cold_->children.back() == this))
            return;
    }
    cold_->owner->MoveNode(target && !target->IsRoot() ? target : nullptr, this, index);
}

void TOcNode::DeleteChildren()
{
    if (!HasChildren())
        return;
    if (cold_->owner->selected_ && cold_->owner->selected_ != this && cold_->owner->selected_->HasAsParent(this))
        cold_->owner->SetSelected(this);
    cold_->deleting = true;
    // Children of a node that is deleting its children stay listed until the end.
    const std::vector<TOcNode*> doomed(cold_->children.begin(), cold_->children.end());
    for (TOcNode* child : doomed)
        cold_->owner->Delete(child);
    cold_->deleting = false;
    cold_->children.clear();
    cold_->children.shrink_to_fit();
    firstChild_ = nullptr;
    if (!cold_->parent || !cold_->parent->cold_->deleting)
        cold_->owner->SizesChanged(this, skBoth);
    if (!IsRoot())
        expanded_ = false;
}

void TOcNode::MakeVisible()
{
    cold_->owner->MakeNodeVisible(this);
}

TOcNode* TOcNode::GetFirstChild() const
{
    return cold_->children.empty() ? nullptr : cold_->children.front();
}

TOcNode* TOcNode::GetLastChild() const
{
    return cold_->children.empty() ? nullptr : cold_->children.back();
}

TOcNode* TOcNode::GetNextSibling() const
{
    if (!cold_->parent || cold_->index + 1 >= cold_->parent->Count())
        return nullptr;
    return cold_->parent->cold_->children[static_cast<size_t>(cold_->index + 1)];
}

TOcNode* TOcNode::GetPrevSibling() const
{
    if (!cold_->parent || cold_->index <= 0)
        return nullptr;
    return cold_->parent->cold_->children[static_cast<size_t>(cold_->index - 1)];
}

TOcNode* TOcNode::GetNext() const
{
    if (HasChildren())
        return cold_->children.front();
    for (const TOcNode* n = this; n && !n->IsRoot(); n = n->cold_->parent)
        if (TOcNode* sibling = n->GetNextSibling())
            return sibling;
    return nullptr;
}

TOcNode* TOcNode::GetPrev() const
{
    if (TOcNode* node = GetPrevSibling()) {
        while (node->HasChildren())
            node = node->cold_->children.back();
        return node;
    }
    return Parent();
}

TOcNode* TOcNode::GetNextVisible() const
{
    const TOcNode* n = this;
    while (n && !n->IsVisible())
        n = n->cold_->parent;
    if (!n)
        return nullptr;
    if (n->HasChildren() && (n->expanded_ || n->IsRoot()))
        return n->cold_->children.front();
    for (; n && !n->IsRoot(); n = n->cold_->parent)
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
    for (const TOcNode* p = cold_->parent; p; p = p->cold_->parent)
        if (p == node)
            return true;
    return false;
}
