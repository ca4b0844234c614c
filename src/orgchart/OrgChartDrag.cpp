// Dragging a node to a new place: drop feedback, auto-scroll and the drop.

#include <cstdlib>
#include <vector>

#include "orgchart/OrgChart.h"
#include "platform/canvas/Canvas.h"

namespace {
constexpr int kDragMove = 2;
} // namespace

void TCustomOrgChart::BeginDrag()
{
    dragging_ = true;
    dragTarget_ = nullptr;
    feedbackShown_ = false;
}

void TCustomOrgChart::DrawDragFeedback()
{
    // Exclusive-or drawing: the same call again erases it.
    if (!fbTarget_)
        return;
    std::unique_ptr<TCanvas> canvas = SurfaceCanvas();
    if (!canvas)
        return;
    const bool rot = rotated_;
    canvas->Pen().SetMode(pmXor);
    canvas->Pen().SetStyle(psDot);
    canvas->Pen().SetWidth(1);
    canvas->Pen().SetColor(lineColor_ ^ 0xFFFFFF);
    canvas->Brush().SetStyle(bsClear);
    const TPoint c = fbCursor_;
    canvas->Rectangle(c.X, c.Y, c.X + fbSize_.X, c.Y + fbSize_.Y);
    if (fbTarget_->IsRoot())
        return;
    std::vector<TPoint> elbow;
    if (!rot) {
        const int sx = c.X + fbSize_.X / 2, mid = (c.Y + fbAnchor_.Y) / 2;
        elbow = {{sx, c.Y}, {sx, mid}, {fbAnchor_.X, mid}, {fbAnchor_.X, fbAnchor_.Y}};
    } else {
        const int sy = c.Y + fbSize_.Y / 2, mid = (c.X + fbAnchor_.X) / 2;
        elbow = {{c.X, sy}, {mid, sy}, {mid, fbAnchor_.Y}, {fbAnchor_.X, fbAnchor_.Y}};
    }
    canvas->Polyline(elbow);
}

void TCustomOrgChart::DragOver(TCustomOrgChart* source, int x, int y, int state, bool& accept)
{
    accept = OnDragDrop ? source != nullptr : source == this;
    if (feedbackShown_) {
        DrawDragFeedback();
        feedbackShown_ = false;
    }
    if (state == kDragMove)
        AutoScrollDecision(x, y);
    else
        StopAutoScroll();
    TOcLayout::Hit hit{};
    if (accept) {
        hit = HitAt(x, y);
        TOcNode* sel = source->tree_.Selected();
        accept = hit.node && sel && !(hit.node != sel && hit.node->HasAsParent(sel));
    }
    if (!accept || AutoScrollRunning() || !HasOption(ocShowDrag) || state != kDragMove) {
        dragTarget_ = nullptr;
    } else {
        dragCursor_ = {x, y};
        TOcNode* target = (hit.flags & htBelow) && hit.node != tree_.Selected() ? hit.node : hit.node->RawParent();
        if (target != dragTarget_ && !target->IsRoot()) {
            const TRect box = NodeShapeRect(target);
            dragAnchor_ = rotated_ ? TPoint{box.Right, box.Top + box.Height() / 2}
                                   : TPoint{box.Left + box.Width() / 2, box.Bottom};
        }
        dragTarget_ = target;
    }
    if (dragTarget_ && tree_.Selected()) {
        const TOcMetrics m = Metrics();
        fbTarget_ = dragTarget_;
        fbCursor_ = dragCursor_;
        fbAnchor_ = dragAnchor_;
        fbSize_ = {m.NW(tree_.Selected()), m.NH(tree_.Selected())};
        DrawDragFeedback();
        feedbackShown_ = true;
    }
    OnDragOver(this, source, x, y, accept);
}

void TCustomOrgChart::DragDrop(TCustomOrgChart* source, int x, int y)
{
    StopAutoScroll();
    if (feedbackShown_) {
        DrawDragFeedback();
        feedbackShown_ = false;
    }
    dragTarget_ = nullptr;
    if (OnDragDrop) {
        OnDragDrop(this, source, x, y);
        return;
    }
    TOcNode* sel = tree_.Selected();
    if (source != this || !sel)
        return;
    hitFlags_ = 0;
    const TOcLayout::Hit hit = HitAt(x, y);
    if (!hit.node)
        return;
    TOcNode* reference = hit.node;
    if (hit.flags & (htRight | htOnBox))
        reference = hit.node->GetNextSibling();
    TOcAttachMode mode = amInsert;
    if (reference) {
        mode = (hit.flags & htBelow) ? amAddChild : amInsert;
    } else {
        reference = hit.node->Parent();
        mode = amAddChild;
    }
    sel->MoveTo(reference, mode);
    if (tree_.IsValid(sel))
        sel->MakeVisible();
}

void TCustomOrgChart::CancelDrag()
{
    StopAutoScroll();
    mousePressed_ = false;
    if (feedbackShown_) {
        DrawDragFeedback();
        feedbackShown_ = false;
    }
    fbTarget_ = nullptr;
    dragTarget_ = nullptr;
    dragging_ = false;
}

void TCustomOrgChart::StopAutoScroll()
{
    if (HasTimer(kAutoScrollTimer))
        KillTimer(kAutoScrollTimer);
}

void TCustomOrgChart::AutoScrollDecision(int x, int y)
{
    int dx = 0, dy = 0;
    if (x <= 16)
        dx = -16;
    if (x >= ClientWidth() - 16)
        dx = 16;
    if (y <= 16)
        dy = -16;
    if (y >= ClientHeight() - 16)
        dy = 16;
    bool scroll = false;
    if (!(autoScrollStopped_ && dx == scrollStepX_ && dy == scrollStepY_)) {
        scrollStepX_ = static_cast<int16_t>(dx);
        scrollStepY_ = static_cast<int16_t>(dy);
        autoScrollStopped_ = false;
        scroll = dx != 0 || dy != 0;
    }
    if (scroll) {
        if (!HasTimer(kAutoScrollTimer))
            SetTimer(kAutoScrollTimer, kAutoScrollInterval);
    } else {
        StopAutoScroll();
    }
}

void TCustomOrgChart::TimerFired(unsigned id)
{
    if (id != kAutoScrollTimer) {
        TCustomControl::TimerFired(id);
        return;
    }
    const int ox = ScrollLeft(), oy = ScrollTop();
    if (feedbackShown_) {
        DrawDragFeedback();
        feedbackShown_ = false;
    }
    ScrollTo(ox + scrollStepX_, oy + scrollStepY_);
    if (ScrollLeft() == ox && ScrollTop() == oy) {
        autoScrollStopped_ = true;
        StopAutoScroll();
    } else {
        Update();
    }
}
