#include "orgchart/OrgChartTree.h"

#include "orgchart/OrgChart.h"
#include "platform/framework/accessibility/AccessibleBridge.h"

void TOrgChartTree::SetSelected(TOcNode* node)
{
    if (node == Selected() || !IsValid(node) || node == Root())
        return;
    TCustomOrgChart& chart = chart_;
    const bool wasEditing = chart.Editing();
    chart.HideEditor(true);
    if (TOcNode* old = Selected(); old && chart.InvalidateNode(old)) {
        // The old box is repainted unselected before the new one shows.
        selected_ = nullptr;
        if (node && node->IsVisible())
            chart.Update();
    }
    selected_ = node;
    if (node)
        chart.InvalidateNode(node);
    if (wasEditing)
        chart.ShowEditor();
    DoChange(node);
    NotifyAccessibleFocus(chart);
}

TObject* TOrgChartTree::EventSender() { return &chart_; }
int TOrgChartTree::MinNodeWidth() const { return chart_.MinNodeWidth(); }
int TOrgChartTree::MinNodeHeight() const { return chart_.MinNodeHeight(); }
bool TOrgChartTree::Rotated() const { return chart_.Rotated(); }
bool TOrgChartTree::HasFocus() const { return chart_.HasFocus(); }
void TOrgChartTree::SizesChangedNotice(TOcNode* node) { chart_.SizesChangedNotice(node); }
void TOrgChartTree::DropAllSizes(TOcSizeKind kind) { chart_.DropAllSizes(kind); }
bool TOrgChartTree::BeginNodeAnimation(TOcNode* node) { return chart_.BeginNodeAnimation(node); }
void TOrgChartTree::PaintAnimation() { chart_.PaintAnimation(); }
void TOrgChartTree::RepaintNode(TOcNode* node) { chart_.InvalidateNode(node); }
void TOrgChartTree::RepaintColumn(TOcNode* node) { chart_.RepaintColumn(node); }
void TOrgChartTree::EndEditing(bool save) { chart_.HideEditor(save); }
void TOrgChartTree::ForgetHitOn(TOcNode* node) { chart_.ForgetHitOn(node); }
void TOrgChartTree::ForgetDoomed(TOcNode* node) { chart_.ForgetDoomed(node); }
void TOrgChartTree::FitNodeToText(TOcNode* node) { chart_.FitNodeToText(node); }
void TOrgChartTree::MakeNodeVisible(TOcNode* node) { chart_.MakeNodeVisible(node); }
