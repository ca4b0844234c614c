#include "orgchart/OrgChartDrag.h"

#include <cstdlib>
#include <vector>

#include "orgchart/OrgChart.h"
#include "platform/canvas/Canvas.h"

namespace {
constexpr int kDragMove = 2;
} // namespace

void TOrgChartDrag::Begin()
{
    dragging_ = true;
    target_ = nullptr;
    feedbackShown_ = false;
}

bool TOrgChartDrag::Holds(const TOcNode* node) const
{
    auto inside = [node](const TOcNode* n) { return node && n && (n == node || n->HasAsParent(node)); };
    return inside(target_) || inside(fbTarget_) || (dragging_ && inside(chart_.Tree().Selected()));
}

void TOrgChartDrag::DrawFeedback()
{
    // Exclusive-or drawing: the same call again erases it.
    if (!fbTarget_)
        return;
    std::unique_ptr<TCanvas> canvas = chart_.SurfaceCanvas();
    if (!canvas)
        return;
    canvas->Pen().SetMode(pmXor);
    canvas->Pen().SetStyle(psDot);
    canvas->Pen().SetWidth(1);
    canvas->Pen().SetColor(chart_.LineColor() ^ 0xFFFFFF);
    canvas->Brush().SetStyle(bsClear);
    const TPoint c = fbCursor_;
    canvas->Rectangle(c.X, c.Y, c.X + fbSize_.X, c.Y + fbSize_.Y);
    if (fbTarget_->IsRoot())
        return;
    std::vector<TPoint> elbow;
    if (!chart_.Rotated()) {
        const int sx = c.X + fbSize_.X / 2, mid = (c.Y + fbAnchor_.Y) / 2;
        elbow = {{sx, c.Y}, {sx, mid}, {fbAnchor_.X, mid}, {fbAnchor_.X, fbAnchor_.Y}};
    } else {
        const int sy = c.Y + fbSize_.Y / 2, mid = (c.X + fbAnchor_.X) / 2;
        elbow = {{c.X, sy}, {mid, sy}, {mid, fbAnchor_.Y}, {fbAnchor_.X, fbAnchor_.Y}};
    }
    canvas->Polyline(elbow);
}

void TOrgChartDrag::HideFeedback()
{
    if (feedbackShown_) {
        DrawFeedback();
        feedbackShown_ = false;
    }
}

void TOrgChartDrag::Over(TCustomOrgChart* source, int x, int y, int state, bool& accept)
{
    TCustomOrgChart& chart = chart_;
    accept = chart.OnDragDrop ? source != nullptr : source == &chart;
    HideFeedback();
    if (state == kDragMove)
        AutoScrollDecision(x, y);
    else
        StopAutoScroll();
    TOcLayout::Hit hit{};
    if (accept) {
        hit = chart.HitAt(x, y);
        TOcNode* sel = source->Tree().Selected();
        accept = hit.node && sel && !(hit.node != sel && hit.node->HasAsParent(sel));
    }
    TOcNode* selected = chart.Tree().Selected();
    if (!accept || chart.AutoScrollRunning() || !chart.HasOption(ocShowDrag) || state != kDragMove) {
        target_ = nullptr;
    } else {
        cursor_ = {x, y};
        TOcNode* target = (hit.flags & htBelow) && hit.node != selected ? hit.node : hit.node->RawParent();
        if (target != target_ && !target->IsRoot()) {
            const TRect box = chart.NodeShapeRect(target);
            anchor_ = chart.Rotated() ? TPoint{box.Right, box.Top + box.Height() / 2}
                                      : TPoint{box.Left + box.Width() / 2, box.Bottom};
        }
        target_ = target;
    }
    if (target_ && selected) {
        const TOcMetrics m = chart.Metrics();
        fbTarget_ = target_;
        fbCursor_ = cursor_;
        fbAnchor_ = anchor_;
        fbSize_ = {m.NW(selected), m.NH(selected)};
        DrawFeedback();
        feedbackShown_ = true;
    }
    chart.OnDragOver(&chart, source, x, y, accept);
}

void TOrgChartDrag::Drop(TCustomOrgChart* source, int x, int y)
{
    TCustomOrgChart& chart = chart_;
    StopAutoScroll();
    HideFeedback();
    target_ = nullptr;
    if (chart.OnDragDrop) {
        chart.OnDragDrop(&chart, source, x, y);
        return;
    }
    TOcNode* sel = chart.Tree().Selected();
    if (source != &chart || !sel)
        return;
    chart.hitFlags_ = 0;
    const TOcLayout::Hit hit = chart.HitAt(x, y);
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
    if (chart.Tree().IsValid(sel))
        sel->MakeVisible();
}

void TOrgChartDrag::Cancel()
{
    StopAutoScroll();
    chart_.mousePressed_ = false;
    HideFeedback();
    fbTarget_ = nullptr;
    target_ = nullptr;
    dragging_ = false;
}

void TOrgChartDrag::StopAutoScroll()
{
    if (chart_.HasTimer(TCustomOrgChart::kAutoScrollTimer))
        chart_.KillTimer(TCustomOrgChart::kAutoScrollTimer);
}

void TOrgChartDrag::AutoScrollDecision(int x, int y)
{
    int dx = 0, dy = 0;
    if (x <= 16)
        dx = -16;
    if (x >= chart_.ClientWidth() - 16)
        dx = 16;
    if (y <= 16)
        dy = -16;
    if (y >= chart_.ClientHeight() - 16)
        dy = 16;
    bool scroll = false;
    if (!(autoScrollStopped_ && dx == scrollStepX_ && dy == scrollStepY_)) {
        scrollStepX_ = static_cast<int16_t>(dx);
        scrollStepY_ = static_cast<int16_t>(dy);
        autoScrollStopped_ = false;
        scroll = dx != 0 || dy != 0;
    }
    if (scroll) {
        if (!chart_.HasTimer(TCustomOrgChart::kAutoScrollTimer))
            chart_.SetTimer(TCustomOrgChart::kAutoScrollTimer, TCustomOrgChart::kAutoScrollInterval);
    } else {
        StopAutoScroll();
    }
}

void TOrgChartDrag::AutoScrollTick()
{
    TCustomOrgChart& chart = chart_;
    const int ox = chart.ScrollLeft(), oy = chart.ScrollTop();
    HideFeedback();
    chart.ScrollTo(ox + scrollStepX_, oy + scrollStepY_);
    if (chart.ScrollLeft() == ox && chart.ScrollTop() == oy) {
        autoScrollStopped_ = true;
        StopAutoScroll();
    } else {
        chart.Update();
    }
}
