#pragma once

// Dragging a node of the chart to a new place: the drag's nodes, the
// exclusive-or drop feedback as last drawn, and auto-scrolling at the
// window's edges. The chart forwards its mouse, keys and timer to it.

#include <cstdint>

#include "platform/base/Types.h"

class TCustomOrgChart;
class TOcNode;

class TOrgChartDrag {
public:
    explicit TOrgChartDrag(TCustomOrgChart& chart) : chart_(chart) {}
    TOrgChartDrag(const TOrgChartDrag&) = delete;
    TOrgChartDrag& operator=(const TOrgChartDrag&) = delete;

    bool Active() const { return dragging_; }
    // The node a drop would attach to (none: no drop feedback).
    TOcNode* Target() const { return target_; }

    // The framework's drag protocol: state 2 is a move over the chart.
    void Begin();
    void Over(TCustomOrgChart* source, int x, int y, int state, bool& accept);
    void Drop(TCustomOrgChart* source, int x, int y);
    void Cancel();

    // Whether the drag holds node or one of its descendants.
    bool Holds(const TOcNode* node) const;
    // The auto-scroll timer fired.
    void AutoScrollTick();

private:
    void DrawFeedback();
    void HideFeedback();
    void StopAutoScroll();
    void AutoScrollDecision(int x, int y);

    TCustomOrgChart& chart_;
    bool dragging_ = false;
    TOcNode* target_ = nullptr;
    TPoint cursor_{};
    TPoint anchor_{};
    // The feedback as drawn, so that drawing it again erases it.
    bool feedbackShown_ = false;
    TOcNode* fbTarget_ = nullptr;
    TPoint fbCursor_{};
    TPoint fbAnchor_{};
    TPoint fbSize_{};
    int16_t scrollStepX_ = 0;
    int16_t scrollStepY_ = 0;
    bool autoScrollStopped_ = false;
};
