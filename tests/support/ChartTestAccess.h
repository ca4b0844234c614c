#pragma once

// The chart's drag machinery driven directly, as the framework would run it
// between a press and a release (the chart lets this class in as a friend).

#include "orgchart/OrgChart.h"

class ChartTestAccess {
public:
    static void BeginDrag(TCustomOrgChart& chart) { chart.drag_.Begin(); }
    static void DragOver(TCustomOrgChart& chart, TCustomOrgChart* source, int x, int y, int state, bool& accept)
    {
        chart.drag_.Over(source, x, y, state, accept);
    }
    static void DragDrop(TCustomOrgChart& chart, TCustomOrgChart* source, int x, int y)
    {
        chart.drag_.Drop(source, x, y);
    }
    static void CancelDrag(TCustomOrgChart& chart) { chart.drag_.Cancel(); }
    static TOcNode* DragTarget(const TCustomOrgChart& chart) { return chart.drag_.Target(); }
};
