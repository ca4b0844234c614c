// Selection, hit testing, keys and mouse, and scrolling a node into view.

#include "orgchart/OcInplaceEdit.h"
#include "orgchart/OrgChart.h"

bool TCustomOrgChart::HasFocus() const
{
    return Focused() || (editor_ && editor_->HasEditFocus());
}

TOcLayout::Hit TCustomOrgChart::HitAt(int x, int y)
{
    UpdateLayout();
    if (hitFlags_ != 0 && hitPoint_ == TPoint{x, y})
        return {hitNode_, hitFlags_};
    const TOcLayout::Hit hit = Layout().HitTest({x, y});
    hitPoint_ = {x, y};
    hitNode_ = hit.node;
    hitFlags_ = hit.flags;
    return hit;
}

TOcNode* TCustomOrgChart::GetNodeAt(int x, int y)
{
    return HitAt(x, y).node;
}

TOcHitFlags TCustomOrgChart::GetHitTestInfoAt(int x, int y)
{
    return HitAt(x, y).flags;
}

void TCustomOrgChart::SelectWithChanging(TOcNode* node)
{
    bool allow = true;
    tree_.DoChanging(node, allow);
    if (allow)
        tree_.SetSelected(node);
}

void TCustomOrgChart::ForgetDoomed(TOcNode* node)
{
    // The drag holds the dragged node, its target and the feedback's target;
    // any of them inside the doomed subtree ends it.
    if (drag_.Holds(node))
        drag_.Cancel();
    if (node && Editing() && (node == tree_.Selected() || (tree_.Selected() && tree_.Selected()->HasAsParent(node))))
        HideEditor(false);
    if (node == hitNode_ || (hitNode_ && node && hitNode_->HasAsParent(node))) {
        hitNode_ = nullptr;
        hitFlags_ = 0;
    }
    if (node == animating_)
        animating_ = nullptr;
}

void TCustomOrgChart::MakeNodeVisible(TOcNode* node)
{
    if (!tree_.IsValid(node) || !node || node->IsRoot())
        return;
    animationSuppressed_ = true;
    std::vector<TOcNode*> chain;
    for (TOcNode* p = node->Parent(); p; p = p->Parent())
        chain.push_back(p);
    for (TOcNode* p : chain)
        if (tree_.IsValid(p))
            p->Expand(false);
    animationSuppressed_ = false;
    if (!node->IsVisible())
        return; // a handler refused to open the way
    UpdateLayout();
    TRect r = NodeBoxRect(node);
    if (r.Width() > ClientWidth() || r.Height() > ClientHeight())
        r = NodeContentRect(node);
    int left = r.Left, top = r.Top;
    if (r.Right > ClientWidth())
        left -= r.Right - ClientWidth();
    if (r.Bottom > ClientHeight())
        top -= r.Bottom - ClientHeight();
    left = std::max(left, 0);
    top = std::max(top, 0);
    if (left == r.Left && top == r.Top)
        return;
    ScrollTo(ScrollLeft() + r.Left - left, ScrollTop() + r.Top - top);
}

bool TCustomOrgChart::Navigate(Word key)
{
    TOcNode* from = tree_.Selected();
    if (!from)
        return false;
    auto allowed = [this](TOcNode* n) {
        bool allow = true;
        tree_.DoChanging(n, allow);
        return allow;
    };
    TOcNode* found = nullptr;
    if (key == VK_LEFT || key == VK_RIGHT) {
        for (TOcNode* n = key == VK_LEFT ? from->GetPrevSibling() : from->GetNextSibling(); n;
             n = key == VK_LEFT ? n->GetPrevSibling() : n->GetNextSibling())
            if (allowed(n)) {
                found = n;
                break;
            }
    }
    if (!found) {
        const bool back = key == VK_LEFT || key == VK_UP;
        for (TOcNode* n = back ? from->GetPrevVisible() : from->GetNextVisible(); n;
             n = back ? n->GetPrevVisible() : n->GetNextVisible())
            if (allowed(n)) {
                found = n;
                break;
            }
    }
    if (!found)
        return false;
    tree_.SetSelected(found);
    found->MakeVisible();
    return true;
}

void TCustomOrgChart::InsertKey(bool child)
{
    if (!HasOption(ocInsDel))
        return;
    TOcNode* sel = tree_.Selected();
    if (!sel && tree_.Count() > 0)
        return;
    TOcNode* node = nullptr;
    if (!sel)
        node = tree_.Add(nullptr, 0);
    else if (child)
        node = tree_.Add(sel, 0);
    else if (TOcNode* next = sel->GetNextSibling())
        node = tree_.Insert(next, 0);
    else
        node = tree_.Add(sel->Parent(), 0);
    if (!node)
        return;
    tree_.SetSelected(node);
    node->MakeVisible();
}

void TCustomOrgChart::KeyDown(Word& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    if (key == 0)
        return;
    const TShiftState mods = shift & (ssShift | ssAlt | ssCtrl);
    const int pageW = ClientWidth() - 16, pageH = ClientHeight() - 16;
    if (mods == 0) {
        switch (key) {
        case VK_RETURN:
        case VK_F2: ShowEditor(); break;
        case VK_ESCAPE:
            if (drag_.Active())
                drag_.Cancel();
            break;
        case VK_PRIOR: SetScrollTop(ScrollTop() - pageH); break;
        case VK_NEXT: SetScrollTop(ScrollTop() + pageH); break;
        case VK_HOME: SetScrollLeft(0); break;
        case VK_END: SetScrollLeft(FullWidth()); break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: Navigate(key); break;
        case VK_INSERT: InsertKey(false); break;
        case VK_DELETE:
            if (HasOption(ocInsDel) && tree_.Selected())
                tree_.Delete(tree_.Selected());
            break;
        default: break;
        }
    } else if (mods == ssCtrl) {
        switch (key) {
        case VK_PRIOR: SetScrollTop(0); break;
        case VK_NEXT: SetScrollTop(FullHeight()); break;
        case VK_HOME: ScrollTo(0, 0); break;
        case VK_END: ScrollTo(FullWidth(), FullHeight()); break;
        case VK_LEFT: SetScrollLeft(ScrollLeft() - pageW); break;
        case VK_RIGHT: SetScrollLeft(ScrollLeft() + pageW); break;
        case VK_INSERT: InsertKey(true); break;
        default: break;
        }
    }
}

void TCustomOrgChart::KeyPress(QChar& key)
{
    TCustomControl::KeyPress(key);
    if (Editing() || !tree_.Selected())
        return;
    if (key == QLatin1Char('+'))
        tree_.Selected()->Expand(false);
    else if (key == QLatin1Char('-'))
        tree_.Selected()->Collapse(false);
}

void TCustomOrgChart::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && !(shift & ssDouble)) {
        if (CanFocus() && !Focused())
            SetFocus();
        mousePressed_ = true;
        pressPoint_ = {x, y};
        const TOcLayout::Hit hit = HitAt(x, y);
        if ((hit.flags & htOnShape) && !(hit.flags & htOnButton))
            SelectWithChanging(hit.node);
        if ((hit.flags & htOnButton) && hit.node) {
            TOcNode* node = hit.node;
            if (tree_.Selected() && node->Expanded() && tree_.Selected() != node && tree_.Selected()->HasAsParent(node))
                SelectWithChanging(node);
            if (tree_.IsValid(node)) {
                if (node->Expanded())
                    node->Collapse(false);
                else
                    node->Expand(false);
            }
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomOrgChart::MouseMove(TShiftState shift, int x, int y)
{
    if (drag_.Active()) {
        bool accept = false;
        drag_.Over(this, x, y, 2, accept);
    } else if (mousePressed_ && HasOption(ocCanDrag)) {
        const TShiftState state = shift & (ssShift | ssAlt | ssCtrl | ssLeft | ssRight | ssMiddle);
        const bool moved = std::abs(x - pressPoint_.X) >= 5 || std::abs(y - pressPoint_.Y) >= 5;
        if ((state == ssLeft || state == (ssLeft | ssCtrl)) && moved) {
            const TOcLayout::Hit hit = HitAt(pressPoint_.X, pressPoint_.Y);
            if ((hit.flags & htOnShape) && hit.node && hit.node == tree_.Selected()) {
                drag_.Begin();
                bool accept = false;
                drag_.Over(this, x, y, 2, accept);
            }
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomOrgChart::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        if (drag_.Active()) {
            bool accept = false;
            drag_.Over(this, x, y, 2, accept);
            if (accept)
                drag_.Drop(this, x, y);
            drag_.Cancel();
        }
        mousePressed_ = false;
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomOrgChart::DblClick()
{
    if (HasOption(ocDblClick)) {
        hitFlags_ = 0;
        const TOcLayout::Hit hit = HitAt(pressPoint_.X, pressPoint_.Y);
        if ((hit.flags & htOnShape) && !(hit.flags & htOnButton) && hit.node) {
            if (hit.node->Expanded())
                hit.node->Collapse(false);
            else
                hit.node->Expand(false);
        }
    }
    TCustomControl::DblClick();
}

void TCustomOrgChart::DoEnter()
{
    TCustomControl::DoEnter();
    if (tree_.Selected())
        InvalidateNode(tree_.Selected());
}

void TCustomOrgChart::DoExit()
{
    TCustomControl::DoExit();
    if (tree_.Selected())
        InvalidateNode(tree_.Selected());
}
