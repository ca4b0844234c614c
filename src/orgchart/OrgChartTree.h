#pragma once

// The chart's own node tree: the model's hooks answered by the chart that owns
// it (repainting, animation, editing, minimum sizes, the events' sender), and
// the chart's selection and deletion rules on the way through.

#include "orgchart/model/OcTree.h"

class TCustomOrgChart;

class TOrgChartTree final : public TOcTree {
public:
    explicit TOrgChartTree(TCustomOrgChart& chart) : chart_(chart) {}

    TCustomOrgChart& Chart() const { return chart_; }

    void SetSelected(TOcNode* node) override;

    TObject* EventSender() override;
    int MinNodeWidth() const override;
    int MinNodeHeight() const override;
    bool Rotated() const override;
    bool HasFocus() const override;
    void SizesChangedNotice(TOcNode* node) override;
    void DropAllSizes(TOcSizeKind kind) override;
    bool BeginNodeAnimation(TOcNode* node) override;
    void PaintAnimation() override;
    void RepaintNode(TOcNode* node) override;
    void RepaintColumn(TOcNode* node) override;
    void EndEditing(bool save) override;
    void ForgetHitOn(TOcNode* node) override;
    void ForgetDoomed(TOcNode* node) override;
    void FitNodeToText(TOcNode* node) override;
    void MakeNodeVisible(TOcNode* node) override;

    // The model's own size dropping, without the chart's relayout.
    void DropCachedSizes(TOcSizeKind kind) { TOcTree::DropAllSizes(kind); }
    // Forgets the selection without events (the chart is going).
    void DropSelection() { selected_ = nullptr; }

private:
    TCustomOrgChart& chart_;
};
