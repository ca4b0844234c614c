#pragma once

// The chart's drag machinery driven directly, as the framework would run it
// between a press and a release (the chart lets this class in as a friend).

#include "orgchart/OrgChart.h"

class ChartTestAccess {
public:
    static void BeginDrag(TCustomOrgChart& chart) { chart.BeginDrag(); }
    static void DragOver(TCustomOrgChart& chart, TCustomOrgChart* source, int x, int y, int state, bool& accept)
    {
        chart.DragOver(source, x, y, state, accept);
    }
    static void DragDrop(TCustomOrgChart& chart, TCustomOrgChart* source, int x, int y)
    {
        chart.DragDrop(source, x, y);
    }
    static void CancelDrag(TCustomOrgChart& chart) { chart.CancelDrag(); }
    static TOcNode* DragTarget(const TCustomOrgChart& chart) { return chart.dragTarget_; }
};
